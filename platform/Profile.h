#pragma once

#include <QString>

namespace Platform {

// Private profile files ("ini" text files). Sections and keys are found
// without regard to case, the first match wins, values are trimmed and lose
// one pair of surrounding quotes. Files are UTF-8.

// Reads a value into a buffer of bufferSize characters: a longer text is cut
// to bufferSize - 1 characters. Missing file, section or key give the default
// (which is cut the same way).
QString GetProfileString(const QString& section, const QString& key, const QString& defaultValue,
                         const QString& path, int bufferSize = 255);

// Writes key=value into the section, creating the file and the section when
// they are missing. Every other line of the file is kept byte for byte.
// Returns false when the file could not be written.
bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& path);

} // namespace Platform
