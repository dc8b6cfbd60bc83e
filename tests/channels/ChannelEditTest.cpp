#include "channels/ModCHEdit.h"
#include "data/ModHabits.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "tests/support/TestSupport.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// The channel table as number -> receive frequency text.
QMap<int, QString> Table() {
    QMap<int, QString> t;
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        const TChannel& ch = gEditData.Channels[static_cast<std::size_t>(i)];
        t.insert(ch.Number, ModShowFreFun::FreqCodeToText(ch.RxFreq.Text()));
    }
    return t;
}

QString Freq(int number) {
    return QStringLiteral("%1.00000").arg(400 + number);
}

class ChannelEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        ModHabits::ClearClipboard();
        gHabits = THabits{};
        gHabits.NoPasteAsk = true;
        gHabits.NoDeleteAsk = true;
        asked.clear();
        ModCHEdit::SetConfirmAsker([this] { asked << gConfirmMode; });
    }
    void TearDown() override {
        ModCHEdit::SetConfirmAsker({});
        gHabits = THabits{};
    }
    // Exactly the given channels, in the given table order, each on 4xx MHz
    // after its number.
    static void Channels(std::initializer_list<int> numbers) {
        gEditData.ChannelCount = 0;
        for (int n : numbers)
            ModShowFreFun::AddChannel(n, Freq(n));
    }
    static void ExpectUnique() {
        QSet<int> seen;
        for (int i = 0; i < gEditData.UsedCount(); ++i) {
            const int n = gEditData.Channels[static_cast<std::size_t>(i)].Number;
            EXPECT_FALSE(seen.contains(n)) << n;
            seen.insert(n);
        }
    }
    TestSupport::TempProgram program;
    QList<int> asked;
};

} // namespace

TEST_F(ChannelEditTest, InsertInAFullGroupDropsTheLastAndLeavesTheSlotEmpty) {
    // group 1 (channels 17..32) full, in a shuffled table order, with
    // neighbours in groups 0 and 2
    Channels({32, 20, 16, 17, 25, 18, 31, 19, 21, 22, 23, 24, 26, 27, 28, 29, 30, 33});
    ModCHEdit::InsertCommand(3, 1);
    ExpectUnique();
    const auto t = Table();
    EXPECT_EQ(t.value(17), Freq(17));
    EXPECT_EQ(t.value(18), Freq(18));
    EXPECT_FALSE(t.contains(19));
    for (int n = 20; n <= 32; ++n)
        EXPECT_EQ(t.value(n), Freq(n - 1)) << n;
    EXPECT_EQ(t.value(16), Freq(16));
    EXPECT_EQ(t.value(33), Freq(33));
    EXPECT_EQ(t.size(), 17);
}

TEST_F(ChannelEditTest, InsertAtSixteenOnlyRemovesThatChannel) {
    Channels({16, 15, 1});
    ModCHEdit::InsertCommand(16, 0);
    EXPECT_EQ(Table(), (QMap<int, QString>{{1, Freq(1)}, {15, Freq(15)}}));
}

