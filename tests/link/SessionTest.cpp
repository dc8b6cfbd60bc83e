#include "LinkFixture.h"

#include <QElapsedTimer>

using ModFunLang::GetLangText;
namespace Mb = Platform::Mb;

namespace {

// A configuration with a few channels, encoded as the radio holds it.
void SetChannels(TRadioData& data) {
    data.ChannelCount = 3;
    const int numbers[] = {1, 9, 128};
    const char* freqs[] = {"43510000", "44000000", "40012500"};
    for (int i = 0; i < 3; ++i) {
        data.Channels[i] = TChannel{};
        data.Channels[i].Number = static_cast<qint16>(numbers[i]);
        data.Channels[i].RxFreq.Assign(QLatin1String(freqs[i]));
    }
}

QByteArray EncodedImage() {
    gImage.fill(0xFF);
    ModCommFun::EncodeImage();
    return QByteArray(reinterpret_cast<const char*>(gImage.data()), kImageSize);
}

class ReadTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        // The radio holds a configuration the program does not have yet.
        TRadioData original = gEditData;
        SetChannels(gEditData);
        radioImage = EncodedImage();
        radioChannels = gEditData.Channels;
        gEditData = original;
        gFileData = original;
        radio.SetMemory(0, radioImage);
        // Identification bytes as the radio's own memory carries them.
        radio.SetMemory(0xB00, QByteArray("KL740\0\0", 7));
        radio.SetMemory(0xB07, QByteArray(1, radio.CurrentSetup().band));
        radio.SetMemory(0xB08, "V200");
        radio.SetMemory(0xB0C, QByteArray(1, 0));
        radioImage = radio.Memory(0, kImageSize);
        before = gEditData;
    }

    void ExpectReadOK() {
        EXPECT_EQ(Shown(9009), 1);
        EXPECT_EQ(ImageBytes(), radioImage);
        ASSERT_GE(gEditData.ChannelCount, 3);
        EXPECT_EQ(gEditData.Channels[0].RxFreq, radioChannels[0].RxFreq);
        EXPECT_EQ(gEditData.Channels[1].Number, 9);
        EXPECT_EQ(gEditData.Channels[2].Number, 128);
        EXPECT_EQ(gDataFileName, "new.dat");
        EXPECT_TRUE(gIsUntitled);
        EXPECT_FALSE(ModComm::MSComm1().PortOpen());
    }

    // A read that failed or was cancelled changed nothing of the data.
    void ExpectNothingLost() {
        EXPECT_EQ(Shown(9009), 0);
        EXPECT_TRUE(gEditData == before);
        EXPECT_TRUE(gFileData == before);
        EXPECT_FALSE(ModComm::MSComm1().PortOpen());
        EXPECT_EQ(gCommType, 0);
        EXPECT_FALSE(commands.ReadOKTimer.isActive());
    }

    QByteArray radioImage;
    std::array<TChannel, kMaxChannels> radioChannels{};
    TRadioData before;
};

TEST_F(ReadTest, FullReadGivesTheRadioImageAndTheRecord) {
    gDataFileName = "old.dat";
    gIsUntitled = false;
    Read();
    ExpectReadOK();
    EXPECT_EQ(Shown(9004), 1);
    const SimRadio::Counters c = radio.CurrentCounters();
    EXPECT_EQ(c.handshakes, 1);
    EXPECT_EQ(c.identifications, 1);
    EXPECT_EQ(c.ends, 1);
    // The settings block, then 177 blocks from 0x000 to 0xB00.
    const std::vector<int> blocks = TestSupport::WithoutRepeats(c.readAddresses);
    ASSERT_EQ(blocks.size(), 178u);
    EXPECT_EQ(blocks.front(), 0xB30);
    EXPECT_EQ(blocks[1], 0x000);
    EXPECT_EQ(blocks.back(), 0xB00);
    EXPECT_EQ(c.writes, 0);
    ASSERT_FALSE(host.progress.isEmpty());
    EXPECT_EQ(host.progress.last(), 99);
    EXPECT_EQ(host.passwordDialogs, 0);
}

