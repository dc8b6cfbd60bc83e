#pragma once

#include "pages/FeaturePage.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;

// The radio information view: shows gLocalInfo, the model, band and dealer
// data of the radio last asked for its information. Nothing on it can be
// changed; every input is disabled from the start.
//
// Controls (object names as on the window): Text1 (0..11; 4 is the multi-line
// description), Combo1 (0 model, 1 band), Label1 (0..13), Label2, Frame1 with
// the dealer fields Text1 (8..11), CommandClose, CommandHelp. The printed
// report reads their captions and texts.
class FrmRadioInfo final : public Pages::FeaturePage {
    Q_OBJECT
public:
    explicit FrmRadioInfo(QWidget* parent = nullptr);

    // Copies gLocalInfo into the controls.
    void ShowByData();

private:
    void BuildControls();
    void InitShowList() override;
    void ChangShowByLanguage() override;
    void ShowPageData() override { ShowByData(); }
    void SetText1(int index, const QString& text);

    std::array<QWidget*, 12> Text1{};
    std::array<QComboBox*, 2> Combo1{};
    std::array<QLabel*, 14> Label1{};
    QLabel* Label2 = nullptr;
    QGroupBox* Frame1 = nullptr;
};
