#include "shell/frmSplash.h"

#include "data/ProgramSettings.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "shell/frmMain.h"
#include "shell/pictures/Pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    picLogo_ = new QLabel(this);
    picLogo_->setObjectName(QStringLiteral("picLogo"));
    picLogo_->installEventFilter(this);
    layout->addWidget(picLogo_);

    // The picture of the current language; the built-in one when the file is
    // missing or unreadable.
    QPixmap picture(PictureFile());
    if (picture.isNull())
        picture = QPixmap::fromImage(Pictures::StartPicture(gCurrentLanguage == 2 ? 2 : 1));
    picLogo_->setPixmap(picture);
    setFixedSize(picture.size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(2000);
    timer1_.setSingleShot(true);
    connect(&timer1_, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Platform::Forms::Register(this);
    timer1_.start();
}

QString frmSplash::PictureFile() {
    return Platform::JoinPath(Platform::AppPath(), gCurrentLanguage == 2
                                                       ? QStringLiteral("StartC.jpg")
                                                       : QStringLiteral("StartE.jpg"));
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picLogo_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        picLogo_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::picLogo_Click() {
    LoadMainWindow();
}

void frmSplash::Timer1_Timer() {
    LoadMainWindow();
}

void frmSplash::LoadMainWindow() {
    timer1_.stop();
    if (done_) return;
    done_ = true;
    frmMain::LoadMain();
    close();
}
