#pragma once

#include "data/RadioData.h"
#include "data/RadioImage.h"

#include <QByteArray>
#include <random>

// Helpers shared by the image codec tests.
namespace ImageTest {

// Image bytes from..to (inclusive) as a byte array.
inline QByteArray Bytes(int from, int to) {
    return QByteArray(reinterpret_cast<const char*>(gImage.data() + from), to - from + 1);
}
inline QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}
// Writes bytes into gImage at the address.
inline void Put(int address, const QByteArray& bytes) {
    std::copy(bytes.begin(), bytes.end(), gImage.begin() + address);
}

// A table of just these channels (receive frequency code each).
void SetChannels(std::initializer_list<std::pair<int, const char*>> channels);

// A random configuration that the codec can carry, in the form that decoding
// gives back: gEditData, gEditExtraData, gFixedTestFreqs, gModelName and
// gBandText are set.
void RandomConfiguration(std::mt19937& rng);

} // namespace ImageTest
