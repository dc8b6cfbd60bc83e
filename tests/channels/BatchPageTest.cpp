#include "channels/Channels.h"
#include "channels/FrmCHBatch.h"
#include "channels/ModBatch.h"
#include "data/DatLayout.h"
#include "data/ModFunLang.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class BatchPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gHelpOn = false;
        ModBatch::LoadBatchFlags();
        Channels::RegisterForms();
    }
    void TearDown() override { delete page; }

    void Open() {
        delete page;
        page = qobject_cast<FrmCHBatch*>(Platform::Forms::Create("FrmCHBatch"));
        ASSERT_NE(page, nullptr);
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page));
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page));
    }

    template <typename W> W* Ctl(const char* name, int index = -1) const {
        for (W* w : page->findChildren<W*>(QString::fromLatin1(name)))
            if (index < 0 || w->property("Index").toInt() == index) return w;
        ADD_FAILURE() << name << "(" << index << ") missing";
        return nullptr;
    }
    QLineEdit* Text(const char* name, int index) const { return Ctl<QLineEdit>(name, index); }
    QCheckBox* Box(const char* name, int index = -1) const { return Ctl<QCheckBox>(name, index); }
    QPushButton* Button(const char* name) const { return Ctl<QPushButton>(name); }

    // Types over the whole text of a box, as a user does.
    void Type(QLineEdit* box, const QString& keys) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, keys);
    }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    FrmCHBatch* page = nullptr;
};

