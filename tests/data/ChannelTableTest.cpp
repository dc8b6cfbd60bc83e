#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "platform/Forms.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace ModShowFreFun;

namespace {

// A loaded page that records the calls the channel table makes.
class PageSpy : public QObject,
                public TestSupport::GridCalls,
                public TestSupport::EditorCalls,
                public Views::ChannelRefPage {
    Q_OBJECT
public:
    explicit PageSpy(const QString& name) {
        setObjectName(name);
        Platform::Forms::Register(this);
    }
    int reshows = 0;
    QList<int> rows;
    int editorRefreshes = 0;
    bool wandToSave = true;
    QStringList busyItems;
    int busyShown = -2;
    void ReshowByCh() override { ++reshows; }
    void reShowGrid(int row) override { rows << row; }
    void SetGridEditData(bool) override { ++editorRefreshes; }
    void ShowBusyLockChoices(const QStringList& items, int shown) override {
        busyItems = items;
        busyShown = shown;
    }
    void SetWandToSave(bool wanted) override { wandToSave = wanted; }
};

class ChannelTableTest : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::ResetProgram(); }

    TChannel& Channel(int number) {
        const int i = FindChannelIndex(number);
        EXPECT_GE(i, 0) << "channel " << number;
        return gEditData.Channels[static_cast<std::size_t>(std::max(i, 0))];
    }
    QString Rx(int number) { return FreqCodeToText(Channel(number).RxFreq.Text()); }
    QString Tx(int number) {
        const TChannel& c = Channel(number);
        return TxFreqDisplay(c.RxFreq.Text(), c.Offset.Text(), c.OffsetDir, false);
    }
    int Warnings() { return messages.CountOf(ModFunLang::GetLangText(9021)); }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
};

TEST_F(ChannelTableTest, TypingOutsideTheBandOnANewPositionCreatesTheChannelAtTheEdge) {
    SetChannelCell(0, 5, 1, "500");
    EXPECT_EQ(Warnings(), 1);
    ASSERT_EQ(gEditData.ChannelCount, 2);
    EXPECT_EQ(gEditData.Channels[1].Number, 5);
    EXPECT_EQ(Rx(5), "480.00000");
    EXPECT_EQ(Channel(5).TxPower, 2);
    EXPECT_EQ(Channel(5).RxStep, 0);
}

TEST_F(ChannelTableTest, ANewChannelIsSnappedOntoItsRaster) {
    SetChannelCell(1, 1, 1, "400.02499");
    EXPECT_EQ(Rx(17), "400.02500");
    EXPECT_EQ(Channel(17).RxStep, 2);
}

TEST_F(ChannelTableTest, ANewReceiveFrequencyKeepsTheTransmitFrequency) {
    SetChannelCell(0, 1, 1, "435");
    SetChannelCell(0, 1, 2, "430");
    EXPECT_EQ(Tx(1), "430.00000");
    SetChannelCell(0, 1, 1, "440");
    EXPECT_EQ(Rx(1), "440.00000");
    EXPECT_EQ(Tx(1), "430.00000");
    EXPECT_EQ(Channel(1).OffsetDir, 1);
    EXPECT_EQ(Channel(1).Offset.Text(), "1000000");
    EXPECT_EQ(Warnings(), 0);
}

TEST_F(ChannelTableTest, InOffsetModeANewReceiveFrequencyKeepsTheOffset) {
    SetChannelCell(0, 1, 1, "440");
    SetChannelCell(0, 1, 2, "435");
    gHabits.TxAsOffset = true;
    EXPECT_EQ(TxFreqDisplay(Channel(1).RxFreq.Text(), Channel(1).Offset.Text(),
                            Channel(1).OffsetDir, true),
              "-5.00000");
    SetChannelCell(0, 1, 1, "440.5");
    EXPECT_EQ(Tx(1), "435.50000");
}

TEST_F(ChannelTableTest, AKeptTransmitFrequencyOutsideTheBandIsClampedWithAWarning) {
    SetChannelCell(0, 1, 1, "410");
    SetChannelCell(0, 1, 2, "401");
    gHabits.TxAsOffset = true; // offset -9 MHz kept
    SetChannelCell(0, 1, 1, "405");
    EXPECT_EQ(Tx(1), "400.00000");
    EXPECT_EQ(Warnings(), 1);
}

TEST_F(ChannelTableTest, ASignedOffsetIsHeldInsideTheBandLikeATypedFrequency) {
    gHabits.TxAsOffset = true;
    SetChannelCell(0, 1, 1, "440");
    SetChannelCell(0, 1, 2, "+150");
    EXPECT_EQ(Warnings(), 1);
    EXPECT_EQ(Tx(1), "480.00000");
    EXPECT_EQ(Channel(1).OffsetDir, 2);
    EXPECT_EQ(Channel(1).Offset.Text(), "4000000");

    SetChannelCell(0, 1, 2, "-5");
    EXPECT_EQ(Tx(1), "435.00000");
    EXPECT_EQ(Warnings(), 1);
}

