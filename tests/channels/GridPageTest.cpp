#include "channels/Channels.h"
#include "channels/frmCommChInfo.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "data/widgets/ModRidTextMenu.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Stands in for the main window: records the calls the page makes,
// holds the channel-edit menu and the channel commands' shortcuts.
class FakeMain : public QMainWindow, public TestSupport::MainCalls {
    Q_OBJECT
public:
    FakeMain() {
        setObjectName("frmMain");
        area = new QMdiArea(this);
        setCentralWidget(area);
        menu = new QMenu(this);
        menu->setObjectName("MnuCHEdit");
        menu->addAction("Cut");
        for (auto [name, key] : {std::pair{"cut", QKeySequence(Qt::CTRL | Qt::Key_X)},
                                 std::pair{"copy", QKeySequence(Qt::CTRL | Qt::Key_C)},
                                 std::pair{"paste", QKeySequence(Qt::CTRL | Qt::Key_V)},
                                 std::pair{"delete", QKeySequence(Qt::Key_Delete)}}) {
            auto* action = new QAction(name, this);
            action->setShortcut(key);
            addAction(action);
            const QString n = QString::fromLatin1(name);
            connect(action, &QAction::triggered, this, [this, n] { commands << n; });
        }
        resize(900, 600);
    }
    void UpdateEditCommands(int number) override {
        MainCalls::UpdateEditCommands(number);
        editCommandChannels << number;
    }
    void PopupEditMenu(const QPoint& at) override { menu->popup(at); }
    QMdiArea* area;
    QMenu* menu;
    QStringList commands;
    QList<int> editCommandChannels;
};

// Stands in for the channel detail editor.
class FakeDetailEditor : public QWidget, public TestSupport::EditorCalls {
    Q_OBJECT
public:
    FakeDetailEditor() {
        setObjectName("FrmCHInfoEdit");
        setFocusPolicy(Qt::StrongFocus);
        Platform::Forms::Register(this);
        gFormCHInfoEditShown = true;
        ++made;
    }
    ~FakeDetailEditor() override { gFormCHInfoEditShown = false; }
    void SetGridEditData(bool) override { ++follows; }
    static inline int made = 0;
    static inline int follows = 0;
};

class GridPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        gHelpOn = false;
        FakeDetailEditor::made = 0;
        FakeDetailEditor::follows = 0;
        main = new FakeMain;
        Platform::Forms::Register(main);
        Platform::Forms::SetChildHost({[this](QWidget* w) { main->area->addSubWindow(w)->show(); },
                                       [this] { main->area->cascadeSubWindows(); }});
        Channels::RegisterForms();
        Platform::Forms::RegisterFactory("FrmCHInfoEdit", [] { return new FakeDetailEditor; });
    }
    void TearDown() override {
        if (page) page->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete main;
        for (QObject* form : Platform::Forms::Loaded())
            delete form;
        Platform::Forms::SetChildHost({});
        gLock = 0;
        gHabits = THabits{};
    }

    // Opens the page as the main window does and makes it the active window.
    void Open() {
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        page = qobject_cast<frmCommChInfo*>(ModFun::ShowChildForm("frmCommChInfo"));
        ASSERT_NE(page, nullptr);
        QApplication::processEvents();
        grid = page->findChild<QTableWidget*>("MSFlexGrid1");
        text1 = page->findChild<QLineEdit*>("Text1");
        text2 = page->findChild<QLineEdit*>("Text2");
        combo7 = page->findChild<QComboBox*>("Combo7");
    }

    // Rows are the grid's positions 1..16 (the table's rows 0..15 under its
    // caption row); row 0 is the caption row.
    QTableWidgetItem* Item(int r, int c) const {
        return r == 0 ? grid->horizontalHeaderItem(c) : grid->item(r - 1, c);
    }
    QString Cell(int r, int c) const { return Item(r, c)->text(); }
    QPoint CellCenter(int r, int c) const {
        return grid->visualRect(grid->model()->index(r - 1, c)).center();
    }
    void Click(int r, int c) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(r, c));
    }
    // press, release, double-click, release, as a window system delivers them
    void DoubleClick(int r, int c) {
        Click(r, c);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(r, c));
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, CellCenter(r, c));
    }
    void GridKey(int key) {
        grid->setFocus();
        QTest::keyClick(grid, static_cast<Qt::Key>(key));
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }
    static void Type(const QString& text) { QTest::keyClicks(Focus(), text); }
    static void Key(int key, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(Focus(), static_cast<Qt::Key>(key), mods);
    }
    QComboBox* List(int n) const { return page->findChild<QComboBox*>(QString("Combo%1").arg(n)); }
    TChannel* Channel(int number) {
        const int i = ModShowFreFun::FindChannelIndex(number);
        return i < 0 ? nullptr : &gEditData.Channels[static_cast<std::size_t>(i)];
    }
    QString Rx(int number) {
        TChannel* ch = Channel(number);
        return ch ? ModShowFreFun::FreqCodeToText(ch->RxFreq.Text()) : QString();
    }
    QPoint Current() const { return {grid->currentColumn(), grid->currentRow() + 1}; }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    FakeMain* main = nullptr;
    QPointer<frmCommChInfo> page;
    QTableWidget* grid = nullptr;
    QLineEdit* text1 = nullptr;
    QLineEdit* text2 = nullptr;
    QComboBox* combo7 = nullptr;
};

} // namespace

