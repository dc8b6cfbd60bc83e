#include "data/DatLayout.h"

namespace DatLayout {

namespace {

RecordMap<TChannel> MakeChannelMap() {
    RecordMap<TChannel> m(kChannelSize);
    m.Int16(0, &TChannel::Number)
        .Int16(2, &TChannel::NoData)
        .Text(4, &TChannel::RxFreq)
        .Byte(12, &TChannel::OffsetDir)
        .Text(13, &TChannel::Offset)
        .Int16(20, &TChannel::RxTone)
        .Int16(22, &TChannel::TxTone)
        .Int16(24, &TChannel::RxStep)
        .Int16(26, &TChannel::TxStep)
        .Int16(28, &TChannel::TxInhibit)
        .Int16(30, &TChannel::InvTalkSelect)
        .Int16(32, &TChannel::Scramble)
        .Int16(34, &TChannel::BusyLock)
        .Int16(36, &TChannel::Talkaround)
        .Int16(38, &TChannel::SignalRelation)
        .Int16(40, &TChannel::Whisper)
        .Int16(42, &TChannel::PttId)
        .Int16(44, &TChannel::Bandwidth)
        .Int16(46, &TChannel::OptSignal)
        .Int16(48, &TChannel::Compander)
        .Int16(50, &TChannel::Inversion)
        .Int16(52, &TChannel::TxPower)
        .Int16(54, &TChannel::Call1)
        .Int16(56, &TChannel::Call2)
        .Int16(58, &TChannel::ScanSkip);
    return m;
}

RecordMap<TRadioFre> MakePresetMap() {
    RecordMap<TRadioFre> m(10);
    m.Int16(0, &TRadioFre::Empty).Text(2, &TRadioFre::Fre);
    return m;
}

RecordMap<TTestFre> MakeTestPairMap() {
    RecordMap<TTestFre> m(16);
    m.Text(0, &TTestFre::First).Text(8, &TTestFre::Second);
    return m;
}

RecordMap<TModelInfo> MakeModelMap() {
    RecordMap<TModelInfo> m(9);
    m.Text(0, &TModelInfo::ModelName).Int16(7, &TModelInfo::BandCode);
    return m;
}

RecordMap<TDtmfCode> MakeDtmfCodeMap() {
    RecordMap<TDtmfCode> m(18);
    m.Int16(0, &TDtmfCode::Len).Text(2, &TDtmfCode::Digits);
    return m;
}

RecordMap<TDtmf> MakeDtmfMap() {
    const RecordMap<TDtmfCode> code = MakeDtmfCodeMap();
    RecordMap<TDtmf> m(390);
    m.Int16s(0, &TDtmf::Fields)
        .Text(18, &TDtmf::Id)
        .Int16(28, &TDtmf::IdLen)
        .Record(30, &TDtmf::Bot, code)
        .Record(48, &TDtmf::Eot, code)
        .Record(66, &TDtmf::Stun, code)
        .Record(84, &TDtmf::Kill, code)
        .Records(102, &TDtmf::Codes, code);
    return m;
}

// Offsets inside TSettings are those of the file less 8071.
RecordMap<TSettings> MakeSettingsMap() {
    RecordMap<TSettings> m(524);
    m.Int16s(0, &TSettings::OptFeatures)
        .Record(36, &TSettings::Dtmf, MakeDtmfMap())
        .Texts(426, &TSettings::EmbMsg)
        .Int16s(490, &TSettings::Keys)
        .ByteArray(502, &TSettings::Alert)
        .ByteArray(512, &TSettings::Scan);
    return m;
}

RecordMap<TRadioData> MakeRadioDataMap() {
    RecordMap<TRadioData> m(kFileSize);
    m.Text(0, &TRadioData::Version)
        .Int16(4, &TRadioData::ChannelCount)
        .Records(6, &TRadioData::Channels, ChannelMap())
        .Records(7686, &TRadioData::RadioFreList, MakePresetMap())
        .Records(7886, &TRadioData::TestFreList, MakeTestPairMap())
        .Record(8062, &TRadioData::ModelInfo, MakeModelMap())
        .Record(8071, &TRadioData::Settings, MakeSettingsMap())
        .Int16(8595, &TRadioData::ProhibitInit);
    return m;
}

RecordMap<TExtraData> MakeExtraMap() {
    RecordMap<TExtraData> m(kExtraFileSize);
    m.Text(0, &TExtraData::Version).Byte(4, &TExtraData::AlertMode);
    return m;
}

} // namespace

const RecordMap<TChannel>& ChannelMap() {
    static const RecordMap<TChannel> map = MakeChannelMap();
    return map;
}

const RecordMap<TRadioData>& RadioDataMap() {
    static const RecordMap<TRadioData> map = MakeRadioDataMap();
    return map;
}

QByteArray Pack(const TRadioData& data) {
    return RadioDataMap().Write(data);
}

bool Unpack(QByteArrayView bytes, TRadioData& data) {
    if (bytes.size() != kFileSize && bytes.size() != kShortFileSize) return false;
    TRadioData read = data;
    read.ProhibitInit = 0;
    RadioDataMap().Read(bytes, read);
    data = read;
    return true;
}

QByteArray PackExtra(const TExtraData& extra) {
    static const RecordMap<TExtraData> map = MakeExtraMap();
    return map.Write(extra);
}

bool UnpackExtra(QByteArrayView bytes, TExtraData& extra) {
    static const RecordMap<TExtraData> map = MakeExtraMap();
    if (bytes.size() != kExtraFileSize) return false;
    map.Read(bytes, extra);
    return true;
}

} // namespace DatLayout
