#include "link/widgets/FrmProgress.h"

#include "data/ModFunLang.h"
#include "data/SharedState.h"
#include "platform/Forms.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

using ModFunLang::GetLangText;

FrmProgress::FrmProgress(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmProgress"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(420, 90);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(340, 12, 60, 20);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(20, 45, 380, 22);
    ChangShowByLanguage();
    justSize();
    ProgressBar1->setValue(0);
    Label2->setText(QStringLiteral("0%"));
    Platform::Forms::Register(this);
}

void FrmProgress::ChangShowByLanguage() {
    setWindowTitle(GetLangText(9026 + gCommType));
    Label1->setText(GetLangText(9029));
}

// The caption label ends just left of the percentage.
void FrmProgress::justSize() {
    Label1->adjustSize();
    Label1->move(Label2->x() - Label1->width() - 1, Label2->y());
}

void FrmProgress::SetProgressValue(int rValue) {
    ProgressBar1->setValue(qBound(0, rValue, 100));
}

void FrmProgress::ShowPercent(int percent) {
    SetProgressValue(percent);
    Label2->setText(QString::number(percent) + QLatin1Char('%'));
}

void FrmProgress::Unload() {
    unloading_ = true;
    done(QDialog::Accepted);
}

// Only the session closes the dialog: a session must not go on without it.
void FrmProgress::reject() {
    if (unloading_) QDialog::reject();
}

void FrmProgress::closeEvent(QCloseEvent* event) {
    if (unloading_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}
