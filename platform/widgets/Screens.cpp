#include "platform/widgets/Screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace Platform {

namespace {

QRect gTestArea;

} // namespace

QRect AvailableScreenArea(const QPoint& at) {
    if (!gTestArea.isEmpty()) return gTestArea;
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void SetAvailableScreenAreaForTesting(const QRect& area) {
    gTestArea = area;
}

} // namespace Platform
