#pragma once

#include "data/FrameChecksum.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

class QTimer;
namespace Platform {
class SerialControl;
}

namespace Halbrek {

// What the session needs of the main window: the screen, the protect
// dialogs and the multi-write controls. The window provides one; tests a
// scripted one.
class SessionHost {
public:
    virtual ~SessionHost() = default;
    virtual void GetDataByShow() = 0;
    virtual void ShowByData() = 0;
    virtual bool NewProtectPassword() = 0;
    virtual bool SetProtectPassword() = 0;
    // Switches the multi-write controls; true when it found a multi-write
    // running and put them back to idle.
    virtual bool ShowStartMulWrite() = 0;
    virtual void ShowRadioNo(int number) = 0;
    virtual void ShowStatus(const QString& text) = 0;
    // A session started or ended: the commands follow gCommState.
    virtual void ShowCommState() {}
};

// Halbrek's serial session: handshake, echo detection, read requests, write
// blocks and the step machine of reads, writes and multi-radio writes.
namespace ModComm {

using ::ModComm::IsChecksumOK;
using ::ModComm::SetChecksum;

inline constexpr int kStartAddress = 0xAF0; // one block before the area
inline constexpr int kLastBlock = 0xCF0;
inline constexpr int kReplyTimeoutMs = 500;
inline constexpr int kRecvBufferSize = 101;
// Unanswered handshakes after which a multi-write gives up waiting (4 hours).
inline constexpr int kMaxWaitTimeouts = 28800;
// "Send again" replies a frame may have before the session gives up.
inline constexpr int kMaxResends = 3;

enum CommState { Idle = 0, Reading = 1, Writing = 2, MultiWriting = 3 };

extern int gCommState;
extern int gComPort;
// The port the running session opened: it keeps it to its end, whatever
// port is chosen meanwhile.
extern int gSessionPort;
extern int gBlockAddress;
extern int gReadStep;
extern int gWriteStep;
extern int gSavedStep;
extern bool gNoEcho;
extern int gEchoLength;
extern std::array<quint8, kRecvBufferSize> gRecvBuffer;
extern int gRecvCount;
extern QString gRadioPassword;
extern bool gRadioHasPassword;
extern bool gRadioHasAnswer;
// The multi-radio write.
extern int gRadioCount;
extern int gRadioNo;
extern int gTimeoutCount;
// Resends left for the frame last sent.
extern int gResendsLeft;

void SetHost(SessionHost* host);
SessionHost* Host();

Platform::SerialControl& MSComm1();
QTimer& WaitTimer();
// Idle state, port closed, counters as when the window loads.
void ResetSession();

QByteArray HandshakeWord();
QByteArray LastRequest();

bool OpenPort();
void ClosePort();
void SendHandshake();
void SendReadRequest(qint32 address, qint32 length);
void SendNextReadBlock();
void SendWriteBlock();
void FinishRead();
void FinishWrite();
void NextStep(bool advance);

bool CheckHandshakeReply();
bool IsAckReply(const QByteArray& bytes);
bool IsResendReply(const QByteArray& bytes);
bool IsDataReply(const QByteArray& bytes);
void StoreReadBlock(const QByteArray& bytes);
void StoreCheckBlock(const QByteArray& bytes, int address, int length);

void ReadComplete();
void WriteComplete();
// The serial number raised by one as a write leaves it.
QString RaiseSerialNumber(const QString& serial);
// Raising the serial number would carry its 8-digit counter into a ninth
// digit (which the 16-character field may cut back to an issued number).
bool SerialNumberFull(const QString& serial);

// Serial receive event and reply time-out.
void MSComm1_OnComm();
void WaitTimer_Timer();

// The Read and Write buttons; nothing while a session runs.
void StartRead();
void StartWrite();
// The MulWrite button once the controls were switched to running: the count
// text is read as a whole number (anything else counts as 0).
void StartMulWrite(const QString& countText);
// Ends a multi-write: controls back to idle (when restoreControls), port
// closed, time-out stopped, idle.
void EndMulWrite(bool restoreControls);
// The running session's port has gone from the system: the session ends
// with the communication error (it never goes on on another port).
void SessionPortGone();

} // namespace ModComm

// The protect question and answer guarding a change of the programming
// password.
namespace ModProtect {

// -1 "new" (set a new pair), 0 "ask" (answer the radio's question).
extern int gProtectMode;
extern bool gProtectOK;
extern bool gPasswordChanged;

// gPasswordChanged from the typed password and the radio's.
void UpdatePasswordChanged();
bool CheckPasswordChange();
void EncodeProtect();
// A: the radio's answer, N: the typed one (TrimNull forms).
QString RadioAnswer();
QString TypedAnswer();
// The radio has an answer that the typed one does not match.
bool AnswerMissing();

// The protect flows around a dialog runner that shows the dialog modally in
// gProtectMode and leaves its result in gProtectOK and the typed pair.
bool NewProtectPassword(const std::function<void()>& showDialog);
bool SetProtectPassword(const std::function<void()>& showDialog);

} // namespace ModProtect

} // namespace Halbrek
