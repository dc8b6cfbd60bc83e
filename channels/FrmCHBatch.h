#pragma once

#include "channels/BatchApply.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The batch channel setting page: a modal dialog that writes the chosen channel
// items into every channel number of a range (BatchApply). Which items it
// offers is kept in gBatchFunFlags and BatchFun.ini; every other input starts
// from its default at each opening.
//
// Controls carry their window names as object names; members of a control
// array share the name and carry their index in the property "Index".
class FrmCHBatch : public QDialog {
    Q_OBJECT
public:
    explicit FrmCHBatch(QWidget* parent = nullptr);
    ~FrmCHBatch() override;

    void InitShowList();
    void ChangShowByLanguage();
    void ShowBatchFun();
    void SetShowData();
    QString DefaultData(const QString& rData, const QString& rDef);
    double StepDataFre(double rData);
    QString StepDataFree(const QString& rData);
    QString StepData(const QString& rData);

    // The values of the page as Apply reads them.
    BatchInput ReadInput() const;
    // Apply draws random tones through this (tests); by default from the clock.
    void SetRandom(BatchApply::Random random) { random_ = std::move(random); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildValuesFrame();
    void BuildItemFrame();
    void ShowItem(int item);
    void ShowHelpFor(const QWidget* control) const;

    // control events
    void Check2_Click(int index);
    void Option1_Click(int index);
    void Option3_Click(int index);
    void Check3_Click(int index);
    void Text1_Change(int index);
    void Text2_Change(int index);
    void Text2_LostFocus(int index);
    void CommandFun_Click();
    void CommandSelAll_Click();
    void CommandSelNone_Click();
    void CommandApply_Click();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    std::array<QLineEdit*, 2> Text1{};
    QPushButton* CommandFun = nullptr;
    QCheckBox* Check4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    std::array<QFrame*, 5> Frame3{};
    QFrame* Line1 = nullptr;
    std::array<QLabel*, 15> Label3{};
    std::array<QLabel*, 7> Label4{};
    std::array<QLineEdit*, 7> Text2{};
    std::array<QRadioButton*, 2> Option2{};
    std::array<QRadioButton*, 3> Option3{};
    std::array<QRadioButton*, 2> Option4{};
    std::array<QRadioButton*, 2> Option5{};
    std::array<QRadioButton*, 2> Option9{};
    std::array<QRadioButton*, 2> Option10{};
    std::array<QComboBox*, 11> Combo1{};
    std::array<QCheckBox*, 7> Check1{};
    std::array<QCheckBox*, 3> Check3{};
    std::array<QCheckBox*, 22> Check2{}; // indexes 4 and 5 are not used
    QPushButton* CommandSelAll = nullptr;
    QPushButton* CommandSelNone = nullptr;
    QPushButton* CommandApply = nullptr;
    QPushButton* CommandClose = nullptr;

    // The value controls of each item (with their field labels and heading).
    std::array<QList<QWidget*>, ModBatch::kBatchItemCount> itemControls_;
    bool ShowItemFrame = false;
    BatchApply::Random random_;
};
