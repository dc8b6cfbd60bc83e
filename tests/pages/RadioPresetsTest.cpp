#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/FrmRadio.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(RadioPresetRulesTest, TextsAreHeldToTheBandAndTheRaster) {
    EXPECT_EQ(FrmRadio::CheckRadioFre(""), "");
    EXPECT_EQ(FrmRadio::CheckRadioFre("75"), "076.00000");
    EXPECT_EQ(FrmRadio::CheckRadioFre("120"), "108.00000");
    EXPECT_EQ(FrmRadio::CheckRadioFre("88.04"), "088.05000");
    EXPECT_EQ(FrmRadio::CheckRadioFre("88.01"), "088.00000");
    EXPECT_EQ(FrmRadio::CheckRadioFre("107.99"), "108.00000");
    EXPECT_EQ(FrmRadio::CheckRadioFre("1.2.3"), "076.00000");
    EXPECT_DOUBLE_EQ(FrmRadio::StepRadio(88.03), 88.05);
    EXPECT_EQ(FrmRadio::GetSaveRadioFreData("087.50000"), "08750000");
    EXPECT_EQ(FrmRadio::GetSaveRadioFreData(".."), "76");
    EXPECT_EQ(FrmRadio::GetSaveRadioFreData("90"), "90");
}

class RadioPresetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        Pages::RegisterForms();
        page.reset(Platform::Forms::Create("FrmRadio"));
        page->show();
        QApplication::setActiveWindow(page.get());
        grid = page->findChild<QTableWidget*>("MSFlexGrid1");
        editor = page->findChild<QLineEdit*>("Text1");
    }
    void TearDown() override { gLock = 0; }

    void Type(int row, const QString& text) {
        grid->setCurrentCell(row, 1);
        editor->selectAll();
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    static const TRadioFre& Preset(int index) {
        return gEditData.RadioFreList[static_cast<std::size_t>(index)];
    }

    TestSupport::TempProgram program;
    std::unique_ptr<QWidget> page;
    QTableWidget* grid = nullptr;
    QLineEdit* editor = nullptr;
};

TEST_F(RadioPresetsTest, EnterCommitsTheCellAndMovesDown) {
    Type(1, "75");
    EXPECT_EQ(Preset(0).Empty, 0);
    EXPECT_EQ(Preset(0).Fre.Bytes(), "07600000");
    EXPECT_EQ(grid->item(1, 1)->text(), "76.00000");
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_TRUE(editor->isVisible());
    Type(2, "88.04");
    EXPECT_EQ(Preset(1).Fre.Bytes(), "08805000");
    Type(3, "1.2.3");
    EXPECT_EQ(Preset(2).Fre.Bytes(), "07600000");
    Type(1, "");
    EXPECT_EQ(Preset(0).Empty, 1);
    EXPECT_EQ(Preset(0).Fre.Bytes(), "        ");
    EXPECT_EQ(grid->item(1, 1)->text(), "");
    Type(20, "90");
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(Preset(19).Fre.Bytes(), "09000000");
}

TEST_F(RadioPresetsTest, VisitedPresetGoesOntoTheRasterAndEditorShowsSixCharacters) {
    page.reset();
    gEditData.RadioFreList[0] = {0, {}};
    gEditData.RadioFreList[0].Fre.Assign("08761000");
    gEditData.RadioFreList[1] = {0, {}};
    gEditData.RadioFreList[1].Fre.Assign("10005000");
    page.reset(Platform::Forms::Create("FrmRadio"));
    grid = page->findChild<QTableWidget*>("MSFlexGrid1");
    editor = page->findChild<QLineEdit*>("Text1");
    EXPECT_EQ(grid->item(1, 1)->text(), "87.61000");
    grid->setCurrentCell(1, 1);
    EXPECT_EQ(editor->text(), "87.610");
    grid->setCurrentCell(2, 1);
    EXPECT_EQ(Preset(0).Fre.Bytes(), "08760000");
    EXPECT_EQ(editor->text(), "100.05");
}

// A preset that is not a number shows empty without a message and is kept
// until the user types into its cell.
TEST_F(RadioPresetsTest, APresetThatIsNotANumberShowsEmptyAndStaysUntilEdited) {
    page.reset();
    TestSupport::RecordingMessages messages;
    gEditData.RadioFreList[2] = {0, {}};
    gEditData.RadioFreList[2].Fre.Assign("87.X5000");
    const TRadioData before = gEditData;
    page.reset(Platform::Forms::Create("FrmRadio"));
    page->show();
    QApplication::setActiveWindow(page.get());
    grid = page->findChild<QTableWidget*>("MSFlexGrid1");
    editor = page->findChild<QLineEdit*>("Text1");
    EXPECT_EQ(grid->item(3, 1)->text(), "");
    grid->setCurrentCell(3, 1);
    EXPECT_EQ(editor->text(), "");
    grid->setCurrentCell(4, 1);
    Platform::Forms::Validate(page.get());
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_TRUE(gEditData == before);

    Type(3, "88");
    EXPECT_EQ(Preset(2).Fre.Bytes(), "08800000");
    EXPECT_EQ(Preset(2).Empty, 0);
}

TEST_F(RadioPresetsTest, ValidationAndClosingCommitAPendingEdit) {
    grid->setCurrentCell(5, 1);
    QTest::keyClicks(editor, "9x9.5");
    EXPECT_EQ(editor->text(), "99.5");
    Platform::Forms::Validate(page.get());
    EXPECT_EQ(Preset(4).Fre.Bytes(), "09950000");
    grid->setCurrentCell(6, 1);
    QTest::keyClicks(editor, "100");
    page->close();
    EXPECT_EQ(Preset(5).Fre.Bytes(), "10000000");
}

TEST_F(RadioPresetsTest, EditorTakesDigitsAndPointsOnlyAndNoPaste) {
    grid->setCurrentCell(1, 1);
    QApplication::clipboard()->setText("99");
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    QApplication::sendEvent(editor, &paste);
    QTest::keyClicks(editor, "8a,8.-5");
    EXPECT_EQ(editor->text(), "88.5");
}

TEST_F(RadioPresetsTest, LockDisablesGridAndEditor) {
    gLock = 1;
    page.reset(Platform::Forms::Create("FrmRadio"));
    EXPECT_FALSE(page->findChild<QTableWidget*>("MSFlexGrid1")->isEnabled());
    EXPECT_FALSE(page->findChild<QLineEdit*>("Text1")->isEnabled());
}

} // namespace
