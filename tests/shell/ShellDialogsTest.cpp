#include "data/ConfigFiles.h"
#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/widgets/ModRidTextMenu.h"
#include "link/ModComm.h"
#include "link/widgets/FrmPassWord.h"
#include "link/widgets/LinkForms.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "shell/FrmMulSet.h"
#include "shell/FrmSetLanguage.h"
#include "shell/ShellForms.h"
#include "shell/ShellRules.h"
#include "shell/frmMain.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {

// Runs the step once the next modal dialog is up.
template <typename Dialog, typename Step> void WhenModal(Step step) {
    QTimer::singleShot(0, [step] {
        if (auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget())) step(d);
    });
}

class LanguageDialogTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ShellForms::RegisterForms();
        ModFunLang::gLangFileName = QStringLiteral("english.ini");
        Platform::Help::SetHelpFile(QStringLiteral("/help/Corvan_E.chm"));
    }
    void TearDown() override {
        Platform::Forms::UnregisterFactory(QStringLiteral("FrmSetLanguage"));
        ShellTest::TearDown();
    }
    QAction* Item(const char* name) { return main->findChild<QAction*>(QLatin1String(name)); }
};

TEST_F(LanguageDialogTest, TheSameLanguageChangesNothing) {
    EXPECT_FALSE(ModSetLanguage::ApplyLanguage(1));
    EXPECT_FALSE(ModSetLanguage::ApplyLanguage(0)); // no choice in the list
    EXPECT_EQ(gCurrentLanguage, 1);
    EXPECT_EQ(gPrevLanguage, 1);
    EXPECT_EQ(ModFunLang::gLangFileName, "english.ini");
    EXPECT_EQ(Platform::Help::HelpFile(), "/help/Corvan_E.chm");
}

TEST_F(LanguageDialogTest, ChineseTakesItsHelpFileAndTextFile) {
    EXPECT_TRUE(ModSetLanguage::ApplyLanguage(2));
    EXPECT_EQ(gCurrentLanguage, 2);
    EXPECT_EQ(gPrevLanguage, 1);
    EXPECT_EQ(ModFunLang::gLangFileName, "chinese.ini");
    EXPECT_TRUE(Platform::Help::HelpFile().endsWith("/Corvan_C.chm"));

    // without help the help file stays as it is
    gHelpOn = false;
    EXPECT_TRUE(ModSetLanguage::ApplyLanguage(1));
    EXPECT_EQ(ModFunLang::gLangFileName, "english.ini");
    EXPECT_TRUE(Platform::Help::HelpFile().endsWith("/Corvan_C.chm"));
}

TEST_F(LanguageDialogTest, ListShowsBothLanguagesWithTheCurrentChosen) {
    gCurrentLanguage = 2;
    FrmSetLanguage dialog;
    ASSERT_EQ(dialog.Combo1->count(), 2);
    EXPECT_EQ(dialog.Combo1->itemText(0), "English");
    EXPECT_EQ(dialog.Combo1->currentIndex(), 1);
    EXPECT_EQ(dialog.windowTitle(), "Language");
    EXPECT_EQ(dialog.CommandOK->text(), "OK");
    // a stored number no list entry stands for selects the language in use
    for (const char* file : {"english.ini", "chinese.ini"}) {
        gCurrentLanguage = 3;
        ModFunLang::gLangFileName = QLatin1String(file);
        FrmSetLanguage unknown;
        EXPECT_EQ(unknown.Combo1->currentIndex(), QLatin1String(file) == "chinese.ini" ? 1 : 0);
    }
    ModFunLang::gLangFileName = "english.ini";
    FrmSetLanguage unknown;
    unknown.show(); // a wheel over the list the dialog gave the focus chooses nothing
    ASSERT_TRUE(QTest::qWaitForWindowActive(&unknown));
    QWheelEvent notch({5, 5}, {}, {}, {0, -120}, {}, {}, {}, false);
    QApplication::sendEvent(unknown.Combo1, &notch);
    unknown.CommandOK->click();
    EXPECT_EQ(gCurrentLanguage, 1);
    EXPECT_EQ(ModSettings::ReadSetupKey("CurrentLanguage"), "1");
}

