#include "platform/serial/SerialPorts.h"

#include <QFileInfo>

namespace Platform::SerialPorts {

namespace {

std::optional<QList<int>> gGivenPorts;

QString FixedDevice(int port) {
    if (port >= 1 && port <= 32) return QStringLiteral("/dev/ttyS%1").arg(port - 1);
    if (port >= 33 && port <= 64) return QStringLiteral("/dev/ttyUSB%1").arg(port - 33);
    if (port >= 65 && port <= 96) return QStringLiteral("/dev/ttyACM%1").arg(port - 65);
    return {};
}

QString LinkedDevice(int port) {
    const QString dir = LinkDir();
    if (dir.isEmpty()) return {};
    return dir + QStringLiteral("/com%1").arg(port);
}

bool Exists(const QString& path) {
    // A link counts only when what it points to exists.
    return !path.isEmpty() && QFileInfo::exists(path);
}

} // namespace

QString LinkDir() {
    return qEnvironmentVariable(kLinkDirVariable);
}

QString DevicePath(int port) {
    if (port < 1 || port > kMaxPort) return {};
    const QString linked = LinkedDevice(port);
    if (Exists(linked)) return linked;
    const QString fixed = FixedDevice(port);
    if (Exists(fixed)) return fixed;
    return {};
}

QList<int> ListPorts() {
    if (gGivenPorts) return *gGivenPorts;
    QList<int> ports;
    for (int port = 1; port <= kMaxPort; ++port)
        if (!DevicePath(port).isEmpty()) ports.append(port);
    return ports;
}

void SetGivenPorts(std::optional<QList<int>> ports) {
    gGivenPorts = std::move(ports);
}

} // namespace Platform::SerialPorts
