#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QLineEdit;
class QWidget;

// How the inputs of the feature pages take keys and choices.
namespace Pages {

// Enter in a list, a check box or a tab bar moves the focus on, as Tab does.
void EnterMovesFocus(QWidget* input);

// The key rule of a text box: Ctrl+X, Ctrl+V and Ctrl+C and keys above 127 are
// dropped; Enter runs onEnter (when given), moves the focus on and is dropped.
// A printable key goes through allow: it gives the character to type instead
// (an upper-case letter for a lower-case one) or QChar() to drop the key.
// Control keys (Backspace) pass.
void SetTextKeyRule(QLineEdit* box, std::function<QChar(QChar)> allow,
                    std::function<void()> onEnter = {});

// Moves the focus to the next input in tab order.
void FocusNext(QWidget* from);

// Puts the items into a list without raising its choice handling; afterwards
// nothing is chosen.
void FillList(QComboBox* list, const QStringList& items);

// Selections made in code are handled as choices, even when the entry was
// chosen already: the list's currentIndexChanged is raised once.
// ChooseIndex: the entry at the index, else the first; nothing in an empty list.
void ChooseIndex(QComboBox* list, int index);
// ChooseText: the first entry with exactly this text, else the first entry;
// nothing in an empty list.
void ChooseText(QComboBox* list, const QString& text);
// ChooseEntry: exactly this entry (-1: none).
void ChooseEntry(QComboBox* list, int entry);

} // namespace Pages
