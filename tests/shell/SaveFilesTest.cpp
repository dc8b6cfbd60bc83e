#include "data/ConfigFiles.h"
#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "platform/App.h"
#include "platform/FileReplace.h"
#include "shell/frmMain.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

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
        Platform::FileReplace::SetStepHook({});
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
    // The files of the folder, sorted; a save leaves none but its own.
    QStringList Left() const {
        QStringList left =
            QDir(files.path())
                .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System | QDir::Hidden);
        left.sort();
        return left;
    }
    // The configuration saved as radio.dat, then changed.
    void SavedThenChanged() {
        dialogs.saveAnswers << File("radio.dat");
        Menu("mnuFileSaveAs");
        ASSERT_FALSE(ModShowFreFun::IsDataModified());
        ModifyData();
        messages.shown.clear();
    }
    int Shown(int id) const { return messages.CountOf(ModFunLang::GetLangText(id)); }
    mode_t Mode(const QString& name) const {
        struct stat s {};
        return ::stat(QFile::encodeName(File(name)).constData(), &s) == 0 ? s.st_mode & 0777 : 0;
    }

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
    EXPECT_EQ(Left(), QStringList({"radio.NVD", "radio.dat"}));

    // with the side file writable again the same command saves all of it,
    // and removes what a save that was killed left, and only that
    ASSERT_TRUE(QDir(files.path()).rmdir("radio.NVD"));
    const QStringList users = {"radio.dat.old", "radio.dat.old01", "radio.dat.old1",
                               "radio.dat.~old01"};
    for (const QString& name :
         users + QStringList{"radio.dat.~new0", "radio.dat.~old0", "radio.NVD.~old13"})
        Put(name, "earlier");
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_NE(Bytes("radio.dat"), dat);
    EXPECT_EQ(Bytes("radio.NVD").size(), 5);
    EXPECT_FALSE(ModShowFreFun::IsDataModified());
    EXPECT_EQ(Left(), QStringList({"radio.NVD", "radio.dat"}) + users);

    // a file of a failed save that cannot be removed is named
    ModifyData();
    Platform::FileReplace::SetStepHook([&](const QString&) {
        QFile::remove(File("radio.dat.~new0"));
        return !QDir(files.path()).mkpath("radio.dat.~new0/in-the-way");
    });
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_EQ(messages.shown.last().text, ModFunLang::GetLangText(9002) + u'\n' +
                                              ModFunLang::GetLangText(9035) + u'\n' +
                                              File("radio.dat.~new0"));
    EXPECT_EQ(Left(), QStringList({"radio.NVD", "radio.dat", "radio.dat.old", "radio.dat.old01",
                                   "radio.dat.old1", "radio.dat.~new0", "radio.dat.~old01"}));
}

// Each file is replaced in one step, the configuration last: wherever a save
// stops, every file is whole, and the new configuration has its new side
// files. A replace that fails puts back the files replaced before it.
TEST_F(SaveFilesTest, ASaveStoppedAtAnyReplaceLeavesWholeFiles) {
    gTestDataOn = true;
    ModTestData::TakeDialogBlock({}); // a test block of its own
    SavedThenChanged();
    gEditExtraData.AlertMode ^= 1; // every file changes
    ModTestData::TakeDialogBlock({1});
    const QStringList names = {"radio.ted", "radio.NVD", "radio.dat"};
    const auto now = [&] {
        QList<QByteArray> bytes;
        for (const QString& name : names)
            bytes << Bytes(name);
        return bytes;
    };
    const QList<QByteArray> before = now();
    QList<QList<QByteArray>> seen; // at each step
    int failAt = -1;
    Platform::FileReplace::SetStepHook([&](const QString&) {
        seen << now();
        return seen.size() - 1 != failAt;
    });
    for (failAt = 0; failAt <= 3; ++failAt) { // the last save runs through
        seen.clear();
        // every other save as on a file system without hard links
        Platform::FileReplace::SetNoHardLinks(failAt % 2 != 0);
        messages.answers << IdOK;
        Menu("mnuFileSave");
        if (failAt < 3) {
            EXPECT_EQ(now(), before) << failAt;
        }
    }
    EXPECT_EQ(Shown(9002), 3);
    const QList<QByteArray> after = now();
    ASSERT_EQ(seen.size(), 4); // before each replace, and after the last
    for (int step = 0; step < 4; ++step)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(seen[step][i], i < step ? after[i] : before[i])
                << step << " " << names[i].toStdString();
    EXPECT_EQ(Left(), QStringList({"radio.NVD", "radio.dat", "radio.ted"}));
    // a failed Save As to a new name leaves none of its files
    Platform::FileReplace::SetStepHook([](const QString& t) { return !t.endsWith("b.dat"); });
    dialogs.saveAnswers << File("b.dat");
    Menu("mnuFileSaveAs");
    EXPECT_EQ(Left(), QStringList({"radio.NVD", "radio.dat", "radio.ted"}));

    // The old side file cannot go back: the message names where it is kept.
    ModifyData();
    gEditExtraData.AlertMode ^= 1;
    Platform::FileReplace::SetStepHook([&](const QString& target) {
        if (!target.endsWith("radio.dat")) return true;
        QFile::remove(File("radio.NVD"));
        QDir(files.path()).mkpath("radio.NVD/in-the-way");
        return false;
    });
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_EQ(messages.shown.last().text,
              ModFunLang::GetLangText(9034) + u'\n' + File("radio.NVD.~old0"));
    EXPECT_EQ(Bytes("radio.NVD.~old0"), after[1]);

    // The configuration gives way to a folder while the save waits: its old
    // contents are kept, and the message says where.
    ASSERT_TRUE(QDir(File("radio.NVD")).removeRecursively());
    Platform::FileReplace::SetStepHook([&](const QString& target) {
        if (target.endsWith("radio.NVD"))
            return QFile::remove(File("radio.dat")) && QDir(files.path()).mkdir("radio.dat");
        return true;
    });
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_EQ(messages.shown.last().text,
              ModFunLang::GetLangText(9034) + u'\n' + File("radio.dat.~old0"));
    EXPECT_EQ(Bytes("radio.dat.~old0"), after[2]);
    EXPECT_FALSE(QFileInfo::exists(File("radio.NVD")));
}

