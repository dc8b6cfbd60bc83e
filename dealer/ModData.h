#pragma once

#include "data/FixedText.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <vector>

// The dealer-information area of the radio (addresses 0xB00 to 0xCFF), the
// record the window shows and the map between the two.
namespace Halbrek {

inline constexpr int kAreaStart = 0xB00;
inline constexpr int kAreaEnd = 0xCFF;
inline constexpr int kAreaSize = kAreaEnd - kAreaStart + 1;

struct TRadioInfo {
    qint16 DTMF = 0;
    qint16 Scramble = 0;
    qint16 Stun = 0;
    qint16 Kill = 0;
    qint16 Factory = 0;
    qint16 BandCode = 0;
    FixedText<16> Password;
    FixedText<16> SerialNumber;
    FixedText<16> ProductedDate;
    FixedText<8> BatchNumber;
    FixedText<4> UserCode;
    FixedText<16> MaintainedDate;
    FixedText<16> DealerCode;
    FixedText<16> StockDate;
    FixedText<16> SellDate;
    FixedText<16> Seller;
    FixedText<96> Description;
    QString Version;
    QString RadioType;
    QString AreaCode;
};

struct TProtectInfo {
    FixedText<16> Question;
    FixedText<16> NewQuestion;
    FixedText<8> Answer;
    FixedText<8> NewAnswer;
};

extern TRadioInfo gDealerInfo;
extern TProtectInfo gProtectInfo;
// The byte of radio address A is at index A - 0xB00.
extern std::array<quint8, kAreaSize> gRadioImage;

// How a text field of the area is read.
enum class TextRule {
    ByteByByte, // one character per byte
    Converted,  // the bytes through the ANSI code page
};
// Who writes a field back into the area.
enum class Writer {
    None,
    Dealer,  // EncodeDealerInfo
    Protect, // EncodeProtect
};

// One text field of the area, as the area's map lists it.
struct AreaText {
    int address;
    int width;
    const char* name;
    TextRule rule;
    Writer writer;
    std::function<void(const QString&)> store; // takes the decoded text
    std::function<QString()> value;            // the text to encode (trimmed)
};
// The text fields in address order.
const std::vector<AreaText>& AreaTexts();

// The byte of band code and the flag byte with its bits.
inline constexpr int kBandAddress = 0xB07;
inline constexpr int kFlagsAddress = 0xB0C;
struct AreaFlag {
    int bit;
    qint16 TRadioInfo::*field;
    bool written;
};
const std::vector<AreaFlag>& AreaFlags();

// A fixed-width field takes a value followed by one NUL, padded with blanks
// or cut at the width.
template <std::size_t N> void StoreFixed(FixedText<N>& field, const QString& value) {
    field.AssignWithNul(value);
}
// The value of a fixed-width field (TrimNull of its text).
template <std::size_t N> QString FixedValue(const FixedText<N>& field);

namespace ModData {

void InitDefaults();
void InitMessages();
void DecodeRadioInfo();
void EncodeDealerInfo();
// Writes exactly length bytes from the address on: the text's ANSI bytes,
// cut at length or filled up with zero bytes.
void PutString(qint32 address, const QString& text, qint32 length);

// The byte at a radio address of the area (0 outside).
quint8 ImageByte(int address);
void SetImageByte(int address, quint8 value);
// The bytes of the area from the address on (cut at the area's end).
QByteArray ImageBytes(int address, int length);
void SetImageBytes(int address, const QByteArray& bytes);

// The text of the bytes from the address on, at most width, up to the first
// 0x00 or 0xFF: through the ANSI code page and TrimNull ...
QString ConvertedText(int address, int width);
// ... or one character per byte.
QString ByteText(int address, int width);

} // namespace ModData

} // namespace Halbrek
