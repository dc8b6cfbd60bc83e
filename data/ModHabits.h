#pragma once

#include "data/RadioData.h"

#include <QString>

// The habit options of the channel editor (kept in "Habit.ini" beside the
// program) and the one-record channel clipboard that lives for the whole run.

// The channel clipboard: the whole record last copied, and whether there is one.
extern TChannel gEditClipboard;
extern bool gClipboardFull;

// The question the confirmation dialog asks: 1 paste, 2 delete.
extern qint16 gConfirmMode;

namespace ModHabits {

// Length of the habit file: five 16-bit flags.
constexpr int kHabitFileSize = 10;

// "Habit.ini" in the program's folder.
QString HabitFilePath();

// Empties the channel clipboard.
void ClearClipboard();

// Start-up: empties the clipboard, then reads the habit file into gHabits. A
// missing, short or unreadable file gives five false options.
void LoadHabits();

// Writes gHabits to the habit file (true as -1, false as 0). A failure is
// silent; the options stay in effect for the run.
void SaveHabits();

// The answer of the confirmation dialog: 0 none, 1 Yes, 2 No.
// With an answer, the question's habit and its "do not ask again" flag
// (boxTicked) are set from it for gConfirmMode and saved; without one,
// nothing changes.
void ApplyConfirmAnswer(int answer, bool boxTicked);

// The five options in field order (NoPasteAsk, PasteInserts, NoDeleteAsk,
// DeleteClosesGap, TxAsOffset).
bool HabitFlag(int index);
void SetHabitFlag(int index, bool value);

} // namespace ModHabits
