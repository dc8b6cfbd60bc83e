#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "shell/ModMain.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "tests/shell/ShellFixture.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace {

class SplashTest : public ShellTest {
protected:
    void TearDown() override {
        delete splash.data();
        main = frmMain::Instance();
        ShellTest::TearDown();
    }
    QPointer<frmSplash> splash;
};

TEST_F(SplashTest, AClickLoadsTheMainWindowOnceAndTheTimerNotAgain) {
    ModSettings::WriteSetupKey("IsFirstRun", 0);
    program.WriteFile("Init/KL740_0.dat", "damaged"); // named once, not by start-up and the window
    ASSERT_TRUE(ModMain::Main());
    splash = qobject_cast<frmSplash*>(ModMain::Splash());
    EXPECT_TRUE(splash->Timer1().isActive());
    EXPECT_EQ(splash->Timer1().interval(), 2000);
    EXPECT_EQ(LoadedCount("frmMain"), 0);
    splash->picLogo_Click();
    EXPECT_EQ(LoadedCount("frmMain"), 1);
    EXPECT_FALSE(splash->Timer1().isActive());
    splash->Timer1_Timer();
    EXPECT_EQ(LoadedCount("frmMain"), 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull()); // the splash closed itself
    EXPECT_EQ(MessageText(0),
              ModFunLang::GetLangText(9033) + u'\n' + program.ProgramDir() + "/Init/KL740_0.dat");
    EXPECT_EQ(messages.Count(), 1);
}

TEST_F(SplashTest, TheTimerLoadsTheMainWindowWhenNobodyClicks) {
    splash = new frmSplash;
    splash->Timer1_Timer();
    EXPECT_EQ(LoadedCount("frmMain"), 1);
}

TEST_F(SplashTest, ShowsThePictureOfTheLanguage) {
    QImage english(40, 20, QImage::Format_RGB32), chinese(30, 25, QImage::Format_RGB32);
    english.fill(Qt::white);
    chinese.fill(Qt::black);
    ASSERT_TRUE(english.save(program.ProgramDir() + "/StartE.jpg"));
    ASSERT_TRUE(chinese.save(program.ProgramDir() + "/StartC.jpg"));
    gCurrentLanguage = 2;
    splash = new frmSplash;
    EXPECT_EQ(splash->picLogo()->pixmap().size(), QSize(30, 25));
    delete splash.data();
    gCurrentLanguage = 1;
    splash = new frmSplash;
    EXPECT_EQ(splash->picLogo()->pixmap().size(), QSize(40, 20));
}

TEST_F(SplashTest, AMissingPictureFallsBackToTheBuiltInOne) {
    splash = new frmSplash;
    EXPECT_FALSE(splash->picLogo()->pixmap().isNull());
}

TEST_F(ShellTest, AboutBoxShowsOnlyLanguageTexts) {
    program.WriteFile("language/fixture.ini", "[About]\n24000=CAPTION\n24001=T\n24002=V\n"
                                              "24003=D\n24004=L\n24005=BUTTON\n");
    ModFunLang::gLangFileName = "fixture.ini";
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "CAPTION");
    EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), "T");
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "V");
    EXPECT_EQ(about.findChild<QLabel*>("lblDescription")->text(), "D");
    EXPECT_EQ(about.findChild<QLabel*>("lblDisclaimer")->text(), "L");
    EXPECT_EQ(about.findChild<QPushButton*>("cmdOK")->text(), "BUTTON");
    about.show();
    about.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(about.isVisible());
}

} // namespace
