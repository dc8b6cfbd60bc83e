#include "data/FrameChecksum.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(text);
}

// The frames of both programs, byte for byte.
TEST(FramesTest, BothProgramsFramesComeOutByteForByte) {
    struct Row {
        const char* what;
        QByteArray frame;
        QByteArray expected;
    };
    const QByteArray ff(16, static_cast<char>(0xFF));
    const QByteArray zeros(16, '\0');
    QByteArray testBlock = zeros;
    testBlock[15] = static_cast<char>(0xA5);
    const Row rows[] = {
        {"Corvan: image block", ModComm::ReadRequest(0x0A50, 16), Hex("520a5010")},
        {"Corvan: settings block", ModComm::ReadRequest(0x0B30, 16), Hex("520b3010")},
        {"Corvan: factory test block", ModComm::ReadRequest(0x1FF0, 16), Hex("521ff010")},
        {"Halbrek: first area block", ModComm::ReadRequest(0x0B00, 16), Hex("520b0010")},
        {"Corvan: write of 0x0010", ModComm::DataFrame(0x0010, ff),
         Hex("57001010") + ff + Hex("1006")},
        {"Corvan: test block write", ModComm::DataFrame(0x1FF0, testBlock),
         Hex("571ff010") + testBlock + Hex("c406")},
        {"Halbrek: write of 0x0CC0", ModComm::DataFrame(0x0CC0, zeros),
         Hex("570cc010") + zeros + Hex("dc06")},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.frame.toHex(), r.expected.toHex());
        if (r.frame[0] == 'W') {
            EXPECT_TRUE(ModComm::IsChecksumOK(r.frame, 1));
        }
    }
}

} // namespace
