#pragma once

#include <QString>

namespace Platform {

// The user-settings store of a program: values under an application name, a
// section and a key, kept per user between runs.
QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue);
void SaveSetting(const QString& appName, const QString& section, const QString& key,
                 const QString& value);

// Keeps the store in a folder of the caller's choosing (tests); an empty path
// restores the user's own store.
void SetUserSettingsFolder(const QString& folder);

} // namespace Platform
