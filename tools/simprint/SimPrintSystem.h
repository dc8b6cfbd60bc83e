#pragma once

#include <QPointF>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A print system of its own: the scheduler of the machine's print system
// (cupsd) started on a socket in a temporary folder, with two print queues:
// "Office", the default, whose own paper is A4 and which also takes A5, B5,
// Executive and Letter, and cannot print on 6.35 mm along every edge; and
// "Counter", which takes only A4 and Letter and cannot print on 6.35 mm at
// the left, 3.175 mm at the right and 12.7 mm at the top and bottom (of the
// sheet as it goes through the printer). The queues are stopped: they take
// jobs and keep them, so what was sent can be read back. While it runs,
// libcups in the thread that made it asks this print system.
class SimPrintSystem {
public:
    SimPrintSystem();
    ~SimPrintSystem();
    SimPrintSystem(const SimPrintSystem&) = delete;
    SimPrintSystem& operator=(const SimPrintSystem&) = delete;

    // Whether the scheduler runs; why not, when it does not.
    bool Running() const { return error_.isEmpty(); }
    QString Error() const { return error_; }
    QString Server() const;
    // The documents of the jobs taken so far, oldest first.
    QStringList Documents() const;
    // The paper of a job's document (0 the oldest), in points, as its first
    // page gives it; empty when there is no such job.
    QSize Paper(int job) const;
    // Where the printable area of a job's first page starts, in points from
    // the paper's top left; null when there is no such job.
    QPointF Origin(int job) const;

private:
    QTemporaryDir folder_;
    QProcess scheduler_;
    QString error_;
};