TEST_F(GridPageTest, LoadShowsTheGroupWithItsTextsAndTellsTheMainWindow) {
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(37, "440");
    ModShowFreFun::AddChannel(3, "435");
    ModShowFreFun::AddChannel(20, "436");
    gGridGroup = 1;
    Open();
    EXPECT_TRUE(gFormChInfoShown);
    EXPECT_EQ(Platform::Forms::Find("frmCommChInfo"), page.data());
    EXPECT_EQ(combo7->currentIndex(), 1);
    EXPECT_EQ(Cell(0, 1), "RX Freq (MHz)");
    EXPECT_EQ(Cell(0, 2), "TX Freq (MHz)");
    EXPECT_EQ(Cell(7, 0), "7");
    EXPECT_EQ(Cell(7, 10), ">>");
    EXPECT_TRUE(grid->isColumnHidden(3));
    EXPECT_EQ(Cell(4, 1), "436.00000"); // channel 20
    EXPECT_EQ(Cell(3, 1), "");
    EXPECT_EQ(Cell(5, 1), "");
    EXPECT_EQ(main->calls.count("LoadTree"), 1);
    EXPECT_EQ(page->findChild<QPushButton*>("CommandClose")->text(), "Close");
    EXPECT_FALSE(page->findChild<QPushButton*>("CommandHelp")->isVisible());

    // other groups by the selector
    combo7->setFocus();
    QTest::keyClick(combo7, Qt::Key_Down);
    EXPECT_EQ(gGridGroup, 2);
    EXPECT_EQ(gEditGroup, 2);
    EXPECT_EQ(Cell(5, 1), "440.00000");
    EXPECT_EQ(Cell(4, 1), "");
    EXPECT_EQ(main->editCommandChannels.last(), 32 + Current().y());
    EXPECT_TRUE(page->windowTitle().startsWith("Channel 3 --- Channel "));
    EXPECT_TRUE(page->windowTitle().endsWith("]"));
}

TEST_F(GridPageTest, FirstActivationOpensTheReceiveEditorOfRowOne) {
    Open();
    EXPECT_TRUE(main->calls.contains("ShowCHInfo(1)"));
    EXPECT_EQ(Current(), QPoint(1, 1));
    EXPECT_TRUE(text1->isVisible());
    EXPECT_EQ(Focus(), text1);
    EXPECT_EQ(text1->text(), Cell(1, 1));
    EXPECT_EQ(text1->selectedText(), Cell(1, 1));
    EXPECT_EQ(page->windowTitle(), "Channel 1 --- Channel 1]");

    QList<int> topics; // Help: the receive editor's topic, then the page's
    Platform::Help::SetOpener(
        [&topics](const QString&, int context) { return topics << context, true; });
    program.WriteFile("Corvan_E.chm", "help");
    gHelpOn = true;
    QTest::keyClick(text1, Qt::Key_F1);
    page->findChild<QPushButton*>("CommandHelp")->click();
    EXPECT_EQ(topics, QList<int>({3102, 3100}));
}

