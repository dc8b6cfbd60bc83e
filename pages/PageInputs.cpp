#include "pages/PageInputs.h"

#include "data/widgets/FormHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Pages {

namespace {

bool IsEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

class EnterFilter final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        if (!IsEnter(static_cast<QKeyEvent*>(event))) return false;
        FocusNext(static_cast<QWidget*>(watched));
        return true;
    }
};

class TextKeyFilter final : public QObject {
public:
    TextKeyFilter(QLineEdit* box, std::function<QChar(QChar)> allow, std::function<void()> onEnter)
        : QObject(box), allow_(std::move(allow)), onEnter_(std::move(onEnter)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // a box being destroyed is no longer a QLineEdit
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (!box) return false;
        if (event->type() == QEvent::ShortcutOverride) {
            // the box's own cut, copy and paste keys never reach it
            auto* e = static_cast<QKeyEvent*>(event);
            if (IsClipboardKey(e)) {
                e->accept();
                return true;
            }
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        auto* e = static_cast<QKeyEvent*>(event);
        if (IsClipboardKey(e)) return true;
        if (IsEnter(e)) {
            if (onEnter_) onEnter_();
            FocusNext(box);
            return true;
        }
        const QString text = e->text();
        if (text.size() != 1) return false; // keys without a character: arrows, Delete
        const QChar c = text.at(0);
        if (c.unicode() > 127) return true;
        if (c.unicode() < 32 || c.unicode() == 127) return false; // Backspace and the like
        const QChar typed = allow_ ? allow_(c) : c;
        if (typed.isNull()) return true;
        if (typed == c) return false;
        box->insert(QString(typed));
        return true;
    }

private:
    static bool IsClipboardKey(const QKeyEvent* e) {
        if (!(e->modifiers() & Qt::ControlModifier)) return false;
        return e->key() == Qt::Key_X || e->key() == Qt::Key_V || e->key() == Qt::Key_C;
    }

    std::function<QChar(QChar)> allow_;
    std::function<void()> onEnter_;
};

} // namespace

void FocusNext(QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible() &&
            w->window() == from->window()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void EnterMovesFocus(QWidget* input) {
    input->installEventFilter(new EnterFilter(input));
}

void SetTextKeyRule(QLineEdit* box, std::function<QChar(QChar)> allow,
                    std::function<void()> onEnter) {
    box->installEventFilter(new TextKeyFilter(box, std::move(allow), std::move(onEnter)));
}

void FillList(QComboBox* list, const QStringList& items) {
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

void ChooseEntry(QComboBox* list, int entry) {
    if (entry < -1 || entry >= list->count()) entry = -1;
    if (list->currentIndex() != entry)
        list->setCurrentIndex(entry);
    else
        emit list->currentIndexChanged(entry);
}

void ChooseIndex(QComboBox* list, int index) {
    if (list->count() == 0) return ChooseEntry(list, -1);
    ChooseEntry(list, index >= 0 && index < list->count() ? index : 0);
}

void ChooseText(QComboBox* list, const QString& text) {
    if (list->count() == 0) return ChooseEntry(list, -1);
    ChooseEntry(list, list->findText(ModFun::FindComboItem(list, text),
                                     Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace Pages
