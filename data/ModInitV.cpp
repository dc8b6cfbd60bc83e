#include "data/ModInitV.h"

#include "data/ConfigFiles.h"
#include "data/ModFreFile.h"
#include "data/ModShowFreFun.h"
#include "data/ModTestData.h"
#include "data/SharedState.h"
#include "platform/Numbers.h"

#include <QDate>
#include <QLocale>

namespace ModInitV {

namespace {
std::function<void()> gPageLoadRules;

void AssignTestPair(TTestFre& pair, const QString& first, const QString& second) {
    pair.First.Assign(first);
    pair.Second.Assign(second);
}

// A NUL followed by blanks: the stored form of an empty text.
QString NulText() {
    return QString(QChar(u'\0'));
}

TDtmfCode EmptyCode() {
    TDtmfCode code;
    code.Len = 0;
    code.Digits.Assign(QString());
    return code;
}
} // namespace

void NewData(bool quiet) {
    NewPlainData();
    LoadInitData(quiet);
}

void NewPlainData() {
    gIsUntitled = true;
    gDataFileName = QStringLiteral("new.dat");
    gCommType = 0;
    gReadStep = 0;
    gWriteStep = 0;

    InitSettings();
    InitChannels();
    InitList20();
    InitTestFreqs();
    InitBandPlan();
    InitModelBlock();
    InitRadioInfo();
    InitExtraData(gEditExtraData);
    ModTestData::ForgetTestBlock(); // never the block of the configuration before

    ModFreFile::SyncFileFromEdit();
}

void SetPageLoadRules(std::function<void()> rules) {
    gPageLoadRules = std::move(rules);
}

void ApplyPageLoadRules() {
    if (gPageLoadRules) gPageLoadRules();
}

void InitChannels() {
    gGridRow = 1;
    gEditRow = 1;
    gGridGroup = 0;
    gEditGroup = 0;
    gSkipCellCheck = false;
    gSkipEnterCell = false;
    gFormChInfoShown = false;
    gFormCHInfoEditShown = false;
    gEditData.ChannelCount = 0;
    ModShowFreFun::AddChannel(1, Platform::FormatFixed((gBandLimits[0] + gBandLimits[1]) / 2, 5));
}

void InitSettings() {
    InitKeys();
    InitAlertBytes();
    InitScanBytes();
    InitOptFeatures();
    InitEmbMsg();
    InitDtmf();
}

void InitOptFeatures() {
    auto& opt = gEditData.Settings.OptFeatures;
    opt.fill(0);
    opt[1] = 1;
    opt[3] = 3;
    gEditData.ProhibitInit = 0;
}

void InitEmbMsg() {
    for (auto& line : gEditData.Settings.EmbMsg)
        line.Assign(NulText());
}

void InitDtmf() {
    TDtmf& d = gEditData.Settings.Dtmf;
    d.Fields.fill(0);
    d.Id.Assign(QStringLiteral("000"));
    d.IdLen = 3;
    d.Bot = d.Eot = d.Stun = d.Kill = EmptyCode();
    d.Codes.fill(EmptyCode());
}

void InitKeys() {
    gEditData.Settings.Keys = {10, 10, 0, 0, 0, 0};
}

void InitAlertBytes() {
    gEditData.Settings.Alert.fill(0);
}

void InitScanBytes() {
    gEditData.Settings.Scan.fill(0);
}

void InitList20() {
    for (TRadioFre& preset : gEditData.RadioFreList) {
        preset.Empty = 1;
        preset.Fre.Assign(QString());
    }
}

void InitTestFreqs() {
    auto& pairs = gEditData.TestFreList;
    AssignTestPair(pairs[0], QStringLiteral("43510000"), QStringLiteral("43510000"));
    for (std::size_t i = 1; i < pairs.size(); ++i)
        AssignTestPair(pairs[i], NulText(), NulText());
}

void InitBandPlan() {
    static const char* const kPairs[kFixedTestPairCount][2] = {{"40000000", "40010000"},
                                                               {"42050000", "42060000"},
                                                               {"44000000", "44010000"},
                                                               {"47050000", "46060000"},
                                                               {"48000000", "47990000"}};
    for (int i = 0; i < kFixedTestPairCount; ++i)
        AssignTestPair(gFixedTestFreqs[static_cast<std::size_t>(i)],
                       QString::fromLatin1(kPairs[i][0]), QString::fromLatin1(kPairs[i][1]));
}

void InitModelBlock() {
    gEditData.ModelInfo.BandCode = static_cast<qint16>(ModFreFile::BandTextToCode(gBandText));
    gEditData.ModelInfo.ModelName.Assign(gModelName);
}

void InitRadioInfo() {
    TLocalInfo& info = gLocalInfo;
    const QDate today = QDate::currentDate();
    const QString date = QLocale::system().toString(today, QLocale::ShortFormat) + QChar(u'\0');
    info.BandCode = gEditData.ModelInfo.BandCode;
    info.Unused.Assign(NulText());
    info.SerialNumber.Assign(NulText());
    info.Description.Assign(NulText());
    info.DealerCode.Assign(NulText());
    info.Seller.Assign(NulText());
    info.ProductedDate.Assign(date);
    info.MaintainedDate.Assign(date);
    info.StockDate.Assign(date);
    info.SellDate.Assign(date);
    info.Version = QStringLiteral("V2.00");
    info.AreaCode = QStringLiteral("0595");
    info.RadioType = gEditData.ModelInfo.ModelName.Text();
    info.BatchNumber.Assign(QStringLiteral("%1-1-E-1").arg(today.month(), 2, 10, QChar(u'0')));
    info.UserCode.Assign(QStringLiteral("001A"));
}

void InitExtraData(TExtraData& extra) {
    extra.Version.Assign(QStringLiteral("V200"));
    extra.AlertMode = 1;
}

} // namespace ModInitV
