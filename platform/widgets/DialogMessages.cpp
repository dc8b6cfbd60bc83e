#include "platform/widgets/DialogMessages.h"

#include <QApplication>
#include <QMessageBox>

namespace Platform {

namespace {

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int answer;
};

QList<ButtonSpec> ButtonsOf(int style) {
    switch (Mb::Buttons(style)) {
    case Mb::OKCancel:
        return {{QMessageBox::Ok, Mb::IdOK}, {QMessageBox::Cancel, Mb::IdCancel}};
    case Mb::AbortRetryIgnore:
        return {{QMessageBox::Abort, Mb::IdAbort},
                {QMessageBox::Retry, Mb::IdRetry},
                {QMessageBox::Ignore, Mb::IdIgnore}};
    case Mb::YesNoCancel:
        return {{QMessageBox::Yes, Mb::IdYes},
                {QMessageBox::No, Mb::IdNo},
                {QMessageBox::Cancel, Mb::IdCancel}};
    case Mb::YesNo:
        return {{QMessageBox::Yes, Mb::IdYes}, {QMessageBox::No, Mb::IdNo}};
    case Mb::RetryCancel:
        return {{QMessageBox::Retry, Mb::IdRetry}, {QMessageBox::Cancel, Mb::IdCancel}};
    default:
        return {{QMessageBox::Ok, Mb::IdOK}};
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (Mb::Icon(style)) {
    case Mb::Critical:
        return QMessageBox::Critical;
    case Mb::Question:
        return QMessageBox::Question;
    case Mb::Exclamation:
        return QMessageBox::Warning;
    case Mb::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int DialogMessages::Show(const QString& text, int style, const QString& title) {
    const QList<ButtonSpec> buttons = ButtonsOf(style);
    QMessageBox box(IconOf(style), title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    for (const ButtonSpec& b : buttons)
        box.addButton(b.button);
    int defaultIndex = 0;
    if (style & Mb::DefaultButton3)
        defaultIndex = 2;
    else if (style & Mb::DefaultButton2)
        defaultIndex = 1;
    if (defaultIndex < buttons.size()) box.setDefaultButton(buttons[defaultIndex].button);
    // Closing the box with Escape or the title bar answers like its Cancel
    // (or its only button).
    const QMessageBox::StandardButton escape = buttons.size() == 1 ? buttons.front().button
                                               : buttons.back().button == QMessageBox::Cancel
                                                   ? QMessageBox::Cancel
                                                   : QMessageBox::NoButton;
    if (escape != QMessageBox::NoButton) box.setEscapeButton(escape);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const ButtonSpec& b : buttons)
        if (b.button == pressed) return b.answer;
    return buttons.back().answer;
}

} // namespace Platform
