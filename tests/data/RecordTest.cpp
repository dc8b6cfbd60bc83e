#include "data/ModCommFun.h"
#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModInitV.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "tests/support/TestSupport.h"

#include <QDate>
#include <gtest/gtest.h>

using ModFun::TrimNull;

namespace {

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::ResetProgram(); }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
};

TEST_F(RecordTest, FileNewPutsChannelOneInTheMiddleOfTheBand) {
    EXPECT_EQ(gEditData.ChannelCount, 1);
    EXPECT_EQ(gEditData.Channels[0].Number, 1);
    EXPECT_EQ(gEditData.Channels[0].RxFreq.Text(), "44000000");

    TestSupport::ResetProgram("KL740", "136 - 145 MHz");
    EXPECT_EQ(gEditData.Channels[0].RxFreq.Text(), "14050000");
    EXPECT_EQ(ModShowFreFun::FreqCodeToText(gEditData.Channels[0].RxFreq.Text()), "140.50000");
    EXPECT_EQ(gEditData.ModelInfo.BandCode, 11);
}

TEST_F(RecordTest, ANewChannelHasPowerTwoAndNothingElse) {
    const TChannel& c = gEditData.Channels[0];
    EXPECT_EQ(c.TxPower, 2);
    EXPECT_EQ(c.NoData, 0);
    EXPECT_EQ(c.OffsetDir, 0);
    EXPECT_EQ(TrimNull(c.Offset.Text()), "");
    EXPECT_EQ(c.Offset.Bytes(), QByteArray(7, '\0'));
    for (qint16 TChannel::*f :
         {&TChannel::RxTone, &TChannel::TxTone, &TChannel::RxStep, &TChannel::TxStep,
          &TChannel::TxInhibit, &TChannel::InvTalkSelect, &TChannel::Scramble, &TChannel::BusyLock,
          &TChannel::Talkaround, &TChannel::SignalRelation, &TChannel::Whisper, &TChannel::PttId,
          &TChannel::Bandwidth, &TChannel::OptSignal, &TChannel::Compander, &TChannel::Inversion,
          &TChannel::Call1, &TChannel::Call2, &TChannel::ScanSkip})
        EXPECT_EQ(c.*f, 0);
}

TEST_F(RecordTest, FileNewDefaultsOfSettingsPresetsAndTestPairs) {
    const TSettings& s = gEditData.Settings;
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(s.OptFeatures[i], i == 1 ? 1 : i == 3 ? 3 : 0) << i;
    EXPECT_EQ(s.Keys, (std::array<qint16, 6>{10, 10, 0, 0, 0, 0}));
    EXPECT_EQ(s.Alert, (std::array<quint8, 10>{}));
    EXPECT_EQ(s.Scan, (std::array<quint8, 12>{}));
    EXPECT_EQ(s.Dtmf.Id.Bytes(), "000       ");
    EXPECT_EQ(s.Dtmf.IdLen, 3);
    EXPECT_EQ(s.Dtmf.Codes[7].Len, 0);
    EXPECT_EQ(s.EmbMsg[2].Bytes(), QByteArray("\0               ", 16));
    EXPECT_EQ(gEditData.ProhibitInit, 0);
    for (const TRadioFre& p : gEditData.RadioFreList) {
        EXPECT_EQ(p.Empty, 1);
        EXPECT_EQ(p.Fre.Bytes(), "        ");
    }
    EXPECT_EQ(gEditData.TestFreList[0].First.Text(), "43510000");
    EXPECT_EQ(gEditData.TestFreList[0].Second.Text(), "43510000");
    EXPECT_EQ(gEditData.TestFreList[10].First.Bytes(), QByteArray("\0       ", 8));
    EXPECT_EQ(gFixedTestFreqs[3].First.Text(), "47050000");
    EXPECT_EQ(gFixedTestFreqs[3].Second.Text(), "46060000");
    EXPECT_EQ(gEditExtraData.Version.Text(), "V200");
    EXPECT_EQ(gEditExtraData.AlertMode, 1);
    EXPECT_TRUE(gIsUntitled);
    EXPECT_EQ(gDataFileName, "new.dat");
    EXPECT_EQ(gFileData, gEditData) << "the saved copy equals the defaults";
}