TEST_F(ReadTest, CancelAtTheQuestionTouchesNothing) {
    gImage.fill(0x5A);
    messages.answers = {Mb::IdCancel};
    commands.mnuReadFromRadio_Click();
    EXPECT_EQ(Shown(9004), 1);
    EXPECT_EQ(gImage[0], 0x5A);
    EXPECT_EQ(radio.CurrentCounters().handshakes, 0);
    ExpectNothingLost();
}

TEST_F(ReadTest, PortThatCannotBeOpened) {
    gComPort = 250;
    commands.mnuReadFromRadio_Click();
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.shown[0].text, GetLangText(9003));
    EXPECT_EQ(messages.shown[0].style, Mb::OKOnly | Mb::Critical);
    EXPECT_EQ(gCommType, 0);
}

TEST_F(ReadTest, RepliesInPiecesOrWithNoiseStillCount) {
    Update([](SimRadio::Setup& s) {
        s.splitPieces = 3;
        s.trailingNoise = true;
    });
    Read();
    ExpectReadOK();
}

TEST_F(ReadTest, HandshakeAnsweredOnlyTheFourthTime) {
    Update([](SimRadio::Setup& s) { s.ignoreHandshakes = 3; });
    Read();
    ExpectReadOK();
    EXPECT_EQ(radio.CurrentCounters().handshakes, 4);
    EXPECT_EQ(Shown(9008), 0);
}

TEST_F(ReadTest, SilentRadioEndsWithTheRetryQuestion) {
    Update([](SimRadio::Setup& s) { s.silent = true; });
    messages.answers = {Mb::IdOK, Mb::IdCancel};
    QElapsedTimer timer;
    timer.start();
    Read();
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(radio.CurrentCounters().handshakes, 4);
    EXPECT_GE(timer.elapsed(), 4 * 150 - 20);
    // The port search (no port listed here) closed the port: nothing more
    // goes to it.
    EXPECT_EQ(radio.CurrentCounters().ends, 0);
    ExpectNothingLost();
}

TEST_F(ReadTest, BadChecksumIsDroppedAndTheBlockAskedAgain) {
    Update([](SimRadio::Setup& s) {
        s.corruptAddress = 0x100;
        s.corruptCount = 1;
    });
    Read();
    ExpectReadOK();
    const auto& asked = radio.CurrentCounters().readAddresses;
    EXPECT_EQ(std::count(asked.begin(), asked.end(), 0x100), 2);
}

TEST_F(ReadTest, DeadBlockWithCancelLosesNothing) {
    Update([](SimRadio::Setup& s) {
        s.dropAddress = 0x200;
        s.dropCount = -1;
    });
    messages.answers = {Mb::IdOK, Mb::IdCancel};
    Read();
    EXPECT_EQ(Shown(9008), 1);
    const auto& asked = radio.CurrentCounters().readAddresses;
    EXPECT_EQ(std::count(asked.begin(), asked.end(), 0x200), 4);
    // A failed session says "END" before it closes the port.
    EXPECT_TRUE(WaitFor([this] { return radio.CurrentCounters().ends == 1; }));
    ExpectNothingLost();
}

TEST_F(ReadTest, EachSessionHasTheResendsOfTheSettingsBlockAfresh) {
    for (int session = 0; session < 2; ++session) {
        Update([](SimRadio::Setup& s) {
            s.dropAddress = 0xB30;
            s.dropCount = 2;
        });
        Read();
    }
    EXPECT_EQ(Shown(9008), 0);
    EXPECT_EQ(Shown(9009), 2);
}

TEST_F(ReadTest, RetryAfterADeadBlockStartsOverAndSucceeds) {
    Update([](SimRadio::Setup& s) {
        s.dropAddress = 0x200;
        s.dropCount = 4;
    });
    Read();
    EXPECT_EQ(Shown(9008), 1);
    // The retry starts over with a handshake (a late reply may add one).
    EXPECT_GE(radio.CurrentCounters().handshakes, 2);
    ExpectReadOK();
}