TEST_F(BatchPageTest, OpensWithTheDefaults) {
    gEditData.Settings.Dtmf.Codes[6].Len = 3;
    gEditData.Settings.Dtmf.Codes[6].Digits.Assign("123");
    Open();
    EXPECT_EQ(page->windowTitle(), "Batch Channel Setting");
    EXPECT_EQ(Text("Text2", 0)->text(), "400.00000");
    EXPECT_EQ(Text("Text2", 3)->text(), "400.00000");
    EXPECT_EQ(Text("Text2", 2)->text(), "0.00000");
    EXPECT_EQ(Text("Text1", 1)->text(), "128");
    EXPECT_FALSE(Text("Text1", 0)->isEnabled());
    EXPECT_FALSE(Box("Check4")->isEnabled());
    EXPECT_FALSE(Text("Text2", 2)->isEnabled()); // default transmit mode
    EXPECT_FALSE(Text("Text2", 3)->isEnabled());
    EXPECT_FALSE(Box("Check3", 1)->isEnabled()); // the transmit tone follows the receive tone
    EXPECT_FALSE(Ctl<QComboBox>("Combo1", 1)->isEnabled());
    EXPECT_TRUE(Ctl<QComboBox>("Combo1", 0)->isEnabled());
    EXPECT_EQ(Ctl<QComboBox>("Combo1", 0)->count(), 283);
    EXPECT_EQ(Ctl<QComboBox>("Combo1", 0)->itemText(0), "OFF");
    const QComboBox* call1 = Ctl<QComboBox>("Combo1", 8);
    ASSERT_EQ(call1->count(), 2);
    EXPECT_EQ(call1->itemText(1), "7");
    EXPECT_EQ(Ctl<QComboBox>("Combo1", 10)->count(), 2);
    EXPECT_TRUE(Ctl<QGroupBox>("Frame1")->isVisible());
    EXPECT_FALSE(Ctl<QGroupBox>("Frame2")->isVisible());
    EXPECT_EQ(Button("CommandFun")->text(), "Select Items...");
    EXPECT_EQ(Box("Check2", 12)->text(), "Call 1");
    EXPECT_EQ(Box("Check2", 21)->text(), "Call 2");
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(BatchPageTest, ItemBoxesHideTheirInputsAndAreKept) {
    gBatchFunFlags[5] = 9; // any non-zero byte offers the item
    Open();
    EXPECT_TRUE(Box("Check2", 7)->isChecked());
    QTest::mouseClick(Button("CommandFun"), Qt::LeftButton);
    EXPECT_TRUE(Ctl<QGroupBox>("Frame2")->isVisible());
    EXPECT_EQ(Button("CommandFun")->text(), "Set Values...");

    Box("Check2", 0)->click();
    EXPECT_TRUE(Text("Text2", 0)->isHidden());
    EXPECT_TRUE(Text("Text2", 1)->isHidden());
    EXPECT_FALSE(Text("Text2", 2)->isHidden());
    EXPECT_EQ(program.ReadFile("BatchFun.ini")[0], '\0');
    EXPECT_EQ(program.ReadFile("BatchFun.ini")[1], '\1');

    Box("Check2", 20)->click(); // compander, item 19
    EXPECT_TRUE(Box("Check1", 6)->isHidden());
    EXPECT_EQ(program.ReadFile("BatchFun.ini")[19], '\0');

    // a later run reads the file again
    ModBatch::LoadBatchFlags();
    Open();
    EXPECT_FALSE(Box("Check2", 0)->isChecked());
    EXPECT_TRUE(Text("Text2", 0)->isHidden());
    EXPECT_TRUE(Box("Check2", 1)->isChecked());

    QTest::mouseClick(Button("CommandFun"), Qt::LeftButton);
    QTest::mouseClick(Button("CommandSelNone"), Qt::LeftButton);
    EXPECT_EQ(program.ReadFile("BatchFun.ini"), QByteArray(20, '\0'));
    QTest::mouseClick(Button("CommandSelAll"), Qt::LeftButton);
    EXPECT_EQ(program.ReadFile("BatchFun.ini"), QByteArray(20, '\1'));
}

TEST_F(BatchPageTest, BoxesTakeOnlyWhatTheyMayHold) {
    Open();
    Ctl<QRadioButton>("Option1", 1)->click();
    ASSERT_TRUE(Text("Text1", 0)->isEnabled());
    EXPECT_TRUE(Box("Check4")->isEnabled());
    Type(Text("Text1", 0), "0");
    EXPECT_EQ(Text("Text1", 0)->text(), "1");
    Type(Text("Text1", 1), "200");
    EXPECT_EQ(Text("Text1", 1)->text(), "128");

    Type(Text("Text2", 1), "1500");
    EXPECT_EQ(Text("Text2", 1)->text(), "1000");
    Type(Text("Text2", 5), "1.x");
    EXPECT_EQ(Text("Text2", 5)->text(), "1");

    QLineEdit* start = Text("Text2", 0);
    Type(start, "a500");
    EXPECT_EQ(start->text(), "500");
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_EQ(start->text(), "480.00000");
    EXPECT_FALSE(start->hasFocus());

    Type(Text("Text2", 1), "7");
    Text("Text2", 0)->setFocus(); // leaving the step box
    EXPECT_EQ(Text("Text2", 1)->text(), "5");
}

TEST_F(BatchPageTest, TransmitToneBoxesFollowTheDefaultBox) {
    Open();
    QCheckBox* same = Box("Check3", 2);
    QCheckBox* random = Box("Check3", 1);
    QComboBox* list = Ctl<QComboBox>("Combo1", 1);
    random->setChecked(true);
    EXPECT_FALSE(random->isEnabled());
    same->click();
    EXPECT_TRUE(random->isEnabled());
    EXPECT_FALSE(list->isEnabled()); // the random box is ticked
    random->click();
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(Text("Text2", 6)->isEnabled());

    Ctl<QRadioButton>("Option3", 1)->click();
    EXPECT_TRUE(Text("Text2", 2)->isEnabled());
    EXPECT_FALSE(Text("Text2", 3)->isEnabled());
    Ctl<QRadioButton>("Option3", 2)->click();
    EXPECT_FALSE(Text("Text2", 2)->isEnabled());
    EXPECT_TRUE(Text("Text2", 4)->isEnabled());
}

TEST_F(BatchPageTest, ApplyWritesTheRangeAndStaysOpen) {
    gEditData.ChannelCount = 0;
    gEditData.Settings.Dtmf.Codes[6].Len = 2;
    Open();
    QTest::mouseClick(Button("CommandFun"), Qt::LeftButton);
    QTest::mouseClick(Button("CommandSelNone"), Qt::LeftButton);
    Box("Check2", 0)->click();  // receive frequency
    Box("Check2", 12)->click(); // call 1
    QTest::mouseClick(Button("CommandFun"), Qt::LeftButton);

    Ctl<QRadioButton>("Option1", 1)->click();
    Type(Text("Text1", 0), "7");
    Type(Text("Text1", 1), "5");
    Text("Text2", 0)->setText("430");
    Text("Text2", 1)->setText("12.5");
    Ctl<QComboBox>("Combo1", 8)->setCurrentIndex(1); // the entry that shows 7
    QTest::mouseClick(Button("CommandApply"), Qt::LeftButton);

    ASSERT_EQ(gEditData.ChannelCount, 3);
    const auto rx = [](int n) {
        return ModShowFreFun::FreqCodeToText(
            gEditData.Channels[static_cast<std::size_t>(ModShowFreFun::FindChannelIndex(n))]
                .RxFreq.Text());
    };
    EXPECT_EQ(rx(5), "430.00000");
    EXPECT_EQ(rx(7), "430.02500");
    EXPECT_EQ(gEditData.Channels[0].Call1, 7);
    EXPECT_EQ(Text("Text2", 0)->text(), "430.00000");
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(BatchPageTest, ReceiveItemKeepsTheTransmitFrequencyInTheBandAndSaysSo) {
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(2, "441");
    gEditData.Channels[0].OffsetDir = 2; // sends 5 MHz higher
    gEditData.Channels[0].Offset.Assign("0500000");
    TRadioData expected = gEditData; // 478 sends on the band's edge, 480
    expected.Channels[0].RxFreq.Assign("47800000");
    expected.Channels[0].Offset.Assign("0200000");
    gBatchFunFlags.fill(0);
    gBatchFunFlags[0] = 1; // the receive frequency only
    Open();
    Ctl<QRadioButton>("Option1", 1)->click();
    Type(Text("Text1", 0), "2");
    Type(Text("Text1", 1), "2");
    Type(Text("Text2", 0), "478");
    QTest::mouseClick(Button("CommandApply"), Qt::LeftButton);
    EXPECT_EQ(DatLayout::Pack(gEditData), DatLayout::Pack(expected));
    EXPECT_EQ(messages.CountOf(ModFunLang::GetLangText(9021)), 1);
}

TEST_F(BatchPageTest, F1OpensTheTopicOfTheFocusedControl) {
    QList<int> topics;
    Platform::Help::SetOpener([&topics](const QString&, int context) {
        topics << context;
        return true;
    });
    program.WriteFile("Corvan_E.chm", "help");
    gHelpOn = true;
    Open();
    Button("CommandApply")->setFocus();
    QTest::keyClick(page, Qt::Key_F1);
    Text("Text2", 0)->setFocus();
    QTest::keyClick(page, Qt::Key_F1);
    Platform::Help::SetOpener({});
    EXPECT_EQ(topics, QList<int>({3904, 3903}));
}

} // namespace
