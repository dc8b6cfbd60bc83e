#include "data/widgets/ModRidTextMenu.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace ModRidTextMenu {

namespace {

bool IsPasteKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Insert && (key->modifiers() & Qt::ShiftModifier);
}

// One filter serves every hooked box; a box is hooked while it carries the
// marker property.
class TextMenuFilter final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->property(kMarker).toBool()) return false;
        switch (event->type()) {
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::MiddleButton) return true;
            // the right button's press never arrives; its release does
            return mouse->button() == Qt::RightButton &&
                   event->type() != QEvent::MouseButtonRelease;
        }
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            if (IsPasteKey(static_cast<QKeyEvent*>(event))) {
                event->accept(); // keep a window shortcut from taking it either
                return true;
            }
            return false;
        default:
            return false;
        }
    }
    static constexpr const char* kMarker = "corvanTextMenuHooked";
};

TextMenuFilter* Filter() {
    static QPointer<TextMenuFilter> filter;
    if (!filter) filter = new TextMenuFilter; // lives for the run
    return filter;
}

// Mouse events of a scrolling text box arrive at its viewport.
QList<QObject*> Targets(QWidget* box) {
    QList<QObject*> targets{box};
    if (auto* area = qobject_cast<QAbstractScrollArea*>(box)) targets << area->viewport();
    return targets;
}

} // namespace

int HookTextMenu(QWidget* textBox) {
    if (!textBox) return 0;
    for (QObject* t : Targets(textBox)) {
        t->setProperty(TextMenuFilter::kMarker, true);
        t->removeEventFilter(Filter());
        t->installEventFilter(Filter());
    }
    return 0;
}

int UnhookTextMenu(QWidget* textBox) {
    if (!textBox) return 0;
    for (QObject* t : Targets(textBox)) {
        t->setProperty(TextMenuFilter::kMarker, false);
        t->removeEventFilter(Filter());
    }
    return 0;
}

bool IsHooked(const QWidget* textBox) {
    return textBox && textBox->property(TextMenuFilter::kMarker).toBool();
}

} // namespace ModRidTextMenu
