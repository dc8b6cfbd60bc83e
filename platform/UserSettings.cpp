#include "platform/UserSettings.h"

#include <QSettings>
#include <memory>

namespace Platform {

namespace {
QString gFolder;

// One settings file per application name, below the organisation "Corvan".
QSettings* Open(const QString& appName) {
    if (gFolder.isEmpty())
        return new QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Corvan"),
                             appName);
    return new QSettings(gFolder + u'/' + appName + QStringLiteral(".conf"), QSettings::IniFormat);
}
} // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue) {
    std::unique_ptr<QSettings> s(Open(appName));
    return s->value(section + u'/' + key, defaultValue).toString();
}

void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value) {
    std::unique_ptr<QSettings> s(Open(appName));
    s->setValue(section + u'/' + key, value);
}

void SetUserSettingsFolder(const QString& folder) {
    gFolder = folder;
}

} // namespace Platform
