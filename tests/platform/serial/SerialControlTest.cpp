#include "platform/serial/SerialControl.h"
#include "SimRadio.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

using Platform::SerialControl;
namespace Ports = Platform::SerialPorts;

namespace {

const int kPort = TestSupport::TestPort();

class SerialTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(radio.Start(dir.path(), kPort));
        port.SetCommPort(kPort);
        ASSERT_TRUE(port.SetSettings("9600,n,8,1"));
    }
    void TearDown() override {
        port.Close();
        radio.Stop();
    }
    TestSupport::LinkFolder dir;
    SimRadio radio;
    SerialControl port;
};

TEST(SerialPortsTest, FixedDevicesByNumber) {
    qunsetenv(Ports::kLinkDirVariable);
    EXPECT_EQ(Ports::DevicePath(0), "");
    EXPECT_EQ(Ports::DevicePath(256), "");
    EXPECT_EQ(Ports::DevicePath(97), "");
    const std::pair<const char*, int> names[] = {{"ttyS0", 1},     {"ttyS31", 32}, {"ttyUSB0", 33},
                                                 {"ttyACM31", 96}, {"ttyS32", 0},  {"xttyS1", 0}};
    for (const auto& [name, number] : names)
        EXPECT_EQ(Ports::FixedNumber(QLatin1String(name)), number) << name;
    for (int port : Ports::ListPorts()) {
        const QString path = Ports::DevicePath(port);
        EXPECT_TRUE(QFile::exists(path)) << qPrintable(path);
        if (port <= 32)
            EXPECT_EQ(path, QStringLiteral("/dev/ttyS%1").arg(port - 1));
        else if (port <= 64)
            EXPECT_EQ(path, QStringLiteral("/dev/ttyUSB%1").arg(port - 33));
        else
            EXPECT_EQ(path, QStringLiteral("/dev/ttyACM%1").arg(port - 65));
    }
}

TEST_F(SerialTest, LinksInTheFolderComeFirstAndOnlyWhenTheyLead) {
    EXPECT_EQ(Ports::DevicePath(kPort), dir.path() + QStringLiteral("/com%1").arg(kPort));
    EXPECT_TRUE(Ports::ListPorts().contains(kPort));
    ASSERT_TRUE(QFile::link(dir.path() + "/nothing", dir.path() + "/com255"));
    EXPECT_FALSE(Ports::ListPorts().contains(255));
    EXPECT_EQ(Ports::DevicePath(255), "");
}

TEST_F(SerialTest, OnlyLinksToRealPortsCount) {
    // A device node of the last standard UART, which no machine here has.
    const QString ghost = dir.path() + "/ghost";
    const bool ghostMade =
        ::mknod(QFile::encodeName(ghost).constData(), S_IFCHR | 0600, makedev(4, 64 + 31)) == 0;
    QFile file(dir.path() + "/plain");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    struct Row {
        QString target;
        bool listed;
    };
    const Row rows[] = {
        {radio.DevicePath(), true},       // a pseudo-terminal
        {"/dev/null", false},             // a character device, but no port
        {dir.path() + "/plain", false},   // a file
        {dir.path() + "/nothing", false}, // nothing
        {ghostMade ? ghost : "", false},  // a port's node without hardware
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const int number = kPort + 1 + static_cast<int>(i);
        if (rows[i].target.isEmpty() || number > Ports::kMaxPort) continue;
        ASSERT_TRUE(QFile::link(rows[i].target, dir.path() + QStringLiteral("/com%1").arg(number)));
        SCOPED_TRACE(rows[i].target.toStdString());
        EXPECT_EQ(Ports::ListPorts().contains(number), rows[i].listed);
        EXPECT_EQ(Ports::DevicePath(number).isEmpty(), !rows[i].listed);
        // A port that is not listed is not opened either.
        port.SetCommPort(number);
        EXPECT_EQ(port.Open(), rows[i].listed);
        if (!rows[i].listed) {
            EXPECT_EQ(port.CommEvent(), SerialControl::ErNoPort);
        }
        port.Close();
    }
}

TEST_F(SerialTest, SettingsStringIsChecked) {
    EXPECT_FALSE(port.SetSettings("9600,x,8,1"));
    EXPECT_FALSE(port.SetSettings("9600,n,8"));
    EXPECT_FALSE(port.SetSettings("9600,n,8,3"));
    EXPECT_TRUE(port.SetSettings("9600,N,8,2"));
    EXPECT_EQ(port.Settings(), "9600,n,8,2");
}

