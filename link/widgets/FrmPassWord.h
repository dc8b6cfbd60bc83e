#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The password dialog: the radio's programming password (password mode) or
// the access code of the Factory and Lock switches (access-code mode).
// Results go to gProgPassword or gAccessCodeBuf and gPasswordGiven.
class FrmPassWord : public QDialog {
    Q_OBJECT
public:
    explicit FrmPassWord(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;

private:
    void CommandOK_Click();
};
