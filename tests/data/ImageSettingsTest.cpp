#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFun.h"
#include "data/SharedState.h"
#include "tests/data/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ImageTest;
using ModFun::TrimNull;

namespace {

class ImageSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gCommType = 0;
        ModComm::ClearImage();
        gSavedIdentFlags.fill(0);
    }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;

    TSettings& S() { return gEditData.Settings; }
    TDtmf& D() { return gEditData.Settings.Dtmf; }
};

TEST_F(ImageSettingsTest, OptionBytesPackTheFeatures) {
    S().OptFeatures = {5, 2, 5, 1, 3, 1, 0, 1, 0, 9, 1, 0, 30, 40, 30, 3, 6, 7};
    gEditData.ProhibitInit = 1;
    ModCommFun::EncodeOptions830(S().OptFeatures);
    EXPECT_EQ(Bytes(0x830, 0x838), Hex("50 AF A9 50 1E 28 1E 63 07"));
    EXPECT_EQ(gImage[0x839], 0xFF) << "0x839 is not the codec's";

    const auto sent = S().OptFeatures;
    S().OptFeatures.fill(0);
    gEditData.ProhibitInit = 0;
    ModCommFun::DecodeOptions830(S().OptFeatures);
    EXPECT_EQ(S().OptFeatures, sent);
    EXPECT_EQ(gEditData.ProhibitInit, 1);
}

TEST_F(ImageSettingsTest, SquelchLevelIsTheHighNibble) {
    S().OptFeatures[0] = 5;
    ModCommFun::EncodeImage();
    EXPECT_EQ(gImage[0x830], 0x50);
    gImage[0x830] = 0x5F;
    ModCommFun::DecodeImage();
    EXPECT_EQ(S().OptFeatures[0], 5);
}

// VOX delay: the page offers 0 to 9; a radio value above it is held at 9.
TEST_F(ImageSettingsTest, VoxDelayComesBackAsWrittenWithinItsList) {
    for (int delay = 0; delay <= 15; ++delay) {
        S().OptFeatures[16] = static_cast<qint16>(delay);
        S().OptFeatures[15] = 3;
        ModCommFun::EncodeImage();
        EXPECT_EQ(gImage[0x837], (delay << 4) | 3);
        ModCommFun::DecodeImage();
        EXPECT_EQ(S().OptFeatures[16], std::min(delay, 9));
        EXPECT_EQ(S().OptFeatures[15], 3);
    }
}

TEST_F(ImageSettingsTest, KeysAreOneBytePerSetting) {
    S().Keys = {10, 20, 1, 2, 3, 4};
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x83A, 0x83F), Hex("0A 14 01 02 03 04"));
    S().Keys.fill(0);
    ModCommFun::DecodeImage();
    EXPECT_EQ(S().Keys, (std::array<qint16, 6>{10, 20, 1, 2, 3, 4}));
}

TEST_F(ImageSettingsTest, ScanBitsAndBytes) {
    S().Scan = {1, 2, 7, 30, 31, 32, 33, 1, 2, 5, 8, 16};
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x840, 0x848), Hex("E7 02 05 08 10 1E 1F 20 21"));
    const auto sent = S().Scan;
    ModCommFun::DecodeImage();
    EXPECT_EQ(S().Scan, sent);

    gImage[0x840] = 0x0F; // a radio value with bit 3 set
    ModCommFun::DecodeImage();
    EXPECT_EQ(S().Scan[2], 7) << "the revert option is read from bits 2-0";
}

TEST_F(ImageSettingsTest, AlertByteCarriesTheAlertMode) {
    S().Alert = {2, 1, 4, 10, 11, 12, 1, 3, 9, 13};
    gEditExtraData.AlertMode = 1;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x851, 0x858), Hex("1E 03 09 04 0A 0B 0C 0D"));
    gEditExtraData.AlertMode = 0;
    S().Alert.fill(0);
    ModCommFun::DecodeImage();
    EXPECT_EQ(gEditExtraData.AlertMode, 1);
    EXPECT_EQ(S().Alert, (std::array<quint8, 10>{2, 1, 4, 10, 11, 12, 1, 3, 9, 13}));
}

TEST_F(ImageSettingsTest, DtmfFieldsAndGroupCodeNibble) {
    D().Fields = {1, 2, 3, 4, 5, 1, 2, 6, 6};
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x849, 0x850), Hex("01 02 03 04 05 A0 06 06"));
    gImage[0x84F] = 0xF6;
    ModCommFun::DecodeImage();
    EXPECT_EQ(D().Fields, (std::array<qint16, 9>{1, 2, 3, 4, 5, 1, 2, 6, 6}));
}

