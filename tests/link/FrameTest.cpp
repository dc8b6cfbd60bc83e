#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "link/ModComm.h"
#include "link/ModTestDataFrames.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ModComm;

namespace {

QByteArray DataReply(int address, const QByteArray& data) {
    QByteArray r;
    r.append('W');
    r.append(static_cast<char>(address >> 8));
    r.append(static_cast<char>(address & 0xFF));
    r.append(static_cast<char>(data.size()));
    r.append(data);
    r.append('\0');
    r.append(char(0x06));
    SetChecksum(r, 1);
    return r;
}

QByteArray Ident(const QByteArray& model, quint8 band, const QByteArray& version, quint8 flags) {
    QByteArray r(16, '\0');
    r[0] = 'P';
    for (int i = 0; i < model.size(); ++i)
        r[1 + i] = model[i];
    r[8] = static_cast<char>(band);
    for (int i = 0; i < version.size(); ++i)
        r[9 + i] = version[i];
    r[13] = static_cast<char>(flags);
    r[15] = 0x06;
    return r;
}

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        ResetSession();
        gBlockLen = 16;
        gIdentFlags.fill(0);
        gSavedIdentFlags.fill(0);
        gProgPassword.clear();
    }
    void TearDown() override { ResetSession(); }
    TestSupport::RecordingMessages messages;
};

TEST_F(FrameTest, ChecksumOfAWriteFrame) {
    gImage.fill(0xFF);
    const QByteArray frame = WriteFrame(0x0010);
    ASSERT_EQ(frame.size(), 22);
    EXPECT_EQ(frame[0], 'W');
    EXPECT_EQ(frame[1], 0x00);
    EXPECT_EQ(frame[2], 0x10);
    EXPECT_EQ(frame[3], 0x10);
    EXPECT_EQ(static_cast<quint8>(frame[20]), 0x10);
    EXPECT_EQ(static_cast<quint8>(frame[21]), 0x06);
    EXPECT_TRUE(IsChecksumOK(frame, 1));
    QByteArray off = frame;
    off[20] = static_cast<char>(0x11);
    EXPECT_FALSE(IsChecksumOK(off, 1));
}

TEST_F(FrameTest, ReadFrameNamesTheBlockHighByteFirst) {
    EXPECT_EQ(ReadFrame(0xB00), QByteArray("R\x0B\x00\x10", 4));
    EXPECT_EQ(ReadFrame(0x0A0), QByteArray("R\x00\xA0\x10", 4));
    const QByteArray word = HandshakeWord();
    ASSERT_EQ(word.size(), 7);
    for (char c : word)
        EXPECT_TRUE(c >= 'A' && c <= 'Z');
}

TEST_F(FrameTest, ReplyTestsLookAtLengthAndBytes) {
    EXPECT_TRUE(IsAck(QByteArray(1, 0x06)));
    EXPECT_FALSE(IsAck(QByteArray("\x06\x06", 2)));
    EXPECT_TRUE(IsResendRequest(QByteArray(1, 0x0A)));
    EXPECT_TRUE(IsHandshakeAck(QByteArray("KL\x06", 3)));
    EXPECT_FALSE(IsHandshakeAck(QByteArray("KL\x06\x00", 4)));
    EXPECT_TRUE(IsIdentReply(Ident("KL740", 1, "V200", 0)));
    EXPECT_FALSE(IsIdentReply(Ident("KL740", 1, "V200", 0).left(15)));
}

TEST_F(FrameTest, ReadReplyMustFitTheBlockAskedFor) {
    gCurAddr = 0x120;
    const QByteArray good = DataReply(0x120, QByteArray(16, 'a'));
    EXPECT_TRUE(IsReadReply(good));
    QByteArray badSum = good;
    badSum[20] = static_cast<char>(static_cast<quint8>(badSum[20]) + 1);
    EXPECT_FALSE(IsReadReply(badSum));
    EXPECT_FALSE(IsReadReply(DataReply(0x130, QByteArray(16, 'a'))));
    QByteArray noEnd = good;
    noEnd[21] = 0x07;
    EXPECT_FALSE(IsReadReply(noEnd));
    EXPECT_FALSE(IsReadReply(DataReply(0x120, QByteArray(8, 'a'))));
}

