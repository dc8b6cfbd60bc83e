#include "data/Bytes.h"
#include "data/FieldRange.h"
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
    Prohibit,  // ProhibitInit
    Key,       // TKeySetting element
    Scan,      // TScanSetting byte
    Dtmf,      // one of the nine TDtmf fields
    Alert,     // TAlertSetting byte
    AlertMode, // AlertMode of the side record
};

// A field at bits hi..lo of an image byte. It is read back from bits
// readHi..lo; a radio value beyond the values its page offers is taken by the
// rule of its range (FieldRange).
struct SettingBits {
    int address;
    int hi;
    int lo;
    int readHi;
    Setting setting;
    int index;
    FieldRange range;
};

constexpr int kAnyByte = 255;

constexpr SettingBits kOptionBits[] = {
    {0x830, 7, 4, 7, Setting::Option, 0, NumbersUpTo(9)},  // squelch level
    {0x831, 7, 6, 7, Setting::Option, 1, UpTo(2, 1)},      // voice prompt
    {0x831, 5, 3, 5, Setting::Option, 2, NumbersUpTo(5)},  // voice volume
    {0x831, 2, 2, 2, Setting::Option, 10, kCheckBox},      // wired clone
    {0x831, 1, 0, 1, Setting::Option, 4, UpTo(3)},         // battery save
    {0x832, 7, 7, 7, Setting::Option, 5, kCheckBox},       // VOX
    {0x832, 6, 6, 6, Setting::Option, 6, kCheckBox},       // VOX tone
    {0x832, 5, 5, 5, Setting::Option, 7, kCheckBox},       // channel lock
    {0x832, 4, 4, 4, Setting::Option, 8, kCheckBox},       // group select
    {0x832, 3, 0, 3, Setting::Option, 9, NumbersUpTo(10)}, // time-out pre-alert
    {0x833, 7, 6, 7, Setting::Option, 3, UpTo(3, 3)},      // tail elimination
    {0x833, 5, 5, 5, Setting::Option, 11, kCheckBox},      // tail elimination without signalling
    {0x833, 4, 4, 4, Setting::Prohibit, 0, kCheckBox},
    {0x834, 7, 0, 7, Setting::Option, 12, NumbersUpTo(240)}, // time-out timer
    {0x835, 7, 0, 7, Setting::Option, 13, NumbersUpTo(60)},  // time-out re-key
    {0x836, 7, 0, 7, Setting::Option, 14, NumbersUpTo(30)},  // time-out reset
    {0x837, 7, 4, 7, Setting::Option, 16, NumbersUpTo(9)},   // VOX delay
    {0x837, 3, 0, 3, Setting::Option, 15, NumbersUpTo(3)},   // VOX level
    {0x838, 7, 0, 7, Setting::Option, 17, NumbersUpTo(8)},   // channel group
};

constexpr int kMaxKeyFunction = 22;

constexpr SettingBits kKeyBytes[] = {
    {0x83A, 7, 0, 7, Setting::Key, 0, NumbersUpTo(25)},       // long-press time
    {0x83B, 7, 0, 7, Setting::Key, 1, NumbersUpTo(25)},       // emergency long-press time
    {0x83C, 7, 0, 7, Setting::Key, 2, UpTo(kMaxKeyFunction)}, // PF1 long
    {0x83D, 7, 0, 7, Setting::Key, 3, UpTo(kMaxKeyFunction)}, // PF1 short
    {0x83E, 7, 0, 7, Setting::Key, 4, UpTo(kMaxKeyFunction)}, // PF2 long
    {0x83F, 7, 0, 7, Setting::Key, 5, UpTo(kMaxKeyFunction)}, // PF2 short
};

constexpr int kMaxGroup = 8;
constexpr int kMaxScanTime = 50; // tenths of a second
constexpr int kMaxPosition = 16;

