#include "data/ModShowFreFun.h"

#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/SharedState.h"
#include "data/Views.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"

#include <QVariant>
#include <cmath>
#include <limits>

using ModFun::TrimNull;
using Platform::FormatFixed;
using Platform::IsNumeric;
using Platform::Val;

namespace ModShowFreFun {

namespace {

QString LowLimitText() {
    return FormatFixed(gBandLimits[0], 0);
}

// The largest magnitude an offset code can hold (two digits before the point).
constexpr long long kMaxOffsetTenHz = 9999999;

QString OffsetCodeOf(long long magnitudeTenHz) {
    magnitudeTenHz = std::min(std::llabs(magnitudeTenHz), kMaxOffsetTenHz);
    const QString f = FormatFixed(static_cast<double>(magnitudeTenHz) / kTenHzPerMHz, 5, 2);
    return f.left(2) + f.right(5);
}

struct StepResult {
    int stepClass;
    long long value;
};

// The raster rule: 5 kHz, else 6.25 kHz, else 8.33 kHz (the third point of a
// 25 kHz span moves onto the span's end), else down onto the 5 kHz raster.
StepResult ClassifyOffsetFromLow(long long value, long long low) {
    const long long d = value - low; // C++ % keeps the sign of d, as integer Mod does
    if (d % 500 == 0) return {0, value};
    if (d % 625 == 0) return {1, value};
    const long long e = d % 2500;
    if (e % 833 == 0) return {2, e == 2499 ? value + 1 : value};
    return {0, value - d % 500};
}

QString CodeFromTenHz(long long units) {
    return FreqTextToCode(TenHzToText(units));
}

TChannel* ChannelAt(int index) {
    if (index < 0 || index >= gEditData.UsedCount()) return nullptr;
    return &gEditData.Channels[static_cast<std::size_t>(index)];
}

QString RxCodeOf(const TChannel& ch) {
    return ch.RxFreq.Text();
}
QString OffsetCodeOfChannel(const TChannel& ch) {
    return ch.Offset.Text();
}

// Offset and direction from a transmit text (a frequency, or a signed offset
// with signedInput). The direction TxToOffset works out is read only after
// the call has returned.
void SetOffsetFromTx(TChannel& ch, const QString& txText, bool signedInput) {
    int direction = ch.OffsetDir;
    const QString code =
        TxToOffset(RxCodeOf(ch), txText, signedInput, OffsetCodeOfChannel(ch), direction);
    ch.Offset.Assign(code);
    ch.OffsetDir = static_cast<quint8>(direction);
}

// A typed offset as the channel takes it: one without a sign is a plus
// offset, as "5" reads (the transmit frequency 5 MHz above the receive
// frequency), so what was typed is what the channel sends with.
QString TypedOffset(const QString& value) {
    const QString t = value.trimmed();
    if (!IsNumeric(t) || t.startsWith(u'+') || t.startsWith(u'-')) return value;
    return u'+' + t;
}

// A plain option value: a number or numeric text that fits a 16-bit integer.
bool PlainValue(const QString& value, qint16& out) {
    if (!IsNumeric(value)) return false;
    const double v = std::nearbyint(Val(value));
    if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max())
        return false;
    out = static_cast<qint16>(v);
    return true;
}

qint16 TChannel::*PlainField(int id) {
    switch (id) {
    case 6:
        return &TChannel::TxPower;
    case 7:
        return &TChannel::ScanSkip;
    case 9:
        return &TChannel::Bandwidth;
    case 10:
        return &TChannel::PttId;
    case 11:
        return &TChannel::BusyLock;
    case 12:
        return &TChannel::InvTalkSelect;
    case 13:
        return &TChannel::Call1;
    case 14:
        return &TChannel::Scramble;
    case 15:
        return &TChannel::TxInhibit;
    case 16:
        return &TChannel::Talkaround;
    case 17:
        return &TChannel::Inversion;
    case 18:
        return &TChannel::Whisper;
    case 19:
        return &TChannel::Compander;
    case 21:
        return &TChannel::SignalRelation;
    case 22:
        return &TChannel::Call2;
    default:
        return nullptr;
    }
}

} // namespace

long long ToTenHz(double mhz) {
    return Platform::RoundHalfAway(mhz * kTenHzPerMHz);
}

