// The channel edit commands as the main window runs them: menu item, commit of
// the grid, the 20 ms timer, the questions and the re-shown pages.
#include "channels/Channels.h"
#include "channels/ModCHEdit.h"
#include "data/DatLayout.h"
#include "data/ModCommFun.h"
#include "data/ModFunLang.h"
#include "data/ModHabits.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "platform/Forms.h"
#include "platform/UserSettings.h"
#include "shell/frmMain.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using ModFunLang::GetLangText;

namespace {

class EditFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        Platform::SetUserSettingsFolder(store.path());
        gLock = 0;
        gHelpOn = false;
        Channels::RegisterForms();
        frmMain::SetChannelEditRunner(ModCHEdit::RunCommand);
        frmMain::SetEditCommandsUpdater(ModCHEdit::UpdateEditCommands);
        ModHabits::LoadHabits();
        main = new frmMain;
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        QApplication::processEvents();
        gridPage = qobject_cast<QWidget*>(Platform::Forms::Find("frmCommChInfo"));
        ASSERT_NE(gridPage, nullptr);
        grid = gridPage->findChild<QTableWidget*>("MSFlexGrid1");
        // the table changes under the page: its open cell editor is dropped
        auto* gridView = Views::Open<Views::ChannelGrid>();
        ASSERT_NE(gridView, nullptr);
        gridView->InvalidEdit();
        gEditData.ChannelCount = 0;
        ModShowFreFun::AddChannel(1, "435.02500");
        ModShowFreFun::AddChannel(2, "436.00000");
        gridView->reShowAllGrid();
        main->ShowCHInfo(true);
    }
    void TearDown() override {
        delete main.data();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmMain::SetChannelEditRunner({});
        frmMain::SetEditCommandsUpdater({});
        Platform::SetUserSettingsFolder(QString());
        gHabits = THabits{};
        ModHabits::ClearClipboard();
    }

    QAction* Item(const char* name) const { return main->findChild<QAction*>(QLatin1String(name)); }
    // Rows are the grid's positions 1..16; the table holds them as rows 0..15
    // under its caption row.
    void SelectRow(int row) {
        grid->setCurrentCell(row - 1, 1);
        QApplication::processEvents();
    }
    // Chooses the menu item and runs the command as its timer would. A modal
    // dialog that comes up is handed to `answer` (or closed, and counted).
    void Run(const char* item, std::function<void(QWidget*)> answer = {}) {
        ASSERT_TRUE(Item(item)->isEnabled()) << item;
        Item(item)->trigger();
        QTimer::singleShot(0, [this, answer] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            ++dialogs;
            if (answer)
                answer(dialog);
            else
                dialog->close();
        });
        main->TimerCHEdit_Timer();
    }
    static QCheckBox* Box(QWidget* dialog, int index = -1) {
        for (QCheckBox* b : dialog->findChildren<QCheckBox*>("Check1"))
            if (index < 0 || b->property("Index").toInt() == index) return b;
        return nullptr;
    }
    static void Click(QWidget* dialog, const char* button) {
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    }
    QString Cell(int r, int c) const {
        return (r == 0 ? grid->horizontalHeaderItem(c) : grid->item(r - 1, c))->text();
    }
    int CurrentRow() const { return grid->currentRow() + 1; }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    QTemporaryDir store;
    QPointer<frmMain> main;
    QWidget* gridPage = nullptr;
    QTableWidget* grid = nullptr;
    int dialogs = 0;
};

} // namespace

TEST_F(EditFlowTest, CopyThenPasteAsksOnceAndKeepsTheAnswer) {
    SelectRow(3);
    EXPECT_FALSE(Item("MnuCHCopy")->isEnabled());
    EXPECT_FALSE(Item("MnuCHPaste")->isEnabled());
    SelectRow(1);
    Run("MnuCHCopy");
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(Item("MnuCHPaste")->isEnabled());
    EXPECT_TRUE(Item("MnuCHCut")->isEnabled()); // the channel in hand still has data

    SelectRow(2);
    Run("MnuCHPaste", [](QWidget* dialog) {
        Box(dialog)->setChecked(true);
        Click(dialog, "CommandOK");
    });
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(gHabits.PasteInserts);
    EXPECT_TRUE(gHabits.NoPasteAsk);
    EXPECT_EQ(program.ReadFile("Habit.ini"), QByteArray("\xff\xff\xff\xff\0\0\0\0\0\0", 10));
    EXPECT_EQ(Cell(1, 1), "435.02500");
    EXPECT_EQ(Cell(2, 1), "435.02500");
    EXPECT_EQ(Cell(3, 1), "436.00000");

    // the next paste inserts without asking
    Run("MnuCHPaste");
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Cell(3, 1), "435.02500");
    EXPECT_EQ(Cell(4, 1), "436.00000");
}

