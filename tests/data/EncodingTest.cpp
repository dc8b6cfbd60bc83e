#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModShowFreFun.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ModShowFreFun;

namespace {

class EncodingTest : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::ResetProgram(); }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    const QString warning = QStringLiteral(
        "The frequency is outside the band of this radio and has been set to the nearest band "
        "limit.");
};

TEST_F(EncodingTest, FrequencyTextToCode) {
    EXPECT_EQ(FreqTextToCode(""), "");
    EXPECT_EQ(FreqTextToCode("400"), "40000000");
    EXPECT_EQ(FreqTextToCode("435.1"), "43510000");
    EXPECT_EQ(FreqTextToCode("435.1000099"), "43510000");
    EXPECT_EQ(FreqTextToCode("87.5"), "08750000");
    EXPECT_EQ(FreqTextToCode("abc"), "40000000");
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(EncodingTest, FrequencyCodeToText) {
    EXPECT_EQ(FreqCodeToText("FFFFFFFF"), "");
    EXPECT_EQ(FreqCodeToText(""), "");
    EXPECT_EQ(FreqCodeToText("        "), "");
    EXPECT_EQ(FreqCodeToText("43510000"), "435.10000");
    EXPECT_EQ(FreqCodeToText("08750000"), "87.50000");
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(FreqCodeToText("4351X000"), "400");
    EXPECT_EQ(messages.CountOf("Not IsNumeric"), 1);
}

TEST_F(EncodingTest, OffsetToText) {
    EXPECT_EQ(OffsetToText(QString(7, QChar(u'\0')), 0), "0.00000");
    EXPECT_EQ(OffsetToText("0500000", 1), "-5.00000");
    EXPECT_EQ(OffsetToText("0050000", 2), "+0.50000");
    EXPECT_EQ(OffsetToText("FFFFFFF", 2), "+0.00000");
    EXPECT_EQ(OffsetToText("050000", 1), "-0.00000") << "a code must be 7 characters";
    EXPECT_EQ(OffsetToText("0500000", 7), "5.00000") << "an unknown direction has no sign";
}

TEST_F(EncodingTest, TransmitTextToOffset) {
    int dir = 0;
    EXPECT_EQ(TxToOffset("43500000", "430.00000", false, "", dir), "0500000");
    EXPECT_EQ(dir, 1);
    dir = 1;
    EXPECT_EQ(TxToOffset("43500000", "435.00000", false, "0500000", dir), "0500000")
        << "equal frequencies keep the old magnitude";
    EXPECT_EQ(dir, 0);
    dir = 0;
    EXPECT_EQ(TxToOffset("43500000", "445.12500", false, "", dir), "1012500");
    EXPECT_EQ(dir, 2);
    dir = 2;
    EXPECT_EQ(TxToOffset("43500000", "-7.5", true, "0100000", dir), "0750000");
    EXPECT_EQ(dir, 1);
    dir = 2;
    EXPECT_EQ(TxToOffset("43500000", "", false, "0100000", dir), "0100000");
    EXPECT_EQ(dir, 0);
    dir = 2;
    EXPECT_EQ(TxToOffset("", "435", false, "0100000", dir), "0100000");
    EXPECT_EQ(dir, 0);
}

TEST_F(EncodingTest, TransmitColumnAndFieldTexts) {
    EXPECT_EQ(TxFreqText("43500000", "0500000", 1, false), "430.00000");
    EXPECT_EQ(TxFreqText("43500000", "0500000", 1, true), "-5.00000");
    EXPECT_EQ(TxFreqText("43500000", "0500000", 0, false), "435.00000");
    EXPECT_EQ(TxFreqDisplay("43500000", "0500000", 2, false), "440.00000");
    EXPECT_EQ(TxFreqDisplay("43500000", "0500000", 0, false), "435.00000");
    EXPECT_EQ(TxFreqDisplay("43500000", "0500000", 2, true), "+5.00000");
    EXPECT_EQ(TxFreqDisplay("FFFFFFFF", "0500000", 2, false), "");
    EXPECT_EQ(TxFreqText("43500000", "0500000", 0, true), "0.00000"); // sends on RX
    EXPECT_EQ(TxFreqDisplay("43500000", "0500000", 0, true), "0.00000");
}

TEST_F(EncodingTest, ClampWarnsOnlyWhenAskedAndOnlyWhenItMoves) {
    EXPECT_EQ(ClampToBand(500, true), 480.0);
    EXPECT_EQ(messages.CountOf(warning), 1);
    EXPECT_EQ(messages.shown[0].style, Platform::Mb::Exclamation | Platform::Mb::OKOnly);
    EXPECT_EQ(ClampToBand(500, false), 480.0);
    EXPECT_EQ(ClampToBand(300, false), 400.0);
    EXPECT_EQ(ClampToBand(435, true), 435.0);
    EXPECT_EQ(messages.Count(), 1);
    EXPECT_EQ(ValidateFreqText("abc", true), "400.00000");
    EXPECT_EQ(ValidateFreqText("435.1", true), "435.10000");
    EXPECT_EQ(messages.Count(), 2);
}

TEST_F(EncodingTest, StepClassesSnapOntoTheRaster) {
    auto classify = [](const char* rx) {
        TChannel ch;
        ch.RxFreq.Assign(FreqTextToCode(rx));
        ClassifySteps(ch);
        return std::make_pair(FreqCodeToText(ch.RxFreq.Text()), static_cast<int>(ch.RxStep));
    };
    EXPECT_EQ(classify("435.00625"), std::make_pair(QString("435.00625"), 1));
    EXPECT_EQ(classify("400.00833"), std::make_pair(QString("400.00833"), 2));
    EXPECT_EQ(classify("400.02499"), std::make_pair(QString("400.02500"), 2));
    EXPECT_EQ(classify("400.00700"), std::make_pair(QString("400.00500"), 0));
    EXPECT_EQ(classify("435.12500"), std::make_pair(QString("435.12500"), 0));
}

TEST_F(EncodingTest, StepClassesOfTheTransmitSideRecomputeTheOffset) {
    TChannel ch;
    ch.RxFreq.Assign("43500000");
    ch.OffsetDir = 2;
    ch.Offset.Assign("0500700"); // TX 440.00700 lies on no raster
    ClassifySteps(ch);
    EXPECT_EQ(ch.RxStep, 0);
    EXPECT_EQ(ch.TxStep, 0);
    EXPECT_EQ(ch.Offset.Text(), "0500500");
    EXPECT_EQ(ch.OffsetDir, 2);

    TChannel blank;
    blank.RxFreq.Assign("");
    blank.RxStep = 2;
    ClassifySteps(blank);
    EXPECT_EQ(blank.RxStep, 2) << "a channel without frequency is left alone";
}

TEST_F(EncodingTest, BandTable) {
    EXPECT_EQ(ModFreFile::BandCodeToText(15), "");
    EXPECT_EQ(ModFreFile::BandCodeToText(32), "450 - 520 MHz");
    EXPECT_EQ(ModFreFile::BandTextToCode("400 - 480MHz"), 0);
    EXPECT_EQ(ModFreFile::BandTextToCode("350 - 390 MHz"), 16);
    EXPECT_EQ(ModFreFile::BandTextToCode("350 - 390 mhz"), 0);
    EXPECT_EQ(ModFreFile::BandTexts().size(), 17);
    gBandText = "136 - 174 MHz";
    ModFun::ParseBandLimits();
    EXPECT_EQ(gBandLimits[0], 136.0);
    EXPECT_EQ(gBandLimits[1], 174.0);
}

TEST_F(EncodingTest, ToneList) {
    const QStringList& tones = ToneList();
    ASSERT_EQ(tones.size(), 283);
    EXPECT_EQ(tones[1], "67.0");
    EXPECT_EQ(tones[50], "254.1");
    EXPECT_EQ(tones[51], "017N");
    EXPECT_EQ(tones[166], "765N");
    EXPECT_EQ(tones[167], "017I");
    EXPECT_EQ(tones[282], "765I");
    for (int i = 51; i <= 166; ++i)
        EXPECT_EQ(tones[i].left(3), tones[i + 116].left(3));
}

TEST_F(EncodingTest, DtmfDigits) {
    EXPECT_EQ(ModFun::DtmfTextToCode("12*#A"), "12EFA");
    EXPECT_EQ(ModFun::DtmfCodeToText("12EFA"), "12*#A");
    EXPECT_EQ(ModFun::DtmfCodeToText("ef"), "ef") << "case-sensitive";
}

TEST(StringHelpersTest, TrimNullRemovesTrailingBlanksBeforeCuttingAtTheNul) {
    using ModFun::TrimNull;
    EXPECT_EQ(TrimNull(QString::fromLatin1("AB\0  ", 5)), "AB");
    EXPECT_EQ(TrimNull(QString::fromLatin1("AB  \0", 5)), "AB  ");
    EXPECT_EQ(TrimNull("        "), "");
    EXPECT_EQ(TrimNull(QString(7, QChar(u'\0'))), "");
}

TEST(StringHelpersTest, SmallConversions) {
    EXPECT_EQ(ModFun::GetFileName("/a/b/radio.dat"), "radio.dat");
    EXPECT_EQ(ModFun::GetFileName("C:\\A\\b.dat"), "b.dat");
    EXPECT_EQ(ModFun::GetFileName("plain"), "plain");
    EXPECT_EQ(ModFun::IntToBool(-1), 1);
    EXPECT_EQ(ModFun::IntToBool(0), 0);
    EXPECT_EQ(ModFun::ValOrDefault("12", 5), 12);
    EXPECT_EQ(ModFun::ValOrDefault("", 5), 5);
    EXPECT_EQ(ModFun::ValOrDefault("x1", 5), 5);
    EXPECT_EQ(ModFun::ValOrDefault("99999999999", 5), 5);
    EXPECT_EQ(ModFun::GroupBase(7), 112);
}

TEST(StringHelpersTest, ListLookupsNeverFail) {
    const QStringList three{"a", "b", "c"};
    EXPECT_EQ(ModFun::ListItemAt(three, 5), "a");
    EXPECT_EQ(ModFun::ListItemAt(three, -1), "a");
    EXPECT_EQ(ModFun::ListItemAt({}, 0), "");
    EXPECT_EQ(ModFun::FindListItem(three, "c"), "c");
    EXPECT_EQ(ModFun::FindListItem(three, "C"), "a");
    EXPECT_EQ(ModFun::FindListIndex(three, "x", 9), 0) << "not the default";
    EXPECT_EQ(ModFun::FindListIndex(three, "", 9), 9);
    EXPECT_EQ(ModFun::FindListIndex({}, "a", 9), 9);
    EXPECT_EQ(ModFun::FindListIndex(three, "b", 9), 1);
}

} // namespace
