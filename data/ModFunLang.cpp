#include "data/ModFunLang.h"

#include "platform/App.h"
#include "platform/Profile.h"

namespace ModFunLang {

QString gLangFileName = QStringLiteral("english.ini");

QString LangSection(qint32 n) {
    static const char* const kSections[] = {
        "Msg",    "Menu",  "ToolBar", "Main",    "Model",    "ChannelInfo", "ChannelEdit",
        "Option", "Radio", "DTMF",    "TestFre", "EMG",      "Local",       "Port",
        "Lang",   "About", "KeySet",  "ScanSet", "AlertSet", "CHEdit",      "CHBatch"};
    if (n < 9000) return QStringLiteral("OTHER");
    if (n >= 30000) return QStringLiteral("Others");
    return QString::fromLatin1(kSections[(n - 9000) / 1000]);
}

QString LangFilePath() {
    return Platform::JoinPath(Platform::JoinPath(Platform::AppPath(), QStringLiteral("language")),
                              gLangFileName);
}

QString GetLangText(qint32 n) {
    return Platform::GetProfileString(LangSection(n), QString::number(n), QString(), LangFilePath(),
                                      255)
        .trimmed();
}

} // namespace ModFunLang
