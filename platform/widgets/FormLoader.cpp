#include "platform/widgets/FormLoader.h"

#include <QHash>

namespace Platform::Forms {

namespace {
QHash<QString, Factory>& Factories() {
    static QHash<QString, Factory> factories;
    return factories;
}
ChildHost gHost;
} // namespace

void RegisterFactory(const QString& name, Factory make) {
    Factories().insert(name.toLower(), std::move(make));
}

void UnregisterFactory(const QString& name) {
    Factories().remove(name.toLower());
}

void UnregisterAllFactories() {
    Factories().clear();
}

bool HasFactory(const QString& name) {
    return Factories().contains(name.toLower());
}

QWidget* Create(const QString& name) {
    auto it = Factories().constFind(name.toLower());
    return it == Factories().constEnd() ? nullptr : (*it)();
}

void SetChildHost(ChildHost host) {
    gHost = std::move(host);
}

const ChildHost& CurrentChildHost() {
    return gHost;
}

} // namespace Platform::Forms
