#include "link/ModComm.h"

#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "link/ModTestComm.h"
#include "link/ModTestDataFrames.h"
#include "link/ModVersion.h"
#include "platform/Ansi.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/serial/SerialControl.h"

#include <QCoreApplication>
#include <QTimer>
#include <cmath>
#include <utility>

using ModFunLang::GetLangText;
namespace Mb = Platform::Mb;

namespace ModComm {

int gHandshakeCount = 0;
int gIdentRetries = 3;
int gSettingsRetries = 3;
int gTestRetries = 3;
int gEndRetries = 3;
bool gReplyExpected = false;
std::vector<int> gBlockRetries;
qint32 gCurAddr = -16;
qint32 gBlockLen = 16;
qint32 gEndAddr = 2831;
int gLastPercent = 0;
QString gRadioModel;
int gRadioBand = 0;
QString gRadioVersion;
QString gAccessCodeBuf;

namespace {

// A host that shows nothing: sessions started without windows.
class NoHost final : public SessionHost {
public:
    void RunProgress() override { StartSession(); }
    bool ProgressVisible() const override { return false; }
    void SetProgress(int) override {}
    void CloseProgress() override {}
    QString ProgressCaption() const override { return {}; }
    void SetProgressCaption(const QString&) override {}
    void ShowPasswordDialog() override { gPasswordGiven = false; }
};

NoHost gNoHost;
SessionHost* gHost = nullptr;
std::function<void()> gReadDoneHook;
// The message that ends a session is open; what is to follow it waits.
bool gEndMessageOpen = false;
std::vector<std::function<void()>> gAfterEndMessage;

// Questions and dialogs open: replies and time-outs wait for them.
int gDialogDepth = 0;
// A reply was accepted and its action is queued.
bool gActionPending = false;

struct Engine {
    Platform::SerialControl port;
    QTimer waitTimer;
    Engine() {
        waitTimer.setObjectName(QStringLiteral("WaitTimer"));
        waitTimer.setSingleShot(true);
        waitTimer.setInterval(kReplyTimeoutMs);
        waitTimer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&waitTimer, &QTimer::timeout, [] { WaitTimer_Timer(); });
        QObject::connect(&port, &Platform::SerialControl::OnComm, [] { MSComm1_OnComm(); });
    }
};

Engine& TheEngine() {
    static Engine* engine = new Engine;
    return *engine;
}

// Runs a question or dialog with the reply timer stopped; replies that
// arrive meanwhile are dropped.
template <typename F> auto InQuestion(F&& f) {
    WaitTimer().stop();
    ++gDialogDepth;
    struct Leave {
        ~Leave() { --gDialogDepth; }
    } leave;
    return f();
}

int Ask(const QString& text, int style) {
    return InQuestion([&] { return Platform::MsgBox(text, style); });
}

quint8 Byte(const QByteArray& bytes, int i) {
    return static_cast<quint8>(bytes[i]);
}

int ReplyAddress(const QByteArray& reply) {
    return Byte(reply, 1) * 256 + Byte(reply, 2);
}

// A 'W' frame of LEN data bytes, whole and with a right checksum.
bool IsWholeDataFrame(const QByteArray& reply) {
    if (reply.size() < 22 || Byte(reply, 0) != 'W') return false;
    const int len = Byte(reply, 3);
    return reply.size() == len + 6 && Byte(reply, reply.size() - 1) == 0x06 &&
           IsChecksumOK(reply, 1);
}

// The step of the session type in hand.
int& CurrentStep() {
    return gCommType == 2 ? gWriteStep : gReadStep;
}

int BlockIndex() {
    const qint32 i = gCurAddr / 16;
    if (i < 0 || i >= static_cast<qint32>(gBlockRetries.size())) return -1;
    return static_cast<int>(i);
}

QString AsciiUntilNul(const QByteArray& bytes, int first, int count) {
    QByteArray text;
    for (int i = first; i < first + count && Byte(bytes, i) != 0; ++i)
        text.append(bytes[i]);
    return Platform::AnsiToString(text);
}

QString TrimRight(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == QLatin1Char(' '))
        --n;
    return text.left(n);
}