TEST_F(ChannelTableTest, AnEmptyTransmitCellInOffsetModeIsNotValidated) {
    SetChannelCell(0, 1, 1, "440");
    SetChannelCell(0, 1, 2, "430");
    gHabits.TxAsOffset = true;
    SetChannelCell(0, 1, 2, "");
    EXPECT_EQ(Warnings(), 0);
    EXPECT_EQ(Channel(1).OffsetDir, 0);
}

TEST_F(ChannelTableTest, ToneMirroringAndBusyLockDemotion) {
    SetChannelCell(0, 1, 4, "12");
    EXPECT_EQ(Channel(1).RxTone, 12);
    EXPECT_EQ(Channel(1).TxTone, 12);
    SetChannelCell(0, 1, 11, "2");
    EXPECT_EQ(Channel(1).BusyLock, 2);
    SetChannelCell(0, 1, 4, "0");
    EXPECT_EQ(Channel(1).RxTone, 0);
    EXPECT_EQ(Channel(1).TxTone, 12);
    EXPECT_EQ(Channel(1).BusyLock, 1);

    SetChannelCell(0, 1, 5, "60");
    EXPECT_EQ(Channel(1).TxTone, 60);
    EXPECT_EQ(Channel(1).RxTone, 0) << "only a first tone is mirrored";

    Channel(1).BusyLock = 3;
    SetChannelCell(0, 1, 8, "1");
    EXPECT_EQ(Channel(1).OptSignal, 1);
    EXPECT_EQ(Channel(1).BusyLock, 1);
}

TEST_F(ChannelTableTest, PlainFieldsAndFieldsWithoutStorage) {
    const TChannel before = Channel(1);
    SetChannelCell(0, 1, 3, "NAME");
    SetChannelCell(0, 1, 20, "123");
    SetChannelCell(0, 1, 23, "1");
    SetChannelCell(0, 1, 9, "abc");
    EXPECT_EQ(Channel(1), before);
    SetChannelCell(0, 1, 6, "0");
    SetChannelCell(0, 1, 22, "7");
    SetChannelCell(0, 1, 15, "1");
    EXPECT_EQ(Channel(1).TxPower, 0);
    EXPECT_EQ(Channel(1).Call2, 7);
    EXPECT_EQ(Channel(1).TxInhibit, 1);
    SetChannelCell(0, 9, 6, "1");
    EXPECT_EQ(FindChannelIndex(9), -1) << "options of a missing channel change nothing";
}

TEST_F(ChannelTableTest, EmptyingTheReceiveFrequencyDeletesButNeverTheLastChannel) {
    SetChannelCell(0, 1, 1, "");
    EXPECT_EQ(gEditData.ChannelCount, 1);
    SetChannelCell(0, 2, 1, "441");
    SetChannelCell(0, 3, 1, "442");
    SetChannelCell(0, 2, 1, "");
    ASSERT_EQ(gEditData.ChannelCount, 2);
    EXPECT_EQ(gEditData.Channels[0].Number, 1);
    EXPECT_EQ(gEditData.Channels[1].Number, 3);
    EXPECT_EQ(Rx(3), "442.00000");
}

TEST_F(ChannelTableTest, RetypingTheShownFrequencyChangesNothing) {
    Channel(1).RxFreq.Assign("40000700"); // off the raster on purpose
    SetChannelCell(0, 1, 1, "400.00700");
    EXPECT_EQ(Channel(1).RxFreq.Text(), "40000700") << "the step rule did not run again";
}

TEST_F(ChannelTableTest, EmptyingTheTransmitCellMakesTheChannelSimplex) {
    SetChannelCell(0, 1, 2, "430");
    SetChannelCell(0, 1, 2, "");
    EXPECT_EQ(Channel(1).OffsetDir, 0);
    EXPECT_EQ(Tx(1), Rx(1));
    EXPECT_EQ(Channel(1).Offset.Text(), "1000000") << "the magnitude stays stored";
}

TEST_F(ChannelTableTest, ReferencesFollowDeletedChannels) {
    SetChannelCell(0, 3, 1, "441");
    SetChannelCell(0, 7, 1, "442");
    SetChannelCell(2, 1, 1, "443");
    auto& alert = gEditData.Settings.Alert;
    alert[7] = 1;
    alert[8] = 7;
    SetChannelCell(0, 7, 1, "");
    EXPECT_EQ(alert[7], 1);
    EXPECT_EQ(alert[8], 1) << "the lowest channel of the same group";

    gEditData.Settings.Scan[8] = 3;
    gEditData.Settings.Scan[9] = 1;
    SetChannelCell(2, 1, 1, "");
    EXPECT_EQ(gEditData.Settings.Scan[8], 1) << "the group is empty now: the lowest channel";
    EXPECT_EQ(gEditData.Settings.Scan[9], 1);
    EXPECT_EQ(gEditData.Settings.Scan[10], 1) << "(0, 0) resolves to the lowest channel";
}

