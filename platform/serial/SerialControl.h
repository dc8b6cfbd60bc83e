#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;

namespace Platform {

// The serial communication control the programs talk to the radio through:
// port number, line settings string, handshaking mode, binary input, receive
// threshold, buffers, output, input and the receive event.
class SerialControl : public QObject {
    Q_OBJECT
public:
    // Handshaking modes.
    enum Handshaking { NoHandshaking = 0, XonXoff = 1, RtsCts = 2, RtsCtsXonXoff = 3 };
    // Events and errors reported through CommEvent().
    static constexpr int EvReceive = 2;
    static constexpr int ErPortOpen = 8005; // the port is already open elsewhere
    static constexpr int ErNoPort = 8002;   // no such port
    static constexpr int ErSettings = 8010; // the settings string is not valid
    static constexpr int ErOpenFailed = 8015;

    explicit SerialControl(QObject* parent = nullptr);
    ~SerialControl() override;

    void SetCommPort(int port) { commPort_ = port; }
    int CommPort() const { return commPort_; }
    // "9600,n,8,1": baud rate, parity (n, e, o, m, s), data bits, stop bits.
    // False when the text is not a valid setting; nothing changes then.
    bool SetSettings(const QString& settings);
    QString Settings() const;
    void SetHandshaking(int mode);
    int HandshakingMode() const { return handshaking_; }
    // The receive event fires when at least this many bytes are waiting;
    // 0 switches the event off.
    void SetRThreshold(int count) { rThreshold_ = count; }
    int RThreshold() const { return rThreshold_; }
    // Bytes that one Input() returns at most; 0 takes everything waiting.
    void SetInputLen(int count) { inputLen_ = count; }

    // Opens the port with the settings; false on failure, CommEvent() then
    // tells why.
    bool Open();
    // Closes the port. What was sent before gets the time it needs at the
    // line's speed (plus kCloseMarginMs, kCloseWaitMaxMs at most) to leave;
    // whatever is still unsent then is discarded.
    void Close();
    static constexpr int kCloseWaitMaxMs = 250;
    static constexpr int kCloseMarginMs = 20;
    bool PortOpen() const;

    int CommEvent() const { return commEvent_; }
    QString ErrorText() const { return errorText_; }

    // Bytes waiting to be read / to be sent; setting them to 0 empties the
    // buffer.
    int InBufferCount() const;
    void ClearInBuffer();
    int OutBufferCount() const;
    void ClearOutBuffer();

    // Hands the bytes to the driver before it returns (as far as it takes
    // them; the rest follows as the line drains).
    void Output(const QByteArray& bytes);
    QByteArray Input();

    // The device path that the port number resolved to when it was opened.
    QString DevicePath() const { return devicePath_; }

signals:
    // The control's event: CommEvent() tells which (EvReceive when at least
    // the threshold number of bytes is waiting).
    void OnComm();

private:
    void OnReadyRead();
    bool ApplyHandshaking();
    // Bytes written but not yet on the line: ours and the driver's.
    int PendingOutput() const;
    void Fail(int event, const QString& text);

    QSerialPort* port_;
    int commPort_ = 1;
    qint32 baud_ = 9600;
    char parity_ = 'n';
    int dataBits_ = 8;
    int stopBits_ = 1;
    int handshaking_ = NoHandshaking;
    int rThreshold_ = 0;
    int inputLen_ = 0;
    int commEvent_ = 0;
    QString errorText_;
    QString devicePath_;
    QByteArray inBuffer_;
};

} // namespace Platform