TEST_F(ReadTest, PasswordIsAskedAndChecked) {
    radio.SetPassword("1234");
    radioImage = radio.Memory(0, kImageSize);
    host.passwordAnswer = [](QString& typed) {
        typed = "1234";
        return true;
    };
    Read();
    EXPECT_EQ(host.passwordDialogs, 1);
    ExpectReadOK();
    EXPECT_EQ(gProgPassword, "1234");
}

TEST_F(ReadTest, WrongPasswordEndsTheSession) {
    radio.SetPassword("1234");
    host.passwordAnswer = [](QString& typed) {
        typed = "9999";
        return true;
    };
    Read();
    EXPECT_EQ(messages.CountOf("PassWord Failure!"), 1);
    EXPECT_EQ(radio.CurrentCounters().readAddresses.size(), 1u);
    ExpectNothingLost();
}

TEST_F(ReadTest, CancelledPasswordKeepsTheOldOneAndFails) {
    radio.SetPassword("77");
    gProgPassword = "12";
    Read();
    EXPECT_EQ(gProgPassword, "12");
    EXPECT_EQ(messages.CountOf("PassWord Failure!"), 1);
    ExpectNothingLost();
}

TEST_F(ReadTest, WriteProtectFlagsDoNotStopARead) {
    Update([](SimRadio::Setup& s) { s.flags = 0x08; });
    Read();
    EXPECT_EQ(Shown(9031), 0);
    EXPECT_EQ(Shown(9009), 1);
}

TEST_F(ReadTest, UnacknowledgedEndStillSucceeds) {
    Update([](SimRadio::Setup& s) { s.dropEndReply = true; });
    Read();
    ExpectReadOK();
}

TEST_F(ReadTest, ADecodeThatFailsKeepsTheDataAsItWas) {
    radio.SetMemory(0xB00, "KL740G");
    commands.DecodeStep = [] { ModCommFun::DecodeImage(), throw std::out_of_range("put in"); };
    Read();
    EXPECT_TRUE(gEditData == before);
    EXPECT_EQ(gModelName + gLocalInfo.RadioType.trimmed(), "KL740KL740");
}

// Transmit power, bandwidth and optional signalling beyond what the channel
// pages offer are read as their defaults, and a write sends those.
TEST_F(ReadTest, ChannelValuesBeyondTheListsAreReadAndSentAsDefaults) {
    radio.SetMemory(12, QByteArray(1, char(0xFF))); // channel 1: all 3, compander, inversion
    radio.SetMemory(4, QByteArray(4, 0)); // and transmits on 0 MHz, beyond an offset's reach
    radio.SetMemory(16 * 8 + 4, QByteArray("\xFF\xFF\xFF\xFF\0\0\0\x02", 8)); // 9: erased, class 2
    radio.SetMemory(16 * 127, QByteArray("\x05\xF5\xE1\x00", 4)); // 128 receives 1000 MHz
    radio.SetMemory(16 * 127 + 10, QByteArray(1, 1));             // in class 1
    messages.onShow = [this](const QString& text) { // 9009 is read a while; none opens over it
        const auto other = [&] { return messages.shown.last().text != text; };
        EXPECT_FALSE(text == GetLangText(9009) && WaitFor(other, 700));
    };
    Read();
    ASSERT_EQ(Shown(9009), 1);
    EXPECT_EQ(messages.shown.last().text, GetLangText(9022) + "\n1, 9, 128");
    const TChannel& ch = gEditData.Channels[0];
    EXPECT_EQ(ch.TxPower, 2);
    EXPECT_EQ(ch.Bandwidth, 0);
    EXPECT_EQ(ch.OptSignal, 0);
    EXPECT_EQ(ch.Compander, 1);
    radio.FillMemory(0x00);
    Write();
    ASSERT_EQ(Shown(9010), 1);
    EXPECT_EQ(radio.Memory(0, 16), radioImage.left(12) + char(0x0E) + radioImage.mid(13, 3));
    EXPECT_EQ(radio.Memory(16 * 8, 16) + radio.Memory(16 * 127, 16), // simplex, on 440 and 400.125
              radioImage.mid(16 * 8, 16) + radioImage.mid(16 * 127, 16));
}

