// The configuration changes only by the user's own edits: the commands that
// read, save, send or replace it leave an untouched configuration as it was,
// byte for byte in the saved file, and keep what the user typed.
#include "SimRadio.h"
#include "channels/Channels.h"
#include "channels/ModBatch.h"
#include "channels/ModCHEdit.h"
#include "data/ConfigFiles.h"
#include "data/DatLayout.h"
#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ModShowFreFun.h"
#include "data/ModTestData.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "link/ModComm.h"
#include "link/widgets/LinkForms.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/serial/SerialPorts.h"
#include "platform/widgets/FormLoader.h"
#include "print/Print.h"
#include "shell/ShellForms.h"
#include "shell/ShellRules.h"
#include "shell/frmMain.h"
#include "tests/data/ImageTestSupport.h"
#include "tests/print/PrintFixture.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

using ModFun::TrimNull;
using Platform::Mb::IdCancel;
using Platform::Mb::IdNo;
using Platform::Mb::IdOK;
using Platform::Mb::IdRetry;

const int kPort = TestSupport::TestPort();

class KeepDataTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Channels::RegisterForms(); // the real grid page and detail editor
        frmMain::SetChannelEditRunner(ModCHEdit::RunCommand);
        frmMain::SetEditCommandsUpdater(ModCHEdit::UpdateEditCommands);
        ModBatch::LoadBatchFlags();
        QFile table(program.Root() + "/Version.ini");
        ASSERT_TRUE(table.open(QIODevice::WriteOnly));
        table.write("[Version]\nFirmVersionCount=1\n[Firm]\nFirm0=V200V200\n");
        table.close();
        ModVerionMana::LoadVersionIni();
        ModComm::ResetSession();
        ASSERT_TRUE(linkDir.isValid());
        ASSERT_TRUE(radio.Start(linkDir.path(), kPort));
        SimRadio::Setup setup;
        setup.band = static_cast<quint8>(ModFreFile::BandTextToCode(gBandText));
        radio.Configure(setup);
        gComPort = kPort;
        gHandshaking = 0;
        gStopBit = 1;
        gProgPassword.clear();
        gIdentFlags.fill(0);
    }
    void TearDown() override {
        ShellTest::TearDown();
        frmMain::SetEditCommandsUpdater({});
        for (const char* name : {"FrmCHInfoEdit", "FrmCHBatch"})
            Platform::Forms::UnregisterFactory(name);
        ModComm::ResetSession();
        radio.Stop();
    }

    // Starts the program in a language: the grid opens with its receive
    // editor on channel 1, as a user sees it.
    void Start(int language) {
        gCurrentLanguage = gPrevLanguage = static_cast<qint16>(language);
        ModSettings::SetLanguageFile(language);
        ModInitV::NewData();
        LoadMain();
        if (gTestDataOn) ModTestData::TakeDialogBlock({}); // a test block of its own
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        ASSERT_TRUE(WaitFor([this] { return GridEditor() && GridEditor()->isVisible(); }));
    }

    bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
        const bool met = TestSupport::WaitFor(condition, ms);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return met;
    }
    bool WaitIdle() {
        return WaitFor([] { return gCommType == 0; }, 20000);
    }

    QWidget* Grid() const { return qobject_cast<QWidget*>(Platform::Forms::Find("frmCommChInfo")); }
    QLineEdit* GridEditor() const {
        return Grid() ? Grid()->findChild<QLineEdit*>("Text1") : nullptr;
    }
    QTableWidget* Table() const { return Grid()->findChild<QTableWidget*>("MSFlexGrid1"); }
    QWidget* Detail() const {
        return qobject_cast<QWidget*>(Platform::Forms::Find("FrmCHInfoEdit"));
    }
    QAction* Item(const char* name) const { return main->findChild<QAction*>(QLatin1String(name)); }
    // row: the position 1..16, held by the table's row 0..15 under its caption row
    void ClickCell(int row, int col) {
        const QRect r = Table()->visualRect(Table()->model()->index(row - 1, col));
        QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, r.center());
    }
    template <typename W> static W* Indexed(QWidget* window, const char* name, int index) {
        for (W* w : window->findChildren<W*>(QLatin1String(name)))
            if (w->property("Index").toInt() == index) return w;
        ADD_FAILURE() << name << "(" << index << ") missing";
        return nullptr;
    }
    static void TypeOver(QLineEdit* box, const char* keys) {
        box->selectAll();
        QTest::keyClicks(box, QLatin1String(keys));
    }
    // The bytes of the configuration as File > Save As writes them.
    QByteArray Saved(const QString& name) {
        const QString path = files.path() + u'/' + name;
        dialogs.saveAnswers << path;
        EXPECT_TRUE(main->FileSaveAs());
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    const TChannel& Channel(int number) const {
        const int i = ModShowFreFun::FindChannelIndex(number);
        EXPECT_GE(i, 0) << "channel " << number;
        return gEditData.Channels[static_cast<std::size_t>(std::max(0, i))];
    }

    TestSupport::LinkFolder linkDir;
    SimRadio radio;
};

// ---- commands on an untouched configuration ----

enum class Action { ReadCancelled, FailedRead, CloseAll, LanguageSwitch, RefusedOpen };

