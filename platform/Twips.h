#pragma once

#include <QRect>

namespace Platform {

// The window layouts give their measures in twips (1/1440 inch), drawn for
// screens of 15 twips to the pixel.
constexpr int kTwipsPerPixel = 15;

// A measure in twips as whole pixels, rounded to the nearest.
constexpr int Px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A rectangle given in twips (left, top, width, height) in pixels.
constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

} // namespace Platform