// While a question is open, a reply that arrives is dropped: no second
// question, and the session goes on when the first is answered.
TEST_F(ReadTest, RepliesDuringAQuestionAreIgnored) {
    // The band question stays open until a reply has come in meanwhile.
    class SlowAnswers final : public Platform::MessageService {
    public:
        int Show(const QString& text, int, const QString&) override {
            texts.append(text);
            if (text == GetLangText(9014)) {
                const int before = received;
                TestSupport::WaitFor([&] { return received > before; });
            }
            return Mb::IdOK;
        }
        QStringList texts;
        int received = 0;
    } slow;
    QObject receipts;
    QObject::connect(&ModComm::MSComm1(), &Platform::SerialControl::OnComm, &receipts, [&] {
        if (ModComm::MSComm1().CommEvent() == Platform::SerialControl::EvReceive) ++slow.received;
    });
    Platform::SetMessageService(&slow);
    gBandText = ModFreFile::BandCodeToText(3); // the radio is in band 1, same group
    Update([](SimRadio::Setup& s) {
        s.band = 1;
        s.duplicateAddress = 0xB30;
    });
    // A write asks about the band while the settings block comes a second time.
    SetChannels(gEditData);
    commands.mnuWriteToRadio_Click();
    commands.WaitSaveDataTimer_Timer();
    ASSERT_TRUE(WaitIdle());
    Platform::SetMessageService(&messages);
    EXPECT_EQ(slow.texts.count(GetLangText(9014)), 1);
    EXPECT_EQ(slow.texts.count(GetLangText(9010)), 1);
}

// "END" answered with "send again" is said again, within the resends of a
// block; the session ends well only once the radio has taken it.
class EndRefusedTest : public ReadTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ReadTest::SetUp();
        ModComm::WaitTimer().setInterval(10000); // all is answered: no reply comes late
        QByteArray area(kRadioInfoSize, static_cast<char>(0xFF));
        area.replace(0x30, 8, QByteArray("SN123456"));
        radio.SetMemory(kImageSize, area);
    }
    void Run() {
        switch (GetParam()) {
        case 1:
            Read();
            break;
        case 2:
            Write();
            break;
        default:
            commands.ReadRMGDataFromRadio();
            ASSERT_TRUE(WaitIdle());
        }
    }
    bool Succeeded() const {
        switch (GetParam()) {
        case 1:
            return Shown(9009) == 1;
        case 2:
            return Shown(9010) == 1;
        default:
            return gLocalInfo.SerialNumber.Text().startsWith("SN123456");
        }
    }
    // The questions before the error: a read and a write ask first.
    QList<int> AnswersThenCancel() const {
        return GetParam() == 3 ? QList<int>{Mb::IdCancel} : QList<int>{Mb::IdOK, Mb::IdCancel};
    }
};

TEST_P(EndRefusedTest, EndIsSaidAgainUntilTheRadioTakesIt) {
    Update([](SimRadio::Setup& s) { s.resendEndCount = 2; });
    Run();
    EXPECT_TRUE(Succeeded());
    EXPECT_EQ(radio.CurrentCounters().ends, 3);
    EXPECT_EQ(Shown(9008), 0);
}

TEST_P(EndRefusedTest, RadioThatNeverTakesEndIsACommunicationError) {
    Update([](SimRadio::Setup& s) { s.resendEndCount = -1; });
    messages.answers = AnswersThenCancel();
    int endsAsked = -1; // at the last question the radio has answered every "END" sent
    messages.onShow = [&](const QString&) { endsAsked = radio.CurrentCounters().ends; };
    Run();
    EXPECT_FALSE(Succeeded());
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(endsAsked, 4); // "END" and its three resends, then that of the failed session:
    EXPECT_TRUE(WaitFor([this] { return radio.CurrentCounters().ends == 5; }));
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
    EXPECT_EQ(gCommType, 0);
    if (GetParam() == 1) ExpectNothingLost();
}

