#include "channels/Channels.h"
#include "data/ModFunLang.h"
#include "data/widgets/FormHelpers.h"
#include "pages/FrmDTMF.h"
#include "tests/pages/PageFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace {

using ModFunLang::GetLangText;

class DtmfPageTest : public PageFixture {
protected:
    TDtmf& dtmf = gEditData.Settings.Dtmf;

    Pages::FeaturePage* OpenShown() {
        Pages::FeaturePage* page = Open("FrmDTMF");
        page->show();
        page->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(page));
        return page;
    }
    static QLineEdit* Box(QWidget* page, const char* name, int index = -1) {
        return Control<QLineEdit>(page, name, index);
    }
    static void SetMemory(int m, const QString& digits) {
        DtmfRules::StoreCode(gEditData.Settings.Dtmf.Codes[static_cast<std::size_t>(m - 1)],
                             digits);
    }
};

TEST_F(DtmfPageTest, CodeAndIdRules) {
    using namespace DtmfRules;
    EXPECT_EQ(CodeKey('b'), QChar('B'));
    EXPECT_EQ(CodeKey('#'), QChar('#'));
    for (char c : {'E', 'e', '+', ' '})
        EXPECT_TRUE(CodeKey(QChar(c)).isNull()) << c;
    EXPECT_EQ(CleanCode("x1-a b*#9E"), "1AB*#9");
    EXPECT_EQ(CleanCode(QString(20, '7')).size(), 16);
    EXPECT_EQ(CheckedId("12"), "000");
    EXPECT_EQ(CheckedId("0123456789"), "0123456789");
    // numbers that are not plain digits never reach the radio's ID
    EXPECT_EQ(CheckedId("-123"), "000");
    EXPECT_EQ(CheckedId("12.5"), "000");
    EXPECT_EQ(CheckedId("1e3"), "000");
    TDtmfCode code;
    code.Len = 20;
    EXPECT_EQ(ShownCode(code), "");
    code.Len = -1;
    EXPECT_EQ(ShownCode(code), "");
}

TEST_F(DtmfPageTest, ShowingStoresTheShownListValuesAndLeavesTheIdUntilLeft) {
    dtmf.Fields = {0, 3, 0, 10, 20, 2, 1, 6, 15};
    dtmf.Id.Assign("9876543210");
    dtmf.IdLen = 12;
    SetMemory(2, "12*#");
    Pages::FeaturePage* page = OpenShown();
    EXPECT_EQ(page->ControlText("Combo1", 0), "50");
    EXPECT_EQ(page->ControlText("Combo1", 1), "0");
    EXPECT_EQ(page->ControlText("Combo1", 2), "100");
    EXPECT_EQ(page->ControlText("Combo1", 3), "500");
    EXPECT_EQ(page->ControlText("Combo1", 4), GetLangText(18040));
    EXPECT_EQ(page->ControlText("Combo2", 4), "#");
    EXPECT_EQ(page->ControlText("Combo2", 5), "15s");
    EXPECT_EQ(page->ControlText("Text2", 1), "12*#");
    EXPECT_EQ(page->ControlText("Text3"), "987");
    EXPECT_EQ(page->ControlText("Label4", 15), "16");
    EXPECT_EQ(qobject_cast<QTabWidget*>(Control(page, "SSTab1"))->currentIndex(), 0);
    // side tone 2 shows clear and is kept as shown
    EXPECT_EQ(dtmf.Fields, (std::array<qint16, 9>{1, 0, 2, 10, 0, 0, 1, 6, 15}));
    EXPECT_EQ(dtmf.IdLen, 12);

    QLineEdit* id = Box(page, "Text3");
    qobject_cast<QTabWidget*>(Control(page, "SSTab1"))->setCurrentIndex(1);
    id->setFocus();
    EXPECT_EQ(id->selectedText(), "987");
    Platform::Forms::Validate(page); // a command's commit leaves the untouched ID
    EXPECT_EQ(dtmf.IdLen, 12);
    Box(page, "Text1", 2)->setFocus();
    EXPECT_EQ(dtmf.IdLen, 3);
    EXPECT_EQ(dtmf.Id.Text(), "987       ");

    Pick(List(page, 0), "500");
    Pick(List(page, 1, "Combo2"), GetLangText(18045));
    EXPECT_EQ(dtmf.Fields[0], 10);
    EXPECT_EQ(dtmf.Fields[6], 2);
}

