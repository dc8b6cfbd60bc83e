#include "SimRadio.h"
#include "dealer/DealerTexts.h"
#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "platform/SysLocale.h"
#include "platform/serial/SerialControl.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Halbrek;
using Halbrek::ModComm::SetChecksum;
namespace MC = Halbrek::ModComm;

namespace {

const int kTestPort = TestSupport::TestPort();

// The window as the session sees it: the screen is a function that edits
// the record, the protect dialog a fixed answer.
class Screen : public SessionHost {
public:
    std::function<void()> edit;
    bool newPairOK = true;
    QString newQuestion = QStringLiteral("Phone tail");
    QString newAnswer = QStringLiteral("6688");
    int newPairAsked = 0;
    std::function<void()> whileAsking;
    int shows = 0;
    bool running = false;
    QList<int> radioNos;
    QStringList statuses;

    void GetDataByShow() override {
        if (edit) edit();
        ModProtect::UpdatePasswordChanged();
    }
    void ShowByData() override { ++shows; }
    bool NewProtectPassword() override {
        ++newPairAsked;
        // Nothing may arrive on the link while a dialog is open.
        EXPECT_FALSE(MC::MSComm1().PortOpen());
        EXPECT_FALSE(MC::WaitTimer().isActive());
        StoreFixed(gProtectInfo.NewQuestion, newQuestion);
        StoreFixed(gProtectInfo.NewAnswer, newAnswer);
        if (whileAsking) whileAsking();
        return newPairOK;
    }
    bool SetProtectPassword() override { return false; }
    bool ShowStartMulWrite() override {
        const bool wasRunning = MC::gCommState == MC::MultiWriting;
        running = !wasRunning;
        return wasRunning;
    }
    void ShowRadioNo(int number) override { radioNos << number; }
    void ShowStatus(const QString& text) override { statuses << text; }
};

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
        gLanguage = 1;
        ModData::InitDefaults();
        FillProtectTexts();
        gProtectInfo = {};
        gRadioImage.fill(0);
        MC::ResetSession();
        MC::SetHost(&screen);
        ASSERT_TRUE(linkDir.isValid());
        ASSERT_TRUE(radio.Start(linkDir.path(), kTestPort));
        MC::gComPort = kTestPort;
        // A radio as the factory leaves it.
        radio.SetMemory(0xB00, QByteArray("KL740G\0\x08", 8));
        radio.SetMemory(0xB0C, QByteArray(1, 0x13));
        radio.SetMemory(0xB10, "0595");
        radio.SetMemory(0xB40, "2024031500000007");
        radio.SetMemory(0xB50, QByteArray("2024-03-15\0", 11));
        radio.SetMemory(0xCC0, QByteArray("D-0815\0", 7));
    }
    void TearDown() override {
        MC::ResetSession();
        MC::SetHost(nullptr);
        radio.Stop();
        Platform::SetSystemLcidForTesting(-1);
    }

    static bool WaitIdle(int ms = 20000) {
        return TestSupport::WaitFor([] { return MC::gCommState == MC::Idle; }, ms);
    }
    static bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
        return TestSupport::WaitFor(condition, ms);
    }
    // Waits until the program has sent the radio this many more handshakes
    // (its polls while a multi-write waits for the next radio).
    bool WaitPolls(int count) {
        const int seen = radio.CurrentCounters().handshakes;
        return WaitFor([&] { return radio.CurrentCounters().handshakes >= seen + count; });
    }
    void Update(const std::function<void(SimRadio::Setup&)>& change) {
        SimRadio::Setup setup = radio.CurrentSetup();
        change(setup);
        radio.Configure(setup);
    }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    TestSupport::LinkFolder linkDir;
    SimRadio radio;
    Screen screen;
};

