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

} // namespace ModComm
