// corvan-simprint: the print system of the tests, for trying Corvan's printing
// without a printer. Corvan started with CUPS_SERVER set as it says sees its
// queues; each job's document is copied into the folder given (the current
// one by default) as it comes in.
#include "SimPrintSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> gStop{false};

void OnSignal(int) {
    gStop = true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 || args.value(1).startsWith(u'-')) {
        std::fprintf(stderr, "usage: corvan-simprint [folder for the jobs]\n");
        return 2;
    }
    const QDir out(args.value(1, QStringLiteral(".")));
    SimPrintSystem system;
    if (!system.Running()) {
        std::fprintf(stderr, "%s\n", qPrintable(system.Error()));
        return 1;
    }
    std::printf("Queues Office (A4, A5, B5, Executive, Letter; 6.35 mm edges) and Counter\n"
                "(A4, Letter; 6.35 mm left, 3.175 mm right, 12.7 mm top and bottom).\n"
                "Start Corvan with\n"
                "  CUPS_SERVER=%s\n",
                qPrintable(system.Server()));
    std::fflush(stdout);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    QTimer watch;
    qsizetype seen = 0;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (gStop) app.quit();
        const QStringList documents = system.Documents();
        for (; seen < documents.size(); ++seen) {
            const QString copy = out.absoluteFilePath(QStringLiteral("job%1.pdf").arg(seen + 1));
            QFile::remove(copy);
            const QSize paper = system.Paper(static_cast<int>(seen));
            const QPointF origin = system.Origin(static_cast<int>(seen));
            std::printf("Job %lld: %d x %d pt, printable area from (%.1f, %.1f) pt, %s\n",
                        static_cast<long long>(seen + 1), paper.width(), paper.height(), origin.x(),
                        origin.y(),
                        QFile::copy(documents[seen], copy) ? qPrintable(copy) : "not copied");
            std::fflush(stdout);
        }
    });
    watch.start(200);
    return app.exec();
}
