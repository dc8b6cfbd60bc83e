#pragma once

#include <algorithm>

// The values a field of the configuration holds: 0..max, the values the radio
// image carries and the pages offer. One rule for what a radio or a file
// gives: a number outside the range of a list of numbers is held at the
// nearest end of the range (a time-out timer of 247 s at 240 s, the list's
// last value); a value outside any other list reads as def, the field's
// default; a check box's -1 (the "true" of older files) reads as on. Values
// read from the radio's bits are never negative, so radio and file take the
// same value for the same number.
struct FieldRange {
    int max;
    int def = 0;
    bool check = false;
    bool numeric = false;
};

inline constexpr FieldRange kCheckBox{1, 0, true};

// A list of choices (texts, codes, references).
constexpr FieldRange UpTo(int max, int def = 0) {
    return {max, def, false};
}

// A list of numbers (a level, a time, a count) whose last value is max.
constexpr FieldRange NumbersUpTo(int max) {
    return {max, 0, false, true};
}

constexpr int InRange(int value, FieldRange range) {
    if (range.check && value == -1) return 1;
    if (range.numeric) return std::clamp(value, 0, range.max);
    return value >= 0 && value <= range.max ? value : range.def;
}
