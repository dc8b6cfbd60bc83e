#include "data/ModFreFile.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/FrmModelInfo.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// Stands in for the main window: counts the new-document requests.
class FakeMain final : public QObject, public TestSupport::MainCalls {
    Q_OBJECT
public:
    FakeMain() {
        setObjectName("frmMain");
        Platform::Forms::Register(this);
    }
    void LoadNewDoc() override { ++newDocs; }
    int newDocs = 0;
};

class ModelInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        Pages::RegisterForms();
    }
    void TearDown() override { gLock = 0; }

    FrmModelInfo* Open() {
        return qobject_cast<FrmModelInfo*>(Platform::Forms::Create("FrmModelInfo"));
    }
    static QComboBox* Combo(QWidget* w, const char* name) { return w->findChild<QComboBox*>(name); }
    static void Press(QWidget* w, const char* name) { w->findChild<QPushButton*>(name)->click(); }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    FakeMain main;
};

TEST_F(ModelInfoTest, ShowsTheProgramsPairAndOkWithoutChangeAsksNothing) {
    gModelName = "KL740G";
    gBandText = "136 - 174 MHz";
    std::unique_ptr<FrmModelInfo> dialog(Open());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Combo(dialog.get(), "Combo1")->currentText(), "KL740G");
    EXPECT_EQ(Combo(dialog.get(), "Combo2")->count(), 17);
    EXPECT_EQ(Combo(dialog.get(), "Combo2")->currentText(), "136 - 174 MHz");
    const TRadioData before = gEditData;
    Press(dialog.get(), "CommandOK");
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(main.newDocs, 0);
    EXPECT_TRUE(gEditData == before);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ModelInfoTest, ConfirmedBandChangeTakesThePairAndStartsANewDocument) {
    std::unique_ptr<FrmModelInfo> dialog(Open());
    Combo(dialog.get(), "Combo2")->setCurrentText("350 - 390 MHz");
    messages.answers << Platform::Mb::IdOK;
    Press(dialog.get(), "CommandOK");
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.shown[0].style, Platform::Mb::OKCancel | Platform::Mb::Exclamation);
    EXPECT_EQ(gBandText, "350 - 390 MHz");
    EXPECT_EQ(gEditData.ModelInfo.BandCode, 16); // the band table's code, not the list place
    EXPECT_EQ(gLocalInfo.BandCode, 16);
    EXPECT_EQ(gBandLimits[0], 350);
    EXPECT_EQ(gBandLimits[1], 390);
    EXPECT_EQ(main.newDocs, 1);
    EXPECT_FALSE(Platform::Forms::IsLoaded("FrmModelInfo"));
}

TEST_F(ModelInfoTest, DeclinedChangeLeavesEverything) {
    std::unique_ptr<FrmModelInfo> dialog(Open());
    Combo(dialog.get(), "Combo1")->setCurrentText("KL740G");
    Combo(dialog.get(), "Combo2")->setCurrentText("450 - 520 MHz");
    messages.answers << Platform::Mb::IdCancel;
    const TRadioData before = gEditData;
    Press(dialog.get(), "CommandOK");
    EXPECT_EQ(messages.Count(), 1);
    EXPECT_EQ(gModelName, "KL740");
    EXPECT_EQ(gBandText, "400 - 480 MHz");
    EXPECT_TRUE(gEditData == before);
    EXPECT_EQ(main.newDocs, 0);
}

TEST_F(ModelInfoTest, UnknownModelShowsTheFirstAndOtherModelTextsHaveNoBands) {
    gModelName = "KL999";
    std::unique_ptr<FrmModelInfo> dialog(Open());
    EXPECT_EQ(Combo(dialog.get(), "Combo1")->currentText(), "KL740");
    EXPECT_EQ(Combo(dialog.get(), "Combo2")->count(), 17);
    dialog->FillBandList("kl740");
    EXPECT_EQ(Combo(dialog.get(), "Combo2")->count(), 0);
    EXPECT_EQ(Combo(dialog.get(), "Combo2")->currentText(), "");
}

TEST_F(ModelInfoTest, LockDisablesBothListsAndOkChangesNothing) {
    gLock = 1;
    std::unique_ptr<FrmModelInfo> dialog(Open());
    EXPECT_FALSE(Combo(dialog.get(), "Combo1")->isEnabled());
    EXPECT_FALSE(Combo(dialog.get(), "Combo2")->isEnabled());
    Press(dialog.get(), "CommandOK");
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(main.newDocs, 0);
}

} // namespace

#include "ModelInfoTest.moc"