TEST_F(ImageSettingsTest, OwnIdIsPaddedWithZerosToTheLength) {
    D().Id.Assign("12345");
    D().IdLen = 5;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x860, 0x864), Hex("12 34 50 00 00"));
    EXPECT_EQ(gImage[0x868], 5);
    ModCommFun::DecodeImage();
    EXPECT_EQ(D().Id.Bytes(), QByteArray("12345\0    ", 10));
    EXPECT_EQ(D().IdLen, 5);

    D().Id.Assign("12");
    D().IdLen = 4;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x860, 0x861), Hex("12 00"));
}

TEST_F(ImageSettingsTest, AnIdLengthOutsideThreeToTenIsSentAsThree) {
    D().Id.Assign("9876543210");
    D().IdLen = 12;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x860, 0x864), Hex("98 70 00 00 00"));
    EXPECT_EQ(gImage[0x868], 3);
    EXPECT_EQ(D().IdLen, 12) << "the record keeps its value";

    gImage[0x868] = 0xFF;
    ModCommFun::DecodeImage();
    EXPECT_EQ(D().IdLen, 3);
    EXPECT_EQ(TrimNull(D().Id.Text()), "987");
}

TEST_F(ImageSettingsTest, CodeCellsPackDigitsWithStarAndHash) {
    D().Codes[0].Len = 4;
    D().Codes[0].Digits.Assign("12*#");
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x900, 0x901), Hex("12 EF"));
    EXPECT_EQ(gImage[0x908], 4);
    EXPECT_EQ(gImage[0x902], 0xFF) << "bytes after the last digit pair are not written";
    ModCommFun::DecodeImage();
    EXPECT_EQ(D().Codes[0].Len, 4);
    EXPECT_EQ(TrimNull(D().Codes[0].Digits.Text()), "12*#");

    gImage[0x908] = 0xFF;
    ModCommFun::DecodeImage();
    EXPECT_EQ(D().Codes[0].Len, 0);
    EXPECT_EQ(TrimNull(D().Codes[0].Digits.Text()), "");
}

TEST_F(ImageSettingsTest, AnOddCodeGetsAZeroNibble) {
    D().Kill.Len = 3;
    D().Kill.Digits.Assign("123");
    D().Codes[15].Len = 2;
    D().Codes[15].Digits.Assign("AD");
    D().Codes[3].Len = 3; // a digit text longer than the code
    D().Codes[3].Digits.Assign("1234");
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x8F0, 0x8F1), Hex("12 30"));
    EXPECT_EQ(Bytes(0x930, 0x931), Hex("12 30"));
    EXPECT_EQ(gImage[0x8F8], 3);
    EXPECT_EQ(gImage[0x9F0], 0xAD);
    ModCommFun::DecodeImage();
    EXPECT_EQ(D().Kill.Digits.Bytes(), QByteArray("123\0            ", 16));
    EXPECT_EQ(TrimNull(D().Codes[15].Digits.Text()), "AD");
}

TEST_F(ImageSettingsTest, EncodingDtmfLeavesTheRecordAlone) {
    D().Bot.Len = 2;
    D().Bot.Digits.Assign("7");
    D().Id.Assign("1");
    D().IdLen = 2;
    const TDtmf before = D();
    ModCommFun::EncodeDTMF(D());
    EXPECT_EQ(D(), before);
    EXPECT_EQ(gImage[0x8C0], 0x70);
}

// A negative digit count would have been written as a length byte the radio
// cannot use; it is sent as an empty code.
TEST_F(ImageSettingsTest, ANegativeCodeLengthIsSentAsEmpty) {
    D().Stun.Len = -1;
    D().Stun.Digits.Assign("12");
    ModCommFun::EncodeImage();
    EXPECT_EQ(gImage[0x8E8], 0);
    EXPECT_EQ(gImage[0x8E0], 0xFF);
}

TEST_F(ImageSettingsTest, TestPairsAreBcdSecondFirst) {
    gEditData.TestFreList[0].First.Assign("43510000");
    gEditData.TestFreList[0].Second.Assign("43520000");
    gEditData.TestFreList[1].First.Assign("4351");
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0xA00, 0xA07), Hex("43 52 00 00 43 51 00 00"));
    EXPECT_EQ(Bytes(0xA08, 0xA0F), Hex("FF FF FF FF 43 51 00 00"))
        << "an empty code is FF FF FF FF, a short one is padded with 0";
    EXPECT_EQ(Bytes(0xA58, 0xA5F), Hex("40 01 00 00 40 00 00 00")) << "fixed pair 0 in slot 11";
    EXPECT_EQ(Bytes(0xA78, 0xA7F), Hex("47 99 00 00 48 00 00 00")) << "fixed pair 4 in slot 15";
}