QString TenHzToText(long long units) {
    return FormatFixed(static_cast<double>(units) / kTenHzPerMHz, 5);
}

QString FreqTextToCode(const QString& text) {
    if (text.isEmpty()) return text;
    QString t = IsNumeric(text) ? text.trimmed() : LowLimitText();
    const qsizetype point = t.indexOf(u'.');
    if (point >= 0) t = t.left(point).rightJustified(3, u'0') + t.mid(point + 1);
    return t.left(8).leftJustified(8, u'0');
}

QString FreqCodeToText(const QString& code) {
    const QString c = TrimNull(code);
    if (c.isEmpty() || c == QLatin1String("FFFFFFFF")) return {};
    if (!IsNumeric(c)) {
        Platform::MsgBox(QStringLiteral("Not IsNumeric"), Platform::Mb::OKOnly);
        return LowLimitText();
    }
    return FormatFixed(Val(c.left(3) + u'.' + c.mid(3)), 5);
}

QString OffsetToText(const QString& code, int direction) {
    const QString sign = direction == 1   ? QStringLiteral("-")
                         : direction == 2 ? QStringLiteral("+")
                                          : QString();
    const QString c = TrimNull(code);
    if (c == QLatin1String("FFFFFFF") || c.isEmpty() || !IsNumeric(c) || c.size() != 7)
        return sign + QStringLiteral("0.00000");
    return sign + FormatFixed(Val(c.left(2) + u'.' + c.right(5)), 5);
}

QString TxToOffset(const QString& rxCode, const QString& txText, bool signedInput,
                   const QString& oldOffsetCode, int& direction) {
    long long m = std::llabs(ToTenHz(Val(OffsetToText(oldOffsetCode, direction))));
    const QString rx = FreqCodeToText(rxCode);
    const QString tx = txText.trimmed();
    if (rx.isEmpty() || tx.isEmpty() || !IsNumeric(rx) || !IsNumeric(tx)) {
        direction = 0;
    } else if (signedInput) {
        direction = tx.startsWith(u'-') ? 1 : tx.startsWith(u'+') ? 2 : 0;
        m = std::llabs(ToTenHz(Val(tx)));
    } else {
        const long long d = ToTenHz(Val(tx)) - ToTenHz(Val(rx));
        if (d > 0) {
            direction = 2;
            m = d;
        } else if (d < 0) {
            direction = 1;
            m = -d;
        } else {
            direction = 0;
        }
    }
    return OffsetCodeOf(m);
}

QString TransmitOffsetText(const QString& offsetCode, int direction) {
    // without a direction the radio sends on the receive frequency
    if (direction != 1 && direction != 2) return OffsetToText(QString(), 0);
    return OffsetToText(TrimNull(offsetCode), direction);
}

QString TxFreqText(const QString& rxCode, const QString& offsetCode, int direction,
                   bool showOffset) {
    const QString off = TransmitOffsetText(offsetCode, direction);
    if (showOffset) return off;
    return TenHzToText(std::llabs(ToTenHz(Val(FreqCodeToText(rxCode))) + ToTenHz(Val(off))));
}

QString TxFreqDisplay(const QString& rxCode, const QString& offsetCode, int direction,
                      bool showOffset) {
    const QString rx = FreqCodeToText(rxCode);
    if (rx.isEmpty() || !IsNumeric(rx)) return {};
    const QString off = TransmitOffsetText(offsetCode, direction);
    if (showOffset) return off;
    return TenHzToText(ToTenHz(Val(rx)) + ToTenHz(Val(off)));
}

namespace {
int gBandWarningScopes = 0;
bool gBandWarningPending = false;

void ShowMovedIntoBand() {
    Platform::MsgBox(ModFunLang::GetLangText(9021),
                     Platform::Mb::Exclamation | Platform::Mb::OKOnly);
}
} // namespace

void WarnMovedIntoBand() {
    if (gBandWarningScopes > 0)
        gBandWarningPending = true;
    else
        ShowMovedIntoBand();
}

BandWarningScope::BandWarningScope() {
    ++gBandWarningScopes;
}

BandWarningScope::~BandWarningScope() {
    if (--gBandWarningScopes > 0 || !gBandWarningPending) return;
    gBandWarningPending = false;
    ShowMovedIntoBand();
}

