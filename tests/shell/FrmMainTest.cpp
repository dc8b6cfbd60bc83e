#include "shell/frmMain.h"
#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "link/widgets/FrmSetComm.h"
#include "link/widgets/LinkForms.h"
#include "platform/Forms.h"
#include "platform/UserSettings.h"
#include "platform/serial/SerialPorts.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {

class MainWindowTest : public ShellTest {
protected:
    QAction* Item(const char* name) { return main->findChild<QAction*>(QLatin1String(name)); }
    QMenu* Menu(const char* name) { return main->findChild<QMenu*>(QLatin1String(name)); }
    QToolBar* Toolbar() { return main->findChild<QToolBar*>(QStringLiteral("tbToolBar")); }
    QTreeWidget* Tree() { return main->findChild<QTreeWidget*>(QStringLiteral("TreeView1")); }
    QLabel* Panel(int i) { return main->findChild<QLabel*>(QStringLiteral("Panel%1").arg(i)); }

    // Names of a menu's items in order, "-" for a separator.
    QStringList Items(const char* menu) {
        QStringList out;
        for (QAction* a : Menu(menu)->actions())
            if (!a->property("windowList").toBool())
                out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return out;
    }

    QStringList TreeKeys() {
        QStringList keys;
        QTreeWidgetItem* root = Tree()->topLevelItem(0);
        keys << root->data(0, Qt::UserRole).toString();
        for (int i = 0; i < root->childCount(); ++i)
            keys << root->child(i)->data(0, Qt::UserRole).toString();
        return keys;
    }
};

