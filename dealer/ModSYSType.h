#pragma once

#include <QString>
#include <QStringList>

// The system check that decides how the port list is made, the port list and
// the tool's own settings file "mysetup.ini" beside the program.
namespace Halbrek::ModSYSType {

// 1 when the port list is the fixed list COM1 to COM256, else 0.
extern int gFixedPortList;

// Decides gFixedPortList. Only one old system needs the fixed list; this one
// always takes the list from the port catalogue.
void CheckSystemType();

// "COM1" to "COM256".
QStringList FixedPortItems();
// "COM" and the number of each port of the system, in the catalogue's order;
// first is the number of the first one, 0 when there is none.
QStringList ListComPorts(int& first);
// The number after "COM" of an item; 0 when there is none.
int PortNumberOf(const QString& item);

QString SettingsPath();

// The settings file holds the port and the stored protect question and
// answer. A missing file is a first run; one that is there but cannot be read
// is reported, in both languages and naming it, and the tool does not start.
// False when it was reported.
bool CheckSettingsFile();
QString ReadSetting(const QString& key);
void WriteSetting(const QString& key, const QString& value);

// The load's part of the settings: the port number (0 when the value is
// missing or no whole number) and the stored question and answer, which
// count as the radio's own until a radio is read.
void LoadSettings();
// Stores the question and answer (the TrimNull forms of the typed pair).
void SaveProtectPair();

} // namespace Halbrek::ModSYSType