TEST_F(DtmfPageTest, TypingIntoTheBoxes) {
    Pages::FeaturePage* page = OpenShown();
    QLineEdit* bot = Box(page, "Text1", 0);
    bot->setFocus();
    QTest::keyClicks(bot, "a1#bEe+ ");
    QApplication::clipboard()->setText("123");
    ASSERT_EQ(QApplication::clipboard()->text(), "123");
    // Ctrl+V as the keyboard sends it, with its control character
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
    QApplication::sendEvent(bot, &paste);
    QTest::keyClick(bot, Qt::Key_Return); // moves on, types nothing
    EXPECT_NE(QApplication::focusWidget(), bot);
    EXPECT_EQ(bot->text(), "A1#B");
    EXPECT_EQ(dtmf.Bot.Len, 4);
    EXPECT_EQ(dtmf.Bot.Digits.Text(), "A1#B            ");
    bot->insert("x9"); // pasted from the box's menu
    EXPECT_EQ(bot->text(), "A1#B9");
    EXPECT_EQ(dtmf.Bot.Len, 5);

    qobject_cast<QTabWidget*>(Control(page, "SSTab1"))->setCurrentIndex(1);
    QLineEdit* id = Box(page, "Text3");
    id->setFocus();
    QTest::keyClicks(id, "12");
    QTest::keyClick(id, Qt::Key_Return);
    EXPECT_EQ(id->text(), "000");
    EXPECT_EQ(dtmf.IdLen, 3);
    EXPECT_EQ(dtmf.Id.Text(), "000       ");
    EXPECT_NE(QApplication::focusWidget(), id);

    id->setFocus();
    id->clear();
    QTest::keyClicks(id, "12345678901x");
    EXPECT_EQ(id->text(), "1234567890");
    Platform::Forms::Validate(page); // the write command's commit
    EXPECT_EQ(dtmf.IdLen, 10);
    EXPECT_EQ(dtmf.Id.Text(), "1234567890");
}

TEST_F(DtmfPageTest, MemoryEditsRefreshTheDetailEditorAndTheAlertPage) {
    // the real detail editor, showing a channel that calls memories 3 and 5
    SetMemory(3, "333");
    SetMemory(5, "555");
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(1, "435.02500");
    gEditData.Channels[0].Call1 = 3;
    gEditData.Channels[0].Call2 = 5;
    Channels::RegisterForms();
    std::unique_ptr<QWidget> editor(Platform::Forms::Create("FrmCHInfoEdit"));
    ASSERT_NE(editor, nullptr);
    editor->show();
    QComboBox* calls[2] = {List(editor.get(), 8, "Combo2"), List(editor.get(), 10, "Combo2")};
    ASSERT_EQ(calls[0]->currentText(), "3");

    gEditData.Settings.Alert[0] = 1;
    gEditData.Settings.Alert[1] = 1;
    gEditData.Settings.Alert[2] = 5;
    Pages::FeaturePage* alert = Open("FrmAlert");
    Pages::FeaturePage* page = Open("FrmDTMF");

    Box(page, "Text2", 2)->clear(); // memory 3
    EXPECT_EQ(dtmf.Codes[2].Len, 0);
    EXPECT_EQ(Items(calls[0]), QStringList({GetLangText(14013), "5"}));
    EXPECT_EQ(calls[0]->currentIndex(), -1); // the call of an emptied memory stays stored
    EXPECT_EQ(calls[1]->currentText(), "5");
    EXPECT_EQ(gEditData.Channels[0].Call1, 3) << "a refill chooses nothing for the channel";
    EXPECT_EQ(Items(List(alert, 2)), QStringList({"M5"}));

    Box(page, "Text2", 10)->setText("1"); // memory 11
    EXPECT_EQ(Items(List(alert, 2)), QStringList({"M5", "M11"}));
    EXPECT_EQ(alert->ControlText("Combo1", 2), "M5");

    // the last memory in use goes: the alert page names none any more
    Box(page, "Text2", 10)->clear();
    Box(page, "Text2", 4)->clear();
    EXPECT_EQ(List(alert, 2)->count(), 0);
    EXPECT_EQ(gEditData.Settings.Alert[2], 0);

    // ID type "none": the alert page's list stays as it is
    Pick(List(alert, 1), GetLangText(27037));
    Box(page, "Text2", 0)->setText("7");
    EXPECT_EQ(List(alert, 2)->count(), 0);
}

TEST_F(DtmfPageTest, LockDisablesInputsButNotTheTabs) {
    gLock = 1;
    Pages::FeaturePage* page = Open("FrmDTMF");
    EXPECT_FALSE(Box(page, "Text3")->isEnabled());
    EXPECT_FALSE(Box(page, "Text2", 7)->isEnabled());
    EXPECT_FALSE(List(page, 5, "Combo2")->isEnabled());
    EXPECT_FALSE(Control(page, "Check1")->isEnabled());
    auto* tabs = qobject_cast<QTabWidget*>(Control(page, "SSTab1"));
    EXPECT_TRUE(tabs->isEnabled());
    tabs->setCurrentIndex(2);
    EXPECT_EQ(tabs->currentIndex(), 2);
}

} // namespace
