#include "data/ConfigFiles.h"
#include "data/ModFunLang.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "platform/App.h"
#include "shell/frmMain.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>

namespace {

using Platform::Mb::IdNo;
using Platform::Mb::IdOK;
using Platform::Mb::IdYes;

class StartRecorder final : public ModVerionMana::ProgramStarter {
public:
    bool Start(const QString& path) override {
        started << path;
        return false; // the program goes on, so that what it wrote can be checked
    }
    QStringList started;
};

// Saving through the File menu of the main window, and the save question of
// a switch to the program version that a file needs.
class SaveFilesTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        program.WriteFile("../Version.ini", "[Version]\nFirmVersionCount=2\n[Firm]\n"
                                            "Firm0=V200V200\nFirm1=V210V210\n");
        ModVerionMana::LoadVersionIni();
        ModVerionMana::SetProgramStarter(&starter);
        LoadMain();
    }
    void TearDown() override {
        gTestDataOn = false;
        ShellTest::TearDown();
        ModVerionMana::SetProgramStarter(nullptr);
    }
    QString File(const QString& name) const { return files.path() + u'/' + name; }
    QByteArray Bytes(const QString& name) const {
        QFile f(File(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void Put(const QString& name, const QByteArray& bytes) const {
        QFile f(File(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void Menu(const char* name) { main->findChild<QAction*>(QLatin1String(name))->trigger(); }
    // The configuration saved as radio.dat, then changed.
    void SavedThenChanged() {
        dialogs.saveAnswers << File("radio.dat");
        Menu("mnuFileSaveAs");
        ASSERT_FALSE(ModShowFreFun::IsDataModified());
        ModifyData();
        messages.shown.clear();
    }
    int Shown(int id) const { return messages.CountOf(ModFunLang::GetLangText(id)); }

    StartRecorder starter;
};

TEST_F(SaveFilesTest, ASideFileThatCannotBeWrittenLeavesEveryOldFile) {
    SavedThenChanged();
    const QByteArray dat = Bytes("radio.dat");
    ASSERT_EQ(dat.size(), 8597);
    // a folder stands where the side file goes
    ASSERT_TRUE(QFile::remove(File("radio.NVD")));
    ASSERT_TRUE(QDir(files.path()).mkdir("radio.NVD"));
    messages.answers << IdOK; // overwrite radio.dat?
    Menu("mnuFileSave");
    EXPECT_EQ(Shown(9002), 1);
    EXPECT_EQ(Bytes("radio.dat"), dat);
    EXPECT_TRUE(ModShowFreFun::IsDataModified());
    // nothing of the failed save is left beside the files
    QStringList left = QDir(files.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    left.sort();
    EXPECT_EQ(left, QStringList({"radio.NVD", "radio.dat"}));

    // with the side file writable again the same command saves all of it
    ASSERT_TRUE(QDir(files.path()).rmdir("radio.NVD"));
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_NE(Bytes("radio.dat"), dat);
    EXPECT_EQ(Bytes("radio.NVD").size(), 5);
    EXPECT_FALSE(ModShowFreFun::IsDataModified());
}

TEST_F(SaveFilesTest, TheTestBlockFileIsExactlyTheSixteenBytes) {
    gTestDataOn = true;
    SavedThenChanged();
    Put("radio.ted", QByteArray(40, 'T'));
    gEditTestBlock.fill(0x21);
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_EQ(Bytes("radio.ted"), QByteArray(16, 0x21));
}

// Yes to the save question of a version switch saves the data to its own
// file (or under a new name); the file being opened stays as it was.
TEST_F(SaveFilesTest, TheVersionSwitchNeverWritesTheFileBeingOpened) {
    dialogs.saveAnswers << File("other.dat");
    Menu("mnuFileSaveAs");
    QByteArray other = Bytes("other.dat");
    other.replace(0, 4, "V210"); // a file of the other program version
    Put("other.dat", other);
    for (const bool untitled : {false, true}) {
        SCOPED_TRACE(untitled);
        if (untitled) {
            main->NewDocTimer_Timer(); // a new configuration without a file
            ASSERT_TRUE(gIsUntitled);
            ModifyData();
            dialogs.saveAnswers << File("mine.dat");
            // no to the save question of Open, yes to the mismatch, yes to
            // saving before the switch: the data gets a name of its own
            messages.answers << IdNo << IdYes << IdYes;
        } else {
            SavedThenChanged();
            messages.answers << IdNo << IdYes << IdYes << IdOK; // ... and overwrite radio.dat
        }
        const QByteArray ownBefore = Bytes("radio.dat");
        dialogs.openAnswers << File("other.dat");
        Menu("mnuFileOpen");
        EXPECT_EQ(Bytes("other.dat"), other);
        ASSERT_EQ(starter.started.size(), untitled ? 2 : 1);
        EXPECT_FALSE(ModShowFreFun::IsDataModified());
        if (untitled) {
            EXPECT_EQ(dialogs.lastInitialPath, "new.dat");
            EXPECT_EQ(Bytes("mine.dat").size(), 8597);
            EXPECT_EQ(Bytes("radio.dat"), ownBefore);
            EXPECT_EQ(gDataFileName, File("mine.dat"));
        } else {
            EXPECT_NE(Bytes("radio.dat"), ownBefore);
            EXPECT_EQ(gDataFileName, File("radio.dat"));
        }
    }
}

} // namespace
