#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

// The start picture. Its timer, or a click on the picture, loads the main
// window once and closes the splash.
class frmSplash final : public QWidget {
    Q_OBJECT

public:
    explicit frmSplash(QWidget* parent = nullptr);

    // The picture file of the current language beside the program.
    static QString PictureFile();

    void picLogo_Click();
    void Timer1_Timer();
    QTimer& Timer1() { return timer1_; }
    QLabel* picLogo() const { return picLogo_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadMainWindow();

    QLabel* picLogo_ = nullptr;
    QTimer timer1_;
    bool done_ = false;
};
