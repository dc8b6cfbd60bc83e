#pragma once

#include <QString>
#include <functional>

class QWidget;

// The open and save file dialogs. A filter is written as pairs of description
// and pattern separated by "|" ("Data files (*.dat)|*.dat"). An empty result
// means the user cancelled. Both dialogs start in the folder of initialPath
// (the current file) when it names one that exists, else in the user's home
// folder; never in the process's working folder.
namespace Platform::FileDialogs {

// Decides on the name chosen in a save dialog before the dialog asks whether
// to replace an existing file: false refuses the name (the check has told the
// user why).
using NameCheck = std::function<bool(const QString& path)>;

class Service {
public:
    virtual ~Service() = default;
    virtual QString GetOpenFileName(QWidget* parent, const QString& filter,
                                    const QString& initialPath) = 0;
    // defaultSuffix is added by the dialog when the typed name has none.
    virtual QString GetSaveFileName(QWidget* parent, const QString& filter,
                                    const QString& initialPath, const QString& defaultSuffix) = 0;
    // The same with a check of the chosen name. This default asks the dialog
    // above and gives an empty result for a refused name; the program's own
    // dialog runs the check first and stays open on a refused name.
    virtual QString GetCheckedSaveFileName(QWidget* parent, const QString& filter,
                                           const QString& initialPath, const QString& defaultSuffix,
                                           const NameCheck& check);
};

// Installs the service (not owned); nullptr restores the QFileDialog one.
void SetService(Service* service);

QString GetOpenFileName(QWidget* parent, const QString& filter, const QString& initialPath);
QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                        const QString& defaultSuffix);
QString GetSaveFileName(QWidget* parent, const QString& filter, const QString& initialPath,
                        const QString& defaultSuffix, const NameCheck& check);

// The folder a dialog starts in for the current file initialPath.
QString StartFolder(const QString& initialPath);

// "Data files (*.dat)|*.dat" in the form QFileDialog takes: "Data files (*.dat)".
QString ToQtFilter(const QString& filter);

} // namespace Platform::FileDialogs
