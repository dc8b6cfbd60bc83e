#include "link/widgets/FrmSetComm.h"

#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/widgets/FormHelpers.h"
#include "platform/Forms.h"
#include "platform/serial/SerialPorts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using ModFunLang::GetLangText;

namespace {
[[maybe_unused]] constexpr auto kTexts = ModFunLang::LangIds(22000, 22001, 22002, 9017, 9018);
constexpr int kOptionCount = 16;
} // namespace

FrmSetComm::FrmSetComm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmSetComm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(Frame1);
    options_ = new QButtonGroup(this);
    for (int i = 0; i < kOptionCount; ++i) {
        Option1[i] = new QRadioButton(Frame1);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        options_->addButton(Option1[i], i);
        grid->addWidget(Option1[i], i / 4, i % 4);
    }

    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setDefault(true);
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    ReCommTimer.setObjectName(QStringLiteral("ReCommTimer"));
    ReCommTimer.setInterval(1000);
    connect(&ReCommTimer, &QTimer::timeout, this, &FrmSetComm::ReCommTimer_Timer);
    connect(CommandOK, &QPushButton::clicked, this, &FrmSetComm::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &FrmSetComm::CommandCancel_Click);

    // Form_Load
    SetLanguageCaptions();
    ShowCurrentPort();
    ReCommTimer.start();
    Platform::Forms::Register(this);
}

void FrmSetComm::SetLanguageCaptions() {
    setWindowTitle(GetLangText(22000));
    Frame1->setTitle(GetLangText(22001));
    for (int i = 0; i < kOptionCount; ++i)
        Option1[i]->setText(GetLangText(22002) + QString::number(i + 1));
    RefreshPortOptions();
    ModFunLang::SetOKCancelCaptions(this);
}

void FrmSetComm::RefreshPortOptions() {
    std::array<bool, kOptionCount> present{};
    if (gFixedPortList) {
        present.fill(true);
    } else {
        for (int port : Platform::SerialPorts::ListPorts())
            if (port >= 1 && port <= kOptionCount) present[port - 1] = true;
    }
    // A selected option stays selected when it is disabled.
    for (int i = 0; i < kOptionCount; ++i)
        Option1[i]->setEnabled(present[i]);
}

void FrmSetComm::ShowCurrentPort() {
    SelectOption(gComPort >= 1 && gComPort <= kOptionCount ? gComPort - 1 : -1);
}

void FrmSetComm::SaveComPort() {
    const int i = SelectedOption();
    if (i < 0) return;
    gComPort = static_cast<qint16>(i + 1);
    ModSettings::SaveSetupKeys({{QStringLiteral("comPort"), gComPort}});
}

void FrmSetComm::CommandOK_Click() {
    SaveComPort();
    accept();
}

void FrmSetComm::CommandCancel_Click() {
    reject();
}

void FrmSetComm::ReCommTimer_Timer() {
    const int selected = SelectedOption();
    RefreshPortOptions();
    SelectOption(selected);
}

int FrmSetComm::SelectedOption() const {
    return options_->checkedId();
}

void FrmSetComm::SelectOption(int i) {
    if (i >= 0 && i < kOptionCount) {
        Option1[i]->setChecked(true);
        return;
    }
    // An exclusive group keeps one option checked; none needs it let go.
    options_->setExclusive(false);
    for (QRadioButton* option : Option1)
        option->setChecked(false);
    options_->setExclusive(true);
}

void FrmSetComm::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void FrmSetComm::Form_Unload() {
    ReCommTimer.stop();
}