TEST_F(GridPageTest, TypingAFrequencyOnAnEmptyRowCreatesTheChannel) {
    Open();
    // the transmit cell of an empty row opens its receive editor instead
    Click(3, 2);
    EXPECT_EQ(Current(), QPoint(1, 3));
    EXPECT_EQ(Focus(), text1);
    Type("435.1");
    Key(Qt::Key_Return);
    ASSERT_NE(Channel(3), nullptr);
    EXPECT_EQ(Channel(3)->RxFreq.Text(), "43510000");
    EXPECT_EQ(Channel(3)->TxPower, 2);
    EXPECT_EQ(Cell(3, 1), "435.10000");
    EXPECT_EQ(Cell(3, 2), "435.10000");
    EXPECT_EQ(Cell(3, 6), "High");
    EXPECT_EQ(Cell(3, 4), "OFF");
    // and the transmit editor of the same row is open
    EXPECT_EQ(Current(), QPoint(2, 3));
    EXPECT_EQ(Focus(), text1);
    EXPECT_EQ(text1->text(), "435.10000");
    EXPECT_EQ(messages.Count(), 0);

    // a duplex transmit frequency, then Enter skips the hidden name column
    Type("430.1");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(3, 2), "430.10000");
    EXPECT_EQ(Channel(3)->OffsetDir, 1);
    EXPECT_EQ(Current(), QPoint(4, 3));
    EXPECT_EQ(Focus(), List(1));
}

TEST_F(GridPageTest, TheTransmitToneOfARowWithoutTransmitTextOpensTheTransmitEditor) {
    Open();
    page->InvalidEdit();
    Item(1, 2)->setText("");
    Click(1, 5);
    EXPECT_EQ(Current(), QPoint(2, 1));
    EXPECT_EQ(Focus(), text1);
    EXPECT_EQ(text1->text(), Cell(1, 2));

    // coming from the receive cell of the row, an empty transmit cell starts
    // with the receive frequency
    page->InvalidEdit();
    gEditRow = 1;
    gEditCol = 1;
    Click(1, 2);
    EXPECT_EQ(text1->text(), Cell(1, 1));
    EXPECT_EQ(Cell(1, 2), Cell(1, 1));
}

TEST_F(GridPageTest, ReselectingTheShownGroupRefillsAndHidesTheEditors) {
    Open();
    ASSERT_TRUE(text1->isVisible());
    Channel(1)->TxPower = 0; // changed behind the page's back
    emit combo7->activated(0);
    EXPECT_FALSE(text1->isVisible());
    EXPECT_EQ(Cell(1, 6), "Low");
}

TEST_F(GridPageTest, OffsetModeRewritesOnlyTheShownGroupAndTheHeader) {
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(65, "440");
    ModShowFreFun::SetChannelCell(4, 1, 2, "435");
    gGridGroup = 4;
    Open();
    EXPECT_EQ(Cell(1, 2), "435.00000");
    gHabits.TxAsOffset = true;
    page->ReShowAllTxFre(true);
    EXPECT_EQ(Cell(0, 2), "TX Offset (MHz)");
    EXPECT_EQ(Cell(1, 2), "-5.00000");
    EXPECT_EQ(Cell(0, 1), "RX Freq (MHz)");
    EXPECT_EQ(Cell(1, 1), "440.00000");
}

TEST_F(GridPageTest, EnterInAnEmptyReceiveEditorGoesDownAndWrapsInTheGroup) {
    Open();
    Click(15, 1);
    EXPECT_EQ(text1->text(), "");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), QPoint(1, 16));
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), QPoint(1, 1));
    EXPECT_EQ(combo7->currentIndex(), 0);
    EXPECT_EQ(gEditData.ChannelCount, 1);
}

TEST_F(GridPageTest, EnterFromTheLastListGoesToTheNextRowsReceiveEditor) {
    Open();
    Click(1, 9);
    EXPECT_EQ(Focus(), List(5));
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), QPoint(1, 2));
    EXPECT_EQ(Focus(), text1);
    EXPECT_TRUE(text1->isVisible());
}

