#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "platform/Forms.h"
#include "shell/frmMain.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QToolBar>

namespace {

using Platform::Mb::IdCancel;
using Platform::Mb::IdNo;
using Platform::Mb::IdOK;
using Platform::Mb::IdYes;

// The question sequences of New, Open, Save, Save As and Exit.
class FileCommandsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        UseFixtureTexts();
        // the installation's version table pairs this program with its own data
        QFile table(program.Root() + "/Version.ini");
        ASSERT_TRUE(table.open(QIODevice::WriteOnly));
        table.write("[Version]\nFirmVersionCount=1\n[Firm]\nFirm0=V200V200\n");
        table.close();
        ModVerionMana::LoadVersionIni();
        LoadMain();
    }
    QString File(const QString& name) const { return files.path() + u'/' + name; }
    // Makes the configuration one that was saved to a file.
    void SaveAsFile(const QString& name) {
        dialogs.saveAnswers << File(name);
        ASSERT_TRUE(main->FileSaveAs());
        messages.shown.clear();
        dialogs.saved = 0;
    }
    QStringList Texts() const {
        QStringList out;
        for (const auto& s : messages.shown)
            out << s.text;
        return out;
    }
};

TEST_F(FileCommandsTest, NewOnUnchangedDataAsksOnlyWhetherToStartAfresh) {
    messages.answers << IdCancel;
    main->FileNew();
    EXPECT_EQ(Texts(), QStringList({"NEW?"}));
    EXPECT_EQ(messages.shown[0].title, "TITLE");
    EXPECT_FALSE(main->NewDocTimer().isActive());

    messages.answers << IdOK;
    main->FileNew();
    EXPECT_TRUE(main->NewDocTimer().isActive());
}

TEST_F(FileCommandsTest, NewOnChangedDataWithCancelStillAsksAndThenDiscards) {
    ModifyData();
    messages.answers << IdCancel << IdOK;
    main->FileNew();
    EXPECT_EQ(Texts(), QStringList({"SAVE?", "NEW?"}));
    EXPECT_EQ(messages.shown[0].style, Platform::Mb::YesNoCancel | Platform::Mb::Exclamation);
    main->NewDocTimer_Timer();
    EXPECT_EQ(gEditData, gFileData);
    EXPECT_EQ(dialogs.saved, 0);
}

TEST_F(FileCommandsTest, YesOnANewConfigurationAsksForANameInsteadOfWritingNewDat) {
    ModifyData();
    messages.answers << IdYes;
    dialogs.saveAnswers << ""; // Save As cancelled
    main->FileNew();
    EXPECT_EQ(dialogs.saved, 1);
    EXPECT_EQ(Texts(), QStringList({"SAVE?"})); // nothing more: the data stays
    EXPECT_FALSE(QFile::exists("new.dat"));
    EXPECT_FALSE(main->NewDocTimer().isActive());

    messages.answers << IdYes << IdOK;
    dialogs.saveAnswers << File("kept.dat");
    main->FileNew();
    EXPECT_TRUE(QFile::exists(File("kept.dat")));
    EXPECT_EQ(Texts(), QStringList({"SAVE?", "SAVE?", "NEW?"}));
    EXPECT_TRUE(main->NewDocTimer().isActive());
}

TEST_F(FileCommandsTest, YesOnAFileWritesItWithoutFurtherQuestions) {
    SaveAsFile("radio.dat");
    ModifyData();
    messages.answers << IdYes << IdCancel;
    main->FileNew();
    EXPECT_EQ(Texts(), QStringList({"SAVE?", "NEW?"}));
    EXPECT_EQ(dialogs.saved, 0);
    EXPECT_EQ(gEditData, gFileData); // written
}

TEST_F(FileCommandsTest, ToolbarNewAsksTheSameQuestionsAsTheMenu) {
    ModifyData();
    messages.answers << IdNo << IdCancel;
    main->tbToolBar_ButtonClick("NewFile");
    EXPECT_EQ(Texts(), QStringList({"SAVE?", "NEW?"}));
    EXPECT_FALSE(main->NewDocTimer().isActive());
    EXPECT_NE(gEditData, gFileData); // the edits are still there
}

