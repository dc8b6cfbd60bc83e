#pragma once

class QWidget;

// Keeps the right mouse button's menu away from chosen text boxes: a window
// hooks each such box when it loads and unhooks it when it unloads. A hooked
// box also refuses drops and pasting with Shift+Insert or the middle button,
// which would otherwise bring in what its menu is kept from offering.
namespace ModRidTextMenu {

// Returns 0, as the window procedures of old did.
int HookTextMenu(QWidget* textBox);
int UnhookTextMenu(QWidget* textBox);

// True while the box is hooked.
bool IsHooked(const QWidget* textBox);

} // namespace ModRidTextMenu
