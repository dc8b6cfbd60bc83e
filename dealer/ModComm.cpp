#include "dealer/ModComm.h"

#include "data/ModFun.h"
#include "dealer/DealerTexts.h"
#include "dealer/ModData.h"
#include "dealer/ModSYSType.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"
#include "platform/serial/SerialControl.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

namespace Mb = Platform::Mb;

namespace Halbrek {

namespace ModComm {

int gCommState = Idle;
int gComPort = 0;
int gSessionPort = 0;
int gBlockAddress = kStartAddress;
int gReadStep = 0;
int gWriteStep = 0;
int gSavedStep = 0;
bool gNoEcho = false;
int gEchoLength = 0;
std::array<quint8, kRecvBufferSize> gRecvBuffer{};
int gRecvCount = 0;
QString gRadioPassword;
bool gRadioHasPassword = false;
bool gRadioHasAnswer = false;
int gRadioCount = 0;
int gRadioNo = 0;
int gTimeoutCount = 0;
int gResendsLeft = 0;

namespace {

// A host that shows nothing, for a session without a window.
class NoHost final : public SessionHost {
public:
    void GetDataByShow() override {}
    void ShowByData() override {}
    bool NewProtectPassword() override { return false; }
    bool SetProtectPassword() override { return false; }
    bool ShowStartMulWrite() override { return gCommState == MultiWriting; }
    void ShowRadioNo(int) override {}
    void ShowStatus(const QString&) override {}
};

// The reply the last frame asks for; any other counts as no reply.
enum class Awaited { Nothing, Handshake, Block, Accept };

SessionHost* gHost = nullptr;
QByteArray gLastRequest;
int gLastThreshold = 1;
Awaited gAwaited = Awaited::Nothing;
Awaited gLastAwaited = Awaited::Nothing;
// The block address of the last read request.
int gRequestAddress = -1;
// A reply was taken and its action is queued; a new session makes older
// queued actions void.
bool gActionPending = false;
unsigned gSession = 0;
// The programming password the screen gave for the radio being written.
QString gTypedPassword;

quint8 At(const QByteArray& bytes, int i) {
    return i >= 0 && i < bytes.size() ? static_cast<quint8>(bytes[i]) : 0;
}

struct Engine {
    Platform::SerialControl comm;
    QTimer timer;
    Engine() {
        timer.setSingleShot(false);
        timer.setInterval(kReplyTimeoutMs);
        QObject::connect(&comm, &Platform::SerialControl::OnComm, [] { MSComm1_OnComm(); });
        QObject::connect(&timer, &QTimer::timeout, [] { WaitTimer_Timer(); });
    }
};

Engine& TheEngine() {
    static Engine engine;
    return engine;
}

void SetState(int state) {
    if (gCommState == state) return;
    gCommState = state;
    Host()->ShowCommState();
}

// Every send starts afresh: empty receive buffer, echo length, empty port
// buffers, the threshold of the awaited reply; then the frame and the timer.
void Output(const QByteArray& frame, int threshold) {
    gRecvCount = 0;
    Platform::SerialControl& c = MSComm1();
    c.ClearOutBuffer();
    c.ClearInBuffer();
    c.SetRThreshold(threshold);
    c.Output(frame);
    WaitTimer().start();
}

// A new frame, with its own resends.
void Send(const QByteArray& frame, int threshold, Awaited awaited) {
    gLastRequest = frame;
    gLastThreshold = threshold;
    gAwaited = gLastAwaited = awaited;
    gResendsLeft = kMaxResends;
    Output(frame, threshold);
}

void ShowMessage(const TextTable& table) {
    Platform::MsgBox(Text(table), Mb::OKOnly);
}

// Back to idle: port closed, time-out stopped, nothing awaited.
void EndSession() {
    WaitTimer().stop();
    ClosePort();
    gAwaited = Awaited::Nothing;
    gBlockAddress = kStartAddress;
    SetState(Idle);
}

// No usable reply: the session ends with the communication error.
void CommError() {
    const int state = gCommState;
    if (state == MultiWriting) Host()->ShowStartMulWrite();
    EndSession();
    if (state != Idle) ShowMessage(gMsgCommError);
}

bool IsWholeNumber(const QString& text) {
    if (text.isEmpty() || text.size() > 18) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QString Plus1(const QString& digits) {
    return QString::number(digits.toULongLong() + 1).rightJustified(8, u'0');
}

// The counter part of a serial number: the digits after the first 8
// characters, or the whole number when it is 8 characters or shorter.
QString SerialCounter(const QString& serial) {
    const QString s = ModFun::TrimNull(serial);
    return s.size() > 8 ? s.mid(8) : s;
}

// The protect question, then the blocks. Runs outside the receive event
// with the port closed, so nothing arrives while a dialog is open.
void AskAndSendBlocks() {
    const int state = gCommState;
    if (ModProtect::CheckPasswordChange() && Host()->NewProtectPassword()) {
        gProtectInfo.Question = gProtectInfo.NewQuestion;
        gProtectInfo.Answer = gProtectInfo.NewAnswer;
    }
    ModProtect::EncodeProtect();
    if (gCommState != state) return; // ended while the dialogs were open
    if (!OpenPort()) {
        if (state == MultiWriting) Host()->ShowStartMulWrite();
        EndSession();
        return;
    }
    MSComm1().ClearInBuffer();
    SendWriteBlock();
}

// The write preparation of each radio, once its blocks 0xB00, 0xB30, 0xC00
// and 0xC10 were read back: the screen into the area, the port closed, the
// protect rule, then the first block.
void PrepareWrite() {
    gWriteStep = 5;
    Host()->GetDataByShow();
    gTypedPassword = FixedValue(gDealerInfo.Password);
    ModData::EncodeDealerInfo();
    ClosePort();
    AskAndSendBlocks();
}

// The read-back block that a data reply answers in a write, by the step
// that asked for it; -1 when it is a read's block.
int CheckBlockAddress() {
    static const int kCheckBlocks[][2] = {{1, 0xB00}, {3, 0xB30}, {31, 0xC00}, {32, 0xC10}};
    if (gCommState != Writing && gCommState != MultiWriting) return -1;
    for (const auto& b : kCheckBlocks)
        if (b[0] == gSavedStep) return b[1];
    return -1;
}

// The action of a reply that was taken: a data reply is stored first.
void Act(bool advance, const QByteArray& data) {
    if (!data.isEmpty()) {
        const int check = CheckBlockAddress();
        if (check >= 0)
            StoreCheckBlock(data, check, 16);
        else
            StoreReadBlock(data);
    }
    NextStep(advance);
}

void WriteStep() {
    switch (gWriteStep) {
    case 1:
        if (gCommState == MultiWriting && gRadioNo > 1 && gTimeoutCount < 2) {
            // The radio just written still answers.
            gTimeoutCount = 0;
            SendHandshake();
            return;
        }
        gWriteStep = 3;
        SendReadRequest(0xB00, 16);
        break;
    case 3:
        gWriteStep = 31;
        SendReadRequest(0xB30, 16);
        break;
    case 31:
        gWriteStep = 32;
        SendReadRequest(0xC00, 16);
        break;
    case 32:
        gWriteStep = 4;
        SendReadRequest(0xC10, 16);
        break;
    case 4:
        PrepareWrite();
        break;
    case 5:
        SendWriteBlock();
        break;
    default:
        WriteComplete();
    }
}

// The multi-write goes on with the next radio, or ends.
void NextRadio() {
    // Each radio takes the password the screen gave, not the one the radio
    // before kept.
    StoreFixed(gDealerInfo.Password, gTypedPassword);
    const bool full = SerialNumberFull(gDealerInfo.SerialNumber.Text());
    if (!full)
        StoreFixed(gDealerInfo.SerialNumber, RaiseSerialNumber(gDealerInfo.SerialNumber.Text()));
    Host()->ShowByData();
    ++gRadioNo;
    Host()->ShowRadioNo(gRadioNo);
    if (full || gRadioNo > gRadioCount) {
        Host()->ShowStatus(QString());
        EndMulWrite(true);
        ShowMessage(full ? kSerialNumberFull : gMsgMulWriteDone);
        return;
    }
    gWriteStep = 1;
    gTimeoutCount = 0;
    SendHandshake();
    Host()->ShowStatus(Text(kWaitingNext));
}

} // namespace

void SetHost(SessionHost* host) {
    gHost = host;
}

SessionHost* Host() {
    static NoHost none;
    return gHost ? gHost : &none;
}

Platform::SerialControl& MSComm1() {
    return TheEngine().comm;
}

QTimer& WaitTimer() {
    return TheEngine().timer;
}

void ResetSession() {
    WaitTimer().stop();
    ClosePort();
    gCommState = Idle;
    gSessionPort = 0;
    gBlockAddress = kStartAddress;
    gReadStep = gWriteStep = gSavedStep = 0;
    gNoEcho = false;
    gEchoLength = 0;
    gRecvCount = 0;
    gRadioPassword.clear();
    gRadioHasPassword = gRadioHasAnswer = false;
    gRadioCount = gRadioNo = gTimeoutCount = 0;
    gResendsLeft = 0;
    gLastRequest.clear();
    gAwaited = Awaited::Nothing;
    gRequestAddress = -1;
    gActionPending = false;
    ++gSession;
    gTypedPassword.clear();
}

QByteArray HandshakeWord() {
    // Built letter by letter whenever it is sent.
    QByteArray word;
    for (char c : {'P', 'R', 'O', 'G', 'R', 'A', 'M'})
        word.append(c);
    return word;
}

QByteArray LastRequest() {
    return gLastRequest;
}

bool OpenPort() {
    Platform::SerialControl& c = MSComm1();
    if (c.PortOpen()) c.Close();
    c.SetCommPort(gSessionPort);
    c.SetHandshaking(Platform::SerialControl::NoHandshaking);
    c.SetSettings(QStringLiteral("9600,N,8,1"));
    c.SetInputLen(0);
    c.SetRThreshold(1);
    if (gSessionPort < 1 || !c.Open()) {
        Platform::MsgBox(Text(gMsgPortError), Mb::Critical | Mb::OKOnly);
        return false;
    }
    return true;
}

void ClosePort() {
    if (MSComm1().PortOpen()) MSComm1().Close();
}

void SendHandshake() {
    gEchoLength = gNoEcho ? 0 : 7;
    Send(HandshakeWord(), 1, Awaited::Handshake);
}

void SendReadRequest(qint32 address, qint32 length) {
    const QByteArray frame = ::ModComm::ReadRequest(address, length);
    gEchoLength = gNoEcho ? 0 : 4;
    gRequestAddress = address;
    // The shortest answer is a lone "send again"; a data reply that comes in
    // part raises the threshold to its rest.
    Send(frame, gEchoLength + 1, Awaited::Block);
}

void SendNextReadBlock() {
    gBlockAddress += 16;
    if (gBlockAddress > kLastBlock)
        FinishRead();
    else
        SendReadRequest(gBlockAddress, 16);
}

void SendWriteBlock() {
    gBlockAddress += 16;
    // The write order skips the blocks that are only read.
    if (gBlockAddress == 0xB10) gBlockAddress = 0xB30;
    if (gBlockAddress == 0xB40) gBlockAddress = 0xC00;
    if (gBlockAddress == 0xC20) gBlockAddress = 0xCC0;
    if (gBlockAddress > kLastBlock) {
        FinishWrite();
        return;
    }
    const QByteArray frame =
        ::ModComm::DataFrame(gBlockAddress, ModData::ImageBytes(gBlockAddress, 16));
    gEchoLength = gNoEcho ? 0 : 22;
    Send(frame, gEchoLength + 1, Awaited::Accept);
}

void FinishRead() {
    gReadStep = 69;
    NextStep(true);
}

void FinishWrite() {
    gWriteStep = 69;
    NextStep(true);
}

void NextStep(bool advance) {
    WaitTimer().stop();
    if (gCommState == Idle) return;
    if (!advance) {
        // The same frame again, as long as it has resends left.
        if (gResendsLeft < 1) {
            CommError();
            return;
        }
        --gResendsLeft;
        gAwaited = gLastAwaited;
        Output(gLastRequest, gLastThreshold);
        return;
    }
    if (gCommState == Reading) {
        gSavedStep = gReadStep;
        if (gReadStep == 1 || gReadStep == 3) {
            gReadStep = 3;
            SendNextReadBlock();
        } else {
            ReadComplete();
        }
        return;
    }
    gSavedStep = gWriteStep;
    WriteStep();
}

bool CheckHandshakeReply() {
    if (gRecvCount < 3) return false;
    const int n = gRecvCount;
    if (gRecvBuffer[n - 3] != 'K' || gRecvBuffer[n - 2] != 'L' || gRecvBuffer[n - 1] != 0x06)
        return false;
    const int before = n - 3;
    if (before < 7) {
        gNoEcho = true;
    } else {
        const QByteArray word = HandshakeWord();
        gNoEcho = false;
        for (int i = 0; i < 7; ++i)
            if (gRecvBuffer[before - 7 + i] != static_cast<quint8>(word[i])) gNoEcho = true;
    }
    return true;
}

bool IsAckReply(const QByteArray& bytes) {
    return bytes.size() == gEchoLength + 1 && At(bytes, gEchoLength) == 0x06;
}

bool IsResendReply(const QByteArray& bytes) {
    return bytes.size() == gEchoLength + 1 && At(bytes, gEchoLength) == 0x0A;
}

bool IsDataReply(const QByteArray& bytes) {
    const int e = gEchoLength;
    return At(bytes, e) == 0x57 && bytes.size() >= e + 22 &&
           bytes.size() == e + At(bytes, e + 3) + 6 && At(bytes, bytes.size() - 1) == 0x06 &&
           IsChecksumOK(bytes, e + 1);
}

void StoreReadBlock(const QByteArray& bytes) {
    const int e = gEchoLength;
    const int address = At(bytes, e + 1) * 256 + At(bytes, e + 2);
    if (address >= kAreaStart && address <= kLastBlock)
        ModData::SetImageBytes(address, bytes.mid(e + 4, 16));
}

void StoreCheckBlock(const QByteArray& bytes, int address, int length) {
    if (address >= kAreaStart && address <= kLastBlock)
        ModData::SetImageBytes(address, bytes.mid(gEchoLength + 4, length));
    switch (address) {
    case 0xB00:
        gDealerInfo.BandCode = ModData::ImageByte(kBandAddress);
        break;
    case 0xB30:
        gRadioPassword = ModData::ConvertedText(0xB3C, 4);
        gRadioHasPassword = !ModFun::TrimNull(gRadioPassword).isEmpty();
        break;
    case 0xC00:
        StoreFixed(gProtectInfo.Question, ModData::ConvertedText(0xC00, 16));
        break;
    case 0xC10:
        StoreFixed(gProtectInfo.Answer, ModData::ConvertedText(0xC10, 8));
        gRadioHasAnswer = !FixedValue(gProtectInfo.Answer).isEmpty();
        break;
    default:
        break;
    }
}

void ReadComplete() {
    EndSession();
    ModData::DecodeRadioInfo();
    Host()->ShowByData();
    ShowMessage(gMsgReadDone);
}

QString RaiseSerialNumber(const QString& serial) {
    QString s = ModFun::TrimNull(serial);
    if (s.size() > 8) {
        const QString head = s.left(8);
        QString tail = s.mid(8);
        if (IsWholeNumber(tail)) tail = Plus1(tail);
        s = head + tail;
    } else if (IsWholeNumber(s)) {
        s = Plus1(s);
    }
    return s;
}

bool SerialNumberFull(const QString& serial) {
    const QString counter = SerialCounter(serial);
    return IsWholeNumber(counter) && Plus1(counter).size() > 8;
}

void WriteComplete() {
    gBlockAddress = kStartAddress;
    if (gCommState == MultiWriting) {
        NextRadio();
        return;
    }
    EndSession();
    StoreFixed(gDealerInfo.SerialNumber, RaiseSerialNumber(gDealerInfo.SerialNumber.Text()));
    Host()->ShowByData();
    ShowMessage(gMsgWriteDone);
}

void MSComm1_OnComm() {
    Platform::SerialControl& c = MSComm1();
    if (c.CommEvent() != Platform::SerialControl::EvReceive) return;
    const QByteArray chunk = c.Input();
    // Bytes beyond the buffer's room are not kept.
    for (int i = 0; i < chunk.size() && gRecvCount < kRecvBufferSize; ++i)
        gRecvBuffer[static_cast<std::size_t>(gRecvCount++)] = static_cast<quint8>(chunk[i]);
    // A reply counts only as the one the last frame asks for, and only
    // while nothing is being acted on. It is judged on all bytes received
    // since the frame went out, so a reply that comes in pieces is one reply
    // and the pieces of a longer one are never taken for a short one.
    if (gCommState == Idle || gActionPending) return;
    const QByteArray got(reinterpret_cast<const char*>(gRecvBuffer.data()), gRecvCount);
    bool advance = true;
    QByteArray data;
    switch (gAwaited) {
    case Awaited::Handshake:
        if (!CheckHandshakeReply()) return;
        break;
    case Awaited::Block:
        if (IsResendReply(got)) {
            advance = false;
        } else if (IsDataReply(got) &&
                   At(got, gEchoLength + 1) * 256 + At(got, gEchoLength + 2) == gRequestAddress) {
            data = got;
        } else {
            c.SetRThreshold(std::max(1, gEchoLength + 6 + 16 - gRecvCount)); // the rest
            return;
        }
        break;
    case Awaited::Accept:
        if (IsResendReply(got))
            advance = false;
        else if (!IsAckReply(got))
            return;
        break;
    case Awaited::Nothing:
        return;
    }
    WaitTimer().stop();
    gAwaited = Awaited::Nothing;
    gActionPending = true;
    // The step runs after the receive event has returned, so that no
    // message or question it opens is nested inside it.
    const unsigned session = gSession;
    QMetaObject::invokeMethod(
        &c,
        [session, advance, data] {
            if (session != gSession) return;
            gActionPending = false;
            if (gCommState != Idle) Act(advance, data); // not when stopped meanwhile
        },
        Qt::QueuedConnection);
}

void WaitTimer_Timer() {
    WaitTimer().stop();
    if (gCommState == Idle) return;
    if (gCommState == MultiWriting && gRadioNo > 1 && gWriteStep == 1) {
        // Waiting for the next radio.
        ++gTimeoutCount;
        if (gTimeoutCount > kMaxWaitTimeouts) {
            CommError();
            return;
        }
        gWriteStep = 1;
        SendHandshake();
        return;
    }
    CommError();
}

namespace {
// Opens the port and sends the handshake of a read or write session.
void StartSession(int state, int& step) {
    if (gCommState != Idle) return; // one session at a time
    ++gSession;
    gActionPending = false;
    gSessionPort = gComPort;
    SetState(state);
    step = 0;
    if (!OpenPort()) {
        SetState(Idle);
        return;
    }
    gBlockAddress = kStartAddress;
    SendHandshake();
    step = 1;
}
} // namespace

void StartRead() {
    StartSession(Reading, gReadStep);
}

void StartWrite() {
    StartSession(Writing, gWriteStep);
}

void StartMulWrite(const QString& countText) {
    if (gCommState != Idle) return;
    const double count = Platform::Val(countText);
    gRadioCount = std::isfinite(count) && count > 0 && count < 1e6 ? static_cast<int>(count) : 0;
    gRadioNo = 1;
    gTimeoutCount = 0;
    Host()->ShowRadioNo(gRadioNo);
    ++gSession;
    gActionPending = false;
    gSessionPort = gComPort;
    SetState(MultiWriting);
    gWriteStep = 0;
    if (!OpenPort()) {
        EndMulWrite(true);
        return;
    }
    gBlockAddress = kStartAddress;
    Host()->ShowStatus(Text(kWritingData));
    SendHandshake();
    gWriteStep = 1;
}

void EndMulWrite(bool restoreControls) {
    if (restoreControls && gCommState == MultiWriting) Host()->ShowStartMulWrite();
    EndSession();
}

void SessionPortGone() {
    if (gCommState != Idle) CommError();
}

} // namespace ModComm

namespace ModProtect {

int gProtectMode = 0;
bool gProtectOK = false;
bool gPasswordChanged = false;

QString RadioAnswer() {
    return FixedValue(gProtectInfo.Answer);
}

QString TypedAnswer() {
    return FixedValue(gProtectInfo.NewAnswer);
}

bool AnswerMissing() {
    return !RadioAnswer().isEmpty() && TypedAnswer() != RadioAnswer();
}

void UpdatePasswordChanged() {
    gPasswordChanged =
        FixedValue(gDealerInfo.Password) != ModFun::TrimNull(ModComm::gRadioPassword);
}

bool CheckPasswordChange() {
    if (!gPasswordChanged) return false;
    if (!ModComm::gRadioHasPassword) return true;
    if (ModComm::gRadioHasAnswer) {
        // A wrong answer writes the radio's own password back unchanged.
        if (!ModComm::Host()->SetProtectPassword())
            StoreFixed(gDealerInfo.Password, ModComm::gRadioPassword);
        return false;
    }
    return !FixedValue(gDealerInfo.Password).isEmpty();
}

void EncodeProtect() {
    for (const AreaText& f : AreaTexts())
        if (f.writer == Writer::Protect || QLatin1String(f.name) == QLatin1String("Password"))
            ModData::PutString(f.address, f.value(), f.width);
}

bool NewProtectPassword(const std::function<void()>& showDialog) {
    gProtectMode = -1;
    showDialog();
    if (gProtectOK && !TypedAnswer().isEmpty()) ModSYSType::SaveProtectPair();
    return gProtectOK;
}

bool SetProtectPassword(const std::function<void()>& showDialog) {
    const int state = ModComm::gCommState;
    if (AnswerMissing()) {
        do {
            gProtectMode = 0;
            showDialog();
        } while (gProtectOK && AnswerMissing());
    }
    // A session that ended while the question was open asks nothing more.
    if (ModComm::gCommState != state) return false;
    if (AnswerMissing()) {
        Platform::MsgBox(Text(gMsgProtectError), Mb::OKOnly);
        return false;
    }
    if (!RadioAnswer().isEmpty()) ModSYSType::SaveProtectPair();
    return true;
}

} // namespace ModProtect

} // namespace Halbrek