class UntouchedTest : public KeepDataTest,
                      public ::testing::WithParamInterface<std::tuple<Action, int>> {
protected:
    void Run(Action action) {
        switch (action) {
        case Action::ReadCancelled:
            messages.answers << IdCancel; // the question before the read
            Item("mnuReadFromRadio")->trigger();
            EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9004)), 1);
            break;
        case Action::FailedRead: {
            SimRadio::Setup setup = radio.CurrentSetup();
            setup.corruptAddress = 0x100; // a block that never arrives whole
            setup.corruptCount = 1000;
            radio.Configure(setup);
            messages.answers << IdOK << IdCancel; // read it, then give up
            Item("mnuReadFromRadio")->trigger();
            ASSERT_TRUE(WaitIdle());
            EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9008)), 1);
            break;
        }
        case Action::CloseAll:
            Item("mnuCloseAll")->trigger();
            break;
        case Action::LanguageSwitch:
            ASSERT_TRUE(ModSetLanguage::ApplyLanguage(gCurrentLanguage == 1 ? 2 : 1));
            main->MDIForm_Activate();
            break;
        case Action::RefusedOpen: {
            const QString junk = files.path() + "/junk.dat";
            QFile file(junk);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("not a configuration");
            file.close();
            dialogs.openAnswers << junk;
            const int shown = messages.Count();
            Item("mnuFileOpen")->trigger();
            EXPECT_GT(messages.Count(), shown); // refused with a message
            break;
        }
        }
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_P(UntouchedTest, LeavesTheSavedBytesAsTheyWere) {
    const auto [action, language] = GetParam();
    Start(language);
    const QByteArray before = Saved("before.dat");
    ASSERT_FALSE(before.isEmpty());
    Run(action);
    EXPECT_FALSE(ModShowFreFun::IsDataModified());
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), 0);
    EXPECT_EQ(Saved("after.dat"), before);
}

const char* LanguageName(int language) {
    return language == 1 ? "English" : "Chinese";
}

std::string ActionName(const ::testing::TestParamInfo<UntouchedTest::ParamType>& info) {
    static const char* const kNames[] = {"ReadCancelled", "FailedRead", "CloseAll",
                                         "LanguageSwitch", "RefusedOpen"};
    return std::string(kNames[static_cast<int>(std::get<0>(info.param))]) +
           LanguageName(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, UntouchedTest,
                         ::testing::Combine(::testing::Values(Action::ReadCancelled,
                                                              Action::FailedRead, Action::CloseAll,
                                                              Action::LanguageSwitch,
                                                              Action::RefusedOpen),
                                            ::testing::Values(1, 2)),
                         ActionName);

class FreshStartTest : public KeepDataTest, public ::testing::WithParamInterface<int> {};

TEST_P(FreshStartTest, ExitAsksNothing) {
    Start(GetParam());
    EXPECT_TRUE(main->close());
    EXPECT_EQ(messages.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FreshStartTest, ::testing::Values(1, 2));

// ---- the radio gets back what it gave ----

TEST_F(KeepDataTest, AReadThenAWriteSendsTheBytesThatWereRead) {
    // a radio holding two channels, a tone and a scan list reference
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(3, "433.02500");
    ModShowFreFun::AddChannel(20, "470.00000");
    gEditData.Channels[0].RxTone = 12;
    gEditData.Settings.Scan[8] = 2;
    gEditData.Settings.Scan[9] = 4;
    ModComm::ClearImage();
    ModCommFun::EncodeImage();
    gImage[0xB0C] = 0; // the flags byte as the radio reports it in its identification
    radio.SetMemory(0, QByteArray(reinterpret_cast<const char*>(gImage.data()), kImageSize));
    radio.SetMemory(0xB00, QByteArray("KL740G\0", 7)); // a KL740G, read into a KL740 configuration
    radio.Configure({.model = "KL740G", .band = radio.CurrentSetup().band});
    const QByteArray held = radio.Memory(0, kImageSize);
    radio.SetMemory(16 * 19 + 4, QByteArray(4, char(0xFF))); // 20 transmits on no frequency

    Start(1);
    messages.answers << IdOK << IdOK; // read it; done
    Item("mnuReadFromRadio")->trigger();
    ASSERT_TRUE(WaitIdle());
    ASSERT_TRUE(WaitFor([this] { return GridEditor() && GridEditor()->isVisible(); }));
    EXPECT_EQ(Channel(3).RxTone, 12);
    Pages::RegisterForms(); // this radio's information, as printed, names the radio read
    PrintRecord record;
    RecordingPrinter printer(record);
    ModPrint::SetPrinter(&printer);
    ModPrint::Prt_Local();
    ModPrint::SetPrinter(nullptr);
    EXPECT_EQ(record.TextsOn(1).count("KL740G"), 2); // and the page header
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    ClickCell(3, 1); // the user looks at the channel, changing nothing
    ASSERT_TRUE(WaitFor([this] { return GridEditor()->hasFocus(); }));

    messages.answers << IdOK << IdOK; // write it; done
    Item("mnuWriteToRadio")->trigger();
    const QString done = ModFunLang::GetLangText(9010);
    ASSERT_TRUE(WaitFor([&] { return messages.CountOf(done) == 1; }, 20000));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(TestSupport::WithoutRepeats(radio.CurrentCounters().writeAddresses).size(),
              std::size_t{kImageSize / 16});
    EXPECT_EQ(radio.Memory(0, kImageSize), held);
    EXPECT_EQ(Saved("read.dat").mid(6 + 60 + 4, 9), QByteArray("47000000\0", 9)); // 20: simplex
}

// ---- what the user typed ----

TEST_F(KeepDataTest, ATypedValueIsSavedWithoutEnterAndAfterATripThroughTheDetailEditor) {
    Start(1);
    TypeOver(GridEditor(), "440");
    EXPECT_TRUE(Saved("typed.dat").contains("44000000"));

    // the detail editor is open; a value typed in the grid stays the grid's
    // while the user works there and comes back
    QTest::mouseClick(Grid()->findChild<QPushButton*>("CommandCHInfoEdit"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return Detail() && Detail()->isVisible(); }));
    ClickCell(1, 1);
    ASSERT_TRUE(WaitFor([this] { return GridEditor()->hasFocus(); }));
    TypeOver(GridEditor(), "441");
    auto* detailTx = Detail()->findChild<QLineEdit*>("Text2");
    QTest::mouseClick(detailTx, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([detailTx] { return detailTx->hasFocus(); }));
    EXPECT_EQ(Detail()->findChild<QLineEdit*>("Text1")->text(), "441.00000");
    ClickCell(2, 1);
    const QByteArray file = Saved("trip.dat");
    EXPECT_TRUE(file.contains("44100000"));
    EXPECT_FALSE(file.contains("44000000"));
    EXPECT_EQ(ModShowFreFun::FindChannelIndex(2), -1);
}

// ---- showing never rewrites ----

TEST_F(KeepDataTest, BusyLockoutThreeSurvivesViewingMovingAndABatchApply) {
    Start(1);
    ModShowFreFun::SetChannelCell(0, 2, 1, "436.00000");
    QTest::mouseClick(Grid()->findChild<QPushButton*>("CommandCHInfoEdit"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return Detail() && Detail()->isVisible(); }));

    // the batch page sets busy lockout 3 on every channel while the detail
    // editor shows channel 1
    std::unique_ptr<QWidget> batch(Platform::Forms::Create("FrmCHBatch"));
    ASSERT_NE(batch, nullptr);
    batch->show();
    auto button = [&](const char* name) { return batch->findChild<QPushButton*>(name); };
    QTest::mouseClick(button("CommandFun"), Qt::LeftButton);
    QTest::mouseClick(button("CommandSelNone"), Qt::LeftButton);
    Indexed<QCheckBox>(batch.get(), "Check2", 10)->click(); // busy lockout
    QTest::mouseClick(button("CommandFun"), Qt::LeftButton);
    Indexed<QComboBox>(batch.get(), "Combo1", 6)->setCurrentIndex(3);
    QTest::mouseClick(button("CommandApply"), Qt::LeftButton);
    batch.reset();
    EXPECT_EQ(Channel(1).BusyLock, 3);
    EXPECT_EQ(Channel(2).BusyLock, 3);
    const QByteArray applied = Saved("applied.dat");
    QComboBox* busyList = Indexed<QComboBox>(Detail(), "Combo2", 6);
    EXPECT_EQ(busyList->currentIndex(), -1);

    // viewing: the editor's position list, the grid's cells
    auto* position = Detail()->findChild<QComboBox*>("Combo1");
    position->setCurrentIndex(1);
    position->setCurrentIndex(0);
    ClickCell(2, 6);
    ClickCell(1, 1);
    // moving with the editor open: down and up again
    Table()->setCurrentCell(0, 1); // position 1
    Item("MnuCHMoveDown")->trigger();
    main->TimerCHEdit_Timer();
    EXPECT_EQ(Channel(2).BusyLock, 3);
    Table()->setCurrentCell(1, 1); // position 2
    Item("MnuCHMoveUp")->trigger();
    main->TimerCHEdit_Timer();
    EXPECT_EQ(Channel(1).BusyLock, 3);
    EXPECT_EQ(Saved("shown.dat"), applied);
    EXPECT_EQ(busyList->currentIndex(), -1);

    // the user's own choice is written
    busyList->setCurrentIndex(1);
    EXPECT_EQ(Channel(1).BusyLock, 1);
}

