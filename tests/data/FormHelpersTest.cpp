#include "data/widgets/FormHelpers.h"
#include "data/ModShowFreFun.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

class FormHelpersTest : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::ResetProgram(); }
    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
};

QComboBox* Combo(QWidget* parent, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->addItems(items);
    return c;
}

TEST_F(FormHelpersTest, ComboLookupsNeverFailOnEmptyListsOrBadIndexes) {
    QWidget w;
    QComboBox* three = Combo(&w, {"a", "b", "c"});
    QComboBox* empty = Combo(&w, {});
    EXPECT_EQ(ModFun::GetComboItem(three, 5), "a");
    EXPECT_EQ(ModFun::GetComboItem(three, -1), "a");
    EXPECT_EQ(ModFun::GetComboItem(empty, 0), "");
    EXPECT_EQ(ModFun::FindComboIndex(three, "zz", 7), 0);
    EXPECT_EQ(ModFun::FindComboIndex(empty, "a", 7), 7);

    ModFun::SelectComboText(three, "c");
    EXPECT_EQ(three->currentIndex(), 2);
    ModFun::SelectComboText(three, "nope");
    EXPECT_EQ(three->currentIndex(), 0);
    ModFun::SelectComboIndex(three, 9);
    EXPECT_EQ(three->currentIndex(), 0);
    ModFun::SelectComboIndex(three, 1);
    EXPECT_EQ(three->currentIndex(), 1);
    ModFun::SelectComboIndex(empty, 0);
    EXPECT_EQ(empty->currentIndex(), -1);

    int value = 9;
    three->setCurrentIndex(-1);
    ModFun::GetComboIndex(three, value);
    EXPECT_EQ(value, 9);
    three->setCurrentIndex(2);
    ModFun::GetComboIndex(three, value);
    EXPECT_EQ(value, 2);

    ModFun::AddComboItemUnique(three, "b");
    ModFun::AddComboItemUnique(three, "d");
    EXPECT_EQ(three->count(), 4);
}

TEST_F(FormHelpersTest, CheckValuesAboveOneBecomeZero) {
    QCheckBox box;
    int v = 2;
    ModFun::SetCheckValue(&box, v);
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(box.isChecked());
    v = 1;
    ModFun::SetCheckValue(&box, v);
    EXPECT_TRUE(box.isChecked());
}

TEST_F(FormHelpersTest, LockLookDisablesInputsButNotButtons) {
    QWidget w;
    auto* edit = new QLineEdit(&w);
    auto* check = new QCheckBox(&w);
    auto* combo = Combo(&w, {"x"});
    auto* grid = new QTableWidget(&w);
    auto* button = new QPushButton(&w);
    ModFun::SetControlsEnabled(&w);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(check->isEnabled());
    EXPECT_FALSE(combo->isEnabled());
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_TRUE(button->isEnabled());
}

TEST_F(FormHelpersTest, CaptionSettersUseTheSharedButtonTexts) {
    QWidget w;
    auto* ok = new QPushButton(&w);
    ok->setObjectName("CommandOK");
    auto* cancel = new QPushButton(&w);
    cancel->setObjectName("CommandCancel");
    auto* close = new QPushButton(&w);
    close->setObjectName("CommandClose");
    auto* help = new QPushButton(&w);
    help->setObjectName("CommandHelp");
    ModFunLang::SetOKCancelCaptions(&w);
    ModFunLang::SetCloseHelpCaptions(&w);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(cancel->text(), "Cancel");
    EXPECT_EQ(close->text(), "Close");
    EXPECT_EQ(help->text(), "Help");
}

TEST_F(FormHelpersTest, TheCallListHoldsOnlyMemoriesWithDigits) {
    auto& codes = gEditData.Settings.Dtmf.Codes;
    codes[2].Len = 3;
    codes[9].Len = 1;
    QComboBox combo;
    combo.addItem("stale");
    ModShowFreFun::FillDtmfCodeCombo(&combo);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), "OFF");
    EXPECT_EQ(combo.itemText(1), "3");
    EXPECT_EQ(combo.itemText(2), "10");
}

TEST_F(FormHelpersTest, AChildWindowIsLoadedOnceAndThenFocused) {
    int made = 0;
    Platform::Forms::RegisterFactory("FrmSample", [&made] {
        auto* w = new QWidget;
        w->setObjectName("FrmSample");
        w->setAttribute(Qt::WA_DeleteOnClose);
        Platform::Forms::Register(w);
        ++made;
        return w;
    });
    int cascades = 0;
    QList<QWidget*> shown;
    Platform::Forms::SetChildHost({[&shown](QWidget* w) {
                                       shown << w;
                                       w->show();
                                   },
                                   [&cascades] { ++cascades; }});
    QWidget* first = ModFun::ShowChildForm("FrmSample");
    QWidget* second = ModFun::ShowChildForm("FrmSample");
    EXPECT_EQ(made, 1);
    EXPECT_EQ(first, second);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(cascades, 1);
    EXPECT_EQ(ModFun::ShowChildForm("FrmUnknown"), nullptr);

    ModFun::UnloadFormByName("frmsample");
    EXPECT_FALSE(Platform::Forms::IsLoaded("FrmSample"));
    QWidget* third = ModFun::ShowChildForm("FrmSample");
    EXPECT_EQ(made, 2);
    ModFun::UnloadFormByName("FrmSample");
    Platform::Forms::SetChildHost({});
    (void)third;
}

} // namespace
