#include "data/FrameChecksum.h"

namespace ModComm {

namespace {
unsigned SumBytes(const QByteArray& frame, int first) {
    unsigned sum = 0;
    for (int i = first; i <= frame.size() - 3; ++i)
        sum += static_cast<quint8>(frame[i]);
    return sum & 0xFF;
}
} // namespace

void SetChecksum(QByteArray& frame, int first) {
    if (frame.size() < 2) return;
    frame[frame.size() - 2] = static_cast<char>(SumBytes(frame, first));
}

bool IsChecksumOK(const QByteArray& frame, int first) {
    if (frame.size() < first + 2) return false;
    return static_cast<quint8>(frame[frame.size() - 2]) == SumBytes(frame, first);
}

QByteArray ReadRequest(int address, int length) {
    QByteArray frame(4, '\0');
    frame[0] = 'R';
    frame[1] = static_cast<char>((address >> 8) & 0xFF);
    frame[2] = static_cast<char>(address & 0xFF);
    frame[3] = static_cast<char>(length & 0xFF);
    return frame;
}

QByteArray DataFrame(int address, QByteArrayView data) {
    QByteArray frame = ReadRequest(address, static_cast<int>(data.size()));
    frame[0] = 'W';
    frame.append(data);
    frame.append('\0');
    frame.append(char(0x06));
    SetChecksum(frame, 1);
    return frame;
}

} // namespace ModComm
