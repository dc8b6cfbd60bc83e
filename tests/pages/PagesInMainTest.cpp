// The feature pages opened from the main window, and the model dialog's new
// configuration.
#include "channels/Channels.h"
#include "data/DatLayout.h"
#include "data/ModFreFile.h"
#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "shell/frmMain.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PagesInMainTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Pages::RegisterForms();
    }
    void TearDown() override {
        ShellTest::TearDown();
        for (const char* name : {"FrmCHInfoEdit", "FrmCHBatch"})
            Platform::Forms::UnregisterFactory(name);
    }
    QAction* Item(const char* name) { return main->findChild<QAction*>(QLatin1String(name)); }
};

TEST_F(PagesInMainTest, TreeAndMenusOpenEachPageOnce) {
    LoadMain();
    main->show();
    for (const char* item : {"mnuOptFeature", "mnuEmbeddedMsg", "mnuModelInfo"})
        EXPECT_TRUE(Item(item)->isEnabled()) << item;
    // the presets and test-frequency items stay hidden; their tree keys open them
    for (const char* key : {"N2", "N3", "N5", "N6"})
        main->TreeView1_NodeClick(key);
    main->TreeView1_NodeClick("N2");
    for (const char* page : {"FrmOptFeatures", "FrmRadio", "FrmTestFre", "FrmEmbMsg"})
        EXPECT_EQ(LoadedCount(page), 1) << page;
}

TEST_F(PagesInMainTest, ConfirmedBandStartsANewConfigurationAndClosesThePages) {
    LoadMain();
    main->TreeView1_NodeClick("N2");
    gEditData.Settings.OptFeatures[0] = 5; // an edit that the new configuration drops
    std::unique_ptr<QWidget> dialog(Platform::Forms::Create("FrmModelInfo"));
    dialog->findChild<QComboBox*>("Combo2")->setCurrentText("136 - 174 MHz");
    messages.answers << Platform::Mb::IdOK;
    dialog->findChild<QPushButton*>("CommandOK")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(LoadedCount("FrmOptFeatures"), 0);
    main->NewDocTimer().setInterval(0);
    while (main->NewDocTimer().isActive())
        QApplication::processEvents();
    EXPECT_EQ(gBandText, "136 - 174 MHz");
    EXPECT_EQ(gBandLimits[0], 136);
    EXPECT_EQ(gBandLimits[1], 174);
    EXPECT_EQ(gEditData.Settings.OptFeatures[0], 0);
    EXPECT_EQ(gEditData.ModelInfo.BandCode, ModFreFile::BandTextToCode("136 - 174 MHz"));
}

TEST_F(PagesInMainTest, ANewBandOverAnUntouchedGridEditorWarnsOfNothing) {
    Channels::RegisterForms(); // the real grid, its receive editor open on channel 1
    LoadMain();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QDeadlineTimer deadline(5000);
    auto editorShown = [] {
        QObject* grid = Platform::Forms::Find("frmCommChInfo");
        auto* text = grid ? grid->findChild<QLineEdit*>("Text1") : nullptr;
        return text && text->hasFocus();
    };
    while (!editorShown() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(editorShown());

    std::unique_ptr<QWidget> dialog(Platform::Forms::Create("FrmModelInfo"));
    dialog->findChild<QComboBox*>("Combo2")->setCurrentText("136 - 174 MHz");
    messages.answers << Platform::Mb::IdOK;
    dialog->findChild<QPushButton*>("CommandOK")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), 0);
    EXPECT_EQ(messages.Count(), 1); // the question before the change, nothing more
}

// File New without a default file it can take (none, one cut short, one of
// zeros naming no model, one of another model or band copied over it): the new
// configuration holds what the pages show.
class NoGoodDefaultTest : public PagesInMainTest, public ::testing::WithParamInterface<int> {};

TEST_P(NoGoodDefaultTest, FileNewHoldsWhatThePagesShow) {
    const QString init = program.ProgramDir() + "/Init/";
    QFile::remove(init + "KL740_0.dat");
    if (GetParam() >= 0) program.WriteFile("Init/KL740_0.dat", QByteArray(GetParam(), '\0'));
    if (GetParam() < -1)
        QFile::copy(init + (GetParam() == -2 ? "KL740G_0.dat" : "KL740_3.dat"),
                    init + "KL740_0.dat");
    gTestDataOn = gFactory = 1; // at a factory workplace
    LoadMain();
    ModTestData::TakeRadioBlock({1}); // the block of the configuration before
    messages.answers << Platform::Mb::IdOK;
    main->FileNew();
    main->NewDocTimer().setInterval(0);
    while (main->NewDocTimer().isActive())
        QApplication::processEvents();
    EXPECT_FALSE(ModTestData::IsTestBlockKnown()); // none for a factory write to send
    const QByteArray made = DatLayout::Pack(gEditData) + DatLayout::PackExtra(gEditExtraData);
    for (const char* key : {"N2", "N4", "N9", "N10"})
        main->TreeView1_NodeClick(key);
    EXPECT_EQ(DatLayout::Pack(gEditData) + DatLayout::PackExtra(gEditExtraData), made);
    EXPECT_TRUE(main->windowTitle().contains("[KL740:400 - 480 MHz]"));
    // named by the window's load and by File New, once each
    EXPECT_EQ(messages.Count(), GetParam() != -1 ? 3 : 1);
    messages.answers << Platform::Mb::IdCancel; // were Exit to ask
    EXPECT_TRUE(main->close());
}
INSTANTIATE_TEST_SUITE_P(Defaults, NoGoodDefaultTest, ::testing::Values(-1, 100, 8597, -2, -3));

} // namespace
