#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <functional>
#include <typeinfo>

// The collection of loaded windows. A window registers itself when it loads
// and leaves when it is destroyed; its object name is its window name
// ("frmCommChInfo", "FrmAlert"). Code below the windows reaches an open window
// through this list and calls it through a small interface that the lower
// layer declares, so it never needs the window's header.
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

// Reports a window that lacks an interface it is asked for. The default logs
// an error; the test programs install a handler that fails the running case.
void ReportWrongReceiver(QObject* form, const char* interfaceName);
using WrongReceiverHandler = std::function<void(const QString& message)>;
void SetWrongReceiverHandler(WrongReceiverHandler handler);

// A loaded window of that name as the typed interface it implements, or
// nullptr when no window of that name is loaded. The windows implement the
// interfaces that the lower layers declare, so a renamed or re-typed method is
// a compile error. A loaded window of that name that lacks the interface is a
// fault of the program: it is reported (see SetWrongReceiverHandler) and
// nullptr is returned.
template <typename T> T* FindAs(const QString& name) {
    QObject* form = Find(name);
    if (!form) return nullptr;
    T* typed = dynamic_cast<T*>(form);
    if (!typed) ReportWrongReceiver(form, typeid(T).name());
    return typed;
}

// Every loaded window of that name, as the interface T.
template <typename T> QList<T*> AllAs(const QString& name) {
    QList<T*> out;
    for (QObject* form : Loaded()) {
        if (form->objectName().compare(name, Qt::CaseInsensitive) != 0) continue;
        if (T* typed = dynamic_cast<T*>(form))
            out.append(typed);
        else
            ReportWrongReceiver(form, typeid(T).name());
    }
    return out;
}

// A window whose focused control may hold what the user typed and has not
// confirmed yet.
class Committing {
public:
    // Writes what the focused control holds into the configuration.
    virtual void ValidateControls() = 0;

protected:
    ~Committing() = default;
};

// Runs the validate step of a window. A window holds typed values when it is
// not a dialog (a dialog takes what was typed with its own buttons) and has a
// text box the user can type into; such a window that is not Committing is a
// fault of the program and is reported as a missing interface is. Any other
// window has nothing to commit.
void Validate(QObject* form);

// Loading and showing a child window of the main window by name, arranging
// the children in cascade and closing the windows of a name, for code that has
// no window headers. The window layer installs the implementation; without
// one nothing is shown or closed.
struct WindowOps {
    std::function<QObject*(const QString&)> showChild;
    std::function<void()> cascade;
    std::function<void(const QString&)> closeAll;
};
void SetWindowOps(WindowOps ops);
QObject* ShowChild(const QString& name);
void CascadeChildren();
void CloseAll(const QString& name);

} // namespace Platform::Forms
