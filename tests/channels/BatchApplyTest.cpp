#include "channels/BatchApply.h"
#include "channels/ModBatch.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "platform/Forms.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using namespace BatchRules;

// Stands in for the open grid page and detail editor that Apply re-shows.
class CallCounter : public QObject, public TestSupport::GridCalls, public TestSupport::EditorCalls {
    Q_OBJECT
public:
    explicit CallCounter(const char* name) {
        setObjectName(QString::fromLatin1(name));
        Platform::Forms::Register(this);
    }
    void reShowAllGrid() override { ++calls; }
    void SetGridEditData(bool follow) override { calls += follow ? 1 : 100; }
    int calls = 0;
};

TEST(BatchRulesTest, StepBoxesKeepTheirRaster) {
    EXPECT_EQ(StepBoxText("1500"), "1000");
    EXPECT_EQ(StepBoxText("999"), "999");
    EXPECT_EQ(StepData("7"), "5");
    EXPECT_EQ(StepData("12.3"), "10");
    EXPECT_EQ(StepData("12.5"), "12.5");
    EXPECT_EQ(StepData("6.25"), "6.25");
    EXPECT_EQ(StepData("2.5"), "0");
    EXPECT_EQ(StepData(""), "0");
    EXPECT_EQ(StepDataFree("5.123"), "5.12000");
    EXPECT_EQ(StepDataFree(""), "0.00000");
    EXPECT_EQ(LeaveText(5, ""), "0");
    EXPECT_EQ(LeaveText(6, "12"), "12");
}

TEST(BatchRulesTest, RangeBoxesHoldWholeChannelNumbers) {
    EXPECT_EQ(RangeBoxText("0"), "1");
    EXPECT_EQ(RangeBoxText(""), "1");
    EXPECT_EQ(RangeBoxText("200"), "128");
    EXPECT_EQ(RangeBoxText("12.7"), "12");
    EXPECT_EQ(RangeBoxText("x"), "1");
}

TEST(BatchRulesTest, StartFrequencyIsHeldInTheBandAndOnItsRaster) {
    TestSupport::ResetProgram();
    TestSupport::RecordingMessages messages;
    EXPECT_EQ(StartFreqText("435.123"), "435.12000");
    EXPECT_EQ(StartFreqText("435.00625"), "435.00625");
    EXPECT_EQ(StartFreqText("500"), "480.00000");
    EXPECT_EQ(StartFreqText("abc"), "400.00000");
    TestSupport::ResetProgram("KL740", "136 - 174 MHz");
    EXPECT_EQ(StartFreqText("145.0125"), "145.01250");
    EXPECT_EQ(messages.Count(), 0); // the page shows no message of its own
}

class BatchApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gEditData.ChannelCount = 0;
        flags.fill(0);
        input.rxStart = "430";
        input.rxStep = "12.5";
    }

    TChannel* Ch(int number) {
        const int i = ModShowFreFun::FindChannelIndex(number);
        return i < 0 ? nullptr : &gEditData.Channels[static_cast<std::size_t>(i)];
    }
    QString Rx(int number) { return ModShowFreFun::FreqCodeToText(Ch(number)->RxFreq.Text()); }
    void Add(int number, const QString& rx) {
        ASSERT_TRUE(ModShowFreFun::AddChannel(number, rx));
        ModShowFreFun::ClassifySteps(*Ch(number));
    }
    void Range(int first, int last) {
        input.allChannels = false;
        input.first = QString::number(first);
        input.last = QString::number(last);
    }
    void Run(BatchApply::Random random = {}) { BatchApply(std::move(random)).Run(input, flags); }

    TestSupport::RecordingMessages messages;
    BatchInput input;
    std::array<quint8, ModBatch::kBatchItemCount> flags{};
};

