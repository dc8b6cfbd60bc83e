#pragma once

#include "data/Views.h"
#include "pages/FeaturePage.h"

#include <QStringList>
#include <array>

class QComboBox;
class QLabel;

// The rules of the alert page, apart from the page.
namespace AlertRules {

// "M" and the number of every DTMF code memory in use, ascending.
QStringList MemoryItems();
// The memory number an entry of the ID number list names; 0 for none.
int MemoryOf(const QString& item);

// The enabled state of lists 0..9 after the rules for the chosen alarm mode,
// alarm type and channel selection (-1: none chosen); the states a rule does
// not decide are kept from current.
using Enabled = std::array<bool, 10>;
Enabled AlarmModeRule(Enabled current, int alarmMode, int alarmType, int channelSelect);
Enabled AlarmTypeRule(Enabled current, int alarmType);
Enabled ChannelSelectRule(Enabled current, int channelSelect);

} // namespace AlertRules

// The emergency alert page: alarm mode (gEditExtraData), alarm type, ID type
// and number, alarm, transmit and receive times, channel selection, the
// emergency channel and the period (TAlertSetting of gEditData).
//
// Controls: Combo1 (10 alarm mode, 0 alarm type, 1 ID type, 2 ID number, 3
// alarm time, 4 transmit time, 5 receive time, 6 channel selection, 7 and 8
// group and position of the emergency channel, 9 period), Label1 of the same
// indexes, CommandClose, CommandHelp. The lists take keys as plain lists do.
class FrmAlert final : public Pages::FeaturePage,
                       public Views::ChannelRefPage,
                       public Views::CodeMemoryLists {
    Q_OBJECT
public:
    explicit FrmAlert(QWidget* parent = nullptr);

    // Rebuilds the group list and shows the emergency channel again; the
    // channel editor calls it by name after channel edits.
    void ReshowByCh() override;
    // While the ID type names a code memory, the ID number list follows an
    // edit of the memories.
    void RefreshCodeMemoryLists() override;

private:
    void BuildControls();
    void InitShowList() override;
    void ChangShowByLanguage() override;
    void ShowPageData() override;
    void Chosen(int list);
    void ApplyRule(AlertRules::Enabled (*rule)(AlertRules::Enabled, int), int choice);
    void SetEnabled(const AlertRules::Enabled& on);
    AlertRules::Enabled CurrentEnabled() const;
    void FillMemoryList();

    std::array<QComboBox*, 11> Combo1{};
    std::array<QLabel*, 11> Label1{};
};
