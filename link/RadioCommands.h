#pragma once

#include <QObject>
#include <QTimer>

// The Read, Write and radio-information commands of the main window: the
// main window owns one and calls these from its menu items and toolbar.
class RadioCommands : public QObject {
    Q_OBJECT
public:
    explicit RadioCommands(QObject* parent = nullptr);
    ~RadioCommands() override;

    // Read: commits the pending edits, tests the port, asks, reads.
    Q_INVOKABLE void mnuReadFromRadio_Click();
    // Write: commits the pending edits; the write goes on 100 ms later.
    Q_INVOKABLE void mnuWriteToRadio_Click();
    Q_INVOKABLE void WaitSaveDataTimer_Timer();
    // Radio information: unloads an open information page, then reads.
    Q_INVOKABLE void mnuRadioInfo_Click();
    Q_INVOKABLE void ReadRMGDataFromRadio();
    // End of a read: decodes the image, "new.dat", reopens the grid page.
    Q_INVOKABLE void ReadOKTimer_Timer();

    QTimer WaitSaveDataTimer;
    QTimer ReadOKTimer;
};
