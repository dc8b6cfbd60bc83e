#include "dealer/widgets/FrmMain.h"
#include "SimRadio.h"
#include "dealer/DealerTexts.h"
#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "dealer/ModSYSType.h"
#include "dealer/widgets/FrmProtectPassWord.h"
#include "platform/Ansi.h"
#include "platform/MsgBox.h"
#include "platform/SysLocale.h"
#include "platform/serial/SerialControl.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
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

const int kTestPort = TestSupport::TestPort();

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
    std::function<void(QWidget* dialog)> onShow; // runs before the answer

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
        if (onShow) onShow(dialog);
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
        Platform::SerialPorts::SetGivenPorts(QList<int>{kTestPort});
    }
    void TearDown() override {
        window.reset();
        radio.Stop();
        Platform::SerialPorts::SetGivenPorts(std::nullopt);
        Platform::SetSystemLcidForTesting(-1);
    }

    void Load() { window = std::make_unique<FrmMain>(); }
    void StartRadio() {
        ASSERT_TRUE(radio.Start(linkDir.path(), kTestPort));
        radio.SetMemory(0xB00, QByteArray("KL740\0\0\x08", 8));
        radio.SetMemory(0xB0C, QByteArray(1, 0x01));
        radio.SetMemory(0xB40, "2024031500000007");
    }
    static bool WaitFor(const std::function<bool()>& condition, int ms = 15000) {
        return TestSupport::WaitFor(condition, ms);
    }
    bool WaitIdle(int ms = 15000) {
        return WaitFor([] { return MC::gCommState == MC::Idle; }, ms);
    }
    void Update(const std::function<void(SimRadio::Setup&)>& change) {
        SimRadio::Setup setup = radio.CurrentSetup();
        change(setup);
        radio.Configure(setup);
    }
    // The radio on the cable is taken off; once the tool has missed it twice,
    // the next one is put on.
    void SwapTo(int next) {
        ASSERT_TRUE(WaitFor([next] { return MC::gRadioNo == next + 1; }));
        Update([](SimRadio::Setup& s) { s.silent = true; });
        ASSERT_TRUE(WaitFor([] { return MC::gTimeoutCount >= 2; }));
        radio.PutOn(next);
        Update([](SimRadio::Setup& s) { s.silent = false; });
    }
    // Writes radios 1 .. count-1 after radio 0 in one multi-write.
    void MulWrite(int count) {
        window->Text2[0]->setText(QString::number(count));
        window->Command4->click();
        for (int next = 1; next < count; ++next)
            SwapTo(next);
        ASSERT_TRUE(WaitIdle());
    }
    QStringList Texts() const {
        QStringList texts;
        for (const auto& m : messages.shown)
            texts << m.text;
        return texts;
    }
    QByteArray Area(int radioIndex) { return radio.MemoryOf(radioIndex, 0xB00, kAreaSize); }
    void Setting(const char* key, const QString& value) {
        ModSYSType::WriteSetting(QLatin1String(key), value);
    }
    QString Setting(const char* key) { return ModSYSType::ReadSetting(QLatin1String(key)); }
    int RightGap(QLabel* label, QWidget* box) { return box->x() - (label->x() + label->width()); }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    TestSupport::LinkFolder linkDir;
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

    // The port goes while the radio's question is open: the session's end
    // closes it, and nothing more is asked or said.
    radio.SetMemory(0xC10, QByteArray("Max\0", 4));
    window->LineBox(12)->setText("3333");
    messages.shown.clear();
    script.answers = {std::nullopt};
    script.onShow = [this](QWidget* dialog) {
        Platform::SerialPorts::SetGivenPorts(QList<int>{});
        window->ReShowComPortTimer_Timer();
        EXPECT_FALSE(dialog->isVisible());
    };
    script.Arm();
    window->Command2->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(script.shown, 4);
    EXPECT_EQ(Texts(), QStringList{"Communication Error!"});
    EXPECT_EQ(radio.Memory(0xB3C, 4), "2222");
}

TEST_F(FrmMainTest, AChineseTextTakesNoMoreBytesThanItsFieldAndIsWrittenAsShown) {
    Platform::SetSystemLcidForTesting(0x804);
    StartRadio();
    Load();
    const QString text = "A" + QString(8, QChar(0x7EA2)); // 17 bytes in GBK
    Type(window->LineBox(8), text);
    const QByteArray shown = Platform::StringToAnsi(window->BoxText(8)) + '\0';
    window->Command2->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(radio.Memory(0xCC0, 16), shown); // "A" and 7 characters: 15 bytes and a zero
}