TEST_F(GridPageTest, ArrowKeysOnTheGridMoveAndOpenTheCell) {
    Open();
    Click(1, 4);
    EXPECT_EQ(Focus(), List(1));
    GridKey(Qt::Key_Right);
    EXPECT_EQ(Current(), QPoint(5, 1));
    EXPECT_EQ(Focus(), List(1));
    GridKey(Qt::Key_Up); // row 0 is fixed
    EXPECT_EQ(Current(), QPoint(5, 1));
    GridKey(Qt::Key_Left);
    GridKey(Qt::Key_Left); // past the hidden name column
    EXPECT_EQ(Current(), QPoint(2, 1));
    GridKey(Qt::Key_Left);
    GridKey(Qt::Key_Left); // column 0 is fixed
    EXPECT_EQ(Current(), QPoint(1, 1));
    GridKey(Qt::Key_Down);
    EXPECT_EQ(Current(), QPoint(1, 2));
    EXPECT_EQ(Focus(), text1);
    grid->setFocus();
    Key(Qt::Key_Return); // Enter on the grid opens the editor
    EXPECT_EQ(Focus(), text1);
}

TEST_F(GridPageTest, AListChoiceIsWrittenOnceAndEnterMovesOn) {
    Open();
    Click(1, 6);
    QComboBox* power = List(2);
    ASSERT_EQ(Focus(), power);
    EXPECT_EQ(power->currentText(), "High");
    Key(Qt::Key_Up);
    EXPECT_EQ(Channel(1)->TxPower, 1);
    EXPECT_EQ(Cell(1, 6), "Middle");
    Channel(1)->TxPower = 0; // anything written later would show here
    Key(Qt::Key_Return);
    EXPECT_EQ(Channel(1)->TxPower, 0);
    EXPECT_EQ(Current(), QPoint(7, 1));

    // a tone on one side is mirrored to the other
    Click(1, 4);
    Key(Qt::Key_Down);
    EXPECT_EQ(Channel(1)->RxTone, 1);
    EXPECT_EQ(Channel(1)->TxTone, 1);
    EXPECT_EQ(Cell(1, 5), "67.0");
}

TEST_F(GridPageTest, OpeningAListWritesNothing) {
    Open();
    Channel(1)->Bandwidth = 7; // outside the list: the row shows item 0
    page->reShowAllGrid();
    EXPECT_EQ(Cell(1, 9), "Wide");
    Click(1, 9);
    Key(Qt::Key_Return);
    EXPECT_EQ(Channel(1)->Bandwidth, 7);
}

TEST_F(GridPageTest, InvalidEditHidesWithoutWriting) {
    Open();
    const QString before = Rx(1);
    Type("440");
    page->InvalidEdit();
    EXPECT_FALSE(text1->isVisible());
    Platform::Forms::Validate(page.data());
    page->close();
    EXPECT_EQ(Rx(1), before);
}

TEST_F(GridPageTest, TheValidateStepCommitsTheTypedFrequency) {
    Open();
    Type("440");
    Platform::Forms::Validate(page.data());
    EXPECT_EQ(Rx(1), "440.00000");
    EXPECT_EQ(Cell(1, 1), "440.00000");
}

TEST_F(GridPageTest, ClosingThePageCommitsAndTellsTheMainWindow) {
    Open();
    Type("441");
    main->calls.clear();
    page->findChild<QPushButton*>("CommandClose")->click();
    QApplication::processEvents();
    EXPECT_EQ(Rx(1), "441.00000");
    EXPECT_FALSE(gFormChInfoShown);
    EXPECT_EQ(main->calls.last(), "ShowCHInfo(0)");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(page.isNull());
    EXPECT_EQ(Platform::Forms::Find("frmCommChInfo"), nullptr);
}

TEST_F(GridPageTest, ClickingAnotherCellCommitsTheTypedTextToItsOwnCell) {
    Open();
    Type("442");
    Click(5, 1);
    EXPECT_EQ(Rx(1), "442.00000");
    EXPECT_EQ(Channel(5), nullptr);
    EXPECT_EQ(Current(), QPoint(1, 5));
}

