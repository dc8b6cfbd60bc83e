#pragma once

#include <QString>
#include <QWidget>
#include <functional>

// Loading windows by name. Each window type registers how it is made; the main
// window registers where child windows go.
namespace Platform::Forms {

using Factory = std::function<QWidget*()>;

// Registers the maker of the window of that name.
void RegisterFactory(const QString& name, Factory make);
bool HasFactory(const QString& name);
// Forgets the maker of that name (tests).
void UnregisterFactory(const QString& name);
// Forgets every maker (tests).
void UnregisterAllFactories();

// Makes a new window of that name (not shown), or nullptr when no maker is
// registered. The window registers itself in the loaded list when it loads.
QWidget* Create(const QString& name);

// Where child windows are shown, and how they are arranged in cascade. The main
// window installs both; without them a child is shown as a top-level window.
struct ChildHost {
    std::function<void(QWidget*)> show;
    std::function<void()> cascade;
};
void SetChildHost(ChildHost host);
const ChildHost& CurrentChildHost();

} // namespace Platform::Forms
