#include "shell/ModMain.h"
#include "SimRadio.h"
#include "channels/ModBatch.h"
#include "data/ModFunLang.h"
#include "data/ModHabits.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "link/widgets/LinkForms.h"
#include "link/widgets/LoadFrmLink.h"
#include "platform/Profile.h"
#include "platform/SysLocale.h"
#include "platform/serial/SerialPorts.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

namespace Ports = Platform::SerialPorts;

// Lock files go by the device's name: a port number of this process's own.
const int kPort = TestSupport::TestPort();

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
        ModMain::InitGlobals();
    }
    void TearDown() override {
        Platform::SetSystemLcidForTesting(-1);
        Platform::Forms::UnregisterFactory("LoadFrmLink");
    }
    void WriteSetup(const QByteArray& text) {
        QDir().mkpath(program.Root() + "/language");
        QFile f(setupPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QString setupPath() const { return program.Root() + "/language/mysetup.ini"; }
    QString Key(const QString& key) const {
        return Platform::GetProfileString("language", key, "<none>", setupPath());
    }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
};

TEST_F(StartupTest, SystemLanguageChoosesTheLanguageFile) {
    Platform::SetSystemLcidForTesting(0x804);
    ModMain::InitGlobals();
    EXPECT_EQ(gCurrentLanguage, 2);
    EXPECT_EQ(gPrevLanguage, 2);
    EXPECT_EQ(ModFunLang::gLangFileName, "chinese.ini");
    for (int lcid : {0x409, 0x40C, 0x1004}) {
        Platform::SetSystemLcidForTesting(lcid);
        ModMain::InitGlobals();
        EXPECT_EQ(gCurrentLanguage, 1) << lcid;
        EXPECT_EQ(ModFunLang::gLangFileName, "english.ini");
    }
    EXPECT_EQ(gModelName, "KL740");
    EXPECT_EQ(gBandText, "400 - 480 MHz");
    EXPECT_DOUBLE_EQ(gBandLimits[1], 480.0);
    EXPECT_FALSE(gMulWriteOn);
    EXPECT_TRUE(gProgPassword.isEmpty());
}

TEST_F(StartupTest, SettingsFileLivesInTheVersionRoot) {
    EXPECT_EQ(ModSettings::SetupFilePath(), setupPath());
}

// A set-up dialog that the user closes without a working link.
class CancelledLinkDialog final : public QDialog {
public:
    int exec() override { return QDialog::Rejected; }
};

TEST_F(StartupTest, MissingSettingsFileIsAFirstRun) {
    gComPort = 9;
    gLock = 1;
    Platform::Forms::RegisterFactory("LoadFrmLink", [] {
        gFirstRun = false; // the link answered
        return new CancelledLinkDialog;
    });
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_FALSE(gFirstRun);
    EXPECT_EQ(gComPort, 1);
    EXPECT_EQ(gHandshaking, 0);
    EXPECT_EQ(gStopBit, 1);
    EXPECT_EQ(gLock, 0);
    EXPECT_EQ(gFactory, 0);
    EXPECT_EQ(gCurrentLanguage, 1);
    EXPECT_EQ(Key("IsFirstRun"), "0");
    EXPECT_EQ(Key("comPort"), "1");
    EXPECT_EQ(Key("CurrentLanguage"), "1");
}

TEST_F(StartupTest, FirstRunWithoutTheSetUpDialogEnds) {
    EXPECT_FALSE(ModMain::ReadSetupSettings());
    EXPECT_TRUE(gFirstRun);
    EXPECT_FALSE(QFile::exists(setupPath()));
}

TEST_F(StartupTest, StoredSettingsAreRead) {
    WriteSetup("[language]\nIsFirstRun=0\ncomPort=5\nHandshaking=2\nStopBit=2\nLock=1\n"
               "Factory=1\nCurrentLanguage=2\n");
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_EQ(gComPort, 5);
    EXPECT_EQ(gHandshaking, 2);
    EXPECT_EQ(gStopBit, 2);
    EXPECT_EQ(gLock, 1);
    EXPECT_EQ(gFactory, 1);
    EXPECT_EQ(gCurrentLanguage, 2);
    EXPECT_EQ(gPrevLanguage, 1); // the main window refreshes on its first activation
    EXPECT_EQ(ModFunLang::gLangFileName, "chinese.ini");
    EXPECT_EQ(Key("comPort"), "5");
}

TEST_F(StartupTest, UnknownLanguageKeepsTheSystemFileAndIsWrittenBack) {
    WriteSetup("[language]\nIsFirstRun=0\nCurrentLanguage=3\n");
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_EQ(gCurrentLanguage, 3);
    EXPECT_EQ(ModFunLang::gLangFileName, "english.ini");
    EXPECT_EQ(Key("CurrentLanguage"), "3");
    EXPECT_EQ(ModSettings::HelpFileName(gCurrentLanguage), "Corvan_E.chm");
    EXPECT_EQ(ModSettings::HelpFileName(2), "Corvan_C.chm");

    // beyond 16 bits: the system's language, written back as such
    ModMain::InitGlobals();
    WriteSetup("[language]\nIsFirstRun=0\nCurrentLanguage=99999\n");
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_EQ(gCurrentLanguage, 1);
    EXPECT_EQ(Key("CurrentLanguage"), "1");
}

TEST_F(StartupTest, BadValuesReadAsTheDefaults) {
    WriteSetup("[language]\nIsFirstRun=0\ncomPort=abc\nHandshaking=9\nStopBit=0\nLock=x\n"
               "CurrentLanguage=\n");
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_EQ(gComPort, 1);
    EXPECT_EQ(gHandshaking, 0);
    EXPECT_EQ(gStopBit, 1);
    EXPECT_EQ(gLock, 0);
    EXPECT_EQ(gCurrentLanguage, 1);
}

TEST_F(StartupTest, CompletedFirstRunKeepsTheSystemLanguage) {
    WriteSetup("[language]\nIsFirstRun=1\nCurrentLanguage=2\n");
    Platform::Forms::RegisterFactory("LoadFrmLink", [] {
        auto* d = new CancelledLinkDialog;
        gFirstRun = false; // the link answered
        gComPort = 7;
        return d;
    });
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_EQ(gCurrentLanguage, 1); // the stored language is not read on a first run
    EXPECT_EQ(Key("IsFirstRun"), "0");
    EXPECT_EQ(Key("comPort"), "7");
    EXPECT_EQ(Key("CurrentLanguage"), "1");
}

// The first-run set-up of the program against a simulated radio.
class FirstRunTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        ASSERT_TRUE(linkDir.isValid());
        ASSERT_TRUE(radio.Start(linkDir.path(), kPort));
        Ports::SetGivenPorts(QList<int>{kPort});
        LinkForms::RegisterForms();
    }
    void TearDown() override {
        for (const char* name : {"FrmSetComm", "FrmPassWord", "LoadFrmLink"})
            Platform::Forms::UnregisterFactory(QLatin1String(name));
        Ports::SetGivenPorts(std::nullopt);
        radio.Stop();
        StartupTest::TearDown();
    }
    // Presses a button of the set-up dialog once it is shown.
    static void Press(QPushButton* LoadFrmLink::*button) {
        QTimer::singleShot(0, [button] {
            if (auto* d = qobject_cast<LoadFrmLink*>(QApplication::activeModalWidget()))
                (d->*button)->click();
        });
    }
    TestSupport::LinkFolder linkDir;
    SimRadio radio;
};