// ---- every showing, printing, cancelling and failing command ----

// Where a check starts: a new configuration, a saved file made from a
// configuration of varied values that a radio gave, or a file holding values
// no page offers.
enum class Origin { New, Varied, OutOfRange };
enum class Step {
    EachPageOpenedAndClosed,
    AllPagesThenCloseAll,
    LanguageTwice,
    LockOnAndOff,
    PrintTable,
    PrintDetails,
    PrintWithPagesOpen,
    ReadCancelled,
    FailedRead,
    RadioInformation,
    ModelCancelled,
    PortCancelled,
    TestDataCancelled,
    WrittenAndReadBack,
    WheelOverLists,
};

// The feature and channel pages the tree and the menus open as child windows.
const char* const kPageItems[] = {"mnuChannelInfo", "mnuOptFeature", "MnuRadioFre",
                                  "MnuDTMF",        "MnuTestFre",    "mnuEmbeddedMsg",
                                  "MnuKey",         "MnuScan",       "MnuAlert"};
const char* const kTreeKeys[] = {"N1", "N2", "N3", "N4", "N5", "N6", "N8", "N9", "N10"};

// The program with its pages, the print dialog on a recording printer and the
// dialogs of the main window's commands.
class CommandTest : public KeepDataTest {
protected:
    void SetUp() override {
        KeepDataTest::SetUp();
        Pages::RegisterForms();
        Print::RegisterForms();
        LinkForms::RegisterForms();
        ShellForms::RegisterForms();
        Print::SetPrinterMaker([this](QPrinter&) -> std::unique_ptr<Platform::Printer> {
            return std::make_unique<RecordingPrinter>(record);
        });
        gFactory = 1; // the test-data page is in the tree
        gTestDataOn = true;
    }
    void TearDown() override {
        Print::SetPrinterMaker(nullptr);
        KeepDataTest::TearDown();
    }

