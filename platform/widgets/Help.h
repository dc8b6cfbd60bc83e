#pragma once

#include <QString>
#include <functional>

// The program's help file: start-up and the language choice set it, Help
// commands and buttons open it at a context number (ModFun::OpenHelp, which
// says so when it cannot).
namespace Platform::Help {

void SetHelpFile(const QString& path);
QString HelpFile();

// Opens the help file at the context number (0: its start). False when there
// is no help file or it could not be opened. The desktop's opener tells only
// later whether it managed: when it fails, `failed` runs then (the window
// goes on meanwhile).
bool ShowHelp(int context = 0, std::function<void()> failed = {});

// Who opens the file; by default the desktop's opener "xdg-open". Tests
// install a recorder; an empty function restores the default.
using Opener = std::function<bool(const QString& path, int context)>;
void SetOpener(Opener opener);

} // namespace Platform::Help