TEST_F(GridPageTest, FocusGoingToAMenuDoesNotCommit) {
    Open();
    const QString before = Rx(1);
    Type("443");
    main->menu->popup(main->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    main->menu->close();
    QApplication::processEvents();
    EXPECT_EQ(Rx(1), before);
    Platform::Forms::Validate(page.data());
    EXPECT_EQ(Rx(1), "443.00000");
}

// A pending edit lands on the cell it was opened on, even when the shared
// edit position moved on before the commit.
TEST_F(GridPageTest, APendingEditIsWrittenToTheCellItWasOpenedOn) {
    Open();
    Type("444");
    gEditGroup = 2; // the detail editor moved to another channel
    gEditRow = 5;
    Platform::Forms::Validate(page.data());
    EXPECT_EQ(Rx(1), "444.00000");
    EXPECT_EQ(Channel(37), nullptr);
}

// Enter commits once: the focus move that follows does not write again.
TEST_F(GridPageTest, EnterWarnsAndWritesOnlyOnce) {
    Open();
    Click(2, 1);
    Type("500");
    Key(Qt::Key_Return);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), 1);
    EXPECT_EQ(Rx(2), "480.00000");
    EXPECT_EQ(Current(), QPoint(2, 2));
}

TEST_F(GridPageTest, ANonNumericTransmitTextWritesNothingOnEnter) {
    Open();
    Click(1, 2);
    const TChannel before = *Channel(1);
    Type("4.3.5");
    EXPECT_EQ(text1->text(), "4.3.5");
    Key(Qt::Key_Return);
    EXPECT_EQ(*Channel(1), before);
    EXPECT_EQ(Current(), QPoint(4, 1));
    EXPECT_EQ(messages.Count(), 0);

    // the same text reaching the validate step is handed over as typed
    Click(1, 2);
    Type("4.3.5");
    Platform::Forms::Validate(page.data());
    EXPECT_EQ(messages.Count(), 1);
    EXPECT_EQ(Cell(1, 2), "400.00000");
}

TEST_F(GridPageTest, SignsOnlyInTheTransmitEditorInOffsetMode) {
    Open();
    Type("+-440");
    EXPECT_EQ(text1->text(), "440");
    Key(Qt::Key_Return);
    Type("+5");
    EXPECT_EQ(text1->text(), "5"); // no offset mode
    Key(Qt::Key_Escape);

    gHabits.TxAsOffset = true;
    page->ReShowAllTxFre(true);
    EXPECT_EQ(Cell(0, 2), "TX Offset (MHz)");
    EXPECT_EQ(Cell(1, 2), "0.00000");
    Click(1, 1);
    Type("x+");
    EXPECT_EQ(text1->text(), "");
    Click(1, 2);
    Type("+5");
    EXPECT_EQ(text1->text(), "+5");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(1, 2), "+5.00000");
    EXPECT_EQ(Channel(1)->OffsetDir, 2);
}

TEST_F(GridPageTest, PastedAndComposedTextPassTheSameFilter) {
    Open();
    text1->clear();
    QGuiApplication::clipboard()->setText("4a3x5.1MHz");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "435.1");
    text1->clear();
    QInputMethodEvent ime;
    ime.setCommitString(QString::fromUtf8("４４b2"));
    QApplication::sendEvent(text1, &ime);
    EXPECT_EQ(text1->text(), "2");
    text1->insert("1é7");
    EXPECT_EQ(text1->text(), "217");

    // the name editor keeps digits and capitals only, and stores nothing
    page->InvalidEdit();
    const TChannel before = *Channel(1);
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    grid->setCurrentCell(0, 3);
    EXPECT_EQ(Focus(), text2);
    QTest::keyClicks(text2, "ab-9c");
    EXPECT_EQ(text2->text(), "AB9C");
    QTest::keyClick(text2, Qt::Key_Return);
    EXPECT_EQ(Cell(1, 3), "AB9C");
    EXPECT_EQ(*Channel(1), before);
    EXPECT_EQ(Current(), QPoint(4, 1));
}