TEST_P(EndRefusedTest, RetryStartsTheEndResendsAfresh) {
    Update([](SimRadio::Setup& s) { s.resendEndCount = 5; });
    messages.answers = GetParam() == 3 ? QList<int>{Mb::IdRetry} : QList<int>{Mb::IdOK, Mb::IdOK};
    Run();
    EXPECT_TRUE(Succeeded());
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(radio.CurrentCounters().ends, 6);
}

INSTANTIATE_TEST_SUITE_P(ReadWriteInformation, EndRefusedTest, ::testing::Values(1, 2, 3));

class WriteTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        SetChannels(gEditData);
        radio.FillMemory(0x00);
    }
    // What the radio must hold: the encoded image with the radio's own
    // identification bytes.
    QByteArray Expected() {
        QByteArray image = EncodedImage();
        const SimRadio::Setup s = radio.CurrentSetup();
        QByteArray model = s.model.leftJustified(7, '\0');
        image.replace(0xB00, 7, model);
        image.replace(0xB08, 4, s.version);
        image[0xB0C] = static_cast<char>(s.flags);
        return image;
    }
    void ExpectUntouched() {
        EXPECT_EQ(radio.Memory(0, kImageSize), QByteArray(kImageSize, '\0'));
        EXPECT_EQ(Shown(9010), 0);
        EXPECT_FALSE(ModComm::MSComm1().PortOpen());
        EXPECT_EQ(gCommType, 0);
    }
};

TEST_F(WriteTest, FullWriteLeavesTheEncodedImageInTheRadio) {
    const QByteArray expected = Expected();
    Write();
    EXPECT_EQ(Shown(9005), 1);
    EXPECT_EQ(Shown(9010), 1);
    EXPECT_EQ(radio.Memory(0, kImageSize), expected);
    const SimRadio::Counters c = radio.CurrentCounters();
    const std::vector<int> blocks = TestSupport::WithoutRepeats(c.writeAddresses);
    ASSERT_EQ(blocks.size(), 177u);
    EXPECT_EQ(blocks.front(), 0x000);
    EXPECT_EQ(blocks.back(), 0xB00);
    EXPECT_EQ(c.readAddresses, std::vector<int>{0xB30});
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
    // The radio's own memory outside the image is not written.
    EXPECT_EQ(radio.Memory(kImageSize, 16), QByteArray(16, '\0'));
}

TEST_F(WriteTest, AnEncodeThatFailsSendsNothing) {
    commands.EncodeStep = [] { ModCommFun::EncodeImage(), throw std::out_of_range("put in"); };
    Write();
    ExpectUntouched();
}

TEST_F(WriteTest, SendAgainIsHonouredWithinTheBlockResends) {
    const QByteArray expected = Expected();
    Update([](SimRadio::Setup& s) {
        s.resendAddress = 0x050;
        s.resendCount = 3;
    });
    Write();
    EXPECT_EQ(Shown(9010), 1);
    EXPECT_EQ(radio.Memory(0, kImageSize), expected);
}

TEST_F(WriteTest, EndlessSendAgainAsksInsteadOfHanging) {
    Update([](SimRadio::Setup& s) {
        s.resendAddress = 0x050;
        s.resendCount = -1;
    });
    messages.answers = {Mb::IdOK, Mb::IdCancel};
    Write();
    EXPECT_EQ(Shown(9008), 1);
    const auto& sent = radio.CurrentCounters().writeAddresses;
    EXPECT_EQ(std::count(sent.begin(), sent.end(), 0x050), 4);
    EXPECT_EQ(Shown(9010), 0);
    EXPECT_EQ(gCommType, 0);
}

TEST_F(WriteTest, KilledOrStunnedRadioIsNotWritten) {
    Update([](SimRadio::Setup& s) { s.flags = 0x08; });
    Write();
    EXPECT_EQ(Shown(9031), 1);
    EXPECT_TRUE(radio.CurrentCounters().readAddresses.empty());
    ExpectUntouched();

    Update([](SimRadio::Setup& s) { s.flags = 0x04; });
    Write();
    EXPECT_EQ(Shown(9032), 1);
    ExpectUntouched();
}

