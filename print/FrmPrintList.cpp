#include "print/FrmPrintList.h"

#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/widgets/FormHelpers.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/widgets/Printer.h"
#include "print/ModPrint.h"
#include "print/Print.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <exception>

namespace {

using Platform::Px;
constexpr auto Twips = Platform::TwipsRect;

// The printer of a job on the program's printer device; tests install their own.
Print::PrinterMaker gPrinterMaker;

} // namespace

namespace Print {

void SetPrinterMaker(PrinterMaker make) {
    gPrinterMaker = std::move(make);
}

} // namespace Print

FrmPrintList::FrmPrintList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmPrintList"));
    setFixedSize(Px(6750), Px(3015));
    BuildControls();
    // Form_Load
    ApplyLanguage();
    Check2->setEnabled(Check1[0]->isChecked());
}

void FrmPrintList::BuildControls() {
    for (int i = 0; i < 8; ++i) {
        Check1[i] = new QCheckBox(this);
        Check1[i]->setObjectName(QStringLiteral("Check1"));
        Check1[i]->setProperty("Index", i);
        Check1[i]->setGeometry(Twips(480, 120 + 360 * i, 3375, 225));
        connect(Check1[i], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
    }
    Check2 = new QCheckBox(this);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setGeometry(Twips(4080, 120, 2415, 225));

    const auto button = [this](const char* name, const QRect& place) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(place);
        b->setAutoDefault(false);
        return b;
    };
    CommandSelAll = button("CommandSelAll", Twips(4800, 960, 1575, 345));
    CommandClrAll = button("CommandClrAll", Twips(4800, 1320, 1575, 345));
    CommandSet = button("CommandSet", Twips(4800, 1680, 1575, 345));
    CommandOK = button("CommandOK", Twips(4320, 2400, 1095, 375));
    CommandCancel = button("CommandCancel", Twips(5640, 2400, 975, 375));
    connect(CommandSelAll, &QPushButton::clicked, this, [this] { CommandSelAll_Click(); });
    connect(CommandClrAll, &QPushButton::clicked, this, [this] { CommandClrAll_Click(); });
    connect(CommandSet, &QPushButton::clicked, this, [this] { CommandSet_Click(); });
    connect(CommandOK, &QPushButton::clicked, this, [this] { CommandOK_Click(); });
    connect(CommandCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void FrmPrintList::ApplyLanguage() {
    setWindowTitle(ModFunLang::GetLangText(29200));
    CommandSelAll->setText(ModFunLang::GetLangText(29210));
    CommandClrAll->setText(ModFunLang::GetLangText(29211));
    CommandSet->setText(ModFunLang::GetLangText(29212));
    for (int i = 0; i < static_cast<int>(Check1.size()); ++i)
        Check1[i]->setText(ModFunLang::GetLangText(29250 + i));
    Check2->setText(ModFunLang::GetLangText(29270));
    ModFunLang::SetOKCancelCaptions(this);
}

void FrmPrintList::Check1_Click(int index) {
    if (index != 0) return;
    Check2->setEnabled(Check1[0]->isChecked());
}

void FrmPrintList::CommandSelAll_Click() {
    for (QCheckBox* box : Check1)
        box->setChecked(true);
}

void FrmPrintList::CommandClrAll_Click() {
    for (QCheckBox* box : Check1)
        box->setChecked(false);
}

void FrmPrintList::CommandSet_Click() {
    // a cancelled set-up changes nothing
    Platform::PrintDialogs::ShowPrinterSetup(this, Platform::ProgramPrinter());
}

void FrmPrintList::SaveChoices() {
    ModPrint::gPrintSelection[0] = Check1[0]->isChecked() ? 1 : 0;
    ModPrint::gPrintSelection[1] = Check2->isChecked() ? 1 : 0;
    for (int i = 1; i < 8; ++i)
        ModPrint::gPrintSelection[i + 1] = Check1[i]->isChecked() ? 1 : 0;
}

void FrmPrintList::CommandOK_Click() {
    bool any = false;
    for (QCheckBox* box : Check1)
        any = any || box->isChecked();
    if (!any) {
        Platform::MsgBox(ModFunLang::GetLangText(29230), Platform::Mb::Exclamation);
        return;
    }
    SaveChoices();
    PrintAll();
    if (ModPrint::gPrintDone != 0) accept();
}

void FrmPrintList::PrintAll() {
    using namespace ModPrint;
    gPrintDone = -1;
    QPrinter& device = Platform::ProgramPrinter();
    if (!Platform::PrintDialogs::ShowPrinter(this, device)) {
        gPrintDone = 0;
        return;
    }
    // the sections in the order of their boxes
    void (*const sections[])() = {Prt_UHFChannel, Prt_Option, Prt_DTMF, Prt_Key,
                                  Prt_Scan,       Prt_Alert,  Prt_EMG,  Prt_Local};
    // the job is titled with the configuration's file name
    const QString file = QFileInfo(gDataFileName).fileName();
    device.setDocName(file.isEmpty() ? ModFunLang::GetLangText(29221) : file);
    std::unique_ptr<Platform::Printer> printer;
    int running = -1; // the section being printed
    try {
        printer = gPrinterMaker ? gPrinterMaker(device) : Platform::MakePaintPrinter(device);
        SetPrinter(printer.get());
        printer->SetFontSize(10);
        for (int i = 0; i < 8; ++i) {
            if (gPrintSelection[i == 0 ? 0 : i + 1] == 0) continue;
            running = i;
            const KeepConfiguration keep;
            sections[i]();
        }
        running = -1;
        printer->EndDoc();
        SetPrinter(nullptr);
    } catch (const std::exception& error) {
        // the hidden pages are closed already; nothing of the job goes out
        if (printer) printer->Abort();
        SetPrinter(nullptr);
        gPrintDone = 0;
        // the message says what failed: the paper, a section or the printer
        QString text;
        if (dynamic_cast<const PaperTooSmall*>(&error))
            text = ModFunLang::GetLangText(9092);
        else if (const auto* missing = dynamic_cast<const Platform::PaperNotOffered*>(&error))
            text = ModFunLang::GetLangText(9093) + QStringLiteral("\n") + missing->paper;
        else if (running >= 0)
            text = ModFunLang::GetLangText(9090) + QStringLiteral("\n") +
                   ModFunLang::GetLangText(29250 + running);
        else
            text = ModFunLang::GetLangText(9091);
        Platform::MsgBox(text, Platform::Mb::Critical);
    }
}
