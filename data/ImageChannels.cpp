#include "data/Bytes.h"
#include "data/FieldRange.h"
#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFun.h"
#include "data/ModShowFreFun.h"
#include "data/SharedState.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

using ModFun::TrimNull;

namespace {

// The channel slot of 16 bytes, as the radio holds it.
constexpr int kRxFreqByte = 0;     // bytes 0-3, units of 10 Hz, big-endian
constexpr int kTxFreqByte = 4;     // bytes 4-7
constexpr int kOffsetDirByte = 15; // 16 x OffsetDir; written, never read back
constexpr int kDcsIBit = 7;        // bit of a tone's flag byte: the tone is a DCS "I" code
constexpr int kFirstDcsI = 167;    // tone index of the first DCS "I" code
constexpr int kDcsIShift = 116;    // "I" code index - index of the same "N" code

// The two tones: the tone byte and the byte whose bit 7 marks a DCS "I" code.
struct ToneBytes {
    int toneByte;
    int flagByte;
    qint16 TChannel::*field;
};
constexpr ToneBytes kTones[] = {
    {8, 10, &TChannel::RxTone},
    {9, 11, &TChannel::TxTone},
};

// The options packed into bytes 10-14: bits hi..lo of the byte, and the
// values the channel editors offer (a radio value beyond them reads as the
// field's default, so that what the channel pages show is what is kept).
struct ChannelBits {
    int byte;
    int hi;
    int lo;
    qint16 TChannel::*field;
    FieldRange range;
};
constexpr ChannelBits kChannelBits[] = {
    {10, 6, 6, &TChannel::TxInhibit, kCheckBox},
    {10, 5, 5, &TChannel::InvTalkSelect, UpTo(1)},
    {10, 4, 4, &TChannel::Scramble, kCheckBox},
    {10, 3, 2, &TChannel::BusyLock, UpTo(3)},
    {10, 1, 0, &TChannel::RxStep, UpTo(2)}, // 5 kHz, 6.25 kHz, 8.33 kHz
    {11, 6, 6, &TChannel::Talkaround, kCheckBox},
    {11, 5, 5, &TChannel::SignalRelation, UpTo(1)},
    {11, 4, 4, &TChannel::Whisper, kCheckBox},
    {11, 3, 2, &TChannel::PttId, UpTo(3)},
    {11, 1, 0, &TChannel::TxStep, UpTo(2)},
    {12, 7, 6, &TChannel::Bandwidth, UpTo(2)},
    {12, 5, 4, &TChannel::OptSignal, UpTo(1)},
    {12, 3, 3, &TChannel::Compander, kCheckBox},
    {12, 2, 2, &TChannel::Inversion, kCheckBox},
    {12, 1, 0, &TChannel::TxPower, UpTo(2, 2)},
    {13, 7, 0, &TChannel::Call1, UpTo(kDtmfCodeCount)}, // DTMF code memory, 0 = off
    {14, 7, 0, &TChannel::Call2, UpTo(kDtmfCodeCount)},
};
constexpr FieldRange kToneRange = UpTo(ModShowFreFun::kToneCount - 1);
constexpr FieldRange kScanSkipRange = kCheckBox; // the scan-skip bitmap's bit
constexpr FieldRange kOffsetDirRange = UpTo(2);  // none, minus, plus
// The bytes that the options fill completely.
constexpr int kOptionBytes[] = {10, 11, 12, 13, 14};

quint8* Slot(int number) {
    return ImageAt(ImageMap::kChannelSlots + ImageMap::kChannelSlotSize * (number - 1),
                   ImageMap::kChannelSlotSize);
}
quint8* PresenceByte(int number) {
    return ImageAt(ImageMap::kPresenceBitmap + (number - 1) / 8);
}
quint8* ScanSkipByte(int number) {
    return ImageAt(ImageMap::kScanSkipBitmap + (number - 1) / 8);
}
int BitmapBit(int number) {
    return (number - 1) % 8;
}

// The largest radio value a frequency code holds (999.99999 MHz), and the
// largest difference of a channel's two frequencies that its offset holds.
constexpr long long kMaxFreqValue = 99999999;
constexpr long long kMaxOffsetValue = 9999999;

// The frequency code of a radio value up to kMaxFreqValue: eight digits, a
// leading zero below 100 MHz included.
QString FreqCode(long long value) {
    return QString::number(value).rightJustified(8, u'0');
}

// Which frequencies of a slot a read could not keep as the radio gave them.
struct Held {
    bool rx = false;
    bool tx = false;
};

// The two frequencies of a slot as the channel can keep them. Frequencies it
// can keep stay as they are, also outside the band. A frequency without an
// eight-digit code (1000 MHz and above; an erased FF FF FF FF, which is no
// frequency at all) cannot be kept, nor a transmit frequency further from the
// receive frequency than an offset reaches. No split comes in that the radio
// did not hold: a transmit frequency that cannot be kept becomes the receive
// frequency (the channel is simplex); a receive frequency that cannot be kept
// takes the transmit frequency where that can be kept, and otherwise the
// nearest band limit, and the channel is simplex there.
Held HoldFrequencies(long long& rx, long long& tx) {
    Held held;
    const bool txKept = tx <= kMaxFreqValue;
    if (rx > kMaxFreqValue) {
        held.rx = true;
        rx = txKept ? tx
                    : std::clamp(rx, ModShowFreFun::ToTenHz(gBandLimits[0]),
                                 ModShowFreFun::ToTenHz(gBandLimits[1]));
    }
    if (!txKept || std::llabs(tx - rx) > kMaxOffsetValue) {
        held.tx = true;
        tx = rx;
    }
    return held;
}

// The value of a frequency code in units of 10 Hz, held to 32 bits.
quint32 FreqValue(const QString& code) {
    const double v = std::nearbyint(Platform::Val(TrimNull(code)));
    if (!(v > 0)) return 0;
    if (v >= 4294967295.0) return 0xFFFFFFFFu;
    return static_cast<quint32>(v);
}

} // namespace

