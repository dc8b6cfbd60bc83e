#pragma once

#include "data/RadioData.h"

#include <QString>

// The image side of the radio link's module: clearing the image and the
// encoders that the write session runs through ModCommFun::EncodeImage.
namespace ModComm {

// Sets all of gImage to 0xFF, unless the session is a radio-information
// session (gCommType 3).
void ClearImage();

// Hexadecimal digits of value (upper case), left-padded with "0" to width, or
// cut to the leftmost width digits when longer.
QString HexPad(quint64 value, int width);

// One channel of the table into its slot and the two bitmaps. The channel's
// NoData is recomputed first; a channel without receive frequency or with a
// number outside 1..128 writes nothing.
void EncodeChannel(TChannel& channel);

void EncodeOptionBytes(const std::array<qint16, 6>& keys);
void EncodeOptionBits840(const std::array<quint8, 12>& scan);
void EncodeOptionBits851(const std::array<quint8, 10>& alert);

// The model block: the record first takes the program's model and band.
void EncodeModelInfo(TModelInfo& info);

} // namespace ModComm