TEST_F(BatchApplyTest, ReceiveProgressionCreatesEveryChannelOfTheRange) {
    flags[0] = 1;
    Run();
    ASSERT_EQ(gEditData.ChannelCount, 128);
    EXPECT_EQ(Rx(1), "430.00000");
    EXPECT_EQ(Rx(2), "430.01250");
    EXPECT_EQ(Rx(3), "430.02500");
    EXPECT_EQ(Rx(128), "431.58750");
    EXPECT_EQ(Ch(2)->TxPower, 2);
    EXPECT_EQ(Ch(2)->OffsetDir, 0);
    EXPECT_EQ(Ch(2)->RxStep, 1); // 6.25 kHz raster
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(BatchApplyTest, ReversedRangeRunsUpwardsAndStopsAtTheBandEdge) {
    flags[0] = 1;
    Range(10, 5);
    Run();
    EXPECT_EQ(Rx(5), "430.00000");
    EXPECT_EQ(Rx(10), "430.06250");
    EXPECT_EQ(Ch(4), nullptr);
    EXPECT_EQ(Ch(11), nullptr);

    input.rxStart = "479.9";
    input.rxStep = "50";
    Range(20, 24);
    Add(22, "441");
    Ch(22)->OffsetDir = 2; // 5 MHz up from 480 is outside: it sends on 480
    Ch(22)->Offset.Assign("0500000");
    Run();
    EXPECT_EQ(Rx(20), "479.90000");
    EXPECT_EQ(Rx(21), "479.95000");
    EXPECT_EQ(Rx(22), "480.00000");
    EXPECT_EQ(Ch(22)->OffsetDir, 0);
    EXPECT_EQ(Rx(24), "480.00000");

    input.rxUp = false;
    input.rxStart = "400.05";
    Range(30, 32);
    Run();
    EXPECT_EQ(Rx(31), "400.00000");
    EXPECT_EQ(Rx(32), "400.00000");
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), 2); // once per Apply
}

TEST_F(BatchApplyTest, ItemsOtherThanTheReceiveFrequencyLeaveMissingChannelsAlone) {
    flags.fill(1);
    flags[0] = 0;
    Add(1, "435");
    Range(40, 60);
    const TRadioData before = gEditData;
    Run();
    EXPECT_TRUE(gEditData == before);
}

TEST_F(BatchApplyTest, TransmitModesSetDirectionAndOffset) {
    Add(1, "435");
    Ch(1)->OffsetDir = 1;
    Ch(1)->Offset.Assign("0500000");
    flags[1] = 1;
    Range(1, 1);
    Run(); // default: simplex
    EXPECT_EQ(Ch(1)->OffsetDir, 0);
    EXPECT_EQ(Ch(1)->Offset.Text(), "0000000");

    input.txMode = BatchInput::TxOffset;
    input.offset = "5";
    input.offsetSign = 2;
    Run();
    EXPECT_EQ(Ch(1)->OffsetDir, 2);
    EXPECT_EQ(Ch(1)->Offset.Text(), "0500000");

    input.txMode = BatchInput::TxStartFreq;
    input.txStart = "435";
    input.txStep = "0";
    Run();
    EXPECT_EQ(Ch(1)->OffsetDir, 0);
    EXPECT_EQ(Ch(1)->Offset.Text(), "0000000");
    input.txStart = "434.9";
    Run();
    EXPECT_EQ(Ch(1)->OffsetDir, 1);
    EXPECT_EQ(Ch(1)->Offset.Text(), "0010000");
}

TEST_F(BatchApplyTest, OffsetIsHeldInsideTheBand) {
    TestSupport::ResetProgram("KL740", "430 - 440 MHz");
    Add(3, "437");
    flags[1] = 1;
    Range(3, 3);
    input.txMode = BatchInput::TxOffset;
    input.offset = "5";
    Run();
    EXPECT_EQ(Ch(3)->OffsetDir, 2);
    EXPECT_EQ(Ch(3)->Offset.Text(), "0300000");
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), 1);
}

