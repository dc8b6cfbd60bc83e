#include "tests/data/ImageTestSupport.h"

#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModShowFreFun.h"

#include <algorithm>
#include <numeric>

namespace ImageTest {

void SetChannels(std::initializer_list<std::pair<int, const char*>> channels) {
    gEditData.ChannelCount = 0;
    for (const auto& [number, rx] : channels) {
        ModShowFreFun::AddChannel(number, "440");
        gEditData.Channels[static_cast<std::size_t>(gEditData.ChannelCount - 1)].RxFreq.Assign(
            QString::fromLatin1(rx));
    }
}

namespace {

int Pick(std::mt19937& rng, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng);
}

QString Digits(std::mt19937& rng, int count, const char* alphabet) {
    const int n = static_cast<int>(std::strlen(alphabet));
    QString s;
    for (int i = 0; i < count; ++i)
        s += QLatin1Char(alphabet[Pick(rng, 0, n - 1)]);
    return s;
}

QString FreqCode(std::mt19937& rng) {
    if (Pick(rng, 0, 3) == 0) return QStringLiteral("FFFFFFFF");
    QString code;
    do
        code = Digits(rng, 8, "0123456789");
    while (code == QLatin1String("00000000"));
    return code;
}

TChannel RandomChannel(std::mt19937& rng, int number) {
    TChannel ch;
    ch.Number = static_cast<qint16>(number);
    const int rx = Pick(rng, 13600000, 52000000);
    ch.RxFreq.Assign(QString::number(rx));
    ch.OffsetDir = static_cast<quint8>(Pick(rng, 0, 2));
    int offset = 0;
    if (ch.OffsetDir != 0) offset = Pick(rng, 1, std::min(9999999, rx - 10000000));
    ch.Offset.Assign(QStringLiteral("%1").arg(offset, 7, 10, QChar(u'0')));
    ch.RxTone = static_cast<qint16>(Pick(rng, 0, 282));
    ch.TxTone = static_cast<qint16>(Pick(rng, 0, 282));
    ch.RxStep = static_cast<qint16>(Pick(rng, 0, 2));
    ch.TxStep = static_cast<qint16>(Pick(rng, 0, 2));
    for (qint16 TChannel::*f :
         {&TChannel::TxInhibit, &TChannel::InvTalkSelect, &TChannel::Scramble,
          &TChannel::Talkaround, &TChannel::SignalRelation, &TChannel::Whisper,
          &TChannel::Compander, &TChannel::Inversion, &TChannel::ScanSkip})
        ch.*f = static_cast<qint16>(Pick(rng, 0, 1));
    for (qint16 TChannel::*f : {&TChannel::BusyLock, &TChannel::PttId})
        ch.*f = static_cast<qint16>(Pick(rng, 0, 3));
    ch.Bandwidth = static_cast<qint16>(Pick(rng, 0, 2));
    ch.OptSignal = static_cast<qint16>(Pick(rng, 0, 1));
    ch.TxPower = static_cast<qint16>(Pick(rng, 0, 2));
    ch.Call1 = static_cast<qint16>(Pick(rng, 0, 16));
    ch.Call2 = static_cast<qint16>(Pick(rng, 0, 16));
    return ch;
}

void RandomCode(std::mt19937& rng, TDtmfCode& code) {
    code.Len = static_cast<qint16>(Pick(rng, 0, 16));
    code.Digits.AssignWithNul(Digits(rng, code.Len, "0123456789ABCD*#"));
}

} // namespace

void RandomConfiguration(std::mt19937& rng) {
    // Channels: a random set of numbers, in ascending order as decoding gives them.
    std::vector<int> numbers(kMaxChannels);
    std::iota(numbers.begin(), numbers.end(), 1);
    std::shuffle(numbers.begin(), numbers.end(), rng);
    numbers.resize(static_cast<std::size_t>(Pick(rng, 0, kMaxChannels)));
    std::sort(numbers.begin(), numbers.end());
    gEditData.ChannelCount = static_cast<qint16>(numbers.size());
    for (std::size_t i = 0; i < numbers.size(); ++i)
        gEditData.Channels[i] = RandomChannel(rng, numbers[i]);

    for (TTestFre& pair : gEditData.TestFreList) {
        pair.First.Assign(FreqCode(rng));
        pair.Second.Assign(FreqCode(rng));
    }
    for (TTestFre& pair : gFixedTestFreqs) {
        pair.First.Assign(FreqCode(rng));
        pair.Second.Assign(FreqCode(rng));
    }

    const QList<int>& bands = ModFreFile::BandCodes();
    gModelName = Pick(rng, 0, 1) ? QStringLiteral("KL740") : QStringLiteral("KL740G");
    gBandText = ModFreFile::BandCodeToText(bands[Pick(rng, 0, static_cast<int>(bands.size()) - 1)]);
    ModFun::ParseBandLimits();
    gEditData.ModelInfo.ModelName.Assign(gModelName);
    gEditData.ModelInfo.BandCode = static_cast<qint16>(ModFreFile::BandTextToCode(gBandText));

    TSettings& s = gEditData.Settings;
    static const int kOptionMax[18] = {9, 2, 5, 3, 3, 1, 1, 1, 1, 10, 1, 1, 240, 60, 30, 3, 9, 8};
    for (int i = 0; i < 18; ++i)
        s.OptFeatures[static_cast<std::size_t>(i)] =
            static_cast<qint16>(Pick(rng, 0, kOptionMax[i]));
    gEditData.ProhibitInit = static_cast<qint16>(Pick(rng, 0, 1));
    static const int kKeyMax[6] = {25, 25, 22, 22, 22, 22};
    for (int i = 0; i < 6; ++i)
        s.Keys[static_cast<std::size_t>(i)] = static_cast<qint16>(Pick(rng, 0, kKeyMax[i]));
    static const int kScanMax[12] = {1, 3, 7, 50, 50, 50, 50, 1, 8, 16, 8, 16};
    for (int i = 0; i < 12; ++i)
        s.Scan[static_cast<std::size_t>(i)] = static_cast<quint8>(Pick(rng, 0, kScanMax[i]));
    static const int kAlertMax[10] = {3, 1, 16, 255, 255, 255, 1, 8, 16, 255};
    for (int i = 0; i < 10; ++i)
        s.Alert[static_cast<std::size_t>(i)] = static_cast<quint8>(Pick(rng, 0, kAlertMax[i]));
    gEditExtraData.AlertMode = static_cast<quint8>(Pick(rng, 0, 1));

    static const int kDtmfMax[9] = {10, 20, 50, 20, 16, 1, 2, 6, 15};
    for (int i = 0; i < 9; ++i)
        s.Dtmf.Fields[static_cast<std::size_t>(i)] = static_cast<qint16>(Pick(rng, 0, kDtmfMax[i]));
    s.Dtmf.IdLen = static_cast<qint16>(Pick(rng, 3, 10));
    s.Dtmf.Id.AssignWithNul(Digits(rng, s.Dtmf.IdLen, "0123456789"));
    for (TDtmfCode* code : {&s.Dtmf.Bot, &s.Dtmf.Eot, &s.Dtmf.Stun, &s.Dtmf.Kill})
        RandomCode(rng, *code);
    for (TDtmfCode& code : s.Dtmf.Codes)
        RandomCode(rng, code);

    for (FixedText<16>& line : s.EmbMsg) {
        QString text =
            Digits(rng, Pick(rng, 0, 16),
                   "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 -.,!");
        while (text.endsWith(u' '))
            text.chop(1);
        line.AssignWithNul(text);
    }
}

} // namespace ImageTest
