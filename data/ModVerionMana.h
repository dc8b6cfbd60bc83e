#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Data versions: which installed program version handles which data version,
// and starting the matching program version.
namespace ModVerionMana {

inline constexpr const char* kOwnVersion = "V200";

struct TVersionTable {
    QString CurrentVersion;
    QList<QString> SoftVersions;
    QList<QPair<QString, QString>> Pairs; // (program version, data version)
};
extern TVersionTable gVersionTable;

// Reads "Version.ini" of the version root; also stamps the working copy "V200".
void LoadVersionIni();
// The root above the program folder.
QString GetVersionRoot(const QString& programFolder);
QString ParentFolder(const QString& path);
bool IsVersionStamp(const QString& text);
bool IsPairKnown(const QString& programVersion, const QString& dataVersion);
QString SoftForFirm(const QString& dataVersion);
// "V200" is shown as "V2.00".
QString ShowVersion(const QString& stamp);
QString VersionMismatchText(const QString& programVersion, const QString& otherVersion, int kind);

// Starts processes; the programs use QProcess::startDetached, tests a fake.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual bool Start(const QString& path) = 0;
};
void SetProgramStarter(ProgramStarter* starter);

// What happens after the matching version was started: the main window asks
// the save question and ends the program in its normal exit order. Returns
// false when the user cancelled, and this program then goes on.
using EndProgramHook = bool (*)();
void SetEndProgramHook(EndProgramHook hook);

// Starts the program version that handles the data version and ends this one,
// or shows text 9063. False when nothing was started.
bool StartMatchingVersion(const QString& dataVersion);

} // namespace ModVerionMana
