#include "channels/DetailRules.h"

#include "platform/Numbers.h"

#include <array>

namespace DetailRules {

namespace {

constexpr std::array<int, kLists> kListFields = {4, 5, 6, 8, 10, 9, 11, 12, 13, 21, 22};
constexpr std::array<int, kChecks> kCheckFields = {7, 14, 15, 16, 17, 18, 19};
constexpr std::array<int, kLists> kListLabels = {15005, 15006, 15007, 15008, 15009, 15010,
                                                 15011, 15012, 15013, 15022, 15013};
constexpr std::array<int, kLists> kListHelp = {3105, 3106, 3107, 3108, 3109, 3110,
                                               3111, 3112, 3113, 3114, 3113};

bool InList(int i) {
    return i >= 0 && i < kLists;
}

} // namespace

int ListFieldId(int list) {
    return InList(list) ? kListFields[static_cast<std::size_t>(list)] : 0;
}

int CheckFieldId(int box) {
    return box >= 0 && box < kChecks ? kCheckFields[static_cast<std::size_t>(box)] : 0;
}

int ListLabelId(int list) {
    return InList(list) ? kListLabels[static_cast<std::size_t>(list)] : 0;
}

int ListHelpContext(int list) {
    return InList(list) ? kListHelp[static_cast<std::size_t>(list)] : 0;
}

int CheckHelpContext(int box) {
    return box >= 0 && box < kChecks ? 3115 + box : 0;
}

QList<int> FixedItemIds(int list) {
    switch (list) {
    case 2:
        return {15044, 15045, 15046};
    case 3:
        return {15030, 15043};
    case 4:
        return {15030, 15037, 15038, 15039};
    case 5:
        return {15040, 15041, 15042};
    case kSelectorList:
        return {15034, 15035};
    case kRelationList:
        return {15050, 15051};
    default:
        return {};
    }
}

int StoredListValue(const TChannel& ch, int list) {
    const qint16 values[kLists] = {ch.RxTone, ch.TxTone,         ch.TxPower,  ch.OptSignal,
                                   ch.PttId,  ch.Bandwidth,      ch.BusyLock, ch.InvTalkSelect,
                                   ch.Call1,  ch.SignalRelation, ch.Call2};
    return InList(list) ? values[list] : 0;
}

bool IsCallList(int list) {
    return list == kCall1List || list == kCall2List;
}

bool ShowsItem(const QString& shown) {
    return !shown.isEmpty() && shown != QLatin1String(" ");
}

int ListValue(int list, int index, const QString& shown, const QStringList& busyMaster) {
    if (IsCallList(list)) {
        if (index <= 0 || !Platform::IsNumeric(shown)) return 0;
        return static_cast<int>(Platform::Val(shown));
    }
    if (list == kBusyList)
        return static_cast<int>(std::max<qsizetype>(0, busyMaster.indexOf(shown)));
    return index;
}

} // namespace DetailRules
