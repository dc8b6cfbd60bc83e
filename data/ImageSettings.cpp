#include "data/Bytes.h"
#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFun.h"
#include "platform/Ansi.h"

#include <span>

using ModFun::TrimNull;

namespace {

// ---- options, keys, scan, DTMF fields and alert: one table per block ----

// Which setting a row holds.
enum class Setting : quint8 {
    Option,    // TOptFeatures element
    Prohibit,  // ProhibitInit of gEditData
    Key,       // TKeySetting element
    Scan,      // TScanSetting byte
    Dtmf,      // one of the nine TDtmf fields
    Alert,     // TAlertSetting byte
    AlertMode, // AlertMode of gEditExtraData
};

// A field at bits hi..lo of an image byte. It is read back from bits
// readHi..lo; a radio value above max, the last value its page offers, reads
// as def, the field's default.
struct SettingBits {
    int address;
    int hi;
    int lo;
    int readHi;
    Setting setting;
    int index;
    int max;
    int def;
};

constexpr int kAnyByte = 255;

constexpr SettingBits kOptionBits[] = {
    {0x830, 7, 4, 7, Setting::Option, 0, 9, 0},  // squelch level
    {0x831, 7, 6, 7, Setting::Option, 1, 2, 1},  // voice prompt
    {0x831, 5, 3, 5, Setting::Option, 2, 5, 0},  // voice volume
    {0x831, 2, 2, 2, Setting::Option, 10, 1, 0}, // wired clone
    {0x831, 1, 0, 1, Setting::Option, 4, 3, 0},  // battery save
    {0x832, 7, 7, 7, Setting::Option, 5, 1, 0},  // VOX
    {0x832, 6, 6, 6, Setting::Option, 6, 1, 0},  // VOX tone
    {0x832, 5, 5, 5, Setting::Option, 7, 1, 0},  // channel lock
    {0x832, 4, 4, 4, Setting::Option, 8, 1, 0},  // group select
    {0x832, 3, 0, 3, Setting::Option, 9, 10, 0}, // time-out pre-alert
    {0x833, 7, 6, 7, Setting::Option, 3, 3, 3},  // tail elimination
    {0x833, 5, 5, 5, Setting::Option, 11, 1, 0}, // tail elimination without signalling
    {0x833, 4, 4, 4, Setting::Prohibit, 0, 1, 0},
    {0x834, 7, 0, 7, Setting::Option, 12, 240, 0}, // time-out timer
    {0x835, 7, 0, 7, Setting::Option, 13, 60, 0},  // time-out re-key
    {0x836, 7, 0, 7, Setting::Option, 14, 30, 0},  // time-out reset
    {0x837, 7, 4, 7, Setting::Option, 16, 9, 0},   // VOX delay
    {0x837, 3, 0, 3, Setting::Option, 15, 3, 0},   // VOX level
    {0x838, 7, 0, 7, Setting::Option, 17, 8, 0},   // channel group
};

constexpr int kMaxKeyFunction = 22;

constexpr SettingBits kKeyBytes[] = {
    {0x83A, 7, 0, 7, Setting::Key, 0, 25, 10},             // long-press time
    {0x83B, 7, 0, 7, Setting::Key, 1, 25, 10},             // emergency long-press time
    {0x83C, 7, 0, 7, Setting::Key, 2, kMaxKeyFunction, 0}, // PF1 long
    {0x83D, 7, 0, 7, Setting::Key, 3, kMaxKeyFunction, 0}, // PF1 short
    {0x83E, 7, 0, 7, Setting::Key, 4, kMaxKeyFunction, 0}, // PF2 long
    {0x83F, 7, 0, 7, Setting::Key, 5, kMaxKeyFunction, 0}, // PF2 short
};

constexpr int kMaxGroup = 8;
constexpr int kMaxScanTime = 50; // tenths of a second
constexpr int kMaxPosition = 16;

constexpr SettingBits kScanBits[] = {
    {0x840, 7, 7, 7, Setting::Scan, 0, 1, 0},             // scan mode
    {0x840, 6, 6, 6, Setting::Scan, 7, 1, 0},             // scan tone
    {0x840, 5, 4, 5, Setting::Scan, 1, 3, 0},             // priority mode
    {0x840, 2, 0, 2, Setting::Scan, 2, 7, 0},             // revert option
    {0x841, 7, 0, 7, Setting::Scan, 8, kMaxGroup, 0},     // PRI1 group
    {0x842, 7, 0, 7, Setting::Scan, 9, kMaxPosition, 0},  // PRI1 position
    {0x843, 7, 0, 7, Setting::Scan, 10, kMaxGroup, 0},    // PRI2 group
    {0x844, 7, 0, 7, Setting::Scan, 11, kMaxPosition, 0}, // PRI2 position
    {0x845, 7, 0, 7, Setting::Scan, 3, kMaxScanTime, 0},  // look-back A
    {0x846, 7, 0, 7, Setting::Scan, 4, kMaxScanTime, 0},  // look-back B
    {0x847, 7, 0, 7, Setting::Scan, 5, kMaxScanTime, 0},  // receive resume delay
    {0x848, 7, 0, 7, Setting::Scan, 6, kMaxScanTime, 0},  // transmit resume delay
};

constexpr SettingBits kDtmfBits[] = {
    {0x849, 7, 0, 7, Setting::Dtmf, 0, 10, 0}, // transmit rate
    {0x84A, 7, 0, 7, Setting::Dtmf, 1, 20, 0}, // first-digit time
    {0x84B, 7, 0, 7, Setting::Dtmf, 2, 50, 0}, // first-digit delay
    {0x84C, 7, 0, 7, Setting::Dtmf, 3, 20, 0}, // "*" and "#" tone time
    {0x84D, 7, 0, 7, Setting::Dtmf, 4, 16, 0}, // D key
    {0x84E, 7, 7, 7, Setting::Dtmf, 5, 1, 0},  // side tone
    {0x84E, 5, 4, 5, Setting::Dtmf, 6, 2, 0},  // call alert or auto answer
    {0x84F, 7, 0, 3, Setting::Dtmf, 7, 6, 0},  // group code
    {0x850, 7, 0, 7, Setting::Dtmf, 8, 15, 0}, // auto reset
};

constexpr SettingBits kAlertBits[] = {
    {0x851, 4, 4, 4, Setting::AlertMode, 0, 1, 1},
    {0x851, 3, 3, 3, Setting::Alert, 6, 1, 0},              // channel select
    {0x851, 2, 2, 2, Setting::Alert, 1, 1, 0},              // ID code type
    {0x851, 1, 0, 1, Setting::Alert, 0, 3, 0},              // alarm type
    {0x852, 7, 0, 7, Setting::Alert, 7, kMaxGroup, 0},      // emergency channel group
    {0x853, 7, 0, 7, Setting::Alert, 8, kMaxPosition, 0},   // emergency channel position
    {0x854, 7, 0, 7, Setting::Alert, 2, kDtmfCodeCount, 0}, // ID code memory
    {0x855, 7, 0, 7, Setting::Alert, 3, kAnyByte, 0},       // alarm time
    {0x856, 7, 0, 7, Setting::Alert, 4, kAnyByte, 0},       // transmit time
    {0x857, 7, 0, 7, Setting::Alert, 5, kAnyByte, 0},       // receive time
    {0x858, 7, 0, 7, Setting::Alert, 9, kAnyByte, 0},       // period
};

// The settings a table row reads from or writes into.
struct SettingRecords {
    std::array<qint16, 18>* options = nullptr;
    std::array<qint16, 6>* keys = nullptr;
    std::array<quint8, 12>* scan = nullptr;
    std::array<qint16, 9>* dtmf = nullptr;
    std::array<quint8, 10>* alert = nullptr;
};

int GetSetting(const SettingRecords& r, const SettingBits& f) {
    const auto i = static_cast<std::size_t>(f.index);
    switch (f.setting) {
    case Setting::Option:
        return (*r.options)[i];
    case Setting::Prohibit:
        return gEditData.ProhibitInit;
    case Setting::Key:
        return (*r.keys)[i];
    case Setting::Scan:
        return (*r.scan)[i];
    case Setting::Dtmf:
        return (*r.dtmf)[i];
    case Setting::Alert:
        return (*r.alert)[i];
    case Setting::AlertMode:
        return gEditExtraData.AlertMode;
    }
    return 0;
}

void SetSetting(const SettingRecords& r, const SettingBits& f, int value) {
    const auto i = static_cast<std::size_t>(f.index);
    switch (f.setting) {
    case Setting::Option:
        (*r.options)[i] = static_cast<qint16>(value);
        return;
    case Setting::Prohibit:
        gEditData.ProhibitInit = static_cast<qint16>(value);
        return;
    case Setting::Key:
        (*r.keys)[i] = static_cast<qint16>(value);
        return;
    case Setting::Scan:
        (*r.scan)[i] = static_cast<quint8>(value);
        return;
    case Setting::Dtmf:
        (*r.dtmf)[i] = static_cast<qint16>(value);
        return;
    case Setting::Alert:
        (*r.alert)[i] = static_cast<quint8>(value);
        return;
    case Setting::AlertMode:
        gEditExtraData.AlertMode = static_cast<quint8>(value);
        return;
    }
}

// Each byte of the block is the sum of its fields at their bits; the bits no
// field uses are 0.
void EncodeBlock(std::span<const SettingBits> table, const SettingRecords& r) {
    for (const SettingBits& f : table)
        *ImageAt(f.address) = 0;
    for (const SettingBits& f : table) {
        quint8* p = ImageAt(f.address);
        *p = Bytes::SetBits(*p, f.hi, f.lo, GetSetting(r, f));
    }
}

void DecodeBlock(std::span<const SettingBits> table, const SettingRecords& r) {
    for (const SettingBits& f : table) {
        const int v = Bytes::GetBits(*ImageAt(f.address), f.readHi, f.lo);
        SetSetting(r, f, v <= f.max ? v : f.def);
    }
}

// ---- DTMF own ID and code cells ----

constexpr int kIdDigits = 10;
constexpr int kMinIdLen = 3;
constexpr int kDefaultIdLen = 3;
constexpr int kMaxCodeDigits = 16;

int IdLength(int len) {
    return len >= kMinIdLen && len <= kIdDigits ? len : kDefaultIdLen;
}

// The 20 code cells in the order they are sent.
struct CodeCell {
    int address;
    TDtmfCode* code;
};
std::array<CodeCell, 4 + kDtmfCodeCount> CodeCells(TDtmf& d) {
    std::array<CodeCell, 4 + kDtmfCodeCount> cells{{
        {ImageMap::kDtmfBot, &d.Bot},
        {ImageMap::kDtmfEot, &d.Eot},
        {ImageMap::kDtmfStun, &d.Stun},
        {ImageMap::kDtmfKill, &d.Kill},
    }};
    for (int k = 0; k < kDtmfCodeCount; ++k)
        cells[static_cast<std::size_t>(4 + k)] = {ImageMap::kDtmfCodes +
                                                      ImageMap::kCodeCellSize * k,
                                                  &d.Codes[static_cast<std::size_t>(k)]};
    return cells;
}

// ---- message lines ----

// The single-byte code of a character; "?" for one the code page has only
// as two bytes or not at all.
quint8 AnsiByte(QChar c) {
    const QByteArray b = Platform::StringToAnsi(QString(c));
    return b.size() == 1 ? static_cast<quint8>(b[0]) : static_cast<quint8>('?');
}

} // namespace

