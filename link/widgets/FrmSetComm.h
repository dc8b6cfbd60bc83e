#pragma once

#include <QDialog>
#include <QTimer>
#include <array>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The port dialog: sixteen port options, enabled for the ports the system
// has and refreshed once a second; OK keeps the chosen port in gComPort and
// in the settings file.
class FrmSetComm : public QDialog {
    Q_OBJECT
public:
    explicit FrmSetComm(QWidget* parent = nullptr);

    void SetLanguageCaptions();
    void RefreshPortOptions();
    void ShowCurrentPort();
    void SaveComPort();

    void CommandOK_Click();
    void CommandCancel_Click();
    void ReCommTimer_Timer();

    // The index of the selected option, -1 when none is.
    int SelectedOption() const;
    // Selects option i; -1 selects none.
    void SelectOption(int i);

    QGroupBox* Frame1;
    std::array<QRadioButton*, 16> Option1{};
    QPushButton* CommandOK;
    QPushButton* CommandCancel;
    QTimer ReCommTimer;

protected:
    void done(int result) override;

private:
    void Form_Unload();
    QButtonGroup* options_;
};
