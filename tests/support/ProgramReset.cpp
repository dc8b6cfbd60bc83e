#include "tests/support/ProgramReset.h"

#include "channels/ModBatch.h"
#include "channels/ModCHEdit.h"
#include "data/ModFunLang.h"
#include "data/ModHabits.h"
#include "data/ModInitV.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "dealer/DealerTexts.h"
#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "dealer/ModSYSType.h"
#include "link/ModComm.h"
#include "link/ModTestComm.h"
#include "platform/App.h"
#include "platform/FileReplace.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/SysLocale.h"
#include "platform/UserSettings.h"
#include "platform/serial/SerialPorts.h"
#include "platform/widgets/FileDialogs.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "platform/widgets/Printer.h"
#include "print/ModPrint.h"
#include "print/Print.h"
#include "shell/ModMain.h"
#include "shell/ShellRules.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <clocale>
#include <memory>
#include <string>

namespace TestSupport {

namespace {

// The number formats the process started with.
QLocale gStartLocale;
std::string gStartNumeric;
// A fresh, empty user-settings store for every case.
std::unique_ptr<QTemporaryDir> gStore;

// Deletes every loaded window and every window without a parent, then runs
// the deletions that were deferred.
void DeleteWindows() {
    QList<QPointer<QObject>> doomed;
    for (QObject* form : Platform::Forms::Loaded())
        doomed.append(form);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget()) doomed.append(w);
    }
    for (const QPointer<QObject>& o : doomed)
        delete o.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ResetPlatform() {
    QLocale::setDefault(gStartLocale);
    std::setlocale(LC_NUMERIC, gStartNumeric.c_str());
    Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
    Platform::SetAppPath(QString());
    Platform::SetAppTitle(QString());
    Platform::SetExeName(QString());
    Platform::SetMessageService(nullptr);
    gStore = std::make_unique<QTemporaryDir>();
    Platform::SetUserSettingsFolder(gStore->path());
    Platform::FileDialogs::SetService(nullptr);
    Platform::PrintDialogs::SetService(nullptr);
    Platform::Help::SetHelpFile(QString());
    Platform::Help::SetOpener({});
    Platform::Forms::SetWindowOps({});
    Platform::Forms::SetChildHost({});
    Platform::Forms::UnregisterAllFactories();
    ModInitV::SetPageLoadRules({});
    Platform::FileReplace::SetStepHook({});
    Platform::FileReplace::SetNoHardLinks(false);
    // A window asked for an interface it does not implement fails the case.
    Platform::Forms::SetWrongReceiverHandler(
        [](const QString& message) { ADD_FAILURE() << message.toStdString(); });
    Platform::SerialPorts::SetGivenPorts(std::nullopt);
    qunsetenv(Platform::SerialPorts::kLinkDirVariable);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::clipboard()->clear();
}

// Corvan's state as start-up leaves it, with the settings of a missing
// settings file and without any file beside the program.
void ResetCorvan() {
    ModVerionMana::gVersionTable = {};
    ModVerionMana::SetProgramStarter(nullptr);
    ModVerionMana::SetSwitchHooks({});

    gHelpOn = false;
    gPassWordMode = 0;
    ModMain::InitGlobals();
    ModMain::gSavedDecimalSep = u'.';
    gFixedPortList = 0;
    gFirstRun = false;
    gComPort = 1;
    gHandshaking = 0;
    gStopBit = 1;
    gLock = 0;
    gFactory = 0;

    gTestDataOn = false;
    gInitAllChannels = false;
    gEditTestBlock = {};
    gFileTestBlock = {};
    gImage.fill(0xFF);
    gRadioInfoImage.fill(0xFF);
    gIdentFlags.fill(0);
    gSavedIdentFlags.fill(0);
    gEditCol = 1;
    ModInitV::NewData();

    gHabits = THabits{};
    gEditClipboard = TChannel{};
    gClipboardFull = false;
    gConfirmMode = 0;
    gBatchFunFlags.fill(0);
    ModCHEdit::SetConfirmAsker({});

    // The radio link.
    ModComm::SetSessionHost(nullptr);
    ModComm::SetReadDoneHook({});
    ModComm::ResetSession();
    ModComm::gBlockRetries.clear();
    ModComm::gCurAddr = -16;
    ModComm::gBlockLen = 16;
    ModComm::gEndAddr = 2831;
    ModComm::gLastPercent = 0;
    ModComm::gRadioModel.clear();
    ModComm::gRadioBand = 0;
    ModComm::gRadioVersion.clear();
    ModComm::gAccessCodeBuf.clear();
    ModTestComm::gSearchSavedType = 0;
    ModTestComm::gSearchSavedCaption.clear();
    ModTestComm::gSearchCaptions = {};
    ModTestComm::gSearchPorts.fill(0);
    ModTestComm::gSearchPortCount = 0;
    ModTestComm::gSearchPortIndex = 0;
    ModTestComm::gSearchPort = 0;
    ModTestComm::gSearchHandshaking = 0;
    ModTestComm::gSearchStopBit = 1;
    ModTestComm::gSearchFallbackSet = false;
    ModTestComm::gSearchFallback = {};
    ModTestComm::gSearchAdopted = false;

    // The main window and printing.
    gCHEditCmd = 0;
    ModMulSet::gMulWriteCount = 0;
    ModMulSet::gMulWriteRadio = 0;
    frmMain::SetChannelEditRunner({});
    frmMain::SetEditCommandsUpdater({});
    ModPrint::gPrintSelection.fill(0);
    ModPrint::gPrintDone = 0;
    ModPrint::gPrtLineY = 0;
    ModPrint::SetPrinter(nullptr);
    Print::SetPrinterMaker(nullptr);
}

void ResetHalbrek() {
    Halbrek::ModComm::SetHost(nullptr);
    Halbrek::ModComm::ResetSession();
    Halbrek::ModComm::gComPort = 0;
    Halbrek::ModComm::gRecvBuffer.fill(0);
    Halbrek::ModProtect::gProtectMode = 0;
    Halbrek::ModProtect::gProtectOK = false;
    Halbrek::ModProtect::gPasswordChanged = false;
    Halbrek::ModSYSType::gFixedPortList = 0;
    Halbrek::ChooseLanguage();
    Halbrek::gDealerInfo = {};
    Halbrek::gProtectInfo = {};
    Halbrek::gRadioImage.fill(0);
}

} // namespace

void ResetProgramState() {
    DeleteWindows();
    ResetPlatform();
    ResetCorvan();
    ResetHalbrek();
}

void ProgramResetListener::OnTestStart(const ::testing::TestInfo&) {
    ResetProgramState();
}

void ProgramResetListener::OnTestEnd(const ::testing::TestInfo&) {
    DeleteWindows();
}

void InstallProgramReset() {
    gStartLocale = QLocale();
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    gStartNumeric = numeric ? numeric : "C";
    ::testing::UnitTest::GetInstance()->listeners().Append(new ProgramResetListener);
}

} // namespace TestSupport
