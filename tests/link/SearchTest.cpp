#include "LinkFixture.h"
#include "link/ModTestComm.h"
#include "platform/Forms.h"
#include "platform/Profile.h"

#include <QDir>
#include <memory>

using ModFunLang::GetLangText;
using Line = SimRadio::Line;
namespace Mb = Platform::Mb;
namespace Ports = Platform::SerialPorts;

namespace {

const QString kEnglishCaption =
    QStringLiteral("Search for communication setting,please wait for a few minutes...");
const QString kChineseCaption = QStringLiteral("正在匹配串口配置，可能需要几分钟，请等待。。。");

// The settings in the order the search tries them on each port.
const std::vector<Line> kSearchOrder = {{0, 1}, {1, 1}, {2, 1}, {3, 1},
                                        {0, 2}, {1, 2}, {2, 2}, {3, 2}};

// The line settings a radio was handshaken on, each run of repeats once.
std::vector<Line> Distinct(const std::vector<Line>& lines) {
    std::vector<Line> runs;
    for (const Line& l : lines)
        if (runs.empty() || !(runs.back() == l)) runs.push_back(l);
    return runs;
}

// Forwards to the recording service after running a hook on each message.
class HookedMessages final : public Platform::MessageService {
public:
    HookedMessages(TestSupport::RecordingMessages& inner, std::function<void(const QString&)> hook)
        : inner_(inner), hook_(std::move(hook)) {
        Platform::SetMessageService(this);
    }
    ~HookedMessages() override { Platform::SetMessageService(&inner_); }
    int Show(const QString& text, int style, const QString& title) override {
        hook_(text);
        return inner_.Show(text, style, title);
    }

private:
    TestSupport::RecordingMessages& inner_;
    std::function<void(const QString&)> hook_;
};

// The user's own port (the fixture's radio) does not answer; further radios
// sit on the ports after it.
class SearchTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        Update([](SimRadio::Setup& s) { s.silent = true; });
        mainWindow.setObjectName(QStringLiteral("frmMain"));
        Platform::Forms::Register(&mainWindow);
        host.caption = QStringLiteral("Progress");
    }
    void TearDown() override {
        others.clear();
        LinkTest::TearDown();
    }

    // A radio on port kTestPort + offset.
    SimRadio& AddRadio(int offset, const std::function<void(SimRadio::Setup&)>& change = {}) {
        auto radio = std::make_unique<SimRadio>();
        SimRadio::Setup setup;
        setup.band = static_cast<quint8>(ModFreFile::BandTextToCode(gBandText));
        if (change) change(setup);
        radio->Configure(setup);
        radio->SetMemory(0xB00, setup.model.leftJustified(7, '\0'));
        radio->SetMemory(0xB07, QByteArray(1, static_cast<char>(setup.band)));
        radio->SetMemory(0xB08, setup.version);
        EXPECT_TRUE(radio->Start(linkDir.path(), kTestPort + offset));
        others.push_back(std::move(radio));
        return *others.back();
    }

    QString Stored(const QString& key) const {
        return Platform::GetProfileString(QStringLiteral("language"), key, QStringLiteral("-"),
                                          ModSettings::SetupFilePath());
    }

    struct : QObject, TestSupport::MainCalls {
    } mainWindow;
    std::vector<std::unique_ptr<SimRadio>> others;
};

TEST_F(SearchTest, FindsTheRadioOnTheThirdPortSavesItsSettingAndTheReadGoesOn) {
    // The second port is held by another program and cannot be opened.
    SimRadio& held = AddRadio(1);
    Platform::SerialControl holder;
    holder.SetCommPort(kTestPort + 1);
    ASSERT_TRUE(holder.Open());
    SimRadio& found = AddRadio(2, [](SimRadio::Setup& s) {
        s.lineHandshaking = 2;
        s.lineStopBits = 2;
    });
    Ports::SetGivenPorts(QList<int>{kTestPort, kTestPort + 1, kTestPort + 2});

    Read();

    EXPECT_EQ(Shown(9008), 0);
    EXPECT_EQ(Shown(9009), 1);
    EXPECT_EQ(ImageBytes(), found.Memory(0, kImageSize));
    EXPECT_EQ(gComPort, kTestPort + 2);
    EXPECT_EQ(gHandshaking, 2);
    EXPECT_EQ(gStopBit, 2);
    EXPECT_EQ(Stored("comPort"), QString::number(kTestPort + 2));
    EXPECT_EQ(Stored("Handshaking"), "2");
    EXPECT_EQ(Stored("StopBit"), "2");
    EXPECT_TRUE(mainWindow.calls.contains("ShowComPort")); // the status bar names the port
    EXPECT_EQ(host.captions, QStringList({kEnglishCaption, "Progress"}));
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());

    // The silent first port: the session's four handshakes, then every
    // setting four times in the search's order.
    const auto silent = radio.CurrentCounters().handshakeLines;
    EXPECT_EQ(silent.size(), 4u + 8u * 4u);
    std::vector<Line> expected = {{0, 1}};
    expected.insert(expected.end(), kSearchOrder.begin() + 1, kSearchOrder.end());
    EXPECT_EQ(Distinct(silent), expected);
    EXPECT_EQ(held.CurrentCounters().handshakes, 0);
    // The third port answered on its seventh setting.
    const auto lines = found.CurrentCounters().handshakeLines;
    EXPECT_EQ(lines.size(), 6u * 4u + 1u);
    EXPECT_EQ(Distinct(lines), std::vector<Line>(kSearchOrder.begin(), kSearchOrder.begin() + 7));
}