    // Answers the modal window of this name once it opens.
    void OnModal(const char* name, std::function<void(QWidget*)> answer) {
        auto* poll = new QTimer(main);
        poll->setInterval(5);
        const QString wanted = QLatin1String(name);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, wanted, answer] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog->objectName() != wanted) return;
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        });
        poll->start();
    }
    static void Click(QWidget* dialog, const char* button) {
        auto* b = dialog->findChild<QPushButton*>(QLatin1String(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }
    void Print(bool details) {
        bool answered = false;
        OnModal("FrmPrintList", [&answered, details](QWidget* dialog) {
            answered = true;
            Click(dialog, "CommandSelAll");
            dialog->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(details);
            Click(dialog, "CommandOK");
        });
        Item("mnuFilePrint")->trigger();
        EXPECT_TRUE(answered);
        EXPECT_TRUE(record.ended);
    }
    void Cancel(const char* item, const char* dialogName) {
        bool answered = false;
        OnModal(dialogName, [&answered](QWidget* dialog) {
            answered = true;
            Click(dialog, "CommandCancel");
        });
        Item(item)->trigger();
        EXPECT_TRUE(WaitFor([&answered] { return answered; })) << dialogName;
        WaitFor([] { return QApplication::activeModalWidget() == nullptr; });
    }
    void OpenAllPages() {
        for (const char* item : kPageItems)
            Item(item)->trigger();
        QApplication::processEvents();
    }
    static QWidget* Page(const char* name) {
        return qobject_cast<QWidget*>(Platform::Forms::Find(QLatin1String(name)));
    }
    // Closes a page as the user does, by its window's close box.
    static void ClosePage(QWidget* page) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(page->parentWidget()))
            sub->close();
        else
            page->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The Lock or Factory switch, with the access code.
    void Switch(void (frmMain::*set)(int), int value) {
        OnModal("FrmPassWord", [](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))
                ->setText(QLatin1String(ModSwitches::kAccessCode));
            Click(dialog, "CommandOK");
        });
        (main->*set)(value);
    }

    void Wheel(QWidget* over, int up) { // a notch up (120) or down (-120) as the system sends it
        QWheelEvent e(over->mapTo(main, over->rect().center()), {}, {}, {0, up}, {}, {}, {}, false);
        QSpontaneKeyEvent::setSpontaneous(&e);
        QApplication::instance()->notify(main->windowHandle(), &e);
    }

    // The offsets at which two saved files differ.
    static QList<int> Differences(const QByteArray& a, const QByteArray& b) {
        QList<int> at;
        for (int i = 0; i < std::max(a.size(), b.size()); ++i)
            if (i >= a.size() || i >= b.size() || a[i] != b[i]) at << i;
        return at;
    }
    // A radio holding a random configuration that the codec carries; the
    // program reads it and the user saves it and opens the file again.
    void StartVaried(int language) {
        std::mt19937 rng(20261209);
        ImageTest::RandomConfiguration(rng);
        ModComm::ClearImage();
        ModCommFun::EncodeImage();
        gImage[0xB0C] = 0;
        radio.SetMemory(0, QByteArray(reinterpret_cast<const char*>(gImage.data()), kImageSize));
        SimRadio::Setup setup = radio.CurrentSetup();
        setup.model = gModelName.toLatin1();
        setup.band = static_cast<quint8>(ModFreFile::BandTextToCode(gBandText));
        radio.Configure(setup);
        Start(language);
        messages.answers << IdOK << IdOK; // read it; done
        Item("mnuReadFromRadio")->trigger();
        ASSERT_TRUE(WaitIdle());
        ASSERT_TRUE(WaitFor([this] { return GridEditor() && GridEditor()->isVisible(); }));
        const QString path = files.path() + "/varied.dat";
        dialogs.saveAnswers << path;
        ASSERT_TRUE(main->FileSaveAs());
        dialogs.openAnswers << path;
        Item("mnuFileOpen")->trigger();
        ASSERT_TRUE(WaitFor([this] { return GridEditor() && GridEditor()->isVisible(); }));
        messages.shown.clear();
    }
    // A file whose channel 1 has transmit power 3, scan skip 2, PTT ID 7 and
    // busy lockout 5, channel 2 busy lockout 3, VOX the -1 of older files and
    // a message line with a tab: opened, it holds what the pages show.
    void StartOutOfRange(int language) {
        Start(language);
        gEditData.Channels[1] = gEditData.Channels[0];
        gEditData.Channels[1].Number = 2;
        gEditData.ChannelCount = 2;
        TChannel& ch = gEditData.Channels[0];
        ch.TxPower = 3;
        ch.ScanSkip = 2;
        ch.PttId = 7;
        ch.BusyLock = 5;
        gEditData.Channels[1].BusyLock = 3;
        gEditData.Settings.OptFeatures[5] = -1;
        gEditData.Settings.OptFeatures[12] = 247; // a time-out timer between the list and the byte
        gEditData.Settings.EmbMsg[0].AssignBytes("A\tB");
        TDtmf& dtmf = gEditData.Settings.Dtmf; // and DTMF texts with what no radio holds
        dtmf.Id.AssignWithNul("1G3");
        dtmf.Codes[0].Digits.AssignWithNul("7E?");
        dtmf.Codes[0].Len = dtmf.IdLen = 3;
        const QString path = files.path() + "/range.dat";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(DatLayout::Pack(gEditData));
        file.close();
        ModFreFile::SyncFileFromEdit(); // nothing to save before the open
        dialogs.openAnswers << path;
        Item("mnuFileOpen")->trigger();
        ASSERT_TRUE(WaitFor([this] { return GridEditor() && GridEditor()->isVisible(); }));
        EXPECT_EQ(Table()->item(0, 6)->text(), ModFunLang::GetLangText(14016)); // High
        EXPECT_EQ(Table()->item(0, 7)->text(), ModFunLang::GetLangText(14017)); // No
        EXPECT_EQ(std::tuple(Channel(1).TxPower, Channel(1).ScanSkip, Channel(1).PttId,
                             Channel(1).BusyLock, Channel(2).BusyLock),
                  std::tuple(2, 0, 0, 0, 3));
        EXPECT_EQ(gEditData.Settings.OptFeatures[5], 1);
        EXPECT_EQ(gEditData.Settings.OptFeatures[12], 240); // the list's end
        EXPECT_EQ(TrimNull(gEditData.Settings.EmbMsg[0].Text()), "AB");
        EXPECT_EQ(TrimNull(dtmf.Id.Text()) + TrimNull(dtmf.Codes[0].Digits.Text()), "1037*0");
        EXPECT_FALSE(ModShowFreFun::IsDataModified());
        messages.shown.clear();
    }

    void Run(Step step) {
        switch (step) {
        case Step::EachPageOpenedAndClosed:
            for (const char* key : kTreeKeys) {
                main->TreeView1_NodeClick(QLatin1String(key));
                QApplication::processEvents();
                for (QObject* form : Platform::Forms::Loaded())
                    if (form != main && form->objectName() != QLatin1String("frmCommChInfo"))
                        ClosePage(qobject_cast<QWidget*>(form));
            }
            break;
        case Step::AllPagesThenCloseAll:
            OpenAllPages();
            Item("mnuCloseAll")->trigger();
            break;
        case Step::LanguageTwice:
            OpenAllPages();
            for (int i = 0; i < 2; ++i) {
                ASSERT_TRUE(ModSetLanguage::ApplyLanguage(gCurrentLanguage == 1 ? 2 : 1));
                main->MDIForm_Activate();
            }
            break;
        case Step::LockOnAndOff:
            Switch(&frmMain::SetLockMode, 1);
            OpenAllPages();
            Switch(&frmMain::SetLockMode, 0);
            ASSERT_EQ(gLock, 0);
            OpenAllPages();
            break;
        case Step::PrintTable:
        case Step::PrintDetails:
            Item("mnuCloseAll")->trigger();
            Print(step == Step::PrintDetails);
            break;
        case Step::PrintWithPagesOpen: // printing closes the pages it prints
            OpenAllPages();
            Print(false);
            Print(true);
            break;
        case Step::ReadCancelled:
            OpenAllPages();
            messages.answers << IdCancel;
            Item("mnuReadFromRadio")->trigger();
            break;
        case Step::FailedRead: {
            SimRadio::Setup setup = radio.CurrentSetup();
            setup.corruptAddress = 0x100;
            setup.corruptCount = 1000;
            radio.Configure(setup);
            messages.answers << IdOK << IdCancel;
            Item("mnuReadFromRadio")->trigger();
            ASSERT_TRUE(WaitIdle());
            break;
        }
        case Step::RadioInformation:
            // the information read asks nothing; a reply that comes late on a
            // busy machine is asked for again
            messages.defaultAnswer = IdRetry;
            Item("MnuLocalInfo")->trigger();
            ASSERT_TRUE(WaitIdle());
            ASSERT_TRUE(WaitFor([] { return Page("FrmRadioInfo") != nullptr; }));
            ClosePage(Page("FrmRadioInfo"));
            break;
        case Step::ModelCancelled:
            Cancel("mnuModelInfo", "FrmModelInfo");
            break;
        case Step::PortCancelled:
            Cancel("mnuComm", "FrmSetComm");
            break;
        case Step::TestDataCancelled:
            Cancel("mnuTestData", "FrmTestData");
            break;
        case Step::WrittenAndReadBack: {
            gTestDataOn = false;              // a write marks the test block it sends
            messages.answers << IdOK << IdOK; // write it; done
            Item("mnuWriteToRadio")->trigger();
            const QString done = ModFunLang::GetLangText(9010);
            ASSERT_TRUE(WaitFor([&] { return messages.CountOf(done) == 1; }, 20000));
            ASSERT_TRUE(WaitIdle());
            EXPECT_EQ(radio.Memory(0x834, 1)[0], char(gEditData.Settings.OptFeatures[12])); // timer
            messages.answers << IdOK << IdOK; // read it back; done
            Item("mnuReadFromRadio")->trigger();
            ASSERT_TRUE(WaitIdle());
            ASSERT_EQ(messages.CountOf(ModFunLang::GetLangText(9009)), 1);
            ASSERT_TRUE(WaitFor([this] { return GridEditor() && GridEditor()->isVisible(); }));
            EXPECT_TRUE(main->windowTitle().endsWith("new.dat]")); // no longer the file saved
            OpenAllPages();
            break;
        }
        case Step::WheelOverLists: { // a list takes the wheel once clicked into, and only then
            QApplication::setActiveWindow(main); // where the user works, also after a read
            Item("mnuChannelInfo")->trigger();
            ClickCell(1, 6); // channel 1's transmit power: the page gives its list the focus
            auto* power = Grid()->findChild<QComboBox*>("Combo2");
            QTest::mouseClick(power, Qt::LeftButton);
            power->hidePopup();
            const int was = Channel(1).TxPower, down = power->currentIndex() > 0 ? 120 : -120;
            Wheel(power, down);
            EXPECT_NE(Channel(1).TxPower, was);
            Wheel(power, -down);
            Item("mnuOptFeature")->trigger();
            Wheel(QApplication::focusWidget(), -120); // the list the page gave the focus
            QComboBox* volume = Indexed<QComboBox>(Page("FrmOptFeatures"), "Combo1", 11);
            main->resize(main->width(), 380); // the page no longer fits, the wheel scrolls it
            const int top = volume->mapTo(main, QPoint()).y();
            Wheel(volume, -120);
            EXPECT_LT(volume->mapTo(main, QPoint()).y(), top);
            QTest::mouseClick(volume, Qt::LeftButton);
            volume->hidePopup();
            const int up = volume->currentIndex() > 0 ? 120 : -120;
            Wheel(volume, up);
            EXPECT_TRUE(ModShowFreFun::IsDataModified());
            Wheel(volume, -up); // and back
            break;
        }
        }
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    PrintRecord record;
    FakePrintDialogs printDialogs;
};