// While a text editor has the focus the editing keys edit its text; on the
// grid and the lists they are the channel commands.
TEST_F(GridPageTest, EditingKeysBelongToTheTextEditor) {
    Open();
    ASSERT_EQ(Focus(), text1);
    const QString rx = text1->text();
    text1->selectAll();
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), rx);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), rx);
    text1->home(false);
    Key(Qt::Key_Delete);
    EXPECT_EQ(text1->text(), rx.mid(1));
    EXPECT_TRUE(main->commands.isEmpty());

    grid->setFocus();
    Key(Qt::Key_X, Qt::ControlModifier);
    Key(Qt::Key_Delete);
    Click(1, 6);
    ASSERT_EQ(Focus(), List(2));
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(main->commands, QStringList({"cut", "delete", "copy"}));
}

TEST_F(GridPageTest, LockKeepsEveryInputDisabledAfterEveryRefill) {
    gLock = 1;
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(1, "435");
    ModShowFreFun::AddChannel(20, "436");
    Open();
    auto disabledInputs = [&] {
        for (QWidget* w : {static_cast<QWidget*>(grid), static_cast<QWidget*>(text1),
                           static_cast<QWidget*>(text2), static_cast<QWidget*>(List(1)),
                           static_cast<QWidget*>(List(5))})
            if (w->isEnabled()) return false;
        return true;
    };
    EXPECT_TRUE(disabledInputs());
    EXPECT_TRUE(combo7->isEnabled());
    EXPECT_FALSE(text1->isVisible()); // the first activation opened nothing
    combo7->setFocus();
    QTest::keyClick(combo7, Qt::Key_Down);
    EXPECT_EQ(Cell(4, 1), "436.00000");
    EXPECT_TRUE(disabledInputs());
    page->reShowAllGrid();
    page->ChangeGroup();
    EXPECT_TRUE(disabledInputs());
    Click(4, 2);
    QTest::keyClicks(grid, "440");
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_FALSE(text1->isVisible());
    EXPECT_EQ(Rx(20), "436.00000");
}

TEST_F(GridPageTest, RightClickSelectsTheCellAndShowsTheChannelMenu) {
    Open();
    QHeaderView* captionRow = grid->horizontalHeader();
    QTest::mouseClick(captionRow->viewport(), Qt::RightButton, {},
                      QPoint(captionRow->sectionViewportPosition(4) + 5, captionRow->height() / 2));
    EXPECT_FALSE(main->menu->isVisible());
    EXPECT_EQ(Current(), QPoint(1, 1));
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, CellCenter(1, 6));
    EXPECT_EQ(Current(), QPoint(6, 1));
    EXPECT_TRUE(main->menu->isVisible());
    main->menu->close();
}

TEST_F(GridPageTest, DoubleClickOnDetailsOpensTheDetailEditorOnce) {
    Open();
    DoubleClick(2, 10);
    QApplication::processEvents();
    EXPECT_EQ(FakeDetailEditor::made, 1);
    EXPECT_TRUE(page->findChild<QTimer*>("TimerCHEdit")->isActive());
    // while the timer runs a click does not re-enter the cell
    const int follows = FakeDetailEditor::follows;
    Click(2, 10);
    EXPECT_EQ(FakeDetailEditor::follows, follows);
    DoubleClick(3, 10);
    EXPECT_EQ(FakeDetailEditor::made, 1);
    // the detail editor follows every editor the grid opens
    Click(1, 1);
    EXPECT_GT(FakeDetailEditor::follows, follows);
}

TEST_F(GridPageTest, EmptyingTheReceiveFrequencyDeletesAllButTheLastChannel) {
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(1, "435");
    ModShowFreFun::AddChannel(2, "436");
    Open();
    Click(2, 1);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(Channel(2), nullptr);
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_EQ(Cell(2, 6), "");
    EXPECT_EQ(Current(), QPoint(1, 3)); // an empty receive editor goes down
    Click(1, 1);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(1, 1), "435.00000"); // the last channel stays
}

#include "GridPageTest.moc"

TEST_F(GridPageTest, TheReceiveEditorKeepsNoRightClickMenuWhileThePageIsLoaded) {
    Open();
    EXPECT_TRUE(ModRidTextMenu::IsHooked(text1));
    EXPECT_FALSE(ModRidTextMenu::IsHooked(grid));
}