// The handshake or identification of a read or write went unanswered: the
// search for a working port setting takes over, except in the test-data mode.
void HandshakeFailed() {
    if (gTestDataOn)
        AskRetry();
    else
        ModTestComm::StartSearch();
}

// Repeats the factory test block exchange, within its resends.
void RetryTestBlock() {
    if (gTestRetries < 1) {
        AskRetry();
        return;
    }
    --gTestRetries;
    if (gCommType == 2)
        ModTestData::SendTestWrite();
    else
        ModTestData::SendTestRead();
}

// What an accepted reply leads to.
enum class Reply { None, Ack, Resend, Handshake, Ident, TestBlock, SettingsBlock, ReadBlock };

Reply Classify(const QByteArray& reply) {
    // The port search looks at handshake and identification replies only.
    if (gCommType == 9) {
        if (IsHandshakeAck(reply)) return Reply::Handshake;
        if (IsIdentReply(reply)) return Reply::Ident;
        return Reply::None;
    }
    if (IsAck(reply)) return Reply::Ack;
    if (IsResendRequest(reply)) return Reply::Resend;
    if (IsHandshakeAck(reply)) return Reply::Handshake;
    if (IsIdentReply(reply)) return Reply::Ident;
    if (ModTestData::CheckTestReply(reply)) return Reply::TestBlock;
    if (IsSettingsBlockReply(reply)) return Reply::SettingsBlock;
    if (IsReadReply(reply)) return Reply::ReadBlock;
    return Reply::None;
}

void PasswordStep(const QByteArray& reply) {
    InQuestion([] { Host().ShowPasswordDialog(); });
    if (!gPasswordGiven) {
        FinishComm(false);
        return;
    }
    if (IsPasswordOK(reply)) {
        NextStep();
        return;
    }
    Ask(QStringLiteral("PassWord Failure!"), Mb::OKOnly);
    FinishComm(false);
}

// A "send again" reply counts against the frame's resends like a time-out.
void OnResendRequest() {
    if (gCommType == 2 && gWriteStep == 4 && gCurAddr < 0) {
        RetryTestBlock();
        return;
    }
    if (gCommType == 2 && gWriteStep == 4) {
        const int i = BlockIndex();
        if (i < 0 || gBlockRetries[i] < 1) {
            AskRetry();
            return;
        }
        --gBlockRetries[i];
        SendWriteCurrent();
        return;
    }
    // "END" refused: said again within its own resends; a radio that never
    // takes it is a failed exchange, not a success, since it may still be in
    // programming mode.
    const bool endRefused = (gCommType == 2 && gWriteStep == 69) ||
                            ((gCommType == 1 || gCommType == 3) && gReadStep == 69);
    if (endRefused) {
        if (gEndRetries >= 1) {
            --gEndRetries;
            SendEnd();
        } else if (gCommType == 3) {
            RetryHandshake();
        } else {
            AskRetry();
        }
        return;
    }
    // Outside a write's blocks there is nothing to send again: treated as
    // no reply.
    WaitTimer_Timer();
}

void Act(Reply kind, const QByteArray& reply) {
    if (gCommType == 9) {
        if (kind == Reply::Ident) ParseIdentReply(reply);
        ModTestComm::OnSearchReply();
        return;
    }
    switch (kind) {
    case Reply::Ack:
    case Reply::Handshake:
        NextStep();
        break;
    case Reply::Resend:
        OnResendRequest();
        break;
    case Reply::Ident:
        if (gCommType == 3) {
            // what the radio says of itself, shown with its information; the
            // image is left alone
            ParseIdentity(reply);
            NextStep();
            break;
        }
        ParseIdentReply(reply);
        if (!RefuseProtectedWrite()) NextStep();
        break;
    case Reply::TestBlock:
        ModTestData::StoreTestReply(reply);
        NextStep();
        break;
    case Reply::SettingsBlock:
        if (IsPasswordOK(reply))
            NextStep();
        else
            PasswordStep(reply);
        break;
    case Reply::ReadBlock:
        StoreReadData(reply);
        NextStep();
        break;
    case Reply::None:
        break;
    }
}

} // namespace