class EveryCommandTest : public CommandTest,
                         public ::testing::WithParamInterface<std::tuple<Origin, Step, int>> {};

TEST_P(EveryCommandTest, ChangesNoByteAndExitAsksNothing) {
    const auto [start, step, language] = GetParam();
    if (start == Origin::New)
        Start(language);
    else if (start == Origin::Varied)
        StartVaried(language);
    else
        StartOutOfRange(language);
    if (HasFatalFailure()) return;
    // a radio's values outside a page's lists are stored as the lists' first
    // items when the pages are first shown; a new configuration holds none
    if (start != Origin::New) {
        OpenAllPages();
        Item("mnuCloseAll")->trigger();
    }
    const QByteArray before = Saved("before.dat");
    ASSERT_FALSE(before.isEmpty());
    Run(step);
    EXPECT_FALSE(ModShowFreFun::IsDataModified());
    EXPECT_EQ(Differences(Saved("after.dat"), before), QList<int>());
    messages.answers.clear();
    messages.shown.clear();
    EXPECT_TRUE(main->close());
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9006)), 0);
}

const auto kSteps = ::testing::Values(
    Step::EachPageOpenedAndClosed, Step::AllPagesThenCloseAll, Step::LanguageTwice,
    Step::LockOnAndOff, Step::PrintTable, Step::PrintDetails, Step::PrintWithPagesOpen,
    Step::ReadCancelled, Step::FailedRead, Step::RadioInformation, Step::ModelCancelled,
    Step::PortCancelled, Step::TestDataCancelled, Step::WrittenAndReadBack, Step::WheelOverLists);