TEST_F(LanguageDialogTest, OkSwitchesTheMainWindowAtItsNextActivation) {
    LoadMain();
    ASSERT_TRUE(Item("mnuLanguage")->isEnabled());
    main->MdiArea()->subWindowList().front()->setWindowTitle("marker");
    WhenModal<FrmSetLanguage>([](FrmSetLanguage* d) {
        d->Combo1->setCurrentIndex(1);
        d->CommandOK->click();
    });
    Item("mnuLanguage")->trigger();
    EXPECT_EQ(gCurrentLanguage, 2);
    EXPECT_EQ(ModFunLang::gLangFileName, "chinese.ini");
    EXPECT_EQ(ModSettings::ReadSetupKey("CurrentLanguage"), "2");
    EXPECT_EQ(LoadedCount("FrmSetLanguage"), 0);

    main->MDIForm_Activate();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Item("mnuFileNew")->text(), QStringLiteral("新建(&N)"));
    ASSERT_EQ(main->MdiArea()->subWindowList().size(), 1);
    EXPECT_NE(main->MdiArea()->subWindowList().front()->windowTitle(), "marker");

    // a settings file that cannot be written: said once, the switch holds for the session
    const QString setup = ModSettings::SetupFilePath();
    ASSERT_TRUE(QFile::remove(setup) && QDir().mkpath(setup));
    WhenModal<FrmSetLanguage>([](FrmSetLanguage* d) {
        d->Combo1->setCurrentIndex(0);
        d->CommandOK->click();
    });
    Item("mnuLanguage")->trigger();
    EXPECT_EQ(gCurrentLanguage, 1);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(MessageText(0), ModFunLang::GetLangText(9120) + u'\n' + setup);
}

TEST_F(LanguageDialogTest, OkOnTheLanguageInUseRewritesItsValue) {
    ModSettings::WriteSetupKey("CurrentLanguage", "");
    FrmSetLanguage dialog;
    dialog.CommandOK->click();
    EXPECT_EQ(ModSettings::ReadSetupKey("CurrentLanguage"), "1");
    EXPECT_EQ(gPrevLanguage, 1);
    EXPECT_EQ(ModFunLang::gLangFileName, "english.ini");
}

TEST_F(LanguageDialogTest, CancelAfterAChoiceLeavesEverything) {
    ModSettings::WriteSetupKey("CurrentLanguage", 1);
    FrmSetLanguage dialog;
    dialog.Combo1->setCurrentIndex(1);
    dialog.CommandCancel->click();
    EXPECT_EQ(gCurrentLanguage, 1);
    EXPECT_EQ(ModFunLang::gLangFileName, "english.ini");
    EXPECT_EQ(ModSettings::ReadSetupKey("CurrentLanguage"), "1");
}

TEST_F(LanguageDialogTest, EnterInTheListMovesOnInsteadOfClosing) {
    FrmSetLanguage dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.Combo1->setFocus();
    QTest::keyClick(dialog.Combo1, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(QApplication::focusWidget(), dialog.CommandOK);
}

// ---------------------------------------------------------------- Factory and Lock

TEST(AccessCodeTest, OnlyTheExactCodeOpensAndTheModeIsResetEitherWay) {
    for (const char* typed : {"519", "0519", "51", "", "5190"}) {
        int shown = 0;
        const bool match = ModSwitches::AskAccessCode([&] {
            ++shown;
            EXPECT_EQ(gPassWordMode, -1);
            EXPECT_TRUE(ModComm::gAccessCodeBuf.isEmpty());
            ModComm::gAccessCodeBuf = QString::fromLatin1(typed);
        });
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(match, QLatin1String(typed) == QLatin1String("519")) << typed;
        EXPECT_EQ(gPassWordMode, 0);
        EXPECT_TRUE(ModComm::gAccessCodeBuf.isEmpty());
    }
}

class SwitchesTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        gTestDataOn = true; // started with the marker file
    }
    void TearDown() override {
        ShellTest::TearDown();
        gTestDataOn = false;
        gLock = 0;
        gFactory = 0;
    }
    QAction* Item(const char* name) { return main->findChild<QAction*>(QLatin1String(name)); }
    QAction* Button(const char* key) {
        for (QAction* a : main->findChild<QToolBar*>("tbToolBar")->actions())
            if (a->objectName() == QLatin1String(key)) return a;
        return nullptr;
    }
    QStringList TreeKeys() {
        QStringList keys;
        QTreeWidgetItem* root = main->findChild<QTreeWidget*>("TreeView1")->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            keys << root->child(i)->data(0, Qt::UserRole).toString();
        return keys;
    }
    // Clicks the button and answers the access code (null: Cancel).
    void Click(const char* key, const char* code) {
        WhenModal<FrmPassWord>([code](FrmPassWord* d) {
            EXPECT_TRUE(d->Text1->text().isEmpty()); // the radio password is not offered
            if (!code) {
                d->CommandCancel->click();
                return;
            }
            d->Text1->setText(QString::fromLatin1(code));
            d->CommandOK->click();
        });
        Button(key)->trigger();
    }
};

