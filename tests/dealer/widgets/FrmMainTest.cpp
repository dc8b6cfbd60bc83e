#include "dealer/widgets/FrmMain.h"
#include "SimRadio.h"
#include "dealer/DealerTexts.h"
#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "dealer/ModSYSType.h"
#include "dealer/widgets/FrmProtectPassWord.h"
#include "platform/SysLocale.h"
#include "platform/serial/SerialControl.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace Halbrek;
namespace MC = Halbrek::ModComm;

namespace {

const int kTestPort = 100 + static_cast<int>(QCoreApplication::applicationPid() % 150);

void Key(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
    for (QChar c : text)
        Key(w, c == u' ' ? int(Qt::Key_Space) : int(c.toUpper().unicode()), QString(c));
}

// Answers the next protect dialogs one after the other: each entry is the
// answer to type and OK, or an empty optional for Cancel.
class DialogScript : public QObject {
public:
    QList<std::optional<QString>> answers;
    QString question;
    int shown = 0;
    QStringList questionsSeen;

    void Arm() {
        QTimer::singleShot(0, this, [this] { Answer(); });
    }

private:
    void Answer() {
        auto* dialog = qobject_cast<FrmProtectPassWord*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(5, this, [this] { Answer(); });
            return;
        }
        ++shown;
        questionsSeen << dialog->Text1[0]->text();
        const auto answer = answers.isEmpty() ? std::nullopt : answers.takeFirst();
        if (!question.isEmpty()) dialog->Text1[0]->setText(question);
        if (answer) dialog->Text1[1]->setText(*answer);
        if (!answers.isEmpty()) Arm();
        (answer ? dialog->Command1[0] : dialog->Command1[1])->click();
    }
};

class FrmMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
        gRadioImage.fill(0);
        gProtectInfo = {};
        ASSERT_TRUE(linkDir.isValid());
        qputenv(Platform::SerialPorts::kLinkDirVariable, linkDir.path().toLocal8Bit());
        Platform::SerialPorts::SetGivenPorts(QList<int>{kTestPort});
    }
    void TearDown() override {
        window.reset();
        radio.Stop();
        Platform::SerialPorts::SetGivenPorts(std::nullopt);
        qunsetenv(Platform::SerialPorts::kLinkDirVariable);
        Platform::SetSystemLcidForTesting(-1);
    }

    void Load() { window = std::make_unique<FrmMain>(); }
    void StartRadio() {
        ASSERT_TRUE(radio.Start(linkDir.path(), kTestPort));
        radio.SetMemory(0xB00, QByteArray("KL740\0\0\x08", 8));
        radio.SetMemory(0xB0C, QByteArray(1, 0x01));
        radio.SetMemory(0xB40, "2024031500000007");
    }
    bool WaitIdle(int ms = 15000) {
        QDeadlineTimer deadline(ms);
        while (MC::gCommState != MC::Idle && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return MC::gCommState == MC::Idle;
    }
    void Setting(const char* key, const QString& value) {
        ModSYSType::WriteSetting(QLatin1String(key), value);
    }
    QString Setting(const char* key) { return ModSYSType::ReadSetting(QLatin1String(key)); }
    int RightGap(QLabel* label, QWidget* box) { return box->x() - (label->x() + label->width()); }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    QTemporaryDir linkDir;
    SimRadio radio;
    std::unique_ptr<FrmMain> window;
};

TEST_F(FrmMainTest, CaptionsFollowTheLocaleAndLabelsEndAtTheirBoxes) {
    for (int lcid : {0x409, 0x804}) {
        Platform::SetSystemLcidForTesting(lcid);
        Load();
        const bool chinese = lcid == 0x804;
        EXPECT_EQ(window->Command1->text(), chinese ? QStringLiteral("读出(&R)") : "&Read");
        EXPECT_EQ(window->Label1[13]->text(),
                  chinese ? QStringLiteral("写频密码") : "Program PassWord");
        EXPECT_EQ(window->Frame2->title(),
                  chinese ? QStringLiteral("经销商信息") : "Dealer Information");
        for (int i = 0; i <= 8; ++i)
            EXPECT_EQ(RightGap(window->Label1[i], window->Text1[0]), 3) << i;
        for (int i = 9; i <= 12; ++i)
            EXPECT_EQ(RightGap(window->Label1[i], window->Text1[8]), 3) << i;
        EXPECT_EQ(RightGap(window->Label4, window->Text2[0]), 1);
        EXPECT_EQ(RightGap(window->Label2, window->Text1[0]), 3);
        // The defaults, with the fields never written shown disabled.
        EXPECT_EQ(window->BoxText(5), "V2.00");
        EXPECT_EQ(window->BoxText(7), "001A");
        EXPECT_FALSE(window->Text1[1]->isEnabled());
        EXPECT_FALSE(window->Check1->isEnabled());
        EXPECT_TRUE(window->Check4->isEnabled());
        EXPECT_TRUE(window->Text1[12]->isEnabled());
        EXPECT_EQ(window->Combo1[1]->count(), 17);
        EXPECT_EQ(window->Text2[0]->text(), "10");
    }
}

