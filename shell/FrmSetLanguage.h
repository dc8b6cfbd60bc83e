#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// The language choice: English or Chinese. OK takes the choice over and keeps
// it in the settings file; the main window shows it at its next activation.
class FrmSetLanguage final : public QDialog {
    Q_OBJECT
public:
    explicit FrmSetLanguage(QWidget* parent = nullptr);

    void ShowByLanguage();
    void InitList();
    void ApplyLanguage();

    void CommandOK_Click();
    void CommandCancel_Click();

    QLabel* Label1;
    QComboBox* Combo1;
    QPushButton* CommandOK;
    QPushButton* CommandCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