TEST_F(SwitchesTest, StartedWithoutTheFactorySwitchBothButtonsShowAndTestDataWaits) {
    gProgPassword = QStringLiteral("1234");
    LoadMain();
    EXPECT_TRUE(Button("btnFactory")->isVisible());
    EXPECT_TRUE(Button("btnFactory")->isEnabled());
    EXPECT_TRUE(Button("btnLock")->isEnabled());
    EXPECT_FALSE(gTestDataOn);
    EXPECT_FALSE(TreeKeys().contains("N11"));
    EXPECT_FALSE(Item("mnuTestData")->isVisible());

    // Cancel and a wrong code put the button back and change nothing
    ModSettings::WriteSetupKey("Factory", 0);
    Click("btnFactory", nullptr);
    Click("btnFactory", "518");
    EXPECT_FALSE(Button("btnFactory")->isChecked());
    EXPECT_FALSE(gTestDataOn);
    EXPECT_EQ(gFactory, 0);
    EXPECT_EQ(ModSettings::ReadSetupKey("Factory"), "0");
    EXPECT_FALSE(TreeKeys().contains("N11"));
    EXPECT_EQ(gProgPassword, "1234");
}

TEST_F(SwitchesTest, FactoryOnAppendsTestDataOnceAndOffRemovesIt) {
    LoadMain();
    Click("btnFactory", "519");
    EXPECT_TRUE(Button("btnFactory")->isChecked());
    EXPECT_TRUE(gTestDataOn);
    EXPECT_EQ(gFactory, 1);
    EXPECT_EQ(ModSettings::ReadSetupKey("Factory"), "1");
    EXPECT_TRUE(Item("mnuTestData")->isVisible());
    EXPECT_EQ(TreeKeys(), QStringList({"N1", "N2", "N4", "N8", "N9", "N10", "N6", "N7", "N11"}));

    WhenModal<FrmPassWord>([](FrmPassWord* d) {
        d->Text1->setText("519");
        d->CommandOK->click();
    });
    main->SetFactoryMode(1); // on again: still one node
    EXPECT_EQ(TreeKeys().count("N11"), 1);

    main->LoadTree();
    EXPECT_EQ(TreeKeys(), QStringList({"N1", "N2", "N4", "N8", "N9", "N10", "N11", "N6", "N7"}));

    Click("btnFactory", "519");
    EXPECT_FALSE(Button("btnFactory")->isChecked());
    EXPECT_FALSE(gTestDataOn);
    EXPECT_EQ(ModSettings::ReadSetupKey("Factory"), "0");
    EXPECT_FALSE(Item("mnuTestData")->isVisible());
    EXPECT_FALSE(TreeKeys().contains("N11"));

    // a switch that cannot be stored says so and holds for the session
    const QString setup = ModSettings::SetupFilePath();
    ASSERT_TRUE(QFile::remove(setup) && QDir().mkpath(setup));
    Click("btnFactory", "519");
    EXPECT_TRUE(gTestDataOn);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9120) + u'\n' + setup), 1);
}

