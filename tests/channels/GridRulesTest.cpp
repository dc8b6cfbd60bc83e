#include "channels/GridRules.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace GridRules;

namespace {

TChannel MakeChannel(int number, const QString& rx) {
    TChannel ch;
    ch.Number = static_cast<qint16>(number);
    ch.RxFreq.Assign(ModShowFreFun::FreqTextToCode(rx));
    ch.Offset.Fill('\0');
    ch.TxPower = 2;
    return ch;
}

class GridRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        lists = LoadListTexts();
    }
    TestSupport::TempProgram program;
    ListTexts lists;
};

} // namespace

TEST(GridRulesPlain, ChannelsGoToTheRowOfTheirPositionOnTheirGroupOnly) {
    EXPECT_EQ(RowOfChannel(3, 0), 3);
    EXPECT_EQ(RowOfChannel(20, 1), 4);
    EXPECT_EQ(RowOfChannel(37, 2), 5);
    EXPECT_EQ(RowOfChannel(16, 0), 16);
    EXPECT_EQ(RowOfChannel(17, 0), 0);
    EXPECT_EQ(RowOfChannel(16, 1), 0);
    EXPECT_EQ(RowOfChannel(128, 7), 16);
    EXPECT_EQ(ChannelOfRow(7, 16), 128);
}

TEST(GridRulesPlain, EditorsAndHelpContextsFollowTheColumn) {
    EXPECT_EQ(EditorOf(0), Editor::None);
    EXPECT_EQ(EditorOf(1), Editor::Text1);
    EXPECT_EQ(EditorOf(2), Editor::Text1);
    EXPECT_EQ(EditorOf(3), Editor::Text2);
    EXPECT_EQ(EditorOf(4), Editor::Combo1);
    EXPECT_EQ(EditorOf(5), Editor::Combo1);
    EXPECT_EQ(EditorOf(9), Editor::Combo5);
    EXPECT_EQ(EditorOf(10), Editor::None);
    EXPECT_EQ(HelpContextOf(2, false), 3103);
    EXPECT_EQ(HelpContextOf(2, true), 3104);
    EXPECT_EQ(HelpContextOf(7, false), 3115);
    EXPECT_EQ(HelpContextOf(3, false), 0);
    EXPECT_EQ(MaxLengthOf(Editor::Text1), 9);
    EXPECT_EQ(MaxLengthOf(Editor::Text2), 5);
}

TEST(GridRulesPlain, CellEntryRedirects) {
    // a row without a receive frequency: every field but the receive one
    // goes to column 1
    for (int col = 2; col <= 9; ++col)
        EXPECT_EQ(CellEntry(col, true, true, false), Entry::RedirectRx) << col;
    EXPECT_EQ(CellEntry(1, true, true, false), Entry::Open);
    EXPECT_EQ(CellEntry(10, true, true, false), Entry::Open);
    // the transmit tone of a row without transmit text opens the transmit cell
    EXPECT_EQ(CellEntry(5, false, true, false), Entry::RedirectTx);
    EXPECT_EQ(CellEntry(4, false, true, false), Entry::Open);
    EXPECT_EQ(CellEntry(5, false, false, false), Entry::Open);
    // the one-shot skip opens whatever cell it is
    EXPECT_EQ(CellEntry(5, true, true, true), Entry::Open);
}

TEST(GridRulesPlain, EnterMovesOnSkippingTheNameColumnAndWrapsInTheGroup) {
    EXPECT_EQ(NextCol(1), 2);
    EXPECT_EQ(NextCol(2), 4);
    EXPECT_EQ(NextCol(8), 9);
    EXPECT_EQ(NextCol(9), 0);
    EXPECT_EQ(NextLine(1), 2);
    EXPECT_EQ(NextLine(16), 1);
    EXPECT_TRUE(EnterGoesToNextLine(1, ""));
    EXPECT_FALSE(EnterGoesToNextLine(1, "435"));
    EXPECT_FALSE(EnterGoesToNextLine(2, ""));
}

TEST(GridRulesPlain, CharacterFilterPerColumn) {
    EXPECT_EQ(FilterText(1, false, "43a5.1-+"), "435.1");
    EXPECT_EQ(FilterText(1, true, "+435.1-"), "435.1");
    EXPECT_EQ(FilterText(2, false, "+5.0-"), "5.0");
    EXPECT_EQ(FilterText(2, true, "+5.0-"), "+5.0-");
    EXPECT_EQ(FilterText(3, false, "ab.c9Z-"), "ABC9Z");
    EXPECT_EQ(FilterText(1, false, QString::fromUtf8("４3５éx1\t")), "31");
    QChar backspace(8);
    EXPECT_TRUE(KeepChar(1, false, backspace));
    QChar lower('q');
    EXPECT_TRUE(KeepChar(3, false, lower));
    EXPECT_EQ(lower, QChar('Q'));
}

