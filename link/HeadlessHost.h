#pragma once

#include "link/ModComm.h"

#include <QList>
#include <QStringList>
#include <functional>

// A session host without windows, for tools and tests: the "progress
// dialog" is an event loop that runs until the session unloads it.
class HeadlessHost final : public ModComm::SessionHost {
public:
    void RunProgress() override;
    bool ProgressVisible() const override { return visible_; }
    void SetProgress(int percent) override { progress.append(percent); }
    void CloseProgress() override;
    QString ProgressCaption() const override { return caption; }
    void SetProgressCaption(const QString& text) override {
        caption = text;
        captions.append(text);
    }
    void ShowPasswordDialog() override;

    // Answers the password dialog: the text typed, or Cancel when unset.
    std::function<bool(QString& typed)> passwordAnswer;
    int passwordDialogs = 0;
    QList<int> progress;
    QString caption;      // the progress dialog's caption
    QStringList captions; // every caption set, in order
    int progressRuns = 0;

private:
    bool visible_ = false;
    bool closed_ = false;
    void* loop_ = nullptr;
};