TEST_F(SessionTest, ReadFetchesTheWholeAreaWithAndWithoutEcho) {
    for (bool echo : {false, true}) {
        radio.ResetCounters();
        Update([echo](SimRadio::Setup& s) {
            s.echo = echo;
            s.splitPieces = echo ? 3 : 1; // replies that come in pieces
        });
        gRadioImage.fill(0);
        MC::StartRead();
        ASSERT_TRUE(WaitIdle());
        EXPECT_EQ(MC::gNoEcho, !echo);
        EXPECT_EQ(messages.CountOf("Read Complete!"), echo ? 2 : 1);
        const auto reads = radio.CurrentCounters().readAddresses;
        ASSERT_EQ(reads.size(), 32u);
        EXPECT_EQ(reads.front(), 0xB00);
        EXPECT_EQ(reads.back(), 0xCF0);
        EXPECT_EQ(ModData::ImageBytes(0xB00, kAreaSize), radio.Memory(0xB00, kAreaSize));
        EXPECT_EQ(gDealerInfo.RadioType, "KL740G");
        EXPECT_EQ(gDealerInfo.BandCode, 8);
        EXPECT_EQ(gDealerInfo.Kill, 0);
        EXPECT_EQ(gDealerInfo.Factory, 1);
        EXPECT_EQ(FixedValue(gDealerInfo.SerialNumber), "2024031500000007");
        EXPECT_EQ(FixedValue(gDealerInfo.ProductedDate), "2024-03-15");
        EXPECT_EQ(FixedValue(gDealerInfo.DealerCode), "D-0815");
        EXPECT_EQ(FixedValue(gDealerInfo.Seller), ""); // erased bytes
        EXPECT_FALSE(MC::MSComm1().PortOpen());
    }
    EXPECT_EQ(screen.shows, 2);
}

TEST_F(SessionTest, SilentRadioOrBadChecksumEndsInCommunicationError) {
    Update([](SimRadio::Setup& s) {
        s.corruptAddress = 0xB50;
        s.corruptCount = 1;
    });
    MC::StartRead();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(messages.CountOf("Communication Error!"), 1);
    EXPECT_EQ(messages.CountOf("Read Complete!"), 0);
    EXPECT_EQ(ModData::ImageBytes(0xB40, 16), radio.Memory(0xB40, 16)); // kept
    EXPECT_EQ(ModData::ImageByte(0xB50), 0);
    EXPECT_FALSE(MC::MSComm1().PortOpen());

    Update([](SimRadio::Setup& s) { s.silent = true; });
    MC::StartWrite();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(messages.CountOf("Communication Error!"), 2);
    EXPECT_TRUE(radio.CurrentCounters().writeAddresses.empty());
}

TEST_F(SessionTest, RepliesAreRecognisedAfterTheEcho) {
    QByteArray reply =
        QByteArray("W\x0C\x30\x10", 4) + QByteArray(16, 'x') + QByteArray("\0\x06", 2);
    SetChecksum(reply, 1);
    for (int echo : {0, 4}) {
        MC::gEchoLength = echo;
        const QByteArray chunk = QByteArray(echo, 'R') + reply;
        EXPECT_TRUE(MC::IsDataReply(chunk));
        QByteArray bad = chunk;
        bad[bad.size() - 2] = static_cast<char>(bad[bad.size() - 2] + 1);
        EXPECT_FALSE(MC::IsDataReply(bad));
        EXPECT_FALSE(MC::IsDataReply(chunk.left(chunk.size() - 1)));
        EXPECT_TRUE(MC::IsAckReply(QByteArray(echo, 'R') + '\x06'));
        EXPECT_FALSE(MC::IsAckReply(QByteArray(echo, 'R') + "\x06\x06"));
        EXPECT_TRUE(MC::IsResendReply(QByteArray(echo, 'R') + '\x0A'));
        MC::StoreReadBlock(chunk);
        EXPECT_EQ(ModData::ImageBytes(0xC30, 16), QByteArray(16, 'x'));
    }
    // A block outside the area is not stored.
    gRadioImage.fill(0);
    MC::gEchoLength = 0;
    QByteArray outside = reply;
    outside[1] = 0x0A;
    SetChecksum(outside, 1);
    MC::StoreReadBlock(outside);
    EXPECT_EQ(gRadioImage, decltype(gRadioImage){});
    // An erased password block leaves the radio without a password.
    QByteArray erased =
        QByteArray("W\x0B\x30\x10", 4) + QByteArray(16, '\xFF') + QByteArray("\0\x06", 2);
    MC::StoreCheckBlock(erased, 0xB30, 16);
    EXPECT_FALSE(MC::gRadioHasPassword);
    EXPECT_EQ(MC::gRadioPassword, "");
}

