#pragma once

#include "channels/ModBatch.h"

#include <QString>
#include <array>
#include <functional>
#include <utility>

// The rules of the batch channel page: how its boxes normalise what is typed,
// and what Apply writes into the channel table of gEditData.
namespace BatchRules {

// Start frequency in MHz as it stays in its box: held in the band, then down
// onto the 5 kHz raster unless it lies on the 5 or 6.25 kHz raster counted
// from the band's low limit ("#0.00000").
QString StartFreqText(const QString& text);
// The frequency in MHz onto the raster counted from the band's low limit.
double StepDataFre(double mhz);
// An offset in MHz onto the raster ("#0.00000"); not numeric counts as 0.
QString StepDataFree(const QString& text);
// A step in kHz onto the raster, in its shortest form ("12.5", "6.25", "0").
QString StepData(const QString& text);
// The text when it is numeric, else the default.
QString DefaultData(const QString& text, const QString& fallback);

// A range box always holds a whole number 1..128.
QString RangeBoxText(const QString& text);
// A step box never holds more than 1000 (kHz).
QString StepBoxText(const QString& text);
// What a value box (index 0..6) holds once the focus leaves it.
QString LeaveText(int index, const QString& text);

} // namespace BatchRules

// The values of the batch page as Apply reads them.
struct BatchInput {
    enum TxMode { TxDefault = 0, TxOffset = 1, TxStartFreq = 2 };

    bool allChannels = true;
    QString first = QStringLiteral("1");
    QString last = QStringLiteral("128");
    bool deleteOutside = false;

    QString rxStart, rxStep; // MHz, kHz
    bool rxUp = true;

    int txMode = TxDefault;
    QString offset;     // MHz
    int offsetSign = 2; // 2 plus, 1 minus, 0 none chosen
    QString txStart, txStep;
    bool txUp = true;

    int rxToneStart = 0;
    QString rxToneStep;
    bool rxToneUp = true;
    bool rxRandom = false;

    int txToneStart = 0;
    QString txToneStep;
    bool txToneUp = true;
    bool txRandom = false;
    bool txSame = true; // the transmit tone follows the receive tone

    // The value written for the list and box items, by item byte (4..19);
    // for the call items the number of the code memory, 0 for none.
    std::array<int, ModBatch::kBatchItemCount> values{};
};

// Writes the chosen items into every channel number of the range, creating
// the channels the receive frequency reaches, then re-shows the open grid
// page and detail editor.
class BatchApply {
public:
    // Draws a whole number 0..count-1; by default from a generator seeded
    // from the clock once per run.
    using Random = std::function<int(int count)>;

    explicit BatchApply(Random random = {});

    // First and last channel number, in ascending order.
    static std::pair<int, int> Range(const BatchInput& input);

    void Run(const BatchInput& input,
             const std::array<quint8, ModBatch::kBatchItemCount>& flags = gBatchFunFlags);

private:
    Random random_;
};