TEST_F(SearchTest, EmptyListAsksAtOnceAndOKReopensTheUserPort) {
    gCurrentLanguage = 2; // the caption follows the language
    // The user's radio wakes up after the first attempt.
    Update([](SimRadio::Setup& s) {
        s.silent = false;
        s.ignoreHandshakes = 4;
    });
    Read();
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(Shown(9009), 1);
    // Four handshakes on the user's port, then the one after OK: no port was probed.
    EXPECT_EQ(radio.CurrentCounters().handshakes, 5);
    EXPECT_EQ(host.captions, QStringList({kChineseCaption, "Progress"}));
    EXPECT_EQ(gComPort, kTestPort);
    EXPECT_EQ(Stored("comPort"), "-"); // nothing adopted, nothing stored
}

TEST_F(SearchTest, RetryOnAUserPortThatIsGoneEndsWithTheOpenMessage) {
    HookedMessages hooked(messages, [this](const QString& text) {
        if (text == GetLangText(9008)) radio.Stop(); // the cable is pulled
    });
    Read();
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(Shown(9003), 1);
    EXPECT_EQ(Shown(9009), 0);
    EXPECT_EQ(gCommType, 0);
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
}

TEST_F(SearchTest, CancelAfterASearchLeavesNoPortOpen) {
    SimRadio& silent = AddRadio(1, [](SimRadio::Setup& s) { s.silent = true; });
    Ports::SetGivenPorts(QList<int>{kTestPort + 1});
    messages.answers = {Mb::IdOK, Mb::IdCancel};
    Read();
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(silent.CurrentCounters().handshakes, 32);
    EXPECT_EQ(silent.CurrentCounters().ends, 0);
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
    EXPECT_EQ(gComPort, kTestPort);
}

TEST_F(SearchTest, RadioOfAnotherModelIsTheFallbackAndTheWriteIsRefused) {
    SimRadio& other = AddRadio(1, [](SimRadio::Setup& s) { s.model = "KL740G"; });
    Ports::SetGivenPorts(QList<int>{kTestPort + 1});
    Write();
    int refused = 0;
    for (const auto& m : messages.shown)
        refused += m.text.startsWith(GetLangText(9012)) ? 1 : 0;
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(Shown(9010), 0);
    EXPECT_TRUE(other.CurrentCounters().writeAddresses.empty());
    // Answered on every setting; the first is kept, and the write started over there.
    EXPECT_EQ(other.CurrentCounters().handshakes, 8 + 1);
    EXPECT_EQ(gComPort, kTestPort + 1);
    EXPECT_EQ(gHandshaking, 0);
    EXPECT_EQ(gStopBit, 1);
    EXPECT_EQ(Stored("comPort"), QString::number(kTestPort + 1));
    EXPECT_EQ(Stored("StopBit"), "1");
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
}

TEST_F(SearchTest, ResumedWriteHonoursTheRadiosWriteProtection) {
    SimRadio& killed = AddRadio(1, [](SimRadio::Setup& s) { s.flags = 0x08; });
    Ports::SetGivenPorts(QList<int>{kTestPort + 1});
    const QString setup = ModSettings::SetupFilePath(); // the found port cannot be stored
    ASSERT_TRUE(QDir().mkpath(setup));
    Write();
    EXPECT_EQ(Shown(9031), 1);
    EXPECT_EQ(Shown(9010), 0);
    EXPECT_EQ(killed.CurrentCounters().reads, 0);
    EXPECT_TRUE(killed.CurrentCounters().writeAddresses.empty());
    EXPECT_EQ(gComPort, kTestPort + 1);
    EXPECT_EQ(messages.CountOf(GetLangText(9120) + u'\n' + setup), 1);
}

} // namespace