bool RefuseProtectedWrite() {
    if (gCommType != 2) return false;
    int text = 0;
    if (gIdentFlags[0] != 0)
        text = 9031;
    else if (gIdentFlags[1] != 0)
        text = 9032;
    if (text == 0) return false;
    Ask(GetLangText(text), Mb::OKOnly);
    FinishComm(false);
    return true;
}

bool IsDataReplyAt(const QByteArray& reply, int address) {
    return IsWholeDataFrame(reply) && ReplyAddress(reply) == address;
}

void SetSessionHost(SessionHost* host) {
    gHost = host;
}

SessionHost* CurrentSessionHost() {
    return gHost;
}

SessionHost& Host() {
    return gHost ? *gHost : gNoHost;
}

void SetReadDoneHook(std::function<void()> hook) {
    gReadDoneHook = std::move(hook);
}

void AfterEndMessage(std::function<void()> step) {
    if (gEndMessageOpen)
        gAfterEndMessage.push_back(std::move(step));
    else
        step();
}

Platform::SerialControl& MSComm1() {
    return TheEngine().port;
}

QTimer& WaitTimer() {
    return TheEngine().waitTimer;
}

bool InDialog() {
    return gDialogDepth > 0;
}

void ResetSession() {
    WaitTimer().stop();
    MSComm1().Close();
    gCommType = 0;
    gReadStep = 0;
    gWriteStep = 0;
    gReplyExpected = false;
    gActionPending = false;
    RenewRetries();
}

void EndForExit() {
    if (gCommType == 9) gCommType = ModTestComm::gSearchSavedType;
    if (gCommType != 0)
        FinishComm(false);
    else
        MSComm1().Close();
}

// ---- frames

QByteArray HandshakeWord() {
    // Built letter by letter so the word is never a string in the program.
    QByteArray word;
    for (char c : {'P', 'R', 'O', 'G', 'R', 'A', 'M'})
        word.append(c);
    return word;
}

QByteArray ReadFrame(qint32 address) {
    return ReadRequest(address, gBlockLen);
}

QByteArray WriteFrame(qint32 address) {
    QByteArray data(16, '\0');
    for (int i = 0; i < 16; ++i) {
        const qint32 a = address + i;
        data[i] = static_cast<char>(a >= 0 && a < kImageSize ? gImage[a] : 0xFF);
    }
    return DataFrame(address, data);
}

QByteArray EndFrame() {
    return QByteArrayLiteral("END");
}

// ---- reply tests

bool IsAck(const QByteArray& reply) {
    return reply.size() == 1 && Byte(reply, 0) == 0x06;
}

bool IsResendRequest(const QByteArray& reply) {
    return reply.size() == 1 && Byte(reply, 0) == 0x0A;
}

bool IsHandshakeAck(const QByteArray& reply) {
    return reply.size() == 3 && reply[0] == 'K' && reply[1] == 'L' && Byte(reply, 2) == 0x06;
}

bool IsIdentReply(const QByteArray& reply) {
    return reply.size() == 16 && reply[0] == 'P' && Byte(reply, 15) == 0x06;
}

bool IsReadReply(const QByteArray& reply) {
    return IsWholeDataFrame(reply) && ReplyAddress(reply) == gCurAddr &&
           Byte(reply, 3) == gBlockLen;
}

bool IsSettingsBlockReply(const QByteArray& reply) {
    return IsDataReplyAt(reply, kSettingsBlockAddr) && (gReadStep == 3 || gWriteStep == 3);
}

// ---- readers

void ParseIdentity(const QByteArray& reply) {
    gRadioModel = AsciiUntilNul(reply, 1, 7);
    gRadioBand = Byte(reply, 8);
    gRadioVersion = AsciiUntilNul(reply, 9, 4);
}

