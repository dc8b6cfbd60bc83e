#include "platform/App.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Platform {

namespace {
QString gAppPath;
QString gAppTitle;
QString gExeName;
} // namespace

QString AppPath() {
    if (gAppPath.isEmpty() && QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return gAppPath;
}

void SetAppPath(const QString& path) {
    gAppPath = path;
}

QString AppTitle() {
    if (gAppTitle.isEmpty() && QCoreApplication::instance())
        return QCoreApplication::applicationName();
    return gAppTitle;
}

void SetAppTitle(const QString& title) {
    gAppTitle = title;
}

QString ExeName() {
    if (gExeName.isEmpty() && QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return gExeName;
}

void SetExeName(const QString& name) {
    gExeName = name;
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    if (folder.endsWith(u'/')) return folder + name;
    return folder + u'/' + name;
}

} // namespace Platform