// A save through links writes their targets; the links stay links.
TEST_F(SaveFilesTest, ASaveThroughLinksWritesTheirTargets) {
    SavedThenChanged();
    ASSERT_TRUE(QFile::link("radio.dat", File("mid.dat")));
    ASSERT_TRUE(QFile::link("mid.dat", File("link.dat")));
    ASSERT_TRUE(QFile::link(File("radio.NVD"), File("link.NVD")));
    messages.answers << IdNo; // save the changes before opening?
    dialogs.openAnswers << File("link.dat");
    Menu("mnuFileOpen");
    const QByteArray before = Bytes("radio.dat");
    ModifyData();
    gEditExtraData.AlertMode ^= 1;
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_NE(Bytes("radio.dat"), before);
    EXPECT_EQ(Bytes("radio.NVD")[4], char(gEditExtraData.AlertMode));
    for (const char* name : {"link.dat", "mid.dat", "link.NVD"})
        EXPECT_TRUE(QFileInfo(File(name)).isSymLink()) << name;
    EXPECT_EQ(Left(), QStringList({"link.NVD", "link.dat", "mid.dat", "radio.NVD", "radio.dat"}));
}

TEST_F(SaveFilesTest, TheTestBlockFileIsExactlyTheSixteenBytes) {
    gTestDataOn = true;
    ModTestData::TakeDialogBlock({}); // a test block of its own
    SavedThenChanged();
    messages.defaultAnswer = IdNo;       // save the changes?
    const auto open = [&](int refused) { // a test block not taken, and the user is told why
        messages.shown.clear();
        dialogs.openAnswers << File("radio.dat");
        Menu("mnuFileOpen");
        EXPECT_EQ(messages.CountOf(ModTestData::RefusalText(refused, File("radio.ted"))), 1);
        EXPECT_FALSE(gEditTestBlock.Known());
    };
    ASSERT_TRUE(QFile::remove(File("radio.ted")) && QFile::link("gone.ted", File("radio.ted")));
    open(9082);
    ASSERT_TRUE(QFile::remove(File("radio.ted")) && QDir(files.path()).mkdir("radio.ted"));
    open(9082);
    ASSERT_TRUE(QDir(files.path()).rmdir("radio.ted"));
    Put("radio.ted", QByteArray(17, 'T'));
    open(9081);
    messages.defaultAnswer = IdOK;
    ModifyData(); // saved with another edit, the damaged file stays as it is
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_EQ(Bytes("radio.ted"), QByteArray(17, 'T'));
    messages.answers << IdOK; // File New holds no block either
    Menu("mnuFileNew");
    main->NewDocTimer_Timer();
    dialogs.saveAnswers << File("radio.dat"); // its ".ted" goes aside with it
    Menu("mnuFileSaveAs");
    EXPECT_EQ(Bytes("radio (replaced).ted") + Bytes("radio.ted"), QByteArray(17, 'T'));
    ModTestData::TakeDialogBlock({}); // one confirmed, zeros too, is saved
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_EQ(Bytes("radio.ted"), QByteArray(16, 0));
    ModTestData::TakeDialogBlock({0x21});
    ASSERT_TRUE(QFile::setPermissions(File("radio.ted"), QFile::ReadOwner | QFile::WriteOwner));
    messages.answers << IdOK;
    Menu("mnuFileSave");
    EXPECT_EQ(Bytes("radio.ted"), QByteArray(1, 0x21) + QByteArray(15, 0));
    EXPECT_EQ(Mode("radio.ted"), 0600u); // a file keeps its mode

    // File New holds no test block, never the one before
    messages.answers << IdOK; // start a new configuration?
    Menu("mnuFileNew");
    main->NewDocTimer_Timer();
    dialogs.saveAnswers << File("new.dat");
    const mode_t umask = ::umask(027);
    Menu("mnuFileSaveAs");
    ::umask(umask);
    for (const char* name : {"new.dat", "new.NVD"}) // new files follow the umask
        EXPECT_EQ(Mode(name), 0640u) << name;
    EXPECT_EQ(Left(), QStringList({"new.NVD", "new.dat", "radio (replaced).ted", "radio.NVD",
                                   "radio.dat", "radio.ted"}));
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
