#include "data/ModVerionMana.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/RadioData.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

#include <QProcess>

namespace ModVerionMana {

TVersionTable gVersionTable;

namespace {

class DetachedStarter final : public ProgramStarter {
public:
    bool Start(const QString& path) override { return QProcess::startDetached(path, {}); }
};

DetachedStarter gDetachedStarter;
ProgramStarter* gStarter = &gDetachedStarter;
SwitchHooks gHooks;

// Counts beyond this are not a version table but a damaged file.
constexpr int kMaxVersionEntries = 1000;

QString ReadValue(const QString& section, const QString& key, const QString& path) {
    return ModFun::TrimNull(Platform::GetProfileString(section, key, QString(), path, 512));
}

int ReadCount(const QString& key, const QString& path) {
    const QString text = ReadValue(QStringLiteral("Version"), key, path);
    return qBound(0, static_cast<int>(ModFun::ValOrDefault(text, 0)), kMaxVersionEntries);
}

} // namespace

void LoadVersionIni() {
    const QString path =
        Platform::JoinPath(GetVersionRoot(Platform::AppPath()), QStringLiteral("Version.ini"));
    gVersionTable = TVersionTable{};
    gVersionTable.CurrentVersion =
        ReadValue(QStringLiteral("Version"), QStringLiteral("CurrentVersion"), path).left(4);
    const int softCount = ReadCount(QStringLiteral("SoftVersionCount"), path);
    for (int i = 0; i < softCount; ++i)
        gVersionTable.SoftVersions.append(
            ReadValue(QStringLiteral("Soft"), QStringLiteral("Version%1").arg(i), path));
    const int firmCount = ReadCount(QStringLiteral("FirmVersionCount"), path);
    for (int i = 0; i < firmCount; ++i) {
        const QString entry =
            ReadValue(QStringLiteral("Firm"), QStringLiteral("Firm%1").arg(i), path);
        gVersionTable.Pairs.append({entry.left(4), entry.right(4)});
    }
    gEditData.Version.Assign(QLatin1String(kOwnVersion));
}

QString ParentFolder(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash <= 0) return path;
    return path.left(slash);
}

QString GetVersionRoot(const QString& programFolder) {
    return ParentFolder(programFolder);
}

bool IsVersionStamp(const QString& text) {
    const QString t = ModFun::TrimNull(text);
    return t.size() == 4 && t[0] == u'V' && Platform::IsNumeric(t.mid(1));
}

bool IsPairKnown(const QString& programVersion, const QString& dataVersion) {
    // This program handles its own data version whatever the table says; the
    // table (or its absence) only decides on the other versions.
    if (programVersion == QLatin1String(kOwnVersion) && dataVersion == programVersion) return true;
    for (const auto& pair : gVersionTable.Pairs)
        if (pair.first == programVersion && pair.second == dataVersion) return true;
    return false;
}

QString SoftForFirm(const QString& dataVersion) {
    for (const auto& pair : gVersionTable.Pairs)
        if (pair.second == dataVersion) return pair.first;
    return {};
}

QString ShowVersion(const QString& stamp) {
    return stamp.left(2) + u'.' + stamp.right(2);
}

QString VersionMismatchText(const QString& programVersion, const QString& otherVersion, int kind) {
    QString text = ModFunLang::GetLangText(9062);
    if (kind == 0 || kind == 1)
        text += u'\n' + ModFunLang::GetLangText(kind == 0 ? 9060 : 9064) + u' ' +
                ShowVersion(otherVersion);
    text += u'\n' + ModFunLang::GetLangText(9061) + u' ' + ShowVersion(programVersion);
    return text;
}

void SetProgramStarter(ProgramStarter* starter) {
    gStarter = starter ? starter : &gDetachedStarter;
}

void SetSwitchHooks(SwitchHooks hooks) {
    gHooks = std::move(hooks);
}

SwitchResult StartMatchingVersion(const QString& dataVersion) {
    const QString program = SoftForFirm(dataVersion);
    if (program.isEmpty()) {
        Platform::MsgBox(ModFunLang::GetLangText(9063), Platform::Mb::OKOnly);
        return SwitchResult::NoPair;
    }
    if (gHooks.askSave && !gHooks.askSave()) return SwitchResult::Cancelled;
    const QString path = Platform::JoinPath(
        Platform::JoinPath(GetVersionRoot(Platform::AppPath()), program), Platform::ExeName());
    if (gHooks.closePort) gHooks.closePort();
    if (!gStarter->Start(path)) return SwitchResult::Failed;
    if (gHooks.endProgram) gHooks.endProgram();
    return SwitchResult::Started;
}

} // namespace ModVerionMana
