#pragma once

#include <QDialog>

// The about box: title, version line, description and legal notice, all
// language texts.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
};