TEST_F(MainWindowTest, MenusStandInTheirOrderWithTheirSeparatorsAndShortcuts) {
    LoadMain();
    QStringList bar;
    for (QAction* a : main->menuBar()->actions())
        bar << a->objectName();
    EXPECT_EQ(bar, QStringList({"mnuFile", "mnuModel", "MnuCHEdit", "mnuEdit", "mnuProgram",
                                "mnuSet", "mnuView", "mnuWindow", "mnuHelp"}));
    EXPECT_EQ(Items("mnuFile"),
              QStringList({"mnuFileNew", "mnuFileOpen", "mnuFileEOpen", "mnuFileSave",
                           "mnuFileSaveAs", "-", "mnuFilePrint", "-", "mnuFileExit"}));
    EXPECT_EQ(Items("MnuCHEdit"),
              QStringList({"MnuCHCut", "MnuCHCopy", "MnuCHPaste", "MnuCHBar1", "MnuCHInsert",
                           "MnuCHDelete", "MnuCHMoveUp", "MnuCHMoveDown"})
                  .replaceInStrings(QStringLiteral("MnuCHBar1"), QStringLiteral("-")));
    EXPECT_EQ(Items("mnuEdit"),
              QStringList({"mnuChannelInfo", "-", "mnuOptFeature", "MnuRadioFre", "MnuDTMF",
                           "MnuKey", "MnuScan", "MnuAlert", "MnuTestFre", "mnuTestData", "-",
                           "mnuEmbeddedMsg", "MnuLocalInfo", "-", "MnuCHBatch"}));
    EXPECT_EQ(Items("mnuProgram"),
              QStringList({"mnuReadFromRadio", "mnuWriteToRadio", "MnuProPassWord"}));
    EXPECT_EQ(Items("mnuSet"),
              QStringList({"mnuComm", "mnuLanguage", "MnuInit", "-", "MnuCHHabits"}));
    EXPECT_EQ(Items("mnuView"),
              QStringList({"mnuTreeView", "-", "mnuViewToolbar", "mnuViewStatusBar"}));
    EXPECT_EQ(Items("mnuWindow"),
              QStringList({"mnuWindowCascade", "mnuWindowTileHorizontal", "mnuWindowTileVertical",
                           "mnuWindowArrangeIcons", "-", "mnuCloseAll", "-"}));
    EXPECT_EQ(Items("mnuHelp"), QStringList({"mnuHelpTopic", "-", "mnuHelpAbout"}));

    const QList<std::pair<const char*, QKeySequence>> keys = {
        {"mnuFileNew", QKeySequence("Ctrl+N")},      {"mnuFileOpen", QKeySequence("Ctrl+O")},
        {"MnuCHCut", QKeySequence("Ctrl+X")},        {"MnuCHCopy", QKeySequence("Ctrl+C")},
        {"MnuCHPaste", QKeySequence("Ctrl+V")},      {"MnuCHInsert", QKeySequence("Ctrl+I")},
        {"MnuCHDelete", QKeySequence("Del")},        {"MnuCHMoveUp", QKeySequence("Ctrl+U")},
        {"MnuCHMoveDown", QKeySequence("Ctrl+D")},   {"mnuReadFromRadio", QKeySequence("Ctrl+R")},
        {"mnuWriteToRadio", QKeySequence("Ctrl+W")}, {"MnuProPassWord", QKeySequence("Ctrl+P")},
        {"MnuCHHabits", QKeySequence("Ctrl+H")},     {"mnuFileSave", QKeySequence()}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(Item(name)->shortcut(), key) << name;
    for (const char* name : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"})
        EXPECT_TRUE(Item(name)->isChecked()) << name;
}

TEST_F(MainWindowTest, HiddenItemsAreDisabledSoTheirShortcutsCannotFire) {
    int ran = 0;
    frmMain::SetChannelEditRunner([&](int) { ++ran; });
    LoadMain();
    for (const char* name :
         {"MnuRadioFre", "MnuTestFre", "mnuTestData", "mnuFileEOpen", "mnuWindowTileHorizontal",
          "mnuWindowTileVertical", "mnuWindowArrangeIcons"}) {
        EXPECT_FALSE(Item(name)->isVisible()) << name;
        EXPECT_FALSE(Item(name)->isEnabled()) << name;
    }
    // The channel edit menu is hidden until the grid page shows it, and its
    // items (Ctrl+X, Ctrl+C, Del ...) are off with it.
    EXPECT_FALSE(Item("MnuCHEdit")->isVisible());
    EXPECT_FALSE(Item("MnuCHCut")->isEnabled());
    EXPECT_FALSE(Item("MnuCHDelete")->isEnabled());
    main->ShowCHInfo(true);
    EXPECT_TRUE(Item("MnuCHEdit")->isVisible());
    EXPECT_TRUE(Item("MnuCHCut")->isEnabled());
    EXPECT_TRUE(main->findChild<QToolBar*>("tbToolBar")->actions()[10]->isVisible());
    main->ShowCHInfo(false);
    EXPECT_FALSE(Item("MnuCHDelete")->isEnabled());
    EXPECT_FALSE(Toolbar()->actions()[10]->isVisible());
    EXPECT_EQ(ran, 0);

    // Lock keeps the channel commands away even when the grid asks for them.
    gLock = 1;
    main->ShowCHInfo(true);
    EXPECT_FALSE(Item("MnuCHEdit")->isVisible());
    EXPECT_FALSE(Item("MnuCHPaste")->isEnabled());
}

TEST_F(MainWindowTest, ChannelEditCommandsRunDeferredAfterTheGridCommitted) {
    QList<int> codes;
    frmMain::SetChannelEditRunner([&](int code) { codes << code; });
    LoadMain();
    main->ShowCHInfo(true);
    Item("MnuCHPaste")->trigger();
    EXPECT_EQ(FakeGridPage::validated, 1); // committed before the command is queued
    EXPECT_TRUE(codes.isEmpty());
    EXPECT_EQ(gCHEditCmd, 3);
    main->TimerCHEdit_Timer();
    main->tbToolBar_ButtonClick("BtnCHMoveDown");
    main->TimerCHEdit_Timer();
    EXPECT_EQ(codes, QList<int>({3, 7}));
}

// Read and Write reach the radio link from the menu and the toolbar: with a
// port that has no device, both end in the port message.
TEST_F(MainWindowTest, ReadAndWriteRunTheRadioCommands) {
    LoadMain();
    gComPort = 250;
    Item("mnuReadFromRadio")->trigger();
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(MessageText(0), ModFunLang::GetLangText(9003));
    main->tbToolBar_ButtonClick("WriteRadio");
    TestSupport::WaitFor([&] { return messages.Count() >= 2; });
    ASSERT_EQ(messages.Count(), 2);
    EXPECT_EQ(MessageText(1), ModFunLang::GetLangText(9003));
    EXPECT_EQ(gCommType, 0);
}

TEST_F(MainWindowTest, CommandsWithoutTheirWindowsAreOfferedDisabled) {
    LoadMain();
    for (const char* name :
         {"MnuLocalInfo", "mnuOptFeature", "mnuModelInfo", "mnuComm", "mnuLanguage", "mnuFilePrint",
          "MnuProPassWord", "MnuCHBatch", "MnuCHHabits"}) {
        EXPECT_NE(Item(name), nullptr) << name;
        EXPECT_FALSE(Item(name)->isEnabled()) << name;
    }
    for (QAction* a : Toolbar()->actions()) {
        if (QStringList({"CommSet", "Print"}).contains(a->objectName())) {
            EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
        }
    }
    for (const char* name :
         {"mnuReadFromRadio", "mnuWriteToRadio", "mnuFileNew", "mnuFileOpen", "mnuFileSave",
          "mnuFileSaveAs", "mnuChannelInfo", "MnuInit", "mnuHelpAbout", "mnuCloseAll"})
        EXPECT_TRUE(Item(name)->isEnabled()) << name;
}

TEST_F(MainWindowTest, ToolbarButtonsShowTheirPictures) {
    LoadMain();
    int pictures = 0;
    for (QAction* a : Toolbar()->actions()) {
        if (a->isSeparator()) continue;
        const bool text = a->objectName() == "btnFactory" || a->objectName() == "btnLock";
        EXPECT_EQ(a->icon().isNull(), text) << a->objectName().toStdString();
        if (!text) {
            EXPECT_EQ(a->icon().pixmap(24, 24).size(), QSize(24, 24));
            ++pictures;
        }
    }
    EXPECT_EQ(pictures, 15);
}

TEST_F(MainWindowTest, APageItemComesAliveWhenItsPageExists) {
    Platform::Forms::RegisterFactory("FrmKey", [] {
        auto* w = new QWidget;
        w->setObjectName("FrmKey");
        Platform::Forms::Register(w);
        return w;
    });
    LoadMain();
    EXPECT_TRUE(Item("MnuKey")->isEnabled());
    Item("MnuKey")->trigger();
    main->TreeView1_NodeClick("N8");
    EXPECT_EQ(LoadedCount("FrmKey"), 1);
    Platform::Forms::UnregisterFactory("FrmKey");
}

TEST_F(MainWindowTest, PortCommandChoosesThePortInItsDialog) {
    LinkForms::RegisterForms();
    Platform::SerialPorts::SetGivenPorts(QList<int>{2, 6});
    LoadMain();
    EXPECT_TRUE(Item("mnuComm")->isEnabled());
    for (QAction* a : Toolbar()->actions()) {
        if (a->objectName() == "CommSet") {
            EXPECT_TRUE(a->isEnabled());
        }
    }
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<FrmSetComm*>(QApplication::activeModalWidget())) {
            d->Option1[5]->click();
            d->CommandOK->click();
        }
    });
    main->tbToolBar_ButtonClick("CommSet");
    EXPECT_EQ(gComPort, 6);
    EXPECT_EQ(Panel(3)->text(), ModFunLang::GetLangText(12008) + "6"); // the port in use
    EXPECT_EQ(ModSettings::ReadSetupKey("comPort"), "6");
    EXPECT_EQ(LoadedCount("FrmSetComm"), 0);
    Platform::SerialPorts::SetGivenPorts(std::nullopt);
    for (const char* name : {"FrmSetComm", "FrmPassWord", "LoadFrmLink"})
        Platform::Forms::UnregisterFactory(QLatin1String(name));
}

