#pragma once

#include "data/Views.h"

#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The channel detail editor: one channel of gEditData (group Combo4, position
// Combo1) with every per-channel setting on one screen. Every change is
// written at once through ModShowFreFun::SetChannelCell, which re-shows the
// grid row and this window. It follows the grid page (gEditGroup, gEditRow)
// and turns the grid to its own group.
//
// Controls carry their window names (Combo4, Combo1, Text1, Text2, Combo3,
// CommandClose, CommandHelp); the arrays Combo2(0..10), Check1(0..6),
// Label2(0..1) and Label3(0..10) share their name and carry the property
// "Index".
class FrmCHInfoEdit final : public QWidget,
                            public Views::ChannelEditor,
                            public Views::CodeMemoryLists,
                            public Platform::Forms::Committing {
    Q_OBJECT

public:
    explicit FrmCHInfoEdit(QWidget* parent = nullptr);
    ~FrmCHInfoEdit() override;

    // The transmit field shows the signed offset (true) or the transmit
    // frequency (false).
    void ReShowEditTxFre(bool rOffSet) override;
    // Re-selects and re-shows: true follows gEditGroup/gEditRow (the grid's
    // channel), false this window's own selectors.
    void SetGridEditData(bool rIsGridChange) override;
    // The four busy-lockout texts (the hidden list Combo3).
    QStringList BusyLockMasterList() const override;
    // Fills the visible busy-lockout list and shows its item `shown` (-1: no
    // item, for a stored value the list does not offer), while this window
    // shows a channel; at any other time the list is left as it is (the
    // channel may not be the one shown).
    void ShowBusyLockChoices(const QStringList& items, int shown) override;
    // The validate step: writes what the user typed or chose and the channel
    // does not hold yet; an untouched window writes nothing.
    void ValidateControls() override;

    // While false, the lists' and boxes' change handlers write nothing.
    void SetWandToSave(bool wanted) override { WandToSave = wanted; }
    // The list index of the position selector Combo1.
    int PositionIndex() const override;
    // The two call lists follow an edit of a code memory; the channel keeps its
    // call (no item while that memory is empty).
    void RefreshCodeMemoryLists() override;
    bool WandToSave = false;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void InitComboList();
    void ChangShowByLanguage();
    void AlignLabel(QLabel* label, QWidget* control);
    void ShowPresent(int number);
    void ShowAbsent();
    void LockTreatment();
    int Group() const;
    int Position() const;
    void ShowHelpFor(const QWidget* control) const;

    // control events
    void Combo4_Click();
    void Combo1_Click();
    void Combo2_Click(int index);
    void Combo2_Validate(int index);
    void Check1_Click(int index);
    void Text1_Validate();
    void Text2_Validate();
    void Text_FocusIn(QLineEdit* text);
    void WriteList(int index);
    bool ListDiffersFromStored(int index) const;
    void CommandClose_Click();
    void Form_Unload();

    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* Combo4 = nullptr;
    QComboBox* Combo1 = nullptr;
    QFrame* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    std::array<QLabel*, 2> Label2{};
    std::array<QComboBox*, 11> Combo2{};
    std::array<QLabel*, 11> Label3{};
    std::array<QCheckBox*, 7> Check1{};
    QComboBox* Combo3 = nullptr;
    QPushButton* CommandClose = nullptr;
    QPushButton* CommandHelp = nullptr;

    bool text1Edited_ = false;
    bool text2Edited_ = false;
    QString shownText1_; // what the frequency fields showed at the last fill
    QString shownText2_;
    bool frameConnected_ = false;
    bool unloaded_ = false;
    int filling_ = 0; // inside SetGridEditData (nested calls count)
};