TEST_F(EditFlowTest, PasteIntoAnotherBandIsHeldInsideItAndSavedSo) {
    ModShowFreFun::SetChannelCell(0, 1, 2, "425.02500"); // row 1 sends 10 MHz lower
    Run("MnuCHCopy");                                    // row 1
    gEditData.ModelInfo.BandCode = 8;                    // 136 - 174 MHz
    ModCommFun::ApplyModelInfo(gEditData.ModelInfo);
    SelectRow(2);
    Run("MnuCHPaste");
    EXPECT_EQ(messages.CountOf(GetLangText(9021)), 1);
    EXPECT_EQ(Cell(2, 1) + Cell(2, 2), "174.00000164.00000");               // held, the offset kept
    Run("MnuCHPaste", [](QWidget* dialog) { Click(dialog, "CommandOK"); }); // inserted
    EXPECT_EQ(messages.CountOf(GetLangText(9021)), 2);
    EXPECT_EQ(Cell(2, 2) + Cell(3, 2), "164.00000164.00000");
    gDataFileName = program.ProgramDir() + "/band.dat";
    gIsUntitled = false;
    ASSERT_TRUE(main->FileSave());
    TRadioData saved;
    ASSERT_TRUE(DatLayout::Unpack(program.ReadFile("band.dat"), saved));
    for (int number : {2, 3}) {
        auto ch = std::find_if(saved.Channels.begin(), saved.Channels.end(),
                               [number](const TChannel& c) { return c.Number == number; });
        ASSERT_NE(ch, saved.Channels.end());
        EXPECT_EQ(ModShowFreFun::FreqCodeToText(ch->RxFreq.Text()) + ' ' +
                      ModShowFreFun::TxFreqText(ch->RxFreq.Text(), ch->Offset.Text(), ch->OffsetDir,
                                                false),
                  "174.00000 164.00000")
            << number;
    }
    gEditData.ModelInfo.BandCode = 0; // 400 - 480 MHz: RX inside 430 - 450, TX not
    ModCommFun::ApplyModelInfo(gEditData.ModelInfo);
    SelectRow(4);
    ModShowFreFun::SetChannelCell(0, 4, 1, "435.02500");
    ModShowFreFun::SetChannelCell(0, 4, 2, "455.00000");
    Run("MnuCHCopy");
    gEditData.ModelInfo.BandCode = 1; // 430 - 450 MHz
    ModCommFun::ApplyModelInfo(gEditData.ModelInfo);
    SelectRow(5);
    Run("MnuCHPaste");
    EXPECT_EQ(Cell(5, 1) + Cell(5, 2), "435.02500450.00000");
    EXPECT_EQ(messages.CountOf(GetLangText(9021)), 3);
}

TEST_F(EditFlowTest, DeleteQuestionClosedWithoutAnswerStillDeletes) {
    QWidget* editor = ModFun::ShowChildForm("FrmCHInfoEdit"); // on channel 1
    ASSERT_NE(editor, nullptr);
    const QRect row1 = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row1.center()); // back to the grid
    Run("MnuCHDelete"); // the question is closed by its close box
    EXPECT_TRUE(editor->findChild<QLineEdit*>("Text1")->text().isEmpty());
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(gHabits.NoDeleteAsk);
    EXPECT_TRUE(program.ReadFile("Habit.ini").isEmpty());
    EXPECT_TRUE(Cell(1, 1).isEmpty());
    EXPECT_EQ(Cell(2, 1), "436.00000");
    EXPECT_FALSE(Item("MnuCHCut")->isEnabled());
}

TEST_F(EditFlowTest, MoveUpFromTheFirstRowWrapsAndTheRowFollows) {
    SelectRow(1);
    Run("MnuCHMoveUp");
    EXPECT_EQ(CurrentRow(), 16);
    EXPECT_EQ(Cell(16, 1), "435.02500");
    EXPECT_TRUE(Cell(1, 1).isEmpty());
    main->tbToolBar_ButtonClick("BtnCHMoveDown");
    main->TimerCHEdit_Timer();
    EXPECT_EQ(CurrentRow(), 1);
    EXPECT_EQ(Cell(1, 1), "435.02500");
}

TEST_F(EditFlowTest, HabitsSwitchTheTransmitColumnAndTheEditorAtOnce) {
    ModShowFreFun::SetChannelCell(0, 1, 2, "430.02500");
    gEditGroup = 0;
    gEditRow = 1;
    QWidget* editor = ModFun::ShowChildForm("FrmCHInfoEdit");
    ASSERT_NE(editor, nullptr);
    Run("MnuCHHabits", [](QWidget* dialog) {
        Box(dialog, 4)->setChecked(true);
        Click(dialog, "CommandOK");
    });
    EXPECT_TRUE(gHabits.TxAsOffset);
    EXPECT_EQ(Cell(0, 2), GetLangText(14100));
    EXPECT_EQ(Cell(1, 2), "-5.00000");
    QLabel* label = nullptr;
    for (QLabel* l : editor->findChildren<QLabel*>("Label2"))
        if (l->property("Index").toInt() == 1) label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), GetLangText(15100));
    const QByteArray saved = program.ReadFile("Habit.ini");
    EXPECT_EQ(saved, QByteArray("\0\0\0\0\0\0\0\0\xff\xff", 10));

    // Cancel changes nothing, in memory or in the file
    Run("MnuCHHabits", [](QWidget* dialog) {
        Box(dialog, 4)->setChecked(false);
        Box(dialog, 0)->setChecked(true);
        Click(dialog, "CommandCancel");
    });
    EXPECT_TRUE(gHabits.TxAsOffset);
    EXPECT_FALSE(gHabits.NoPasteAsk);
    EXPECT_EQ(program.ReadFile("Habit.ini"), saved);
    // and the choice is there after a restart
    gHabits = THabits{};
    ModHabits::LoadHabits();
    EXPECT_TRUE(gHabits.TxAsOffset);
}
