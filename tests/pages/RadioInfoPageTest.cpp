#include "data/ModFreFile.h"
#include "data/ModFunLang.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "pages/FeaturePage.h"
#include "pages/Pages.h"
#include "platform/Forms.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "tests/pages/PageFixture.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Pages::FeaturePage;

class RadioInfoPageTest : public PageFixture {
protected:
    void TearDown() override {
        Platform::Forms::SetChildHost({});
        Platform::Help::SetOpener({});
        gCurrentLanguage = 1;
        PageFixture::TearDown();
    }

    // Loads the view as the printed report does: made, never shown.
    static FeaturePage* LoadHidden() { return Open("FrmRadioInfo"); }
};

TEST_F(RadioInfoPageTest, LoadedHiddenItShowsTheRecordWithFixedTextsCutAtTheirNul) {
    TLocalInfo& info = gLocalInfo;
    info.RadioType = QString("KL740G") + QChar(0) + " ";
    info.BandCode = 32;
    info.AreaCode = "0595";
    info.Version = "V2.00";
    info.SerialNumber.AssignBytes(QByteArray("ABCD\0", 5)); // then blanks
    info.ProductedDate.AssignWithNul("2024-03-15");
    info.MaintainedDate.AssignBytes("2025-01-09");
    info.Description.AssignWithNul("Antenna replaced, alignment checked");
    info.BatchNumber.AssignBytes("03-1-E-1");
    info.UserCode.AssignBytes("001A");
    info.DealerCode.AssignWithNul("D-1042");
    info.StockDate.AssignWithNul("2024-04-02");
    info.SellDate.AssignWithNul("2024-05-20");
    info.Seller.AssignWithNul("Harbour Radio");

    FeaturePage* page = LoadHidden();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->isVisible());
    EXPECT_EQ(Platform::Forms::Find("FrmRadioInfo"), page);

    const QStringList expected = {"0595",
                                  "ABCD",
                                  "2024-03-15",
                                  "2025-01-09",
                                  "Antenna replaced, alignment checked",
                                  "V2.00",
                                  "03-1-E-1",
                                  "001A",
                                  "D-1042",
                                  "2024-04-02",
                                  "2024-05-20",
                                  "Harbour Radio"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(page->ControlText("Text1", i), expected[i]) << "Text1(" << i << ")";
    EXPECT_EQ(page->ControlText("Combo1", 0), "KL740G");
    EXPECT_EQ(page->ControlText("Combo1", 1), "450 - 520 MHz");

    auto* bands = qobject_cast<QComboBox*>(Control(page, "Combo1", 1));
    ASSERT_NE(bands, nullptr);
    QStringList items;
    for (int i = 0; i < bands->count(); ++i)
        items << bands->itemText(i);
    EXPECT_EQ(items, ModFreFile::BandTexts());
    EXPECT_EQ(items.size(), 17);

    // nothing on the view takes input or the focus
    for (QWidget* w : page->findChildren<QWidget*>())
        if (w->objectName() == "Text1" || w->objectName() == "Combo1") {
            EXPECT_FALSE(w->isEnabled());
            EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
        }
}

TEST_F(RadioInfoPageTest, UnknownModelAndBandLeaveTheirListsEmptyAndShowTheRest) {
    gLocalInfo.RadioType = "XR900";
    gLocalInfo.BandCode = 15; // no band has this code
    gLocalInfo.UserCode.AssignBytes("002B");
    FeaturePage* page = LoadHidden();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->ControlText("Combo1", 0), "");
    EXPECT_EQ(page->ControlText("Combo1", 1), "");
    EXPECT_EQ(page->ControlText("Text1", 7), "002B");
}