TEST_F(FrmMainTest, MulWriteButtonRunsAndStops) {
    StartRadio();
    Load();
    window->Text2[0]->setText("3");
    window->Command4->click();
    EXPECT_EQ(window->Command4->text(), "Stop &MulWrite");
    EXPECT_FALSE(window->Command1->isEnabled());
    EXPECT_EQ(window->Text2[1]->text(), "1");
    ASSERT_TRUE(TestSupport::WaitFor([] { return MC::gRadioNo >= 2; }));
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

// Neither the port list nor its refresh moves a session; a port that goes ends it.
TEST_F(FrmMainTest, ASessionKeepsItsPort) {
    StartRadio();
    radio.PutOn(1); // the second radio of the run, not yet written
    radio.PutOn(0);
    SimRadio other;
    ASSERT_TRUE(other.Start(linkDir.path(), kTestPort + 1));
    Platform::SerialPorts::SetGivenPorts(QList<int>{kTestPort, kTestPort + 1});
    Load();
    window->SetBoxText(8, "D-77");
    window->Text2[0]->setText("2");
    for (const QList<int>& ports : {QList<int>{kTestPort + 1, kTestPort}, {kTestPort + 1}}) {
        window->Command4->click();
        ASSERT_TRUE(WaitFor([] { return MC::gRadioNo == 2; }));
        EXPECT_FALSE(window->Combo2->isEnabled());
        Key(window->Combo2, Qt::Key_Down); // the next port
        Platform::SerialPorts::SetGivenPorts(ports);
        window->ReShowComPortTimer_Timer();
        if (ports.size() == 2) SwapTo(1);
        ASSERT_TRUE(WaitIdle());
    }
    EXPECT_EQ(Texts(), QStringList({"MulWrite Complete!", "Communication Error!"}));
    EXPECT_EQ(radio.MemoryOf(1, 0xCC0, 4), "D-77");
    EXPECT_EQ(other.CurrentCounters().handshakes, 0);
}

// Radio k of a batch: its own band, user code, bytes nobody interprets,
// password and protect pair.
void OwnData(SimRadio& radio, int k, const QByteArray& password) {
    radio.PutOn(k);
    radio.SetMemory(0xB00, QByteArray("KL740\0\0", 7) + char(8 + k) + "V200" + char(0x11));
    radio.SetMemory(0xB30, "U00" + QByteArray::number(k) + QByteArray(8, char('a' + k)) +
                               password.leftJustified(4, '\xFF'));
    radio.SetMemory(0xC00, ("Question " + QByteArray::number(k)).leftJustified(16, '\0'));
    radio.SetMemory(0xC10, ("Ans " + QByteArray::number(k)).leftJustified(8, '\0') +
                               QByteArray(8, char(0x30 + k)));
}

QByteArray Field(const QByteArray& text, int width) {
    return text.leftJustified(width, '\0');
}

TEST_F(FrmMainTest, MulWriteLeavesEachRadioItsOwnData) {
    StartRadio();
    Load();
    for (bool readFirst : {false, true}) {
        SCOPED_TRACE(readFirst ? "after a read" : "without a read");
        messages.shown.clear();
        radio.ResetCounters();
        std::array<QByteArray, 3> before;
        for (int k = 2; k >= 0; --k) {
            OwnData(radio, k, "1234");
            before[k] = Area(k);
        }
        if (readFirst) {
            window->Command1->click();
            ASSERT_TRUE(WaitIdle());
            EXPECT_EQ(window->BoxText(7), "U000");
        }
        window->SetBoxText(8, "D-77");
        window->SetBoxText(11, "Lin");
        window->SetBoxText(12, "1234");
        window->Check4->setChecked(true);
        DialogScript unexpected; // a dialog nobody expects is cancelled and counted
        unexpected.answers = {std::nullopt};
        unexpected.Arm();
        MulWrite(3);
        EXPECT_EQ(unexpected.shown, 0);
        EXPECT_EQ(messages.CountOf("MulWrite Complete!"), 1);
        EXPECT_EQ(radio.CurrentCounters().writeAddresses.size(), 24u);
        for (int k = 0; k < 3; ++k) {
            // Only the kill bit and the dealer fields of the screen change.
            QByteArray expected = before[k];
            expected[0x0C] = char(expected[0x0C] | 0x08);
            expected.replace(0x1C0, 64, Field("D-77", 16) + Field("", 32) + Field("Lin", 16));
            EXPECT_EQ(Area(k).toHex(), expected.toHex()) << "radio " << k;
        }
    }
}

TEST_F(FrmMainTest, MulWriteAsksEachRadioItsOwnProtectAnswer) {
    StartRadio();
    Load();
    OwnData(radio, 2, "");     // no password yet: a new pair is asked
    OwnData(radio, 1, "2222"); // answered right
    OwnData(radio, 0, "1111"); // a wrong answer, then Cancel
    const QByteArray keep0 = Area(0);
    window->SetBoxText(12, "9999");
    DialogScript script;
    script.answers = {QString("ans 0"), std::nullopt, QString("Ans 1"), QString("New 2")};
    script.Arm();
    MulWrite(3);
    EXPECT_EQ(script.shown, 4);
    EXPECT_EQ(script.questionsSeen.mid(0, 3),
              QStringList({"Question 0", "Question 0", "Question 1"}));
    EXPECT_EQ(messages.CountOf("Protect PassWord Answer Error!"), 1);
    EXPECT_EQ(messages.CountOf("MulWrite Complete!"), 1);
    // Radio 0 keeps its password and pair; the others take the screen's
    // password, radio 2 with the pair given for it.
    EXPECT_EQ(Area(0).mid(0x30, 16), keep0.mid(0x30, 16));
    EXPECT_EQ(Area(0).mid(0x100, 32), keep0.mid(0x100, 32));
    EXPECT_EQ(radio.MemoryOf(1, 0xB3C, 4), "9999");
    EXPECT_EQ(radio.MemoryOf(1, 0xC10, 8), Field("Ans 1", 8));
    EXPECT_EQ(radio.MemoryOf(2, 0xB3C, 4), "9999");
    EXPECT_EQ(radio.MemoryOf(2, 0xC00, 24), Field("Question 1", 16) + Field("New 2", 8));
    EXPECT_EQ(window->BoxText(12), "9999");
}

// A protect question ending in "WK" whose checksum is 'L': its reply ends
// with the bytes of the handshake answer.
const QByteArray kLikeHandshake = "Last word: h..WK";

// Faults of the radio or the line: a session either stores the data as it
// came, or ends in the communication error with nothing written.
TEST_F(FrmMainTest, SessionsTakeOnlyTheReplyAskedFor) {
    struct Case {
        const char* name;
        bool write;
        int misaddress; // reads of this block bring the next one
        int resend;     // writes of this block get "send again" every time
        const char* message;
        std::vector<int> writes;
        int resendRead = -1;        // reads of this block get "send again" as often as allowed
        bool dataForWrites = false; // write blocks are answered with data, in 1-byte pieces
    };
    const char* const error = "Communication Error!";
    const std::vector<int> all{0xB00, 0xB30, 0xC00, 0xC10, 0xCC0, 0xCD0, 0xCE0, 0xCF0};
    const std::vector<Case> cases{
        {"data like a handshake answer, read", false, -1, -1, "Read Complete!", {}},
        {"data like a handshake answer, write", true, -1, -1, "Write Complete!", all},
        {"misaddressed reply, read", false, 0xB40, -1, error, {}},
        {"misaddressed reply, write", true, 0xB30, -1, error, {}},
        {"endless send again", true, -1, 0xB30, error, {0xB00, 0xB30, 0xB30, 0xB30, 0xB30}},
        {"send again to a read request", false, -1, -1, "Read Complete!", {}, 0xB40},
        {"data answered to a write block", true, -1, -1, error, {0xB00}, -1, true},
    };
    StartRadio();
    Load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        radio.ResetCounters();
        Update([&c](SimRadio::Setup& s) {
            s = {};
            s.misaddressAddress = c.misaddress;
            s.misaddressCount = -1;
            s.resendAddress = c.resend;
            s.resendCount = c.resend < 0 ? 0 : -1;
            s.resendReadAddress = c.resendRead;
            s.resendReadCount = c.resendRead < 0 ? 0 : MC::kMaxResends;
            s.dataForWrites = c.dataForWrites;
            s.splitPieces = c.dataForWrites ? 22 : 1;
        });
        // An area that a write with the empty screen leaves as it is.
        radio.SetMemory(0xB00, QByteArray(kAreaSize, '\0'));
        radio.SetMemory(0xC00, kLikeHandshake);
        const QByteArray before = radio.Memory(0xB00, kAreaSize);
        gRadioImage.fill(0);
        window->ShowByData();
        for (int i : {8, 9, 10, 11, 12})
            window->SetBoxText(i, "");
        (c.write ? window->Command2 : window->Command1)->click();
        ASSERT_TRUE(WaitIdle());
        EXPECT_EQ(Texts(), QStringList{c.message});
        EXPECT_EQ(radio.CurrentCounters().writeAddresses, c.writes);
        EXPECT_EQ(radio.Memory(0xB00, kAreaSize).toHex(), before.toHex());
        if (!c.write && QLatin1String(c.message) == "Read Complete!") {
            EXPECT_EQ(ModData::ImageBytes(0xB00, kAreaSize).toHex(), before.toHex());
        }
        EXPECT_TRUE(window->Command1->isEnabled());
        EXPECT_FALSE(MC::MSComm1().PortOpen());
    }
}