TEST_F(RecordTest, FileNewFillsTheRadioInformationDefaults) {
    EXPECT_EQ(gLocalInfo.BandCode, 0);
    EXPECT_EQ(gLocalInfo.Version, "V2.00");
    EXPECT_EQ(gLocalInfo.AreaCode, "0595");
    EXPECT_EQ(gLocalInfo.RadioType, "KL740  ");
    EXPECT_EQ(gLocalInfo.UserCode.Text(), "001A");
    EXPECT_EQ(gLocalInfo.BatchNumber.Text(),
              QStringLiteral("%1-1-E-1").arg(QDate::currentDate().month(), 2, 10, QChar('0')));
    EXPECT_EQ(TrimNull(gLocalInfo.SerialNumber.Text()), "");
    EXPECT_FALSE(TrimNull(gLocalInfo.SellDate.Text()).isEmpty());
}

TEST_F(RecordTest, TakeAllFromFileKeepsTheProgramsModelAndBand) {
    gFileData.ModelInfo.ModelName.Assign("KL740G");
    gFileData.ModelInfo.BandCode = 8;
    gFileData.ChannelCount = 2;
    ModFreFile::TakeAllFromFile();
    EXPECT_EQ(gModelName, "KL740");
    EXPECT_EQ(gEditData.ModelInfo.ModelName.Text(), "KL740  ");
    EXPECT_EQ(gEditData.ModelInfo.BandCode, 0);
    EXPECT_EQ(gEditData.ChannelCount, 2);
    EXPECT_EQ(gFileData, gEditData);
}

TEST_F(RecordTest, TakeEditFromFileTakesTheFilesModelAndBand) {
    gFileData.ModelInfo.ModelName.AssignBytes(QByteArray("KL740G\0", 7));
    gFileData.ModelInfo.BandCode = 8;
    ModFreFile::TakeEditFromFile();
    EXPECT_EQ(gModelName, "KL740G");
    EXPECT_EQ(gBandText, "136 - 174 MHz");
    EXPECT_EQ(gBandLimits[0], 136.0);
    EXPECT_EQ(gBandLimits[1], 174.0);
    EXPECT_EQ(gLocalInfo.BandCode, 8);
    EXPECT_EQ(gEditData.ModelInfo.ModelName.Bytes(), "KL740G ") << "the name is rewritten trimmed";
    EXPECT_EQ(gFileData.ModelInfo.ModelName.Bytes(), QByteArray("KL740G\0", 7))
        << "the saved copy stays as read";
}

TEST_F(RecordTest, TakeSettingsFromFileKeepsTheWorkingChannels) {
    const auto channels = gEditData.Channels;
    gFileData.ChannelCount = 5;
    gFileData.Channels[0].RxFreq.Assign("47000000");
    gFileData.Settings.Keys[0] = 33;
    gFileData.RadioFreList[4].Empty = 0;
    gFileData.TestFreList[2].First.Assign("41000000");
    gFileData.ModelInfo.ModelName.Assign("KL740G");
    ModFreFile::TakeSettingsFromFile();
    EXPECT_EQ(gEditData.ChannelCount, 1);
    EXPECT_EQ(gEditData.Channels, channels);
    EXPECT_EQ(gEditData.Settings.Keys[0], 33);
    EXPECT_EQ(gEditData.RadioFreList[4].Empty, 0);
    EXPECT_EQ(gEditData.TestFreList[2].First.Text(), "41000000");
    EXPECT_EQ(gEditData.ModelInfo.ModelName.Text(), "KL740  ");
    EXPECT_EQ(gFileData.ChannelCount, 5) << "the saved copy keeps the whole default file";
}

TEST_F(RecordTest, FixedTextsArePaddedCutAndKeepTheirBytes) {
    FixedText<7> t;
    t.Assign("KL740");
    EXPECT_EQ(t.Bytes(), "KL740  ");
    t.Assign("KL740GXYZ");
    EXPECT_EQ(t.Bytes(), "KL740GX");
    t.AssignBytes(QByteArray("A\0 B", 4));
    EXPECT_EQ(t.Bytes(), QByteArray("A\0 B   ", 7));
}

} // namespace