TEST_F(MainWindowTest, ToolbarHasItsKeysTipsAndSeparators) {
    LoadMain();
    const QList<QAction*> buttons = Toolbar()->actions();
    ASSERT_EQ(buttons.size(), 23);
    const QStringList keys = {
        "NewFile",    "OpenFile", "SaveFile",    "-",           "Print",       "-",
        "ReadRadio",  "CommSet",  "WriteRadio",  "-",           "BtnCHCut",    "BtnCHCopy",
        "BtnCHPaste", "-",        "BtnCHInsert", "BtnCHDelete", "BtnCHMoveUp", "BtnCHMoveDown",
        "-",          "About",    "-",           "btnFactory",  "btnLock"};
    for (int i = 0; i < 23; ++i)
        EXPECT_EQ(buttons[i]->isSeparator() ? QStringLiteral("-") : buttons[i]->objectName(),
                  keys[i])
            << "button " << i + 1;
    EXPECT_EQ(buttons[0]->toolTip(), "New");
    EXPECT_EQ(buttons[19]->toolTip(), "About");
    EXPECT_EQ(buttons[17]->toolTip(), "Move channel down");
    EXPECT_EQ(buttons[21]->toolTip(), QStringLiteral("生产"));
    EXPECT_EQ(buttons[22]->toolTip(), QStringLiteral("冻结"));
    EXPECT_TRUE(buttons[21]->isCheckable());
    // outside test-data mode the factory tools are not offered
    EXPECT_FALSE(buttons[21]->isVisible());
    EXPECT_FALSE(buttons[22]->isVisible());
}