void ParseIdentReply(const QByteArray& reply) {
    ParseIdentity(reply);
    gImage[0xB0C] = Byte(reply, 13);
    ModCommFun::SplitIdentFlags(gSavedIdentFlags);
    if (!gTestDataOn)
        for (int i = 0; i < 7; ++i)
            gImage[0xB00 + i] = Byte(reply, 1 + i);
    for (int i = 0; i < 4; ++i)
        gImage[0xB08 + i] = Byte(reply, 9 + i);
}

QString PasswordField(const QByteArray& reply) {
    QByteArray text;
    for (int i = 16; i < 20 && i < reply.size(); ++i) {
        const quint8 b = Byte(reply, i);
        if (b == 0x00 || b == 0xFF) break;
        text.append(static_cast<char>(b));
    }
    return Platform::AnsiToString(text);
}

bool IsPasswordOK(const QByteArray& reply) {
    const QString radio = TrimRight(PasswordField(reply));
    if (radio.isEmpty()) return true;
    return TrimRight(gProgPassword) == radio;
}

void StoreReadData(const QByteArray& reply) {
    for (int i = 0; i < 16 && 4 + i < reply.size(); ++i) {
        const qint32 a = gCurAddr + i;
        if (a >= 0 && a < kImageSize)
            gImage[a] = Byte(reply, 4 + i);
        else if (a >= kImageSize && a < kImageSize + kRadioInfoSize)
            gRadioInfoImage[a - kImageSize] = Byte(reply, 4 + i);
    }
    if (gCommType == 1 || gCommType == 2) UpdateProgress();
}

// ---- senders

void SendFrame(const QByteArray& frame, int replyLength) {
    Platform::SerialControl& port = MSComm1();
    port.SetRThreshold(replyLength);
    WaitTimer().start();
    port.ClearOutBuffer();
    port.ClearInBuffer();
    port.Output(frame);
}

void SendHandshake() {
    if (gCommType == 2) {
        gWriteStep = 1;
        gReadStep = 0;
    } else {
        gReadStep = 1;
        gWriteStep = 0;
    }
    Platform::SerialControl& port = MSComm1();
    port.SetRThreshold(3);
    WaitTimer().start();
    port.ClearOutBuffer();
    port.ClearInBuffer();
    gReplyExpected = true;
    port.Output(HandshakeWord());
}

void SendIdentify() {
    SendFrame(QByteArray(1, char(0x02)), 16);
}

void SendReadSettingsBlock() {
    SendFrame(ReadRequest(kSettingsBlockAddr, gBlockLen), gBlockLen + 6);
}

void SendReadNext() {
    gCurAddr += 16;
    SendReadCurrent();
}

void SendReadCurrent() {
    if (gCurAddr >= gEndAddr) {
        FinishTransfer();
        return;
    }
    SendFrame(ReadFrame(gCurAddr), gBlockLen + 6);
}

void SendWriteNext() {
    gCurAddr += 16;
    SendWriteCurrent();
}

void SendWriteCurrent() {
    if (gCurAddr >= gEndAddr) {
        FinishTransfer();
        return;
    }
    const QByteArray frame = WriteFrame(gCurAddr);
    Platform::SerialControl& port = MSComm1();
    port.SetRThreshold(1);
    WaitTimer().start();
    port.ClearOutBuffer();
    port.ClearInBuffer();
    UpdateProgress();
    port.Output(frame);
}

void SendEnd() {
    SendFrame(EndFrame(), 1);
}

// ---- the engine

void RenewRetries() {
    gHandshakeCount = 0;
    gIdentRetries = 3;
    gSettingsRetries = 3;
    gTestRetries = 3;
    gEndRetries = 3;
}

