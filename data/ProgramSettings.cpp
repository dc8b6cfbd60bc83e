#include "data/ProgramSettings.h"

#include "data/ModFunLang.h"
#include "data/ModVerionMana.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

qint16 gCurrentLanguage = 1;
qint16 gPrevLanguage = 1;
bool gFirstRun = false;
qint16 gComPort = 1;
qint16 gHandshaking = 0;
qint16 gStopBit = 1;
qint16 gFactory = 0;
qint16 gFixedPortList = 0;
qint16 gPassWordMode = 0;
QString gProgPassword;
bool gPasswordGiven = false;
bool gMulWriteOn = false;

namespace ModSettings {

namespace {
const QString kSection = QStringLiteral("language");
}

QString SetupFilePath() {
    const QString root = ModVerionMana::GetVersionRoot(Platform::AppPath());
    return Platform::JoinPath(Platform::JoinPath(root, QStringLiteral("language")),
                              QStringLiteral("mysetup.ini"));
}

QString ReadSetupKey(const QString& key) {
    return Platform::GetProfileString(kSection, key, QString(), SetupFilePath(), 512).trimmed();
}

bool WriteSetupKey(const QString& key, const QString& value) {
    const QString path = SetupFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return Platform::WriteProfileString(kSection, key, value, path);
}

bool WriteSetupKey(const QString& key, int value) {
    return WriteSetupKey(key, QString::number(value));
}

bool SaveSetupKeys(const QList<std::pair<QString, int>>& keys) {
    bool saved = true;
    for (const auto& [key, value] : keys)
        saved = WriteSetupKey(key, value) && saved;
    if (saved) return true;
    // The file is replaced through a new file beside it: where the folder
    // takes no new file, the folder is what the user must look at.
    static constexpr auto kTexts = ModFunLang::LangIds(9120, 9122);
    const QString file = SetupFilePath();
    const QString folder = QFileInfo(file).absolutePath();
    QTemporaryFile probe(Platform::JoinPath(folder, QStringLiteral("mysetup.XXXXXX")));
    const bool folderInTheWay = !probe.open();
    Platform::MsgBox(ModFunLang::GetLangText(kTexts[folderInTheWay ? 1 : 0]) + u'\n' +
                         QDir::toNativeSeparators(folderInTheWay ? folder : file),
                     Platform::Mb::OKOnly | Platform::Mb::Exclamation);
    return false;
}

QString SettingFilePath() {
    return Platform::JoinPath(Platform::AppPath(), QStringLiteral("Setting.ini"));
}

void ReadSettingFile() {
    gSavedIdentFlags.fill(0);
    QFile file(SettingFilePath());
    if (!file.open(QIODevice::ReadWrite)) return; // creates a missing file
    const QByteArray bytes = file.read(4);
    if (bytes.size() != 4) return;
    for (int k = 0; k < 4; ++k)
        gSavedIdentFlags[k] = static_cast<quint8>(bytes[k]);
}

bool WriteSettingFile() {
    QFile file(SettingFilePath());
    if (!file.open(QIODevice::ReadWrite)) return false;
    QByteArray bytes(4, '\0');
    for (int k = 0; k < 4; ++k)
        bytes[k] = static_cast<char>(gSavedIdentFlags[k]);
    return file.write(bytes) == 4;
}

QString HelpFileName(int language) {
    return language == 2 ? QStringLiteral("Corvan_C.chm") : QStringLiteral("Corvan_E.chm");
}

QString HelpFilePath() {
    return Platform::JoinPath(Platform::AppPath(), HelpFileName(gCurrentLanguage));
}

void SetLanguageFile(int language) {
    if (language == 1) ModFunLang::gLangFileName = QStringLiteral("english.ini");
    if (language == 2) ModFunLang::gLangFileName = QStringLiteral("chinese.ini");
}

} // namespace ModSettings
