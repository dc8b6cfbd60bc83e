#include "dealer/DealerTexts.h"
#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "dealer/ModSYSType.h"
#include "platform/SysLocale.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/TestSupport.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace Halbrek;

namespace {

class AreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
        gRadioImage.fill(0);
        ModData::InitDefaults();
        gProtectInfo = {};
    }
    void TearDown() override { Platform::SetSystemLcidForTesting(-1); }
};

TEST_F(AreaTest, ErasedOrEmptyFieldsDecodeEmptyAndFullFieldsWhole) {
    gRadioImage.fill(0xFF);
    ModData::SetImageBytes(0xB50, QByteArray(1, '\0') + "2024");
    ModData::SetImageBytes(0xB40, "1234567890ABCDEF"); // all 16 bytes, no stop byte
    ModData::SetImageBytes(0xB00, QByteArray("KL740G\xFF", 7));
    ModData::SetImageBytes(0xB10, "0595");
    ModData::DecodeRadioInfo();
    EXPECT_EQ(FixedValue(gDealerInfo.ProductedDate), "");
    EXPECT_EQ(FixedValue(gDealerInfo.DealerCode), "");
    EXPECT_EQ(FixedValue(gDealerInfo.SerialNumber), "1234567890ABCDEF");
    EXPECT_EQ(gDealerInfo.RadioType, "KL740G");
    EXPECT_EQ(gDealerInfo.AreaCode, "0595");
    EXPECT_EQ(gDealerInfo.BandCode, 0xFF);
    EXPECT_EQ(gDealerInfo.Version, "V2.00");
}

TEST_F(AreaTest, PasswordTakesItsFourBytesAloneAndDecodingNeverWritesTheImage) {
    ModData::SetImageBytes(0xB30, "USER"); // user code right before it
    ModData::SetImageBytes(0xB3C, "ab12");
    ModData::SetImageBytes(0xB40, "SERIAL");
    ModData::SetImageByte(0xB0C, 0x15);
    const auto before = gRadioImage;
    ModData::DecodeRadioInfo();
    EXPECT_EQ(FixedValue(gDealerInfo.Password), "ab12");
    EXPECT_EQ(FixedValue(gDealerInfo.UserCode), "USER");
    EXPECT_EQ(gDealerInfo.DTMF, 1);
    EXPECT_EQ(gDealerInfo.Scramble, 0);
    EXPECT_EQ(gDealerInfo.Stun, 1);
    EXPECT_EQ(gDealerInfo.Kill, 0);
    EXPECT_EQ(gDealerInfo.Factory, 1);
    EXPECT_EQ(gRadioImage, before);
}

TEST_F(AreaTest, PutStringCutsBytesAndFillsZeros) {
    Platform::SetSystemLcidForTesting(Platform::kLcidChineseSimplified);
    const QString han = QStringLiteral("经销商代码测试一二"); // 9 double-byte characters
    ModData::PutString(0xCC0, han, 16);
    EXPECT_EQ(ModData::ConvertedText(0xCC0, 16), han.left(8));
    ModData::PutString(0xCC0, han.left(8) + "x", 16);
    EXPECT_EQ(ModData::ConvertedText(0xCC0, 16), han.left(8));
    ModData::PutString(0xCC0, "x" + han.left(8), 16);
    const QByteArray bytes = ModData::ImageBytes(0xCC0, 16);
    EXPECT_EQ(bytes.left(15), Platform::StringToAnsi("x" + han.left(7)));
    EXPECT_EQ(bytes[15], Platform::StringToAnsi(han.mid(7, 1))[0]); // half a character
    gRadioImage.fill(0xFF);
    ModData::PutString(0xCF0, "ab", 16);
    EXPECT_EQ(ModData::ImageBytes(0xCF0, 16), QByteArray("ab") + QByteArray(14, '\0'));
    // Nothing is written outside the area.
    ModData::PutString(0xCF8, "0123456789ABCDEF", 16);
    EXPECT_EQ(ModData::ImageBytes(0xCF8, 8), "01234567");
}

TEST_F(AreaTest, EncodingWritesOnlyStunKillAndTheDealerFields) {
    gRadioImage.fill(0xFF);
    StoreFixed(gDealerInfo.DealerCode, "");
    StoreFixed(gDealerInfo.Seller, "Mr Lin");
    StoreFixed(gDealerInfo.Password, "1234");
    StoreFixed(gDealerInfo.SerialNumber, "77777777");
    gDealerInfo.Stun = 1;
    gDealerInfo.Kill = 0;
    gDealerInfo.DTMF = gDealerInfo.Scramble = gDealerInfo.Factory = 0;
    ModData::EncodeDealerInfo();
    EXPECT_EQ(ModData::ImageByte(0xB0C), 0xF7);
    EXPECT_EQ(ModData::ImageBytes(0xCC0, 16), QByteArray(16, '\0'));
    EXPECT_EQ(ModData::ImageBytes(0xCF0, 16), QByteArray("Mr Lin") + QByteArray(10, '\0'));
    EXPECT_EQ(ModData::ImageBytes(0xB3C, 4), "1234");
    EXPECT_EQ(ModData::ImageBytes(0xB40, 16), QByteArray(16, '\xFF')); // serial never written

    gDealerInfo.Stun = 0;
    ModData::EncodeDealerInfo();
    EXPECT_EQ(ModData::ImageByte(0xB0C), 0xF3);
    ModData::SetImageByte(0xB0C, 0x00);
    gDealerInfo.Stun = gDealerInfo.Kill = 1;
    ModData::EncodeDealerInfo();
    EXPECT_EQ(ModData::ImageByte(0xB0C), 0x0C);
}

