#include "data/ModCommFun.h"
#include "data/ModFun.h"
#include "platform/SysLocale.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using ModFun::TrimNull;

namespace {

class RadioInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
        TestSupport::ResetProgram();
        gRadioInfoImage.fill(0xFF);
    }
    void TearDown() override { Platform::SetSystemLcidForTesting(-1); }

    static void Put(int radioAddress, const QByteArray& bytes) {
        std::copy(bytes.begin(), bytes.end(), gRadioInfoImage.begin() + (radioAddress - 0xB10));
    }
    TestSupport::TempProgram program;
};

TEST_F(RadioInfoTest, AreaCodeStopsAtFFOrNul) {
    Put(0xB10, QByteArray::fromHex("30353935"));
    ModCommFun::DecodeRadioInfo(gLocalInfo);
    EXPECT_EQ(gLocalInfo.AreaCode, "0595");
    Put(0xB10, QByteArray::fromHex("3035FFFF"));
    ModCommFun::DecodeRadioInfo(gLocalInfo);
    EXPECT_EQ(gLocalInfo.AreaCode, "05");
    Put(0xB10, QByteArray::fromHex("31003232"));
    ModCommFun::DecodeRadioInfo(gLocalInfo);
    EXPECT_EQ(gLocalInfo.AreaCode, "1");
}

TEST_F(RadioInfoTest, TextsAreTakenFromTheirAddresses) {
    Put(0xB20, "0512-1-E");
    Put(0xB30, "001AXXXXXXXX");
    Put(0xB40, QByteArray("SN-1234  ") + QByteArray(1, '\0'));
    Put(0xB50, "2024-01-02");
    Put(0xB60, "2024-03-04");
    Put(0xB70, "Hand-held unit");
    Put(0xCC0, "D77");
    Put(0xCD0, "2024-05-06");
    Put(0xCE0, "2024-07-08");
    Put(0xCF0, "SELLER-NAME-1234"); // 16 bytes, no end mark
    ModCommFun::DecodeRadioInfo(gLocalInfo);
    EXPECT_EQ(gLocalInfo.BatchNumber.Text(), "0512-1-E");
    EXPECT_EQ(gLocalInfo.UserCode.Text(), "001A") << "only 0xB30-0xB33";
    EXPECT_EQ(gLocalInfo.SerialNumber.Bytes(), QByteArray("SN-1234\0        ", 16))
        << "trailing blanks removed, then a NUL";
    EXPECT_EQ(TrimNull(gLocalInfo.ProductedDate.Text()), "2024-01-02");
    EXPECT_EQ(TrimNull(gLocalInfo.MaintainedDate.Text()), "2024-03-04");
    EXPECT_EQ(TrimNull(gLocalInfo.Description.Text()), "Hand-held unit");
    EXPECT_EQ(TrimNull(gLocalInfo.DealerCode.Text()), "D77");
    EXPECT_EQ(TrimNull(gLocalInfo.StockDate.Text()), "2024-05-06");
    EXPECT_EQ(TrimNull(gLocalInfo.SellDate.Text()), "2024-07-08");
    EXPECT_EQ(gLocalInfo.Seller.Bytes(), QByteArray("SELLER-NAME-1234"));
}

TEST_F(RadioInfoTest, AnUnprogrammedOrNulStartedFieldIsEmpty) {
    Put(0xB40, QByteArray(1, '\0') + "JUNK");
    ModCommFun::DecodeRadioInfo(gLocalInfo);
    EXPECT_EQ(TrimNull(gLocalInfo.SerialNumber.Text()), "");
    EXPECT_EQ(TrimNull(gLocalInfo.Seller.Text()), "");
    EXPECT_EQ(gLocalInfo.AreaCode, "");
}

TEST_F(RadioInfoTest, BandVersionAndTypeAreNotTouched) {
    gLocalInfo.BandCode = 11;
    gLocalInfo.Version = "V9";
    gLocalInfo.RadioType = "KL740G";
    Put(0xB10, QByteArray(0x1F0, 'A'));
    ModCommFun::DecodeRadioInfo(gLocalInfo);
    EXPECT_EQ(gLocalInfo.BandCode, 11);
    EXPECT_EQ(gLocalInfo.Version, "V9");
    EXPECT_EQ(gLocalInfo.RadioType, "KL740G");
    EXPECT_EQ(gLocalInfo.Description.Bytes(), QByteArray(96, 'A'));
}

TEST_F(RadioInfoTest, DoubleByteTextsOfTheSystemCodePage) {
    Platform::SetSystemLcidForTesting(Platform::kLcidChineseSimplified);
    const QString text = QString::fromUtf8("对讲机说明");
    Put(0xB70, Platform::StringToAnsi(text));
    ModCommFun::DecodeRadioInfo(gLocalInfo);
    EXPECT_EQ(TrimNull(gLocalInfo.Description.Text()), text);
}

} // namespace
