#include "data/ConfigFiles.h"
#include "data/DatLayout.h"
#include "data/ModFreFile.h"
#include "data/ModInitV.h"
#include "data/ModShowFreFun.h"
#include "data/ModTestData.h"
#include "data/ModVerionMana.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/SysLocale.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using namespace ModShowFreFun;

namespace {

// The main window as the file operations see it.
using MainSpy = TestSupport::MainCalls;

class FakeStarter final : public ModVerionMana::ProgramStarter {
public:
    bool Start(const QString& path) override {
        started << path;
        return succeed;
    }
    QStringList started;
    bool succeed = true;
};

class ConfigFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        program.WriteFile("../Version.ini",
                          "[Version]\nFirmVersionCount=1\n[Firm]\nFirm0=V200V200\n");
        ModVerionMana::LoadVersionIni();
        Platform::Forms::SetWindowOps({[this](const QString& name) -> QObject* {
                                           shownWindows << name;
                                           return nullptr;
                                       },
                                       [] {},
                                       {}});
    }
    void TearDown() override {
        Platform::Forms::SetWindowOps({});
        ModVerionMana::SetProgramStarter(nullptr);
        ModVerionMana::SetSwitchHooks({});
    }

    QString Path(const QString& name) const { return program.ProgramDir() + u'/' + name; }
    QString Write(const QString& name, const QByteArray& bytes) const {
        program.WriteFile(name, bytes);
        return Path(name);
    }
    QByteArray Read(const QString& name) const { return program.ReadFile(name); }

    // A record as this program saves it: model KL740G in band 136 - 174 MHz
    // with three channels.
    TRadioData SampleRecord() {
        TRadioData d = gEditData;
        d.Version.Assign("V200");
        d.ModelInfo.ModelName.Assign("KL740G");
        d.ModelInfo.BandCode = 8;
        d.ChannelCount = 3;
        for (int i = 0; i < 3; ++i) {
            TChannel& c = d.Channels[static_cast<std::size_t>(i)];
            c = TChannel{};
            c.Number = static_cast<qint16>(i == 0 ? 1 : 10 + i);
            c.RxFreq.Assign(QString::number(14500000 + 10000 * i));
            c.Offset.Assign("0060000");
            c.OffsetDir = 2;
            c.TxPower = 1;
        }
        d.Settings.Alert[3] = 4;
        d.RadioFreList[0].Empty = 0;
        d.RadioFreList[0].Fre.Assign("08750000");
        return d;
    }
    bool Open(const QString& path) {
        gDataFileName = path;
        return OpenDataFile(&main);
    }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    MainSpy main;
    QStringList shownWindows;
};

TEST_F(ConfigFilesTest, OpenTakesTheWholeFileAndTheFilesModel) {
    const QByteArray bytes = DatLayout::Pack(SampleRecord());
    ASSERT_TRUE(Open(Write("radio.dat", bytes)));
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(gModelName, "KL740G");
    EXPECT_EQ(gBandText, "136 - 174 MHz");
    EXPECT_EQ(gEditData.ChannelCount, 3);
    EXPECT_EQ(gEditData.Channels[2].Number, 12);
    EXPECT_FALSE(gIsUntitled);
    EXPECT_FALSE(IsDataModified());
    EXPECT_EQ(main.calls, (QStringList{"CloseCurAllWindows", "ShowMainTxt", "Change_Language"}));
    EXPECT_EQ(shownWindows, QStringList{"frmCommChInfo"});
}

TEST_F(ConfigFilesTest, OpenThenSaveGivesTheIdenticalBytes) {
    const QByteArray bytes = DatLayout::Pack(SampleRecord());
    ASSERT_TRUE(Open(Write("radio.dat", bytes)));
    ASSERT_TRUE(SaveDataFile(&main));
    EXPECT_EQ(Read("radio.dat"), bytes);
    EXPECT_EQ(Read("radio.NVD"), QByteArray("V200\x01", 5));
    EXPECT_FALSE(QFileInfo::exists(Path("radio.ted"))) << "no test block outside test mode";
}

TEST_F(ConfigFilesTest, ShortRecordsOpenAndOtherLengthsAreRefused) {
    const QByteArray bytes = DatLayout::Pack(SampleRecord());
    EXPECT_TRUE(Open(Write("short.dat", bytes.left(8595))));
    EXPECT_EQ(gEditData.ProhibitInit, 0);

    TestSupport::ResetProgram();
    const TRadioData before = gEditData;
    for (int size : {8596, 8598, 100}) {
        QByteArray b = bytes;
        b.resize(size);
        EXPECT_FALSE(Open(Write("bad.dat", b))) << size;
        EXPECT_EQ(messages.shown.last().text, "This is not a valid configuration file.");
    }
    EXPECT_EQ(gEditData, before);
}