bool OpenCommForSession() {
    gBlockLen = 16;
    if (gCommType == 1 || gCommType == 2) {
        gCurAddr = -16;
        gEndAddr = 2831;
    } else if (gCommType == 3) {
        gCurAddr = 2816;
        gEndAddr = 3327;
    }
    gLastPercent = 0;
    WaitTimer().stop();
    gBlockRetries.assign(static_cast<size_t>(std::lround(double(gEndAddr) / gBlockLen)) + 1, 3);
    RenewRetries();
    gActionPending = false;

    Platform::SerialControl& port = MSComm1();
    port.Close();
    port.SetCommPort(gComPort);
    port.SetHandshaking(gHandshaking);
    const bool settingsOk = port.SetSettings(QStringLiteral("9600,n,8,%1").arg(gStopBit));
    port.SetInputLen(0);
    port.SetRThreshold(1);
    if (settingsOk && port.Open()) return true;
    Ask(GetLangText(9003), Mb::OKOnly | Mb::Critical);
    return false;
}

void StartSession() {
    if (!MSComm1().PortOpen() && !MSComm1().Open()) {
        Ask(GetLangText(9003), Mb::OKOnly | Mb::Critical);
        EndComm(false);
        return;
    }
    RenewRetries();
    SendHandshake();
}

void MSComm1_OnComm() {
    Platform::SerialControl& port = MSComm1();
    if (port.CommEvent() != Platform::SerialControl::EvReceive) return;
    const QByteArray input = port.Input();
    // Replies are looked at only while the session waits for one, never
    // while a question is open or the previous reply is still being acted on.
    if (!gReplyExpected || gDialogDepth > 0 || gActionPending) return;
    const QByteArray reply = input.left(port.RThreshold());
    const Reply kind = Classify(reply);
    if (kind == Reply::None) return; // the reply timer decides
    WaitTimer().stop();
    gActionPending = true;
    // The action runs after the receive event, so that a question it opens
    // is never nested inside it.
    QMetaObject::invokeMethod(
        &port,
        [kind, reply] {
            gActionPending = false;
            if (gCommType == 0 || !gReplyExpected) return;
            Act(kind, reply);
        },
        Qt::QueuedConnection);
}

void NextStep() {
    WaitTimer().stop();
    if (gCommType == 1 || gCommType == 2) {
        // Reads and writes share their steps up to the data blocks: step 5
        // reads blocks, step 4 writes them.
        const bool write = gCommType == 2;
        const int dataStep = write ? 4 : 5;
        int& step = CurrentStep();
        auto sendNextBlock = [write] { write ? SendWriteNext() : SendReadNext(); };
        switch (step) {
        case 1:
            step = 2;
            SendIdentify();
            return;
        case 2:
            step = 3;
            SendReadSettingsBlock();
            return;
        case 3:
            if (!CheckRadioModel()) {
                FinishComm(false);
                return;
            }
            step = dataStep;
            // A write leaves the radio's calibration alone while the
            // configuration holds none of its own.
            if (!gTestDataOn || (write && !ModTestData::IsTestBlockKnown()))
                sendNextBlock();
            else if (write)
                ModTestData::SendTestWrite();
            else
                ModTestData::SendTestRead();
            return;
        case 69:
            FinishComm(true);
            return;
        default:
            if (step == dataStep) {
                sendNextBlock();
                return;
            }
        }
    } else if (gCommType == 3) {
        switch (gReadStep) {
        case 1:
            gReadStep = 3;
            SendIdentify();
            return;
        case 3:
        case 5:
            gReadStep = 5;
            SendReadNext();
            return;
        case 69:
            FinishComm(true);
            return;
        }
    }
    FinishComm(false);
}

