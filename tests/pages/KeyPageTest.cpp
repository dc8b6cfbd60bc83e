#include "data/ModFunLang.h"
#include "pages/FrmKey.h"
#include "pages/ModReFresh.h"
#include "tests/pages/PageFixture.h"

namespace {

using ModFunLang::GetLangText;

QString Function(int code) {
    return GetLangText(25040 + code);
}

class KeyPageTest : public PageFixture {
protected:
    std::array<qint16, 6>& keys = gEditData.Settings.Keys;
};

TEST_F(KeyPageTest, ListsOfferTheFunctionsOfTheirPress) {
    const QList<int> longCodes = KeyRules::OfferedCodes(false);
    const QList<int> shortCodes = KeyRules::OfferedCodes(true);
    EXPECT_EQ(longCodes.size(), 22);
    EXPECT_FALSE(longCodes.contains(21));
    EXPECT_EQ(shortCodes.size(), 20);
    EXPECT_FALSE(shortCodes.contains(4) || shortCodes.contains(11) || shortCodes.contains(21));

    const QStringList names = {"none", "a", "x", "x", "b", "c", "d", "e", "scan"};
    // equal names: the lower code wins; forbidden choices fall back to the first entry
    EXPECT_EQ(KeyRules::Choose(names, "x", "none", 1, true).code, 2);
    KeyRules::Choice c = KeyRules::Choose(names, "scan", "none", 0, true);
    EXPECT_EQ(c.text, "none");
    EXPECT_EQ(c.code, 0);
    EXPECT_EQ(KeyRules::Choose(names, "scan", "none", 1, true).code, 8);
}

TEST_F(KeyPageTest, ANewConfigurationShowsTheDefaults) {
    Pages::FeaturePage* page = Open("FrmKey");
    EXPECT_EQ(page->ControlText("Combo1", 9), "1.0");
    EXPECT_EQ(page->ControlText("Combo1", 10), "1.0");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(page->ControlText("Combo1", i), Function(0));
    EXPECT_EQ(List(page, 1)->count(), 20);
    EXPECT_EQ(List(page, 2)->count(), 22);
    EXPECT_EQ(page->windowTitle(), GetLangText(25000));
    EXPECT_EQ(page->ControlText("Frame2"), GetLangText(25004));
    EXPECT_EQ(keys, (std::array<qint16, 6>{10, 10, 0, 0, 0, 0}));
}

TEST_F(KeyPageTest, ShowingCorrectsWhatTheListsDoNotOffer) {
    keys = {30, 25, 21, 4, 8, 22}; // scan off, VOX off
    Pages::FeaturePage* page = Open("FrmKey");
    EXPECT_EQ(page->ControlText("Combo1", 9), "1.0");
    EXPECT_EQ(page->ControlText("Combo1", 10), "2.5");
    EXPECT_EQ(page->ControlText("Combo1", 1), Function(0));
    EXPECT_EQ(keys, (std::array<qint16, 6>{10, 25, 0, 0, 0, 0}));
}

TEST_F(KeyPageTest, ScanAndVoxFunctionsNeedTheirSwitches) {
    Pages::FeaturePage* page = Open("FrmKey");
    Pick(List(page, 0), Function(8)); // scan mode 0
    EXPECT_EQ(page->ControlText("Combo1", 0), Function(0));
    EXPECT_EQ(keys[2], 0);

    gEditData.Settings.Scan[0] = 1;
    Pick(List(page, 0), Function(8));
    EXPECT_EQ(keys[2], 8);

    gEditData.Settings.OptFeatures[5] = 1; // VOX on
    Pick(List(page, 3), Function(22));
    EXPECT_EQ(keys[5], 22);
    gEditData.Settings.OptFeatures[5] = 0; // off later: kept until the page shows it again
    EXPECT_EQ(keys[5], 22);
    Pick(List(page, 10), "2.5");
    EXPECT_EQ(keys[1], 25);
    delete page;
    page = Open("FrmKey");
    EXPECT_EQ(page->ControlText("Combo1", 3), Function(0));
    EXPECT_EQ(keys[5], 0);
    EXPECT_EQ(keys[2], 8);
}

// Scanning and VOX stored as 2 show as off on their pages, so the keys page
// does not offer their functions either.
TEST_F(KeyPageTest, SwitchesStoredAboveOneAreOffForTheKeys) {
    gEditData.Settings.Scan[0] = 2;
    gEditData.Settings.OptFeatures[5] = 2;
    Pages::FeaturePage* page = Open("FrmKey");
    Pick(List(page, 0), Function(8));
    Pick(List(page, 3), Function(22));
    EXPECT_EQ(page->ControlText("Combo1", 0), Function(0));
    EXPECT_EQ(page->ControlText("Combo1", 3), Function(0));
    EXPECT_EQ(keys[2], 0);
    EXPECT_EQ(keys[5], 0);
}

TEST_F(KeyPageTest, RefreshShowsFunctionsClearedElsewhereAndLockStillCorrects) {
    gEditData.Settings.Scan[0] = 1;
    keys[4] = 8;
    Pages::FeaturePage* page = Open("FrmKey");
    EXPECT_EQ(page->ControlText("Combo1", 2), Function(8));
    keys[4] = 0;
    ModReFresh::RefreshKeyForm();
    EXPECT_EQ(page->ControlText("Combo1", 2), Function(0));
    delete page;
    ModReFresh::RefreshKeyForm(); // no page: nothing happens

    gLock = 1;
    keys[3] = 11;
    page = Open("FrmKey");
    EXPECT_FALSE(List(page, 1)->isEnabled());
    EXPECT_FALSE(List(page, 9)->isEnabled());
    EXPECT_EQ(keys[3], 0);
}

} // namespace
