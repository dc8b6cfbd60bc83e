#include "LinkFixture.h"
#include "data/ModTestData.h"

namespace Mb = Platform::Mb;

namespace {

class TestBlockTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        gTestDataOn = true;
        radio.SetMemory(ModComm::kTestBlockAddr, QByteArray("0123456789ABCDEF"));
        ModTestData::TakeDialogBlock(TTestBlock{}); // the configuration's own
    }
    void TearDown() override {
        gTestDataOn = false;
        LinkTest::TearDown();
    }
    int TimesAsked(const std::vector<int>& addresses) {
        return static_cast<int>(
            std::count(addresses.begin(), addresses.end(), ModComm::kTestBlockAddr));
    }
};

TEST_F(TestBlockTest, ReadFetchesTheTestBlockBeforeTheImage) {
    Read();
    EXPECT_EQ(Shown(9009), 1);
    EXPECT_EQ(ModTestData::TestFileBytes(gEditTestBlock.bytes), QByteArray("0123456789ABCDEF"));
    const auto& asked = radio.CurrentCounters().readAddresses;
    ASSERT_GE(asked.size(), 3u);
    EXPECT_EQ(asked[1], ModComm::kTestBlockAddr);
    EXPECT_EQ(asked[2], 0x000);
    EXPECT_TRUE(ModTestData::IsTestBlockKnown());
    gTestDataOn = false; // a read without the block: not the one read before
    Read();
    EXPECT_EQ(gEditTestBlock, TTestData{});
}

TEST_F(TestBlockTest, WriteSendsTheMarkedTestBlock) {
    ModTestData::TakeDialogBlock(TTestBlock{7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7});
    Write();
    EXPECT_EQ(Shown(9010), 1);
    QByteArray expected(16, 7);
    expected[15] = static_cast<char>(0xA5);
    EXPECT_EQ(radio.Memory(ModComm::kTestBlockAddr, 16), expected);
    EXPECT_EQ(gEditTestBlock.bytes[15], 7); // the marker is sent, not kept as an edit
    EXPECT_EQ(radio.CurrentCounters().writeAddresses.front(), ModComm::kTestBlockAddr);
}

TEST_F(TestBlockTest, UnansweredTestBlockIsAskedAgain) {
    Update([](SimRadio::Setup& s) {
        s.dropAddress = ModComm::kTestBlockAddr;
        s.dropCount = 2;
    });
    Read();
    EXPECT_EQ(Shown(9009), 1);
    EXPECT_EQ(Shown(9008), 0);
    EXPECT_EQ(TimesAsked(radio.CurrentCounters().readAddresses), 3);
}

TEST_F(TestBlockTest, SendAgainForTheTestBlockRepeatsIt) {
    Update([](SimRadio::Setup& s) {
        s.resendAddress = ModComm::kTestBlockAddr;
        s.resendCount = 1;
    });
    Write();
    EXPECT_EQ(Shown(9010), 1);
    EXPECT_EQ(TimesAsked(radio.CurrentCounters().writeAddresses), 2);
    // The first block of the image follows, once.
    const auto& sent = radio.CurrentCounters().writeAddresses;
    EXPECT_EQ(std::count(sent.begin(), sent.end(), 0x000), 1);
}

// A failed read leaves no test block for a later read to take: one that the
// radio stops answering, and one whose image does not decode.
TEST_F(TestBlockTest, AFailedReadLeavesNoBlockBehind) {
    const auto decode = commands.DecodeStep;
    for (bool decodeFails : {false, true}) {
        gTestDataOn = true;
        messages.shown.clear();
        if (decodeFails) {
            commands.DecodeStep = [] { throw std::out_of_range("put in"); };
        } else {
            Update([](SimRadio::Setup& s) {
                s.corruptAddress = 0x100;
                s.corruptCount = 1000;
            });
            messages.answers = {Mb::IdOK, Mb::IdCancel}; // read it, then give up
        }
        Read();
        if (decodeFails)
            ASSERT_TRUE(messages.shown.last().text.startsWith(ModFunLang::GetLangText(9111)));
        else
            ASSERT_EQ(Shown(9008), 1);
        gTestDataOn = false;
        commands.DecodeStep = decode;
        Update([](SimRadio::Setup& s) { s.corruptAddress = -1; });
        Read();
        EXPECT_EQ(Shown(9009), decodeFails ? 2 : 1);
        EXPECT_EQ(gEditTestBlock, TTestData{}) << decodeFails;
    }
}

TEST_F(TestBlockTest, HandshakeFailureAsksInTestDataMode) {
    Update([](SimRadio::Setup& s) { s.silent = true; });
    messages.answers = {Mb::IdOK, Mb::IdCancel};
    Read();
    EXPECT_EQ(Shown(9008), 1);
    EXPECT_EQ(gCommType, 0);
}

} // namespace
