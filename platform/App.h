#pragma once

#include <QString>

namespace Platform {

// The folder that holds the running program (the program folder of the
// installation); tests point it at a temporary copy.
QString AppPath();
void SetAppPath(const QString& path);

// The program's title, used as the caption of message boxes.
QString AppTitle();
void SetAppTitle(const QString& title);

// The file name of the running program without its folder ("corvan").
QString ExeName();
void SetExeName(const QString& name);

// Joins a folder and a name with exactly one "/" between them.
QString JoinPath(const QString& folder, const QString& name);

} // namespace Platform
