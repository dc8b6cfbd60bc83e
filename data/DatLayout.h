#pragma once

#include "data/Bytes.h"
#include "data/RadioData.h"

#include <QByteArray>

// The packed layout of a ".dat" configuration file: the fields of TRadioData
// in declaration order without gaps, 16-bit little-endian integers and texts
// as their stored bytes.
namespace DatLayout {

inline constexpr int kFileSize = 8597;
inline constexpr int kShortFileSize = 8595; // older files without ProhibitInit
inline constexpr int kChannelSize = 60;
inline constexpr int kExtraFileSize = 5;

const RecordMap<TRadioData>& RadioDataMap();
const RecordMap<TChannel>& ChannelMap();

// The record as the 8,597 bytes of a file.
QByteArray Pack(const TRadioData& data);

// Reads a file's bytes into the record. Only 8,597 and 8,595 bytes are a
// record; any other length returns false and leaves the record untouched. A
// short record reads ProhibitInit as 0.
bool Unpack(QByteArrayView bytes, TRadioData& data);

// The 5-byte side record (version stamp, alert mode).
QByteArray PackExtra(const TExtraData& extra);
bool UnpackExtra(QByteArrayView bytes, TExtraData& extra);

} // namespace DatLayout
