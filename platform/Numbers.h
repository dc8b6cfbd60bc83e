#pragma once

#include <QString>

namespace Platform {

// A text is numeric when, after surrounding blanks are trimmed, it is an
// optional sign followed by digits with at most one "." and at least one digit.
// Nothing else counts: no exponent, no thousands separator, no trailing sign.
bool IsNumeric(const QString& text);

// The value of a numeric text ("." is the decimal separator whatever the
// user's locale); 0 for any text that is not numeric.
double Val(const QString& text);

// Formats a number with a fixed count of decimals and at least minIntDigits
// digits before the point, rounding halves away from zero: FormatFixed(435.1, 5)
// is "435.10000", FormatFixed(5, 5, 2) is "05.00000". A value that rounds to
// zero carries no sign.
QString FormatFixed(double value, int decimals, int minIntDigits = 1);

// Rounds to the nearest whole number, halves away from zero.
long long RoundHalfAway(double value);

} // namespace Platform
