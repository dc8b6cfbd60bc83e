#pragma once

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;

// The model and band dialog: the model and band the program works with. A
// different pair, once confirmed, replaces the configuration with a new one
// from the defaults of that model and band.
//
// Controls: Combo1 (model), Combo2 (band), Label1 (0 model, 1 band),
// CommandOK, CommandCancel.
class FrmModelInfo final : public QDialog {
    Q_OBJECT
public:
    explicit FrmModelInfo(QWidget* parent = nullptr);

    // Refills the band list for a model: the 17 band texts for "KL740" and
    // "KL740G", none for any other text; the first item is then chosen.
    void FillBandList(const QString& model);

    // True when the chosen pair differs from the program's (exact texts).
    static bool ChoiceDiffers(const QString& model, const QString& band);
    // Takes the pair as the program's model and band: the model block of
    // gEditData, the band of gLocalInfo and the band limits follow.
    static void TakeModelAndBand(const QString& model, const QString& band);

private:
    void ChangShowByLanguage();
    void ShowModelInfo();
    void CommandOK_Click();

    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    std::array<QLabel*, 2> Label1{};
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
};
