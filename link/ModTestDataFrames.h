#pragma once

#include <QByteArray>

// The frames of the factory test block (radio 0x1FF0).
namespace ModTestData {

void SendTestRead();
// Marks the working test block (byte 15 = 0xA5) and sends it.
void SendTestWrite();
bool CheckTestReply(const QByteArray& reply);
// Keeps the radio's test block for the end of a read; the working block
// changes only when the whole read succeeded (TakeReadTestBlock).
void StoreTestReply(const QByteArray& reply);
void TakeReadTestBlock();
// Forgets the radio's test block of a read that failed, so that no later read
// can take it.
void DropReadTestBlock();

} // namespace ModTestData
