#pragma once

#include <QByteArray>

// The checksum of the radio's frame family, shared by both programs: the sum
// of the bytes from the start index up to the last data byte, modulo 256, in
// the byte before the frame's closing 0x06.
namespace ModComm {

// The byte at (last index - 1) := sum of the bytes from first to (last index - 2).
void SetChecksum(QByteArray& frame, int first);
// True when the byte at (last index - 1) holds that sum.
bool IsChecksumOK(const QByteArray& frame, int first);

} // namespace ModComm