TEST_F(ConfigFilesTest, AFileThatIsNotAWellFormedRecordChangesNothing) {
    using Damage = std::function<void(TRadioData&)>;
    const auto refused = [&](const char* why, const Damage& damage, bool opens = false) {
        TRadioData d = SampleRecord();
        damage(d);
        const TRadioData edit = gEditData;
        const TRadioData file = gFileData;
        const int shown = messages.Count();
        EXPECT_EQ(Open(Write("bad.dat", DatLayout::Pack(d))), opens) << why;
        if (opens) return;
        EXPECT_EQ(messages.Count(), shown + 1) << why;
        EXPECT_EQ(messages.shown.last().text, "This is not a valid configuration file.") << why;
        EXPECT_EQ(gEditData, edit) << why;
        EXPECT_EQ(gFileData, file) << why;
        EXPECT_TRUE(main.calls.isEmpty()) << why;
    };
    refused("channel count", [](TRadioData& d) { d.ChannelCount = 129; });
    refused("negative count", [](TRadioData& d) { d.ChannelCount = -1; });
    refused("duplicate number", [](TRadioData& d) { d.Channels[2].Number = 1; });
    refused("number 0", [](TRadioData& d) { d.Channels[1].Number = 0; });
    refused("number 129", [](TRadioData& d) { d.Channels[1].Number = 129; });
    refused("band code", [](TRadioData& d) { d.ModelInfo.BandCode = 15; });
    refused("receive frequency", [](TRadioData& d) { d.Channels[2].RxFreq.Assign("1450Z000"); });
    refused("short receive frequency", [](TRadioData& d) { d.Channels[0].RxFreq.Assign("44"); });
    refused("short offset", [](TRadioData& d) { d.Channels[1].Offset.Assign("5"); });
    refused("transmit below 0", [](TRadioData& d) {
        d.Channels[0].RxFreq.Assign("00050000"), d.Channels[0].OffsetDir = 1;
    });
    refused("transmit of 1000 MHz", [](TRadioData& d) { d.Channels[1].RxFreq.Assign("99940000"); });
    refused("test pair with letters",
            [](TRadioData& d) { d.TestFreList[3].Second.Assign("12AB5678"); });
    // a radio takes it as no frequency
    refused("test pair of zeros", [](TRadioData& d) { d.TestFreList[0].First.Assign("00000000"); });
    Platform::SetSystemLcidForTesting(Platform::kLcidChineseSimplified);
    refused("full-width digits",
            [](TRadioData& d) { d.Channels[0].RxFreq.Assign(QStringLiteral("４４００")); });
    Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
    refused(
        "nines", [](TRadioData& d) { d.Channels[2].RxFreq.Assign("99939999"); }, true);
}

TEST_F(ConfigFilesTest, VersionStampsAreChecked) {
    QByteArray bytes = DatLayout::Pack(SampleRecord());
    bytes.replace(0, 4, "V2X0");
    EXPECT_FALSE(Open(Write("x.dat", bytes)));
    EXPECT_EQ(messages.shown.last().text, "This file is not a configuration file of this program.");

    bytes.replace(0, 4, "V300");
    messages.answers << Platform::Mb::IdNo;
    EXPECT_FALSE(Open(Write("x.dat", bytes)));
    EXPECT_EQ(Platform::Mb::Buttons(messages.shown.last().style), Platform::Mb::YesNo);
    EXPECT_TRUE(messages.shown.last().text.endsWith("Data version of this program: V2.00"));
    EXPECT_EQ(gModelName, "KL740");

    // without Version.ini the program's own files open all the same
    ASSERT_TRUE(QFile::remove(program.Root() + "/Version.ini"));
    ModVerionMana::LoadVersionIni();
    bytes.replace(0, 4, "V200");
    EXPECT_TRUE(Open(Write("x.dat", bytes)));
}

