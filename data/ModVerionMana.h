#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

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
// True for a pair of the table, and always for this program's own version.
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

// What the main window does around starting another program version. Each
// hook may be left empty.
struct SwitchHooks {
    // The usual save question for unsaved data; false when the user cancelled
    // (or a save failed), and this program then goes on.
    std::function<bool()> askSave;
    // Closes the serial port if it is open.
    std::function<void()> closePort;
    // Ends this program in its normal exit order (settings written) without
    // asking the save question again.
    std::function<void()> endProgram;
};
void SetSwitchHooks(SwitchHooks hooks);

// Starts the program version that handles the data version and ends this one:
// the save question first, then the other program starts and this one ends.
enum class SwitchResult {
    Started,   // the other version runs; this one is ending
    NoPair,    // no version handles the data version; text 9063 was shown
    Cancelled, // the user kept this program (save question)
    Failed,    // the other program could not be started; the caller reports it
};
SwitchResult StartMatchingVersion(const QString& dataVersion);

} // namespace ModVerionMana