void WaitTimer_Timer() {
    WaitTimer().stop();
    if (gDialogDepth > 0 || gActionPending) return;
    if (gCommType == 1 || gCommType == 2) {
        int& step = CurrentStep();
        switch (step) {
        case 1:
            ++gHandshakeCount;
            if (gHandshakeCount <= 3)
                SendHandshake();
            else
                HandshakeFailed();
            return;
        case 2: {
            const int n = gIdentRetries--;
            if (n >= 2) {
                step = 1;
                SendHandshake();
            } else {
                HandshakeFailed();
            }
            return;
        }
        case 3: {
            const int n = gSettingsRetries--;
            if (n >= 2)
                SendReadSettingsBlock();
            else
                AskRetry();
            return;
        }
        case 4:
        case 5: {
            if (gCurAddr < 0) { // the factory test block
                RetryTestBlock();
                return;
            }
            const int i = BlockIndex();
            if (i < 0 || gBlockRetries[i] < 1) {
                AskRetry();
                return;
            }
            --gBlockRetries[i];
            if (gCommType == 1)
                SendReadCurrent();
            else
                SendWriteCurrent();
            return;
        }
        case 69:
            FinishComm(true);
            return;
        }
        return;
    }
    if (gCommType == 9) {
        ModTestComm::OnSearchTimeout();
        return;
    }
    if (gCommType == 3) {
        switch (gReadStep) {
        case 1:
            ++gHandshakeCount;
            if (gHandshakeCount <= 3)
                SendHandshake();
            else
                RetryHandshake();
            return;
        case 2:
        case 3:
        case 4:
        case 5:
            RetryHandshake();
            return;
        case 69:
            FinishComm(true);
            return;
        }
    }
}

void AskRetry(bool reopenUserPort) {
    RenewRetries(); // the session starts over: "END" may be refused again
    gReplyExpected = false;
    if (Ask(GetLangText(9008), Mb::OKCancel | Mb::Question) == Mb::IdOK) {
        if (reopenUserPort && !ModTestComm::OpenCommWith(gComPort, gHandshaking, gStopBit)) {
            Ask(GetLangText(9003), Mb::OKOnly | Mb::Critical);
            FinishComm(false);
            return;
        }
        SendHandshake();
        gCurAddr = -16;
        Host().SetProgress(0);
        gLastPercent = 0;
    } else {
        FinishComm(false);
    }
}

void RetryHandshake() {
    gReplyExpected = false;
    // The block whose reply was missing is asked for again.
    const bool missedBlock = gReadStep == 5 && gCurAddr > 2816;
    if (Ask(GetLangText(9008), Mb::RetryCancel) == Mb::IdRetry) {
        if (missedBlock) gCurAddr -= 16;
        gEndRetries = 3; // "END" may be refused again; the handshake count goes on
        SendHandshake();
    } else {
        FinishComm(false);
    }
}

void FinishTransfer() {
    if (gCommType == 1 || gCommType == 3) {
        gReadStep = 69;
    } else if (gCommType == 2) {
        gWriteStep = 69;
    } else {
        FinishComm(false);
        return;
    }
    SendEnd();
}

void FinishComm(bool success) {
    if (!success && MSComm1().PortOpen()) SendEnd();
    EndComm(success);
}

void EndComm(bool success) {
    gReplyExpected = false;
    MSComm1().Close();
    const int type = gCommType;
    if (type < 3) Host().CloseProgress();
    if (!success) ModTestData::DropReadTestBlock();
    if (success) {
        if (type == 1) {
            if (auto* main = Views::Open<Views::MainWindow>()) main->CloseCurAllWindows();
            if (gReadDoneHook) gReadDoneHook();
        } else if (type == 3) {
            TLocalInfo info = gLocalInfo;
            if (ModCommFun::RunCodec([&] { ModCommFun::DecodeRadioInfo(info); }, 9111)) {
                // the model and band shown are the radio's own, not the
                // configuration's
                info.RadioType = gRadioModel;
                info.BandCode = static_cast<qint16>(gRadioBand);
                gLocalInfo = info;
                Platform::Forms::ShowChild(QStringLiteral("FrmRadioInfo"));
            }
        }
        if (type == 1 || type == 2) {
            QString text = GetLangText(9008 + type);
            if (type == 2 && gTestDataOn && !ModTestData::IsTestBlockKnown())
                text += QStringLiteral("\n\n") + GetLangText(9083);
            // the end-of-read step may run while the message is open
            gEndMessageOpen = true;
            Ask(text, Mb::OKOnly);
            gEndMessageOpen = false;
        }
    }
    WaitTimer().stop();
    gCommType = 0;
    gReadStep = 0;
    gWriteStep = 0;
    gMulWriteOn = false; // a multi-radio write never outlives a session
    // what waited for the end message opens now, one after the other
    for (const std::function<void()>& step : std::exchange(gAfterEndMessage, {}))
        step();
}

