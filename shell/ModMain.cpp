#include "shell/ModMain.h"

#include "channels/ModBatch.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModHabits.h"
#include "data/ModInitV.h"
#include "data/ModTestData.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"
#include "platform/SysLocale.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "platform/widgets/QtTranslations.h"
#include "shell/frmSplash.h"

#include <QDialog>
#include <QPointer>

namespace ModMain {

QChar gSavedDecimalSep = u'.';

namespace {

QPointer<QWidget> gSplash;

// A 16-bit whole number of the settings file, or the default when the key is
// missing, not a number or beyond 16 bits.
int ReadNumber(const QString& key, int defaultValue) {
    const QString text = ModSettings::ReadSetupKey(key);
    if (!Platform::IsNumeric(text)) return defaultValue;
    const long long value = Platform::RoundHalfAway(Platform::Val(text));
    return value >= -32768 && value <= 32767 ? static_cast<int>(value) : defaultValue;
}

int InRange(int value, int low, int high, int defaultValue) {
    return value >= low && value <= high ? value : defaultValue;
}

// The first-run link set-up, modal; it clears gFirstRun when a radio
// answered. A program without it cannot be set up and keeps the flag.

void RunFirstRunSetup() {
    QWidget* form = Platform::Forms::Create(QStringLiteral("LoadFrmLink"));
    if (auto* dialog = qobject_cast<QDialog*>(form)) dialog->exec();
    delete form;
}

// Qt's own dialogs follow the language file in use. Without that file the
// windows would have no texts: the program says so in both languages and
// ends.
bool SettleLanguage() {
    Platform::UseQtLanguage(ModFunLang::gLangFileName == QLatin1String("chinese.ini"));
    if (ModFunLang::LangFileUsable()) return true;
    Platform::MsgBox(ModFunLang::MissingLangFileText(ModFunLang::LangFilePath()),
                     Platform::Mb::OKOnly | Platform::Mb::Critical, QStringLiteral("Corvan"));
    return false;
}

} // namespace

void InitGlobals() {
    if (Platform::SystemDefaultLcid() == Platform::kLcidChineseSimplified) {
        gCurrentLanguage = 2;
        ModFunLang::gLangFileName = QStringLiteral("chinese.ini");
    } else {
        gCurrentLanguage = 1;
        ModFunLang::gLangFileName = QStringLiteral("english.ini");
    }
    gPrevLanguage = gCurrentLanguage;

    gModelName = QStringLiteral("KL740");
    gBandText = QStringLiteral("400 - 480 MHz");
    ModFun::ParseBandLimits();

    gProgPassword.clear();
    gPasswordGiven = false;
    gMulWriteOn = false;
}

bool ReadSetupSettings() {
    gComPort = 1;
    // A missing settings file is a first run.
    gFirstRun = ReadNumber(QStringLiteral("IsFirstRun"), 1) != 0;
    gComPort = static_cast<qint16>(InRange(ReadNumber(QStringLiteral("comPort"), 1), 1, 255, 1));
    gHandshaking =
        static_cast<qint16>(InRange(ReadNumber(QStringLiteral("Handshaking"), 0), 0, 3, 0));
    gStopBit = static_cast<qint16>(InRange(ReadNumber(QStringLiteral("StopBit"), 1), 1, 2, 1));
    gLock = ReadNumber(QStringLiteral("Lock"), 0) != 0 ? 1 : 0;
    gFactory = ReadNumber(QStringLiteral("Factory"), 0) != 0 ? 1 : 0;

    QList<std::pair<QString, int>> keys;
    if (gFirstRun) {
        if (!SettleLanguage()) return false;
        RunFirstRunSetup();
        if (gFirstRun) return false;
        // Without the flag stored every start would ask for the radio again.
        keys.append({QStringLiteral("IsFirstRun"), 0});
    } else {
        // the system's language when no 16-bit number is stored
        gCurrentLanguage =
            static_cast<qint16>(ReadNumber(QStringLiteral("CurrentLanguage"), gCurrentLanguage));
        ModSettings::SetLanguageFile(gCurrentLanguage);
        if (!SettleLanguage()) return false;
    }

    // one message for the whole start
    keys.append({QStringLiteral("comPort"), gComPort});
    keys.append({QStringLiteral("CurrentLanguage"), gCurrentLanguage});
    ModSettings::SaveSetupKeys(keys);
    return true;
}

bool Main() {
    ModVerionMana::LoadVersionIni();
    gHelpOn = true;
    gPassWordMode = 0;
    InitGlobals();
    gSavedDecimalSep = Platform::UsePointDecimalSeparator();
    gFixedPortList = 0; // the port list always comes from the system's ports here

    if (!ReadSetupSettings()) return false;

    // The main window builds the new configuration again when it loads and
    // names a damaged default file then: once is enough.
    ModInitV::NewData(true);

    auto* splash = new frmSplash;
    gSplash = splash;
    splash->show();

    if (gHelpOn) Platform::Help::SetHelpFile(ModSettings::HelpFilePath());
    Platform::SetAppTitle(ModFunLang::GetLangText(12000));

    ModTestData::LoadTestMode();
    ModBatch::LoadBatchFlags();
    ModSettings::ReadSettingFile();
    ModHabits::LoadHabits();
    return true;
}

QWidget* Splash() {
    return gSplash;
}

} // namespace ModMain