TEST_F(FrmMainTest, PortListAtLoadAndOnRefresh) {
    Platform::SerialPorts::SetGivenPorts(QList<int>{3, 5});
    Setting("comPort", "5");
    Load();
    EXPECT_EQ(window->Combo2->currentText(), "COM5");
    EXPECT_TRUE(window->InComPorts(3));
    EXPECT_FALSE(window->InComPorts(30));
    Platform::SerialPorts::SetGivenPorts(QList<int>{3, 1});
    window->ReShowComPortTimer_Timer();
    EXPECT_EQ(window->Combo2->currentText(), "COM3");
    EXPECT_EQ(MC::gComPort, 3);
    EXPECT_EQ(Setting("comPort"), "5"); // the refresh writes nothing
    window->Combo2->setCurrentIndex(1);
    window->Combo2_Click();
    EXPECT_EQ(Setting("comPort"), "1");
    Platform::SerialPorts::SetGivenPorts(QList<int>{});
    window->ReShowComPortTimer_Timer();
    EXPECT_EQ(window->Combo2->currentIndex(), -1);
    EXPECT_EQ(MC::gComPort, 0);
    EXPECT_TRUE(window->ReShowComPortTimer.isActive());

    // A stored port that is gone is replaced by the first one listed.
    window.reset();
    Platform::SerialPorts::SetGivenPorts(QList<int>{12, 4});
    Load();
    EXPECT_EQ(window->Combo2->currentText(), "COM12");
    EXPECT_EQ(Setting("comPort"), "12");
}