double ClampToBand(double mhz, bool warn) {
    double result = mhz;
    if (std::isnan(mhz) || mhz < gBandLimits[0])
        result = gBandLimits[0];
    else if (mhz > gBandLimits[1])
        result = gBandLimits[1];
    if (warn && !(result == mhz)) WarnMovedIntoBand();
    return result;
}

double BandLowWithWarning(bool warn) {
    if (warn) WarnMovedIntoBand();
    return gBandLimits[0];
}

QString ValidateFreqText(const QString& value, bool warn) {
    if (IsNumeric(value)) return FormatFixed(ClampToBand(Val(value), warn), 5);
    return FormatFixed(BandLowWithWarning(warn), 5);
}

namespace {

// The receive frequency onto its raster, its class recorded; false when the
// channel has no receive frequency.
bool SnapRx(TChannel& ch) {
    const QString rxCode = TrimNull(RxCodeOf(ch));
    if (!IsNumeric(rxCode)) return false;
    const StepResult rx =
        ClassifyOffsetFromLow(ToTenHz(Val(FreqCodeToText(rxCode))), ToTenHz(gBandLimits[0]));
    ch.RxStep = static_cast<qint16>(rx.stepClass);
    ch.RxFreq.Assign(CodeFromTenHz(rx.value));
    return true;
}

// The transmit frequency onto its raster, counted from the stored receive
// frequency; the offset becomes the difference of the two.
void SnapTx(TChannel& ch) {
    if (ch.OffsetDir == 0) {
        ch.TxStep = ch.RxStep;
        return;
    }
    const long long rx = ToTenHz(Val(FreqCodeToText(RxCodeOf(ch))));
    const long long offset = ToTenHz(Val(OffsetToText(OffsetCodeOfChannel(ch), ch.OffsetDir)));
    const StepResult tx = ClassifyOffsetFromLow(std::llabs(rx + offset), ToTenHz(gBandLimits[0]));
    ch.TxStep = static_cast<qint16>(tx.stepClass);
    SetOffsetFromTx(ch, TenHzToText(tx.value), false);
}

} // namespace

void ClassifySteps(TChannel& ch) {
    if (SnapRx(ch)) SnapTx(ch);
}

int StepClass(long long tenHz) {
    return ClassifyOffsetFromLow(tenHz, ToTenHz(gBandLimits[0])).stepClass;
}

const QStringList& ToneList() {
    static const QStringList tones = [] {
        static const char* const kCtcss[] = {
            "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",
            "91.5",  "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8",
            "123.0", "127.3", "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8",
            "162.2", "165.5", "167.9", "171.3", "173.8", "177.3", "179.9", "183.5", "186.2",
            "189.9", "192.8", "196.6", "199.5", "203.5", "206.5", "210.7", "218.1", "225.7",
            "229.1", "233.6", "241.8", "250.3", "254.1"};
        static const char* const kDcs[] = {
            "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053",
            "054", "055", "065", "071", "072", "073", "074", "114", "115", "116", "122", "125",
            "131", "132", "134", "135", "143", "145", "152", "155", "156", "162", "165", "172",
            "174", "205", "212", "217", "223", "225", "226", "243", "244", "245", "246", "251",
            "252", "254", "255", "261", "263", "265", "266", "271", "274", "305", "306", "311",
            "315", "325", "331", "332", "343", "345", "346", "351", "356", "364", "365", "371",
            "411", "412", "413", "423", "425", "431", "432", "445", "446", "452", "454", "455",
            "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "534", "546",
            "565", "606", "612", "624", "627", "631", "632", "645", "654", "662", "664", "703",
            "712", "723", "731", "732", "734", "743", "754", "765"};
        QStringList t;
        t << QString();
        for (const char* c : kCtcss)
            t << QString::fromLatin1(c);
        for (const char* c : kDcs)
            t << QString::fromLatin1(c) + u'N';
        for (const char* c : kDcs)
            t << QString::fromLatin1(c) + u'I';
        return t;
    }();
    return tones;
}

int FindChannelIndex(int number) {
    const int used = gEditData.UsedCount();
    for (int i = 0; i < used; ++i)
        if (gEditData.Channels[static_cast<std::size_t>(i)].Number == number) return i;
    return -1;
}