// Each caption comes from the language file and ends 50 twips before its
// field, however long the translation is.
TEST_F(RadioInfoPageTest, CaptionsComeFromTheLanguageAndEndBeforeTheirFields) {
    QByteArray local = "[Local]\n21000=INFO\n21001=DEALER\n";
    for (int n = 21002; n <= 21016; ++n)
        local += QByteArray::number(n) + "=" +
                 (n == 21009 ? QByteArray("A far longer caption than any other one here:")
                             : "L" + QByteArray::number(n)) +
                 "\n";
    program.WriteFile("language/fixture.ini", "[Msg]\n9023=SHUT\n9025=ASSIST\n" + local);
    ModFunLang::gLangFileName = "fixture.ini";
    FeaturePage* page = LoadHidden();
    ModFunLang::gLangFileName = "english.ini";
    ASSERT_NE(page, nullptr);

    EXPECT_EQ(page->windowTitle(), "INFO");
    EXPECT_EQ(page->ControlText("Frame1"), "DEALER");
    EXPECT_EQ(page->ControlText("CommandClose"), "SHUT");
    EXPECT_EQ(page->ControlText("CommandHelp"), "ASSIST");
    EXPECT_EQ(page->ControlText("Label2"), "L21002");
    EXPECT_EQ(page->ControlText("Label1", 4), "A far longer caption than any other one here:");
    EXPECT_EQ(page->ControlText("Label1", 7), "L21012");

    // the long caption, the second line of the description's and one in the frame
    const struct {
        int label;
        const char* field;
        int fieldIndex;
    } pairs[] = {{4, "Text1", 3}, {7, "Text1", 4}, {13, "Text1", 11}, {1, "Combo1", 1}};
    for (const auto& p : pairs) {
        QWidget* label = Control(page, "Label1", p.label);
        QWidget* field = Control(page, p.field, p.fieldIndex);
        EXPECT_EQ(label->parentWidget(), field->parentWidget());
        EXPECT_EQ(label->geometry().right() + 1, field->x() - FeaturePage::Px(50)) << p.label;
        EXPECT_GE(label->width(), label->sizeHint().width()) << "caption cut";
    }
    EXPECT_EQ(Control(page, "Label2")->geometry().right() + 1,
              Control(page, "Text1", 0)->x() - FeaturePage::Px(50));
    // the dealer fields stand in the same column as the others
    EXPECT_EQ(Control(page, "Text1", 8)->mapTo(page, QPoint()).x(), Control(page, "Text1", 0)->x());
}

TEST_F(RadioInfoPageTest, HelpButtonAndF1OpenTheTopicOfTheView) {
    QStringList opened;
    Platform::Help::SetOpener([&](const QString& path, int context) {
        opened << QString("%1#%2").arg(QFileInfo(path).fileName()).arg(context);
        return true;
    });
    program.WriteFile("Corvan_E.chm", "e");
    program.WriteFile("Corvan_C.chm", "c");

    gHelpOn = false;
    FeaturePage* hidden = LoadHidden();
    EXPECT_TRUE(hidden->findChild<QPushButton*>("CommandHelp")->isHidden());
    delete hidden;

    gHelpOn = true;
    FeaturePage* page = LoadHidden();
    auto* help = page->findChild<QPushButton*>("CommandHelp");
    EXPECT_FALSE(help->isHidden());
    page->show();
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page));
    QTest::mouseClick(help, Qt::LeftButton);
    gCurrentLanguage = 2;
    page->findChild<QPushButton*>("CommandClose")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(opened, QStringList({"Corvan_E.chm#3800", "Corvan_C.chm#3800"}));
}

// Closed by its button, by its frame or by name (as the information command
// does), the view leaves the list of loaded windows and no empty frame stays.
TEST_F(RadioInfoPageTest, ClosingTheViewRemovesItWithItsFrame) {
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    Platform::Forms::SetChildHost({[area](QWidget* w) {
                                       QMdiSubWindow* sub = area->addSubWindow(w);
                                       sub->setAttribute(Qt::WA_DeleteOnClose);
                                       sub->show();
                                   },
                                   {}});
    ModFun::InstallWindowOps();
    main.show();
    for (int way = 0; way < 3; ++way) {
        QPointer<QWidget> page = ModFun::ShowChildForm("FrmRadioInfo");
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(ModFun::ShowChildForm("FrmRadioInfo"), page.data()); // one at a time
        ASSERT_EQ(area->subWindowList().size(), 1);
        if (way == 0)
            QTest::mouseClick(page->findChild<QPushButton*>("CommandClose"), Qt::LeftButton);
        else if (way == 1)
            area->subWindowList()[0]->close();
        else
            Platform::Forms::CloseAll("FrmRadioInfo"); // as the information command does
        EXPECT_FALSE(Platform::Forms::IsLoaded("FrmRadioInfo")) << way;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(page.isNull()) << way;
        EXPECT_TRUE(area->subWindowList().isEmpty()) << way;
    }
}

} // namespace