TEST_F(MainWindowTest, TreeHoldsItsKeysInOrder) {
    LoadMain();
    EXPECT_EQ(TreeKeys(), QStringList({"N0", "N1", "N2", "N4", "N8", "N9", "N10", "N6", "N7"}));
    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), "KL740");
    EXPECT_TRUE(Tree()->topLevelItem(0)->isExpanded());
    EXPECT_EQ(Tree()->topLevelItem(0)->child(0)->text(0), "Channel Information");
}

TEST_F(MainWindowTest, FactoryModeAddsTestDataBetweenAlertAndMessage) {
    gTestDataOn = true;
    gFactory = 1;
    gLock = 1;
    LoadMain();
    EXPECT_EQ(TreeKeys(),
              QStringList({"N0", "N1", "N2", "N4", "N8", "N9", "N10", "N11", "N6", "N7"}));
    EXPECT_TRUE(Item("mnuTestData")->isVisible());
    EXPECT_FALSE(Item("MnuCHBatch")->isVisible()); // Lock hides the batch command
    const QList<QAction*> buttons = Toolbar()->actions();
    EXPECT_TRUE(buttons[21]->isVisible());
    EXPECT_TRUE(buttons[21]->isChecked());
    EXPECT_TRUE(buttons[22]->isChecked());
}

TEST_F(MainWindowTest, TestDataMarkerWithoutFactorySwitchOffersNoTestData) {
    gTestDataOn = true;
    gFactory = 0;
    gLock = 1;
    LoadMain();
    EXPECT_FALSE(gTestDataOn);
    EXPECT_FALSE(TreeKeys().contains("N11"));
    EXPECT_FALSE(Item("mnuTestData")->isVisible());
    EXPECT_TRUE(Toolbar()->actions()[21]->isVisible());
    EXPECT_FALSE(Toolbar()->actions()[21]->isChecked());
    EXPECT_TRUE(Toolbar()->actions()[22]->isChecked());

    // without the marker both switches read as off
    delete main.data();
    gTestDataOn = false;
    gFactory = 1;
    gLock = 1;
    LoadMain();
    EXPECT_EQ(gFactory, 0);
    EXPECT_EQ(gLock, 0);
    EXPECT_TRUE(Item("MnuCHBatch")->isVisible());
}

TEST_F(MainWindowTest, EachPageOpensOnceAndComesToTheFront) {
    LoadMain();
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1); // the window opens the grid as it loads
    main->TreeView1_NodeClick("N1");
    Item("mnuChannelInfo")->trigger();
    main->TreeView1_NodeClick("N0");
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1);
    EXPECT_EQ(main->MdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(main->FindWindowByName("frmcommchinfo"));

    main->CloseCurAllWindows();
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 0);
    EXPECT_EQ(LoadedCount("frmMain"), 1);
    main->TreeView1_NodeClick("N1");
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1);
}

TEST_F(MainWindowTest, CaptionAndStatusComeFromTheLanguageFile) {
    UseFixtureTexts();
    gDataFileName = "/some/folder/radio.dat";
    LoadMain(); // a new configuration: "new.dat"
    EXPECT_EQ(main->windowTitle(), "TITLE[KL740:400 - 480 MHz][FILE:new.dat]");
    gDataFileName = "/some/folder/radio.dat";
    main->ShowMainTxt();
    EXPECT_EQ(main->windowTitle(), "TITLE[KL740:400 - 480 MHz][FILE:radio.dat]");
    EXPECT_EQ(Panel(3)->text(), "PORT3");
    EXPECT_EQ(Panel(2)->text(), "KL740[400 - 480 MHz]");
    EXPECT_FALSE(Panel(4)->text().isEmpty()); // date
    EXPECT_FALSE(Panel(5)->text().isEmpty()); // time
    EXPECT_EQ(main->DialogFilter(), "DATA FILES (*.dat)|*.dat");
    EXPECT_EQ(Tree()->topLevelItem(0)->child(0)->text(0), "CHANNELS");

    gModelName = "KL740G";
    main->ShowMainTxt();
    EXPECT_EQ(Tree()->topLevelItem(0)->text(0), "KL740G");
    EXPECT_EQ(main->findChild<QLabel*>("Label1")->text(), "KL740G");
}

