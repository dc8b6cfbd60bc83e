#include "link/widgets/DialogHost.h"

#include "link/widgets/FrmPassWord.h"
#include "link/widgets/FrmProgress.h"

#include <QTimer>

void DialogHost::RunProgress() {
    FrmProgress dialog(owner_);
    progress_ = &dialog;
    // Loading the dialog starts the session, once the dialog is up.
    QTimer::singleShot(0, &dialog, [] { ModComm::StartSession(); });
    dialog.exec();
    progress_ = nullptr;
}

bool DialogHost::ProgressVisible() const {
    return progress_ && progress_->isVisible();
}

void DialogHost::SetProgress(int percent) {
    if (progress_) progress_->ShowPercent(percent);
}

void DialogHost::CloseProgress() {
    if (progress_) progress_->Unload();
}

QString DialogHost::ProgressCaption() const {
    return progress_ ? progress_->windowTitle() : QString();
}

void DialogHost::SetProgressCaption(const QString& caption) {
    if (progress_) progress_->setWindowTitle(caption);
}

void DialogHost::ShowPasswordDialog() {
    FrmPassWord dialog(owner_);
    dialog.exec();
}
