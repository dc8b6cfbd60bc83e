// The radio-information command of the main window, against the simulated
// radio, up to the view that shows what the radio holds.
#include "SimRadio.h"
#include "data/ModFreFile.h"
#include "data/ModFunLang.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/RadioImage.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "link/ModComm.h"
#include "pages/FeaturePage.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/serial/SerialControl.h"
#include "platform/serial/SerialPorts.h"
#include "platform/widgets/FormLoader.h"
#include "shell/frmMain.h"
#include "tests/shell/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace {

const int kPort = TestSupport::TestPort();

class RadioInfoReadTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Pages::RegisterForms();
        ModComm::ResetSession();
        ASSERT_TRUE(linkDir.isValid());
        ASSERT_TRUE(radio.Start(linkDir.path(), kPort));
        SimRadio::Setup setup;
        setup.model = "KL740G"; // and band 136 - 174 MHz: not the configuration's
        setup.band = 8;
        radio.Configure(setup);
        QByteArray area(kRadioInfoSize, static_cast<char>(0xFF));
        area.replace(0x00, 4, "0731");
        area.replace(0x30, 9, QByteArray("SN998877\0", 9));
        area.replace(0x1B0, 6, QByteArray("DLR-7\0", 6));
        radio.SetMemory(kImageSize, area);
        gComPort = kPort;
        gHandshaking = 0;
        gStopBit = 1;
        ModVerionMana::gVersionTable.Pairs = {{QStringLiteral("V200"), QStringLiteral("V200")}};
        gProgPassword.clear();
        gIdentFlags.fill(0);
    }
    void TearDown() override {
        ShellTest::TearDown();
        ModComm::ResetSession();
        radio.Stop();
        Platform::Forms::UnregisterFactory("FrmRadioInfo");
    }

    QAction* Item(const char* name) { return main->findChild<QAction*>(QLatin1String(name)); }

    // Runs the event loop until the session is over and its end has run.
    bool WaitIdle() {
        const bool idle = TestSupport::WaitFor([] { return gCommType == 0; }, 15000);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return idle;
    }

    // The frames of the main window that hold a view of that name.
    int Frames(const QString& name) {
        int n = 0;
        for (QMdiSubWindow* sub : main->findChild<QMdiArea*>()->subWindowList())
            n += sub->widget() && sub->widget()->objectName() == name ? 1 : 0;
        return n;
    }

    TestSupport::LinkFolder linkDir;
    SimRadio radio;
};

TEST_F(RadioInfoReadTest, CommandReadsTheRadioAndShowsAFreshView) {
    LoadMain();
    main->show();
    ASSERT_TRUE(Item("MnuLocalInfo")->isEnabled());

    QPointer<QWidget> old = ModFun::ShowChildForm("FrmRadioInfo");
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(Frames("FrmRadioInfo"), 1);

    main->TreeView1_NodeClick("N7");                         // the tree node runs the same command
    EXPECT_FALSE(Platform::Forms::IsLoaded("FrmRadioInfo")); // removed before the read
    ASSERT_TRUE(WaitIdle());

    auto* view = qobject_cast<Pages::FeaturePage*>(Platform::Forms::Find("FrmRadioInfo"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(Frames("FrmRadioInfo"), 1);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->ControlText("Text1", 0), "0731");
    EXPECT_EQ(view->ControlText("Text1", 1), "SN998877");
    EXPECT_EQ(view->ControlText("Text1", 8), "DLR-7");
    EXPECT_EQ(view->ControlText("Combo1", 0), "KL740G");
    EXPECT_EQ(view->ControlText("Combo1", 1), "136 - 174 MHz");
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_FALSE(ModComm::MSComm1().PortOpen());
    radio.Configure({.silent = true}); // closing the window ends this read
    Item("MnuLocalInfo")->trigger();
    ASSERT_TRUE(main->close());
    EXPECT_FALSE(TestSupport::WaitFor([this] { return gCommType || messages.Count(); }, 800));
}

} // namespace