bool AddChannel(int number, const QString& rxText) {
    const int used = gEditData.UsedCount();
    if (used >= kMaxChannels || number < 1 || number > kMaxChannels) return false;
    TChannel ch;
    ch.Number = static_cast<qint16>(number);
    ch.NoData = 0;
    ch.RxFreq.Assign(FreqTextToCode(rxText));
    ch.OffsetDir = 0;
    ch.Offset.Fill('\0');
    ch.TxPower = 2;
    gEditData.Channels[static_cast<std::size_t>(used)] = ch;
    gEditData.ChannelCount = static_cast<qint16>(used + 1);
    return true;
}

void DeleteChannelAt(int index) {
    const int used = gEditData.UsedCount();
    if (index < 0 || index >= used) return;
    for (int i = index; i < used - 1; ++i)
        gEditData.Channels[static_cast<std::size_t>(i)] =
            gEditData.Channels[static_cast<std::size_t>(i + 1)];
    gEditData.ChannelCount = static_cast<qint16>(used - 1);
}

void DeleteChannelByNo(int number) {
    DeleteChannelAt(FindChannelIndex(number));
}

void SetChannelFreqs(TChannel& ch, const std::optional<QString>& rx,
                     const std::optional<QString>& tx, bool offsetMode, bool warn) {
    // what the transmit side keeps is taken before the receive frequency moves
    const QString kept =
        tx           ? *tx
        : offsetMode ? OffsetToText(OffsetCodeOfChannel(ch), ch.OffsetDir)
                     : TxFreqDisplay(RxCodeOf(ch), OffsetCodeOfChannel(ch), ch.OffsetDir, false);
    if (rx) ch.RxFreq.Assign(FreqTextToCode(*rx));
    if (!IsNumeric(TrimNull(RxCodeOf(ch)))) return;
    ch.RxFreq.Assign(FreqTextToCode(ValidateFreqText(FreqCodeToText(RxCodeOf(ch)), warn)));
    SnapRx(ch);
    // what is kept counts from the receive frequency as it is stored
    SetOffsetFromTx(ch, kept, offsetMode);
    const QString txText = ValidateFreqText(
        TxFreqDisplay(RxCodeOf(ch), OffsetCodeOfChannel(ch), ch.OffsetDir, false), warn);
    SetOffsetFromTx(ch, txText, false);
    SnapTx(ch);
}

bool KeepChannelInBand(TChannel& ch, bool warn) {
    const QString code = TrimNull(RxCodeOf(ch));
    if (code.isEmpty() || code == QLatin1String("FFFFFFFF") || !IsNumeric(code)) return false;
    const QString rx = FreqCodeToText(code);
    const QString tx = TxFreqDisplay(code, OffsetCodeOfChannel(ch), ch.OffsetDir, false);
    // a channel inside the band stays exactly as it is
    if (ValidateFreqText(rx, false) == rx && ValidateFreqText(tx, false) == tx) return false;
    // the receive frequency as if typed, keeping the offset
    const BandWarningScope oneWarning;
    SetChannelFreqs(ch, std::nullopt, std::nullopt, true, warn);
    return true;
}

void SetChannelField(TChannel& ch, int id, const QString& value) {
    const bool offsetMode = gHabits.TxAsOffset;
    switch (id) {
    case 1:
        SetChannelFreqs(ch, value, std::nullopt, offsetMode, true);
        return;
    case 2:
        SetChannelFreqs(ch, std::nullopt, offsetMode ? TypedOffset(value) : value, offsetMode,
                        true);
        return;
    case 4: {
        qint16 v = 0;
        if (!PlainValue(value, v)) return;
        const qint16 old = ch.RxTone;
        ch.RxTone = v;
        if (ch.RxTone == 0 && ch.BusyLock == 2) ch.BusyLock = 1;
        if (old == 0 && ch.TxTone == 0) ch.TxTone = ch.RxTone;
        return;
    }
    case 5: {
        qint16 v = 0;
        if (!PlainValue(value, v)) return;
        const qint16 old = ch.TxTone;
        ch.TxTone = v;
        if (old == 0 && ch.RxTone == 0) ch.RxTone = ch.TxTone;
        return;
    }
    case 8: {
        qint16 v = 0;
        if (!PlainValue(value, v)) return;
        ch.OptSignal = v;
        if (ch.RxTone == 0 && ch.BusyLock > 1) ch.BusyLock = 1;
        return;
    }
    default:
        if (qint16 TChannel::*field = PlainField(id)) {
            qint16 v = 0;
            if (PlainValue(value, v)) ch.*field = v;
        }
        return;
    }
}