TEST_F(SessionTest, PortThatDoesNotOpenIsReported) {
    MC::gComPort = 0;
    MC::StartRead();
    EXPECT_EQ(MC::gCommState, MC::Idle);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.shown[0].text, "Cannot Open Communication Port.");
    EXPECT_EQ(messages.shown[0].style, Platform::Mb::Critical);
}

TEST_F(SessionTest, WriteReadsBackThenSendsEightBlocks) {
    Update([](SimRadio::Setup& s) {
        s.echo = true;
        s.resendAddress = 0xCD0; // asks for one block twice more
        s.resendCount = 2;
    });
    screen.edit = [] {
        StoreFixed(gDealerInfo.DealerCode, "NEW-DEALER");
        StoreFixed(gDealerInfo.Seller, "Lin");
        StoreFixed(gDealerInfo.Password, "9876");
        gDealerInfo.Kill = 1;
    };
    StoreFixed(gDealerInfo.SerialNumber, "2024031500000007");
    MC::StartWrite();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(messages.CountOf("Write Complete!"), 1);
    const SimRadio::Counters c = radio.CurrentCounters();
    EXPECT_EQ(c.readAddresses, (std::vector<int>{0xB00, 0xB30, 0xC00, 0xC10}));
    EXPECT_EQ(c.writeAddresses, (std::vector<int>{0xB00, 0xB30, 0xC00, 0xC10, 0xCC0, 0xCD0, 0xCD0,
                                                  0xCD0, 0xCE0, 0xCF0}));
    EXPECT_EQ(radio.Memory(0xCC0, 16), QByteArray("NEW-DEALER") + QByteArray(6, '\0'));
    EXPECT_EQ(radio.Memory(0xB3C, 4), "9876");
    EXPECT_EQ(static_cast<quint8>(radio.Memory(0xB0C, 1)[0]), 0x13 | 0x08);
    // The radio had no password: a new pair was asked and written.
    EXPECT_EQ(screen.newPairAsked, 1);
    EXPECT_EQ(radio.Memory(0xC00, 16), QByteArray("Phone tail") + QByteArray(6, '\0'));
    EXPECT_EQ(radio.Memory(0xC10, 8), QByteArray("6688") + QByteArray(4, '\0'));
    // Untouched blocks, and the serial number rises on the screen only.
    EXPECT_EQ(radio.Memory(0xB40, 16), "2024031500000007");
    EXPECT_EQ(FixedValue(gDealerInfo.SerialNumber), "2024031500000008");
    EXPECT_FALSE(MC::MSComm1().PortOpen());
}

TEST_F(SessionTest, PortGoneWhileTheQuestionIsOpenEndsTheWrite) {
    screen.edit = [] { StoreFixed(gDealerInfo.Password, "9876"); };
    screen.whileAsking = [this] { QFile::remove(radio.LinkPath()); }; // the cable was pulled
    MC::StartWrite();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(screen.newPairAsked, 1);
    EXPECT_EQ(messages.CountOf("Cannot Open Communication Port."), 1);
    EXPECT_EQ(messages.CountOf("Write Complete!"), 0);
    EXPECT_TRUE(radio.CurrentCounters().writeAddresses.empty());
    EXPECT_FALSE(MC::WaitTimer().isActive());
}

TEST_F(SessionTest, ProtectedRadioKeepsItsPasswordWithoutTheAnswer) {
    radio.SetMemory(0xB3C, "1111");
    radio.SetMemory(0xC00, QByteArray("Pet\0", 4));
    radio.SetMemory(0xC10, QByteArray("Rex\0", 4));
    screen.edit = [] { StoreFixed(gDealerInfo.Password, "2222"); };
    MC::StartWrite();
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(MC::gRadioHasPassword);
    EXPECT_TRUE(MC::gRadioHasAnswer);
    EXPECT_EQ(MC::gRadioPassword, "1111");
    EXPECT_EQ(screen.newPairAsked, 0);
    EXPECT_EQ(radio.Memory(0xB3C, 4), "1111");
    EXPECT_EQ(radio.Memory(0xC10, 4), QByteArray("Rex\0", 4));
    EXPECT_EQ(messages.CountOf("Write Complete!"), 1);
}

