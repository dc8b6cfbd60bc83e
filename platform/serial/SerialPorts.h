#pragma once

#include <QList>
#include <QString>
#include <optional>

// The port catalogue: port numbers as the program counts them (COM1 = 1) and
// the devices behind them. The ports are those the system reports (a device
// node without hardware behind it is none), numbered by their names:
//   COM1-32   /dev/ttyS0-31
//   COM33-64  /dev/ttyUSB0-31
//   COM65-96  /dev/ttyACM0-31
// The folder named by the environment variable CORVAN_LINK_DIR may hold links
// "com1", "com2", ... to a pseudo-terminal or to any port the system reports
// (a Bluetooth port, a port of another name); such a link comes before the
// fixed device of the same number. A link to anything else counts for nothing.
namespace Platform::SerialPorts {

inline constexpr const char* kLinkDirVariable = "CORVAN_LINK_DIR";
inline constexpr int kMaxPort = 255;

// The link folder, or an empty text when the variable is not set.
QString LinkDir();

// The port number a device name goes by (ttyS0 is 1, ttyUSB0 33, ttyACM31
// 96); 0 for a name outside the three families.
int FixedNumber(const QString& deviceName);

// The device path of a port number, or an empty text when the number has
// no port (outside 1..255, or neither a link nor a system port for it).
QString DevicePath(int port);

// The port numbers that have a port, ascending; or the given list, when one
// is given.
QList<int> ListPorts();

// Gives the list of ports the catalogue reports instead of the system's, as
// it stands (a listed port need not have a device); no list puts the
// system's back. For trying the program on a chosen set of ports.
void SetGivenPorts(std::optional<QList<int>> ports);

} // namespace Platform::SerialPorts
