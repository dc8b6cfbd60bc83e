#include "link/widgets/FrmPassWord.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/widgets/FormHelpers.h"
#include "link/ModComm.h"
#include "platform/Forms.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using ModFunLang::GetLangText;

FrmPassWord::FrmPassWord(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmPassWord"));
    setFixedSize(300, 110);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(4);
    Text1->setGeometry(170, 20, 100, 24);
    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setGeometry(60, 65, 80, 28);
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    CommandCancel->setGeometry(160, 65, 80, 28);
    connect(CommandOK, &QPushButton::clicked, this, &FrmPassWord::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);

    gPasswordGiven = false;
    setWindowTitle(GetLangText(23100));
    Label1->setText(GetLangText(23101));
    Label1->adjustSize();
    Label1->move(Text1->x() - Label1->width() - 5, Text1->y() + 4);
    ModFunLang::SetOKCancelCaptions(this);
    if (gPassWordMode == 0) {
        Text1->setText(gProgPassword);
        gPasswordGiven = true;
    }
    Platform::Forms::Register(this);
}

void FrmPassWord::CommandOK_Click() {
    const QString typed = ModFun::TrimNull(Text1->text());
    if (gPassWordMode == 0)
        gProgPassword = typed;
    else
        ModComm::gAccessCodeBuf = typed;
    accept();
}
