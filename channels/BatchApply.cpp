#include "channels/BatchApply.h"

#include "data/ModFun.h"
#include "data/ModShowFreFun.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "platform/Forms.h"
#include "platform/Numbers.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <cmath>

using ModShowFreFun::kTenHzPerMHz;
using ModShowFreFun::TenHzToText;
using ModShowFreFun::ToTenHz;
using Platform::FormatFixed;
using Platform::IsNumeric;
using Platform::Val;

namespace BatchRules {

namespace {

// Whole units (halves to the even neighbour) kept on the 5 kHz or 6.25 kHz
// raster, else moved down onto the 5 kHz raster.
long long Raster(long long n) {
    if (n % 500 == 0 || n % 625 == 0) return n;
    return n - n % 500;
}

long long RoundEven(double v) {
    return static_cast<long long>(std::nearbyint(v));
}

} // namespace

double StepDataFre(double mhz) {
    const long long low = RoundEven(gBandLimits[0] * kTenHzPerMHz);
    const long long f = RoundEven(mhz * kTenHzPerMHz);
    return static_cast<double>(low + Raster(f - low)) / kTenHzPerMHz;
}

QString StartFreqText(const QString& text) {
    const QString t = ModShowFreFun::ValidateFreqText(text.trimmed(), false);
    return FormatFixed(StepDataFre(Val(t)), 5);
}

QString StepDataFree(const QString& text) {
    const double v = IsNumeric(text) ? Val(text) : 0.0;
    return FormatFixed(static_cast<double>(Raster(RoundEven(v * kTenHzPerMHz))) / kTenHzPerMHz, 5);
}

QString StepData(const QString& text) {
    const double v = IsNumeric(text) ? Val(text) : 0.0;
    return QString::number(static_cast<double>(Raster(RoundEven(v * 100.0))) / 100.0, 'g', 12);
}

QString DefaultData(const QString& text, const QString& fallback) {
    return IsNumeric(text) ? text : fallback;
}

QString RangeBoxText(const QString& text) {
    if (!IsNumeric(text)) return QStringLiteral("1");
    const double v = Val(text);
    if (v > kMaxChannels) return QString::number(kMaxChannels);
    if (v < 1) return QStringLiteral("1");
    return QString::number(static_cast<int>(std::floor(v)));
}

QString StepBoxText(const QString& text) {
    if (IsNumeric(text) && Val(text) > 1000) return QStringLiteral("1000");
    return text;
}

QString LeaveText(int index, const QString& text) {
    switch (index) {
    case 0:
    case 3:
        return StartFreqText(text);
    case 1:
    case 4:
        return StepData(text);
    case 2:
        return StepDataFree(text);
    case 5:
    case 6:
        return DefaultData(text, QStringLiteral("0"));
    default:
        return text;
    }
}

} // namespace BatchRules

namespace {

// Item bytes of the batch flags.
enum Item {
    kRxFreq = 0,
    kTxFreq = 1,
    kRxTone = 2,
    kTxTone = 3,
    kTxPower = 4,
    kOptSignal = 5,
    kPttId = 6,
    kBandwidth = 7,
    kBusyLock = 8,
    kInvTalkSelect = 9,
    kSignalRelation = 10,
    kCall1 = 11,
    kCall2 = 12,
    kScanSkip = 13,
    kScramble = 14,
    kTxInhibit = 15,
    kTalkaround = 16,
    kInversion = 17,
    kWhisper = 18,
    kCompander = 19,
};

// The list and box items in the order Apply writes them, with their fields.
struct FieldItem {
    int item;
    qint16 TChannel::*field;
};
constexpr FieldItem kFieldItems[] = {
    {kTxPower, &TChannel::TxPower},
    {kOptSignal, &TChannel::OptSignal},
    {kPttId, &TChannel::PttId},
    {kBandwidth, &TChannel::Bandwidth},
    {kInvTalkSelect, &TChannel::InvTalkSelect},
    {kCall1, &TChannel::Call1},
    {kCall2, &TChannel::Call2},
    {kSignalRelation, &TChannel::SignalRelation},
    {kScanSkip, &TChannel::ScanSkip},
    {kScramble, &TChannel::Scramble},
    {kTxInhibit, &TChannel::TxInhibit},
    {kTalkaround, &TChannel::Talkaround},
    {kInversion, &TChannel::Inversion},
    {kWhisper, &TChannel::Whisper},
    {kCompander, &TChannel::Compander},
};

int WholeNumber(const QString& text) {
    return static_cast<int>(std::floor(Val(text)));
}

// Step k of a tone progression, wrapped through the whole tone list.
int ToneStep(int start, int step, bool up, int k) {
    const long long n = ModShowFreFun::kToneCount;
    long long t = static_cast<long long>(start) + (up ? 1 : -1) * static_cast<long long>(k) * step;
    t %= n;
    if (t < 0) t += n;
    return static_cast<int>(t);
}

// Step k of a frequency progression (MHz start, kHz step), held in the band
// with the band warning.
long long FreqStep(const QString& start, const QString& stepKHz, bool up, int k) {
    const long long step = Platform::RoundHalfAway(Val(stepKHz) * 100.0);
    const long long f = ToTenHz(Val(start)) + (up ? 1 : -1) * step * k;
    return ToTenHz(Val(ModShowFreFun::ValidateFreqText(TenHzToText(f), true)));
}

// The offset box with its sign ("+5.00000"); without a sign chosen the
// channel sends on its receive frequency.
QString SignedOffset(const BatchInput& in) {
    if (in.offsetSign == 2) return u'+' + in.offset;
    if (in.offsetSign == 1) return u'-' + in.offset;
    return in.offset;
}

} // namespace

