#include "channels/Channels.h"
#include "channels/FrmCHInfoEdit.h"
#include "channels/frmCommChInfo.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using ModFunLang::GetLangText;

namespace {

struct MainHost : QMainWindow, TestSupport::MainCalls {};

class DetailEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        gHelpOn = false;
        gEditData.ChannelCount = 0;
        ModShowFreFun::AddChannel(1, "435.02500");
        ModShowFreFun::AddChannel(18, "438.50000");
        host = new MainHost;
        host->setObjectName("frmMain");
        area = new QMdiArea(host);
        host->setCentralWidget(area);
        host->resize(1200, 800);
        Platform::Forms::Register(host);
        Platform::Forms::SetChildHost({[this](QWidget* w) { area->addSubWindow(w)->show(); },
                                       [this] { area->cascadeSubWindows(); }});
        Channels::RegisterForms();
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
        host->activateWindow();
    }
    void TearDown() override {
        for (QObject* form : Platform::Forms::Loaded())
            if (form != host) delete form;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete host;
        Platform::Forms::SetChildHost({});
        gLock = 0;
        gHabits = THabits{};
    }

    void OpenEditor(int group, int row) {
        gEditGroup = group;
        gEditRow = row;
        editor = qobject_cast<FrmCHInfoEdit*>(ModFun::ShowChildForm("FrmCHInfoEdit"));
        ASSERT_NE(editor, nullptr);
        QApplication::processEvents();
    }
    template <typename T> T* Control(const char* name, int index = -1) const {
        for (T* w : editor->findChildren<T*>(QLatin1String(name))) {
            const QVariant i = w->property("Index");
            if (index < 0 ? !i.isValid() : i.toInt() == index) return w;
        }
        return nullptr;
    }
    QComboBox* List(int i) const { return Control<QComboBox>("Combo2", i); }
    QCheckBox* Box(int i) const { return Control<QCheckBox>("Check1", i); }
    QLineEdit* Text(int i) const { return Control<QLineEdit>(i == 1 ? "Text1" : "Text2"); }
    static TChannel* Channel(int number) {
        const int i = ModShowFreFun::FindChannelIndex(number);
        return i < 0 ? nullptr : &gEditData.Channels[static_cast<std::size_t>(i)];
    }
    static void Key(int key) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    MainHost* host = nullptr;
    QMdiArea* area = nullptr;
    QPointer<FrmCHInfoEdit> editor;
};

} // namespace

