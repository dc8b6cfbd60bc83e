#pragma once

#include "pages/FeaturePage.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

// How the optional-features page maps its controls to the fields of
// TOptFeatures. A control is named by its id: 0..11 Combo1(id), 20..26
// Check1(id - 20); id 26 is the ProhibitInit flag of the configuration.
namespace OptFeatRules {

inline constexpr int kProhibitInitId = 26;

// The place of the id's field in TOptFeatures; -1 for ProhibitInit and for
// ids that name no control.
int FieldOf(int id);
// The list index that shows a stored value of a combo id.
int IndexOfStored(int id, int value);
// The value a combo id stores for a list index.
int StoredOfIndex(int id, int index);

} // namespace OptFeatRules

// The optional features page: squelch, voice prompt, tail elimination,
// battery save, time-out timer, VOX, channel lock and group, wired clone and
// the prohibit-initialisation flag. Every choice is stored at once.
//
// Controls: Combo1 (0..11) with Label1 (0..11) before each, Check1 (0..6;
// 4 is never visible), CommandClose, CommandHelp.
class FrmOptFeatures final : public Pages::FeaturePage {
    Q_OBJECT
public:
    explicit FrmOptFeatures(QWidget* parent = nullptr);

    // Stores the value of the control named by id into gEditData.
    void SaveOptFeat(int id);
    // True when the index lies outside the box's list.
    static bool NotInComboList(const QComboBox* rCombo, int rIndex);

private:
    void BuildControls();
    void InitShowList() override;
    void ChangShowByLanguage() override;
    void ShowPageData() override;
    void ShowOptFeat(std::array<qint16, 18> fields);
    void ApplyVoxRule();

    std::array<QComboBox*, 12> Combo1{};
    std::array<QLabel*, 12> Label1{};
    std::array<QCheckBox*, 7> Check1{};
    bool showing_ = false;
};
