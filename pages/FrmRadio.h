#pragma once

#include "pages/FeaturePage.h"
#include "platform/Forms.h"

class PageGrid;
class QLineEdit;

// The broadcast-radio presets page: 20 preset frequencies, 76 to 108 MHz on a
// 50 kHz raster, edited cell by cell in a grid. A cell is committed into
// gEditData when it is left.
//
// Controls: MSFlexGrid1 (21 rows x 2 columns), Text1 (the cell editor),
// CommandClose, CommandHelp.
class FrmRadio final : public Pages::FeaturePage, public Platform::Forms::Committing {
    Q_OBJECT
public:
    explicit FrmRadio(QWidget* parent = nullptr);

    // A typed text as the validated display text ("087.50000"), or "" for "".
    static QString CheckRadioFre(const QString& text);
    // A frequency in MHz put onto the 50 kHz raster.
    static double StepRadio(double mhz);
    // A display text as the frequency code to store ("08750000").
    static QString GetSaveRadioFreData(const QString& text);

    // The page's validate step: commits what the cell editor holds.
    void ValidateControls() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ChangShowByLanguage() override;
    void ShowPageData() override;
    void CommitCell();
    void EnterCell();
    QString ShownPreset(int index) const;

    PageGrid* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    int row_ = 0; // the cell being edited; 0: none
    int col_ = 0;
    bool dirty_ = false; // the editor's text was changed since it was filled
};