namespace ModComm {

void ClearImage() {
    if (gCommType != 3) gImage.fill(0xFF);
}

QString HexPad(quint64 value, int width) {
    const QString digits = QString::number(value, 16).toUpper();
    if (digits.size() > width) return digits.left(width);
    return digits.rightJustified(width, u'0');
}

void EncodeChannel(TChannel& ch) {
    const QString rx = TrimNull(ch.RxFreq.Text());
    ch.NoData = rx.isEmpty() || rx == QLatin1String("FFFFFFFF") ? 1 : 0;
    const int number = ch.Number;
    if (ch.NoData != 0 || number < 1 || number > kMaxChannels) return;

    const int bit = BitmapBit(number);
    *PresenceByte(number) = Bytes::SetBit(*PresenceByte(number), bit, false);
    *ScanSkipByte(number) = Bytes::SetBit(*ScanSkipByte(number), bit, ch.ScanSkip != 0);

    quint8* slot = Slot(number);
    Bytes::PutBE32(slot + kRxFreqByte, FreqValue(rx));
    const QString tx =
        ModShowFreFun::TxFreqDisplay(ch.RxFreq.Text(), ch.Offset.Text(), ch.OffsetDir, false);
    Bytes::PutBE32(slot + kTxFreqByte, FreqValue(ModShowFreFun::FreqTextToCode(tx)));

    for (int byte : kOptionBytes)
        slot[byte] = 0;
    for (const ToneBytes& t : kTones) {
        const int index = ch.*t.field;
        const bool dcsI = index >= kFirstDcsI;
        slot[t.toneByte] = Bytes::SetBits(0, 7, 0, dcsI ? index - kDcsIShift : index);
        slot[t.flagByte] = Bytes::SetBit(slot[t.flagByte], kDcsIBit, dcsI);
    }
    for (const ChannelBits& f : kChannelBits)
        slot[f.byte] = Bytes::SetBits(slot[f.byte], f.hi, f.lo, ch.*f.field);
    slot[kOffsetDirByte] = Bytes::SetBits(0, 7, 4, ch.OffsetDir);
}

} // namespace ModComm

namespace ModCommFun {

void DecodeChannel(int slotIndex) {
    if (slotIndex < 0 || slotIndex >= kMaxChannels) return;
    const int number = slotIndex + 1;
    if (Bytes::GetBit(*PresenceByte(number), BitmapBit(number))) return;
    const int index = gEditData.UsedCount();
    if (index >= kMaxChannels) return;

    const quint8* slot = Slot(number);
    TChannel ch;
    ch.Number = static_cast<qint16>(number);
    ch.NoData = 0;
    ch.ScanSkip = Bytes::GetBit(*ScanSkipByte(number), BitmapBit(number)) ? 1 : 0;
    long long rx = Bytes::GetBE32(slot + kRxFreqByte);
    long long txValue = Bytes::GetBE32(slot + kTxFreqByte);
    const Held held = HoldFrequencies(rx, txValue);
    if (held.rx || held.tx) gHeldReadChannels << number;
    ch.RxFreq.Assign(FreqCode(rx));
    const QString tx = ModShowFreFun::FreqCodeToText(FreqCode(txValue));
    int direction = 0;
    ch.Offset.Assign(
        ModShowFreFun::TxToOffset(ch.RxFreq.Text(), tx, false, QStringLiteral("0"), direction));
    ch.OffsetDir = static_cast<quint8>(direction);

    for (const ToneBytes& t : kTones) {
        int tone = slot[t.toneByte];
        if (Bytes::GetBit(slot[t.flagByte], kDcsIBit)) tone += kDcsIShift;
        ch.*t.field = static_cast<qint16>(InRange(tone, kToneRange));
    }
    for (const ChannelBits& f : kChannelBits)
        ch.*f.field =
            static_cast<qint16>(InRange(Bytes::GetBits(slot[f.byte], f.hi, f.lo), f.range));
    // a frequency held has the step class of its own raster, not the class
    // the slot gave the frequency it replaces
    if (held.rx) ch.RxStep = static_cast<qint16>(ModShowFreFun::StepClass(rx));
    if (held.tx) ch.TxStep = static_cast<qint16>(ModShowFreFun::StepClass(txValue));

    gEditData.Channels[static_cast<std::size_t>(index)] = ch;
    gEditData.ChannelCount = static_cast<qint16>(index + 1);
}

void KeepChannelInRange(TChannel& ch) {
    for (const ToneBytes& t : kTones)
        ch.*t.field = static_cast<qint16>(InRange(ch.*t.field, kToneRange));
    for (const ChannelBits& f : kChannelBits)
        ch.*f.field = static_cast<qint16>(InRange(ch.*f.field, f.range));
    ch.ScanSkip = static_cast<qint16>(InRange(ch.ScanSkip, kScanSkipRange));
    ch.OffsetDir = static_cast<quint8>(InRange(ch.OffsetDir, kOffsetDirRange));
}

} // namespace ModCommFun
