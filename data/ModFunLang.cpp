#include "data/ModFunLang.h"

#include "platform/App.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>

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

bool LangFileUsable() {
    QFile file(LangFilePath());
    if (!file.open(QIODevice::ReadOnly)) return false;
    file.close();
    return !GetLangText(12000).isEmpty();
}

bool LangFileUsable(int language) {
    const QString inUse = gLangFileName;
    gLangFileName = language == 2 ? QStringLiteral("chinese.ini") : QStringLiteral("english.ini");
    const bool usable = LangFileUsable();
    gLangFileName = inUse;
    return usable;
}

QString MissingLangFileText(const QString& path, bool ending) {
    const QString native = QDir::toNativeSeparators(path);
    if (!ending)
        return QStringLiteral("The language file is missing or cannot be read:\n%1\n"
                              "The program keeps its language.\n\n"
                              "语言文件丢失或无法读取：\n%1\n"
                              "程序保持原来的语言。")
            .arg(native);
    return QStringLiteral("The language file is missing or cannot be read:\n%1\n"
                          "The program cannot show its texts without it and ends. "
                          "Please install the program again.\n\n"
                          "语言文件丢失或无法读取：\n%1\n"
                          "没有该文件，程序无法显示文字，即将退出。请重新安装本程序。")
        .arg(native);
}

QString GetLangText(qint32 n) {
    return Platform::GetProfileString(LangSection(n), QString::number(n), QString(), LangFilePath(),
                                      255)
        .trimmed();
}

} // namespace ModFunLang