constexpr SettingBits kScanBits[] = {
    {0x840, 7, 7, 7, Setting::Scan, 0, UpTo(1)},                   // scan mode
    {0x840, 6, 6, 6, Setting::Scan, 7, kCheckBox},                 // scan tone
    {0x840, 5, 4, 5, Setting::Scan, 1, UpTo(3)},                   // priority mode
    {0x840, 2, 0, 2, Setting::Scan, 2, UpTo(7)},                   // revert option
    {0x841, 7, 0, 7, Setting::Scan, 8, UpTo(kMaxGroup)},           // PRI1 group
    {0x842, 7, 0, 7, Setting::Scan, 9, UpTo(kMaxPosition)},        // PRI1 position
    {0x843, 7, 0, 7, Setting::Scan, 10, UpTo(kMaxGroup)},          // PRI2 group
    {0x844, 7, 0, 7, Setting::Scan, 11, UpTo(kMaxPosition)},       // PRI2 position
    {0x845, 7, 0, 7, Setting::Scan, 3, NumbersUpTo(kMaxScanTime)}, // look-back A
    {0x846, 7, 0, 7, Setting::Scan, 4, NumbersUpTo(kMaxScanTime)}, // look-back B
    {0x847, 7, 0, 7, Setting::Scan, 5, NumbersUpTo(kMaxScanTime)}, // receive resume delay
    {0x848, 7, 0, 7, Setting::Scan, 6, NumbersUpTo(kMaxScanTime)}, // transmit resume delay
};

constexpr SettingBits kDtmfBits[] = {
    {0x849, 7, 0, 7, Setting::Dtmf, 0, NumbersUpTo(10)}, // transmit rate
    {0x84A, 7, 0, 7, Setting::Dtmf, 1, NumbersUpTo(20)}, // first-digit time
    {0x84B, 7, 0, 7, Setting::Dtmf, 2, NumbersUpTo(50)}, // first-digit delay
    {0x84C, 7, 0, 7, Setting::Dtmf, 3, NumbersUpTo(20)}, // "*" and "#" tone time
    {0x84D, 7, 0, 7, Setting::Dtmf, 4, NumbersUpTo(16)}, // D key
    {0x84E, 7, 7, 7, Setting::Dtmf, 5, kCheckBox},       // side tone
    {0x84E, 5, 4, 5, Setting::Dtmf, 6, UpTo(2)},         // call alert or auto answer
    {0x84F, 7, 0, 3, Setting::Dtmf, 7, UpTo(6)},         // group code
    {0x850, 7, 0, 7, Setting::Dtmf, 8, NumbersUpTo(15)}, // auto reset
};

constexpr SettingBits kAlertBits[] = {
    {0x851, 4, 4, 4, Setting::AlertMode, 0, UpTo(1, 1)},
    {0x851, 3, 3, 3, Setting::Alert, 6, UpTo(1)},              // channel select
    {0x851, 2, 2, 2, Setting::Alert, 1, UpTo(1)},              // ID code type
    {0x851, 1, 0, 1, Setting::Alert, 0, UpTo(3)},              // alarm type
    {0x852, 7, 0, 7, Setting::Alert, 7, UpTo(kMaxGroup)},      // emergency channel group
    {0x853, 7, 0, 7, Setting::Alert, 8, UpTo(kMaxPosition)},   // emergency channel position
    {0x854, 7, 0, 7, Setting::Alert, 2, UpTo(kDtmfCodeCount)}, // ID code memory
    {0x855, 7, 0, 7, Setting::Alert, 3, UpTo(kAnyByte)},       // alarm time
    {0x856, 7, 0, 7, Setting::Alert, 4, UpTo(kAnyByte)},       // transmit time
    {0x857, 7, 0, 7, Setting::Alert, 5, UpTo(kAnyByte)},       // receive time
    {0x858, 7, 0, 7, Setting::Alert, 9, UpTo(kAnyByte)},       // period
};

// The settings a table row reads from or writes into; a row whose record is
// not given is left out.
struct SettingRecords {
    std::array<qint16, 18>* options = nullptr;
    qint16* prohibit = nullptr; // ProhibitInit
    std::array<qint16, 6>* keys = nullptr;
    std::array<quint8, 12>* scan = nullptr;
    std::array<qint16, 9>* dtmf = nullptr;
    std::array<quint8, 10>* alert = nullptr;
    quint8* alertMode = nullptr; // AlertMode of the side record
};