std::string StepName(const ::testing::TestParamInfo<EveryCommandTest::ParamType>& info) {
    static const char* const kNames[] = {"EachPageOpenedAndClosed",
                                         "AllPagesThenCloseAll",
                                         "LanguageTwice",
                                         "LockOnAndOff",
                                         "PrintTable",
                                         "PrintDetails",
                                         "PrintWithPagesOpen",
                                         "ReadCancelled",
                                         "FailedRead",
                                         "RadioInformation",
                                         "ModelCancelled",
                                         "PortCancelled",
                                         "TestDataCancelled",
                                         "WrittenAndReadBack",
                                         "WheelOverLists"};
    return std::string(kNames[static_cast<int>(std::get<1>(info.param))]) +
           LanguageName(std::get<2>(info.param));
}

INSTANTIATE_TEST_SUITE_P(New, EveryCommandTest,
                         ::testing::Combine(::testing::Values(Origin::New), kSteps,
                                            ::testing::Values(1, 2)),
                         StepName);
INSTANTIATE_TEST_SUITE_P(Varied, EveryCommandTest,
                         ::testing::Combine(::testing::Values(Origin::Varied), kSteps,
                                            ::testing::Values(1)),
                         StepName);
INSTANTIATE_TEST_SUITE_P(OutOfRange, EveryCommandTest,
                         ::testing::Combine(::testing::Values(Origin::OutOfRange),
                                            ::testing::Values(Step::WrittenAndReadBack),
                                            ::testing::Values(1)),
                         StepName);

// A factory workplace started with Factory off: a radio's calibration is
// replaced only by a test block the configuration holds, never by the ".ted"
// of a file saved over, nor by a block shown and not given; one loaded in the
// test-data dialog, zeros too, is the configuration's and is saved.
TEST_F(CommandTest, TheRadiosCalibrationIsReplacedOnlyByATestBlockOfTheConfiguration) {
    const QByteArray calibration = QByteArray::fromHex("c0c1c2c3c4c5c6c7c8c9cacbcccdcea5");
    const QByteArray other = QByteArray::fromHex("b0b1b2b3b4b5b6b7b8b9babbbcbdbea5");
    const QByteArray zeros = QByteArray(15, 0) + char(0xA5);
    radio.SetMemory(ModComm::kTestBlockAddr, calibration);
    gFactory = 0;
    Start(1);
    ModComm::ClearImage(); // the radio holds the new configuration
    ModCommFun::EncodeImage();
    radio.SetMemory(0, QByteArray(reinterpret_cast<const char*>(gImage.data()), kImageSize));
    const QString dat = program.ProgramDir() + "/b.dat";
    const auto saveAs = [&] { dialogs.saveAnswers << dat, Item("mnuFileSaveAs")->trigger(); };
    saveAs(); // an earlier radio's b.dat and b.ted
    program.WriteFile("b.ted", other);
    program.WriteFile("zeros.ted", QByteArray(16, 0));
    const auto read = [&] {
        messages.answers << IdOK << IdOK; // read it; done
        Item("mnuReadFromRadio")->trigger();
        ASSERT_TRUE(WaitIdle() && WaitFor([] { return gDataFileName == "new.dat"; }));
    };
    const auto write = [&](const QByteArray& held, bool leftAsItWas) {
        messages.answers << IdOK << IdOK; // write it; done
        Item("mnuWriteToRadio")->trigger();
        const QString done = ModFunLang::GetLangText(9010) +
                             (leftAsItWas ? "\n\n" + ModFunLang::GetLangText(9083) : QString());
        EXPECT_TRUE(WaitFor([&] { return messages.CountOf(done) == 1; }, 20000) && WaitIdle());
        messages.shown.clear();
        EXPECT_EQ(radio.Memory(ModComm::kTestBlockAddr, 16), held);
    };
    const auto testData = [&](bool load) { // OK, after a Load or without one
        if (load) dialogs.openAnswers << program.ProgramDir() + "/zeros.ted";
        OnModal("FrmTestData", [load](QWidget* dialog) {
            if (load) Click(dialog, "Command1");
            Click(dialog, "CommandOK");
        });
        Item("mnuTestData")->trigger();
    };
    read();
    saveAs(); // over b.dat: its ".ted" goes aside with it
    EXPECT_EQ(program.ReadFile("b (replaced).ted"), other);
    Switch(&frmMain::SetFactoryMode, 1);
    testData(false);
    write(calibration, true);
    dialogs.openAnswers << dat;
    Item("mnuFileOpen")->trigger();
    write(calibration, true);

    testData(true);
    messages.answers << IdNo; // save before Factory goes off? no: the block is dropped
    Switch(&frmMain::SetFactoryMode, 0);
    Switch(&frmMain::SetFactoryMode, 1);
    write(calibration, true);
    testData(true);
    messages.answers << IdCancel; // save before Factory goes off? it stays on
    Switch(&frmMain::SetFactoryMode, 0);
    EXPECT_TRUE(gTestDataOn && messages.CountOf(ModFunLang::GetLangText(9084)) == 1);
    saveAs();
    EXPECT_EQ(program.ReadFile("b.ted"), QByteArray(16, 0));
    write(zeros, false);
    read(); // a factory read changes nothing, and is asked for as not saved
    EXPECT_FALSE(ModShowFreFun::IsDataModified());
    messages.answers << IdCancel;
    Switch(&frmMain::SetFactoryMode, 0);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9088)), 1);
}

// ---- a typed value reaches the file and the radio ----

