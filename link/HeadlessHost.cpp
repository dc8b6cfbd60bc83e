#include "link/HeadlessHost.h"

#include "data/ProgramSettings.h"

#include <QEventLoop>

void HeadlessHost::RunProgress() {
    ++progressRuns;
    visible_ = true;
    closed_ = false;
    QEventLoop loop;
    loop_ = &loop;
    ModComm::StartSession();
    if (!closed_) loop.exec();
    loop_ = nullptr;
    visible_ = false;
}

void HeadlessHost::CloseProgress() {
    closed_ = true;
    visible_ = false;
    if (loop_) static_cast<QEventLoop*>(loop_)->quit();
}

void HeadlessHost::ShowPasswordDialog() {
    ++passwordDialogs;
    gPasswordGiven = gPassWordMode == 0;
    QString typed = gProgPassword;
    if (passwordAnswer && passwordAnswer(typed)) gProgPassword = typed;
}
