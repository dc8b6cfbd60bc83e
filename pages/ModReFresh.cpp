#include "pages/ModReFresh.h"

#include "data/ModFun.h"
#include "data/RadioData.h"
#include "data/Views.h"
#include "pages/PageInputs.h"
#include "platform/Forms.h"

#include <QComboBox>
#include <QStringList>
#include <algorithm>

namespace ModReFresh {

namespace {

int GroupOf(int number) {
    return ((number - 1) - ((number - 1) % 16)) / 16 + 1;
}
int PositionOf(int number) {
    return ((number - 1) % 16) + 1;
}

// Ascending by value (the entries are distinct).
template <typename T, typename Value> void SortByValue(QList<T>& items, Value value) {
    std::sort(items.begin(), items.end(),
              [&value](const T& a, const T& b) { return value(a) < value(b); });
}

} // namespace

QStringList GroupListTexts() {
    QStringList groups;
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        const int n = gEditData.Channels[static_cast<std::size_t>(i)].Number;
        if (n < 1 || n > kMaxChannels) continue; // a damaged number names no group
        const QString text = QString::number(GroupOf(n));
        if (!groups.contains(text)) groups << text;
    }
    SortByValue(groups, [](const QString& t) { return t.toInt(); });
    return groups;
}

QList<int> GroupPositions(int group) {
    QList<int> positions;
    if (group == 0) return positions;
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        const int n = gEditData.Channels[static_cast<std::size_t>(i)].Number;
        if (n < 1 || n > kMaxChannels) continue;
        if (GroupOf(n) == group) positions << PositionOf(n);
    }
    SortByValue(positions, [](int p) { return p; });
    return positions;
}

void BuildGroupList(QComboBox* list) {
    Pages::FillList(list, GroupListTexts());
}

void FillChannelNoCombo(QComboBox* list, int group) {
    QStringList items;
    for (int p : GroupPositions(group))
        items << QString::number(p);
    Pages::FillList(list, items);
}

void ShowChannelRef(QComboBox* groupList, QComboBox* positionList, quint8& group,
                    const quint8& position) {
    Pages::ChooseText(groupList, QString::number(group));
    group = static_cast<quint8>(EntryValue(groupList->currentText()));
    FillChannelNoCombo(positionList, group);
    Pages::ChooseText(positionList, QString::number(position));
}

int EntryValue(const QString& text) {
    const qint32 v = ModFun::ValOrDefault(text, 0);
    return v < 0 || v > 255 ? 0 : v;
}

void RefreshKeyForm() {
    if (auto* keys = Views::Open<Views::KeyPage>()) keys->ShowKeyFunctions();
}

} // namespace ModReFresh
