#include "platform/Forms.h"

#include <QPointer>

namespace Platform::Forms {

namespace {
QList<QPointer<QObject>> gLoaded;
WindowOps gWindowOps;

void Prune() {
    gLoaded.removeIf([](const QPointer<QObject>& p) { return p.isNull(); });
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
    if (form && form->metaObject()->indexOfMethod("ValidateControls()") >= 0)
        QMetaObject::invokeMethod(form, "ValidateControls", Qt::DirectConnection);
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

} // namespace Platform::Forms