TEST(GridRulesPlain, TextWriteBack) {
    auto wb = TextWriteBack(1, "435.1");
    EXPECT_TRUE(wb.write);
    EXPECT_EQ(wb.cellText, "435.10000");
    EXPECT_EQ(wb.value, "435.10000");
    wb = TextWriteBack(1, "");
    EXPECT_TRUE(wb.write); // an empty receive frequency deletes the channel
    EXPECT_EQ(wb.value, "");

    wb = TextWriteBack(2, "430");
    EXPECT_TRUE(wb.write);
    EXPECT_EQ(wb.cellText, "430.00000");
    EXPECT_EQ(wb.value, "430");
    wb = TextWriteBack(2, "-5");
    EXPECT_EQ(wb.cellText, "-5.00000");
    EXPECT_EQ(wb.value, "-5");
    wb = TextWriteBack(2, "+0.5");
    EXPECT_EQ(wb.cellText, "+0.50000");
    EXPECT_FALSE(TextWriteBack(2, "4.3.5").write);
    EXPECT_FALSE(TextWriteBack(2, "").write);

    wb = TextWriteBack(3, "AB1");
    EXPECT_TRUE(wb.write);
    EXPECT_EQ(wb.cellText, "AB1");
    EXPECT_FALSE(TextWriteBack(4, "1").write);
}

TEST(GridRulesPlain, CaptionKeepsItsClosingBracket) {
    EXPECT_EQ(Caption("Group", "Channel", 0, 1), "Group 1 --- Channel 1]");
    EXPECT_EQ(Caption("Channel", "Channel", 7, 16), "Channel 8 --- Channel 16]");
}

TEST(GridRulesPlain, ScrollKeepsTheEditedRowInPlace) {
    EXPECT_EQ(RowAfterScroll(5, 1, 3), 7);
    EXPECT_EQ(RowAfterScroll(5, 3, 1), 3);
    EXPECT_EQ(RowAfterScroll(15, 1, 4), 15); // would leave the page
}

TEST_F(GridRulesTest, ListsComeFromTheLanguageWithTheToneListBehindItemZero) {
    EXPECT_EQ(lists.tones.size(), ModShowFreFun::kToneCount);
    EXPECT_EQ(lists.tones[0], "OFF");
    EXPECT_EQ(lists.tones[51], "017N");
    EXPECT_EQ(lists.power, QStringList({"Low", "Middle", "High"}));
    EXPECT_EQ(lists.scanSkip.size(), 2);
    EXPECT_EQ(lists.optSignal, QStringList({"OFF", "DTMF"}));
    EXPECT_EQ(lists.bandwidth.size(), 3);
    EXPECT_EQ(&lists.ForColumn(5), &lists.tones);
    EXPECT_TRUE(lists.ForColumn(3).isEmpty());
}

TEST_F(GridRulesTest, RowShowsTheRecordAndFallsBackToItemZero) {
    TChannel ch = MakeChannel(1, "435.1");
    ch.RxTone = 1;
    ch.TxTone = 999; // beyond the list
    ch.Bandwidth = 2;
    ch.OptSignal = 5;
    auto row = RowTexts(ch, lists, false);
    EXPECT_EQ(row[1], "435.10000");
    EXPECT_EQ(row[2], "435.10000");
    EXPECT_EQ(row[3], "");
    EXPECT_EQ(row[4], "67.0");
    EXPECT_EQ(row[5], "OFF");
    EXPECT_EQ(row[6], "High");
    EXPECT_EQ(row[7], "No");
    EXPECT_EQ(row[8], "OFF");
    EXPECT_EQ(row[9], "Narrow");
    EXPECT_EQ(row[0], "");
    EXPECT_EQ(row[10], "");

    int dir = 0;
    const QString code =
        ModShowFreFun::TxToOffset(ch.RxFreq.Text(), "430.1", false, ch.Offset.Text(), dir);
    ch.Offset.Assign(code);
    ch.OffsetDir = static_cast<quint8>(dir);
    EXPECT_EQ(RowTexts(ch, lists, false)[2], "430.10000");
    EXPECT_EQ(RowTexts(ch, lists, true)[2], "-5.00000");
}
