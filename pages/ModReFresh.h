#pragma once

#include <QList>
#include <QStringList>
#include <QtGlobal>

class QComboBox;

// The channel lists of the pages that name a channel (the emergency channel,
// the two priority channels), and the re-show of an open keys page.
namespace ModReFresh {

// The groups (1..8) that hold a channel of gEditData, ascending.
QStringList GroupListTexts();
// The positions (1..16) of the channels of one group, ascending; none for 0.
QList<int> GroupPositions(int group);

// Empties the list and fills it with the groups that hold channels.
void BuildGroupList(QComboBox* list);
// Empties the list and, unless group is 0, fills it with the positions of the
// channels of that group, ascending.
void FillChannelNoCombo(QComboBox* list, int group);

// Shows a stored reference in its two lists (the group list built already):
// the stored group is chosen by its text (the first group when missing,
// nothing in an empty list) and stored again from the choice (0 for none);
// the position list is refilled for it and the stored position is chosen the
// same way. The position list's choice handling stores the position shown.
void ShowChannelRef(QComboBox* groupList, QComboBox* positionList, quint8& group,
                    const quint8& position);

// The number a list entry stands for; 0 for an empty or non-numeric text.
int EntryValue(const QString& text);

// When the keys page is open, it shows the key functions stored again.
void RefreshKeyForm();

} // namespace ModReFresh
