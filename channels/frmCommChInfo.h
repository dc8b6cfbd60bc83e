#pragma once

#include "channels/GridRules.h"
#include "data/Views.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QMdiSubWindow;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

// The channel grid page: one group of 16 channels of gEditData in a grid of
// 17 rows and 11 columns (row 0 and column 0 fixed, column 3 hidden), edited
// cell by cell through floating editors. Every change goes through
// ModShowFreFun::SetChannelCell, which calls reShowGrid back.
//
// The controls carry their window names as object names (Label1, Combo7,
// MSFlexGrid1, Text1, Text2, Combo1 .. Combo5, CommandClose,
// CommandCHInfoEdit, CommandHelp, TimerCHEdit, ScrollTimer); the channel edit
// commands ask for the current row and the group shown. The right-click menu
// is the main window's channel edit menu.
class frmCommChInfo : public QWidget,
                      public Views::ChannelGrid,
                      public Platform::Forms::Committing {
    Q_OBJECT

public:
    explicit frmCommChInfo(QWidget* parent = nullptr);
    ~frmCommChInfo() override;

    // Re-shows the header and the transmit column of the shown group in the
    // given offset mode.
    void ReShowAllTxFre(bool rOffSet) override;
    // Re-shows columns 1, 2 and 4..9 of all rows from the channel table.
    void reShowAllGrid() override;
    // Re-shows the row of channel number rRow.
    void reShowGrid(int rRow) override;
    // Hides every in-cell editor; writes nothing.
    void SetEditDisable() override;
    // Shows group gEditGroup (runs the whole group change).
    void ChangeGroup() override;
    // The receive-first rule: false (and the cell moved to column 1) when the
    // current row has no receive frequency.
    bool FlexConcludeRx();
    // Opens the editor of the current cell.
    void EnterGridEdit();
    // Hides every visible in-cell editor without writing.
    void InvalidEdit() override;
    void GridNextLine();
    void GridNextCol();
    // The page's validate step: the open in-cell editor writes its text when
    // it names another value than the editor showed on its cell (an untouched
    // editor, or 500 typed over 500.00000, writes nothing). The main window
    // runs it before every command that reads, saves, sends or replaces the
    // configuration; the page runs it when it unloads and when another window
    // of the main window takes over.
    void ValidateControls() override;

    // While true the page ignores the grid's scrolling (set by the channel
    // edit commands while they run).
    void SetCodeMoveTopRow(bool moving) override { CodeMoveTopRow = moving; }
    bool CodeMoveTopRow = false;
    // The current row of MSFlexGrid1 (1..16) and the group of Combo7 (0..7).
    int CurrentRow() const override;
    int ShownGroup() const override;
    void SetCurrentRow(int row) override;
    QRect AreaTaken() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PendingEdit {
        bool open = false; // an editor was opened and not hidden since
        // the user typed in it since it opened, last wrote, or last took a
        // value that another window stored in its field
        bool typed = false;
        int group = 0;
        int row = 0;
        int col = 0;
        QString shownText;   // what a text editor showed then
        int shownIndex = -1; // the item a list editor showed then
    };

    void BuildControls();
    void InitShowGrid();
    void ChangShowByLanguage();
    void SetGridData();
    void ApplyLock();
    void FillRow(int row, const TChannel& channel);
    void ClearRow(int row);
    QTableWidgetItem* Cell(int row, int col) const;
    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString& text);
    QWidget* EditorWidget(GridRules::Editor editor) const;
    QComboBox* ListEditor(GridRules::Editor editor) const;
    void HideEditors();
    void PlaceEditor(QWidget* editor, int row, int col, bool keepHeight);
    void SetCurrentCell(int row, int col);
    int TopRow() const;
    void FitToTexts();
    int CurrentCol() const;
    void SetCaption(qint32 firstWordId);
    void ShowInMain(bool shown);
    void UpdateEditCommands(int number);
    void FollowInDetailEditor();
    void ShowDetailEditor();
    void PlaceBesideGrid(QWidget* editor);
    void ExitGridEdit();
    void SetShowEditData();
    bool WritePending(const QString& value);
    void MarkWritten();
    void CommitOpenEditor(bool leavingCell);
    void RefreshOpenEditor(int row);
    int StoredListIndex(int row, int col, const QComboBox* list) const;

    // control events
    void Combo7_Click();
    void MSFlexGrid1_EnterCell();
    void MSFlexGrid1_RowColChange();
    void MSFlexGrid1_Click();
    void MSFlexGrid1_DblClick();
    void MSFlexGrid1_RightDown(const QPoint& pos);
    void MSFlexGrid1_Scroll();
    void Text_Enter(QLineEdit* editor);
    void List_Click(GridRules::Editor editor);
    void CommandCHInfoEdit_Click();
    void Form_Activate();
    void Form_Deactivate();
    void Form_Unload();
    // The main window's text-box menu hook on Text1, installed on load and
    // removed on unload.
    void HookTextMenu();
    void UnhookTextMenu();

    QLabel* Label1 = nullptr;
    QComboBox* Combo7 = nullptr;
    QTableWidget* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    std::array<QComboBox*, 1> Combo1{};
    std::array<QComboBox*, 1> Combo2{};
    std::array<QComboBox*, 1> Combo3{};
    std::array<QComboBox*, 1> Combo4{};
    std::array<QComboBox*, 1> Combo5{};
    QPushButton* CommandClose = nullptr;
    QPushButton* CommandCHInfoEdit = nullptr;
    QPushButton* CommandHelp = nullptr;
    QTimer* TimerCHEdit = nullptr;
    QTimer* ScrollTimer = nullptr;

    GridRules::ListTexts lists_;
    PendingEdit edit_;
    bool writing_ = false; // the open editor's own value is being written
    bool FirstActivate = false;
    bool PageReady = false;
    bool Relabelling = false;
    bool active_ = false;
    bool unloaded_ = false;
    int LastEditRow = 0;
    int LastEditCol = 0;
    int EditTopRow = 1;
    QMdiSubWindow* frame_ = nullptr;
};
