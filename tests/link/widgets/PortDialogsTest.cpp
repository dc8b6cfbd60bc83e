#include "../LinkFixture.h"
#include "link/widgets/FrmSetComm.h"
#include "link/widgets/LoadFrmLink.h"
#include "link/widgets/ModSetComm.h"
#include "platform/Profile.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using ModFunLang::GetLangText;
namespace Ports = Platform::SerialPorts;

namespace {

QString StoredPort() {
    return Platform::GetProfileString(QStringLiteral("language"), QStringLiteral("comPort"),
                                      QStringLiteral("-"), ModSettings::SetupFilePath());
}

QList<bool> Enabled(const FrmSetComm& dialog) {
    QList<bool> enabled;
    for (QRadioButton* option : dialog.Option1)
        enabled << option->isEnabled();
    return enabled;
}

QList<bool> Only(std::initializer_list<int> ports) {
    QList<bool> enabled(16, false);
    for (int port : ports)
        enabled[port - 1] = true;
    return enabled;
}

class PortDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gComPort = 3;
        gFixedPortList = 0;
        Ports::SetGivenPorts(QList<int>{3, 12, 20});
    }
    void TearDown() override {
        Ports::SetGivenPorts(std::nullopt);
        gFixedPortList = 0;
    }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
};

TEST_F(PortDialogTest, OptionsFollowTheSystemsPorts) {
    FrmSetComm dialog;
    EXPECT_EQ(dialog.windowTitle(), GetLangText(22000));
    EXPECT_EQ(dialog.Frame1->title(), GetLangText(22001));
    EXPECT_EQ(dialog.Option1[11]->text(), GetLangText(22002) + "12");
    EXPECT_EQ(dialog.CommandOK->text(), GetLangText(9017));
    EXPECT_EQ(dialog.CommandCancel->text(), GetLangText(9018));
    // Port 20 has no option and disturbs nothing; the port list shows it.
    EXPECT_EQ(Enabled(dialog), Only({3, 12}));
    EXPECT_EQ(dialog.SelectedOption(), 2);
    EXPECT_EQ(ModSetComm::PortItems(), QStringList({"COM3", "COM12", "COM20"}));

    // Once a second the options follow the ports that come and go; the
    // selection stays, also on a port that went away.
    EXPECT_TRUE(dialog.ReCommTimer.isActive());
    EXPECT_EQ(dialog.ReCommTimer.interval(), 1000);
    Ports::SetGivenPorts(QList<int>{5});
    dialog.ReCommTimer_Timer();
    EXPECT_EQ(Enabled(dialog), Only({5}));
    EXPECT_EQ(dialog.SelectedOption(), 2);

    gFixedPortList = 1;
    dialog.ReCommTimer_Timer();
    EXPECT_EQ(Enabled(dialog), QList<bool>(16, true));

    dialog.CommandCancel->click();
    EXPECT_FALSE(dialog.ReCommTimer.isActive());
    EXPECT_EQ(gComPort, 3);
    EXPECT_EQ(StoredPort(), "-");
}

TEST_F(PortDialogTest, OKStoresTheChosenPort) {
    Ports::SetGivenPorts(QList<int>{3, 5});
    FrmSetComm dialog;
    dialog.Option1[4]->click();
    dialog.CommandOK->click();
    EXPECT_EQ(gComPort, 5);
    EXPECT_EQ(StoredPort(), "5");

    // a settings file that cannot be written: said once, the port is used for the session
    const QString setup = ModSettings::SetupFilePath();
    ASSERT_TRUE(QFile::remove(setup) && QDir().mkpath(setup));
    FrmSetComm again;
    again.Option1[2]->click();
    again.CommandOK->click();
    EXPECT_EQ(gComPort, 3);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.shown[0].text, GetLangText(9120) + u'\n' + setup);
}

TEST_F(PortDialogTest, PortBeyondTheOptionsIsKeptByOK) {
    gComPort = 20;
    FrmSetComm dialog;
    EXPECT_EQ(dialog.SelectedOption(), -1);
    dialog.ReCommTimer_Timer();
    EXPECT_EQ(dialog.SelectedOption(), -1);
    dialog.CommandOK->click();
    EXPECT_EQ(gComPort, 20);
    EXPECT_EQ(StoredPort(), "-");
}

TEST_F(PortDialogTest, OnlyPortsWithHardwareBehindThemAreOffered) {
    TestSupport::LinkFolder links;
    ASSERT_TRUE(links.isValid());
    SimRadio radio;
    ASSERT_TRUE(radio.Start(links.path(), 3));
    ASSERT_TRUE(QFile::link("/dev/null", links.filePath("com5")));
    // The node of a UART that is not there (the last standard one).
    const QByteArray ghost = QFile::encodeName(links.filePath("ghost"));
    if (::mknod(ghost.constData(), S_IFCHR | 0600, makedev(4, 64 + 31)) == 0) {
        ASSERT_TRUE(QFile::link(links.filePath("ghost"), links.filePath("com7")));
    }
    Ports::SetGivenPorts(std::nullopt);
    gComPort = 5;

    FrmSetComm dialog;
    const QList<bool> enabled = Enabled(dialog);
    EXPECT_TRUE(enabled[2]);
    EXPECT_FALSE(enabled[4]);
    EXPECT_FALSE(enabled[6]);
    const QStringList items = ModSetComm::PortItems();
    EXPECT_TRUE(items.contains("COM3"));
    EXPECT_FALSE(items.contains("COM5"));
    EXPECT_FALSE(items.contains("COM7"));
    dialog.Option1[2]->click();
    dialog.CommandOK->click();
    EXPECT_EQ(gComPort, 3);
    EXPECT_EQ(StoredPort(), "3");
    radio.Stop();
}