// Where the user types, and what the user does then instead of Enter or Tab.
enum class Box { Grid, GridTx, GridBesideDetail, Detail, DtmfId, Preset, TestFrequency };
enum class Then {
    Nothing,
    Print,
    WindowMenu,
    GridChangesTheChannel,
    BatchChangesTheChannel,
    BatchDefault, // the transmit item alone: simplex, +10 MHz or from 450 MHz
    BatchOffset,
    BatchStart,
    Enter,
    ClickAnotherCell,
    GridCellEnter, // the grid's cell of the channel clicked, Enter without typing
    OtherByWindowMenu,
    OtherByCtrlTab,
    DetailBusy,
};
struct Typed {
    const char* name;
    Box box;
    const char* held; // channel 1's frequency code before, when not the default
    const char* keys;
    Then then;
    bool write; // written to the radio before the file is saved
    const char* stored;
    int warnings = 0;         // band warnings (9021) shown
    const char* tx = nullptr; // channel 1's transmit frequency in the file
    bool offsetMode = false;  // the transmit column shows and takes the offset
};

class TypedTest : public CommandTest, public ::testing::WithParamInterface<Typed> {
protected:
    // Clicks into the box as the user does and gives it back with the focus.
    QLineEdit* Into(Box box) {
        auto cell = [](QWidget* page, int row, int col) {
            auto* grid = page->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(grid->model()->index(row, col)).center());
            return page->findChild<QLineEdit*>(QStringLiteral("Text1"));
        };
        QLineEdit* text = nullptr;
        switch (box) {
        case Box::GridBesideDetail:
            QTest::mouseClick(Grid()->findChild<QPushButton*>("CommandCHInfoEdit"), Qt::LeftButton);
            if (!WaitFor([this] { return Detail() != nullptr; })) return nullptr;
            [[fallthrough]];
        case Box::GridTx:
        case Box::Grid: // the receive (transmit) editor opened anew on channel 1
            ClickCell(2, 1);
            ClickCell(1, box == Box::GridTx ? 2 : 1);
            text = GridEditor();
            break;
        case Box::Detail:
            QTest::mouseClick(Grid()->findChild<QPushButton*>("CommandCHInfoEdit"), Qt::LeftButton);
            text = WaitFor([this] { return Detail() != nullptr; })
                       ? Detail()->findChild<QLineEdit*>("Text1")
                       : nullptr;
            break;
        case Box::DtmfId:
            main->TreeView1_NodeClick("N4");
            Page("FrmDTMF")->findChild<QTabWidget*>("SSTab1")->setCurrentIndex(1);
            text = Page("FrmDTMF")->findChild<QLineEdit*>("Text3");
            break;
        case Box::Preset:
            main->TreeView1_NodeClick("N3");
            text = cell(Page("FrmRadio"), 1, 1);
            break;
        case Box::TestFrequency:
            main->TreeView1_NodeClick("N5");
            text = cell(Page("FrmTestFre"), 2, 1);
            break;
        }
        if (!text) return nullptr;
        QTest::mouseClick(text, Qt::LeftButton);
        return WaitFor([text] { return text->hasFocus(); }) ? text : nullptr;
    }
    // Goes to the other child window by the Window menu or by Ctrl+Tab.
    void OtherWindow(bool byMenu) {
        if (!byMenu)
            return QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        auto* menu = main->findChild<QMenu*>("mnuWindow");
        emit menu->aboutToShow();
        for (QAction* item : menu->actions())
            if (item->property("windowList").toBool() && !item->isChecked()) item->trigger();
    }
};

TEST_P(TypedTest, IsInTheFileAndTheRadioWithoutEnter) {
    const Typed& row = GetParam();
    gHabits.TxAsOffset = row.offsetMode;
    Start(1);
    if (row.held) { // a frequency outside the band, as a file of another radio holds it
        gEditData.Channels[0].RxFreq.Assign(row.held);
        Views::Open<Views::ChannelGrid>()->reShowAllGrid();
    }
    const QByteArray before = Saved("before.dat");
    QLineEdit* box = Into(row.box);
    ASSERT_NE(box, nullptr);
    TypeOver(box, row.keys);
    switch (row.then) {
    case Then::Nothing:
        break;
    case Then::Print:
        Print(false);
        EXPECT_NE(record.Find(ModShowFreFun::FreqCodeToText(row.stored)), nullptr);
        break;
    case Then::WindowMenu: // Window > the grid page, the window not active
        OtherWindow(true);
        break;
    case Then::OtherByWindowMenu: // 455 typed in the detail editor, back the same way, Enter or Tab
    case Then::OtherByCtrlTab: {
        const bool menu = row.then == Then::OtherByWindowMenu;
        OtherWindow(menu);
        QLineEdit* other = Detail()->findChild<QLineEdit*>("Text1");
        ASSERT_FALSE(box->hasFocus());
        QTest::mouseClick(other, Qt::LeftButton);
        TypeOver(other, "455");
        OtherWindow(menu);
        ASSERT_TRUE(Grid()->isAncestorOf(QApplication::focusWidget()));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, menu ? Qt::Key_Return : Qt::Key_Tab);
        break;
    }
    case Then::GridChangesTheChannel: // a tone chosen in the grid's row
        ClickCell(1, 4);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_EQ(Channel(1).RxTone, 1);
        break;
    case Then::BatchChangesTheChannel: // the power of every channel
        OnModal("FrmCHBatch", [](QWidget* batch) {
            Click(batch, "CommandFun");
            Click(batch, "CommandSelNone");
            Indexed<QCheckBox>(batch, "Check2", 6)->click();
            Click(batch, "CommandApply");
            Click(batch, "CommandClose");
        });
        Item("MnuCHBatch")->trigger();
        EXPECT_EQ(Channel(1).TxPower, 0);
        break;
    case Then::BatchDefault:
    case Then::BatchOffset:
    case Then::BatchStart:
        OnModal("FrmCHBatch", [mode = int(row.then) - int(Then::BatchDefault)](QWidget* batch) {
            Click(batch, "CommandFun");
            Click(batch, "CommandSelNone");
            Indexed<QCheckBox>(batch, "Check2", 1)->click();
            Click(batch, "CommandFun");
            Indexed<QAbstractButton>(batch, "Option3", mode)->click();
            Indexed<QLineEdit>(batch, "Text2", 2)->setText("10");
            Indexed<QLineEdit>(batch, "Text2", 3)->setText("450");
            Click(batch, "CommandApply");
            Click(batch, "CommandClose");
        });
        Item("MnuCHBatch")->trigger();
        break;
    case Then::DetailBusy: // another field of the row, chosen in the detail editor
        Indexed<QComboBox>(Detail(), "Combo2", 6)->setCurrentIndex(1);
        break;
    case Then::Enter:
        QTest::keyClick(box, Qt::Key_Return);
        break;
    case Then::ClickAnotherCell:
        ClickCell(2, 1);
        break;
    case Then::GridCellEnter: { // on whatever lies over the cell: its open editor
        const QRect cell = Table()->visualRect(Table()->model()->index(0, 1));
        const QPoint at = Table()->viewport()->mapTo(Grid(), cell.center());
        QWidget* over = Grid()->childAt(at);
        QTest::mouseClick(over, Qt::LeftButton, {}, over->mapFrom(Grid(), at));
        QTest::keyClick(GridEditor(), Qt::Key_Return);
        break;
    }
    }
    QApplication::processEvents();
    if (row.write) {
        messages.answers << IdOK << IdOK; // write it; done
        Item("mnuWriteToRadio")->trigger();
        ASSERT_TRUE(
            WaitFor([&] { return messages.CountOf(ModFunLang::GetLangText(9010)); }, 20000));
        ASSERT_TRUE(WaitIdle());
    }
    const QByteArray after = Saved("after.dat");
    EXPECT_TRUE(after.contains(row.stored));
    if (row.write) { // the radio holds what the file holds
        ModComm::ClearImage();
        ModCommFun::EncodeImage();
        gImage[0xB0C] = 0; // the flags byte as the radio reports it
        EXPECT_EQ(Differences(radio.Memory(0, kImageSize),
                              QByteArray(reinterpret_cast<const char*>(gImage.data()), kImageSize)),
                  QList<int>());
    }
    if (row.held && row.warnings == 0) {
        EXPECT_EQ(after, before); // only retyped: not a byte changes
    }
    if (row.tx) {
        TRadioData saved;
        ASSERT_TRUE(DatLayout::Unpack(after, saved));
        const TChannel& ch = saved.Channels[0];
        EXPECT_EQ(ch.Number, 1);
        EXPECT_EQ(
            ModShowFreFun::TxFreqText(ch.RxFreq.Text(), ch.Offset.Text(), ch.OffsetDir, false),
            row.tx);
    }
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), row.warnings);
}