TEST_F(FirstRunTest, RadioAnswerCompletesTheFirstRun) {
    WriteSetup("[language]\r\nIsFirstRun=1\r\ncomPort=4\r\n");
    Press(&LoadFrmLink::Command1);
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_FALSE(gFirstRun);
    EXPECT_EQ(radio.CurrentCounters().handshakes, 1);
    EXPECT_EQ(Key("IsFirstRun"), "0");
    EXPECT_EQ(Key("comPort"), QString::number(kPort)); // the listed port the dialog showed
}

TEST_F(FirstRunTest, FirstRunThatCannotBeStoredSaysSo) {
    ASSERT_TRUE(QDir().mkpath(setupPath())); // a settings file that cannot be written
    Press(&LoadFrmLink::Command1);
    ASSERT_TRUE(ModMain::ReadSetupSettings());
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9120) + u'\n' + setupPath()), 1);
}

TEST_F(FirstRunTest, CancelledSetUpEndsStartUpWithoutWriting) {
    const QByteArray setup = "[language]\r\nIsFirstRun=1\r\ncomPort=4\r\n";
    WriteSetup(setup);
    Press(&LoadFrmLink::Command2);
    EXPECT_FALSE(ModMain::ReadSetupSettings());
    EXPECT_TRUE(gFirstRun);
    QFile file(setupPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), setup);
}

