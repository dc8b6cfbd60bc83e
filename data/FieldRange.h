#pragma once

// The values a field of the configuration holds: 0..max, the values the radio
// image carries and the pages offer. One rule for what a radio or a file
// gives: a value outside reads as def, the field's default; a check box's -1
// (the "true" of older files) reads as on. Values read from the radio's bits
// are never negative, so radio and file take the same value for the same
// number.
struct FieldRange {
    int max;
    int def = 0;
    bool check = false;
};

inline constexpr FieldRange kCheckBox{1, 0, true};

constexpr FieldRange UpTo(int max, int def = 0) {
    return {max, def, false};
}

constexpr int InRange(int value, FieldRange range) {
    if (range.check && value == -1) return 1;
    return value >= 0 && value <= range.max ? value : range.def;
}