// The row's value in the records, as a signed 16-bit or a byte field.
qint16* Int16Of(const SettingRecords& r, const SettingBits& f) {
    const auto i = static_cast<std::size_t>(f.index);
    switch (f.setting) {
    case Setting::Option:
        return r.options ? &(*r.options)[i] : nullptr;
    case Setting::Prohibit:
        return r.prohibit;
    case Setting::Key:
        return r.keys ? &(*r.keys)[i] : nullptr;
    case Setting::Dtmf:
        return r.dtmf ? &(*r.dtmf)[i] : nullptr;
    default:
        return nullptr;
    }
}
quint8* ByteOf(const SettingRecords& r, const SettingBits& f) {
    const auto i = static_cast<std::size_t>(f.index);
    switch (f.setting) {
    case Setting::Scan:
        return r.scan ? &(*r.scan)[i] : nullptr;
    case Setting::Alert:
        return r.alert ? &(*r.alert)[i] : nullptr;
    case Setting::AlertMode:
        return r.alertMode;
    default:
        return nullptr;
    }
}

bool HasSetting(const SettingRecords& r, const SettingBits& f) {
    return Int16Of(r, f) || ByteOf(r, f);
}

int GetSetting(const SettingRecords& r, const SettingBits& f) {
    if (const qint16* v = Int16Of(r, f)) return *v;
    if (const quint8* b = ByteOf(r, f)) return *b;
    return 0;
}

void SetSetting(const SettingRecords& r, const SettingBits& f, int value) {
    if (qint16* v = Int16Of(r, f)) *v = static_cast<qint16>(value);
    if (quint8* b = ByteOf(r, f)) *b = static_cast<quint8>(value);
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
    for (const SettingBits& f : table)
        SetSetting(r, f, InRange(Bytes::GetBits(*ImageAt(f.address), f.readHi, f.lo), f.range));
}

// The same ranges for values that did not come from the image.
void KeepBlockInRange(std::span<const SettingBits> table, const SettingRecords& r) {
    for (const SettingBits& f : table)
        if (HasSetting(r, f)) SetSetting(r, f, InRange(GetSetting(r, f), f.range));
}

// ---- DTMF own ID and code cells ----

constexpr int kIdDigits = 10;
constexpr int kMinIdLen = 3;
constexpr int kDefaultIdLen = 3;
constexpr int kMaxCodeDigits = 16;

int IdLength(int len) {
    return len >= kMinIdLen && len <= kIdDigits ? len : kDefaultIdLen;
}

