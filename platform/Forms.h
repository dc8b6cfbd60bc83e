#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <functional>

// The collection of loaded windows. A window registers itself when it loads
// and leaves when it is destroyed; its object name is its window name
// ("frmCommChInfo", "FrmAlert"). Code below the windows reaches an open window
// through this list and calls its public methods by name, so it never needs the
// window's header.
namespace Platform::Forms {

// Adds a loaded window (its objectName is the window name). The entry goes
// away by itself when the object is destroyed.
void Register(QObject* form);
void Unregister(QObject* form);

// Loaded windows in the order they were loaded.
QList<QObject*> Loaded();

// The first loaded window of that name (names compare without regard to case),
// or nullptr.
QObject* Find(const QString& name);
bool IsLoaded(const QString& name);

// Calls a public method of a window by name. Returns false when the window
// has no such method.
template <typename... Args> bool Call(QObject* form, const char* method, Args&&... args) {
    if (!form) return false;
    return QMetaObject::invokeMethod(form, method, Qt::DirectConnection,
                                     std::forward<Args>(args)...);
}

// Calls the method on every loaded window of that name.
template <typename... Args> void CallAll(const QString& name, const char* method, Args&&... args) {
    for (QObject* form : Loaded())
        if (form->objectName().compare(name, Qt::CaseInsensitive) == 0) Call(form, method, args...);
}

// Runs the validate step of a window: the window commits what its focused
// control holds (its public method "ValidateControls"). Windows without one
// have nothing to commit.
void Validate(QObject* form);

// Loading and showing a child window of the main window by name, and arranging
// the children in cascade, for code that has no window headers. The window
// layer installs the implementation; without one nothing is shown.
struct WindowOps {
    std::function<QObject*(const QString&)> showChild;
    std::function<void()> cascade;
};
void SetWindowOps(WindowOps ops);
QObject* ShowChild(const QString& name);
void CascadeChildren();

} // namespace Platform::Forms
