#pragma once

#include "data/Views.h"

#include <functional>

// The channel edit commands of the grid page's current channel: cut, copy,
// paste, insert, delete, move up and move down, with the one-record channel
// clipboard (gEditClipboard) and the habit options. The commands change the
// channel records of gEditData directly, keep every channel inside its group
// of 16 and re-show the open grid page and detail editor.
//
// Positions are 1..16, groups 0..7; channel number = group * 16 + position.
namespace ModCHEdit {

void CopyChannel(int position, int group);
void CutCommand(int position, int group);
void PasteCommand(int position, int group);
void InsertCommand(int position, int group);
void DeleteCommand(int position, int group);
// grid: the grid page (may be null); its current row follows the moved channel.
void MoveUpCommand(Views::ChannelGrid* grid, int position, int group);
void MoveDownCommand(Views::ChannelGrid* grid, int position, int group);

void ClearChannel(int position, int group);
void ShiftDownInGroup(int position, int group);
void ShiftUpInGroup(int position, int group);
void PasteChannel(int position, int group);
void RefreshChannel(int position, int group);
void RefreshAllChannels();

// A record with that number exists, has a receive frequency and is not
// marked empty.
bool ChannelHasData(int number);

// Tells the main window which edit commands the channel with that number
// allows: cut and copy when it has data, paste when the clipboard holds a
// record, the others always.
void UpdateEditCommands(Views::MainWindow* main, int number);

// Runs a pending command code of the main window's edit timer: 1 cut, 2 copy,
// 3 paste, 4 insert, 5 delete, 6 move up, 7 move down (on the grid page's
// current channel; nothing without a grid page), 8 the habit options dialog.
void RunCommand(int code);

// How the paste (gConfirmMode 1) or delete (2) question is asked; by default
// the confirmation dialog, modal. The answer is stored in the habit options.
void SetConfirmAsker(std::function<void()> ask);

} // namespace ModCHEdit
