#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/SharedState.h"
#include "tests/data/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

#include <climits>
#include <gtest/gtest.h>

using namespace ImageTest;
using ModFun::TrimNull;

namespace {

class ImageCodecTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gCommType = 0;
        ModComm::ClearImage();
        gSavedIdentFlags.fill(0);
    }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;

    static TChannel& Ch(int index) { return gEditData.Channels[static_cast<std::size_t>(index)]; }
    static const quint8* Slot(int number) { return gImage.data() + 16 * (number - 1); }
};

TEST_F(ImageCodecTest, ClearImageSparesTheImageDuringARadioInformationSession) {
    gImage[5] = 0x12;
    gCommType = 3;
    ModComm::ClearImage();
    EXPECT_EQ(gImage[5], 0x12);
    gCommType = 1;
    ModComm::ClearImage();
    EXPECT_TRUE(std::all_of(gImage.begin(), gImage.end(), [](quint8 b) { return b == 0xFF; }));
}

TEST(CheckedSpanTest, SpansOutsideTheirBufferAreRefusedInEveryBuild) {
    struct Row {
        int offset, width, size;
        bool inside;
    };
    const Row rows[] = {
        {0, 16, kImageSize, true},         {kImageSize - 16, 16, kImageSize, true},
        {kImageSize, 0, kImageSize, true}, {kImageSize - 15, 16, kImageSize, false},
        {-1, 1, kImageSize, false},        {0, -1, kImageSize, false},
        {INT_MAX, 2, kImageSize, false},   {0, kRadioInfoSize + 1, kRadioInfoSize, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.offset << "+" << r.width << " in " << r.size);
        if (r.inside)
            EXPECT_NO_THROW(CheckSpan(r.offset, r.width, r.size, "test"));
        else
            EXPECT_THROW(CheckSpan(r.offset, r.width, r.size, "test"), std::out_of_range);
    }
}

TEST_F(ImageCodecTest, AStepThatLeavesTheImageIsStoppedAndReported) {
    const TRadioImage before = gImage;
    bool after = false;
    EXPECT_FALSE(ModCommFun::RunCodec(
        [&] {
            std::fill(ImageAt(kImageSize - 8, 16), ImageAt(kImageSize - 1) + 1, 0x00);
            after = true;
        },
        9110));
    EXPECT_FALSE(after);
    EXPECT_TRUE(gImage == before);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(ModFunLang::GetLangText(9110)));
    EXPECT_TRUE(ModCommFun::RunCodec([] { ModCommFun::EncodeImage(); }, 9110));
    EXPECT_EQ(messages.Count(), 1);
}

TEST_F(ImageCodecTest, HexPadPadsOrCutsOnTheLeft) {
    EXPECT_EQ(ModComm::HexPad(43510000, 8), "0297E8F0");
    EXPECT_EQ(ModComm::HexPad(0xAB, 2), "AB");
    EXPECT_EQ(ModComm::HexPad(5, 2), "05");
    EXPECT_EQ(ModComm::HexPad(0x12345, 2), "12");
}

TEST_F(ImageCodecTest, AnEmptyTableLeavesTheChannelAreaBlank) {
    gEditData.ChannelCount = 0;
    gImage.fill(0x00);
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x000, 0x81F), QByteArray(0x820, '\xFF'));
    EXPECT_EQ(Bytes(0x820, 0x82F), QByteArray(16, '\xFF')) << "unused bytes are cleared too";
    EXPECT_EQ(Bytes(0xAC0, 0xB0F).left(0x40), QByteArray(0x40, '\0'))
        << "0xAC0-0xAFF keep what they hold";
}

TEST_F(ImageCodecTest, ChannelNineOwnsBitZeroOfTheSecondBitmapBytes) {
    SetChannels({{9, "43510000"}});
    ModCommFun::EncodeImage();
    EXPECT_EQ(gImage[0x800], 0xFF);
    EXPECT_EQ(gImage[0x801], 0xFE);
    EXPECT_EQ(gImage[0x811], 0xFE);
    EXPECT_EQ(Bytes(0x80, 0x83), Hex("0297E8F0"));

    Ch(0).ScanSkip = 1;
    ModCommFun::EncodeImage();
    EXPECT_EQ(gImage[0x801], 0xFE);
    EXPECT_EQ(gImage[0x811], 0xFF) << "a skipped channel keeps its 1";
}

TEST_F(ImageCodecTest, ChannelOneHundredTwentyEightIsTheLastBit) {
    SetChannels({{128, "43510000"}});
    ModCommFun::EncodeImage();
    EXPECT_EQ(gImage[0x80F], 0x7F);
    EXPECT_EQ(Bytes(0x7F0, 0x7F3), Hex("0297E8F0"));
}

