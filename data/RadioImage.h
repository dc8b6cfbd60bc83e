#pragma once

#include <QtGlobal>
#include <array>
#include <stdexcept>
#include <string>

// The radio's programmable memory as the link transfers it, and the radio
// information area above it. Index = radio address (the information image:
// radio address - 0xB10). Multi-byte numbers in the radio are big-endian.

inline constexpr int kImageSize = 0xB10;     // radio addresses 0x000-0xB0F
inline constexpr int kRadioInfoBase = 0xB10; // first radio address of the information area
inline constexpr int kRadioInfoSize = 0x1F0; // radio addresses 0xB10-0xCFF

using TRadioImage = std::array<quint8, kImageSize>;
using TRadioInfoImage = std::array<quint8, kRadioInfoSize>;

// The image map: where each area of the configuration lies in the radio.
namespace ImageMap {
inline constexpr int kChannelSlots = 0x000; // 128 slots of 16 bytes, channel n at 16 * (n - 1)
inline constexpr int kChannelSlotSize = 16;
inline constexpr int kPresenceBitmap = 0x800; // bit = 0: channel present
inline constexpr int kScanSkipBitmap = 0x810; // bit = 1: channel skipped by scan
inline constexpr int kBitmapSize = 16;
inline constexpr int kOptions = 0x830;      // optional features and ProhibitInit, 0x830-0x838
inline constexpr int kKeys = 0x83A;         // key settings, 0x83A-0x83F
inline constexpr int kScan = 0x840;         // scan settings, 0x840-0x848
inline constexpr int kDtmfFields = 0x849;   // the nine DTMF fields, 0x849-0x850
inline constexpr int kAlert = 0x851;        // alert settings and alert mode, 0x851-0x858
inline constexpr int kDtmfId = 0x860;       // own ID, ten digits two per byte
inline constexpr int kDtmfIdSize = 5;       //
inline constexpr int kDtmfIdLen = 0x868;    // own ID length
inline constexpr int kDtmfBot = 0x8C0;      // PTT-ID begin of transmission
inline constexpr int kDtmfEot = 0x8D0;      // PTT-ID end of transmission
inline constexpr int kDtmfStun = 0x8E0;     // remote stun
inline constexpr int kDtmfKill = 0x8F0;     // remote kill
inline constexpr int kDtmfCodes = 0x900;    // code memories 1-16, 16 bytes each
inline constexpr int kCodeCellSize = 16;    // 8 digit bytes and the digit count used
inline constexpr int kCodeLengthByte = 8;   // offset of the digit count in a cell
inline constexpr int kTestPairs = 0xA00;    // 16 pairs of 8 bytes: Second, then First
inline constexpr int kTestPairSize = 8;     //
inline constexpr int kTestPairSlots = 16;   // 0-10 editable, 11-15 the fixed factory pairs
inline constexpr int kMessageLines = 0xA80; // four lines of 16 bytes
inline constexpr int kMessageLineSize = 16;
inline constexpr int kModelName = 0xB00; // 7 ASCII bytes, zero-filled
inline constexpr int kModelNameSize = 7;
inline constexpr int kBandCode = 0xB07;
inline constexpr int kDataVersion = 0xB08; // the data version, 4 bytes
inline constexpr char kDataVersionText[] = "V200";
inline constexpr int kIdentFlags = 0xB0C; // bit 3 kill, 2 stun, 1 scramble, 0 DTMF

// The areas that the encoder fills with 0xFF before it writes
// (0xAC0-0xB0F keep what they hold).
inline constexpr int kClearedEnd = 0xAC0;
} // namespace ImageMap

// The radio image that the read and write sessions transfer.
extern TRadioImage gImage;
// The radio information area that the radio-information session reads.
extern TRadioInfoImage gRadioInfoImage;

// Identification flags of the connected radio (kill, stun, scramble, DTMF:
// bits 3, 2, 1, 0 of the identification byte), and their copy kept between
// runs, in which a flag once seen stays set.
extern std::array<quint8, 4> gIdentFlags;
extern std::array<quint8, 4> gSavedIdentFlags;

// The span of width bytes from offset on must lie inside a buffer of size
// bytes; otherwise std::out_of_range is thrown, in every build, and nothing is
// read or written. Addresses come from the image map and from checked channel
// numbers, so such a throw is a fault of the program: the codec's callers
// catch it and drop the whole operation.
inline void CheckSpan(int offset, int width, int size, const char* what) {
    if (offset < 0 || width < 0 || offset > size - width)
        throw std::out_of_range(std::string(what) + ": " + std::to_string(width) + " bytes at " +
                                std::to_string(offset) + " outside " + std::to_string(size));
}

// width bytes of gImage from the address on (checked as above).
inline quint8* ImageAt(int address, int width = 1) {
    CheckSpan(address, width, kImageSize, "radio image");
    return gImage.data() + address;
}
