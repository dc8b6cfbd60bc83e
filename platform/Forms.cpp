#include "platform/Forms.h"

#include <QPointer>
#include <QVariant>

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace Platform::Forms {

namespace {
QList<QPointer<QObject>> gLoaded;
WindowOps gWindowOps;
WrongReceiverHandler gWrongReceiverHandler;

void Prune() {
    gLoaded.removeIf([](const QPointer<QObject>& p) { return p.isNull(); });
}

// This library knows no widget types: a text box is known by its class.
bool HoldsTypedValues(const QObject* form) {
    if (form->inherits("QDialog")) return false;
    for (const QObject* child : form->findChildren<QObject*>())
        if ((child->inherits("QLineEdit") || child->inherits("QPlainTextEdit")) &&
            child->property("enabled").toBool() && !child->property("readOnly").toBool())
            return true;
    return false;
}
} // namespace

void Register(QObject* form) {
    if (!form) return;
    Prune();
    for (const auto& p : gLoaded)
        if (p == form) return;
    gLoaded.append(form);
    QObject::connect(form, &QObject::destroyed, [form] { Unregister(form); });
}

void Unregister(QObject* form) {
    gLoaded.removeIf([form](const QPointer<QObject>& p) { return p.isNull() || p == form; });
}

QList<QObject*> Loaded() {
    Prune();
    QList<QObject*> out;
    for (const auto& p : gLoaded)
        out.append(p.data());
    return out;
}

QObject* Find(const QString& name) {
    for (QObject* form : Loaded())
        if (form->objectName().compare(name, Qt::CaseInsensitive) == 0) return form;
    return nullptr;
}

bool IsLoaded(const QString& name) {
    return Find(name) != nullptr;
}

void Validate(QObject* form) {
    if (auto* committing = dynamic_cast<Committing*>(form))
        committing->ValidateControls();
    else if (form && HoldsTypedValues(form))
        ReportWrongReceiver(form, typeid(Committing).name());
}

void ReportWrongReceiver(QObject* form, const char* interfaceName) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(
        abi::__cxa_demangle(interfaceName, nullptr, nullptr, &status), std::free);
    const QString message =
        QStringLiteral("The window \"%1\" (%2) lacks the interface %3")
            .arg(form->objectName(), QLatin1String(form->metaObject()->className()),
                 QLatin1String(readable ? readable.get() : interfaceName));
    if (gWrongReceiverHandler)
        gWrongReceiverHandler(message);
    else
        qCritical("%s", qUtf8Printable(message));
}

void SetWrongReceiverHandler(WrongReceiverHandler handler) {
    gWrongReceiverHandler = std::move(handler);
}

void SetWindowOps(WindowOps ops) {
    gWindowOps = std::move(ops);
}

QObject* ShowChild(const QString& name) {
    return gWindowOps.showChild ? gWindowOps.showChild(name) : nullptr;
}

void CascadeChildren() {
    if (gWindowOps.cascade) gWindowOps.cascade();
}

void CloseAll(const QString& name) {
    if (gWindowOps.closeAll) gWindowOps.closeAll(name);
}

} // namespace Platform::Forms