TEST_F(ConfigFilesTest, YesToTheMismatchStartsTheMatchingVersionAfterTheSaveQuestion) {
    program.WriteFile("../Version.ini", "[Version]\nFirmVersionCount=2\n[Firm]\nFirm0=V200V200\n"
                                        "Firm1=V210V210\n");
    ModVerionMana::LoadVersionIni();
    FakeStarter starter;
    ModVerionMana::SetProgramStarter(&starter);
    QStringList order;
    ModVerionMana::SetSwitchHooks({[&order] {
                                       order << "askSave";
                                       return true;
                                   },
                                   [&order] { order << "closePort"; },
                                   [&order] { order << "end"; }});
    QByteArray bytes = DatLayout::Pack(SampleRecord());
    bytes.replace(0, 4, "V210");
    messages.answers << Platform::Mb::IdYes;
    Platform::SetExeName("corvan");
    EXPECT_FALSE(Open(Write("x.dat", bytes)));
    EXPECT_EQ(starter.started, QStringList{program.Root() + "/V210/corvan"});
    EXPECT_EQ(order, (QStringList{"askSave", "closePort", "end"}));

    // The start fails: the file command reports the error and the program goes on.
    order.clear();
    starter.succeed = false;
    messages.answers << Platform::Mb::IdYes;
    EXPECT_FALSE(Open(Write("x.dat", bytes)));
    EXPECT_EQ(messages.shown.last().text, "The file could not be read or written.");
    EXPECT_FALSE(order.contains("end"));

    // Cancel at the save question: nothing starts.
    starter.started.clear();
    ModVerionMana::SetSwitchHooks({[] { return false; }, {}, {}});
    messages.answers << Platform::Mb::IdYes;
    EXPECT_FALSE(Open(Write("x.dat", bytes)));
    EXPECT_TRUE(starter.started.isEmpty());
    Platform::SetExeName(QString());
}

TEST_F(ConfigFilesTest, ImportKeepsTheProgramsModelAndBand) {
    TRadioData d = SampleRecord();
    d.Settings.OptFeatures[7] = -1; // channel lock on, as older files say it
    d.Channels[1].TxPower = 3;
    gDataFileName = Write("radio.dat", DatLayout::Pack(d));
    Write("radio.NVD", QByteArray("V200\x07", 5));
    ASSERT_TRUE(ReopenDataFile(&main));
    EXPECT_EQ(gModelName, "KL740");
    EXPECT_EQ(gEditData.ModelInfo.ModelName.Text(), "KL740  ");
    EXPECT_EQ(gEditData.ChannelCount, 3);
    EXPECT_EQ(gEditData.Settings.OptFeatures[7], 1) << "held to the range a radio's value is";
    EXPECT_EQ(gEditData.Channels[1].TxPower, 2);
    EXPECT_EQ(gEditExtraData.AlertMode, 1);
    EXPECT_FALSE(IsDataModified());
}

TEST_F(ConfigFilesTest, SideFilesReplaceTheExtension) {
    EXPECT_EQ(ModFreFile::SideFileName("/a/radio.dat", "NVD"), "/a/radio.NVD");
    EXPECT_EQ(ModFreFile::SideFileName("/a/radio.DAT", ".ted"), "/a/radio.ted");
    EXPECT_EQ(ModFreFile::SideFileName("/a/radio", "NVD"), "/a/radio.NVD");
    EXPECT_EQ(ModFreFile::SideFileName("/a/my.radio.dat", ".ted"), "/a/my.radio.ted");
}

TEST_F(ConfigFilesTest, AWrongSizedSideFileReadsAsTheDefaults) {
    Write("radio.dat", DatLayout::Pack(SampleRecord()));
    Write("radio.NVD", QByteArray("V200\0\0", 6));
    ASSERT_TRUE(Open(Path("radio.dat")));
    EXPECT_EQ(gEditExtraData.AlertMode, 1);
    Write("radio.NVD", QByteArray("V200\0", 5));
    ASSERT_TRUE(Open(Path("radio.dat")));
    EXPECT_EQ(gEditExtraData.AlertMode, 0);
}

TEST_F(ConfigFilesTest, TestModeKeepsATestBlockBesideTheFile) {
    gTestDataOn = true;
    ModTestData::TakeDialogBlock({0x5A, 0, 0x5A});
    gDataFileName = Path("radio.dat");
    ASSERT_TRUE(SaveDataFile(&main));
    EXPECT_EQ(Read("radio.ted"), QByteArray("Z\0Z", 3) + QByteArray(13, 0));

    // A configuration without its own test block opens with an empty one; one
    // confirmed over it is a change, zeros too.
    QFile::remove(Path("radio.ted"));
    ASSERT_TRUE(Open(Path("radio.dat")));
    EXPECT_FALSE(gEditTestBlock.Known());
    EXPECT_FALSE(IsDataModified());
    ModTestData::TakeDialogBlock(TTestBlock{});
    EXPECT_TRUE(IsDataModified());
}

TEST_F(ConfigFilesTest, AFailedSaveKeepsTheDataUnsavedAndTheOldFile) {
    ModShowFreFun::SetChannelCell(0, 2, 1, "441");
    gDataFileName = Path("missing/folder/radio.dat");
    EXPECT_FALSE(SaveDataFile(&main));
    EXPECT_EQ(messages.shown.last().text, "The file could not be read or written.");
    EXPECT_TRUE(IsDataModified());
    EXPECT_TRUE(gIsUntitled);

    // Saving over a longer file replaces it completely.
    gDataFileName = Write("long.dat", QByteArray(10000, 'x'));
    ASSERT_TRUE(SaveDataFile(&main));
    EXPECT_EQ(QFileInfo(gDataFileName).size(), 8597);
    EXPECT_FALSE(IsDataModified());
    EXPECT_EQ(main.calls, QStringList{"ShowMainTxt"});
}

