#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The number of radios to write one after another: OK switches the
// multi-radio write on for that count.
class FrmMulSet final : public QDialog {
    Q_OBJECT
public:
    explicit FrmMulSet(QWidget* parent = nullptr);

    void ShowByLanguage();

    void Command1_Click();
    void Command2_Click();

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;
};
