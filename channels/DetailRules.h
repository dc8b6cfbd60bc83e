#pragma once

#include "data/RadioData.h"

#include <QString>
#include <QStringList>

// The rules of the channel detail editor that need no window: which channel
// field each list and box writes, what a list's choice writes, which texts
// the fixed lists hold.
namespace DetailRules {

inline constexpr int kLists = 11; // Combo2(0) .. Combo2(10)
inline constexpr int kChecks = 7; // Check1(0) .. Check1(6)
inline constexpr int kBusyList = 6;
inline constexpr int kSelectorList = 7; // inversion / talk-around selector
inline constexpr int kCall1List = 8;
inline constexpr int kRelationList = 9;
inline constexpr int kCall2List = 10;

// Channel field id written by Combo2(i) and by Check1(i).
int ListFieldId(int list);
int CheckFieldId(int box);
// Text number of the label of Combo2(i) (calls add " 1" or " 2").
int ListLabelId(int list);
int ListHelpContext(int list);
int CheckHelpContext(int box);

// The fixed items of lists 2, 3, 4, 5, 7 and 9 as text numbers (empty for the
// tone, busy-lockout and call lists).
QList<int> FixedItemIds(int list);

bool IsCallList(int list);

// A list's choice is written only when the list shows a real item.
bool ShowsItem(const QString& shown);

// The value a list's choice writes: for a call list 0 for item 0, else the
// code memory number the item shows; for the busy-lockout list the index of
// the shown text in the master list; for the other lists the item index.
int ListValue(int list, int index, const QString& shown, const QStringList& busyMaster);

// The stored channel value that Combo2(i) shows (what ListValue writes).
int StoredListValue(const TChannel& channel, int list);

} // namespace DetailRules