TEST_F(ConfigFilesTest, WhatCountsAsUnsaved) {
    ASSERT_TRUE(Open(Write("radio.dat", DatLayout::Pack(SampleRecord()))));
    EXPECT_FALSE(IsDataModified());
    gEditData.RadioFreList[5].Empty = 0;
    EXPECT_TRUE(IsDataModified()) << "a broadcast preset is part of the configuration";
    gEditData.RadioFreList[5].Empty = 1;
    gEditData.Channels[1].TxPower = 2;
    EXPECT_TRUE(IsDataModified()) << "so is the transmit power";
    gEditData.Channels[1].TxPower = 1;
    EXPECT_FALSE(IsDataModified());
    gEditData.Settings.Scan[4] = 9;
    EXPECT_TRUE(IsDataModified());
    gEditData.Settings.Scan[4] = 0;
    gEditData.Settings.Alert[0] = 1;
    EXPECT_TRUE(IsDataModified());
    gEditData.Settings.Alert[0] = 0;
    gEditData.Settings.Dtmf.Id.Assign("000XYZ"); // beyond IdLen 3: not compared
    EXPECT_FALSE(IsDataModified());
    std::swap(gEditData.Channels[0], gEditData.Channels[2]);
    EXPECT_FALSE(IsDataModified()) << "channels are matched by number, not by slot";
    gEditData.Channels[0].Number = 13;
    EXPECT_TRUE(IsDataModified());
}

TEST_F(ConfigFilesTest, ANulPaddedModelNameIsNotAChange) {
    TRadioData d = SampleRecord();
    d.ModelInfo.ModelName.AssignBytes(QByteArray("KL740\0\0", 7));
    ASSERT_TRUE(Open(Write("nul.dat", DatLayout::Pack(d))));
    EXPECT_FALSE(IsDataModified());
}

TEST_F(ConfigFilesTest, FileNewLoadsTheDefaultFileOfModelAndBand) {
    TRadioData d = SampleRecord();
    d.ModelInfo.ModelName.Assign("KL740");
    d.ModelInfo.BandCode = 16;
    d.Settings.Keys[0] = 24;
    program.WriteFile("Init/KL740_16.dat", DatLayout::Pack(d));
    TestSupport::ResetProgram("KL740", "350 - 390 MHz");
    EXPECT_EQ(gEditData.Settings.Keys[0], 24);
    EXPECT_EQ(gEditData.ChannelCount, 1) << "only channel 1 of a default file";
    EXPECT_EQ(gEditData.Channels[0].RxFreq.Text(), "14500000");

    gInitAllChannels = true;
    ModInitV::NewData();
    EXPECT_EQ(gEditData.ChannelCount, 3);
    gInitAllChannels = false;

    d.Channels[0].Number = 5;
    program.WriteFile("Init/KL740_16.dat", DatLayout::Pack(d));
    ModInitV::NewData();
    EXPECT_EQ(gEditData.ChannelCount, 0) << "no channel 1 in the default file";
    EXPECT_EQ(messages.Count(), 0);

    program.WriteFile("Init/KL740_16.dat", QByteArray(100, 'x')); // a damaged one is named
    ModInitV::NewData();
    EXPECT_TRUE(messages.Count() == 1 && messages.shown[0].text.endsWith("/Init/KL740_16.dat"));
}

TEST_F(ConfigFilesTest, FileNewFallsBackToTheSettingsOfTheModelsFirstBand) {
    TRadioData d = SampleRecord();
    d.ModelInfo.ModelName.Assign("KL740");
    d.ModelInfo.BandCode = 0;
    d.Settings.Keys[1] = 25;
    program.WriteFile("Init/KL740_0.dat", DatLayout::Pack(d));
    TestSupport::ResetProgram("KL740", "350 - 390 MHz");
    EXPECT_EQ(gEditData.Settings.Keys[1], 25);
    EXPECT_EQ(gEditData.ChannelCount, 1);
    EXPECT_EQ(gEditData.Channels[0].RxFreq.Text(), "37000000") << "channels stay the defaults";
    EXPECT_EQ(gModelName, "KL740");
    EXPECT_EQ(gBandText, "350 - 390 MHz");
    EXPECT_FALSE(IsDataModified()) << "a new configuration is no change";

    QDir(program.ProgramDir() + "/Init").removeRecursively();
    TestSupport::ResetProgram("KL740", "350 - 390 MHz");
    EXPECT_EQ(gEditData.Settings.Keys[1], 10);
    EXPECT_FALSE(IsDataModified());
    EXPECT_EQ(messages.Count(), 0);
}

} // namespace
