#include "../LinkFixture.h"
#include "link/widgets/DialogHost.h"
#include "link/widgets/FrmPassWord.h"
#include "link/widgets/FrmProgress.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using ModFunLang::GetLangText;

namespace {

void Type(QWidget* target, const QString& text) {
    target->setFocus();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &press);
    }
}

class PasswordDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::ResetProgram();
        gPassWordMode = 0;
        gProgPassword = "12";
        ModComm::gAccessCodeBuf.clear();
    }
    TestSupport::TempProgram program;
};

TEST_F(PasswordDialogTest, OffersTheLastPasswordAndTakesFourCharacters) {
    FrmPassWord dialog;
    EXPECT_TRUE(gPasswordGiven);
    EXPECT_EQ(dialog.Text1->text(), "12");
    EXPECT_EQ(dialog.windowTitle(), GetLangText(23100));
    EXPECT_EQ(dialog.Label1->text(), GetLangText(23101));
    EXPECT_EQ(dialog.CommandOK->text(), GetLangText(9017));
    dialog.Text1->clear();
    Type(dialog.Text1, "abcde");
    EXPECT_EQ(dialog.Text1->text(), "abcd");
    dialog.CommandOK->click();
    EXPECT_EQ(gProgPassword, "abcd");
}

TEST_F(PasswordDialogTest, EmptyFieldStoresAnEmptyPasswordAndCancelStoresNothing) {
    {
        FrmPassWord dialog;
        dialog.Text1->setText("99");
        dialog.CommandCancel->click();
        EXPECT_EQ(gProgPassword, "12");
    }
    FrmPassWord dialog;
    dialog.Text1->clear();
    dialog.CommandOK->click();
    EXPECT_EQ(gProgPassword, "");
}

TEST_F(PasswordDialogTest, AccessCodeModeStartsEmptyAndKeepsThePassword) {
    gPassWordMode = -1;
    FrmPassWord dialog;
    EXPECT_FALSE(gPasswordGiven);
    EXPECT_EQ(dialog.Text1->text(), "");
    dialog.Text1->setText("8 ");
    dialog.CommandOK->click();
    EXPECT_EQ(ModComm::gAccessCodeBuf, "8");
    EXPECT_EQ(gProgPassword, "12");
    gPassWordMode = 0;
}

TEST_F(PasswordDialogTest, ProgressDialogShowsItsSessionAndPercent) {
    gCommType = 2;
    FrmProgress dialog;
    gCommType = 0;
    EXPECT_EQ(dialog.windowTitle(), GetLangText(9028));
    EXPECT_EQ(dialog.Label1->text(), GetLangText(9029));
    EXPECT_EQ(dialog.Label2->text(), "0%");
    EXPECT_LE(dialog.Label1->geometry().right(), dialog.Label2->x());
    dialog.ShowPercent(42);
    EXPECT_EQ(dialog.ProgressBar1->value(), 42);
    EXPECT_EQ(dialog.Label2->text(), "42%");
}

// A read through the real dialogs: the progress dialog runs the session and
// the password dialog is answered as a user would.
class DialogReadTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        ModComm::SetSessionHost(&dialogs);
    }
    DialogHost dialogs;
};

TEST_F(DialogReadTest, ReadWithPasswordThroughTheDialogs) {
    radio.SetPassword("4321");
    QString progressTitle;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* password = qobject_cast<FrmPassWord*>(QApplication::activeModalWidget());
        if (!password) return;
        if (dialogs.Progress()) progressTitle = dialogs.Progress()->windowTitle();
        password->Text1->setText("4321");
        password->CommandOK->click();
    });
    poll.start();
    commands.mnuReadFromRadio_Click();
    poll.stop();
    EXPECT_EQ(gCommType, 0);
    EXPECT_EQ(progressTitle, GetLangText(9027));
    EXPECT_EQ(Shown(9009), 1);
    EXPECT_EQ(gProgPassword, "4321");
    EXPECT_EQ(ImageBytes(), radio.Memory(0, kImageSize));
    EXPECT_FALSE(Platform::Forms::IsLoaded("FrmProgress"));
}

} // namespace
