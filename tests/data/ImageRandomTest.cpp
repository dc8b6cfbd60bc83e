#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFreFile.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "tests/data/ImageTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ImageRandomTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gCommType = 0;
        ModComm::ClearImage();
    }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
};

// What the image carries of the configuration.
struct Carried {
    std::vector<TChannel> channels;
    std::array<TTestFre, kTestPairCount> pairs;
    std::array<TTestFre, kFixedTestPairCount> fixed;
    TModelInfo model;
    TSettings settings;
    qint16 prohibit;
    quint8 alertMode;
    QString modelName;
    QString bandText;

    static Carried Now() {
        Carried c;
        c.channels.assign(gEditData.Channels.begin(),
                          gEditData.Channels.begin() + gEditData.UsedCount());
        c.pairs = gEditData.TestFreList;
        c.fixed = gFixedTestFreqs;
        c.model = gEditData.ModelInfo;
        c.settings = gEditData.Settings;
        c.prohibit = gEditData.ProhibitInit;
        c.alertMode = gEditExtraData.AlertMode;
        c.modelName = gModelName;
        c.bandText = gBandText;
        return c;
    }
};

void ExpectSameCarried(const Carried& a, const Carried& b, int round) {
    ASSERT_EQ(a.channels.size(), b.channels.size()) << "round " << round;
    for (std::size_t i = 0; i < a.channels.size(); ++i)
        EXPECT_EQ(a.channels[i], b.channels[i]) << "round " << round << ", channel index " << i;
    EXPECT_EQ(a.pairs, b.pairs) << "round " << round;
    EXPECT_EQ(a.fixed, b.fixed) << "round " << round;
    EXPECT_EQ(a.model, b.model) << "round " << round;
    EXPECT_EQ(a.settings, b.settings) << "round " << round;
    EXPECT_EQ(a.prohibit, b.prohibit) << "round " << round;
    EXPECT_EQ(a.alertMode, b.alertMode) << "round " << round;
    EXPECT_EQ(a.modelName, b.modelName) << "round " << round;
    EXPECT_EQ(a.bandText, b.bandText) << "round " << round;
}

// Encode then decode gives the same configuration; decode then encode gives
// the same image.
TEST_F(ImageRandomTest, RandomConfigurationsMakeTheRoundTrip) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 150; ++round) {
        ImageTest::RandomConfiguration(rng);
        const Carried sent = Carried::Now();
        ModComm::ClearImage();
        gImage[0xB0C] = static_cast<quint8>(round);
        ModCommFun::EncodeImage();
        const TRadioImage image = gImage;

        TestSupport::ResetProgram(); // forget everything but the image
        gImage = image;
        ModCommFun::DecodeImage();
        ExpectSameCarried(Carried::Now(), sent, round);

        ModCommFun::EncodeImage();
        ASSERT_EQ(gImage, image) << "round " << round;
        if (HasFailure()) return;
    }
    EXPECT_EQ(messages.Count(), 0);
}

// Every value decoded from radio bytes lies inside what the pages and lists
// accept.
void ExpectDecodedInRange(int round) {
    const int used = gEditData.UsedCount();
    ASSERT_EQ(gEditData.ChannelCount, used);
    int last = 0;
    for (int i = 0; i < used; ++i) {
        const TChannel& c = gEditData.Channels[static_cast<std::size_t>(i)];
        ASSERT_GT(c.Number, last) << "round " << round;
        ASSERT_LE(c.Number, kMaxChannels);
        last = c.Number;
        ASSERT_GE(c.RxTone, 0);
        ASSERT_LT(c.RxTone, ModShowFreFun::kToneCount) << "round " << round;
        ASSERT_GE(c.TxTone, 0);
        ASSERT_LT(c.TxTone, ModShowFreFun::kToneCount) << "round " << round;
        ASSERT_LE(c.RxStep, 2);
        ASSERT_LE(c.TxStep, 2);
        ASSERT_LE(c.Call1, kDtmfCodeCount);
        ASSERT_LE(c.Call2, kDtmfCodeCount);
        ASSERT_LE(c.OffsetDir, 2);
        ASSERT_LE(c.TxPower, 2);
        ASSERT_LE(c.Bandwidth, 2);
        ASSERT_LE(c.OptSignal, 1);
    }
    const TSettings& s = gEditData.Settings;
    ASSERT_LE(s.Alert[7], 8);
    ASSERT_LE(s.Alert[8], 16);
    ASSERT_LE(s.Alert[2], kDtmfCodeCount);
    ASSERT_LE(s.Scan[8], 8);
    ASSERT_LE(s.Scan[9], 16);
    ASSERT_LE(s.Scan[10], 8);
    ASSERT_LE(s.Scan[11], 16);
    ASSERT_GE(s.Dtmf.IdLen, 3);
    ASSERT_LE(s.Dtmf.IdLen, 10);
    for (const TDtmfCode* code : {&s.Dtmf.Bot, &s.Dtmf.Eot, &s.Dtmf.Stun, &s.Dtmf.Kill}) {
        ASSERT_GE(code->Len, 0);
        ASSERT_LE(code->Len, 16);
    }
    for (const TDtmfCode& code : s.Dtmf.Codes) {
        ASSERT_GE(code.Len, 0);
        ASSERT_LE(code.Len, 16);
    }
    ASSERT_LE(gEditExtraData.AlertMode, 1);
    ASSERT_FALSE(gBandText.isEmpty()) << "round " << round;
    ASSERT_TRUE(ModFreFile::BandCodes().contains(gEditData.ModelInfo.BandCode));
}

