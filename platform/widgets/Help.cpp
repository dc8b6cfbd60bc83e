#include "platform/widgets/Help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace Platform::Help {

namespace {
QString gHelpFile;
Opener gOpener;

// The desktop viewer has no notion of context numbers; it opens the file.
bool OpenWithDesktop(const QString& path, int /*context*/) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
} // namespace

void SetHelpFile(const QString& path) {
    gHelpFile = path;
}

QString HelpFile() {
    return gHelpFile;
}

bool ShowHelp(int context) {
    if (gHelpFile.isEmpty() || !QFileInfo(gHelpFile).isFile()) return false;
    return gOpener ? gOpener(gHelpFile, context) : OpenWithDesktop(gHelpFile, context);
}

void SetOpener(Opener opener) {
    gOpener = std::move(opener);
}

} // namespace Platform::Help
