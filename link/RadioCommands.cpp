#include "link/RadioCommands.h"

#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "link/ModComm.h"
#include "link/ModTestDataFrames.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/serial/SerialControl.h"

using ModFunLang::GetLangText;
namespace Mb = Platform::Mb;

namespace {

Views::MainWindow* MainWindow() {
    return Views::Open<Views::MainWindow>();
}

// The main window's step that makes the open windows write what the user
// typed and has not confirmed yet.
void CommitPendingEdits() {
    if (Views::MainWindow* main = MainWindow()) main->CommitPendingEdits();
}

void ClosePortIfOpen() {
    ModComm::MSComm1().Close();
}

// A read (1) or write (2) session: the port must open, the user confirms, then
// the session runs under the progress dialog. A write sends the encoded
// configuration.
void StartConfirmedSession(int type, const QString& question,
                           const std::function<void()>& encode = {}) {
    gCommType = type;
    (type == 1 ? gReadStep : gWriteStep) = 0;
    if (!ModComm::OpenCommForSession()) {
        gCommType = 0;
        return;
    }
    ClosePortIfOpen();
    if (Platform::MsgBox(question, Mb::OKCancel | Mb::Question) != Mb::IdOK) {
        ClosePortIfOpen();
        gCommType = 0;
        return;
    }
    ModComm::ClearImage();
    if (type == 2 && !ModCommFun::RunCodec(encode, 9110)) {
        // Nothing of a half-encoded image goes to the radio.
        gCommType = 0;
        return;
    }
    if (ModComm::SessionHost* host = ModComm::CurrentSessionHost())
        host->RunProgress();
    else
        ModComm::StartSession();
}

} // namespace

RadioCommands::RadioCommands(QObject* parent) : QObject(parent) {
    WaitSaveDataTimer.setObjectName(QStringLiteral("WaitSaveDataTimer"));
    ReadOKTimer.setObjectName(QStringLiteral("ReadOKTimer"));
    WaitSaveDataTimer.setSingleShot(true);
    WaitSaveDataTimer.setInterval(100);
    ReadOKTimer.setSingleShot(true);
    ReadOKTimer.setInterval(500);
    EncodeStep = [] { ModCommFun::EncodeImage(); };
    DecodeStep = [] { ModCommFun::DecodeImage(); };
    connect(&WaitSaveDataTimer, &QTimer::timeout, this, &RadioCommands::WaitSaveDataTimer_Timer);
    connect(&ReadOKTimer, &QTimer::timeout, this, &RadioCommands::ReadOKTimer_Timer);
    ModComm::SetReadDoneHook([this] { ReadOKTimer.start(); });
}

RadioCommands::~RadioCommands() {
    ModComm::SetReadDoneHook({});
}

void RadioCommands::mnuReadFromRadio_Click() {
    if (gCommType != 0) return;
    CommitPendingEdits();
    StartConfirmedSession(1, GetLangText(9004));
}

void RadioCommands::mnuWriteToRadio_Click() {
    if (gCommType != 0) return;
    CommitPendingEdits();
    WaitSaveDataTimer.start();
}

void RadioCommands::WaitSaveDataTimer_Timer() {
    WaitSaveDataTimer.stop();
    if (gCommType != 0) return;
    StartConfirmedSession(2, GetLangText(9005), EncodeStep);
}

void RadioCommands::mnuRadioInfo_Click() {
    if (gCommType != 0) return;
    // The page is shown anew with what this session reads.
    Platform::Forms::CloseAll(QStringLiteral("FrmRadioInfo"));
    ReadRMGDataFromRadio();
}

void RadioCommands::ReadRMGDataFromRadio() {
    if (gCommType != 0) return;
    gCommType = 3;
    if (!ModComm::OpenCommForSession()) {
        gCommType = 0;
        return;
    }
    ModComm::ClearImage();
    // An earlier radio's information is never shown as this one's.
    gRadioInfoImage.fill(0xFF);
    ModComm::RenewRetries();
    ModComm::SendHandshake();
}

void RadioCommands::ReadOKTimer_Timer() {
    ReadOKTimer.stop();
    // The record changes only when the whole image decodes.
    const TRadioData data = gEditData;
    const TExtraData extra = gEditExtraData;
    const auto fixedPairs = gFixedTestFreqs;
    const auto savedFlags = gSavedIdentFlags;
    const TLocalInfo info = gLocalInfo;
    const QString model = gModelName, band = gBandText;
    if (!ModCommFun::RunCodec(DecodeStep, 9111)) {
        gEditData = data;
        gLocalInfo = info;
        gEditExtraData = extra;
        gFixedTestFreqs = fixedPairs;
        gSavedIdentFlags = savedFlags;
        gModelName = model;
        gBandText = band;
        ModFun::ParseBandLimits();
        ModTestData::DropReadTestBlock();
        return;
    }
    ModTestData::TakeReadTestBlock();
    // the title names the data as it now is: read, without a file of its own
    gDataFileName = QStringLiteral("new.dat");
    gIsUntitled = true;
    if (Views::MainWindow* main = MainWindow()) {
        main->ShowMainTxt();
        main->Change_Language();
    }
    Platform::Forms::ShowChild(QStringLiteral("frmCommChInfo"));
    Platform::Forms::CascadeChildren();
    // no frequency of the radio becomes another without a word, said once
    // the user has closed the message that the read is complete
    if (!gHeldReadChannels.isEmpty()) {
        QStringList numbers;
        for (int number : gHeldReadChannels)
            numbers << QString::number(number);
        const QString text = GetLangText(9022) + u'\n' + numbers.join(QLatin1String(", "));
        ModComm::AfterEndMessage([text] { Platform::MsgBox(text, Mb::Exclamation | Mb::OKOnly); });
    }
}
