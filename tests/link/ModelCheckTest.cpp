#include "data/ModFreFile.h"
#include "data/ModFunLang.h"
#include "data/ModVerionMana.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "link/ModComm.h"
#include "link/ModVersion.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ModVersion;
using ModFunLang::GetLangText;
namespace Mb = Platform::Mb;

namespace {

class FakeStarter final : public ModVerionMana::ProgramStarter {
public:
    bool Start(const QString& path) override {
        started.append(path);
        return true;
    }
    QStringList started;
};

class ModelCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        ModVerionMana::gVersionTable.Pairs = {{"V200", "V200"}, {"V210", "V210"}};
        ModVerionMana::SetProgramStarter(&starter);
        ModComm::gRadioVersion = "V200";
    }
    void TearDown() override {
        ModVerionMana::SetProgramStarter(nullptr);
        gTestDataOn = false;
        gCommType = 0;
    }
    // The session type, the PC's band code and the radio's model and band.
    bool Check(int type, int pcBand, const QString& radioModel, int radioBand) {
        gCommType = type;
        gBandText = ModFreFile::BandCodeToText(pcBand);
        ModComm::gRadioModel = radioModel;
        ModComm::gRadioBand = radioBand;
        return ModComm::CheckRadioModel();
    }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    FakeStarter starter;
};

TEST(ModelRules, ModelsBandsAndGroups) {
    EXPECT_TRUE(IsModelCompatible("KL740", "KL740G", 1));
    EXPECT_TRUE(IsModelCompatible("KL740", "KL740", 2));
    EXPECT_FALSE(IsModelCompatible("KL740", "KL740G", 2));
    EXPECT_FALSE(IsModelCompatible("KL740", "XYZ", 1));
    gTestDataOn = true;
    EXPECT_TRUE(IsModelCompatible("KL740", "KL740G", 2));
    EXPECT_FALSE(IsModelCompatible("KL740", "KL700", 2));
    gTestDataOn = false;
    EXPECT_TRUE(IsBandCompatible(1, 3, 1));
    EXPECT_FALSE(IsBandCompatible(1, 3, 2));
    EXPECT_TRUE(IsSameBandGroup(1, 3));
    EXPECT_FALSE(IsSameBandGroup(8, 0));
    EXPECT_TRUE(IsSameBandGroup(16, 16));
    EXPECT_FALSE(IsSameBandGroup(32, 32));
    EXPECT_TRUE(IsSameBandGroup(0x101, 3)); // only the low byte counts
}

TEST_F(ModelCheckTest, ReadTakesEitherModelAndAnyBand) {
    EXPECT_TRUE(Check(1, 1, "KL740G", 9));
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ModelCheckTest, WriteToTheOtherModelIsRefusedWithBothNames) {
    EXPECT_FALSE(Check(2, 1, "KL740G", 1));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.shown[0].text, GetLangText(9012) + "\r\nPC is KL740\r\nRadio is KL740G");
    gTestDataOn = true;
    EXPECT_TRUE(Check(2, 1, "KL740G", 1));
    EXPECT_EQ(messages.Count(), 1);
}

TEST_F(ModelCheckTest, BandInTheSameGroupAsksAndOtherGroupsAreRefused) {
    messages.answers = {Mb::IdOK, Mb::IdCancel};
    EXPECT_TRUE(Check(2, 1, "KL740", 3));
    EXPECT_FALSE(Check(2, 1, "KL740", 3));
    EXPECT_EQ(messages.CountOf(GetLangText(9014)), 2);
    EXPECT_EQ(messages.shown[0].style, Mb::OKCancel | Mb::Exclamation);

    EXPECT_FALSE(Check(2, 8, "KL740", 0));
    EXPECT_FALSE(Check(2, 32, "KL740", 16));
    EXPECT_EQ(messages.CountOf(GetLangText(9030)), 2);
}

TEST_F(ModelCheckTest, UnknownVersionOffersTheMatchingProgram) {
    ModComm::gRadioVersion = "V210";
    messages.answers = {Mb::IdYes};
    EXPECT_FALSE(Check(1, 1, "KL740", 1));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(Mb::Buttons(messages.shown[0].style), Mb::YesNo);
    EXPECT_EQ(starter.started.size(), 1);

    messages.answers = {Mb::IdNo};
    EXPECT_FALSE(Check(1, 1, "KL740", 1));
    EXPECT_EQ(starter.started.size(), 1);
}

TEST_F(ModelCheckTest, UnknownVersionOfTheOtherModelReportsTheModel) {
    ModComm::gRadioVersion = "V999";
    EXPECT_FALSE(Check(1, 1, "KL740G", 1));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(GetLangText(9012)));
}

} // namespace