BatchApply::BatchApply(Random random) : random_(std::move(random)) {}

std::pair<int, int> BatchApply::Range(const BatchInput& in) {
    if (in.allChannels) return {1, kMaxChannels};
    const int a = WholeNumber(BatchRules::RangeBoxText(in.first));
    const int b = WholeNumber(BatchRules::RangeBoxText(in.last));
    return {std::min(a, b), std::max(a, b)};
}

void BatchApply::Run(const BatchInput& raw,
                     const std::array<quint8, ModBatch::kBatchItemCount>& flags) {
    const auto on = [&flags](int item) { return flags[static_cast<std::size_t>(item)] != 0; };
    const auto [first, last] = Range(raw);
    // every frequency moved into the band is told of once, when Apply ends
    const ModShowFreFun::BandWarningScope oneWarning;

    // the inputs as leaving their boxes would leave them
    BatchInput in = raw;
    in.rxStart = BatchRules::LeaveText(0, raw.rxStart);
    in.rxStep = BatchRules::LeaveText(1, raw.rxStep);
    in.offset = BatchRules::LeaveText(2, raw.offset);
    in.txStart = BatchRules::LeaveText(3, raw.txStart);
    in.txStep = BatchRules::LeaveText(4, raw.txStep);
    const int rxToneStep = WholeNumber(BatchRules::LeaveText(5, raw.rxToneStep));
    const int txToneStep = WholeNumber(BatchRules::LeaveText(6, raw.txToneStep));

    Random random = random_;
    if (!random && (on(kRxTone) || on(kTxTone))) {
        auto generator = std::make_shared<QRandomGenerator>(
            static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
        random = [generator](int count) { return static_cast<int>(generator->bounded(count)); };
    }

    bool tableChanged = false;
    if (raw.deleteOutside) {
        for (int i = 0; i < gEditData.UsedCount();) {
            const int number = gEditData.Channels[static_cast<std::size_t>(i)].Number;
            if (number < first || number > last) {
                ModShowFreFun::DeleteChannelAt(i);
                tableChanged = true;
            } else {
                ++i;
            }
        }
    }

    for (int ch = first; ch <= last; ++ch) {
        const int k = ch - first;
        int idx = ModShowFreFun::FindChannelIndex(ch);

        if (on(kRxFreq)) {
            const QString t = TenHzToText(FreqStep(in.rxStart, in.rxStep, in.rxUp, k));
            if (idx < 0) {
                // a table that cannot take the channel leaves the number alone
                if (ModShowFreFun::AddChannel(ch, t)) {
                    idx = gEditData.UsedCount() - 1;
                    tableChanged = true;
                }
                if (idx >= 0)
                    ModShowFreFun::ClassifySteps(gEditData.Channels[static_cast<std::size_t>(idx)]);
            } else {
                // the channel keeps its offset as far as the band lets it; a
                // transmit item that follows sets the transmit frequency anew
                ModShowFreFun::SetChannelFreqs(gEditData.Channels[static_cast<std::size_t>(idx)], t,
                                               std::nullopt, true, !on(kTxFreq));
            }
        }
        if (idx < 0) continue;
        TChannel& rec = gEditData.Channels[static_cast<std::size_t>(idx)];

        // The transmit frequency through the channel's band rule, which holds
        // the receive frequency in the band too. A channel without a receive
        // frequency has no transmit frequency to set; the default makes it
        // simplex all the same.
        const bool hasRx = IsNumeric(ModFun::TrimNull(rec.RxFreq.Text()));
        if (on(kTxFreq) && (in.txMode == BatchInput::TxDefault || hasRx)) {
            std::optional<QString> tx; // the default keeps an offset without direction
            if (in.txMode == BatchInput::TxDefault) rec.OffsetDir = 0;
            if (in.txMode == BatchInput::TxOffset) tx = SignedOffset(in);
            if (in.txMode == BatchInput::TxStartFreq)
                tx = TenHzToText(FreqStep(in.txStart, in.txStep, in.txUp, k));
            ModShowFreFun::SetChannelFreqs(rec, std::nullopt, tx,
                                           in.txMode != BatchInput::TxStartFreq, true);
            // the offset stored is the one the channel sends with
            if (rec.OffsetDir == 0) rec.Offset.Assign(QStringLiteral("0000000"));
        }

        if (on(kRxTone)) {
            rec.RxTone = static_cast<qint16>(
                in.rxRandom ? random(ModShowFreFun::kToneCount)
                            : ToneStep(in.rxToneStart, rxToneStep, in.rxToneUp, k));
        }
        if (on(kTxTone)) {
            if (in.txSame)
                rec.TxTone = rec.RxTone;
            else
                rec.TxTone = static_cast<qint16>(
                    in.txRandom ? random(ModShowFreFun::kToneCount)
                                : ToneStep(in.txToneStart, txToneStep, in.txToneUp, k));
        }

        for (const FieldItem& f : kFieldItems)
            if (on(f.item))
                rec.*f.field = static_cast<qint16>(in.values[static_cast<std::size_t>(f.item)]);

        if (on(kBusyLock)) {
            rec.BusyLock = static_cast<qint16>(in.values[kBusyLock]);
            const int tone = rec.Inversion != 0 ? rec.TxTone : rec.RxTone;
            if (tone == 0 && rec.BusyLock == 2) rec.BusyLock = 1;
        }
    }

    // the alert and scan references follow a table that lost or gained channels
    if (tableChanged) ModShowFreFun::FixChannelRefs();

    if (auto* grid = Views::ShownGrid()) grid->reShowAllGrid();
    if (auto* editor = Views::ShownEditor()) editor->SetGridEditData(true);
}
