#include "data/RadioData.h"
#include "data/SharedState.h"
#include "pages/FrmEmbMsg.h"
#include "pages/Pages.h"
#include "platform/widgets/FormLoader.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class EmbMsgTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gLock = 0;
        Pages::RegisterForms();
    }
    void TearDown() override { gLock = 0; }

    std::unique_ptr<QWidget> Open() {
        return std::unique_ptr<QWidget>(Platform::Forms::Create("FrmEmbMsg"));
    }
    static QLineEdit* Line(QWidget* page, int index) {
        for (auto* w : page->findChildren<QLineEdit*>("Text1"))
            if (w->property("Index").toInt() == index) return w;
        return nullptr;
    }
    static QByteArray Stored(int line) {
        return gEditData.Settings.EmbMsg[static_cast<std::size_t>(line)].Bytes();
    }

    TestSupport::TempProgram program;
};

TEST_F(EmbMsgTest, TypedLinesAreStoredWithOneNulAndBlanks) {
    auto page = Open();
    QTest::keyClicks(Line(page.get(), 0), "HELLO");
    EXPECT_EQ(Stored(0), QByteArray("HELLO\0", 6) + QByteArray(10, ' '));
    QTest::keyClicks(Line(page.get(), 1), "0123456789ABCDEFG");
    EXPECT_EQ(Stored(1), "0123456789ABCDEF");
    QTest::keyClicks(Line(page.get(), 2), "AB ");
    Line(page.get(), 3)->setText("x");
    Line(page.get(), 3)->clear();
    EXPECT_EQ(Stored(3), QByteArray(1, '\0') + QByteArray(15, ' '));
    page.reset();

    page = Open();
    EXPECT_EQ(Line(page.get(), 0)->text(), "HELLO");
    EXPECT_EQ(Line(page.get(), 2)->text(), "AB ");
    EXPECT_EQ(Line(page.get(), 3)->text(), "");
}

TEST_F(EmbMsgTest, LinesThatShowEmptyKeepTheirStoredForm) {
    gEditData.Settings.EmbMsg[0].Fill('\0');
    const TRadioData before = gEditData;
    Open().reset();
    EXPECT_TRUE(gEditData == before);
    EXPECT_EQ(Stored(0), QByteArray(16, '\0'));
}

TEST_F(EmbMsgTest, LinePaddedWithoutNulComesBackWithOne) {
    gEditData.Settings.EmbMsg[0].Assign("HI");
    Open().reset();
    EXPECT_EQ(Stored(0), QByteArray("HI\0", 3) + QByteArray(13, ' '));
}

TEST_F(EmbMsgTest, PasteKeysAndWideCharactersAreKeptOut) {
    auto page = Open();
    QLineEdit* box = Line(page.get(), 0);
    QApplication::clipboard()->setText("PASTED");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "");
    box->insert(QStringLiteral("A测B"));
    EXPECT_EQ(box->text(), "AB");
    EXPECT_EQ(Stored(0).left(3), QByteArray("AB\0", 3));
}

// Only the characters 32 to 126 reach a line, pasted from the box's menu or
// typed: a tab or DEL is dropped.
TEST_F(EmbMsgTest, LinesKeepOnlyPrintableCharacters) {
    auto page = Open();
    QLineEdit* box = Line(page.get(), 1);
    QApplication::clipboard()->setText(QStringLiteral("A\tB\x7F C~"));
    box->paste();
    QKeyEvent del(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\x7F"));
    QApplication::sendEvent(box, &del);
    EXPECT_EQ(box->text(), "AB C~");
    EXPECT_EQ(Stored(1), QByteArray("AB C~\0", 6) + QByteArray(10, ' '));
}

TEST_F(EmbMsgTest, EnterMovesToTheNextControl) {
    auto page = Open();
    page->show();
    QApplication::setActiveWindow(page.get());
    Line(page.get(), 3)->setFocus();
    QTest::keyClick(Line(page.get(), 3), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), page->findChild<QPushButton*>("CommandClose"));
}

} // namespace