namespace ModComm {

void EncodeOptionBytes(const std::array<qint16, 6>& keys) {
    auto copy = keys; // encoding only reads it
    EncodeBlock(kKeyBytes, {.keys = &copy});
}

void EncodeOptionBits840(const std::array<quint8, 12>& scan) {
    auto copy = scan; // encoding only reads it
    EncodeBlock(kScanBits, {.scan = &copy});
}

void EncodeOptionBits851(const std::array<quint8, 10>& alert) {
    auto copy = alert; // encoding only reads it
    EncodeBlock(kAlertBits, {.alert = &copy});
}

} // namespace ModComm

namespace ModCommFun {

void EncodeOptions(const TSettings& s) {
    EncodeOptions830(s.OptFeatures);
    EncodeDTMF(s.Dtmf);
    EncodeEmbMsg(s.EmbMsg);
    ModComm::EncodeOptionBytes(s.Keys);
    ModComm::EncodeOptionBits840(s.Scan);
    ModComm::EncodeOptionBits851(s.Alert);
}

void DecodeOptions(TSettings& s) {
    DecodeOptions830(s.OptFeatures);
    DecodeDTMF(s.Dtmf);
    DecodeEmbMsg(s.EmbMsg);
    DecodeOptionBytes(s.Keys);
    DecodeOptionBits840(s.Scan);
    DecodeOptionBits851(s.Alert);
}

void EncodeOptions830(const std::array<qint16, 18>& options) {
    auto copy = options; // encoding only reads it
    EncodeBlock(kOptionBits, {.options = &copy});
}
void DecodeOptions830(std::array<qint16, 18>& options) {
    DecodeBlock(kOptionBits, {.options = &options});
}
void DecodeOptionBytes(std::array<qint16, 6>& keys) {
    DecodeBlock(kKeyBytes, {.keys = &keys});
}
void DecodeOptionBits840(std::array<quint8, 12>& scan) {
    DecodeBlock(kScanBits, {.scan = &scan});
}
void DecodeOptionBits851(std::array<quint8, 10>& alert) {
    DecodeBlock(kAlertBits, {.alert = &alert});
}

void EncodeDTMF(const TDtmf& dtmf) {
    TDtmf d = dtmf; // the record itself is not changed
    EncodeBlock(kDtmfBits, {.dtmf = &d.Fields});

    const int len = IdLength(d.IdLen);
    const QString id =
        TrimNull(d.Id.Text()).left(len).leftJustified(len, u'0').leftJustified(kIdDigits, u'0');
    Bytes::PutHexDigits(ImageAt(ImageMap::kDtmfId, ImageMap::kDtmfIdSize), ImageMap::kDtmfIdSize,
                        id);
    *ImageAt(ImageMap::kDtmfIdLen) = static_cast<quint8>(len);

    for (const CodeCell& cell : CodeCells(d))
        EncodeCodeDigits(*cell.code, cell.address);
}

void DecodeDTMF(TDtmf& d) {
    DecodeBlock(kDtmfBits, {.dtmf = &d.Fields});

    const int len = IdLength(*ImageAt(ImageMap::kDtmfIdLen));
    d.IdLen = static_cast<qint16>(len);
    const QString id =
        Bytes::HexDigits(ImageAt(ImageMap::kDtmfId, ImageMap::kDtmfIdSize), ImageMap::kDtmfIdSize);
    d.Id.AssignWithNul(id.left(len));

    for (const CodeCell& cell : CodeCells(d))
        DecodeCodeDigits(*cell.code, cell.address);
}

void EncodeCodeDigits(const TDtmfCode& code, int cellAddress) {
    quint8* cell = ImageAt(cellAddress, ImageMap::kCodeCellSize);
    int n = code.Len >= 0 && code.Len <= kMaxCodeDigits ? code.Len : 0;
    QString text = ModFun::DtmfTextToCode(TrimNull(code.Digits.Text()));
    if (text.size() < n) text = text.leftJustified(n, u'0');
    cell[ImageMap::kCodeLengthByte] = static_cast<quint8>(n);
    if (n % 2 != 0) {
        text += u'0';
        ++n;
    }
    Bytes::PutHexDigits(cell, n / 2, text);
}

void DecodeCodeDigits(TDtmfCode& code, int cellAddress) {
    const quint8* cell = ImageAt(cellAddress, ImageMap::kCodeCellSize);
    int n = cell[ImageMap::kCodeLengthByte];
    if (n > kMaxCodeDigits) n = 0;
    code.Len = static_cast<qint16>(n);
    code.Digits.AssignWithNul(ModFun::DtmfCodeToText(Bytes::HexDigits(cell, (n + 1) / 2).left(n)));
}

void EncodeTestFreqs(const TTestFre& pair, int slot) {
    if (slot < 0 || slot >= ImageMap::kTestPairSlots) return;
    const int base = ImageMap::kTestPairs + ImageMap::kTestPairSize * slot;
    const auto put = [](const FixedText<8>& field, int address) {
        QString text = TrimNull(field.Text());
        text = text.isEmpty() ? QStringLiteral("FFFFFFFF") : text.leftJustified(8, u'0');
        Bytes::PutHexDigits(ImageAt(address, 4), 4, text);
    };
    put(pair.Second, base);
    put(pair.First, base + 4);
}

void DecodeTestFreqs(TTestFre& pair, int slot) {
    if (slot < 0 || slot >= ImageMap::kTestPairSlots) return;
    const int base = ImageMap::kTestPairs + ImageMap::kTestPairSize * slot;
    // A code that is not eight decimal digits (never programmed, all zero or
    // damaged) reads as no frequency.
    const auto get = [](int address) {
        const QString code = Bytes::HexDigits(ImageAt(address, 4), 4);
        return code == QLatin1String("00000000") || !Bytes::IsDecimalDigits(code)
                   ? QStringLiteral("FFFFFFFF")
                   : code;
    };
    pair.Second.Assign(get(base));
    pair.First.Assign(get(base + 4));
}

void EncodeEmbMsg(const std::array<FixedText<16>, 4>& lines) {
    for (std::size_t k = 0; k < lines.size(); ++k) {
        quint8* p =
            ImageAt(ImageMap::kMessageLines + ImageMap::kMessageLineSize * static_cast<int>(k),
                    ImageMap::kMessageLineSize);
        const QString text = TrimNull(lines[k].Text());
        for (int i = 0; i < ImageMap::kMessageLineSize; ++i)
            p[i] = i < text.size() ? AnsiByte(text[i]) : 0x00;
    }
}

void DecodeEmbMsg(std::array<FixedText<16>, 4>& lines) {
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const quint8* p =
            ImageAt(ImageMap::kMessageLines + ImageMap::kMessageLineSize * static_cast<int>(k),
                    ImageMap::kMessageLineSize);
        // Up to the first 0xFF, one character per byte, cut at the first NUL,
        // trailing blanks removed.
        const int n = Bytes::LengthBefore(p, ImageMap::kMessageLineSize, 0xFF, 0x00);
        QString text;
        for (int i = 0; i < n; ++i)
            text += Platform::AnsiToString(QByteArray(1, static_cast<char>(p[i])));
        while (text.endsWith(u' '))
            text.chop(1);
        lines[k].AssignWithNul(text);
    }
}

} // namespace ModCommFun