TEST_F(FileCommandsTest, InitialiseKeepsItsFlagWhenTheNewIsCancelled) {
    messages.answers << IdCancel;
    main->FileInit();
    EXPECT_TRUE(gInitAllChannels);
    messages.answers << IdOK;
    main->FileInit();
    main->NewDocTimer_Timer();
    EXPECT_FALSE(gInitAllChannels);
}

TEST_F(FileCommandsTest, OpenWithCancelNeitherSavesNorOpens) {
    ModifyData();
    messages.answers << IdCancel;
    main->FileOpen();
    EXPECT_EQ(dialogs.opened, 0);
    EXPECT_EQ(dialogs.saved, 0);
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1);
}

TEST_F(FileCommandsTest, OpenGoesOnOnlyAfterASuccessfulSave) {
    ModifyData();
    messages.answers << IdYes;
    dialogs.saveAnswers << "";
    main->FileOpen();
    EXPECT_EQ(dialogs.opened, 0);

    messages.answers << IdYes;
    dialogs.saveAnswers << File("missing-folder/x.dat"); // cannot be written
    main->FileOpen();
    EXPECT_EQ(dialogs.opened, 0);
    EXPECT_TRUE(gIsUntitled);
    EXPECT_EQ(gDataFileName, "new.dat");
}

TEST_F(FileCommandsTest, OpenReadsTheChosenFileAndACancelledDialogClosesNothing) {
    SaveAsFile("radio.dat");
    main->FileOpen(); // dialog cancelled
    EXPECT_EQ(dialogs.opened, 1);
    EXPECT_EQ(dialogs.lastFilter, "DATA FILES (*.dat)|*.dat");
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1);

    const qint16 stored = gEditData.Settings.Keys[0];
    gEditData.Settings.Keys[0] = static_cast<qint16>(stored + 7); // changed, then discarded
    messages.answers << IdNo;
    dialogs.openAnswers << File("radio.dat");
    main->FileOpen();
    EXPECT_EQ(Texts(), QStringList({"SAVE?"}));
    EXPECT_EQ(gEditData.Settings.Keys[0], stored);
    EXPECT_EQ(LoadedCount("frmCommChInfo"), 1); // the opened file shows in the grid
    EXPECT_EQ(gDataFileName, File("radio.dat"));
    EXPECT_FALSE(gIsUntitled);
}