TEST_F(MainWindowTest, EveryVisibleItemHasATextInBothLanguages) {
    for (int language : {1, 2}) {
        gCurrentLanguage = gPrevLanguage = static_cast<qint16>(language);
        ModFunLang::gLangFileName = language == 2 ? "chinese.ini" : "english.ini";
        LoadMain();
        for (QAction* a : main->findChildren<QAction*>()) {
            if (a->isSeparator() || !a->isVisible() || a->objectName().isEmpty()) continue;
            EXPECT_FALSE(a->text().isEmpty()) << a->objectName().toStdString() << " " << language;
        }
        for (QMenu* m : main->menuBar()->findChildren<QMenu*>())
            EXPECT_FALSE(m->title().isEmpty()) << m->objectName().toStdString();
        delete main.data();
    }
}

TEST_F(MainWindowTest, ALanguageChangeRefreshesOnceAtTheNextActivation) {
    LoadMain();
    main->MdiArea()->subWindowList().front()->setWindowTitle("marker");
    main->MDIForm_Activate(); // nothing changed: the open page stays as it is
    EXPECT_EQ(main->MdiArea()->subWindowList().front()->windowTitle(), "marker");

    gCurrentLanguage = 2;
    ModFunLang::gLangFileName = "chinese.ini";
    main->MDIForm_Activate();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gPrevLanguage, 2);
    EXPECT_EQ(Item("mnuFileNew")->text(), QStringLiteral("新建(&N)"));
    EXPECT_EQ(Tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("信道信息"));
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1);
    EXPECT_EQ(main->MdiArea()->subWindowList().size(), 1);
    EXPECT_NE(main->MdiArea()->subWindowList().front()->windowTitle(), "marker"); // reopened

    main->MdiArea()->subWindowList().front()->setWindowTitle("marker");
    main->MDIForm_Activate();
    EXPECT_EQ(main->MdiArea()->subWindowList().front()->windowTitle(), "marker");
}

TEST_F(MainWindowTest, BackgroundIsTiledFromItsPictureOrPlain) {
    LoadMain();
    EXPECT_NE(main->MdiArea()->background().style(), Qt::TexturePattern); // no picture

    QImage tiny(2, 40, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    QDir().mkpath(program.ProgramDir() + "/PIC");
    ASSERT_TRUE(tiny.save(program.ProgramDir() + "/PIC/BK_1.jpg"));
    main->LoadBKPic(); // a 2-pixel picture has nothing to tile
    EXPECT_NE(main->MdiArea()->background().style(), Qt::TexturePattern);

    QImage picture(12, 9, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(program.ProgramDir() + "/PIC/BK_1.jpg"));
    main->LoadBKPic();
    ASSERT_EQ(main->MdiArea()->background().style(), Qt::TexturePattern);
    EXPECT_EQ(main->MdiArea()->background().texture().size(), QSize(10, 7));

    gCurrentLanguage = 2; // BK_2.jpg is missing
    main->LoadBKPic();
    EXPECT_NE(main->MdiArea()->background().style(), Qt::TexturePattern);
}

TEST_F(MainWindowTest, TreePaneClosesWithItsButtonAndReturnsWithTheViewItem) {
    LoadMain();
    main->show();
    QWidget* pane = main->findChild<QWidget*>("Picture1");
    ASSERT_TRUE(pane->isVisible());
    main->Toolbar1_ButtonClick(QStringLiteral("删除"));
    EXPECT_FALSE(pane->isVisible());
    EXPECT_FALSE(Item("mnuTreeView")->isChecked());
    Item("mnuTreeView")->trigger();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_TRUE(Item("mnuTreeView")->isChecked());

    Item("mnuViewToolbar")->trigger();
    EXPECT_FALSE(Toolbar()->isVisible());
    EXPECT_FALSE(Item("mnuViewToolbar")->isChecked());
    Item("mnuViewStatusBar")->trigger();
    EXPECT_FALSE(main->findChild<QWidget*>("sbStatusBar")->isVisible());
}

TEST_F(MainWindowTest, SplitterKeepsThePaneBetweenItsLimits) {
    LoadMain();
    main->resize(800, 600);
    main->show();
    QWidget* pane = main->findChild<QWidget*>("Picture1");
    const int start = pane->width();
    main->CommandMove_MouseMove(50); // not dragging: nothing moves
    EXPECT_EQ(pane->width(), start);
    main->CommandMove_MouseDown();
    main->CommandMove_MouseMove(50);
    EXPECT_EQ(pane->width(), start + 50);
    main->CommandMove_MouseMove(-(start + 50 - 19)); // narrower than 300 twips
    EXPECT_EQ(pane->width(), start + 50);
    main->CommandMove_MouseMove(5000); // wider than the window
    EXPECT_EQ(pane->width(), start + 50);
    main->CommandMove_MouseUp();
}

TEST_F(MainWindowTest, WindowRectangleIsKeptOnAScreen) {
    const QString app = "CorvanTest";
    Platform::SaveSetting(app, "Settings", "MainLeft", "-5000");
    Platform::SaveSetting(app, "Settings", "MainTop", "90000");
    Platform::SaveSetting(app, "Settings", "MainWidth", "99999");
    Platform::SaveSetting(app, "Settings", "MainHeight", "500");
    LoadMain();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(main->geometry()))
        << main->geometry().x() << "," << main->geometry().y();
    EXPECT_EQ(main->geometry().height(), 500);
}