TEST_F(AreaTest, DefaultsBeforeAnyRead) {
    const QDate today = QDate::currentDate();
    EXPECT_EQ(FixedValue(gDealerInfo.SerialNumber),
              today.toString("yyyyMMdd") + QStringLiteral("00000001"));
    EXPECT_EQ(FixedValue(gDealerInfo.BatchNumber), today.toString("MM") + "-1-E-1");
    EXPECT_EQ(FixedValue(gDealerInfo.UserCode), "001A");
    EXPECT_EQ(gDealerInfo.DTMF + gDealerInfo.Scramble + gDealerInfo.Factory, 3);
    EXPECT_EQ(gDealerInfo.RadioType, "KL740");
    EXPECT_EQ(gMsgReadDone[1], "Read Complete!");
    EXPECT_EQ(gMsgMulWriteDone[2], QStringLiteral("批写入完成！"));
}

TEST_F(AreaTest, SerialNumberIsRaisedInItsTail) {
    using Halbrek::ModComm::RaiseSerialNumber;
    EXPECT_EQ(RaiseSerialNumber("2024010100000009"), "2024010100000010");
    EXPECT_EQ(RaiseSerialNumber("2024010199999999"), "20240101100000000"); // cut to 16 when stored
    StoreFixed(gDealerInfo.SerialNumber, RaiseSerialNumber("2024010199999999"));
    EXPECT_EQ(FixedValue(gDealerInfo.SerialNumber), "2024010110000000");
    EXPECT_EQ(RaiseSerialNumber("41"), "00000042");
    EXPECT_EQ(RaiseSerialNumber("ABCDEFG"), "ABCDEFG");
    EXPECT_EQ(RaiseSerialNumber("KL7-2024-A"), "KL7-2024-A");
}

TEST_F(AreaTest, LanguageFollowsTheSystemLocaleOnly) {
    for (int lcid : {0x409, 0x404, 0xC04}) {
        Platform::SetSystemLcidForTesting(lcid);
        ChooseLanguage();
        EXPECT_EQ(gLanguage, 1) << lcid;
    }
    Platform::SetSystemLcidForTesting(0x804);
    ChooseLanguage();
    EXPECT_EQ(gLanguage, 2);
    FillProtectTexts();
    EXPECT_EQ(Text(gProtectNote).split("\r\n", Qt::SkipEmptyParts).size(), 6);
    EXPECT_EQ(Text(gMsgProtectError), QStringLiteral("您没有正确回答密码保护问题！"));
    gLanguage = 1;
    EXPECT_EQ(Text(gProtectNote).split("\r\n", Qt::SkipEmptyParts).size(), 4);
    EXPECT_TRUE(Text(gProtectNote).endsWith("\r\n"));
}

TEST_F(AreaTest, PortListKeepsTheCatalogueOrderAndSettingsSurviveBadValues) {
    TestSupport::TempProgram program;
    Platform::SerialPorts::SetGivenPorts(QList<int>{3, 1, 1234});
    int first = -1;
    EXPECT_EQ(ModSYSType::ListComPorts(first), QStringList({"COM3", "COM1", "COM123"}));
    EXPECT_EQ(first, 3);
    Platform::SerialPorts::SetGivenPorts(QList<int>{});
    EXPECT_TRUE(ModSYSType::ListComPorts(first).isEmpty());
    EXPECT_EQ(first, 0);
    Platform::SerialPorts::SetGivenPorts(std::nullopt);
    EXPECT_EQ(ModSYSType::PortNumberOf("COM12"), 12);
    EXPECT_EQ(ModSYSType::PortNumberOf("COM"), 0);

    Halbrek::ModComm::gComPort = 9;
    ModSYSType::LoadSettings(); // no file yet
    EXPECT_EQ(Halbrek::ModComm::gComPort, 0);
    ModSYSType::WriteSetting("comPort", "x7");
    ModSYSType::WriteSetting("Question", "My pet");
    ModSYSType::WriteSetting("Answer", "Rex");
    ModSYSType::LoadSettings();
    EXPECT_EQ(Halbrek::ModComm::gComPort, 0);
    EXPECT_EQ(FixedValue(gProtectInfo.Question), "My pet");
    EXPECT_EQ(FixedValue(gProtectInfo.NewAnswer), "Rex");
    EXPECT_EQ(FixedValue(gProtectInfo.Answer), "Rex");
    ModSYSType::WriteSetting("comPort", "12");
    ModSYSType::LoadSettings();
    EXPECT_EQ(Halbrek::ModComm::gComPort, 12);
}

} // namespace
