#pragma once

#include <QChar>

class QWidget;

// Start-up of Corvan: settings, language, a new configuration, the splash.
namespace ModMain {

// The user's decimal separator found at start.
extern QChar gSavedDecimalSep;

// Language from the system, the default model and band, no password, no
// multi-radio write.
void InitGlobals();

// Reads the serial settings and switches of "mysetup.ini", runs the first-run
// set-up when the settings ask for it and writes port and language back. False
// when the first-run set-up was not completed, or when the language file in
// use is missing or unreadable (after a message in both languages that names
// it): the program then ends and nothing is written.
bool ReadSetupSettings();

// The whole start: true when the splash window was shown and the program runs
// on; false when it is to end at once.
bool Main();

// The splash window start-up showed (null before and after it closed).
QWidget* Splash();

} // namespace ModMain