// Damaged images: random bytes at random places, random runs and wholly
// random images. Nothing may crash, read past the image or produce a value
// outside its range; what was decoded encodes and decodes to itself.
TEST_F(ImageRandomTest, DamagedImagesDecodeSafely) {
    std::mt19937 rng(7411);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> anyAddress(0, kImageSize - 1);
    constexpr int kRounds = 2000;
    ImageTest::RandomConfiguration(rng);
    ModCommFun::EncodeImage();
    TRadioImage base = gImage;
    for (int round = 0; round < kRounds; ++round) {
        if (round % 100 == 0) { // a fresh valid image now and then
            ImageTest::RandomConfiguration(rng);
            ModComm::ClearImage();
            ModCommFun::EncodeImage();
            base = gImage;
        }
        gImage = base;
        switch (round % 4) {
        case 0: // a few bytes
            for (int k = std::uniform_int_distribution<int>(1, 16)(rng); k > 0; --k)
                gImage[static_cast<std::size_t>(anyAddress(rng))] =
                    static_cast<quint8>(anyByte(rng));
            break;
        case 1: { // one run
            const int from = anyAddress(rng);
            const int to =
                std::min(kImageSize, from + std::uniform_int_distribution<int>(1, 64)(rng));
            for (int a = from; a < to; ++a)
                gImage[static_cast<std::size_t>(a)] = static_cast<quint8>(anyByte(rng));
            break;
        }
        case 2: // the settings area
            for (int a = 0x820; a < kImageSize; ++a)
                if (anyByte(rng) < 64)
                    gImage[static_cast<std::size_t>(a)] = static_cast<quint8>(anyByte(rng));
            break;
        default: // all of it
            for (quint8& b : gImage)
                b = static_cast<quint8>(anyByte(rng));
            break;
        }
        ModCommFun::DecodeImage();
        ExpectDecodedInRange(round);
        if (HasFailure()) return;

        if (round % 10 == 0) {
            const Carried decoded = Carried::Now();
            ModCommFun::EncodeImage();
            ModCommFun::DecodeImage();
            const Carried again = Carried::Now();
            // Frequencies past what a code holds may be cut; everything else
            // must come back as it was decoded.
            ASSERT_EQ(again.channels.size(), decoded.channels.size());
            for (std::size_t i = 0; i < decoded.channels.size(); ++i) {
                TChannel a = again.channels[i];
                TChannel b = decoded.channels[i];
                a.RxFreq = b.RxFreq;
                a.Offset = b.Offset;
                a.OffsetDir = b.OffsetDir;
                EXPECT_EQ(a, b) << "round " << round;
            }
            EXPECT_EQ(again.settings, decoded.settings) << "round " << round;
            EXPECT_EQ(again.pairs, decoded.pairs) << "round " << round;
            EXPECT_EQ(again.model, decoded.model) << "round " << round;
            EXPECT_EQ(again.alertMode, decoded.alertMode) << "round " << round;
            if (HasFailure()) return;
        }
    }
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ImageRandomTest, DamagedRadioInformationDecodesSafely) {
    std::mt19937 rng(1909);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        for (quint8& b : gRadioInfoImage)
            b = anyByte(rng) < 32 ? static_cast<quint8>(anyByte(rng) < 128 ? 0x00 : 0xFF)
                                  : static_cast<quint8>(anyByte(rng));
        ModCommFun::DecodeRadioInfo(gLocalInfo);
        ASSERT_LE(gLocalInfo.AreaCode.size(), 4);
    }
}

} // namespace
