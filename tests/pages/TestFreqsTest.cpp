#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/FrmTestFre.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TestFreqsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram(); // band 400 - 480 MHz
        gLock = 0;
        Pages::RegisterForms();
        Open();
    }
    void TearDown() override { gLock = 0; }

    void Open() {
        page.reset(Platform::Forms::Create("FrmTestFre"));
        page->show();
        QApplication::setActiveWindow(page.get());
        grid = page->findChild<QTableWidget*>("MSFlexGrid1");
        editor = page->findChild<QLineEdit*>("Text1");
    }
    void Type(int row, int col, const QString& text) {
        grid->setCurrentCell(row, col);
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    static const TTestFre& Pair(int index) {
        return gEditData.TestFreList[static_cast<std::size_t>(index)];
    }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    std::unique_ptr<QWidget> page;
    QTableWidget* grid = nullptr;
    QLineEdit* editor = nullptr;
};

TEST_F(TestFreqsTest, TypedFrequenciesAreStoredAndHeldToTheBand) {
    EXPECT_FALSE(editor->isVisible());
    Type(2, 1, "435.1");
    EXPECT_EQ(Pair(1).Second.Bytes(), "43510000");
    EXPECT_EQ(grid->item(2, 1)->text(), "435.10000");
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(grid->currentColumn(), 2);
    QTest::keyClicks(editor, "500");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), 1);
    EXPECT_EQ(Pair(1).First.Bytes(), "48000000");
    EXPECT_EQ(grid->item(2, 2)->text(), "480.00000");
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(grid->currentColumn(), 1);
    Type(4, 2, "1.2.3");
    EXPECT_EQ(messages.Count(), 2);
    EXPECT_EQ(Pair(3).First.Bytes(), "40000000");
}

TEST_F(TestFreqsTest, ClearedCellHoldsNulAndBlanksAndShowsEmpty) {
    Type(1, 1, "");
    EXPECT_EQ(Pair(0).Second.Bytes(), QByteArray(1, '\0') + QByteArray(7, ' '));
    EXPECT_EQ(grid->item(1, 1)->text(), "");
    page.reset();
    Open();
    EXPECT_EQ(grid->item(1, 1)->text(), "");
    EXPECT_EQ(grid->item(1, 2)->text(), "435.10000");
}

TEST_F(TestFreqsTest, EnterSkipsTheSecondColumnOfAnEmptyPairAndWrapsAfterRow11) {
    Type(5, 1, "");
    EXPECT_EQ(grid->currentRow(), 6);
    EXPECT_EQ(grid->currentColumn(), 1);
    Type(11, 2, "410");
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 1);
}

TEST_F(TestFreqsTest, ReenteringTheEditedCellDoesNotCommitItAgain) {
    grid->setCurrentCell(3, 1);
    QTest::keyClicks(editor, "999");
    grid->setCurrentCell(3, 1);
    EXPECT_EQ(messages.Count(), 0);
    Platform::Forms::Validate(page.get());
    EXPECT_EQ(messages.Count(), 1);
    Platform::Forms::Validate(page.get());
    EXPECT_EQ(messages.Count(), 1); // one warning for one edit
    EXPECT_EQ(Pair(2).Second.Bytes(), "48000000");
}

TEST_F(TestFreqsTest, FixedPairsAreShownWhateverTheBandAndLockIsIgnored) {
    TestSupport::ResetProgram("KL740", "136 - 174 MHz");
    gLock = 1;
    Open();
    auto* fixed = page->findChild<QTableWidget*>("MSFlexGrid2");
    EXPECT_EQ(fixed->item(4, 1)->text(), "460.60000");
    EXPECT_EQ(fixed->item(4, 2)->text(), "470.50000");
    EXPECT_EQ(fixed->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(grid->isEnabled());
    grid->setCurrentCell(1, 1);
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_TRUE(editor->isVisible());
}

} // namespace
