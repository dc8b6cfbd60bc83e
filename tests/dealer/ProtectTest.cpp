#include "dealer/DealerTexts.h"
#include "dealer/ModComm.h"
#include "dealer/ModData.h"
#include "dealer/ModSYSType.h"
#include "platform/SysLocale.h"
#include "tests/support/TestSupport.h"

#include <QList>
#include <gtest/gtest.h>

using namespace Halbrek;
namespace MP = Halbrek::ModProtect;

namespace {

// Answers the protect dialog from a script: each entry is the typed answer,
// or an empty optional for Cancel.
class ScriptedDialogs : public SessionHost {
public:
    QList<std::optional<QString>> script;
    QString typedQuestion = QStringLiteral("Pet name");
    int shown = 0;

    void Show() {
        ++shown;
        MP::gProtectOK = false;
        if (script.isEmpty()) return;
        const auto answer = script.takeFirst();
        if (!answer) return;
        MP::gProtectOK = true;
        StoreFixed(gProtectInfo.NewQuestion, typedQuestion);
        StoreFixed(gProtectInfo.NewAnswer, *answer);
    }
    void GetDataByShow() override {}
    void ShowByData() override {}
    bool NewProtectPassword() override {
        return MP::NewProtectPassword([this] { Show(); });
    }
    bool SetProtectPassword() override {
        return MP::SetProtectPassword([this] { Show(); });
    }
    bool ShowStartMulWrite() override { return false; }
    void ShowRadioNo(int) override {}
    void ShowStatus(const QString&) override {}
};

class ProtectTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::SetSystemLcidForTesting(Platform::kLcidEnglishUs);
        gLanguage = 1;
        ModData::InitDefaults();
        FillProtectTexts();
        gProtectInfo = {};
        Halbrek::ModComm::ResetSession();
        Halbrek::ModComm::SetHost(&dialogs);
    }
    void TearDown() override {
        Halbrek::ModComm::SetHost(nullptr);
        Platform::SetSystemLcidForTesting(-1);
    }

    // The radio's state as the write's read-back leaves it.
    void Radio(const QString& password, const QString& answer) {
        Halbrek::ModComm::gRadioPassword = password;
        Halbrek::ModComm::gRadioHasPassword = !password.isEmpty();
        StoreFixed(gProtectInfo.Question, "Radio question");
        StoreFixed(gProtectInfo.Answer, answer);
        Halbrek::ModComm::gRadioHasAnswer = !answer.isEmpty();
    }
    void Typed(const QString& password) {
        StoreFixed(gDealerInfo.Password, password);
        MP::UpdatePasswordChanged();
    }
    QString Setting(const char* key) { return ModSYSType::ReadSetting(QLatin1String(key)); }

    TestSupport::TempProgram program;
    TestSupport::RecordingMessages messages;
    ScriptedDialogs dialogs;
};

TEST_F(ProtectTest, StoredAnswerLetsThePasswordChangeWithoutADialog) {
    Radio("1111", "Rex");
    StoreFixed(gProtectInfo.NewQuestion, "Pet name");
    StoreFixed(gProtectInfo.NewAnswer, "Rex");
    Typed("2222");
    EXPECT_TRUE(MP::gPasswordChanged);
    EXPECT_FALSE(MP::CheckPasswordChange());
    EXPECT_EQ(dialogs.shown, 0);
    EXPECT_EQ(FixedValue(gDealerInfo.Password), "2222");
    EXPECT_EQ(Setting("Answer"), "Rex");
    EXPECT_EQ(Setting("Question"), "Pet name");
}

TEST_F(ProtectTest, WrongAnswersAreAskedAgainUntilRight) {
    Radio("1111", "Rex");
    Typed("2222");
    dialogs.script = {QString("rex"), QString("Max"), QString("Rex")};
    EXPECT_FALSE(MP::CheckPasswordChange());
    EXPECT_EQ(dialogs.shown, 3);
    EXPECT_EQ(FixedValue(gDealerInfo.Password), "2222");
    EXPECT_EQ(Setting("Answer"), "Rex");
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ProtectTest, WrongAnswerThenCancelKeepsTheRadiosPassword) {
    Radio("1111", "Rex");
    Typed("2222");
    dialogs.script = {QString("Max"), std::nullopt};
    EXPECT_FALSE(MP::CheckPasswordChange());
    EXPECT_EQ(dialogs.shown, 2);
    EXPECT_EQ(FixedValue(gDealerInfo.Password), "1111");
    EXPECT_EQ(messages.CountOf("Protect PassWord Answer Error!"), 1);
    EXPECT_EQ(Setting("Answer"), "");
}

TEST_F(ProtectTest, WhenANewPairIsAsked) {
    Radio("1111", "Rex");
    Typed("1111"); // retyped the radio's own password
    EXPECT_FALSE(MP::gPasswordChanged);
    EXPECT_FALSE(MP::CheckPasswordChange());

    Radio("1111", "");
    Typed(""); // password but no answer, password cleared
    EXPECT_FALSE(MP::CheckPasswordChange());
    MP::EncodeProtect();
    EXPECT_EQ(ModData::ImageBytes(0xB3C, 4), QByteArray(4, '\0'));
    Typed("3333");
    EXPECT_TRUE(MP::CheckPasswordChange());

    Radio("", "");
    Typed("4444");
    EXPECT_TRUE(MP::CheckPasswordChange());
    EXPECT_EQ(dialogs.shown, 0);
}

TEST_F(ProtectTest, NewPairWithEmptyAnswerIsAcceptedButNotStored) {
    dialogs.script = {QString("")};
    EXPECT_TRUE(dialogs.NewProtectPassword());
    EXPECT_EQ(MP::gProtectMode, -1);
    EXPECT_EQ(Setting("Question"), "");
    dialogs.script = {QString("6688")};
    EXPECT_TRUE(dialogs.NewProtectPassword());
    EXPECT_EQ(Setting("Question"), "Pet name");
    EXPECT_EQ(Setting("Answer"), "6688");
    dialogs.script = {std::nullopt};
    EXPECT_FALSE(dialogs.NewProtectPassword());
}

TEST_F(ProtectTest, EncodeProtectFillsPasswordQuestionAndAnswer) {
    gRadioImage.fill(0xFF);
    StoreFixed(gDealerInfo.Password, "12");
    StoreFixed(gProtectInfo.Question, "0123456789ABCDEF");
    StoreFixed(gProtectInfo.Answer, "ok");
    MP::EncodeProtect();
    EXPECT_EQ(ModData::ImageBytes(0xB3C, 4), QByteArray("12\0\0", 4));
    EXPECT_EQ(ModData::ImageBytes(0xC00, 16), "0123456789ABCDEF");
    EXPECT_EQ(ModData::ImageBytes(0xC10, 8), QByteArray("ok") + QByteArray(6, '\0'));
    EXPECT_EQ(ModData::ImageByte(0xC18), 0xFF);
}

} // namespace