// The test block belongs to the open configuration whatever the factory switch
// did meanwhile: a save leaves each ".ted" as it was, and the block in hand
// (what the test-data dialog shows and a factory write sends) is its own.
TEST_F(SwitchesTest, EachConfigurationKeepsItsOwnTestBlockAcrossTheFactorySwitch) {
    const auto file = [this](const QString& name) { return program.ProgramDir() + u'/' + name; };
    messages.defaultAnswer = Platform::Mb::IdCancel; // no question but the one expected
    for (const qint16 factoryAtStart : {0, 1}) {
        delete main.data();
        gTestDataOn = true; // the marker file
        gFactory = factoryAtStart;
        LoadMain();
        for (const QString name : {"a", "b"}) { // each with a test block of its own
            dialogs.saveAnswers << file(name + ".dat");
            Item("mnuFileSaveAs")->trigger();
            program.WriteFile(name + ".ted", QByteArray(16, name[0].toLatin1()));
        }
        dialogs.openAnswers << file("a.dat") << file("b.dat");
        Item("mnuFileOpen")->trigger();
        if (factoryAtStart) { // off, another configuration, on again
            Click("btnFactory", "519");
            Item("mnuFileOpen")->trigger();
        }
        Click("btnFactory", "519");
        ASSERT_TRUE(gTestDataOn);
        TTestBlock own; // what the test-data dialog shows and a factory write sends
        own.fill(factoryAtStart ? 'b' : 'a');
        EXPECT_EQ(gEditTestBlock.bytes, own) << factoryAtStart;
        ModifyData();
        messages.answers << Platform::Mb::IdOK; // overwrite?
        Item("mnuFileSave")->trigger();
        EXPECT_FALSE(ModShowFreFun::IsDataModified());
        EXPECT_EQ(program.ReadFile("a.ted") + program.ReadFile("b.ted"),
                  QByteArray(16, 'a') + QByteArray(16, 'b'))
            << factoryAtStart;
        dialogs.openAnswers.clear();
    }
}

TEST_F(SwitchesTest, LockOnClosesThePagesAndKeepsTheChannelCommandsHidden) {
    gFactory = 1;
    LoadMain();
    ASSERT_EQ(LoadedCount("frmCommChInfo"), 1);

    Click("btnLock", "5l9");
    EXPECT_FALSE(Button("btnLock")->isChecked());
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1);
    EXPECT_EQ(gLock, 0);

    Click("btnLock", "519");
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Button("btnLock")->isChecked());
    EXPECT_EQ(gLock, 1);
    EXPECT_EQ(ModSettings::ReadSetupKey("Lock"), "1");
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 0);
    EXPECT_FALSE(Item("MnuCHBatch")->isVisible());
    main->ShowCHInfo(true); // the grid page opened again
    EXPECT_FALSE(Item("MnuCHEdit")->isVisible());
    EXPECT_FALSE(Button("BtnCHCut")->isVisible());

    Click("btnLock", "519");
    EXPECT_EQ(gLock, 0);
    EXPECT_EQ(ModSettings::ReadSetupKey("Lock"), "0");
    EXPECT_TRUE(Item("MnuCHBatch")->isVisible());

    // where the settings folder takes no file, the message names the folder
    const QString folder = QFileInfo(ModSettings::SetupFilePath()).absolutePath();
    ASSERT_TRUE(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));
    Click("btnLock", "519");
    EXPECT_EQ(gLock, 1);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9122) + u'\n' + folder), 1);
}

// ---------------------------------------------------------------- multi-radio write count

TEST(MulSetTest, KeyFilterKeepsDialDigitsAndCapitalisesAToD) {
    using ModMulSet::FilterKey;
    for (char c : std::string("0123456789#*ABCD"))
        EXPECT_EQ(FilterKey(c), c) << c;
    EXPECT_EQ(FilterKey('b'), 'B');
    EXPECT_EQ(FilterKey('d'), 'D');
    for (int k : {int('e'), int('+'), int(' '), int('E'), int('~'), 24, 22, 3, 128, 0xE4})
        EXPECT_EQ(FilterKey(k), ModMulSet::kDropped) << k;
    EXPECT_EQ(FilterKey(13), ModMulSet::kMoveOn);
    EXPECT_EQ(FilterKey(8), 8); // Backspace
    EXPECT_EQ(FilterKey(127), 127);
}