TEST_F(FrmMainTest, ScreenAndRecordBothWays) {
    Load();
    StoreFixed(gProtectInfo.Answer, "Rex");
    StoreFixed(gProtectInfo.NewAnswer, "Max");
    gDealerInfo.BandCode = 8;
    StoreFixed(gDealerInfo.Password, "4321");
    window->ShowByData();
    EXPECT_EQ(window->LineBox(12)->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(window->Command7->isHidden());
    EXPECT_EQ(window->Combo1[1]->currentText(), "136 - 174 MHz");
    StoreFixed(gProtectInfo.Answer, "");
    window->ShowByData();
    EXPECT_EQ(window->LineBox(12)->echoMode(), QLineEdit::Normal);
    EXPECT_TRUE(window->Command7->isHidden());

    // The band and type are set back; the password is compared trimmed.
    window->Combo1[1]->setCurrentIndex(0);
    MC::gRadioPassword = "4321";
    window->LineBox(8)->setText("Dealer 7   ");
    window->Check3->setChecked(true);
    window->GetDataByShow();
    EXPECT_EQ(window->Combo1[1]->currentText(), "136 - 174 MHz");
    EXPECT_EQ(gDealerInfo.BandCode, 8);
    EXPECT_EQ(gDealerInfo.Stun, 1);
    EXPECT_EQ(gDealerInfo.Password.Text(), "4321            ");
    EXPECT_FALSE(ModProtect::gPasswordChanged);
    EXPECT_EQ(FixedValue(gDealerInfo.DealerCode), "Dealer 7");
    window->LineBox(12)->setText("4322");
    window->GetDataByShow();
    EXPECT_TRUE(ModProtect::gPasswordChanged);
    EXPECT_EQ(window->LineBox(8)->maxLength(), 16);
}

TEST_F(FrmMainTest, SerialNumberBoxTakesDigitsOnly) {
    Load();
    window->show();
    QLineEdit* serial = window->LineBox(1);
    serial->setEnabled(true);
    serial->setFocus();
    serial->clear();
    Type(serial, "1A-2");
    EXPECT_EQ(serial->text(), "12");
    Key(serial, Qt::Key_Return, "\r");
    EXPECT_EQ(serial->text(), "12");
    QLineEdit* date = window->LineBox(3);
    date->setEnabled(true);
    date->clear();
    date->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(date->text().isEmpty()); // today's date
}

TEST_F(FrmMainTest, ProtectButtonAndDialogRules) {
    Load();
    StoreFixed(gProtectInfo.Question, "Pet name");
    StoreFixed(gProtectInfo.Answer, "Rex");
    window->ShowByData();
    DialogScript script;
    script.answers = {QString("rex")};
    script.Arm();
    window->Command7->click();
    EXPECT_EQ(script.shown, 1);
    EXPECT_EQ(script.questionsSeen.first(), "Pet name");
    EXPECT_FALSE(window->Command7->isHidden());
    EXPECT_EQ(messages.Count(), 0);
    script.answers = {QString("Rex")};
    script.Arm();
    window->Command7->click();
    EXPECT_TRUE(window->Command7->isHidden());
    EXPECT_EQ(window->LineBox(12)->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(Setting("Answer"), "Rex");
    EXPECT_EQ(Setting("Question"), "Pet name"); // the question the dialog showed

    FrmProtectPassWord dialog;
    dialog.Text1[0]->clear();
    dialog.Text1[1]->clear();
    Type(dialog.Text1[0], "Who?");
    Type(dialog.Text1[1], "a b?");
    EXPECT_EQ(dialog.Text1[0]->text(), "Who");
    EXPECT_EQ(dialog.Text1[1]->text(), "ab");
    dialog.Text1[0]->clear();
    Type(dialog.Text1[0], "0123456789ABCDEFG");
    EXPECT_EQ(dialog.Text1[0]->text(), "0123456789ABCDEF");
}

TEST_F(FrmMainTest, ReadAndProtectedWriteThroughTheWindow) {
    StartRadio();
    radio.SetMemory(0xB3C, "1111");
    radio.SetMemory(0xC00, QByteArray("Pet name\0", 9));
    radio.SetMemory(0xC10, QByteArray("Rex\0", 4));
    Load();
    window->Command1->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(messages.CountOf("Read Complete!"), 1);
    EXPECT_EQ(window->BoxText(1), "2024031500000007");
    EXPECT_EQ(window->Combo1[1]->currentText(), "136 - 174 MHz");
    EXPECT_TRUE(window->Check1->isChecked());
    EXPECT_EQ(window->LineBox(12)->echoMode(), QLineEdit::Password); // no answer typed yet

    // A new password: wrong answer twice, then the right one.
    window->LineBox(12)->setText("2222");
    window->LineBox(8)->setText("D-77");
    DialogScript script;
    script.answers = {QString("rex"), QString("Max"), QString("Rex")};
    script.Arm();
    window->Command2->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(script.shown, 3);
    EXPECT_EQ(messages.CountOf("Write Complete!"), 1);
    EXPECT_EQ(radio.Memory(0xB3C, 4), "2222");
    EXPECT_EQ(radio.Memory(0xCC0, 5), QByteArray("D-77\0", 5));
    EXPECT_EQ(Setting("Question"), "Pet name");
    EXPECT_EQ(Setting("Answer"), "Rex");
    EXPECT_EQ(window->BoxText(1), "2024031500000008");
    EXPECT_TRUE(window->Command7->isHidden());
}

TEST_F(FrmMainTest, MulWriteButtonRunsAndStops) {
    StartRadio();
    Load();
    window->Text2[0]->setText("3");
    window->Command4->click();
    EXPECT_EQ(window->Command4->text(), "Stop &MulWrite");
    EXPECT_FALSE(window->Command1->isEnabled());
    EXPECT_EQ(window->Text2[1]->text(), "1");
    QDeadlineTimer deadline(5000);
    while (MC::gRadioNo < 2 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(window->Label6->text(), "Waitting next...");
    window->Command4->click();
    EXPECT_EQ(MC::gCommState, MC::Idle);
    EXPECT_FALSE(MC::MSComm1().PortOpen());
    EXPECT_EQ(window->Command4->text(), "&MulWrite");
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_EQ(window->Label6->text(), "");
    EXPECT_EQ(radio.CurrentCounters().writeAddresses.size(), 8u);
    EXPECT_EQ(messages.Count(), 0);
}

} // namespace
