#pragma once

class QApplication;

namespace Platform {

// The mouse wheel changes a value only in a control the user has entered.
// A list, a spin box or date edit, or a slider other than a scroll bar takes
// the wheel once the user has clicked into it or into its open list, pressed
// a key in it, or reached it by Tab, Backtab or a shortcut, also when it had
// the focus already, and while it keeps the focus; focus given by the program
// does not count, nor the focus a dialog gives its control when it is shown.
// Elsewhere the wheel goes on to what holds the control, so a page, a scroll
// area or a grid scrolls and no value changes, and the wheel no longer gives
// such a control the focus. Scroll bars, list, tree and table views and
// scroll areas keep the wheel as before.
// Both programs install it once at start, before their first window; the
// rule then holds for every window. Installing it again changes nothing.
void InstallWheelRule(QApplication& app);

} // namespace Platform