TEST_F(BatchApplyTest, ChannelWithoutReceiveFrequencyKeepsItsTransmitSetting) {
    Add(2, "435");
    Ch(2)->RxFreq.Assign("FFFFFFFF");
    Ch(2)->OffsetDir = 1;
    Ch(2)->Offset.Assign("0500000");
    flags[1] = 1;
    Range(2, 2);
    input.txMode = BatchInput::TxOffset;
    input.offset = "5";
    const TChannel before = *Ch(2);
    Run();
    EXPECT_TRUE(*Ch(2) == before);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(BatchApplyTest, ToneProgressionsWrapThroughNoTone) {
    for (int n = 1; n <= 4; ++n)
        Add(n, "435");
    flags[2] = flags[3] = 1;
    Range(1, 4);
    input.rxToneStart = 282;
    input.rxToneStep = "1";
    input.txSame = false;
    input.txToneStart = 1;
    input.txToneStep = "2";
    input.txToneUp = false;
    Run();
    EXPECT_EQ(Ch(1)->RxTone, 282);
    EXPECT_EQ(Ch(2)->RxTone, 0);
    EXPECT_EQ(Ch(3)->RxTone, 1);
    EXPECT_EQ(Ch(4)->RxTone, 2);
    EXPECT_EQ(Ch(1)->TxTone, 1);
    EXPECT_EQ(Ch(2)->TxTone, 282);
    EXPECT_EQ(Ch(3)->TxTone, 280);

    // random draws over the whole list; the transmit tone may follow the receive tone
    QList<int> counts;
    input.rxRandom = true;
    input.txSame = true;
    Run([&counts](int count) {
        counts << count;
        return counts.size() == 1 ? 0 : 17 * static_cast<int>(counts.size());
    });
    EXPECT_EQ(counts, QList<int>({283, 283, 283, 283}));
    EXPECT_EQ(Ch(1)->RxTone, 0);
    EXPECT_EQ(Ch(2)->RxTone, 34);
    EXPECT_EQ(Ch(2)->TxTone, 34);
}

TEST_F(BatchApplyTest, BusyLockoutNeedsTheDecidingTone) {
    Add(1, "435");
    Add(2, "435");
    Add(3, "435");
    Ch(1)->BusyLock = 2;
    Ch(2)->TxTone = 5;
    Ch(2)->Inversion = 1; // the transmit tone decides
    Ch(3)->RxTone = 7;
    flags[2] = 1; // receive tone to entry 0
    Range(1, 1);
    Run();
    EXPECT_EQ(Ch(1)->BusyLock, 2); // untouched without the busy item

    flags[2] = 0;
    flags[8] = 1;
    input.values[8] = 2;
    Range(1, 3);
    Run();
    EXPECT_EQ(Ch(1)->BusyLock, 1);
    EXPECT_EQ(Ch(2)->BusyLock, 2);
    EXPECT_EQ(Ch(3)->BusyLock, 2);

    input.values[8] = 3;
    Run();
    EXPECT_EQ(Ch(1)->BusyLock, 3);
}

TEST_F(BatchApplyTest, ListAndBoxItemsWriteTheirFields) {
    Add(5, "435");
    for (int item = 4; item < ModBatch::kBatchItemCount; ++item) {
        flags[static_cast<std::size_t>(item)] = 1;
        input.values[static_cast<std::size_t>(item)] = 1;
    }
    input.values[4] = 0;
    input.values[11] = 7;
    input.values[12] = 0;
    input.values[10] = 1;
    Range(5, 5);
    Run();
    const TChannel& c = *Ch(5);
    EXPECT_EQ(c.TxPower, 0);
    EXPECT_EQ(c.Call1, 7);
    EXPECT_EQ(c.Call2, 0);
    EXPECT_EQ(c.SignalRelation, 1);
    for (auto field :
         {&TChannel::OptSignal, &TChannel::PttId, &TChannel::Bandwidth, &TChannel::InvTalkSelect,
          &TChannel::ScanSkip, &TChannel::Scramble, &TChannel::TxInhibit, &TChannel::Talkaround,
          &TChannel::Inversion, &TChannel::Whisper, &TChannel::Compander})
        EXPECT_EQ(c.*field, 1);
}

TEST_F(BatchApplyTest, DeleteBoxRemovesTheChannelsOutsideTheRange) {
    for (int n : {1, 3, 5, 7, 10, 11, 128})
        Add(n, "435");
    Ch(7)->ScanSkip = 1;
    // the emergency channel names channel 11, which goes
    gEditData.Settings.Alert[kAlertRefGroup] = 1;
    gEditData.Settings.Alert[kAlertRefGroup + 1] = 11;
    flags[2] = 1;
    Range(5, 10);
    input.deleteOutside = true;
    input.rxToneStart = 3;
    Run();
    ASSERT_EQ(gEditData.ChannelCount, 3);
    EXPECT_NE(Ch(5), nullptr);
    EXPECT_EQ(Ch(7)->ScanSkip, 1);
    EXPECT_EQ(Ch(7)->RxTone, 3);
    EXPECT_EQ(Ch(1), nullptr);
    EXPECT_EQ(Ch(11), nullptr);
    // the reference follows the table: lowest channel of its group
    EXPECT_EQ(gEditData.Settings.Alert[kAlertRefGroup], 1);
    EXPECT_EQ(gEditData.Settings.Alert[kAlertRefGroup + 1], 5);
}

TEST_F(BatchApplyTest, FullTableLeavesOtherRecordsAlone) {
    // a damaged table: every record numbered 1, so no number fits in
    Add(1, "435");
    for (auto& c : gEditData.Channels)
        c = gEditData.Channels[0], c.Number = 1;
    gEditData.ChannelCount = kMaxChannels;
    flags[0] = flags[4] = 1;
    input.values[4] = 0;
    Range(2, 2);
    const TRadioData before = gEditData;
    Run();
    EXPECT_TRUE(gEditData == before);
}

TEST_F(BatchApplyTest, OpenGridAndEditorAreShownAgain) {
    CallCounter grid("frmCommChInfo");
    CallCounter editor("FrmCHInfoEdit");
    flags[13] = 1;
    Run();
    EXPECT_EQ(grid.calls, 0);
    gFormChInfoShown = true;
    gFormCHInfoEditShown = true;
    Run();
    gFormChInfoShown = false;
    gFormCHInfoEditShown = false;
    EXPECT_EQ(grid.calls, 1);
    EXPECT_EQ(editor.calls, 1);
}

TEST(BatchFlagsTest, FileIsCreatedReadAndWritten) {
    TestSupport::TempProgram program;
    gBatchFunFlags.fill(0);
    ModBatch::LoadBatchFlags();
    EXPECT_EQ(program.ReadFile("BatchFun.ini"), QByteArray(20, '\1'));
    for (quint8 f : gBatchFunFlags)
        EXPECT_EQ(f, 1);

    QByteArray stored(20, '\0');
    stored[3] = 7;
    program.WriteFile("BatchFun.ini", stored);
    ModBatch::LoadBatchFlags();
    EXPECT_EQ(gBatchFunFlags[3], 7);
    EXPECT_EQ(ModBatch::FlagToBool(gBatchFunFlags[3]), 1);
    EXPECT_EQ(ModBatch::FlagToBool(gBatchFunFlags[4]), 0);

    program.WriteFile("BatchFun.ini", QByteArray(5, '\0'));
    ModBatch::LoadBatchFlags();
    EXPECT_EQ(gBatchFunFlags[4], 0);
    EXPECT_EQ(gBatchFunFlags[5], 1); // beyond the end of a short file: offered

    gBatchFunFlags[19] = 0;
    EXPECT_TRUE(ModBatch::SaveBatchFlags());
    const QByteArray saved = program.ReadFile("BatchFun.ini");
    ASSERT_EQ(saved.size(), 20);
    EXPECT_EQ(saved[19], '\0');
    EXPECT_EQ(saved[5], '\1');
}

} // namespace

#include "BatchApplyTest.moc"