void SetChannelCell(int group, int position, int fieldId, const QString& value) {
    const int number = ModFun::GroupBase(group) + position;
    if (group < 0 || group > 7 || position < 1 || position > 16) return;
    const BandWarningScope oneWarning;
    QString v = value;
    if (!v.isEmpty() && (fieldId == 1 || (fieldId == 2 && !gHabits.TxAsOffset)))
        v = ValidateFreqText(v, true);

    const int index = FindChannelIndex(number);
    if (TChannel* ch = ChannelAt(index)) {
        if (fieldId == 1 && v.isEmpty()) {
            if (gEditData.UsedCount() > 1) DeleteChannelAt(index);
        } else if (fieldId == 1 && v == FreqCodeToText(RxCodeOf(*ch))) {
            // the same frequency again: nothing changes
        } else if (fieldId == 2 && v == TxFreqDisplay(RxCodeOf(*ch), OffsetCodeOfChannel(*ch),
                                                      ch->OffsetDir, gHabits.TxAsOffset)) {
            // the transmit value shown already
        } else {
            SetChannelField(*ch, fieldId, v);
        }
        if (fieldId == 1) FixChannelRefs();
    } else if (fieldId == 1 && !v.isEmpty()) {
        v = ValidateFreqText(v, true);
        if (AddChannel(number, v)) {
            ClassifySteps(gEditData.Channels[static_cast<std::size_t>(gEditData.UsedCount() - 1)]);
            FixChannelRefs();
        }
    }

    if (auto* grid = Views::ShownGrid()) grid->reShowGrid(number);
    if (auto* editor = Views::ShownEditor()) editor->SetGridEditData(true);
}

void UpdateChannelOptionList(int number) {
    TChannel* ch = ChannelAt(FindChannelIndex(number));
    if (!ch) return;
    const qint16 tone = ch->Inversion != 0 ? ch->TxTone : ch->RxTone;
    const int k = tone != 0 ? 2 : 1;
    Views::ChannelEditor* editor = Views::ShownEditor();
    if (k == 1 && ch->BusyLock == 2) ch->BusyLock = 1;
    if (!editor) return;
    const QStringList items = editor->BusyLockMasterList().mid(0, k == 2 ? 3 : 2);
    editor->SetWandToSave(false);
    // A value that the offered choices do not hold (a busy lockout of 3 set
    // by the batch page) is shown without a choice and stays stored.
    const int shown = ch->BusyLock >= 0 && ch->BusyLock < items.size() ? ch->BusyLock : -1;
    editor->ShowBusyLockChoices(items, shown);
}

int FindChannelRef(int group, int position) {
    const int used = gEditData.UsedCount();
    int lowestAll = 0;
    int lowestInGroup = 0;
    for (int i = 0; i < used; ++i) {
        const int n = gEditData.Channels[static_cast<std::size_t>(i)].Number;
        if (n < 1 || n > kMaxChannels) continue;
        if (lowestAll == 0 || n < lowestAll) lowestAll = n;
        if ((n - 1) / 16 + 1 != group) continue;
        if (lowestInGroup == 0 || n < lowestInGroup) lowestInGroup = n;
        if ((n - 1) % 16 + 1 == position) return (group - 1) * 16 + position;
    }
    return lowestInGroup != 0 ? lowestInGroup : lowestAll;
}

void FixChannelRefs() {
    auto fix = [](quint8& group, quint8& position) {
        const int n = FindChannelRef(group, position);
        group = static_cast<quint8>(n == 0 ? 0 : (n - 1) / 16 + 1);
        position = static_cast<quint8>(n == 0 ? 0 : (n - 1) % 16 + 1);
    };
    auto& alert = gEditData.Settings.Alert;
    auto& scan = gEditData.Settings.Scan;
    fix(alert[kAlertRefGroup], alert[kAlertRefGroup + 1]);
    fix(scan[kScanPri1Group], scan[kScanPri1Group + 1]);
    fix(scan[kScanPri2Group], scan[kScanPri2Group + 1]);
    for (const char* name : {"FrmAlert", "FrmScan"})
        for (Views::ChannelRefPage* page :
             Platform::Forms::AllAs<Views::ChannelRefPage>(QLatin1String(name)))
            page->ReshowByCh();
}

} // namespace ModShowFreFun