TEST_F(WriteTest, OtherModelIsRefused) {
    Update([](SimRadio::Setup& s) { s.model = "KL740G"; });
    Write();
    ASSERT_EQ(messages.Count(), 2);
    EXPECT_EQ(messages.shown[1].text, GetLangText(9012) + "\r\nPC is KL740\r\nRadio is KL740G");
    ExpectUntouched();
}

TEST_F(WriteTest, BandOfAnotherGroupIsRefused) {
    Update([](SimRadio::Setup& s) { s.band = 8; });
    gBandText = ModFreFile::BandCodeToText(1);
    Write();
    EXPECT_EQ(Shown(9030), 1);
    ExpectUntouched();
}

TEST_F(WriteTest, BandOfTheSameGroupWritesAfterOK) {
    Update([](SimRadio::Setup& s) { s.band = 3; });
    gBandText = ModFreFile::BandCodeToText(1);
    messages.answers = {Mb::IdOK, Mb::IdCancel};
    Write();
    EXPECT_EQ(Shown(9014), 1);
    ExpectUntouched();
    messages.answers = {Mb::IdOK, Mb::IdOK};
    Write();
    EXPECT_EQ(Shown(9010), 1);
}

TEST_F(WriteTest, PortIsClosedAgainWhenTheUserCancels) {
    messages.answers = {Mb::IdCancel};
    Write();
    EXPECT_EQ(radio.CurrentCounters().handshakes, 0);
    ExpectUntouched();
}

class InformationTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        QByteArray area(kRadioInfoSize, static_cast<char>(0xFF));
        area.replace(0, 4, "0595");
        area.replace(0x30, 8, QByteArray("SN123456"));
        radio.SetMemory(kImageSize, area);
        infoArea = radio.Memory(kImageSize, kRadioInfoSize);
    }
    QByteArray infoArea;
};

TEST_F(InformationTest, InformationReadFillsTheRecord) {
    gImage.fill(0x33);
    commands.mnuRadioInfo_Click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(InfoBytes(), infoArea);
    EXPECT_EQ(gLocalInfo.AreaCode, "0595");
    EXPECT_TRUE(gLocalInfo.SerialNumber.Text().startsWith("SN123456"));
    EXPECT_EQ(gImage[0], 0x33); // the image is left alone
    const auto& asked = radio.CurrentCounters().readAddresses;
    ASSERT_EQ(asked.size(), 31u);
    EXPECT_EQ(asked.front(), 0xB10);
    EXPECT_EQ(asked.back(), 0xCF0);
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
}

TEST_F(InformationTest, MissedBlockIsAskedAgainAfterRetry) {
    Update([](SimRadio::Setup& s) {
        s.dropAddress = 0xC00;
        s.dropCount = 1;
    });
    messages.answers = {Mb::IdRetry};
    commands.ReadRMGDataFromRadio();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(messages.shown[0].style, Mb::RetryCancel);
    EXPECT_EQ(InfoBytes(), infoArea);
}

TEST_F(InformationTest, EarlierRadioDataIsNeverShownAsThisOnes) {
    gRadioInfoImage.fill(0x41);
    Update([](SimRadio::Setup& s) {
        s.dropAddress = 0xB10;
        s.dropCount = -1;
    });
    messages.answers = {Mb::IdCancel};
    commands.ReadRMGDataFromRadio();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(InfoBytes(), QByteArray(kRadioInfoSize, static_cast<char>(0xFF)));
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
}

TEST_F(InformationTest, SilentRadioAsksRetryOrCancel) {
    Update([](SimRadio::Setup& s) { s.silent = true; });
    messages.answers = {Mb::IdCancel};
    commands.ReadRMGDataFromRadio();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(radio.CurrentCounters().handshakes, 4);
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
}

} // namespace
