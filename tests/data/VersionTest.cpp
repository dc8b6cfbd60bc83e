#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ModVerionMana.h"
#include "tests/support/TestSupport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace ModVerionMana;

namespace {

class VersionTest : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::ResetProgram(); }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
};

TEST_F(VersionTest, TheTableComesFromVersionIniInTheRoot) {
    program.WriteFile("../Version.ini",
                      "[Version]\nCurrentVersion=V200\nSoftVersionCount=2\nFirmVersionCount=2\n"
                      "[Soft]\nVersion0=V200\nVersion1=V210\n"
                      "[Firm]\nFirm0=V200V200\nFirm1=V210V205\n");
    gEditData.Version.Assign("XXXX");
    LoadVersionIni();
    EXPECT_EQ(gEditData.Version.Text(), "V200");
    EXPECT_EQ(gVersionTable.CurrentVersion, "V200");
    EXPECT_EQ(gVersionTable.SoftVersions, (QList<QString>{"V200", "V210"}));
    EXPECT_TRUE(IsPairKnown("V200", "V200"));
    EXPECT_FALSE(IsPairKnown("V200", "V205"));
    EXPECT_EQ(SoftForFirm("V205"), "V210");
    EXPECT_EQ(SoftForFirm("V999"), "");
}

TEST_F(VersionTest, AMissingOrDamagedVersionIniGivesAnEmptyTable) {
    LoadVersionIni();
    EXPECT_TRUE(gVersionTable.Pairs.isEmpty());
    EXPECT_TRUE(IsPairKnown("V200", "V200")) << "its own version needs no table";
    EXPECT_FALSE(IsPairKnown("V200", "V210"));
    program.WriteFile("../Version.ini",
                      "[Version]\nFirmVersionCount=lots\n[Firm]\nFirm0=V200V200\n");
    LoadVersionIni();
    EXPECT_TRUE(gVersionTable.Pairs.isEmpty());
    program.WriteFile("../Version.ini", "[Version]\nFirmVersionCount=99999999\n");
    LoadVersionIni();
    EXPECT_LE(gVersionTable.Pairs.size(), 1000);
}

TEST_F(VersionTest, StampsAndShownVersions) {
    EXPECT_TRUE(IsVersionStamp("V200"));
    EXPECT_TRUE(IsVersionStamp(QString::fromLatin1("V200\0\0", 6)));
    for (const char* no : {"V20", "X200", "V2A0", "v200", "V2000", ""})
        EXPECT_FALSE(IsVersionStamp(QString::fromLatin1(no))) << no;
    EXPECT_EQ(ShowVersion("V210"), "V2.10");
}

TEST_F(VersionTest, TheMismatchTextNamesBothVersions) {
    const QString t = ModFunLang::GetLangText(9062) + "\n" + ModFunLang::GetLangText(9064) +
                      " V2.10\n" + ModFunLang::GetLangText(9061) + " V2.00";
    EXPECT_EQ(VersionMismatchText("V200", "V210", 1), t);
    EXPECT_TRUE(VersionMismatchText("V200", "V210", 0).contains(ModFunLang::GetLangText(9060)));
    EXPECT_EQ(VersionMismatchText("V200", "V210", 7),
              ModFunLang::GetLangText(9062) + "\n" + ModFunLang::GetLangText(9061) + " V2.00");
}

TEST_F(VersionTest, NoPairForTheDataVersionIsReported) {
    LoadVersionIni();
    EXPECT_EQ(StartMatchingVersion("V300"), SwitchResult::NoPair);
    EXPECT_EQ(messages.shown.last().text, ModFunLang::GetLangText(9063));
}

TEST_F(VersionTest, ParentFolders) {
    EXPECT_EQ(ParentFolder("/opt/prog/V200"), "/opt/prog");
    EXPECT_EQ(ParentFolder("V200"), "V200");
    EXPECT_EQ(ParentFolder("/V200"), "/V200");
    EXPECT_EQ(GetVersionRoot(program.ProgramDir()), program.Root());
}

class TestModeTest : public VersionTest {};

TEST_F(TestModeTest, OnlyTheExactMarkerSwitchesTheModeOn) {
    ModTestData::LoadTestMode();
    EXPECT_FALSE(gTestDataOn) << "no marker file";
    program.WriteFile("TestData.ini", ModTestData::kMarker);
    ModTestData::LoadTestMode();
    EXPECT_TRUE(gTestDataOn);
    program.WriteFile("TestData.ini", QByteArray(ModTestData::kMarker).leftJustified(200, ' '));
    ModTestData::LoadTestMode();
    EXPECT_TRUE(gTestDataOn) << "blanks to the end of the 128-byte text are trimmed";
    for (const QByteArray& other :
         {QByteArray(ModTestData::kMarker) + "\r\n", QByteArray(ModTestData::kMarker) + "  ",
          " " + QByteArray(ModTestData::kMarker), QByteArray(ModTestData::kMarker).toLower(),
          QByteArray(300, 'Z')}) {
        program.WriteFile("TestData.ini", other);
        ModTestData::LoadTestMode();
        EXPECT_FALSE(gTestDataOn) << other.constData();
    }
}

TEST_F(TestModeTest, LoadingTheModeClearsBothTestBlocks) {
    ModTestData::TakeTestBlockOf("a.dat");
    ModTestData::TakeRadioBlock({7});
    ModTestData::LoadTestMode();
    EXPECT_EQ(gEditTestBlock, TTestData{});
    EXPECT_EQ(gFileTestBlock, TTestData{});
}

TEST_F(TestModeTest, TestBlockFiles) {
    const QString path = program.ProgramDir() + "/block.ted";
    TTestBlock block;
    block.fill(0x42);
    ASSERT_TRUE(ModTestData::WriteTestFile(path, block));
    EXPECT_EQ(QFileInfo(path).size(), 16);
    TTestBlock back{};
    ModTestData::ReadTestFile(path, back);
    EXPECT_EQ(back, block);
    TTestBlock untouched;
    untouched.fill(1);
    ModTestData::ReadTestFile(path + ".none", untouched);
    EXPECT_EQ(untouched[0], 1);

    gFileTestBlock.bytes.fill(9);
    ModTestData::LoadTedForDat("a.d");
    EXPECT_EQ(gFileTestBlock.bytes[0], 9) << "a path of three characters does nothing";
}

} // namespace