TEST_F(ChannelTableTest, FindChannelRefRules) {
    SetChannelCell(1, 5, 1, "441");
    SetChannelCell(1, 3, 1, "442");
    EXPECT_EQ(FindChannelRef(2, 5), 21);
    EXPECT_EQ(FindChannelRef(2, 9), 19);
    EXPECT_EQ(FindChannelRef(4, 1), 1);
    EXPECT_EQ(FindChannelRef(0, 0), 1);
    gEditData.ChannelCount = 0;
    EXPECT_EQ(FindChannelRef(1, 1), 0);
}

TEST_F(ChannelTableTest, OpenPagesAreToldByName) {
    PageSpy grid("frmCommChInfo");
    PageSpy editor("FrmCHInfoEdit");
    PageSpy alert("FrmAlert");
    PageSpy scan("FrmScan");
    gFormChInfoShown = true;
    gFormCHInfoEditShown = true;
    SetChannelCell(1, 2, 1, "445");
    EXPECT_EQ(grid.rows, QList<int>{18});
    EXPECT_EQ(editor.editorRefreshes, 1);
    EXPECT_EQ(alert.reshows, 1);
    EXPECT_EQ(scan.reshows, 1);
    SetChannelCell(1, 2, 6, "1");
    EXPECT_EQ(grid.rows.size(), 2);
    EXPECT_EQ(alert.reshows, 1) << "only frequency edits re-resolve references";

    gFormChInfoShown = false;
    SetChannelCell(1, 2, 6, "0");
    EXPECT_EQ(grid.rows.size(), 2) << "a closed grid is not called";
    gFormCHInfoEditShown = false;
}

TEST_F(ChannelTableTest, BusyLockChoicesFollowTheRelevantTone) {
    Channel(1).BusyLock = 2;
    UpdateChannelOptionList(1);
    EXPECT_EQ(Channel(1).BusyLock, 1);

    PageSpy editor("FrmCHInfoEdit");
    gFormCHInfoEditShown = true;
    Channel(1).TxTone = 5;
    Channel(1).Inversion = 1;
    Channel(1).BusyLock = 2;
    UpdateChannelOptionList(1);
    EXPECT_FALSE(editor.wandToSave);
    EXPECT_EQ(editor.busyItems, (QStringList{"Off", "Carrier", "Tone"}));
    EXPECT_EQ(editor.busyShown, 2);
    EXPECT_EQ(Channel(1).BusyLock, 2);

    Channel(1).Inversion = 0; // the receive tone counts now, and it is 0
    UpdateChannelOptionList(1);
    EXPECT_EQ(editor.busyItems, (QStringList{"Off", "Carrier"}));
    EXPECT_EQ(editor.busyShown, 1);
    EXPECT_EQ(Channel(1).BusyLock, 1);

    Channel(1).BusyLock = 3; // beyond the offered choices: no item, and it stays
    UpdateChannelOptionList(1);
    EXPECT_EQ(editor.busyShown, -1);
    EXPECT_EQ(Channel(1).BusyLock, 3);
    gFormCHInfoEditShown = false;
}

TEST_F(ChannelTableTest, ADamagedTableIsNeverIndexedOutOfRange) {
    gEditData.ChannelCount = 300;
    EXPECT_EQ(FindChannelIndex(999), -1);
    EXPECT_FALSE(AddChannel(5, "440")) << "a full table refuses";
    gEditData.ChannelCount = -4;
    EXPECT_EQ(FindChannelIndex(1), -1);
    EXPECT_EQ(FindChannelRef(1, 1), 0);
    SetChannelCell(0, 1, 1, "441");
    EXPECT_EQ(gEditData.ChannelCount, 1);

    gEditData.ChannelCount = 2;
    gEditData.Channels[1] = gEditData.Channels[0]; // two records with number 1
    SetChannelCell(0, 1, 1, "");
    EXPECT_EQ(gEditData.ChannelCount, 1);
    gEditData.Channels[0].Number = 500;
    EXPECT_EQ(FindChannelRef(1, 1), 0);
    EXPECT_FALSE(AddChannel(0, "440"));
    EXPECT_FALSE(AddChannel(129, "440"));
    SetChannelCell(8, 1, 1, "440");
    SetChannelCell(0, 17, 1, "440");
    EXPECT_EQ(gEditData.ChannelCount, 1);
}

TEST_F(ChannelTableTest, TheTableFillsUpToExactly128Channels) {
    for (int n = 2; n <= 128; ++n)
        ASSERT_TRUE(AddChannel(n, "440")) << n;
    EXPECT_EQ(gEditData.ChannelCount, 128);
    DeleteChannelByNo(64);
    EXPECT_EQ(gEditData.ChannelCount, 127);
    EXPECT_EQ(FindChannelIndex(65), 63);
    EXPECT_TRUE(AddChannel(64, "440"));
    EXPECT_FALSE(AddChannel(64, "440"));
}

} // namespace

#include "ChannelTableTest.moc"
