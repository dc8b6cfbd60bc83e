#pragma once

// Stand-ins for the radio image and its codec until the codec lands in data/.
#include "data/RadioData.h"

#include <array>

inline constexpr int kImageSize = 2832;
inline constexpr int kRadioInfoSize = 496;

extern std::array<quint8, kImageSize> gImage;
extern std::array<quint8, kRadioInfoSize> gRadioInfoImage;
extern std::array<quint8, 4> gIdentFlags;
extern std::array<quint8, 4> gSavedIdentFlags;

namespace ModCommFun {
void EncodeImage();
void DecodeImage();
void SplitIdentFlags(std::array<quint8, 4>& saved);
void DecodeRadioInfo(TLocalInfo& info);
} // namespace ModCommFun
