#include "platform/widgets/WheelRule.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QScrollBar>
#include <QWidget>

namespace Platform {

namespace {

// Set on a control while the user has entered it.
constexpr char kEntered[] = "wheelEntered";
constexpr char kRuleName[] = "WheelRule";

bool TakesAValue(const QObject* o) {
    return qobject_cast<const QComboBox*>(o) || qobject_cast<const QAbstractSpinBox*>(o) ||
           (qobject_cast<const QAbstractSlider*>(o) && !qobject_cast<const QScrollBar*>(o));
}

// The control that a click or a key reached: the control itself, or the one
// whose part (a spin box's text, the open list of a combo box) took it.
QWidget* ControlOf(QObject* o) {
    for (; o && o->isWidgetType(); o = o->parent()) {
        if (TakesAValue(o)) return static_cast<QWidget*>(o);
        const auto* w = static_cast<QWidget*>(o);
        if (w->isWindow() && w->windowType() != Qt::Popup) break;
    }
    return nullptr;
}

// Focus that the user moved there.
bool ByTheUser(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

// Focus that leaves for a moment and comes back to the same control: another
// window activated, the control's own list or a menu opened.
bool ForAMoment(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

class WheelRule : public QObject {
public:
    explicit WheelRule(QObject* parent) : QObject(parent) {
        setObjectName(QLatin1String(kRuleName));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            // A click into the control or its open list, or a key pressed in
            // it, enters it also when it had the focus already (the program
            // gave it, or it kept it), so that no focus change comes.
            if (!event->spontaneous()) return false;
            if (QWidget* control = ControlOf(watched); control && control->isEnabled())
                control->setProperty(kEntered, true);
            return false;
        default:
            break;
        }
        if (!watched->isWidgetType() || !TakesAValue(watched)) return false;
        auto* control = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Polish:
            // Qt gives such a control the focus when the wheel passes over it
            // (with the reason of a mouse click); only a click or Tab does now.
            if (control->focusPolicy() == Qt::WheelFocus) control->setFocusPolicy(Qt::StrongFocus);
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            const bool in = event->type() == QEvent::FocusIn;
            // an open list or menu takes the focus into a view of its own
            const bool away = ForAMoment(reason) || (!in && QApplication::activePopupWidget());
            // A dialog being shown sends the control it focuses a FocusIn with
            // the reason of Tab before its window has the focus: only a
            // control that holds the focus now was moved to by the user.
            if (in && ByTheUser(reason) && control->hasFocus())
                control->setProperty(kEntered, true);
            else if (!away)
                control->setProperty(kEntered, QVariant());
            break;
        }
        case QEvent::Wheel:
            if (control->hasFocus() && control->property(kEntered).toBool()) break;
            // Ignored, the application hands the wheel on to the parent.
            event->ignore();
            return true;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void InstallWheelRule(QApplication& app) {
    if (app.findChild<QObject*>(QLatin1String(kRuleName), Qt::FindDirectChildrenOnly)) return;
    app.installEventFilter(new WheelRule(&app));
}

} // namespace Platform
