#pragma once

#include "dealer/ModComm.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace Halbrek {

// Halbrek's only window: one radio's dealer information, the few fields that
// are written back, the commands, the port choice and the multi-write
// counters. Loading it starts the tool; closing it ends the tool.
class FrmMain : public QWidget, public SessionHost {
    Q_OBJECT
public:
    explicit FrmMain(QWidget* parent = nullptr);
    ~FrmMain() override;

    bool NewProtectPassword() override;
    bool SetProtectPassword() override;
    void GetDataByShow() override;
    void ShowByData() override;
    bool InComPorts(int port) const;
    bool ShowStartMulWrite() override;
    void ShowRadioNo(int number) override;
    void ShowStatus(const QString& text) override;
    void ShowCommState() override;

    // The text of box Text1(index) (the description box has several lines).
    QString BoxText(int index) const;
    void SetBoxText(int index, const QString& text);
    QLineEdit* LineBox(int index) const;

    // Controls.
    QGroupBox* Frame1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    std::array<QComboBox*, 2> Combo1{};
    QGroupBox* Frame2 = nullptr;
    std::array<QWidget*, 13> Text1{};
    QLabel* Label2 = nullptr;
    std::array<QLabel*, 14> Label1{};
    QLabel* Label3 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QLineEdit*, 2> Text2{};
    QLabel* Label6 = nullptr;
    QTimer ReShowComPortTimer;

    // Event handlers, public for the tests.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command7_Click();
    void Combo2_Click();
    void ReShowComPortTimer_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Form_Load();
    void Form_Unload();
    void SetLanguageText();
    // forSession: the dialog belongs to the running session, whose end
    // closes it.
    void ShowProtectDialog(bool forSession = false);
    void Text1_GotFocus(int index);
    bool Text1_KeyPress(int index, QKeyEvent* key);
    void FillPortList(const QStringList& items);

    bool unloaded_ = false;
    QPointer<QDialog> sessionDialog_;
};

} // namespace Halbrek
