#pragma once

#include "data/FrameChecksum.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

class QTimer;
namespace Platform {
class SerialControl;
}

// The frames exchanged with the radio and the session engine that reads,
// writes and reads the radio information, one exchange at a time.
namespace ModComm {

// What the engine needs from the windows: the progress dialog and the
// password dialog. The main window provides one; tests and tools a
// headless one.
class SessionHost {
public:
    virtual ~SessionHost() = default;
    // Loads the progress dialog and shows it modally; loading it starts the
    // session (StartSession). Returns when the session has unloaded it.
    virtual void RunProgress() = 0;
    virtual bool ProgressVisible() const = 0;
    // The bar and the percentage label.
    virtual void SetProgress(int percent) = 0;
    virtual void CloseProgress() = 0;
    // The progress dialog's caption (the port search shows its own while it
    // runs).
    virtual QString ProgressCaption() const = 0;
    virtual void SetProgressCaption(const QString& caption) = 0;
    // The password dialog, modal, in password mode: it offers gProgPassword,
    // stores the typed text there on OK and sets gPasswordGiven.
    virtual void ShowPasswordDialog() = 0;
};
void SetSessionHost(SessionHost* host);
SessionHost* CurrentSessionHost();
// The host in use (one that shows nothing when none is set).
SessionHost& Host();

// Called when a read has ended well, after the pages were closed: the
// end-of-read step continues there.
void SetReadDoneHook(std::function<void()> hook);
// Runs a step that shows a message of the session's end: at once, or, while
// the message that ends the session (9009, 9010) is open, after it is closed,
// so that no message opens over it.
void AfterEndMessage(std::function<void()> step);

// Radio addresses.
inline constexpr int kSettingsBlockAddr = 0x0B30;
inline constexpr int kTestBlockAddr = 0x1FF0;
inline constexpr int kReplyTimeoutMs = 150;

// Session variables.
extern int gHandshakeCount;
extern int gIdentRetries;
extern int gSettingsRetries;
extern int gTestRetries; // resends left for the factory test block
extern int gEndRetries;  // resends left for a refused "END"
extern bool gReplyExpected;
extern std::vector<int> gBlockRetries;
extern qint32 gCurAddr;
extern qint32 gBlockLen;
extern qint32 gEndAddr;
extern int gLastPercent;
// From the identification reply.
extern QString gRadioModel;
extern int gRadioBand;
extern QString gRadioVersion;
// The code typed in the password dialog's access-code mode (the password
// itself and the mode are program settings).
extern QString gAccessCodeBuf;

// The serial control and the reply timer of the engine.
Platform::SerialControl& MSComm1();
QTimer& WaitTimer();

// Frames.
QByteArray HandshakeWord();
QByteArray ReadFrame(qint32 address);
QByteArray WriteFrame(qint32 address);
QByteArray EndFrame();

// Reply tests.
bool IsAck(const QByteArray& reply);
bool IsResendRequest(const QByteArray& reply);
bool IsHandshakeAck(const QByteArray& reply);
bool IsIdentReply(const QByteArray& reply);
bool IsReadReply(const QByteArray& reply);
bool IsSettingsBlockReply(const QByteArray& reply);
// A whole data reply ('W', LEN + 6 bytes, 0x06 last, right checksum) for
// that address, whatever the session.
bool IsDataReplyAt(const QByteArray& reply, int address);

// Readers of replies. ParseIdentity takes only the model, band and version;
// ParseIdentReply also puts the identification into the image.
void ParseIdentity(const QByteArray& reply);
void ParseIdentReply(const QByteArray& reply);
// The programming password held in a settings-block reply.
QString PasswordField(const QByteArray& reply);
bool IsPasswordOK(const QByteArray& reply);
void StoreReadData(const QByteArray& reply);

// Senders.
void SendHandshake();
void SendIdentify();
void SendReadSettingsBlock();
void SendReadNext();
void SendReadCurrent();
void SendWriteNext();
void SendWriteCurrent();
void SendEnd();
// Sends a frame awaiting a reply of that length (the common sending steps).
void SendFrame(const QByteArray& frame, int replyLength);

// The engine.
// A session starts, or starts over, from the handshake: the handshake count
// goes to 0 and every resend counter (identification, settings block, test
// block, "END") back to 3.
void RenewRetries();
bool OpenCommForSession();
// The session start that the progress dialog's load runs in reads and writes.
void StartSession();
void MSComm1_OnComm();
void NextStep();
void WaitTimer_Timer();
// After a search that found nothing the port in hand is not the user's:
// reopenUserPort makes OK reopen the user's own setting first.
void AskRetry(bool reopenUserPort = false);
void RetryHandshake();
void FinishTransfer();
void FinishComm(bool success);
void EndComm(bool success);
void UpdateProgress();
bool CheckRadioModel();
// A write to a radio whose identification forbids it (killed or stunned):
// the message, the session ends, true. False otherwise.
bool RefuseProtectedWrite();

// Whether a question or dialog of the engine is open.
bool InDialog();
// Puts the engine back to idle without any exchange (start-up, tests).
void ResetSession();
// The program closes: a session still running ends as a failed one (the
// radio is told "END"), without a message; the port is closed.
void EndForExit();

} // namespace ModComm
