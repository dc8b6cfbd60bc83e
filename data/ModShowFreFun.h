#pragma once

#include "data/RadioData.h"

#include <QString>
#include <QStringList>
#include <optional>

// Frequencies, offsets and tones between their stored codes and shown texts,
// and the channel table of gEditData with the one entry point for channel edits.
namespace ModShowFreFun {

// ---- value encodings ----

// Frequencies are counted in whole units of 10 Hz wherever they are compared
// or added, so equal frequencies never differ by a rounding remainder.
inline constexpr double kTenHzPerMHz = 100000.0;
long long ToTenHz(double mhz);
// Units of 10 Hz as MHz with five decimals ("435.10000").
QString TenHzToText(long long units);

// "435.1" -> "43510000"; "" stays ""; a text that is not numeric counts as the
// band's low limit.
QString FreqTextToCode(const QString& text);
// "43510000" -> "435.10000"; "" for an empty code or "FFFFFFFF". A code that is
// not numeric shows "Not IsNumeric" and gives the low limit.
QString FreqCodeToText(const QString& code);
// Signed offset text: "-5.00000", "+0.50000", "0.00000".
QString OffsetToText(const QString& code, int direction);
// The offset code for a transmit text (a frequency, or a signed offset when
// signedInput is set); direction is updated.
QString TxToOffset(const QString& rxCode, const QString& txText, bool signedInput,
                   const QString& oldOffsetCode, int& direction);
// The offset a channel transmits with, as the offset column shows it: signed,
// and "0.00000" for a channel without a direction (its transmit frequency is
// its receive frequency, whatever magnitude stays stored).
QString TransmitOffsetText(const QString& offsetCode, int direction);
// What the transmit column shows.
QString TxFreqText(const QString& rxCode, const QString& offsetCode, int direction,
                   bool showOffset);
// What the transmit field shows; "" when the channel has no receive frequency.
QString TxFreqDisplay(const QString& rxCode, const QString& offsetCode, int direction,
                      bool showOffset);
// The frequency held inside the band; text 9021 when it was moved and warn is set.
double ClampToBand(double mhz, bool warn);
double BandLowWithWarning(bool warn);
// A typed frequency as it may be stored: clamped into the band, five decimals.
QString ValidateFreqText(const QString& value, bool warn);
// Text 9021: a frequency was moved into the band. While a BandWarningScope is
// open the text waits for the outermost scope to end.
void WarnMovedIntoBand();
// One user action (a typed value, a paste, a batch Apply) says once that it
// moved frequencies into the band, however many it moved.
class BandWarningScope {
public:
    BandWarningScope();
    ~BandWarningScope();
    BandWarningScope(const BandWarningScope&) = delete;
    BandWarningScope& operator=(const BandWarningScope&) = delete;
};
// The band rule of a channel's frequencies, on every way a new receive or
// transmit value reaches a channel. rx: the new receive frequency, or none to
// keep the stored one. tx: the new transmit frequency, or with offsetMode the
// new signed offset; none keeps the transmit frequency, or with offsetMode the
// offset. The receive frequency is held in the band and goes onto its raster;
// the transmit frequency is counted from it, held in the band and goes onto
// its raster; the stored offset is the difference of the two frequencies
// stored. Text 9021 with warn for each frequency moved into the band (one box
// inside a BandWarningScope). A channel without a receive frequency, given
// none, is left as it is.
void SetChannelFreqs(TChannel& channel, const std::optional<QString>& rx,
                     const std::optional<QString>& tx, bool offsetMode, bool warn);
// A whole channel (a pasted one) under the rule of a typed receive frequency:
// receive and transmit frequency held inside the band, onto the raster. True
// when a frequency was moved; then, with warn, text 9021 once. A channel
// inside the band, or without a receive frequency, is left as it is.
bool KeepChannelInBand(TChannel& channel, bool warn);
// Snaps both frequencies of a channel onto its raster and records the classes.
void ClassifySteps(TChannel& channel);
// The step class of a frequency in units of 10 Hz, by the rule of
// ClassifySteps, without moving it (0 for one on none of the three rasters).
int StepClass(long long tenHz);

// Tone index 0..282 as shown; index 0 (no tone) is "" and labelled by the pages.
inline constexpr int kToneCount = 283;
const QStringList& ToneList();

// ---- channel table ----

int FindChannelIndex(int number);
// Appends a channel; false when the table is full or the number is not 1..128.
bool AddChannel(int number, const QString& rxText);
void DeleteChannelAt(int index);
void DeleteChannelByNo(int number);

// The one entry point for channel edits from the pages: group 0..7,
// position 1..16, field id 1..22, the value as text. In offset mode a
// transmit value (field 2) without a sign is a plus offset.
void SetChannelCell(int group, int position, int fieldId, const QString& value);
void SetChannelField(TChannel& channel, int fieldId, const QString& value);

// Keeps the busy-lockout choice consistent with the channel's tone. While the
// detail editor ("FrmCHInfoEdit") is open it also refills the editor's chooser
// through the editor's public methods:
//   QStringList BusyLockMasterList()   the full list of busy-lockout choices
//   void ShowBusyLockChoices(QStringList items, QString shown)
// and its public property WandToSave, which is cleared first.
void UpdateChannelOptionList(int number);

// The channel a reference (group 1..8, position 1..16) resolves to, or 0.
int FindChannelRef(int group, int position);
// Re-resolves the emergency and the two priority references, then asks the
// open alert and scan pages to rebuild their channel lists.
void FixChannelRefs();

} // namespace ModShowFreFun
