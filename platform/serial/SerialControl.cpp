#include "platform/serial/SerialControl.h"

#include "platform/serial/SerialPorts.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QStringList>
#include <QThread>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace Platform {

SerialControl::SerialControl(QObject* parent) : QObject(parent), port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, &SerialControl::OnReadyRead);
}

SerialControl::~SerialControl() {
    Close();
}

bool SerialControl::SetSettings(const QString& settings) {
    const QStringList parts = settings.split(QLatin1Char(','));
    if (parts.size() != 4) return false;
    bool okBaud = false, okData = false, okStop = false;
    const int baud = parts[0].trimmed().toInt(&okBaud);
    const QString parity = parts[1].trimmed().toLower();
    const int data = parts[2].trimmed().toInt(&okData);
    const int stop = parts[3].trimmed().toInt(&okStop);
    if (!okBaud || baud <= 0 || parity.size() != 1 || !QStringLiteral("neoms").contains(parity) ||
        !okData || data < 5 || data > 8 || !okStop || (stop != 1 && stop != 2))
        return false;
    baud_ = baud;
    parity_ = parity[0].toLatin1();
    dataBits_ = data;
    stopBits_ = stop;
    return true;
}

QString SerialControl::Settings() const {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(baud_)
        .arg(QLatin1Char(parity_))
        .arg(dataBits_)
        .arg(stopBits_);
}

void SerialControl::SetHandshaking(int mode) {
    handshaking_ = qBound(0, mode, 3);
}

void SerialControl::Fail(int event, const QString& text) {
    commEvent_ = event;
    errorText_ = text;
}

bool SerialControl::Open() {
    if (port_->isOpen()) {
        Fail(ErPortOpen, QStringLiteral("The port is already open."));
        return false;
    }
    devicePath_ = SerialPorts::DevicePath(commPort_);
    if (devicePath_.isEmpty()) {
        Fail(ErNoPort, QStringLiteral("COM%1 does not exist.").arg(commPort_));
        return false;
    }
    port_->setPortName(devicePath_);
    port_->setBaudRate(baud_);
    port_->setDataBits(static_cast<QSerialPort::DataBits>(dataBits_));
    switch (parity_) {
    case 'e':
        port_->setParity(QSerialPort::EvenParity);
        break;
    case 'o':
        port_->setParity(QSerialPort::OddParity);
        break;
    case 'm':
        port_->setParity(QSerialPort::MarkParity);
        break;
    case 's':
        port_->setParity(QSerialPort::SpaceParity);
        break;
    default:
        port_->setParity(QSerialPort::NoParity);
    }
    port_->setStopBits(stopBits_ == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    switch (handshaking_) {
    case XonXoff:
        port_->setFlowControl(QSerialPort::SoftwareControl);
        break;
    case RtsCts:
    case RtsCtsXonXoff:
        port_->setFlowControl(QSerialPort::HardwareControl);
        break;
    default:
        port_->setFlowControl(QSerialPort::NoFlowControl);
    }
    inBuffer_.clear();
    if (!port_->open(QIODevice::ReadWrite)) {
        const bool busy = port_->error() == QSerialPort::PermissionError;
        Fail(busy ? ErPortOpen : ErOpenFailed, port_->errorString());
        return false;
    }
    if (!ApplyHandshaking()) {
        Fail(ErOpenFailed, QStringLiteral("The handshaking mode cannot be set."));
        port_->close();
        return false;
    }
    commEvent_ = 0;
    errorText_.clear();
    return true;
}

// Hardware and software flow control together has no QSerialPort mode: the
// port is opened with hardware flow control and XON/XOFF is added to the
// terminal settings.
bool SerialControl::ApplyHandshaking() {
    if (handshaking_ != RtsCtsXonXoff) return true;
    const int fd = static_cast<int>(port_->handle());
    termios tio{};
    if (fd < 0 || ::tcgetattr(fd, &tio) != 0) return false;
    tio.c_cflag |= CRTSCTS;
    tio.c_iflag |= IXON | IXOFF;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

int SerialControl::PendingOutput() const {
    int pending = static_cast<int>(port_->bytesToWrite());
    const int fd = static_cast<int>(port_->handle());
    if (fd < 0) return pending;
    int queued = 0;
    if (::ioctl(fd, TIOCOUTQ, &queued) == 0) pending += qMax(0, queued);
    // The last bytes may still sit in the UART itself.
    unsigned int lsr = 0;
    if (pending == 0 && ::ioctl(fd, TIOCSERGETLSR, &lsr) == 0 && !(lsr & TIOCSER_TEMT)) pending = 1;
    return pending;
}

void SerialControl::Close() {
    if (!port_->isOpen()) return;
    // What was written gets the time it needs on the line and a little more.
    port_->flush();
    int pending = PendingOutput();
    if (pending > 0) {
        const int bitsPerChar = 1 + dataBits_ + (parity_ == 'n' ? 0 : 1) + stopBits_;
        const qint64 lineMs = qint64(pending) * bitsPerChar * 1000 / qMax(1, baud_);
        QDeadlineTimer deadline(qMin<qint64>(lineMs + kCloseMarginMs, kCloseWaitMaxMs));
        while (pending > 0 && !deadline.hasExpired()) {
            QThread::msleep(1);
            port_->flush();
            pending = PendingOutput();
        }
    }
    if (pending > 0) {
        // What has not left by then (a cable that never raises CTS, a device
        // that takes nothing) is thrown away, and the flow control that holds
        // it is let go, so that the driver does not wait for it on closing.
        port_->clear(QSerialPort::Output);
        const int fd = static_cast<int>(port_->handle());
        termios tio{};
        if (fd >= 0 && ::tcgetattr(fd, &tio) == 0) {
            tio.c_cflag &= ~CRTSCTS;
            tio.c_iflag &= ~(IXON | IXOFF);
            ::tcsetattr(fd, TCSANOW, &tio);
            ::tcflow(fd, TCOON);
            ::tcflush(fd, TCOFLUSH);
        }
    }
    port_->close();
    inBuffer_.clear();
}

bool SerialControl::PortOpen() const {
    return port_->isOpen();
}

int SerialControl::InBufferCount() const {
    return static_cast<int>(inBuffer_.size() + (port_->isOpen() ? port_->bytesAvailable() : 0));
}

void SerialControl::ClearInBuffer() {
    inBuffer_.clear();
    if (port_->isOpen()) {
        port_->readAll();
        port_->clear(QSerialPort::Input);
    }
}

int SerialControl::OutBufferCount() const {
    return port_->isOpen() ? static_cast<int>(port_->bytesToWrite()) : 0;
}

void SerialControl::ClearOutBuffer() {
    if (port_->isOpen()) port_->clear(QSerialPort::Output);
}

void SerialControl::Output(const QByteArray& bytes) {
    if (!port_->isOpen()) return;
    port_->write(bytes);
    // Into the driver at once, not on the event loop's next pass: the frame
    // is on the line while the caller still finishes its step.
    port_->flush();
}

QByteArray SerialControl::Input() {
    if (port_->isOpen()) inBuffer_.append(port_->readAll());
    if (inputLen_ <= 0 || inBuffer_.size() <= inputLen_) {
        QByteArray all;
        all.swap(inBuffer_);
        return all;
    }
    QByteArray head = inBuffer_.left(inputLen_);
    inBuffer_.remove(0, inputLen_);
    return head;
}

void SerialControl::OnReadyRead() {
    inBuffer_.append(port_->readAll());
    if (rThreshold_ > 0 && inBuffer_.size() >= rThreshold_) {
        commEvent_ = EvReceive;
        emit OnComm();
    }
}

} // namespace Platform