TEST_F(FrmMainTest, OneSessionAtATime) {
    StartRadio();
    Load();
    window->SetBoxText(8, "D-77");
    for (QPushButton* start : {window->Command1, window->Command2, window->Command4}) {
        radio.ResetCounters();
        messages.shown.clear();
        const QByteArray before = radio.Memory(0xB00, kAreaSize);
        window->Text2[0]->setText("1");
        start->click();
        // Every further press while the session runs does nothing.
        EXPECT_FALSE(window->Command1->isEnabled());
        EXPECT_FALSE(window->Command2->isEnabled());
        EXPECT_EQ(window->Command4->isEnabled(), start == window->Command4);
        window->Command1->click();
        window->Command2->click();
        window->Command1_Click();
        window->Command2_Click();
        if (start != window->Command4) window->Command4_Click();
        ASSERT_TRUE(WaitIdle());
        const SimRadio::Counters c = radio.CurrentCounters();
        EXPECT_EQ(c.handshakes, 1);
        EXPECT_EQ(c.reads, start == window->Command1 ? 32 : 4);
        EXPECT_EQ(c.writes, start == window->Command1 ? 0 : 8);
        EXPECT_EQ(messages.Count(), 1);
        if (start == window->Command1) {
            EXPECT_EQ(radio.Memory(0xB00, kAreaSize), before);
        }
        for (QPushButton* b : {window->Command1, window->Command2, window->Command4})
            EXPECT_TRUE(b->isEnabled());
    }
    // Enabled again after a failure too.
    Update([](SimRadio::Setup& s) { s.silent = true; });
    window->Command2->click();
    EXPECT_FALSE(window->Command4->isEnabled());
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(messages.CountOf("Communication Error!"), 1);
    for (QPushButton* b : {window->Command1, window->Command2, window->Command4})
        EXPECT_TRUE(b->isEnabled());
}