TEST_F(StartupTest, SettingFileKeepsFourFlagBytes) {
    const QString path = program.ProgramDir() + "/Setting.ini";
    gSavedIdentFlags = {1, 1, 1, 1};
    ModSettings::ReadSettingFile(); // missing: zeros, and the file exists afterwards
    EXPECT_EQ(gSavedIdentFlags, (std::array<quint8, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(QFile::exists(path));

    program.WriteFile("Setting.ini", QByteArray("\x00\x01\x00\x01", 4));
    ModSettings::ReadSettingFile();
    EXPECT_EQ(gSavedIdentFlags, (std::array<quint8, 4>{0, 1, 0, 1}));

    program.WriteFile("Setting.ini", QByteArray("\x01\x01", 2)); // short
    ModSettings::ReadSettingFile();
    EXPECT_EQ(gSavedIdentFlags, (std::array<quint8, 4>{0, 0, 0, 0}));

    gSavedIdentFlags = {0, 1, 1, 0};
    ASSERT_TRUE(ModSettings::WriteSettingFile());
    gSavedIdentFlags.fill(0);
    ModSettings::ReadSettingFile();
    EXPECT_EQ(gSavedIdentFlags, (std::array<quint8, 4>{0, 1, 1, 0}));
}

TEST_F(StartupTest, StartUpCreatesTheBatchItemFile) {
    WriteSetup("[language]\nIsFirstRun=0\ncomPort=1\n");
    gBatchFunFlags.fill(0);
    ASSERT_TRUE(ModMain::Main());
    delete ModMain::Splash();
    EXPECT_EQ(program.ReadFile("BatchFun.ini"), QByteArray(20, '\1'));
    EXPECT_EQ(gBatchFunFlags[19], 1);
}

TEST_F(StartupTest, StartUpEndsWithTheHabitsAndAnEmptyClipboard) {
    WriteSetup("[language]\nIsFirstRun=0\ncomPort=1\n");
    program.WriteFile("Habit.ini", QByteArray("\0\0\1\0\0\0\0\0\xff\xff", 10));
    gClipboardFull = true;
    ASSERT_TRUE(ModMain::Main());
    delete ModMain::Splash();
    EXPECT_FALSE(gClipboardFull);
    EXPECT_TRUE(gHabits.PasteInserts);
    EXPECT_TRUE(gHabits.TxAsOffset);
    EXPECT_FALSE(gHabits.NoPasteAsk);
    gHabits = THabits{};
}

TEST_F(StartupTest, NumbersUseAPointWhateverTheDesktopSays) {
    Platform::UsePointDecimalSeparator();
    EXPECT_EQ(QLocale().toString(1.5), "1.5");
    EXPECT_EQ(QString::asprintf("%.1f", 2.5), "2.5");
}

} // namespace
