#pragma once

#include "pages/FeaturePage.h"
#include "platform/Forms.h"

class PageGrid;
class QLineEdit;

// The test frequencies page: the eleven test-frequency pairs of the
// configuration, edited cell by cell, beside the five fixed tuning pairs. A
// committed cell outside the band is held to the band with a warning.
//
// Controls: MSFlexGrid1 (12 rows x 3 columns, the pairs), MSFlexGrid2 (6 x 3,
// the fixed pairs), Text1 (the cell editor), Label1 (0, 1), CommandClose,
// CommandHelp.
class FrmTestFre final : public Pages::FeaturePage, public Platform::Forms::Committing {
    Q_OBJECT
public:
    explicit FrmTestFre(QWidget* parent = nullptr);

    // The cell below (row 11 goes to row 1) / to the right (after column 2,
    // column 1 of the next row) becomes current and is entered.
    void GridNextLine();
    void GridNextCol();

    // The page's validate step: commits what the cell editor holds.
    void ValidateControls() override;

    // Where the editor goes on Enter: the next row when column 1 is left empty.
    static bool EnterGoesToNextLine(int col, const QString& text) {
        return col == 1 && text.isEmpty();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ChangShowByLanguage() override;
    void ShowPageData() override;
    void CommitCell();
    void EnterCell();

    PageGrid* MSFlexGrid1 = nullptr;
    PageGrid* MSFlexGrid2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QWidget* Label1[2] = {};
    int row_ = 0; // the cell being edited; 0: none
    int col_ = 0;
    bool committed_ = true; // the editor's text is in gEditData already
};
