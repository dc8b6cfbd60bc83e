#include "pages/FeaturePage.h"
#include "data/ModFunLang.h"
#include "data/SharedState.h"
#include "platform/Forms.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// A page with one input of each kind that records its load steps; its data
// step enables the text box, as a page does for a value that allows it.
class StepPage final : public Pages::FeaturePage {
public:
    explicit StepPage(const Pages::PageSpec& pageSpec) : FeaturePage(pageSpec, nullptr) {
        text = new QLineEdit(this);
        SetName(text, "Text1", 0);
        text->setEnabled(false);
        check = new QCheckBox(this);
        SetName(check, "Check1");
        combo = new QComboBox(this);
        SetName(combo, "Combo1", 3);
        AddCloseButton(Twips(0, 0, 900, 375));
        AddHelpButton(Twips(1000, 0, 900, 375));
        Load();
    }
    void InitShowList() override {
        steps << "lists";
        combo->addItem("one");
    }
    void ChangShowByLanguage() override {
        steps << "captions";
        check->setText("caption");
    }
    void ShowPageData() override {
        steps << "data";
        text->setEnabled(true);
        text->setText("typed");
    }
    QStringList steps;
    QLineEdit* text;
    QCheckBox* check;
    QComboBox* combo;
};

class FeaturePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gHelpOn = true;
        gLock = 0;
    }
    void TearDown() override { gLock = 0; }
    TestSupport::TempProgram program;
};

TEST_F(FeaturePageTest, StepsRunInTheirOrderAndCaptionsMayComeFirst) {
    StepPage page({"FrmKey", 3400});
    EXPECT_EQ(page.steps, QStringList({"lists", "captions", "data"}));
    EXPECT_EQ(page.ControlText("CommandClose"), ModFunLang::GetLangText(9023));
    EXPECT_EQ(page.ControlText("CommandHelp"), ModFunLang::GetLangText(9025));
    EXPECT_TRUE(Platform::Forms::IsLoaded("FrmKey"));

    StepPage first({"FrmScan", 3500, true, /*captionsFirst=*/true});
    EXPECT_EQ(first.steps, QStringList({"captions", "lists", "data"}));
}

TEST_F(FeaturePageTest, LockDisablesInputsAfterTheDataEvenThoseTheDataEnabled) {
    gLock = 1;
    StepPage locked({"FrmKey", 3400});
    EXPECT_FALSE(locked.text->isEnabled());
    EXPECT_FALSE(locked.check->isEnabled());
    EXPECT_FALSE(locked.combo->isEnabled());
    EXPECT_TRUE(locked.findChild<QPushButton*>("CommandClose")->isEnabled());
    EXPECT_TRUE(locked.findChild<QPushButton*>("CommandHelp")->isEnabled());

    StepPage noLockStep({"FrmTestFre", 0, /*lockStep=*/false});
    EXPECT_TRUE(noLockStep.text->isEnabled());
    EXPECT_TRUE(noLockStep.check->isEnabled());
}

} // namespace
