#pragma once

#include "data/Views.h"
#include "pages/FeaturePage.h"

#include <QList>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;

// The rules of the scan page, apart from the page.
namespace ScanRules {

// The revert options (codes 0..7) that a priority mode (0..3) offers, in
// code order; none without a mode (-1).
QList<int> RevertCodes(int priorityMode);

// Which inputs are enabled for the chosen scan mode and priority mode (-1:
// none chosen): entry i for list i (1..10), entry 11 for the scan-tone box.
// No answer when no scan mode is chosen: nothing changes then.
using Enabled = std::array<bool, 12>;
std::optional<Enabled> Enabling(int scanMode, int priorityMode);

} // namespace ScanRules

// The scan page: scan mode, priority mode and channels, revert option,
// look-back times, resume delays and scan tone (TScanSetting of gEditData).
//
// Controls: Combo1 (0 scan mode, 1 priority mode, 2 and 3 group and position
// of priority channel 1, 4 and 5 of priority channel 2, 6 revert option, 7 and
// 8 look-back times A and B, 9 and 10 receive and transmit resume delays),
// Label1 of the same indexes, the hidden list of all revert options Combo2,
// the scan-tone box Check1, CommandClose, CommandHelp.
class FrmScan final : public Pages::FeaturePage, public Views::ChannelRefPage {
    Q_OBJECT
public:
    explicit FrmScan(QWidget* parent = nullptr);

    // Fills the revert list for the chosen priority mode and enables the
    // priority-channel lists that mode uses.
    void InitRevertList();
    // Rebuilds the group lists and shows both priority channels again; the
    // channel editor calls it by name after channel edits.
    void ReshowByCh() override;

private:
    void BuildControls();
    void InitShowList() override;
    void FitListsToItems();
    void ChangShowByLanguage() override;
    void ShowPageData() override;
    void SetScanEnabled();
    void Chosen(int list);
    void SelectRevert(int code);
    int RevertCodeOf(const QString& text) const;

    std::array<QComboBox*, 11> Combo1{};
    std::array<QLabel*, 11> Label1{};
    QComboBox* Combo2 = nullptr;
    QCheckBox* Check1 = nullptr;
};