void UpdateProgress() {
    // Rounded half to even, as the percentage always was.
    const int percent = static_cast<int>(std::nearbyint(double(gCurAddr) * 100.0 / gEndAddr));
    if (percent - gLastPercent >= 1) {
        gLastPercent = percent;
        if (Host().ProgressVisible()) Host().SetProgress(percent);
    }
}

bool CheckRadioModel() {
    WaitTimer().stop();
    const QString pcModel = ModFun::TrimNull(gModelName);
    const int pcBand = ModFreFile::BandTextToCode(gBandText);
    const QString own = QString::fromLatin1(ModVersion::kDataVersion);
    const bool versionKnown = ModVerionMana::IsPairKnown(own, gRadioVersion);
    if (ModVersion::IsModelCompatible(pcModel, gRadioModel, gCommType) &&
        ModVersion::IsBandCompatible(pcBand, gRadioBand, gCommType) && versionKnown)
        return true;
    if (ModVersion::IsModelCompatible(pcModel, gRadioModel, 2)) {
        if (!versionKnown) {
            const QString text = ModVerionMana::VersionMismatchText(own, gRadioVersion, 0);
            if (Ask(text, Mb::YesNo) == Mb::IdYes) {
                const QString version = gRadioVersion;
                const auto result =
                    InQuestion([&] { return ModVerionMana::StartMatchingVersion(version); });
                if (result == ModVerionMana::SwitchResult::Failed)
                    Ask(GetLangText(9063), Mb::OKOnly);
            }
            return false;
        }
        if (ModVersion::IsSameBandGroup(pcBand, gRadioBand))
            return Ask(GetLangText(9014), Mb::OKCancel | Mb::Exclamation) == Mb::IdOK;
        Ask(GetLangText(9030), Mb::OKOnly | Mb::Exclamation);
        return false;
    }
    Ask(GetLangText(9012) + QStringLiteral("\r\nPC is ") + pcModel +
            QStringLiteral("\r\nRadio is ") + ModFun::TrimNull(gRadioModel),
        Mb::OKOnly);
    return false;
}

} // namespace ModComm

// ---- the factory test block

namespace ModTestData {

namespace {
TTestBlock gReadTestBlock{};
bool gReadTestBlockHeld = false;
} // namespace

void SendTestRead() {
    gReadTestBlockHeld = false;
    ModComm::SendFrame(ModComm::ReadRequest(ModComm::kTestBlockAddr, ModComm::gBlockLen),
                       ModComm::gBlockLen + 6);
}

void SendTestWrite() {
    ModComm::SendFrame(ModComm::DataFrame(ModComm::kTestBlockAddr, BlockToSend()), 1);
}

bool CheckTestReply(const QByteArray& reply) {
    return ModComm::IsDataReplyAt(reply, ModComm::kTestBlockAddr);
}

void StoreTestReply(const QByteArray& reply) {
    for (int i = 0; i < 16; ++i)
        gReadTestBlock[i] = static_cast<quint8>(reply[4 + i]);
    gReadTestBlockHeld = true;
}

void TakeReadTestBlock() {
    // A read with test-data mode off brings no block: the radio's own is
    // unknown, and never the block of the configuration before.
    if (gReadTestBlockHeld)
        TakeRadioBlock(gReadTestBlock);
    else
        ForgetTestBlock();
    gReadTestBlockHeld = false;
}

void DropReadTestBlock() {
    gReadTestBlockHeld = false;
}

} // namespace ModTestData