TEST_F(ImageSettingsTest, ZeroOrDamagedTestPairsReadAsNoFrequency) {
    ModCommFun::EncodeImage();
    Put(0xA10, Hex("00 00 00 00 43 5A 00 00"));
    ModCommFun::DecodeImage();
    EXPECT_EQ(gEditData.TestFreList[2].Second.Text(), "FFFFFFFF");
    EXPECT_EQ(gEditData.TestFreList[2].First.Text(), "FFFFFFFF")
        << "a digit that is not decimal makes the code no frequency";
    EXPECT_EQ(gEditData.TestFreList[0].First.Text(), "43510000");
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ImageSettingsTest, DecodingTakesTheRadiosFactoryPairs) {
    ModCommFun::EncodeImage();
    Put(0xA60, Hex("41 00 00 00 41 11 11 11"));
    ModCommFun::DecodeImage();
    EXPECT_EQ(gFixedTestFreqs[1].Second.Text(), "41000000");
    EXPECT_EQ(gFixedTestFreqs[1].First.Text(), "41111111");
    EXPECT_EQ(gFixedTestFreqs[0].First.Text(), "40000000");
}

TEST_F(ImageSettingsTest, MessageLinesAreZeroFilled) {
    S().EmbMsg[0].Assign("ABC");
    S().EmbMsg[3].Assign("0123456789ABCDEF");
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0xA80, 0xA8F), QByteArray("ABC") + QByteArray(13, '\0'));
    EXPECT_EQ(Bytes(0xA90, 0xA9F), QByteArray(16, '\0')) << "the default line is empty";
    EXPECT_EQ(Bytes(0xAB0, 0xABF), QByteArray("0123456789ABCDEF"));
    ModCommFun::DecodeImage();
    EXPECT_EQ(S().EmbMsg[0].Bytes(), QByteArray("ABC\0            ", 16));
    EXPECT_EQ(S().EmbMsg[3].Bytes(), QByteArray("0123456789ABCDEF"));

    Put(0xA90, QByteArray("HI  ") + QByteArray(1, '\xFF') + "XYZ");
    Put(0xAA0, QByteArray("A\x07"
                          "B\xB0"
                          "C\x7F ",
                          7) +
                   QByteArray(1, '\0') + "D");
    ModCommFun::DecodeImage();
    EXPECT_EQ(TrimNull(S().EmbMsg[1].Text()), "HI") << "up to the first FF, blanks removed";
    EXPECT_EQ(S().EmbMsg[2].Bytes(), QByteArray("ABC\0            ", 16)) << "32..126 only";

    // the same characters from a file; a line that shows only them is kept as it is
    S().EmbMsg[2].AssignBytes("A\tB ");
    S().EmbMsg[3].AssignBytes(QByteArray("AB \0\x07", 5));
    ModCommFun::KeepInRange(gEditData);
    EXPECT_EQ(S().EmbMsg[2].Bytes(), QByteArray("AB\0             ", 16));
    EXPECT_EQ(S().EmbMsg[3].Bytes(), QByteArray("AB \0\x07           ", 16));
}

TEST_F(ImageSettingsTest, TheModelBlockCarriesTheProgramsModelAndBand) {
    gModelName = "KL740G";
    gBandText = "136 - 174 MHz";
    gEditData.ModelInfo.ModelName.Assign("OTHER");
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0xB00, 0xB0B), QByteArray("KL740G\0\x08V200", 12));
    EXPECT_EQ(TrimNull(gEditData.ModelInfo.ModelName.Text()), "KL740G");

    gModelName = "KL740";
    gBandText = "400 - 480 MHz";
    ModCommFun::DecodeImage();
    EXPECT_EQ(gModelName, "KL740G");
    EXPECT_EQ(gBandText, "136 - 174 MHz");
    EXPECT_EQ(gBandLimits[0], 136.0);
    EXPECT_EQ(gLocalInfo.BandCode, 8);
    EXPECT_EQ(gLocalInfo.RadioType, "KL740G");
    EXPECT_EQ(gEditData.ModelInfo.BandCode, 8);
}

TEST_F(ImageSettingsTest, AnUnprogrammedModelNameDecodesEmpty) {
    ModCommFun::EncodeImage();
    Put(0xB00, QByteArray(7, '\xFF'));
    ModCommFun::DecodeImage();
    EXPECT_EQ(gModelName, "");
    EXPECT_EQ(TrimNull(gEditData.ModelInfo.ModelName.Text()), "");
}

// An unknown band code used to leave the program without a band ("" and
// limits 0 - 0); the program keeps its band instead.
TEST_F(ImageSettingsTest, AnUnknownBandCodeKeepsTheProgramsBand) {
    gBandText = "136 - 174 MHz";
    ModCommFun::EncodeImage();
    gImage[0xB07] = 15;
    ModCommFun::DecodeImage();
    EXPECT_EQ(gBandText, "136 - 174 MHz");
    EXPECT_EQ(gEditData.ModelInfo.BandCode, 8);
    EXPECT_EQ(gBandLimits[1], 174.0);
}