TEST_F(SessionTest, MultiWriteWritesEachNewRadioOnce) {
    StoreFixed(gDealerInfo.SerialNumber, "00000010");
    radio.SetMemory(0xB30, "U001");
    radio.SetMemory(0xC10, QByteArray("Rex\0", 4));
    screen.edit = [] { StoreFixed(gDealerInfo.DealerCode, "BATCH"); };
    screen.running = true; // the button switched the controls
    MC::StartMulWrite("2");
    // The first radio is written, then polled while it stays on the cable.
    ASSERT_TRUE(WaitFor([&] { return MC::gRadioNo == 2; }));
    ASSERT_TRUE(WaitPolls(2));
    EXPECT_EQ(radio.CurrentCounters().writeAddresses.size(), 8u);
    EXPECT_EQ(radio.Memory(0xCC0, 5), "BATCH");
    // The radio's own blocks are read back first, as in a single write.
    const auto reads = radio.CurrentCounters().readAddresses;
    ASSERT_GE(reads.size(), 4u);
    EXPECT_EQ(std::vector<int>(reads.begin(), reads.begin() + 4),
              (std::vector<int>{0xB00, 0xB30, 0xC00, 0xC10}));
    EXPECT_EQ(radio.Memory(0xB30, 4), "U001");
    EXPECT_EQ(radio.Memory(0xC10, 4), QByteArray("Rex\0", 4));
    // Swapped: no answer for a while, then the next radio.
    Update([](SimRadio::Setup& s) { s.silent = true; });
    radio.SetMemory(0xCC0, QByteArray(16, '\xFF'));
    ASSERT_TRUE(WaitFor([] { return MC::gTimeoutCount >= 2; }));
    Update([](SimRadio::Setup& s) { s.silent = false; });
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(radio.CurrentCounters().writeAddresses.size(), 16u);
    EXPECT_EQ(radio.Memory(0xCC0, 5), "BATCH");
    EXPECT_EQ(MC::gRadioNo, 3);
    EXPECT_EQ(FixedValue(gDealerInfo.SerialNumber), "00000012");
    EXPECT_EQ(messages.CountOf("MulWrite Complete!"), 1);
    EXPECT_EQ(messages.Count(), 1);
    EXPECT_FALSE(screen.running);
    EXPECT_EQ(screen.statuses.first(), "Writting Data...");
    EXPECT_TRUE(screen.statuses.contains("Waitting next..."));
    EXPECT_FALSE(MC::MSComm1().PortOpen());
}

TEST_F(SessionTest, MultiWriteStopsAndFailsCleanly) {
    screen.running = true;
    MC::StartMulWrite("abc"); // no number: one radio
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(messages.CountOf("MulWrite Complete!"), 1);
    EXPECT_EQ(radio.CurrentCounters().writeAddresses.size(), 8u);

    radio.ResetCounters();
    screen.running = true;
    MC::StartMulWrite("5");
    ASSERT_TRUE(WaitFor([&] { return MC::gRadioNo == 2; }));
    // Stop while polling.
    EXPECT_TRUE(screen.ShowStartMulWrite());
    MC::EndMulWrite(false);
    EXPECT_EQ(MC::gCommState, MC::Idle);
    // Nothing is left to send anything more.
    EXPECT_FALSE(MC::WaitTimer().isActive());
    EXPECT_FALSE(MC::MSComm1().PortOpen());
    EXPECT_EQ(radio.CurrentCounters().writeAddresses.size(), 8u);
    EXPECT_EQ(messages.Count(), 1);

    // Four hours without a next radio end the run.
    screen.running = true;
    MC::StartMulWrite("5");
    ASSERT_TRUE(WaitFor([&] { return MC::gRadioNo == 2; }));
    Update([](SimRadio::Setup& s) { s.silent = true; });
    ASSERT_TRUE(WaitFor([&] { return MC::gTimeoutCount == 1; }));
    MC::gTimeoutCount = MC::kMaxWaitTimeouts;
    MC::WaitTimer_Timer();
    EXPECT_EQ(MC::gCommState, MC::Idle);
    EXPECT_FALSE(screen.running);
    EXPECT_EQ(messages.CountOf("Communication Error!"), 1);
    Update([](SimRadio::Setup& s) { s.silent = false; });
    messages.shown.clear();

    // A first radio that does not answer.
    Update([](SimRadio::Setup& s) { s.silent = true; });
    screen.running = true;
    MC::StartMulWrite("3");
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(messages.CountOf("Communication Error!"), 1);
    EXPECT_FALSE(screen.running);
}

} // namespace