TEST_F(FrameTest, SettingsBlockReplyOnlyAtStepThree) {
    const QByteArray reply = DataReply(kSettingsBlockAddr, QByteArray(16, 'x'));
    gCommType = 1;
    gReadStep = 2;
    EXPECT_FALSE(IsSettingsBlockReply(reply));
    gReadStep = 3;
    EXPECT_TRUE(IsSettingsBlockReply(reply));
    gReadStep = 0;
    gWriteStep = 3;
    EXPECT_TRUE(IsSettingsBlockReply(reply));
    EXPECT_TRUE(ModTestData::CheckTestReply(DataReply(kTestBlockAddr, QByteArray(16, 1))));
    EXPECT_FALSE(ModTestData::CheckTestReply(reply));
}

TEST_F(FrameTest, PasswordFieldEndsAtNulOrFF) {
    QByteArray data(16, '\0');
    data[12] = '1';
    data[13] = '2';
    data[14] = static_cast<char>(0xFF);
    data[15] = 0;
    EXPECT_EQ(PasswordField(DataReply(kSettingsBlockAddr, data)), "12");
    data[12] = 0;
    EXPECT_EQ(PasswordField(DataReply(kSettingsBlockAddr, data)), "");
    data[12] = static_cast<char>(0xFF);
    EXPECT_TRUE(IsPasswordOK(DataReply(kSettingsBlockAddr, data)));
}

TEST_F(FrameTest, PasswordsCompareWithoutTrailingBlanks) {
    QByteArray data(16, static_cast<char>(0xFF));
    data[12] = 'a';
    data[13] = 'B';
    data[14] = ' ';
    const QByteArray reply = DataReply(kSettingsBlockAddr, data);
    gProgPassword = "aB";
    EXPECT_TRUE(IsPasswordOK(reply));
    gProgPassword = "aB  ";
    EXPECT_TRUE(IsPasswordOK(reply));
    gProgPassword = "ab";
    EXPECT_FALSE(IsPasswordOK(reply));
    gProgPassword = "";
    EXPECT_FALSE(IsPasswordOK(reply));
}

TEST_F(FrameTest, IdentificationFillsTheRadioFieldsAndTheImage) {
    gImage.fill(0xFF);
    ParseIdentReply(Ident("KL740", 16, "V200", 0x0C));
    EXPECT_EQ(gRadioModel, "KL740");
    EXPECT_EQ(gRadioBand, 16);
    EXPECT_EQ(gRadioVersion, "V200");
    EXPECT_EQ(gImage[0xB00], 'K');
    EXPECT_EQ(gImage[0xB05], 0x00);
    EXPECT_EQ(gImage[0xB06], 0x00);
    EXPECT_EQ(gImage[0xB07], 0xFF); // the band stays as the PC encoded it
    EXPECT_EQ(gImage[0xB08], 'V');
    EXPECT_EQ(gImage[0xB0C], 0x0C);
    EXPECT_EQ(gIdentFlags[0], 1);
    EXPECT_EQ(gIdentFlags[1], 1);
    EXPECT_EQ(gIdentFlags[2], 0);

    // In test-data mode the PC's model name stays in the image.
    gImage.fill(0xFF);
    gTestDataOn = true;
    ParseIdentReply(Ident("KL740G", 3, "V200", 0));
    gTestDataOn = false;
    EXPECT_EQ(gRadioModel, "KL740G");
    EXPECT_EQ(gImage[0xB00], 0xFF);
    EXPECT_EQ(gImage[0xB08], 'V');
}

TEST_F(FrameTest, ReadDataGoesToTheImageOrTheInformationArea) {
    gImage.fill(0xFF);
    gRadioInfoImage.fill(0xFF);
    gCommType = 3;
    gCurAddr = 0xB00;
    StoreReadData(DataReply(0xB00, QByteArray(16, 7)));
    EXPECT_EQ(gImage[0xB00], 7);
    EXPECT_EQ(gImage[0xB0F], 7);
    gCurAddr = 0xB10;
    StoreReadData(DataReply(0xB10, QByteArray(16, 9)));
    EXPECT_EQ(gRadioInfoImage[0], 9);
    EXPECT_EQ(gRadioInfoImage[15], 9);
    gCurAddr = 0xCF0;
    StoreReadData(DataReply(0xCF0, QByteArray(16, 5)));
    EXPECT_EQ(gRadioInfoImage[495], 5);
}

TEST_F(FrameTest, ProgressRoundsHalfToEvenAndNeverShowsOneHundred) {
    gCommType = 1;
    gEndAddr = 2831;
    gLastPercent = 0;
    gCurAddr = 2816;
    UpdateProgress();
    EXPECT_EQ(gLastPercent, 99);
    // 0.5 % rounds to 0, so nothing moves.
    gLastPercent = 0;
    gEndAddr = 3200;
    gCurAddr = 16;
    UpdateProgress();
    EXPECT_EQ(gLastPercent, 0);
}

} // namespace
