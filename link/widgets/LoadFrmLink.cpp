#include "link/widgets/LoadFrmLink.h"

#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/widgets/FormHelpers.h"
#include "link/ModComm.h"
#include "link/widgets/ModSetComm.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

using ModFunLang::GetLangText;
namespace Mb = Platform::Mb;

namespace {
[[maybe_unused]] constexpr auto kTexts = ModFunLang::LangIds(9050, 9051, 9052, 9053, 9054);
constexpr int kMaxResends = 3;
} // namespace

LoadFrmLink::LoadFrmLink(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LoadFrmLink"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Initial Setup"));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setMinimumSize(380, 140);
    Label1 = new QLabel(QStringLiteral("Com Port"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setMinimumWidth(120);
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Text1, 0, 0, 1, 3);
    layout->addWidget(Label1, 1, 0);
    layout->addWidget(Combo1, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons, 2, 0, 1, 3);

    LinkWaitTimer.setObjectName(QStringLiteral("LinkWaitTimer"));
    LinkWaitTimer.setInterval(300);
    LinkWaitTimer.setSingleShot(true);
    ReCommTimer.setObjectName(QStringLiteral("ReCommTimer"));
    ReCommTimer.setInterval(1000);
    EndTimer.setObjectName(QStringLiteral("EndTimer"));
    EndTimer.setInterval(100);
    EndTimer.setSingleShot(true);
    connect(&LinkWaitTimer, &QTimer::timeout, this, &LoadFrmLink::LinkWaitTimer_Timer);
    connect(&ReCommTimer, &QTimer::timeout, this, &LoadFrmLink::ReCommTimer_Timer);
    connect(&EndTimer, &QTimer::timeout, this, &LoadFrmLink::EndTimer_Timer);
    connect(&MSComm1, &Platform::SerialControl::OnComm, this, &LoadFrmLink::MSComm1_OnComm);
    connect(Combo1, &QComboBox::activated, this, &LoadFrmLink::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &LoadFrmLink::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &LoadFrmLink::Command2_Click);

    // Form_Load
    resendCount_ = 0;
    ShowLinkInstructions();
    LinkWaitTimer.stop();
    if (gFixedPortList) {
        const QSignalBlocker quiet(Combo1);
        Combo1->clear();
        for (int port = 1; port <= 255; ++port)
            Combo1->addItem(QStringLiteral("COM%1").arg(port));
        Combo1->setCurrentIndex(-1);
    } else {
        ModSetComm::FillPortCombo(Combo1);
    }
    if (gComPort > 0) SelectCurrentPort();
    ReCommTimer.start();
    Platform::Forms::Register(this);
}

LoadFrmLink::~LoadFrmLink() {
    Form_Unload();
}

bool LoadFrmLink::IsLink2(const QByteArray& received) {
    const qsizetype n = received.size();
    return n >= 3 && received[n - 3] == 'K' && received[n - 2] == 'L' && received[n - 1] == 0x06;
}

void LoadFrmLink::ShowLinkInstructions() {
    const QString lineBreak = QStringLiteral("\n");
    Text1->setPlainText(GetLangText(9054) + lineBreak + lineBreak + GetLangText(9050) + lineBreak +
                        GetLangText(9051) + lineBreak + GetLangText(9052) + lineBreak +
                        GetLangText(9053));
}

bool LoadFrmLink::initComm2() {
    MSComm1.Close();
    MSComm1.SetCommPort(gComPort);
    MSComm1.SetHandshaking(gHandshaking);
    bool ok = MSComm1.SetSettings(QStringLiteral("9600,N,8,%1").arg(gStopBit));
    MSComm1.SetInputLen(0);
    MSComm1.SetRThreshold(1);
    ok = ok && MSComm1.Open();
    if (!ok)
        Platform::MsgBox(QStringLiteral("Cannot Open Communication Port."),
                         Mb::OKOnly | Mb::Critical);
    return ok;
}

void LoadFrmLink::WriteLink2() {
    MSComm1.ClearOutBuffer();
    MSComm1.ClearInBuffer();
    MSComm1.SetRThreshold(3);
    MSComm1.Output(ModComm::HandshakeWord());
    LinkWaitTimer.start();
}

void LoadFrmLink::SelectCurrentPort() {
    if (Combo1->count() == 0) return;
    const QString item = ModFun::FindComboItem(Combo1, QStringLiteral("COM%1").arg(gComPort));
    {
        const QSignalBlocker quiet(Combo1);
        Combo1->setCurrentIndex(qMax(0, Combo1->findText(item, Qt::MatchExactly)));
    }
    Combo1_Click();
}

void LoadFrmLink::Combo1_Click() {
    if (Combo1->currentIndex() < 0) {
        gComPort = 1;
        return;
    }
    const QString number = Combo1->currentText().mid(3);
    gComPort = static_cast<qint16>(Platform::IsNumeric(number) ? Platform::Val(number) : 0);
}

void LoadFrmLink::Command1_Click() {
    if (gComPort < 1) gComPort = 1;
    if (!initComm2()) return;
    resendCount_ = 0;
    WriteLink2();
}

void LoadFrmLink::Command2_Click() {
    reject();
}

void LoadFrmLink::LinkWaitTimer_Timer() {
    LinkWaitTimer.stop();
    if (++resendCount_ > kMaxResends) {
        // The port stays open: the user may choose another and press OK again.
        Platform::MsgBox(QStringLiteral("Communication Error!"), Mb::OKOnly);
        resendCount_ = 0;
        return;
    }
    WriteLink2();
}

void LoadFrmLink::MSComm1_OnComm() {
    if (MSComm1.CommEvent() != Platform::SerialControl::EvReceive) return;
    if (!IsLink2(MSComm1.Input())) return;
    LinkWaitTimer.stop();
    gFirstRun = false;
    EndTimer.start();
}

void LoadFrmLink::EndTimer_Timer() {
    ReCommTimer.stop();
    EndTimer.stop();
    accept();
}

void LoadFrmLink::ReCommTimer_Timer() {
    if (gFixedPortList) return;
    ModSetComm::FillPortCombo(Combo1);
    SelectCurrentPort();
}

void LoadFrmLink::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void LoadFrmLink::Form_Unload() {
    LinkWaitTimer.stop();
    ReCommTimer.stop();
    EndTimer.stop();
    MSComm1.Close();
}