TEST_F(ImageCodecTest, FrequenciesAreBigEndianUnitsOfTenHertz) {
    SetChannels({{1, "43510000"}, {2, "08750000"}});
    Ch(0).OffsetDir = Ch(1).OffsetDir = 1;
    Ch(0).Offset.Assign("0500000"); // 5 MHz below
    Ch(1).Offset.Assign("0500000");
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0, 3), Hex("0297E8F0"));
    EXPECT_EQ(Bytes(4, 7), Hex("029047D0")); // 430.10000 MHz
    EXPECT_EQ(Slot(1)[15], 0x10);

    ModCommFun::DecodeImage();
    ASSERT_EQ(gEditData.ChannelCount, 2);
    EXPECT_EQ(Ch(0).RxFreq.Text(), "43510000");
    EXPECT_EQ(Ch(0).OffsetDir, 1);
    EXPECT_EQ(Ch(0).Offset.Text(), "0500000");
    EXPECT_EQ(Ch(1).RxFreq.Text(), "08750000");
    EXPECT_EQ(Ch(1).Offset.Text(), "0500000");
}

TEST_F(ImageCodecTest, TheOffsetDirectionComesFromTheFrequenciesNotByteFifteen) {
    SetChannels({{1, "43510000"}});
    Ch(0).OffsetDir = 2;
    Ch(0).Offset.Assign("0050000");
    ModCommFun::EncodeImage();
    EXPECT_EQ(Slot(1)[15], 0x20);
    gImage[15] = 0x10;
    ModCommFun::DecodeImage();
    EXPECT_EQ(Ch(0).OffsetDir, 2);
    EXPECT_EQ(Ch(0).Offset.Text(), "0050000");
}

TEST_F(ImageCodecTest, DcsInvertedCodesUseTheNormalCodeAndAFlag) {
    SetChannels({{1, "43510000"}});
    Ch(0).RxTone = 167;
    Ch(0).TxTone = 282;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Slot(1)[8], 51);
    EXPECT_EQ(Slot(1)[9], 166);
    EXPECT_TRUE(Slot(1)[10] & 0x80);
    EXPECT_TRUE(Slot(1)[11] & 0x80);

    ModCommFun::DecodeImage();
    EXPECT_EQ(Ch(0).RxTone, 167);
    EXPECT_EQ(Ch(0).TxTone, 282);

    gImage[10] &= 0x7F;
    ModCommFun::DecodeImage();
    EXPECT_EQ(Ch(0).RxTone, 51) << "without the flag it is the normal code";

    Ch(0).RxTone = 166;
    Ch(0).TxTone = 50;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Slot(1)[8], 166);
    EXPECT_FALSE(Slot(1)[10] & 0x80);
    EXPECT_EQ(Slot(1)[9], 50);
}

TEST_F(ImageCodecTest, OptionBitsOfTheSlot) {
    SetChannels({{2, "43510000"}});
    TChannel& c = Ch(0);
    c.Offset.Assign("0000000"); // the form decoding gives a channel without offset
    c.TxInhibit = 1;
    c.Scramble = 1;
    c.BusyLock = 2;
    c.RxStep = 1;
    c.SignalRelation = 1;
    c.PttId = 3;
    c.TxStep = 2;
    c.Bandwidth = 1;
    c.OptSignal = 1;
    c.Inversion = 1;
    c.TxPower = 2;
    c.Call1 = 16;
    c.Call2 = 3;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(16 + 10, 16 + 14), Hex("59 2E 56 10 03"));

    const TChannel before = c;
    ModCommFun::DecodeImage();
    ASSERT_EQ(gEditData.ChannelCount, 1);
    EXPECT_EQ(Ch(0), before);
}

TEST_F(ImageCodecTest, DecodingSortsByNumberAndSkipsAbsentSlots) {
    SetChannels(
        {{20, "44000000"}, {3, "43000000"}, {5, "43500000"}, {6, "43600000"}, {100, "47000000"}});
    Ch(1).ScanSkip = 1;
    ModCommFun::EncodeImage();
    gImage[0x800] |= 0x30; // channels 5 and 6 gone
    ModCommFun::DecodeImage();
    ASSERT_EQ(gEditData.ChannelCount, 3);
    EXPECT_EQ(Ch(0).Number, 3);
    EXPECT_EQ(Ch(0).ScanSkip, 1);
    EXPECT_EQ(Ch(1).Number, 20);
    EXPECT_EQ(Ch(1).ScanSkip, 0);
    EXPECT_EQ(Ch(2).Number, 100);
    EXPECT_EQ(Ch(2).RxFreq.Text(), "47000000");
}

TEST_F(ImageCodecTest, AChannelWithoutFrequencyIsNotSentAndIsMarked) {
    SetChannels({{1, "43510000"}, {2, "FFFFFFFF"}, {3, ""}});
    Ch(2).RxFreq.AssignBytes(QByteArray("\0      ", 8));
    ModCommFun::EncodeImage();
    EXPECT_EQ(Ch(0).NoData, 0);
    EXPECT_EQ(Ch(1).NoData, 1);
    EXPECT_EQ(Ch(2).NoData, 1);
    EXPECT_EQ(gImage[0x800], 0xFE);
    EXPECT_EQ(Bytes(16, 47), QByteArray(32, '\xFF'));
}

