#include "platform/serial/SerialPorts.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace Platform::SerialPorts {

namespace {

std::optional<QList<int>> gGivenPorts;

// A serial port that the system reports, with the number it goes by here.
struct SystemPort {
    int number;
    QString path;
    dev_t device;
};

// The character device a path leads to (through links), or nothing.
std::optional<dev_t> CharDevice(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 ||
        !S_ISCHR(st.st_mode))
        return std::nullopt;
    return st.st_rdev;
}

// The system's serial ports: only those with hardware behind them (a UART
// that answers, a plugged-in adapter).
QList<SystemPort> SystemPorts() {
    QList<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const int number = FixedNumber(info.portName());
        const std::optional<dev_t> device = CharDevice(info.systemLocation());
        if (number > 0 && device) ports.append({number, info.systemLocation(), *device});
    }
    return ports;
}

bool IsPseudoTerminal(dev_t device) {
    // The slave sides of the pseudo-terminals: majors 136 to 143.
    return ::major(device) >= 136 && ::major(device) <= 143;
}

// The system's ports, read on first use and kept for one lookup or listing.
// Walking them takes tens of milliseconds, so a port behind a link to a
// pseudo-terminal is found without it.
class LazySystemPorts {
public:
    const QList<SystemPort>& operator()() {
        if (!ports_) ports_ = SystemPorts();
        return *ports_;
    }

private:
    std::optional<QList<SystemPort>> ports_;
};

// The link of a port number when it leads to a pseudo-terminal or to a port
// the system reports; otherwise an empty text.
QString LinkedDevice(int port, LazySystemPorts& system) {
    const QString dir = LinkDir();
    if (dir.isEmpty()) return {};
    const QString link = dir + QStringLiteral("/com%1").arg(port);
    const std::optional<dev_t> device = CharDevice(link);
    if (!device) return {};
    if (IsPseudoTerminal(*device)) return link;
    for (const SystemPort& p : system())
        if (p.device == *device) return link;
    return {};
}

QString DevicePath(int port, LazySystemPorts& system) {
    if (port < 1 || port > kMaxPort) return {};
    const QString linked = LinkedDevice(port, system);
    if (!linked.isEmpty()) return linked;
    for (const SystemPort& p : system())
        if (p.number == port) return p.path;
    return {};
}

} // namespace

int FixedNumber(const QString& deviceName) {
    static const QRegularExpression kName(QStringLiteral("^tty(S|USB|ACM)(\\d{1,2})$"));
    const QRegularExpressionMatch m = kName.match(deviceName);
    if (!m.hasMatch()) return 0;
    const int n = m.captured(2).toInt();
    if (n > 31) return 0;
    const QString kind = m.captured(1);
    if (kind == u"S") return 1 + n;
    if (kind == u"USB") return 33 + n;
    return 65 + n;
}

QString LinkDir() {
    return qEnvironmentVariable(kLinkDirVariable);
}

QString DevicePath(int port) {
    LazySystemPorts system;
    return DevicePath(port, system);
}

QList<int> ListPorts() {
    if (gGivenPorts) return *gGivenPorts;
    LazySystemPorts system;
    QList<int> ports;
    for (int port = 1; port <= kMaxPort; ++port)
        if (!DevicePath(port, system).isEmpty()) ports.append(port);
    return ports;
}

void SetGivenPorts(std::optional<QList<int>> ports) {
    gGivenPorts = std::move(ports);
}

} // namespace Platform::SerialPorts
