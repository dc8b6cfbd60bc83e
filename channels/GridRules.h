#pragma once

#include "data/RadioData.h"

#include <QString>
#include <QStringList>
#include <array>

// The rules of the channel grid page that need no window: where a channel is
// shown, what a row shows, which editor a column opens and what it writes,
// which cell an entry really goes to, where Enter moves, which characters an
// editor keeps.
namespace GridRules {

inline constexpr int kRows = 17; // header row 0 and the 16 positions of a group
inline constexpr int kCols = 11;
inline constexpr int kRxCol = 1;
inline constexpr int kTxCol = 2;
inline constexpr int kNameCol = 3; // hidden, never filled from the record
inline constexpr int kLastEditCol = 9;
inline constexpr int kDetailCol = 10; // ">>"

enum class Editor { None, Text1, Text2, Combo1, Combo2, Combo3, Combo4, Combo5 };

// The in-cell editor of a column; None for columns 0 and 10.
Editor EditorOf(int col);
bool IsListEditor(Editor editor);
// The help context an editor takes when it opens on the column; 0 = not set.
int HelpContextOf(int col, bool offsetMode);
// The most characters a text editor takes.
int MaxLengthOf(Editor editor);

// Row 1..16 of channel number n on the page of group g (0-based), or 0 when the
// channel is not on that page.
int RowOfChannel(int number, int group);
int ChannelOfRow(int group, int row);

// The item lists of the list editors, index = stored value.
struct ListTexts {
    QStringList tones;     // the tone list; item 0 is text 14013
    QStringList power;     // 14014..14016
    QStringList scanSkip;  // 14017, 14018
    QStringList optSignal; // 14013, 14019
    QStringList bandwidth; // 14020..14022
    // The list of a list column (4..9); an empty list for other columns.
    const QStringList& ForColumn(int col) const;
};
// The lists from the current language file.
ListTexts LoadListTexts();

// What a row shows in columns 0..10 for one channel record (only 1, 2 and 4..9
// are filled; the others stay empty).
std::array<QString, kCols> RowTexts(const TChannel& channel, const ListTexts& lists,
                                    bool offsetMode);
// The stored value a list column (4..9) shows; -1 for other columns.
int ListValueOf(const TChannel& channel, int col);
// The text of the transmit column alone.
QString TxCellText(const TChannel& channel, bool offsetMode);

// The page caption: "<first> <group> --- <channel word> <row>]".
QString Caption(const QString& firstWord, const QString& channelWord, int group, int row);

// Which cell a cell entry really opens.
enum class Entry {
    Open,       // the editor of the entered cell
    RedirectRx, // a row without a receive frequency: its receive cell instead
    RedirectTx, // the transmit tone of a row without a transmit text: the transmit cell
};
Entry CellEntry(int col, bool rxCellEmpty, bool txCellEmpty, bool skipCheck);

// The column after col when Enter moves on (the hidden name column is skipped);
// 0 means past column 9: column 1 of the next line.
int NextCol(int col);
// The row after row; after 16 the page starts again at 1 (the group stays).
int NextLine(int row);
// Enter in a text editor moves to the next line (instead of the next column)
// only from an empty receive editor.
bool EnterGoesToNextLine(int col, const QString& text);

// The characters an editor of the column keeps, applied to any text that
// arrives (typed, pasted, dropped or composed): in the name column a to z
// become A to Z; everything else outside the column's set is dropped.
bool KeepChar(int col, bool offsetMode, QChar& c);
QString FilterText(int col, bool offsetMode, const QString& text);

// What a text editor writes back on Enter: the cell text shown at once and the
// value handed to SetChannelCell; write is false when nothing is written.
struct WriteBack {
    bool write = false;
    QString cellText;
    QString value;
};
WriteBack TextWriteBack(int col, const QString& text);

// "#0.00000" of a text that is a number; any other text stays as it is.
QString FormatFreqText(const QString& text);

// Whether a text left in a text editor names the value that the editor showed:
// in the frequency columns two numbers are the same frequency (500 and
// 500.00000), an offset also keeps its sign; any other text must be the same
// text.
bool SameValue(int col, bool offsetMode, const QString& text, const QString& shown);

// The row that keeps the edited row at its place on screen after the grid
// scrolled from editTopRow to newTopRow; the current row when that lies
// outside 1..16.
int RowAfterScroll(int currentRow, int editTopRow, int newTopRow);

} // namespace GridRules
