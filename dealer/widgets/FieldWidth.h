#pragma once

#include <QString>

class QLineEdit;

namespace Halbrek {

// Holds a text box to the bytes of its field in the ANSI code page (a Chinese
// character takes two of them on a Chinese system) and to the characters that
// `allowed` matches. Typing, pasting and an input method all end here, so the
// box never shows more than the radio will be sent.
void LimitToField(QLineEdit* box, int width, const QString& allowed = QStringLiteral(".*"));

} // namespace Halbrek
