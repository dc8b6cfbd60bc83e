#include "LinkFixture.h"
#include "platform/Forms.h"

#include <QTimer>

namespace Mb = Platform::Mb;

namespace {

// Stands in for the main window: records what the commands ask of it.
class FakeMain : public QObject, public TestSupport::MainCalls {
    Q_OBJECT
public:
    FakeMain() {
        setObjectName("frmMain");
        Platform::Forms::Register(this);
    }
    // Stands for a channel frequency typed and not yet confirmed.
    void CommitPendingEdits() override {
        ++commits;
        gEditData.ChannelCount = 1;
        gEditData.Channels[0] = TChannel{};
        gEditData.Channels[0].Number = 5;
        gEditData.Channels[0].RxFreq.Assign("43000000");
    }
    int commits = 0;
};

class CommandsTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        Platform::Forms::SetWindowOps({[this](const QString& name) {
                                           shown.append(name);
                                           return nullptr;
                                       },
                                       [this] { ++cascades; },
                                       [this](const QString& name) { closed.append(name); }});
    }
    void TearDown() override {
        Platform::Forms::SetWindowOps({});
        LinkTest::TearDown();
    }
    QStringList shown;
    QStringList closed;
    int cascades = 0;
};

TEST_F(CommandsTest, EndOfReadDecodesAndReopensTheGridAsNewData) {
    FakeMain main;
    radio.SetMemory(0, QByteArray(16 * 4, char(0xFF)));
    commands.mnuReadFromRadio_Click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(main.calls, QStringList{"CloseCurAllWindows"});
    ASSERT_TRUE(commands.ReadOKTimer.isActive());
    EXPECT_EQ(commands.ReadOKTimer.interval(), 500);
    gDataFileName = "old.dat";
    gIsUntitled = false;
    EXPECT_TRUE(WaitFor([&] { return !commands.ReadOKTimer.isActive(); }));
    EXPECT_EQ(main.calls, (QStringList{"CloseCurAllWindows", "ShowMainTxt", "Change_Language"}));
    EXPECT_EQ(gDataFileName, "new.dat");
    EXPECT_TRUE(gIsUntitled);
    EXPECT_EQ(shown, QStringList{"frmCommChInfo"});
    EXPECT_EQ(cascades, 1);
}

TEST_F(CommandsTest, WriteCommitsPendingEditsBeforeItEncodes) {
    FakeMain main;
    gEditData.ChannelCount = 0;
    commands.mnuWriteToRadio_Click();
    EXPECT_EQ(main.commits, 1);
    ASSERT_TRUE(commands.WaitSaveDataTimer.isActive());
    EXPECT_EQ(commands.WaitSaveDataTimer.interval(), 100);
    EXPECT_TRUE(WaitFor([&] { return !commands.WaitSaveDataTimer.isActive(); }));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Shown(9010), 1);
    // Channel 5 went to its slot: 43000000 = 0x029020C0.
    EXPECT_EQ(radio.Memory(16 * 4, 4), QByteArray("\x02\x90\x20\xC0", 4));
}

TEST_F(CommandsTest, ReadCommitsPendingEditsFirst) {
    FakeMain main;
    messages.answers = {Mb::IdCancel};
    commands.mnuReadFromRadio_Click();
    EXPECT_EQ(main.commits, 1);
}

TEST_F(CommandsTest, InformationCommandShowsThePageAfresh) {
    commands.mnuRadioInfo_Click();
    EXPECT_EQ(closed, QStringList{"FrmRadioInfo"});
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(shown, QStringList{"FrmRadioInfo"});
    EXPECT_EQ(messages.Count(), 0);
}

} // namespace

#include "CommandsTest.moc"