TEST_F(DetailEditorTest, AnEmptyPositionBecomesAChannelWhenAFrequencyIsTyped) {
    OpenEditor(0, 2);
    EXPECT_TRUE(gFormCHInfoEditShown);
    EXPECT_TRUE(Text(1)->isEnabled());
    EXPECT_TRUE(Text(1)->text().isEmpty());
    EXPECT_FALSE(Text(2)->isEnabled());
    for (int i = 0; i <= 10; ++i) {
        EXPECT_FALSE(List(i)->isEnabled()) << i;
        EXPECT_EQ(List(i)->currentText(), " ") << i;
    }
    EXPECT_FALSE(Box(0)->isEnabled());

    Text(1)->setFocus();
    QApplication::clipboard()->setText("123");
    QTest::keyClick(Text(1), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(Text(1), "4x35.1");
    EXPECT_EQ(Text(1)->text(), "435.1");
    Key(Qt::Key_Return);
    ASSERT_NE(Channel(2), nullptr);
    EXPECT_EQ(Channel(2)->RxFreq.Text(), "43510000");
    EXPECT_EQ(Text(1)->text(), "435.10000");
    EXPECT_EQ(QApplication::focusWidget(), Text(2));
    for (int i = 0; i <= 10; ++i)
        EXPECT_TRUE(List(i)->isEnabled()) << i;
    EXPECT_EQ(List(8)->itemText(0), GetLangText(14013));
    EXPECT_EQ(List(10)->itemText(0), GetLangText(14013));
    // back to an empty position and to a channel again
    Control<QComboBox>("Combo1")->setCurrentIndex(2);
    EXPECT_FALSE(List(6)->isEnabled());
    Control<QComboBox>("Combo1")->setCurrentIndex(0);
    EXPECT_TRUE(List(6)->isEnabled());
    EXPECT_EQ(List(6)->currentText(), GetLangText(15030));
}

TEST_F(DetailEditorTest, ListsAndBoxesWriteTheirFieldsAndTheSelectorSwapsTheBoxes) {
    OpenEditor(0, 1);
    EXPECT_TRUE(Box(4)->isEnabled());
    EXPECT_FALSE(Box(3)->isEnabled());
    List(7)->setCurrentIndex(1);
    EXPECT_EQ(Channel(1)->InvTalkSelect, 1);
    EXPECT_TRUE(Box(3)->isEnabled());
    EXPECT_FALSE(Box(4)->isEnabled());
    Box(0)->click();
    EXPECT_EQ(Channel(1)->ScanSkip, 1);
    List(2)->setCurrentIndex(0);
    EXPECT_EQ(Channel(1)->TxPower, 0);
    List(0)->setCurrentIndex(13);
    EXPECT_EQ(Channel(1)->RxTone, 13);
    // the grid's channel is followed without writing anything
    const TRadioData before = gEditData;
    gEditGroup = 1;
    gEditRow = 2;
    editor->SetGridEditData(true);
    EXPECT_EQ(Text(1)->text(), "438.50000");
    EXPECT_EQ(gEditData, before);
}

TEST_F(DetailEditorTest, BusyLockoutOffersItsThirdChoiceOnlyWithATone) {
    Channel(1)->BusyLock = 2;
    OpenEditor(0, 1);
    EXPECT_EQ(List(6)->count(), 2);
    EXPECT_EQ(Channel(1)->BusyLock, 1); // a stored 2 without tone shows and stays 1
    List(0)->setCurrentIndex(5);
    EXPECT_EQ(List(6)->count(), 3);
    List(6)->setCurrentIndex(2);
    EXPECT_EQ(Channel(1)->BusyLock, 2);
    EXPECT_EQ(List(6)->currentText(), GetLangText(15032));

    // another channel's check (the grid re-showing its row) leaves the list of
    // the shown channel alone, and the window's choices are still written
    List(0)->setCurrentIndex(0);
    EXPECT_EQ(List(6)->count(), 2);
    ModShowFreFun::SetChannelCell(1, 2, 4, "7"); // channel 18 gets a tone
    ModShowFreFun::UpdateChannelOptionList(18);
    EXPECT_EQ(List(6)->count(), 2);
    List(6)->setCurrentIndex(0);
    EXPECT_EQ(Channel(1)->BusyLock, 0);
}

TEST_F(DetailEditorTest, ValuesTheListsCannotShowShowNoItemAndStayStored) {
    gEditData.Settings.Dtmf.Codes[2].Len = 3;
    Channel(1)->Call1 = 3;
    Channel(1)->Call2 = 5; // memory 5 is empty
    Channel(1)->SignalRelation = 4;
    OpenEditor(0, 1);
    EXPECT_EQ(List(8)->currentText(), "3");
    EXPECT_EQ(List(10)->currentIndex(), -1);
    EXPECT_EQ(List(9)->currentIndex(), -1);
    for (int i : {10, 9}) {
        List(i)->setFocus();
        Control<QComboBox>("Combo4")->setFocus(Qt::TabFocusReason);
    }
    EXPECT_EQ(Channel(1)->Call2, 5);
    EXPECT_EQ(Channel(1)->SignalRelation, 4);
    List(10)->setCurrentIndex(0); // the user's choice is written
    EXPECT_EQ(Channel(1)->Call2, 0);
    EXPECT_EQ(Channel(1)->Call1, 3);
}

TEST_F(DetailEditorTest, OffsetModeSwitchesTheTransmitFieldAndItsSigns) {
    ModShowFreFun::SetChannelCell(0, 1, 2, "430.02500");
    OpenEditor(0, 1);
    const int help = Text(2)->property("HelpContextID").toInt();
    EXPECT_EQ(help, 3104);
    Text(2)->setFocus();
    Text(2)->selectAll();
    QTest::keyClicks(Text(2), "-+5");
    EXPECT_EQ(Text(2)->text(), "5");
    gHabits.TxAsOffset = true;
    editor->ReShowEditTxFre(true);
    EXPECT_EQ(Control<QLabel>("Label2", 1)->text(), GetLangText(15100));
    EXPECT_EQ(Text(2)->text(), "-5.00000");
    EXPECT_EQ(Text(2)->property("HelpContextID").toInt(), help);
    Text(2)->setFocus();
    Text(2)->selectAll();
    QTest::keyClicks(Text(2), "1.5"); // without a sign: a plus offset
    Key(Qt::Key_Enter);
    EXPECT_EQ(Channel(1)->OffsetDir, 2);
    EXPECT_EQ(Text(2)->text(), "+1.50000");
}

TEST_F(DetailEditorTest, ChoosingAGroupTurnsTheGridAndClosingWritesTheTypedFrequency) {
    auto* grid = qobject_cast<frmCommChInfo*>(ModFun::ShowChildForm("frmCommChInfo"));
    ASSERT_NE(grid, nullptr);
    QApplication::processEvents();
    OpenEditor(0, 1);
    Control<QComboBox>("Combo4")->setCurrentIndex(1);
    EXPECT_EQ(grid->findChild<QComboBox*>("Combo7")->currentIndex(), 1);
    EXPECT_EQ(gEditGroup, 1);

    Text(1)->setFocus();
    Text(1)->selectAll();
    QTest::keyClicks(Text(1), "440");
    const int number = 16 + Control<QComboBox>("Combo1")->currentIndex() + 1;
    qobject_cast<QMdiSubWindow*>(editor->parentWidget())->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(gFormCHInfoEditShown);
    EXPECT_TRUE(editor.isNull());
    ASSERT_NE(Channel(number), nullptr);
    EXPECT_EQ(Channel(number)->RxFreq.Text(), "44000000");
}

TEST_F(DetailEditorTest, LockLeavesOnlyTheSelectorsUsable) {
    gLock = 1;
    OpenEditor(0, 1);
    EXPECT_TRUE(Control<QComboBox>("Combo4")->isEnabled());
    EXPECT_TRUE(Control<QComboBox>("Combo1")->isEnabled());
    EXPECT_FALSE(Text(1)->isEnabled());
    EXPECT_FALSE(List(0)->isEnabled());
    EXPECT_FALSE(Box(1)->isEnabled());
    Control<QComboBox>("Combo1")->setCurrentIndex(1);
    Control<QComboBox>("Combo4")->setCurrentIndex(1);
    // a re-show from outside keeps the window locked
    ModShowFreFun::SetChannelCell(1, 2, 6, "0");
    EXPECT_EQ(Text(1)->text(), "438.50000");
    EXPECT_FALSE(Text(2)->isEnabled());
    EXPECT_FALSE(List(2)->isEnabled());
}

TEST_F(DetailEditorTest, TheGridsDetailsButtonOpensTheEditorThatFollowsTheGrid) {
    auto* grid = qobject_cast<frmCommChInfo*>(ModFun::ShowChildForm("frmCommChInfo"));
    ASSERT_NE(grid, nullptr);
    QApplication::processEvents();
    auto* table = grid->findChild<QTableWidget*>("MSFlexGrid1");
    auto* combo7 = grid->findChild<QComboBox*>("Combo7");
    combo7->setFocus();
    QTest::keyClick(combo7, Qt::Key_Down);
    auto click = [table](int r, int c) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(r - 1, c)).center());
    };
    click(2, 1);
    grid->findChild<QPushButton*>("CommandCHInfoEdit")->click();
    QApplication::processEvents();
    editor = qobject_cast<FrmCHInfoEdit*>(Platform::Forms::Find("FrmCHInfoEdit"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Control<QComboBox>("Combo4")->currentIndex(), 1);
    EXPECT_EQ(Control<QComboBox>("Combo1")->currentIndex(), 1);
    EXPECT_EQ(Text(1)->text(), "438.50000");
    click(2, 4); // the grid's open tone list follows a tone chosen here
    List(0)->setFocus();
    QTest::keyClick(List(0), Qt::Key_Down);
    EXPECT_EQ(grid->findChild<QComboBox*>("Combo1")->currentIndex(), 1);
    click(5, 4);
    QApplication::processEvents();
    EXPECT_EQ(Control<QComboBox>("Combo1")->currentIndex(), 4);
    EXPECT_FALSE(Text(2)->isEnabled());
}
