#pragma once

#include <QByteArray>
#include <QString>

namespace Platform {

// The "ANSI" code page follows the system language: GBK (936) on a Simplified
// Chinese system, Windows-1252 everywhere else.
int AnsiCodePage();

QString AnsiToString(const QByteArray& bytes);
QByteArray StringToAnsi(const QString& text);

} // namespace Platform
