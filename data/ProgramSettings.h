#pragma once

#include "data/RadioImage.h"
#include "data/SharedState.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <array>
#include <utility>

// The program's settings and switches (the Lock switch and the help flag are
// in SharedState.h): what start-up reads from the shared
// settings file "mysetup.ini" and from "Setting.ini", and the small program-wide
// flags that start-up resets.

extern qint16 gCurrentLanguage; // 1 English, 2 Chinese
extern qint16 gPrevLanguage;    // language the main window's texts were last set in
extern bool gFirstRun;          // the first-run link set-up is pending
extern qint16 gComPort;         // serial port number 1..255
extern qint16 gHandshaking;     // 0..3
extern qint16 gStopBit;         // 1 or 2
extern qint16 gFactory;         // Factory switch, 0 or 1
extern qint16 gFixedPortList;   // the port dialogs offer a fixed list (never on this platform)
extern qint16 gPassWordMode;    // mode of the password dialog: 0 radio password, -1 access code
extern QString gProgPassword;   // the radio programming password the user gave
extern bool gPasswordGiven;
extern bool gMulWriteOn; // the multi-radio write is on

namespace ModSettings {

// "language/mysetup.ini" in the version root above the program folder, shared
// by every installed program version.
QString SetupFilePath();

// A key of the section "language", trimmed; "" when the file or key is missing.
QString ReadSetupKey(const QString& key);
// Writes the key (the folder and file are created when missing). False when
// the file could not be written.
bool WriteSetupKey(const QString& key, const QString& value);
bool WriteSetupKey(const QString& key, int value);
// What a command stores: every key is written, also after one failed. When
// any could not be written the user is told once (text 9120, naming the file)
// and false is returned; the values in memory stay in use for the session.
bool SaveSetupKeys(const QList<std::pair<QString, int>>& keys);

// "Setting.ini" beside the program.
QString SettingFilePath();
// Reads the four bytes into gSavedIdentFlags (RadioImage.h); any failure gives four zeros.
// A missing file is created empty, as the first read always did.
void ReadSettingFile();
// Writes gSavedIdentFlags as the file's one 4-byte record. False on failure.
bool WriteSettingFile();

// The help file of a language: "Corvan_C.chm" for 2, "Corvan_E.chm" otherwise.
QString HelpFileName(int language);
// The help file of the current language beside the program.
QString HelpFilePath();

// The language file that belongs to a language number: 1 English, 2 Chinese;
// any other number keeps the file in use.
void SetLanguageFile(int language);

} // namespace ModSettings