// A number outside 1..128 must not write outside the channel area.
TEST_F(ImageCodecTest, AChannelNumberOutsideTheTableWritesNothing) {
    SetChannels({{1, "43510000"}});
    Ch(0).Number = 200;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x000, 0x82F), QByteArray(0x830, '\xFF'));
    Ch(0).Number = 0;
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0x000, 0x82F), QByteArray(0x830, '\xFF'));
}

// Two records with one number (a damaged table) used to flip the presence bit
// twice and lose the channel; the last record now wins and the channel stays.
TEST_F(ImageCodecTest, ADuplicateChannelNumberKeepsTheChannel) {
    SetChannels({{4, "43510000"}, {4, "44000000"}});
    ModCommFun::EncodeImage();
    EXPECT_EQ(gImage[0x800], 0xF7);
    EXPECT_EQ(gImage[0x810], 0xF7);
    ModCommFun::DecodeImage();
    ASSERT_EQ(gEditData.ChannelCount, 1);
    EXPECT_EQ(Ch(0).RxFreq.Text(), "44000000");
}

// Radio bytes that give values outside their ranges read as the defaults.
TEST_F(ImageCodecTest, OutOfRangeChannelBytesReadAsDefaults) {
    SetChannels({{1, "43510000"}});
    ModCommFun::EncodeImage();
    quint8* slot = gImage.data();
    slot[8] = 200;    // with the "I" flag: index 316, past the tone list
    slot[10] |= 0x83; // "I" flag, step class 3
    slot[9] = 255;    // without flag: index 255 is an "I" code of the list
    slot[11] = 0x03;  // step class 3
    slot[13] = 17;    // no code memory 17
    slot[14] = 0xFF;
    ModCommFun::DecodeImage();
    EXPECT_EQ(Ch(0).RxTone, 0);
    EXPECT_EQ(Ch(0).TxTone, 255);
    EXPECT_EQ(Ch(0).RxStep, 0);
    EXPECT_EQ(Ch(0).TxStep, 0);
    EXPECT_EQ(Ch(0).Call1, 0);
    EXPECT_EQ(Ch(0).Call2, 0);

    slot[8] = 166;
    slot[13] = 16;
    ModCommFun::DecodeImage();
    EXPECT_EQ(Ch(0).RxTone, 282) << "the last tone of the list is kept";
    EXPECT_EQ(Ch(0).Call1, 16);

    // the same from a file, with the check boxes' -1 of older files as on
    TChannel& c = Ch(0);
    std::tie(c.TxPower, c.ScanSkip, c.PttId, c.BusyLock, c.Scramble, c.TxTone) =
        std::tuple(3, 2, 7, 5, -1, 283);
    c.OffsetDir = 3;
    ModCommFun::KeepInRange(gEditData);
    EXPECT_EQ(std::tuple(c.TxPower, c.ScanSkip, c.PttId, c.BusyLock, c.Scramble, c.TxTone),
              std::tuple(2, 0, 0, 0, 1, 0));
    EXPECT_EQ(c.OffsetDir, 0);
    c.BusyLock = 3;
    ModCommFun::KeepInRange(gEditData);
    EXPECT_EQ(c.BusyLock, 3) << "the batch page's busy lockout";
}

TEST_F(ImageCodecTest, DecodingKeepsWhatTheImageDoesNotCarry) {
    gEditData.RadioFreList[3].Empty = 0;
    gEditData.RadioFreList[3].Fre.Assign("10110000");
    gEditData.Version.Assign("V123");
    ModCommFun::EncodeImage();
    ModCommFun::DecodeImage();
    EXPECT_EQ(gEditData.RadioFreList[3].Fre.Text(), "10110000");
    EXPECT_EQ(gEditData.Version.Text(), "V123");
}

TEST_F(ImageCodecTest, EncodingLeavesTheTopOfTheImageAlone) {
    Put(0xAC0, QByteArray(0x40, '\x11'));
    Put(0xB0C, Hex("05 22 33 44"));
    ModCommFun::EncodeImage();
    EXPECT_EQ(Bytes(0xAC0, 0xAFF), QByteArray(0x40, '\x11'));
    EXPECT_EQ(Bytes(0xB0C, 0xB0F), Hex("05 22 33 44"));
}

TEST_F(ImageCodecTest, ANewConfigurationDecodesAsItWasEncoded) {
    ModCommFun::EncodeImage();
    const TRadioImage sent = gImage;
    const TSettings settings = gEditData.Settings;
    const TChannel channel = Ch(0);
    ModCommFun::DecodeImage();
    ModCommFun::EncodeImage();
    EXPECT_EQ(gImage, sent);
    EXPECT_EQ(gEditData.ChannelCount, 1);
    EXPECT_EQ(Ch(0).RxFreq, channel.RxFreq);
    EXPECT_EQ(Ch(0).TxPower, 2);
    EXPECT_EQ(gEditData.Settings.OptFeatures, settings.OptFeatures);
    EXPECT_EQ(gEditData.Settings.Keys, settings.Keys);
    EXPECT_EQ(TrimNull(gEditData.Settings.Dtmf.Id.Text()), "000");
    EXPECT_EQ(messages.Count(), 0);
}

} // namespace
