#include "data/ModFunLang.h"
#include "pages/FrmAlert.h"
#include "tests/pages/PageFixture.h"

#include <QApplication>
#include <QTest>

namespace {

using ModFunLang::GetLangText;

class AlertPageTest : public PageFixture {
protected:
    std::array<quint8, 10>& alert = gEditData.Settings.Alert;
    static void UseMemories(std::initializer_list<int> numbers) {
        for (auto& code : gEditData.Settings.Dtmf.Codes)
            code.Len = 0;
        for (int m : numbers) {
            auto& code = gEditData.Settings.Dtmf.Codes[static_cast<std::size_t>(m - 1)];
            code.Len = 3;
            code.Digits.Assign("123");
        }
    }
    static QString EnabledLists(QWidget* page) {
        QString on;
        for (int i = 0; i <= 10; ++i)
            on += List(page, i)->isEnabled() ? '1' : '0';
        return on;
    }
};

TEST_F(AlertPageTest, RulesDecideWhichListsAreEnabled) {
    using namespace AlertRules;
    Enabled all;
    all.fill(true);
    Enabled off{};
    EXPECT_EQ(AlarmModeRule(all, 0, 2, 0), off);
    const Enabled local = AlarmModeRule(off, 1, 0, 1);
    EXPECT_TRUE(local[0] && local[3] && local[6] && local[9]);
    EXPECT_FALSE(local[1] || local[2] || local[4] || local[5] || local[7] || local[8]);
    EXPECT_EQ(ChannelSelectRule(off, -1), off); // no choice: no change
    EXPECT_EQ(AlarmModeRule(off, -1, 0, 0), off);
}

TEST_F(AlertPageTest, ANewRecordIsShownAndStoredBack) {
    SetChannels({20, 36, 35});
    Pages::FeaturePage* page = Open("FrmAlert");
    EXPECT_EQ(page->ControlText("Combo1", 10), GetLangText(26031));
    for (int i = 3; i <= 5; ++i)
        EXPECT_EQ(page->ControlText("Combo1", i), "1");
    EXPECT_EQ(page->ControlText("Combo1", 9), GetLangText(27036));
    EXPECT_EQ(page->ControlText("Label1", 10), GetLangText(27011));
    // alarm type 0 and channel select 0: ID, transmit and receive times off
    EXPECT_EQ(EnabledLists(page), "10010011111");
    EXPECT_EQ(alert, (std::array<quint8, 10>{0, 0, 0, 1, 1, 1, 0, 2, 4, 0}));

    Pick(List(page, 0), GetLangText(27032));
    Pick(List(page, 6), GetLangText(27035));
    EXPECT_EQ(EnabledLists(page), "11101110011");
    Pick(List(page, 10), GetLangText(26030));
    EXPECT_EQ(EnabledLists(page), "00000000001");
    EXPECT_EQ(gEditExtraData.AlertMode, 0);
    Pick(List(page, 10), GetLangText(26031));
    EXPECT_EQ(EnabledLists(page), "11101110011");
    Pick(List(page, 9), "255");
    Pick(List(page, 4), "30");
    EXPECT_EQ(alert[9], 255);
    EXPECT_EQ(alert[4], 30);
    EXPECT_EQ(alert[2], 0);
}

TEST_F(AlertPageTest, TheIdNumberNamesAMemoryInUse) {
    UseMemories({2, 9});
    alert[0] = 1;
    alert[1] = 1;
    alert[2] = 7;
    Pages::FeaturePage* page = Open("FrmAlert");
    EXPECT_EQ(Items(List(page, 2)), QStringList({"M2", "M9"}));
    EXPECT_EQ(page->ControlText("Combo1", 2), "M2");
    EXPECT_EQ(alert[2], 2);
    Pick(List(page, 2), "M9");
    EXPECT_EQ(alert[2], 9);

    Pick(List(page, 1), GetLangText(27037));
    EXPECT_EQ(List(page, 2)->count(), 0);
    EXPECT_EQ(alert[2], 0);
    Pick(List(page, 1), GetLangText(27038));
    EXPECT_EQ(page->ControlText("Combo1", 2), "M2");
    EXPECT_EQ(alert[2], 2);

    delete page;
    UseMemories({});
    alert[2] = 5;
    page = Open("FrmAlert");
    EXPECT_EQ(List(page, 2)->count(), 0);
    EXPECT_EQ(alert[2], 0);
}

TEST_F(AlertPageTest, ChannelEditsReshowTheEmergencyChannelEvenUnderLock) {
    SetChannels({1, 17, 19});
    alert[7] = 2;
    alert[8] = 3;
    gLock = 1;
    Pages::FeaturePage* page = Open("FrmAlert");
    EXPECT_EQ(EnabledLists(page), "00000000000");
    EXPECT_EQ(page->ControlText("Combo1", 8), "3");
    ModShowFreFun::SetChannelCell(1, 3, 1, ""); // channel 19 goes
    EXPECT_EQ(alert[8], 1);
    EXPECT_EQ(page->ControlText("Combo1", 8), "1");
    ModShowFreFun::SetChannelCell(1, 1, 1, ""); // and group 2 with it
    EXPECT_EQ(Items(List(page, 7)), QStringList({"1"}));
    EXPECT_EQ(alert[7], 1);
    EXPECT_EQ(EnabledLists(page), "00000000000");
}

TEST_F(AlertPageTest, EnterInAListLeavesTheFocusWhereItIs) {
    Pages::FeaturePage* page = Open("FrmAlert");
    page->show();
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page));
    List(page, 10)->setFocus();
    QTest::keyClick(List(page, 10), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), List(page, 10));
}

} // namespace
