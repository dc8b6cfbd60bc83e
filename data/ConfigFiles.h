#pragma once

#include "platform/FileReplace.h"

#include <QString>

namespace Views {
class MainWindow;
}

// Configuration files: the ".dat" record with its "NVD" and ".ted" side files,
// the default files of the program's "Init" folder and the unsaved-change test.
// The path is always gDataFileName. The main window (or null) is told to
// re-show its title, status bar and tree after a file was read or saved; open
// and import close its pages only once the file was read well, so a refused
// file leaves the screen as it was.

namespace ModShowFreFun {
// File Open: version check, read, the working copy and the program's model and
// band come from the file. False when nothing was opened (a message was shown).
bool OpenDataFile(Views::MainWindow* mainWindow);
// File Import: read without version check, keep the program's model and band.
bool ReopenDataFile(Views::MainWindow* mainWindow);
// File Save and Save As. False when the file could not be written; the data
// then still counts as unsaved.
bool SaveDataFile(Views::MainWindow* mainWindow);
// True when the working copy differs from the saved copy.
bool IsDataModified();
bool IsDataUnchanged();
} // namespace ModShowFreFun

namespace ModFreFile {
// Reads a default file whole (channel 1 only unless gInitAllChannels). A
// damaged file (also one naming no model) is named in a message unless
// `quiet`. False when the file was not taken.
bool LoadInitFile(const QString& path, bool quiet = false);
// Reads a per-model fallback default file and takes only its settings; the
// saved copy then equals the working one. False when it was not taken.
bool LoadInitSettings(const QString& path, bool quiet = false);
// The "NVD" side file of a ".dat" path, into gFileExtraData.
void LoadExtraFile(const QString& datPath);
// Every file the program writes goes through here: all of them are replaced,
// or none (Platform::FileReplace). On failure the message says so (text
// 9002), or, when old contents could not be put back, where they are kept; it
// names the files of the save that could not be removed.
bool WriteFiles(const QList<Platform::FileReplace::Content>& files);
// "radio.dat" gives "radio.NVD" / "radio.ted"; a name without ".dat" gets
// ".dat" first.
QString SideFileName(const QString& datPath, const QString& extension);
} // namespace ModFreFile

namespace ModInitV {
// File New's default file of the current model and band; without one that
// can be taken, the defaults as the pages show them (ApplyPageLoadRules).
void LoadInitData(bool quiet = false);
} // namespace ModInitV
