#pragma once

#include <QString>
#include <functional>

// The decisions of the shell's small dialogs and switches, kept apart from
// their windows.

// The language choice.
namespace ModSetLanguage {

// Takes a chosen language (1 English, 2 Chinese) over: the language, the help
// file and the language file follow it, and the main window refreshes its
// texts at its next activation. A choice equal to the current language, or
// no choice at all (0), changes nothing. True when the language changed.
bool ApplyLanguage(int newLanguage);

} // namespace ModSetLanguage

// The Factory and Lock switches behind the access code.
namespace ModSwitches {

// The access code of both switches.
inline constexpr const char* kAccessCode = "519";

// Shows the password dialog in access-code mode (showDialog runs it modally)
// and tells whether the code typed is the access code. The code and the mode
// are reset afterwards, whatever the answer.
bool AskAccessCode(const std::function<void()>& showDialog);

// The Factory switch takes the value (0 or 1): the test-data mode follows it
// and the settings file keeps it.
void ApplyFactory(int newValue);

// The Lock switch takes the value (0 or 1); the settings file keeps it.
void ApplyLock(int newValue);

} // namespace ModSwitches

// The multi-radio write count.
namespace ModMulSet {

extern qint16 gMulWriteCount; // radios to write one after another
extern qint16 gMulWriteRadio; // the radio being written, from 1

// What the count field makes of a typed character code: the character to
// insert (digits, "#", "*", "A" to "D"; "a" to "d" become capitals), the
// control character unchanged, kMoveOn for Enter (the focus moves on) or
// kDropped.
inline constexpr int kDropped = -1;
inline constexpr int kMoveOn = -2;
int FilterKey(int k);

// Switches the multi-radio write on for the count typed. A count that is not
// a whole number from 0 to 32767 switches nothing and returns false.
bool StartMulWrite(const QString& countText);

} // namespace ModMulSet
