#include "data/ModFunLang.h"
#include "pages/FrmScan.h"
#include "tests/pages/PageFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

namespace {

using ModFunLang::GetLangText;

class ScanPageTest : public PageFixture {
protected:
    std::array<quint8, 12>& scan = gEditData.Settings.Scan;
    static QStringList Enabled(QWidget* page) {
        QStringList on;
        for (int i = 0; i <= 10; ++i)
            if (List(page, i)->isEnabled()) on << QString::number(i);
        if (Control(page, "Check1")->isEnabled()) on << "check";
        return on;
    }
    static QString Priority(const char* n) { return GetLangText(26002) + n; }
};

TEST_F(ScanPageTest, RevertOptionsAndEnablingFollowTheModes) {
    EXPECT_EQ(ScanRules::RevertCodes(2), QList<int>({0, 1, 3, 4, 5, 7}));
    EXPECT_TRUE(ScanRules::RevertCodes(-1).isEmpty());
    EXPECT_FALSE(ScanRules::Enabling(-1, 2).has_value());
    const auto on = *ScanRules::Enabling(1, 2);
    EXPECT_FALSE(on[2] || on[3]);
    EXPECT_TRUE(on[4] && on[5] && on[6] && on[11]);
}

TEST_F(ScanPageTest, ANewConfigurationIsShownAndItsOutOfRangeBytesStored) {
    Pages::FeaturePage* page = Open("FrmScan");
    EXPECT_EQ(page->ControlText("Combo1", 0), GetLangText(26030));
    EXPECT_EQ(Enabled(page), QStringList({"0"}));
    EXPECT_EQ(page->ControlText("Combo1", 7), "0.5");
    EXPECT_EQ(page->ControlText("Combo1", 10), "0.1");
    EXPECT_EQ(page->ControlText("Label1", 3), "-");
    EXPECT_EQ(page->ControlText("Check1"), GetLangText(26010));
    EXPECT_EQ(scan, (std::array<quint8, 12>{0, 0, 0, 5, 5, 1, 1, 0, 1, 1, 1, 1}));
}

TEST_F(ScanPageTest, PriorityModeDecidesListsAndRevertOption) {
    scan[0] = 1;
    scan[1] = 1;
    scan[2] = 6;
    scan[7] = 2; // not a box value: shown cleared, stored 0
    Pages::FeaturePage* page = Open("FrmScan");
    EXPECT_EQ(Enabled(page), QStringList({"0", "1", "2", "3", "6", "7", "8", "9", "10", "check"}));
    EXPECT_EQ(scan[7], 0);
    EXPECT_EQ(scan[2], 6);

    Pick(List(page, 1), Priority("2"));
    EXPECT_EQ(Enabled(page), QStringList({"0", "1", "4", "5", "6", "7", "8", "9", "10", "check"}));
    EXPECT_EQ(Items(List(page, 6)).size(), 6);
    EXPECT_EQ(page->ControlText("Combo1", 6), GetLangText(26032)); // code 6 not offered
    EXPECT_EQ(scan[1], 2);
    EXPECT_EQ(scan[2], 0);

    Pick(List(page, 6), Priority("2") + " + " + GetLangText(26033));
    EXPECT_EQ(scan[2], 7);
    Pick(List(page, 1), Priority("1") + " + " + Priority("2"));
    EXPECT_EQ(scan[2], 7);
    EXPECT_EQ(Items(List(page, 6)).size(), 8);

    Pick(List(page, 9), "5.0");
    Pick(List(page, 8), "0.5");
    Pick(List(page, 7), "1.2");
    EXPECT_EQ(scan[5], 50);
    EXPECT_EQ(scan[4], 5);
    EXPECT_EQ(scan[3], 12);
    qobject_cast<QCheckBox*>(Control(page, "Check1"))->click();
    EXPECT_EQ(scan[7], 1);
}

TEST_F(ScanPageTest, ScanOffClearsTheScanKeyFunctionAndReshowsTheKeysPage) {
    scan[0] = 1;
    gEditData.Settings.Keys[3] = 8;
    gEditData.Settings.Keys[4] = 8;
    Pages::FeaturePage* keys = Open("FrmKey");
    Pages::FeaturePage* page = Open("FrmScan");
    EXPECT_EQ(keys->ControlText("Combo1", 2), GetLangText(25048));
    Pick(List(page, 0), GetLangText(26030));
    EXPECT_EQ(gEditData.Settings.Keys[3], 0);
    EXPECT_EQ(gEditData.Settings.Keys[4], 0);
    EXPECT_EQ(keys->ControlText("Combo1", 2), GetLangText(25040));
    EXPECT_EQ(Enabled(page), QStringList({"0"}));
    Pick(List(page, 0), GetLangText(26031)); // on again: nothing comes back
    EXPECT_EQ(gEditData.Settings.Keys[4], 0);
}

TEST_F(ScanPageTest, ChannelEditsReshowThePriorityChannels) {
    SetChannels({1, 18, 20});
    scan[0] = 1;
    scan[1] = 3;
    scan[8] = 2;
    scan[9] = 3; // group 2 lacks position 3: its first, 2
    scan[10] = 2;
    scan[11] = 4;
    Pages::FeaturePage* page = Open("FrmScan");
    EXPECT_EQ(Items(List(page, 3)), QStringList({"2", "4"}));
    EXPECT_EQ(scan[9], 2); // 18 is position 2
    Pick(List(page, 5), "4");
    EXPECT_EQ(scan[11], 4);
    Pick(List(page, 2), "1");
    EXPECT_EQ(scan[8], 1);
    EXPECT_EQ(scan[9], 1);

    // a new channel in group 5, then channel 20 goes
    ModShowFreFun::SetChannelCell(4, 3, 1, "435.00000");
    EXPECT_EQ(Items(List(page, 4)), QStringList({"1", "2", "5"}));
    ModShowFreFun::SetChannelCell(1, 4, 1, "");
    EXPECT_EQ(page->ControlText("Combo1", 5), "2");
    EXPECT_EQ(scan[11], 2);
    EXPECT_TRUE(List(page, 4)->isEnabled());

    gLock = 1;
    delete page;
    page = Open("FrmScan");
    EXPECT_TRUE(Enabled(page).isEmpty());
    ModShowFreFun::SetChannelCell(4, 3, 1, "");
    EXPECT_EQ(Items(List(page, 2)), QStringList({"1", "2"}));
    EXPECT_TRUE(Enabled(page).isEmpty());
}

TEST_F(ScanPageTest, EnterInAListMovesTheFocusAndChangesNothing) {
    scan[0] = 1;
    Pages::FeaturePage* page = Open("FrmScan");
    page->show();
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page));
    List(page, 0)->setFocus();
    QTest::keyClick(List(page, 0), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), List(page, 1));
    EXPECT_EQ(scan[0], 1);
}

} // namespace
