#include "data/ModHabits.h"
#include "data/SharedState.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class HabitsTest : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::ResetProgram(); }
    void TearDown() override {
        gHabits = THabits{};
        gConfirmMode = 0;
        ModHabits::ClearClipboard();
    }
    TestSupport::TempProgram program;
};

QByteArray Flags(std::initializer_list<qint16> values) {
    QByteArray bytes;
    for (qint16 v : values) {
        bytes.append(static_cast<char>(v & 0xFF));
        bytes.append(static_cast<char>((v >> 8) & 0xFF));
    }
    return bytes;
}

} // namespace

TEST_F(HabitsTest, LoadReadsFiveLittleEndianFlagsAndAnyNonZeroIsTrue) {
    program.WriteFile("Habit.ini", Flags({0, 1, -1, 0, 256}));
    gClipboardFull = true;
    ModHabits::LoadHabits();
    EXPECT_FALSE(gClipboardFull); // the clipboard starts empty
    EXPECT_FALSE(gHabits.NoPasteAsk);
    EXPECT_TRUE(gHabits.PasteInserts);
    EXPECT_TRUE(gHabits.NoDeleteAsk);
    EXPECT_FALSE(gHabits.DeleteClosesGap);
    EXPECT_TRUE(gHabits.TxAsOffset);
    // saving writes -1 for every true flag
    ModHabits::SaveHabits();
    EXPECT_EQ(program.ReadFile("Habit.ini"), Flags({0, -1, -1, 0, -1}));
}

TEST_F(HabitsTest, MissingOrShortFileGivesAllFalse) {
    gHabits.TxAsOffset = true;
    ModHabits::LoadHabits();
    EXPECT_EQ(gHabits.TxAsOffset, false);
    program.WriteFile("Habit.ini", QByteArray("\xff\xff\xff", 3));
    gHabits.NoPasteAsk = true;
    ModHabits::LoadHabits();
    EXPECT_FALSE(gHabits.NoPasteAsk);
}

TEST_F(HabitsTest, SaveWritesTheRecordAtTheStartAndKeepsTheRest) {
    program.WriteFile("Habit.ini", QByteArray(12, '\x05'));
    gHabits.DeleteClosesGap = true;
    ModHabits::SaveHabits();
    const QByteArray bytes = program.ReadFile("Habit.ini");
    EXPECT_EQ(bytes.left(10), Flags({0, 0, 0, -1, 0}));
    EXPECT_EQ(bytes.mid(10), QByteArray(2, '\x05'));
}

TEST_F(HabitsTest, AnswersBecomeTheHabitOfTheirQuestionAndAreSaved) {
    gConfirmMode = 1;
    ModHabits::ApplyConfirmAnswer(1, true);
    EXPECT_TRUE(gHabits.PasteInserts);
    EXPECT_TRUE(gHabits.NoPasteAsk);
    EXPECT_FALSE(gHabits.DeleteClosesGap);
    EXPECT_EQ(program.ReadFile("Habit.ini"), Flags({-1, -1, 0, 0, 0}));

    gConfirmMode = 2;
    ModHabits::ApplyConfirmAnswer(2, false);
    EXPECT_FALSE(gHabits.DeleteClosesGap);
    EXPECT_FALSE(gHabits.NoDeleteAsk);
    gHabits.DeleteClosesGap = true;
    ModHabits::ApplyConfirmAnswer(1, true);
    EXPECT_TRUE(gHabits.NoDeleteAsk);
    EXPECT_TRUE(gHabits.PasteInserts); // the paste habit is not touched

    // closing without an answer changes and saves nothing
    const QByteArray before = program.ReadFile("Habit.ini");
    gHabits.DeleteClosesGap = false;
    ModHabits::ApplyConfirmAnswer(0, true);
    EXPECT_FALSE(gHabits.DeleteClosesGap);
    EXPECT_EQ(program.ReadFile("Habit.ini"), before);
}
