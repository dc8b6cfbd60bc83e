#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The checksum of the radio's frame family, shared by both programs: the sum
// of the bytes from the start index up to the last data byte, modulo 256, in
// the byte before the frame's closing 0x06.
namespace ModComm {

// The byte at (last index - 1) := sum of the bytes from first to (last index - 2).
void SetChecksum(QByteArray& frame, int first);
// True when the byte at (last index - 1) holds that sum.
bool IsChecksumOK(const QByteArray& frame, int first);

// The two frames of the family that name a block, built for both programs.
// The block address goes high byte first (AH, AL).
// A read request: 'R' AH AL LEN.
QByteArray ReadRequest(int address, int length);
// A data frame: 'W' AH AL LEN, the data (LEN bytes), the checksum of AH to
// the last data byte, 0x06.
QByteArray DataFrame(int address, QByteArrayView data);

} // namespace ModComm