TEST_F(ImageSettingsTest, IdentificationFlagsAreSplitAndRemembered) {
    gSavedIdentFlags = {0, 0, 1, 0};
    gImage[0xB0C] = 0x05;
    ModCommFun::DecodeImage();
    EXPECT_EQ(gIdentFlags, (std::array<quint8, 4>{0, 1, 0, 1}));
    EXPECT_EQ(gSavedIdentFlags, (std::array<quint8, 4>{0, 1, 1, 1}));
    gImage[0xB0C] = 0x08;
    ModCommFun::SplitIdentFlags(gSavedIdentFlags);
    EXPECT_EQ(gIdentFlags, (std::array<quint8, 4>{1, 0, 0, 0}));
    EXPECT_EQ(gSavedIdentFlags, (std::array<quint8, 4>{1, 1, 1, 1})) << "saved flags stay set";
}

// A radio value beyond the numbers its page offers is held at their end, one
// beyond another list reads as the field's default; a file's value (raw) is
// held to the same range, and a check box's -1 of older files is on.
TEST_F(ImageSettingsTest, ValuesBeyondThePageListsReadAsDefaults) {
    struct Case {
        int address; // 0: a value only a file can hold
        quint8 byte;
        qint16* field;
        int raw;
        int expected;
    };
    const Case cases[] = {
        {0x831, 0xF0, &S().OptFeatures[1], 3, 1},   // voice prompt 3 ...
        {0x831, 0xF0, &S().OptFeatures[2], 6, 5},   // ... voice volume 6
        {0x835, 255, &S().OptFeatures[13], 99, 60}, // time-out re-key time
        {0x83A, 26, &S().Keys[0], 26, 25},          // long-press time
        {0x83C, 23, &S().Keys[2], 23, 0},           // key function
        {0x84D, 17, &D().Fields[4], 17, 16},        // D key
        {0x84F, 7, &D().Fields[7], 7, 0},           // group code
        {0, 0, &S().OptFeatures[5], -1, 1},         // VOX
        {0, 0, &S().OptFeatures[5], 2, 0},
        {0, 0, &gEditData.ProhibitInit, -1, 1},
        {0, 0, &D().Fields[5], -1, 1},      // side tone
        {0, 0, &S().OptFeatures[2], -1, 0}, // voice volume is no check box
        {0, 0, &D().IdLen, 12, 3},          // own ID length
        {0, 0, &D().Codes[4].Len, 17, 0},   // code length
    };
    for (const Case& c : cases) {
        if (c.address != 0) {
            ModCommFun::EncodeImage();
            gImage[static_cast<std::size_t>(c.address)] = c.byte;
            ModCommFun::DecodeImage();
            EXPECT_EQ(*c.field, c.expected) << "radio " << std::hex << c.address;
        }
        *c.field = static_cast<qint16>(c.raw);
        ModCommFun::KeepInRange(gEditData);
        EXPECT_EQ(*c.field, c.expected) << "file " << c.raw;
    }
    ModCommFun::EncodeImage();
    gImage[0x845] = 51; // look-back time, a byte of the scan block
    ModCommFun::DecodeImage();
    EXPECT_EQ(S().Scan[3], 50);
    S().Scan[3] = 51;
    TExtraData extra;
    extra.AlertMode = 2;
    ModCommFun::KeepInRange(gEditData);
    ModCommFun::KeepInRange(extra);
    EXPECT_EQ(S().Scan[3], 50);
    EXPECT_EQ(extra.AlertMode, 1);
}

// Radio bytes outside a setting's range read as the setting's default, so no
// page list is indexed past its end.
TEST_F(ImageSettingsTest, OutOfRangeSettingBytesReadAsDefaults) {
    S().Scan = {0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 4, 5};
    S().Alert = {0, 0, 3, 0, 0, 0, 0, 6, 7, 0};
    ModCommFun::EncodeImage();
    Put(0x841, Hex("09 11 03 0C")); // PRI1 group 9, position 17; PRI2 kept
    Put(0x852, Hex("FF 10 11"));    // emergency group 255, position 16, ID memory 17
    ModCommFun::DecodeImage();
    EXPECT_EQ(S().Scan[8], 0);
    EXPECT_EQ(S().Scan[9], 0);
    EXPECT_EQ(S().Scan[10], 3);
    EXPECT_EQ(S().Scan[11], 12);
    EXPECT_EQ(S().Alert[7], 0);
    EXPECT_EQ(S().Alert[8], 16);
    EXPECT_EQ(S().Alert[2], 0);
}

} // namespace