TEST_F(SerialTest, LineSettingsReachTheDevice) {
    port.SetSettings("9600,n,8,2");
    port.SetHandshaking(SerialControl::RtsCtsXonXoff);
    ASSERT_TRUE(port.Open()) << qPrintable(port.ErrorText());
    unsigned iflag = 0, cflag = 0;
    ASSERT_TRUE(radio.LineSettings(iflag, cflag));
    EXPECT_TRUE(iflag & IXON);
    EXPECT_TRUE(iflag & IXOFF);
    EXPECT_TRUE(cflag & CSTOPB);
    port.Close();

    port.SetSettings("9600,n,8,1");
    port.SetHandshaking(SerialControl::NoHandshaking);
    ASSERT_TRUE(port.Open());
    ASSERT_TRUE(radio.LineSettings(iflag, cflag));
    EXPECT_FALSE(iflag & IXON);
    EXPECT_FALSE(cflag & CSTOPB);
    EXPECT_EQ(cflag & CSIZE, static_cast<unsigned>(CS8));
}

TEST_F(SerialTest, ReceiveEventWaitsForTheThreshold) {
    SimRadio::Setup setup;
    setup.splitPieces = 16;
    setup.splitGapMs = 4;
    radio.Configure(setup);
    ASSERT_TRUE(port.Open());
    QList<QByteArray> events;
    QObject::connect(&port, &SerialControl::OnComm, [&] {
        if (port.CommEvent() == SerialControl::EvReceive) events.append(port.Input());
    });
    port.SetRThreshold(16);
    port.Output(QByteArray(1, 0x02)); // identification: 16 bytes in 16 pieces
    ASSERT_TRUE(TestSupport::WaitFor([&] { return !events.isEmpty(); }));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].size(), 16);
    EXPECT_EQ(events[0][0], 'P');
}

TEST_F(SerialTest, ClosingSendsWhatWasWritten) {
    ASSERT_TRUE(port.Open());
    QByteArray frame(22, '\0');
    frame[0] = 'W';
    frame[3] = 0x10;
    frame[21] = 0x06;
    port.Output(frame);
    port.Close();
    TestSupport::WaitFor([&] { return radio.CurrentCounters().writes > 0; });
    EXPECT_EQ(radio.CurrentCounters().writes, 1);
}

TEST_F(SerialTest, ClosingALineThatTakesNothingReturnsInTimeAndDropsTheRest) {
    SimRadio::Setup setup;
    setup.stalled = true;
    radio.Configure(setup);
    port.SetHandshaking(SerialControl::RtsCts);
    ASSERT_TRUE(port.Open()) << qPrintable(port.ErrorText());
    port.Output(QByteArray(64 * 1024, 0x02)); // identifications, none of which can leave
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    port.Close();
    EXPECT_LT(clock.elapsed(), SerialControl::kCloseWaitMaxMs + 400);
    EXPECT_FALSE(port.PortOpen());
    // What was still unsent is gone: once the line moves again, only what
    // is sent after it comes through.
    setup.stalled = false;
    radio.Configure(setup);
    ASSERT_TRUE(port.Open());
    port.SetRThreshold(16);
    port.Output(QByteArray(1, 0x02));
    ASSERT_TRUE(TestSupport::WaitFor([&] { return port.InBufferCount() >= 16; }));
    EXPECT_FALSE(TestSupport::WaitFor([&] { return port.InBufferCount() > 16; }, 200));
    EXPECT_EQ(radio.CurrentCounters().identifications, 1);
}

TEST_F(SerialTest, EmptyingTheInputDropsWhatWaits) {
    ASSERT_TRUE(port.Open());
    port.Output(QByteArray(1, 0x02));
    ASSERT_TRUE(TestSupport::WaitFor([&] { return port.InBufferCount() >= 16; }));
    EXPECT_EQ(port.InBufferCount(), 16);
    port.ClearInBuffer();
    EXPECT_EQ(port.InBufferCount(), 0);
    EXPECT_TRUE(port.Input().isEmpty());
}

TEST_F(SerialTest, RadioOutlivesThePortClosingAndOpening) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(port.Open());
        port.Output(QByteArray(1, 0x02));
        ASSERT_TRUE(TestSupport::WaitFor([&] { return port.InBufferCount() >= 16; }));
        EXPECT_EQ(port.Input().size(), 16);
        port.Close();
    }
    EXPECT_EQ(radio.CurrentCounters().identifications, 3);
}

TEST_F(SerialTest, MissingPortFails) {
    port.SetCommPort(254);
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(port.CommEvent(), SerialControl::ErNoPort);
    EXPECT_FALSE(port.PortOpen());
}

} // namespace
