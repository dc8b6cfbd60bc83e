#include "dealer/widgets/FrmProtectPassWord.h"

#include "dealer/DealerTexts.h"
#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "dealer/widgets/FieldWidth.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace Halbrek {

FrmProtectPassWord::FrmProtectPassWord(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmProtectPassWord"));
    setModal(true);
    setFixedSize(380, 250);
    // The question drops "?", the answer blanks and "?" as well, whether
    // typed or pasted; each takes no more bytes than its field.
    const char* const allowed[] = {"[^?]*", "[^ ?]*"};
    const int widths[] = {16, 8};
    for (int i = 0; i < 2; ++i) {
        Label1[i] = new QLabel(this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setGeometry(15, 17 + 34 * i, 80, 22);
        Text1[i] = new QLineEdit(this);
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        Text1[i]->setGeometry(100, 15 + 34 * i, 265, 26);
        LimitToField(Text1[i], widths[i], QLatin1String(allowed[i]));
    }
    Text2 = new QPlainTextEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(15, 85, 350, 115);
    Text2->setEnabled(false);
    for (int i = 0; i < 2; ++i) {
        Command1[i] = new QPushButton(this);
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        Command1[i]->setGeometry(150 + 110 * i, 210, 100, 28);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    Command1[0]->setDefault(true);
    Form_Load();
}

void FrmProtectPassWord::Form_Load() {
    ModProtect::gProtectOK = false;
    const bool newPair = ModProtect::gProtectMode == -1;
    Text1[0]->setText(FixedValue(newPair ? gProtectInfo.NewQuestion : gProtectInfo.Question));
    Text1[1]->setText(FixedValue(gProtectInfo.NewAnswer));
    setWindowTitle(Text(gProtectCaption));
    Label1[0]->setText(Text(gProtectQuestionLabel));
    Label1[1]->setText(Text(gProtectAnswerLabel));
    Text2->setPlainText(Text(gProtectNote).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    Command1[0]->setText(Text(gProtectOK));
    Command1[1]->setText(Text(gProtectCancel));
}

void FrmProtectPassWord::Command1_Click(int index) {
    if (index == 0) {
        ModProtect::gProtectOK = true;
        StoreFixed(gProtectInfo.NewQuestion, Text1[0]->text());
        StoreFixed(gProtectInfo.NewAnswer, Text1[1]->text());
        accept();
    } else {
        reject();
    }
}

} // namespace Halbrek