TEST(LinkReplyTest, TheAcknowledgementMustEndTheReply) {
    EXPECT_TRUE(LoadFrmLink::IsLink2(QByteArray("KL\x06", 3)));
    EXPECT_TRUE(LoadFrmLink::IsLink2(QByteArray("\x55xKL\x06", 5)));
    EXPECT_FALSE(LoadFrmLink::IsLink2(QByteArray("L\x06", 2)));
    EXPECT_FALSE(LoadFrmLink::IsLink2(QByteArray("KL\x06\x55", 4)));
    EXPECT_FALSE(LoadFrmLink::IsLink2(QByteArray("KL\x15", 3)));
}

// The first-run dialog against the simulated radio on the fixture's port.
class FirstRunDialogTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        gFirstRun = true;
        Ports::SetGivenPorts(QList<int>{kTestPort + 1, kTestPort});
    }
    bool WaitClosed(LoadFrmLink& dialog, int ms = 2000) {
        return WaitFor([&] { return !dialog.isVisible(); }, ms);
    }
};

TEST_F(FirstRunDialogTest, RadioAnswerEndsTheSetUp) {
    LoadFrmLink dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Initial Setup");
    EXPECT_EQ(dialog.Text1->toPlainText(), GetLangText(9054) + "\n\n" + GetLangText(9050) + "\n" +
                                               GetLangText(9051) + "\n" + GetLangText(9052) + "\n" +
                                               GetLangText(9053));
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM%1").arg(kTestPort));
    dialog.Command1->click();
    ASSERT_TRUE(WaitClosed(dialog));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(gFirstRun);
    EXPECT_EQ(gComPort, kTestPort);
    EXPECT_FALSE(dialog.MSComm1.PortOpen());
    EXPECT_EQ(radio.CurrentCounters().handshakes, 1);
    EXPECT_EQ(radio.CurrentCounters().identifications, 0); // no session is run
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(FirstRunDialogTest, GivesUpAfterFourSendsAndMayBeTriedAgain) {
    Update([](SimRadio::Setup& s) { s.silent = true; });
    LoadFrmLink dialog;
    dialog.show();
    dialog.Command1->click();
    ASSERT_TRUE(WaitFor([&] { return messages.Count() > 0; }, 3000));
    EXPECT_EQ(messages.CountOf("Communication Error!"), 1);
    EXPECT_EQ(radio.CurrentCounters().handshakes, 4);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.MSComm1.PortOpen());
    EXPECT_TRUE(gFirstRun);

    // The radio is switched on; OK again reopens the port and starts afresh.
    Update([](SimRadio::Setup& s) { s.silent = false; });
    dialog.Command1->click();
    ASSERT_TRUE(WaitClosed(dialog));
    EXPECT_FALSE(gFirstRun);
    EXPECT_EQ(radio.CurrentCounters().handshakes, 5);
}

TEST_F(FirstRunDialogTest, PortChoiceFollowsTheListAndItsRefresh) {
    gComPort = 0;
    LoadFrmLink dialog;
    EXPECT_EQ(dialog.Combo1->currentIndex(), -1);
    EXPECT_TRUE(dialog.ReCommTimer.isActive());
    dialog.ReCommTimer_Timer(); // a second later: the first listed port
    EXPECT_EQ(dialog.Combo1->currentText(), QStringLiteral("COM%1").arg(kTestPort + 1));
    EXPECT_EQ(gComPort, kTestPort + 1);

    // A port that is not listed: the first listed one is shown and used.
    gComPort = 7;
    LoadFrmLink other;
    EXPECT_EQ(other.Combo1->currentIndex(), 0);
    EXPECT_EQ(gComPort, kTestPort + 1);

    other.Combo1->setCurrentIndex(1);
    emit other.Combo1->activated(1);
    EXPECT_EQ(gComPort, kTestPort);
}

TEST_F(FirstRunDialogTest, UnopenablePortSaysSoAndSendsNothing) {
    Ports::SetGivenPorts(QList<int>{});
    gComPort = kTestPort + 1; // listed nowhere and no device
    LoadFrmLink dialog;
    EXPECT_EQ(dialog.Combo1->count(), 0);
    dialog.Command1->click();
    EXPECT_EQ(messages.CountOf("Cannot Open Communication Port."), 1);
    EXPECT_EQ(messages.shown.value(0).style, Platform::Mb::OKOnly | Platform::Mb::Critical);
    EXPECT_FALSE(dialog.LinkWaitTimer.isActive());
    EXPECT_TRUE(gFirstRun);
}

TEST_F(FirstRunDialogTest, CancelKeepsTheFirstRunFlag) {
    LoadFrmLink dialog;
    dialog.show();
    dialog.Command1->click();
    dialog.Command2->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.MSComm1.PortOpen());
    EXPECT_FALSE(dialog.ReCommTimer.isActive());
    EXPECT_TRUE(gFirstRun);
}

} // namespace
