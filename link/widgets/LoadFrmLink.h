#pragma once

#include "platform/serial/SerialControl.h"

#include <QByteArray>
#include <QDialog>
#include <QTimer>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The first-run link set-up: the user chooses the port, OK sends the
// handshake on the dialog's own serial control, and a radio's answer clears
// the first-run flag and closes the dialog. Its captions are fixed English
// texts.
class LoadFrmLink : public QDialog {
    Q_OBJECT
public:
    explicit LoadFrmLink(QWidget* parent = nullptr);
    ~LoadFrmLink() override;

    // Whether the bytes end with the radio's handshake acknowledgement.
    static bool IsLink2(const QByteArray& received);

    void ShowLinkInstructions();
    bool initComm2();
    void WriteLink2();

    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void LinkWaitTimer_Timer();
    void MSComm1_OnComm();
    void EndTimer_Timer();
    void ReCommTimer_Timer();

    int ResendCount() const { return resendCount_; }

    QLabel* Label1;
    QComboBox* Combo1;
    QPlainTextEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    Platform::SerialControl MSComm1;
    QTimer LinkWaitTimer;
    QTimer ReCommTimer;
    QTimer EndTimer;

protected:
    void done(int result) override;

private:
    void Form_Unload();
    // Selects the item of gComPort, or the first one, as a click on it.
    void SelectCurrentPort();
    int resendCount_ = 0;
};