TEST_F(ChannelEditTest, DeleteClosesTheGapOnlyWhenTheHabitSaysSo) {
    Channels({1, 2, 3, 16, 17});
    ModCHEdit::DeleteCommand(2, 0);
    EXPECT_EQ(Table(),
              (QMap<int, QString>{{1, Freq(1)}, {3, Freq(3)}, {16, Freq(16)}, {17, Freq(17)}}));
    gHabits.DeleteClosesGap = true;
    ModCHEdit::DeleteCommand(1, 0);
    EXPECT_EQ(Table(), (QMap<int, QString>{{2, Freq(3)}, {15, Freq(16)}, {17, Freq(17)}}));
    // deleting an empty slot still closes the gap
    ModCHEdit::DeleteCommand(1, 0);
    EXPECT_EQ(Table(), (QMap<int, QString>{{1, Freq(3)}, {14, Freq(16)}, {17, Freq(17)}}));
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(ChannelEditTest, CutRemovesEvenTheOnlyChannelAndKeepsItOnTheClipboard) {
    Channels({5});
    gHabits.NoDeleteAsk = false;
    ModCHEdit::CutCommand(5, 0);
    EXPECT_EQ(gEditData.UsedCount(), 0);
    EXPECT_EQ(asked, QList<int>({2}));
    EXPECT_TRUE(gClipboardFull);
    EXPECT_EQ(gEditClipboard.Number, 5);
    EXPECT_FALSE(ModCHEdit::ChannelHasData(5));
}

TEST_F(ChannelEditTest, PasteOverwritesEveryFieldButTheNumberAndCanBeRepeated) {
    Channels({1, 2});
    TChannel& source = gEditData.Channels[0];
    source.RxTone = 12;
    source.TxTone = 40;
    source.Call2 = 3;
    source.Offset.Assign(QStringLiteral("0500000"));
    source.OffsetDir = 2;
    ModCHEdit::CopyChannel(1, 0);
    const TChannel copied = source;
    ModCHEdit::PasteCommand(2, 0);
    TChannel expected = copied;
    expected.Number = 2;
    EXPECT_EQ(gEditData.Channels[1], expected);
    // onto an absent number it creates the channel; the clipboard stays
    ModCHEdit::PasteCommand(16, 3);
    ASSERT_EQ(gEditData.UsedCount(), 3);
    expected.Number = 64;
    EXPECT_EQ(gEditData.Channels[2], expected);
    EXPECT_EQ(gEditClipboard, copied);
}

TEST_F(ChannelEditTest, PasteWithInsertHabitInsertsFirstAndAsksUnlessTold) {
    Channels({1, 2, 3});
    ModCHEdit::CopyChannel(3, 0);
    gHabits.NoPasteAsk = false;
    gHabits.PasteInserts = true;
    ModCHEdit::PasteCommand(2, 0);
    EXPECT_EQ(asked, QList<int>({1}));
    EXPECT_EQ(Table(),
              (QMap<int, QString>{{1, Freq(1)}, {2, Freq(3)}, {3, Freq(2)}, {4, Freq(3)}}));
}

TEST_F(ChannelEditTest, PasteBeforeAnyCopyWritesNothing) {
    Channels({1});
    ModCHEdit::PasteCommand(2, 0);
    ModCHEdit::PasteCommand(1, 0);
    EXPECT_EQ(Table(), (QMap<int, QString>{{1, Freq(1)}}));
}

TEST_F(ChannelEditTest, PastingAnEmptyRecordRemovesTheTarget) {
    Channels({1, 2});
    ModCHEdit::CopyChannel(1, 0);
    gEditClipboard.NoData = 1;
    ModCHEdit::PasteCommand(2, 0);
    EXPECT_EQ(Table(), (QMap<int, QString>{{1, Freq(1)}}));
}

TEST_F(ChannelEditTest, MovesSwapWithinTheGroupAndWrapAround) {
    Channels({17, 32, 20, 33});
    ModCHEdit::MoveUpCommand(nullptr, 1, 1);
    EXPECT_EQ(Table(),
              (QMap<int, QString>{{17, Freq(32)}, {32, Freq(17)}, {20, Freq(20)}, {33, Freq(33)}}));
    ModCHEdit::MoveDownCommand(nullptr, 16, 1);
    EXPECT_EQ(Table(),
              (QMap<int, QString>{{17, Freq(17)}, {32, Freq(32)}, {20, Freq(20)}, {33, Freq(33)}}));
    // onto an empty slot: the channel is renumbered and its old slot empties
    ModCHEdit::MoveDownCommand(nullptr, 4, 1);
    EXPECT_EQ(Table(),
              (QMap<int, QString>{{17, Freq(17)}, {32, Freq(32)}, {21, Freq(20)}, {33, Freq(33)}}));
}

TEST_F(ChannelEditTest, CutAndCopyNeedDataPasteNeedsTheClipboard) {
    Channels({1, 2, 3});
    gEditData.Channels[1].RxFreq.Assign(QStringLiteral("FFFFFFFF"));
    gEditData.Channels[2].NoData = 1;
    TestSupport::MainCalls main; // the allowed commands as (cut/copy, paste)
    for (int n : {2, 3, 4})
        ModCHEdit::UpdateEditCommands(&main, n);
    ModCHEdit::CopyChannel(1, 0);
    ModCHEdit::UpdateEditCommands(&main, 1);
    EXPECT_EQ(main.calls, QStringList({"AllowEditCommands(0,0)", "AllowEditCommands(0,0)",
                                       "AllowEditCommands(0,0)", "AllowEditCommands(1,1)"}));
}
