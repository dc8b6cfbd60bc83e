#pragma once

#include <QByteArray>

// The frames of the factory test block (radio 0x1FF0).
namespace ModTestData {

void SendTestRead();
// Marks the working test block (byte 15 = 0xA5) and sends it.
void SendTestWrite();
bool CheckTestReply(const QByteArray& reply);
void StoreTestReply(const QByteArray& reply);

} // namespace ModTestData