TEST_F(FrmMainTest, MulWriteStopsBeforeASerialNumberIsIssuedTwice) {
    StartRadio();
    Load();
    for (int k = 2; k >= 0; --k)
        OwnData(radio, k, "");
    const QByteArray third = Area(2);
    window->SetBoxText(1, "2024031599999998");
    window->SetBoxText(8, "D-77");
    window->Text2[0]->setText("3");
    window->Command4->click();
    SwapTo(1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Texts(),
              QStringList{"Serial Number Overflow! MulWrite stopped before the next radio."});
    EXPECT_EQ(window->BoxText(1), "2024031599999999");
    EXPECT_EQ(window->Command4->text(), "&MulWrite");
    EXPECT_EQ(radio.CurrentCounters().writeAddresses.size(), 16u);
    EXPECT_EQ(radio.MemoryOf(1, 0xCC0, 4), "D-77");
    EXPECT_EQ(Area(2), third);
    EXPECT_FALSE(MC::MSComm1().PortOpen()); // the run does not wait for a third radio
}

// Counts the messages shown while the serial receive event runs.
class InReceiveWatch final : public Platform::MessageService {
public:
    explicit InReceiveWatch(Platform::MessageService* next) : next_(next) {
        Reconnect([this] {
            ++depth_;
            MC::MSComm1_OnComm();
            --depth_;
        });
        Platform::SetMessageService(this);
    }
    ~InReceiveWatch() override {
        Platform::SetMessageService(next_);
        Reconnect([] { MC::MSComm1_OnComm(); });
    }
    int Show(const QString& text, int style, const QString& title) override {
        if (depth_ > 0) ++inside;
        return next_->Show(text, style, title);
    }
    int inside = 0;

private:
    static void Reconnect(const std::function<void()>& handler) {
        QObject::disconnect(&MC::MSComm1(), &Platform::SerialControl::OnComm, nullptr, nullptr);
        QObject::connect(&MC::MSComm1(), &Platform::SerialControl::OnComm, handler);
    }
    Platform::MessageService* next_;
    int depth_ = 0;
};

TEST_F(FrmMainTest, MessagesWaitUntilTheReceiveEventHasReturned) {
    StartRadio();
    radio.SetMemory(0xB3C, "1111");
    radio.SetMemory(0xC10, QByteArray("Rex\0", 4));
    Load();
    InReceiveWatch watch(&messages);
    window->Command1->click();
    ASSERT_TRUE(WaitIdle());
    window->SetBoxText(12, "2222");
    DialogScript script;
    script.answers = {std::nullopt};
    script.Arm();
    window->Command2->click();
    ASSERT_TRUE(WaitIdle());
    window->Text2[0]->setText("1");
    window->Command4->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Texts(), QStringList({"Read Complete!", "Protect PassWord Answer Error!",
                                    "Write Complete!", "MulWrite Complete!"}));
    EXPECT_EQ(watch.inside, 0);
    EXPECT_EQ(radio.Memory(0xB3C, 4), "1111");
}

} // namespace
