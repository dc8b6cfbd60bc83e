#pragma once

#include "link/ModComm.h"
#include "link/widgets/FrmProgress.h"

#include <QPointer>

class QWidget;

// The session host of the main window: the progress dialog and the password
// dialog, modal over the window given.
class DialogHost final : public ModComm::SessionHost {
public:
    explicit DialogHost(QWidget* owner = nullptr) : owner_(owner) {}

    void RunProgress() override;
    bool ProgressVisible() const override;
    void SetProgress(int percent) override;
    void CloseProgress() override;
    QString ProgressCaption() const override;
    void SetProgressCaption(const QString& caption) override;
    void ShowPasswordDialog() override;

    FrmProgress* Progress() const { return progress_; }

private:
    QWidget* owner_;
    QPointer<FrmProgress> progress_;
};
