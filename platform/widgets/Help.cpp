#include "platform/widgets/Help.h"

#include <QFileInfo>
#include <QProcess>

namespace Platform::Help {

namespace {
QString gHelpFile;
Opener gOpener;

// The desktop's opener has no notion of context numbers; it opens the file.
// Its exit status says whether a viewer took the file; the window does not
// wait for it. The process object outlives a viewer that the opener keeps
// in the foreground and is dropped when the opener ends.
bool OpenWithDesktop(const QString& path, std::function<void()> failed) {
    auto* opener = new QProcess;
    auto report = [failed = std::move(failed)] {
        if (failed) failed();
    };
    // An opener that never started does not finish; one that did finishes,
    // crashed or not.
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, report](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         report();
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, report](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0) report();
                         opener->deleteLater();
                     });
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->start(QStringLiteral("xdg-open"), {path});
    return true;
}
} // namespace

void SetHelpFile(const QString& path) {
    gHelpFile = path;
}

QString HelpFile() {
    return gHelpFile;
}

bool ShowHelp(int context, std::function<void()> failed) {
    if (gHelpFile.isEmpty() || !QFileInfo(gHelpFile).isFile()) return false;
    return gOpener ? gOpener(gHelpFile, context) : OpenWithDesktop(gHelpFile, std::move(failed));
}

void SetOpener(Opener opener) {
    gOpener = std::move(opener);
}

} // namespace Platform::Help
