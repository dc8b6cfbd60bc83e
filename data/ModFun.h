#pragma once

#include <QString>
#include <QStringList>

// Small helpers that every window and module shares.
namespace ModFun {

// The value a check box takes: 1 when v is not 0, else 0.
int IntToBool(int v);

// Reads a stored fixed-length text: trailing blanks are removed first, then
// the text is cut before its first NUL (blanks before a NUL stay).
QString TrimNull(const QString& text);

// The text as a 32-bit number when it is non-empty and numeric, else the
// default.
qint32 ValOrDefault(const QString& text, qint32 defaultValue);

// The part of a path after its last folder separator.
QString GetFileName(const QString& path);

// The channel number before the first channel of group g (0-based): 16 * g.
int GroupBase(int group);

// Sets gBandLimits from gBandText: the low limit is the number in its first
// three characters, the high limit the number in its characters 7 to 9.
void ParseBandLimits();

// DTMF digits as the user types them ("*", "#") and as the radio holds them
// ("E", "F").
QString DtmfTextToCode(const QString& text);
QString DtmfCodeToText(const QString& code);

// List lookups behind the combo helpers; they never fail on an empty list or
// an index outside it.
// The first item equal to the text, the first item when none is, "" when empty.
QString FindListItem(const QStringList& items, const QString& text);
// The item at the index, the first item when the index is outside, "" when empty.
QString ListItemAt(const QStringList& items, int index);
// The default when the list or the text is empty, else the index of the first
// equal item, or 0 when none is equal.
int FindListIndex(const QStringList& items, const QString& text, int defaultIndex);

} // namespace ModFun