const Typed kTyped[] = {
    {"GridThenPrint", Box::Grid, nullptr, "441.5", Then::Print, false, "44150000"},
    {"GridRetypedOutOfBand", Box::Grid, "50000000", "500.00000", Then::Nothing, false, "50000000"},
    {"GridRetypedOutOfBandShort", Box::Grid, "50000000", "500", Then::Nothing, false, "50000000"},
    {"GridEnterOutOfBand", Box::Grid, "50000000", "500", Then::Enter, false, "48000000", 1,
     "480.00000"},
    {"GridClickAnotherCellOutOfBand", Box::Grid, "50000000", "500", Then::ClickAnotherCell, false,
     "48000000", 1, "480.00000"},
    {"GridTxOutOfBandRxOffRaster", Box::GridTx, "39500000", "450.0031", Then::Enter, true,
     "40000000", 1, "450.00000"},
    {"BatchDefaultOutOfBandRx", Box::GridTx, "39500000", "395.00000", Then::BatchDefault, false,
     "40000000", 1, "400.00000"},
    {"BatchOffsetOutOfBandRx", Box::GridTx, "39500000", "395.00000", Then::BatchOffset, false,
     "40000000", 1, "410.00000"},
    {"BatchStartOutOfBandRx", Box::GridTx, "39500000", "395.00000", Then::BatchStart, true,
     "40000000", 1, "450.00000"},
    {"OffsetNoSign", Box::GridTx, nullptr, "5", Then::Enter, true, "0500000", 0, "445.00000", true},
    {"GridOffRasterStaysSimplex", Box::Grid, "44000000", "440.0031", Then::Enter, false, "44000000",
     0, "440.00000"},
    {"StaleCellEditor", Box::Detail, nullptr, "406", Then::GridCellEnter, false, "40600000"},
    {"GridRetypedThenDetailByMenu", Box::GridBesideDetail, nullptr, "440", Then::OtherByWindowMenu,
     false, "45500000"},
    {"GridRetypedThenDetailByCtrlTab", Box::GridBesideDetail, nullptr, "440", Then::OtherByCtrlTab,
     true, "45500000"},
    {"GridKeptByBusy", Box::GridBesideDetail, nullptr, "441", Then::DetailBusy, false, "44100000"},
    {"DetailThenWindowMenu", Box::Detail, nullptr, "441.5", Then::WindowMenu, false, "44150000"},
    {"DetailThenWindowMenuWrite", Box::Detail, nullptr, "441.5", Then::WindowMenu, true,
     "44150000"},
    {"DetailThenGridChangesIt", Box::Detail, nullptr, "441.5", Then::GridChangesTheChannel, false,
     "44150000"},
    {"DetailThenBatchChangesIt", Box::Detail, nullptr, "441.5", Then::BatchChangesTheChannel, false,
     "44150000"},
    {"DetailRetypedOutOfBand", Box::Detail, "50000000", "500.00000", Then::WindowMenu, false,
     "50000000"},
    {"DetailRetypedOutOfBandShort", Box::Detail, "50000000", "500", Then::WindowMenu, false,
     "50000000"},
    {"DtmfId", Box::DtmfId, nullptr, "97531", Then::Nothing, false, "97531     "},
    {"Preset", Box::Preset, nullptr, "88.05", Then::Nothing, false, "08805000"},
    {"TestFrequencyWrite", Box::TestFrequency, nullptr, "436.2", Then::Nothing, true, "43620000"},
};
INSTANTIATE_TEST_SUITE_P(EachBox, TypedTest, ::testing::ValuesIn(kTyped),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
