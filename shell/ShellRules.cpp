#include "shell/ShellRules.h"

#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "link/ModComm.h"
#include "platform/widgets/Help.h"
#include "platform/widgets/QtTranslations.h"

namespace ModSetLanguage {

bool ApplyLanguage(int newLanguage) {
    if (newLanguage <= 0 || newLanguage == gCurrentLanguage) return false;
    gPrevLanguage = gCurrentLanguage;
    gCurrentLanguage = static_cast<qint16>(newLanguage);
    if (gHelpOn) Platform::Help::SetHelpFile(ModSettings::HelpFilePath());
    ModFunLang::gLangFileName =
        gCurrentLanguage == 2 ? QStringLiteral("chinese.ini") : QStringLiteral("english.ini");
    Platform::UseQtLanguage(gCurrentLanguage == 2);
    return true;
}

} // namespace ModSetLanguage

namespace ModSwitches {

bool AskAccessCode(const std::function<void()>& showDialog) {
    ModComm::gAccessCodeBuf.clear();
    gPassWordMode = -1;
    if (showDialog) showDialog();
    const bool match = ModComm::gAccessCodeBuf == QLatin1String(kAccessCode);
    ModComm::gAccessCodeBuf.clear();
    gPassWordMode = 0;
    return match;
}

void ApplyFactory(int newValue) {
    gFactory = newValue != 0 ? 1 : 0;
    ModTestData::SetTestDataMode(newValue != 0);
    ModSettings::SaveSetupKeys({{QStringLiteral("Factory"), gFactory}});
}

void ApplyLock(int newValue) {
    gLock = newValue != 0 ? 1 : 0;
    ModSettings::SaveSetupKeys({{QStringLiteral("Lock"), gLock}});
}

} // namespace ModSwitches

namespace ModMulSet {

qint16 gMulWriteCount = 0;
qint16 gMulWriteRadio = 0;

int FilterKey(int k) {
    if (k == 24 || k == 22 || k == 3) return kDropped; // Ctrl+X, Ctrl+V, Ctrl+C
    if (k == 13) return kMoveOn;
    if (k > 127) return kDropped;
    if (k < 32 || k == 127) return k;
    if ((k >= '0' && k <= '9') || k == '#' || k == '*' || (k >= 'A' && k <= 'D')) return k;
    if (k >= 'a' && k <= 'd') return k - 'a' + 'A';
    return kDropped;
}

bool StartMulWrite(const QString& countText) {
    const QString text = countText.trimmed();
    bool ok = !text.isEmpty();
    for (QChar c : text)
        ok = ok && c >= u'0' && c <= u'9';
    const int count = ok ? text.toInt(&ok) : 0;
    if (!ok || count > 32767) return false;
    gMulWriteCount = static_cast<qint16>(count);
    gMulWriteRadio = 1;
    gMulWriteOn = true;
    return true;
}

} // namespace ModMulSet