TEST_F(MainWindowTest, WindowRectangleIsStoredAtExitUnlessMinimised) {
    LoadMain();
    main->setGeometry(40, 50, 700, 500);
    main->close();
    EXPECT_EQ(Platform::GetSetting("CorvanTest", "Settings", "MainWidth", ""), "700");
    EXPECT_EQ(Platform::GetSetting("CorvanTest", "Settings", "MainLeft", ""), "40");
    LoadMain();
    EXPECT_EQ(main->geometry(), QRect(40, 50, 700, 500));
}

TEST_F(MainWindowTest, NewDocumentClosesThePagesAndReopensTheGridLater) {
    LoadMain();
    gInitAllChannels = true;
    ModifyData();
    main->LoadNewDoc();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 0);
    EXPECT_TRUE(main->NewDocTimer().isActive());
    main->NewDocTimer_Timer();
    EXPECT_FALSE(main->NewDocTimer().isActive());
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1);
    EXPECT_FALSE(gInitAllChannels);
    EXPECT_EQ(gEditData, gFileData);
}

TEST_F(MainWindowTest, HelpOpensTheFileOfTheLanguageWhenItExists) {
    QStringList opened;
    Platform::Help::SetOpener([&](const QString& path, int) {
        opened << QFileInfo(path).fileName();
        return true;
    });
    LoadMain();
    main->HelpTopic(); // no help files installed
    EXPECT_TRUE(opened.isEmpty());
    program.WriteFile("Corvan_E.chm", "e");
    program.WriteFile("Corvan_C.chm", "c");
    main->HelpTopic();
    gCurrentLanguage = 2;
    main->HelpTopic();
    gCurrentLanguage = 3; // an unknown language keeps the English file
    main->HelpTopic();
    EXPECT_EQ(opened, QStringList({"Corvan_E.chm", "Corvan_C.chm", "Corvan_E.chm"}));
    EXPECT_TRUE(messages.Count() == 1 && messages.shown[0].text.endsWith("/Corvan_E.chm"));
    Platform::Help::SetOpener({});

    // the desktop's opener fails: said when it has ended
    QTemporaryDir bin;
    QFile opener(bin.path() + "/xdg-open");
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly) && opener.write("#!/bin/sh\nexit 1\n") > 0);
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ':' + path);
    Item("mnuHelpTopic")->trigger();
    EXPECT_TRUE(TestSupport::WaitFor([&] { return messages.Count() == 2; }));
    qputenv("PATH", bin.path().toLocal8Bit()); // no opener on the path at all
    ASSERT_TRUE(opener.remove());
    Item("mnuHelpTopic")->trigger();
    EXPECT_TRUE(TestSupport::WaitFor([&] { return messages.Count() == 3; }));
    qputenv("PATH", path);
    for (int i : {1, 2})
        EXPECT_EQ(messages.shown.value(i).text,
                  ModFunLang::GetLangText(9121) + u'\n' + program.ProgramDir() + "/Corvan_E.chm");

    delete main.data();
    gHelpOn = false;
    LoadMain();
    EXPECT_FALSE(Item("mnuHelpTopic")->isVisible());
}

TEST_F(MainWindowTest, BatchCommandDropsTheGridEditBeforeItsPage) {
    Platform::Forms::RegisterFactory("FrmCHBatch", [] { return new QDialog; });
    LoadMain();
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    Item("MnuCHBatch")->trigger();
    EXPECT_EQ(FakeGridPage::invalidated, 1);
    EXPECT_EQ(FakeGridPage::validated, 0);
    Platform::Forms::UnregisterFactory("FrmCHBatch");
}

} // namespace
