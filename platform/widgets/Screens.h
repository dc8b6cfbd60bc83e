#pragma once

#include <QPoint>
#include <QRect>

namespace Platform {

// The available desktop area (without panels) of the screen that holds the
// point, else of the primary screen; empty without a screen.
QRect AvailableScreenArea(const QPoint& at);

// Tests set the area of a desktop of a given size; an empty rectangle goes
// back to the real screens.
void SetAvailableScreenAreaForTesting(const QRect& area);

} // namespace Platform
