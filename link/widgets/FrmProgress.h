#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The progress of a read or write: a caption, a bar and its percentage. It
// has no buttons; the session unloads it when it ends.
class FrmProgress : public QDialog {
    Q_OBJECT
public:
    explicit FrmProgress(QWidget* parent = nullptr);

    void SetProgressValue(int rValue);
    // The bar and the percentage label together.
    void ShowPercent(int percent);
    // Unloads the dialog (the session's end).
    void Unload();

    QLabel* Label1;
    QLabel* Label2;
    QProgressBar* ProgressBar1;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ChangShowByLanguage();
    void justSize();
    bool unloading_ = false;
};