TEST_F(FileCommandsTest, ARefusedFileDoesNotBecomeTheCurrentFile) {
    SaveAsFile("radio.dat");
    const TRadioData edit = gEditData, saved = gFileData;
    // not a configuration (9065); a configuration of the wrong length (9033)
    for (const QByteArray& bytes : {QByteArray(100, 'x'), "V200" + QByteArray(96, 'x')}) {
        QFile bad(File("bad.dat"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write(bytes) == 100);
        bad.close();
        dialogs.openAnswers << File("bad.dat");
        main->FileOpen();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(gDataFileName, File("radio.dat"));
        EXPECT_TRUE(main->windowTitle().contains("radio.dat"));
        EXPECT_EQ(LoadedCount("frmCommChInfo"), 1) << bytes.left(4).data(); // the grid stays
        EXPECT_TRUE(gEditData == edit && gFileData == saved);
    }
}

TEST_F(FileCommandsTest, SaveOnAFileAsksWithItsNameInQuotes) {
    SaveAsFile("radio.dat");
    ModifyData();
    messages.answers << IdCancel;
    EXPECT_FALSE(main->FileSave());
    EXPECT_EQ(Texts(), QStringList({"\"radio.dat\"WRITE?"}));
    EXPECT_EQ(messages.shown[0].style, Platform::Mb::OKCancel | Platform::Mb::Question);
    EXPECT_NE(gEditData, gFileData);
    messages.answers << IdOK;
    EXPECT_TRUE(main->FileSave());
    EXPECT_EQ(gEditData, gFileData);
}

TEST_F(FileCommandsTest, SaveOnANewConfigurationIsSaveAs) {
    EXPECT_FALSE(main->FileSave());
    EXPECT_EQ(dialogs.saved, 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(FileCommandsTest, SaveAsProposesAndEnforcesTheDatSuffix) {
    dialogs.saveAnswers << File("radio");
    EXPECT_TRUE(main->FileSaveAs());
    EXPECT_EQ(dialogs.lastSuffix, "dat");
    EXPECT_EQ(dialogs.lastInitialPath, "new.dat");
    EXPECT_EQ(gDataFileName, File("radio.dat"));
    EXPECT_TRUE(QFile::exists(File("radio.dat")));
    EXPECT_FALSE(QFile::exists(File("radio")));
    EXPECT_TRUE(main->windowTitle().contains("[FILE:radio.dat]"));

    dialogs.saveAnswers << File("OTHER.DAT");
    EXPECT_TRUE(main->FileSaveAs());
    EXPECT_EQ(gDataFileName, File("OTHER.DAT"));
}

TEST_F(FileCommandsTest, AFailedSaveAsKeepsNameAndUnsavedState) {
    ModifyData();
    dialogs.saveAnswers << File("missing-folder/radio.dat");
    EXPECT_FALSE(main->FileSaveAs());
    EXPECT_EQ(gDataFileName, "new.dat");
    EXPECT_TRUE(gIsUntitled);
    EXPECT_NE(gEditData, gFileData);
    EXPECT_TRUE(main->windowTitle().contains("[FILE:new.dat]"));
}

TEST_F(FileCommandsTest, ExitWithCancelKeepsTheProgramRunning) {
    main->show();
    ModifyData();
    messages.answers << IdCancel;
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(QFile::exists(program.ProgramDir() + "/Setting.ini"));
}

TEST_F(FileCommandsTest, ExitGoesOnlyWhenTheSaveSucceeded) {
    main->show();
    ModifyData();
    messages.answers << IdYes;
    dialogs.saveAnswers << ""; // Save As cancelled
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());

    messages.answers << IdYes;
    dialogs.saveAnswers << File("missing-folder/x.dat"); // write fails
    EXPECT_FALSE(main->close());

    messages.answers << IdYes;
    dialogs.saveAnswers << File("exit.dat");
    EXPECT_TRUE(main->close());
    EXPECT_TRUE(QFile::exists(File("exit.dat")));
}

TEST_F(FileCommandsTest, ExitOnAFileAsksTheSaveQuestionOfSave) {
    SaveAsFile("radio.dat");
    main->show();
    ModifyData();
    messages.answers << IdYes << IdCancel; // Yes to "save?", Cancel to "overwrite?"
    EXPECT_FALSE(main->close());
    EXPECT_EQ(Texts(), QStringList({"SAVE?", "\"radio.dat\"WRITE?"}));
}

TEST_F(FileCommandsTest, ExitWithNoWritesTheIdentFlagsAndEnds) {
    main->show();
    ModifyData();
    gSavedIdentFlags = {1, 0, 1, 0};
    messages.answers << IdNo;
    main->FileExit();
    EXPECT_EQ(program.ReadFile("Setting.ini"), QByteArray("\x01\x00\x01\x00", 4));
    EXPECT_TRUE(main.isNull() || !main->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main.isNull());
}

TEST_F(FileCommandsTest, ExitCommitsTheTypedGridValueBeforeAsking) {
    main->show();
    FakeGridPage::pendingTypedValue = true; // unchanged data, but a value typed in the grid
    messages.answers << IdCancel;
    EXPECT_FALSE(main->close());
    EXPECT_EQ(Texts(), QStringList({"SAVE?"}));
    EXPECT_GE(FakeGridPage::validated, 1);
}

} // namespace
