#pragma once

#include <QtGlobal>

// Program-wide state that the configuration data resets or consults but that
// the channel pages and the radio link own.

// Channel grid and detail editor: which group and cell are shown and edited.
extern int gGridGroup;            // group shown by the grid page, 0..7
extern int gGridRow;              // grid row last entered
extern int gEditGroup;            // group of the channel being edited, 0..7
extern int gEditRow;              // position 1..16 of the cell being edited
extern int gEditCol;              // column (= field id) of the cell being edited
extern bool gFormChInfoShown;     // the grid page is loaded
extern bool gFormCHInfoEditShown; // the detail editor is loaded
extern bool gSkipCellCheck;       // the grid's one-shot flags
extern bool gSkipEnterCell;

// Program switches read from the settings file at start-up.
extern int gLock;    // Lock switch, 0 or 1: the pages show their data with inputs disabled
extern bool gHelpOn; // a help file is available: the pages show their Help buttons

// Habit options.
struct THabits {
    bool NoPasteAsk = false;
    bool PasteInserts = false;
    bool NoDeleteAsk = false;
    bool DeleteClosesGap = false;
    bool TxAsOffset = false; // the transmit column shows and takes the signed offset
};
extern THabits gHabits;

// Radio link session: 0 idle, 1 read, 2 write, 3 radio information, 9 port search.
extern int gCommType;
extern int gReadStep;
extern int gWriteStep;
