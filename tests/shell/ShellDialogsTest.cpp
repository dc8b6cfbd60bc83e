#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "shell/FrmSetLanguage.h"
#include "shell/ShellForms.h"
#include "shell/ShellRules.h"
#include "shell/frmMain.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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
    gCurrentLanguage = 3; // a stored number no list entry stands for
    FrmSetLanguage unknown;
    EXPECT_EQ(unknown.Combo1->currentIndex(), -1);
    unknown.CommandOK->click();
    EXPECT_EQ(gCurrentLanguage, 3);
    EXPECT_EQ(ModSettings::ReadSetupKey("CurrentLanguage"), "3");
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

} // namespace
