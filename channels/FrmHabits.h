#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QPushButton;

// The habit options dialog: one box per option in field order (Check1(0)
// to Check1(4)); OK stores and saves them, Cancel leaves them as they were.
class FrmHabits final : public QDialog {
    Q_OBJECT

public:
    explicit FrmHabits(QWidget* parent = nullptr);

private:
    void CommandOK_Click();

    std::array<QCheckBox*, 5> Check1{};
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
};

// The paste or delete question of the channel edit commands (gConfirmMode 1
// or 2), with a box that stops it from being asked again. The answer becomes
// the habit when the dialog closes; closing it without Yes or No changes
// nothing.
class FrmMsgConfirm final : public QDialog {
    Q_OBJECT

public:
    explicit FrmMsgConfirm(QWidget* parent = nullptr);
    ~FrmMsgConfirm() override;

    // 0 none, 1 Yes, 2 No.
    int Answer() const { return answer_; }

private:
    void Form_Unload();

    class QLabel* Label1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
    int answer_ = 0;
    bool unloaded_ = false;
};