// The number of digits of a code; an empty code for any other count.
int CodeLength(int len) {
    return len >= 0 && len <= kMaxCodeDigits ? len : 0;
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

// The characters of a message line: the printable ones, 32 to 126, that
// every code page and the radio's display share. Any other byte of a radio
// or a file is dropped when it is read.
QByteArray MessageCharacters(const QByteArray& bytes) {
    QByteArray kept;
    for (char c : bytes)
        if (c >= 32 && c <= 126) kept += c;
    return kept;
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
    quint8 mode = gEditExtraData.AlertMode;
    EncodeBlock(kAlertBits, {.alert = &copy, .alertMode = &mode});
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
    qint16 prohibit = gEditData.ProhibitInit;
    EncodeBlock(kOptionBits, {.options = &copy, .prohibit = &prohibit});
}
void DecodeOptions830(std::array<qint16, 18>& options) {
    DecodeBlock(kOptionBits, {.options = &options, .prohibit = &gEditData.ProhibitInit});
}
void DecodeOptionBytes(std::array<qint16, 6>& keys) {
    DecodeBlock(kKeyBytes, {.keys = &keys});
}
void DecodeOptionBits840(std::array<quint8, 12>& scan) {
    DecodeBlock(kScanBits, {.scan = &scan});
}
void DecodeOptionBits851(std::array<quint8, 10>& alert) {
    DecodeBlock(kAlertBits, {.alert = &alert, .alertMode = &gEditExtraData.AlertMode});
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
    int n = CodeLength(code.Len);
    // the code's own digits: a longer text is cut, a shorter one padded
    QString text =
        ModFun::DtmfTextToCode(TrimNull(code.Digits.Text())).leftJustified(n, u'0', true);
    cell[ImageMap::kCodeLengthByte] = static_cast<quint8>(n);
    if (n % 2 != 0) {
        text += u'0';
        ++n;
    }
    Bytes::PutHexDigits(cell, n / 2, text);
}

void DecodeCodeDigits(TDtmfCode& code, int cellAddress) {
    const quint8* cell = ImageAt(cellAddress, ImageMap::kCodeCellSize);
    const int n = CodeLength(cell[ImageMap::kCodeLengthByte]);
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
        // Up to the first 0xFF, cut at the first NUL, only the characters a
        // line can show, trailing blanks removed.
        const int n = Bytes::LengthBefore(p, ImageMap::kMessageLineSize, 0xFF, 0x00);
        QByteArray text = MessageCharacters(QByteArray(reinterpret_cast<const char*>(p), n));
        while (text.endsWith(' '))
            text.chop(1);
        lines[k].AssignWithNul(QString::fromLatin1(text));
    }
}

namespace {

// A DTMF text as a radio gives it back: each character as the hexadecimal
// digit it is sent as (0 for a character that is none).
QString AsSent(const QString& text) {
    QString out;
    for (QChar c : text)
        out += QLatin1Char("0123456789ABCDEF"[Bytes::HexDigitValue(c)]);
    return out;
}

template <std::size_t N> void KeepSendable(FixedText<N>& field, bool code) {
    const QString text = TrimNull(field.Text());
    const QString kept =
        code ? ModFun::DtmfCodeToText(AsSent(ModFun::DtmfTextToCode(text))) : AsSent(text);
    if (kept != text) field.AssignWithNul(kept);
}

} // namespace

void KeepInRange(TRadioData& data) {
    for (int i = 0; i < data.UsedCount(); ++i)
        KeepChannelInRange(data.Channels[static_cast<std::size_t>(i)]);
    TSettings& s = data.Settings;
    const SettingRecords records{.options = &s.OptFeatures,
                                 .prohibit = &data.ProhibitInit,
                                 .keys = &s.Keys,
                                 .scan = &s.Scan,
                                 .dtmf = &s.Dtmf.Fields,
                                 .alert = &s.Alert};
    for (std::span<const SettingBits> table :
         {std::span<const SettingBits>(kOptionBits), std::span<const SettingBits>(kKeyBytes),
          std::span<const SettingBits>(kScanBits), std::span<const SettingBits>(kDtmfBits),
          std::span<const SettingBits>(kAlertBits)})
        KeepBlockInRange(table, records);
    s.Dtmf.IdLen = static_cast<qint16>(IdLength(s.Dtmf.IdLen));
    // the DTMF texts show what the radio is sent
    KeepSendable(s.Dtmf.Id, false);
    for (const CodeCell& cell : CodeCells(s.Dtmf)) {
        cell.code->Len = static_cast<qint16>(CodeLength(cell.code->Len));
        KeepSendable(cell.code->Digits, true);
    }
    // A line that shows only characters it can hold keeps its stored form.
    for (FixedText<16>& line : s.EmbMsg) {
        QByteArray shown = line.Bytes();
        const qsizetype nul = shown.indexOf('\0');
        if (nul >= 0)
            shown.truncate(nul);
        else
            while (shown.endsWith(' '))
                shown.chop(1);
        const QByteArray kept = MessageCharacters(shown);
        if (kept != shown) line.AssignWithNul(QString::fromLatin1(kept));
    }
}

void KeepInRange(TExtraData& extra) {
    KeepBlockInRange(kAlertBits, {.alertMode = &extra.AlertMode});
}

} // namespace ModCommFun
