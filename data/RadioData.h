#pragma once

#include "data/FixedText.h"

#include <QString>
#include <QtGlobal>
#include <array>

// The configuration record of one radio and the records that travel with it.

inline constexpr int kMaxChannels = 128;
inline constexpr int kPresetCount = 20;
inline constexpr int kTestPairCount = 11;
inline constexpr int kFixedTestPairCount = 5;
inline constexpr int kDtmfCodeCount = 16;
inline constexpr int kTestBlockSize = 16;

struct TChannel {
    qint16 Number = 0;
    qint16 NoData = 0;
    FixedText<8> RxFreq;
    quint8 OffsetDir = 0;
    FixedText<7> Offset;
    qint16 RxTone = 0;
    qint16 TxTone = 0;
    qint16 RxStep = 0;
    qint16 TxStep = 0;
    qint16 TxInhibit = 0;
    qint16 InvTalkSelect = 0;
    qint16 Scramble = 0;
    qint16 BusyLock = 0;
    qint16 Talkaround = 0;
    qint16 SignalRelation = 0;
    qint16 Whisper = 0;
    qint16 PttId = 0;
    qint16 Bandwidth = 0;
    qint16 OptSignal = 0;
    qint16 Compander = 0;
    qint16 Inversion = 0;
    qint16 TxPower = 0;
    qint16 Call1 = 0;
    qint16 Call2 = 0;
    qint16 ScanSkip = 0;

    bool operator==(const TChannel&) const = default;
};

struct TRadioFre {
    qint16 Empty = 1; // 1 = the preset slot is empty
    FixedText<8> Fre;
    bool operator==(const TRadioFre&) const = default;
};

struct TTestFre {
    FixedText<8> First;
    FixedText<8> Second;
    bool operator==(const TTestFre&) const = default;
};

struct TModelInfo {
    FixedText<7> ModelName;
    qint16 BandCode = 0;
    bool operator==(const TModelInfo&) const = default;
};

struct TDtmfCode {
    qint16 Len = 0; // number of digits, 0 = the memory is empty
    FixedText<16> Digits;
    bool operator==(const TDtmfCode&) const = default;
};

struct TDtmf {
    std::array<qint16, 9> Fields{}; // timing and option values, fields 0..8
    FixedText<10> Id;
    qint16 IdLen = 0;
    TDtmfCode Bot;
    TDtmfCode Eot;
    TDtmfCode Stun;
    TDtmfCode Kill;
    std::array<TDtmfCode, kDtmfCodeCount> Codes{};
    bool operator==(const TDtmf&) const = default;
};

// Alert bytes 7-8 and scan bytes 8-9 and 10-11 each name a channel as
// (group 1..8, position 1..16); (0, 0) names none.
inline constexpr int kAlertRefGroup = 7;
inline constexpr int kScanPri1Group = 8;
inline constexpr int kScanPri2Group = 10;

struct TSettings {
    std::array<qint16, 18> OptFeatures{};
    TDtmf Dtmf;
    std::array<FixedText<16>, 4> EmbMsg{};
    // long-press time, emergency long-press time, PF1 long, PF1 short, PF2 long, PF2 short
    std::array<qint16, 6> Keys{};
    std::array<quint8, 10> Alert{};
    std::array<quint8, 12> Scan{};
    bool operator==(const TSettings&) const = default;
};

struct TRadioData {
    FixedText<4> Version;
    qint16 ChannelCount = 0;
    std::array<TChannel, kMaxChannels> Channels{};
    std::array<TRadioFre, kPresetCount> RadioFreList{};
    std::array<TTestFre, kTestPairCount> TestFreList{};
    TModelInfo ModelInfo;
    TSettings Settings;
    qint16 ProhibitInit = 0;

    // The number of channel records in use: ChannelCount held to 0..128, so
    // a damaged count never indexes past the table.
    int UsedCount() const { return qBound(0, static_cast<int>(ChannelCount), kMaxChannels); }

    bool operator==(const TRadioData&) const = default;
};

struct TExtraData {
    FixedText<4> Version;
    quint8 AlertMode = 1;
    bool operator==(const TExtraData&) const = default;
};

using TTestBlock = std::array<quint8, kTestBlockSize>;

// A test block with where it came from. A radio's calibration is sent and
// saved only from a block that came from somewhere: the ".ted" of a
// configuration file, a radio read in test-data mode or the test-data dialog.
struct TTestData {
    enum class From : quint8 { Nothing, File, Radio, Dialog };
    From from = From::Nothing;
    // The configuration file whose ".ted" the block is (or, for the saved
    // copy, would be): empty for a configuration without a file.
    QString file;
    TTestBlock bytes{}; // zeros while nothing is known
    bool Known() const { return from != From::Nothing; }
    bool operator==(const TTestData&) const = default;
};

struct TLocalInfo {
    qint16 BandCode = 0;
    FixedText<16> Unused;
    FixedText<16> SerialNumber;
    FixedText<16> ProductedDate;
    FixedText<16> MaintainedDate;
    FixedText<96> Description;
    QString Version;
    QString RadioType;
    QString AreaCode;
    FixedText<8> BatchNumber;
    FixedText<4> UserCode;
    FixedText<16> DealerCode;
    FixedText<16> StockDate;
    FixedText<16> SellDate;
    FixedText<16> Seller;
};

// The working and the saved configuration, and what travels with them.
extern TRadioData gEditData;
extern TRadioData gFileData;
extern TExtraData gEditExtraData;
extern TExtraData gFileExtraData;
extern TTestData gEditTestBlock; // the working block
extern TTestData gFileTestBlock; // the configuration's file, and what its ".ted" holds
extern TLocalInfo gLocalInfo;
extern std::array<TTestFre, kFixedTestPairCount> gFixedTestFreqs;

extern QString gModelName;    // "KL740" at start
extern QString gBandText;     // "400 - 480 MHz" at start
extern double gBandLimits[2]; // low and high limit in MHz
extern QString gDataFileName; // "new.dat" after File New
extern bool gIsUntitled;      // the data has no file of its own
extern bool gInitAllChannels; // the next default file gives all its channels
extern bool gTestDataOn;      // factory test-data mode
