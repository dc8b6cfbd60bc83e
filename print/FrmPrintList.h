#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QPushButton;

// The print selection dialog: the user ticks the sections of the working
// configuration to print; OK runs the print job. Made anew for every Print
// command, so every box starts unticked.
class FrmPrintList final : public QDialog {
    Q_OBJECT
public:
    explicit FrmPrintList(QWidget* parent = nullptr);

    // The print job: asks for a printer and prints every chosen section into
    // one document. ModPrint::gPrintDone tells how it ended.
    void PrintAll();

private:
    void BuildControls();
    void ApplyLanguage();
    void SaveChoices();

    // control events
    void Check1_Click(int index);
    void CommandSelAll_Click();
    void CommandClrAll_Click();
    void CommandSet_Click();
    void CommandOK_Click();

    std::array<QCheckBox*, 8> Check1{};
    QCheckBox* Check2 = nullptr;
    QPushButton* CommandSelAll = nullptr;
    QPushButton* CommandClrAll = nullptr;
    QPushButton* CommandSet = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
};