TEST(MulSetTest, OnlyAWholeCountSwitchesTheWriteOn) {
    gMulWriteOn = false;
    for (const char* text : {"", "#", "*1", "1A", "D", "99999", "123456789012"}) {
        EXPECT_FALSE(ModMulSet::StartMulWrite(QString::fromLatin1(text))) << text;
        EXPECT_FALSE(gMulWriteOn) << text;
    }
    ModMulSet::gMulWriteRadio = 7;
    EXPECT_TRUE(ModMulSet::StartMulWrite("25"));
    EXPECT_EQ(ModMulSet::gMulWriteCount, 25);
    EXPECT_EQ(ModMulSet::gMulWriteRadio, 1);
    EXPECT_TRUE(gMulWriteOn);

    // the end of any radio session switches it off again
    gCommType = 2;
    ModComm::EndComm(false);
    EXPECT_FALSE(gMulWriteOn);
    EXPECT_EQ(gCommType, 0);
}

class MulSetDialogTest : public ShellTest {};

TEST_F(MulSetDialogTest, TypingFiltersAndOkTakesTheInitialCount) {
    gMulWriteOn = false;
    FrmMulSet dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(dialog.windowTitle(), "Multi-Radio Write");
    EXPECT_EQ(dialog.Command2->text(), "Cancel");
    EXPECT_TRUE(ModRidTextMenu::IsHooked(dialog.Text1));
    ASSERT_EQ(dialog.Text1->text(), "10");

    dialog.Text1->setFocus();
    dialog.Text1->end(false);
    QTest::keyClicks(dialog.Text1, "be+#");
    EXPECT_EQ(dialog.Text1->text(), "10B#");
    QTest::keyClick(dialog.Text1, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.Command1);

    // a count that is not a whole number keeps the dialog open
    dialog.Command1->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(gMulWriteOn);

    dialog.Text1->setText("10");
    dialog.Command1->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(gMulWriteOn);
    EXPECT_EQ(ModMulSet::gMulWriteCount, 10);
    EXPECT_EQ(ModMulSet::gMulWriteRadio, 1);
    EXPECT_FALSE(ModRidTextMenu::IsHooked(dialog.Text1));
    gMulWriteOn = false;
}

TEST_F(MulSetDialogTest, CancelSwitchesNothingOnAndChineseHasItsOwnCaption) {
    gMulWriteOn = false;
    gCurrentLanguage = 2;
    ModFunLang::gLangFileName = QStringLiteral("chinese.ini");
    FrmMulSet dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("多台写频"));
    EXPECT_EQ(dialog.Command1->text(), QStringLiteral("确定"));
    dialog.Command2->click();
    EXPECT_FALSE(gMulWriteOn);
}

class PasswordItemTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        LinkForms::RegisterForms();
    }
    void TearDown() override {
        for (const char* name : {"FrmPassWord", "FrmSetComm", "LoadFrmLink"})
            Platform::Forms::UnregisterFactory(QLatin1String(name));
        ShellTest::TearDown();
    }
};

TEST_F(PasswordItemTest, TheProgramMenuTakesTheRadioPassword) {
    LoadMain();
    QAction* item = main->findChild<QAction*>(QStringLiteral("MnuProPassWord"));
    ASSERT_TRUE(item && item->isEnabled());
    gPassWordMode = 0;
    gProgPassword = QStringLiteral("12");
    WhenModal<FrmPassWord>([](FrmPassWord* d) {
        EXPECT_EQ(d->Text1->text(), "12"); // the password given before is offered
        d->Text1->setText(QStringLiteral("4321"));
        d->CommandOK->click();
    });
    item->trigger();
    EXPECT_EQ(gProgPassword, "4321");
    EXPECT_TRUE(gPasswordGiven);
    EXPECT_EQ(LoadedCount("FrmPassWord"), 0);
}

} // namespace
