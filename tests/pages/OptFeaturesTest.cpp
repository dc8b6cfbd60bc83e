#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/FrmOptFeatures.h"
#include "pages/Pages.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Field places in TOptFeatures.
enum { kVoiceVolume = 2, kVox = 5, kTot = 12, kVoxLevel = 15, kVoxDelay = 16, kGroup = 17 };

class OptFeaturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        gHelpOn = true;
        Pages::RegisterForms();
    }
    void TearDown() override { gLock = 0; }

    std::unique_ptr<QWidget> Open() {
        return std::unique_ptr<QWidget>(Platform::Forms::Create("FrmOptFeatures"));
    }
    template <typename T> static T* Control(QWidget* page, const char* name, int index) {
        for (T* w : page->findChildren<T*>(name))
            if (w->property("Index").toInt() == index) return w;
        return nullptr;
    }
    qint16& Field(int place) {
        return gEditData.Settings.OptFeatures[static_cast<std::size_t>(place)];
    }

    TestSupport::TempProgram program;
};

TEST(OptFeatRulesTest, StoredValuesAndListIndexesMapBothWays) {
    using namespace OptFeatRules;
    EXPECT_EQ(FieldOf(11), 2);
    EXPECT_EQ(FieldOf(4), 12);
    EXPECT_EQ(FieldOf(24), 10);
    EXPECT_EQ(FieldOf(26), -1);
    EXPECT_EQ(FieldOf(12), -1);
    EXPECT_EQ(IndexOfStored(4, 22), 1);
    EXPECT_EQ(IndexOfStored(4, 23), 2);
    EXPECT_EQ(IndexOfStored(4, 255), 17);
    EXPECT_EQ(IndexOfStored(10, 0), -1);
    EXPECT_EQ(StoredOfIndex(4, 3), 45);
    EXPECT_EQ(StoredOfIndex(11, 4), 5);
    EXPECT_EQ(StoredOfIndex(9, 9), 9);
}

TEST_F(OptFeaturesTest, LoadingCorrectsValuesOutsideTheListsOnly) {
    Field(kTot) = 255;
    Field(kVox) = 2; // shown clear, and kept as shown
    gEditData.ProhibitInit = 3;
    TRadioData expected = gEditData;
    auto page = Open();
    ASSERT_TRUE(page);
    EXPECT_EQ(Control<QComboBox>(page.get(), "Combo1", 11)->currentText(), "1");
    EXPECT_EQ(Control<QComboBox>(page.get(), "Combo1", 10)->currentText(), "1");
    EXPECT_EQ(Control<QComboBox>(page.get(), "Combo1", 4)->currentText(),
              ModFunLang::GetLangText(16040));
    EXPECT_FALSE(Control<QCheckBox>(page.get(), "Check1", 0)->isChecked());
    expected.Settings.OptFeatures[kVoiceVolume] = 1;
    expected.Settings.OptFeatures[kGroup] = 1;
    expected.Settings.OptFeatures[kTot] = 0;
    expected.Settings.OptFeatures[kVox] = 0;
    expected.ProhibitInit = 0;
    EXPECT_TRUE(gEditData == expected);
}

TEST_F(OptFeaturesTest, ChoicesAreStoredAtOnce) {
    Field(kTot) = 240;
    auto page = Open();
    EXPECT_EQ(Control<QComboBox>(page.get(), "Combo1", 4)->currentText(), "240");
    Control<QComboBox>(page.get(), "Combo1", 4)->setCurrentText("45");
    EXPECT_EQ(Field(kTot), 45);
    QComboBox* delay = Control<QComboBox>(page.get(), "Combo1", 9);
    EXPECT_EQ(delay->itemText(9), "5.0");
    delay->setCurrentIndex(9);
    EXPECT_EQ(Field(kVoxDelay), 9);
    Control<QComboBox>(page.get(), "Combo1", 10)->setCurrentText("8");
    EXPECT_EQ(Field(kGroup), 8);
    Control<QCheckBox>(page.get(), "Check1", 6)->setChecked(true);
    EXPECT_EQ(gEditData.ProhibitInit, 1);
    EXPECT_EQ(Control<QCheckBox>(page.get(), "Check1", 4)->isVisibleTo(page.get()), false);
}

TEST_F(OptFeaturesTest, EnterInAListMovesOnAndChangesNothing) {
    auto page = Open();
    page->show();
    QApplication::setActiveWindow(page.get());
    QComboBox* squelch = Control<QComboBox>(page.get(), "Combo1", 0);
    squelch->setFocus();
    const TRadioData before = gEditData;
    QTest::keyClick(squelch, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Control<QComboBox>(page.get(), "Combo1", 1));
    EXPECT_TRUE(gEditData == before);
}

TEST_F(OptFeaturesTest, VoxBoxEnablesItsSettingsAndKeepsTheirValues) {
    Field(kVoxLevel) = 2;
    auto page = Open();
    QCheckBox* vox = Control<QCheckBox>(page.get(), "Check1", 0);
    QComboBox* level = Control<QComboBox>(page.get(), "Combo1", 8);
    EXPECT_FALSE(level->isEnabled());
    vox->setChecked(true);
    EXPECT_EQ(Field(kVox), 1);
    EXPECT_TRUE(level->isEnabled());
    EXPECT_TRUE(Control<QCheckBox>(page.get(), "Check1", 1)->isEnabled());
    vox->setChecked(false);
    EXPECT_FALSE(Control<QComboBox>(page.get(), "Combo1", 9)->isEnabled());
    EXPECT_EQ(Field(kVoxLevel), 2);
}

TEST_F(OptFeaturesTest, LockWinsOverTheVoxRuleAndLabelsEndBeforeTheirLists) {
    Field(kVox) = 1;
    gLock = 1;
    auto page = Open();
    EXPECT_FALSE(Control<QComboBox>(page.get(), "Combo1", 8)->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>(page.get(), "Check1", 1)->isEnabled());
    for (int i = 0; i < 12; ++i) {
        QLabel* label = Control<QLabel>(page.get(), "Label1", i);
        EXPECT_EQ(label->geometry().right() + 1 + Pages::FeaturePage::Px(100),
                  Control<QComboBox>(page.get(), "Combo1", i)->x());
    }
    auto* combo = Control<QComboBox>(page.get(), "Combo1", 0);
    EXPECT_FALSE(FrmOptFeatures::NotInComboList(combo, 9));
    EXPECT_TRUE(FrmOptFeatures::NotInComboList(combo, 10));
    EXPECT_TRUE(FrmOptFeatures::NotInComboList(combo, -1));
}

} // namespace
