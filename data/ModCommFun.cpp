#include "data/ModCommFun.h"

#include "data/Bytes.h"
#include "data/ModCommImage.h"
#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "platform/Ansi.h"
#include "platform/MsgBox.h"

#include <type_traits>

TRadioImage gImage = [] {
    TRadioImage image;
    image.fill(0xFF);
    return image;
}();
TRadioInfoImage gRadioInfoImage = [] {
    TRadioInfoImage image;
    image.fill(0xFF);
    return image;
}();
std::array<quint8, 4> gIdentFlags{};
QList<int> gHeldReadChannels;
std::array<quint8, 4> gSavedIdentFlags{};

using ModFun::TrimNull;

namespace ModCommFun {

namespace {

// ---- the radio information area: each text at its radio address ----

struct InfoField {
    int address; // radio address
    int width;   // bytes
    void (*store)(TLocalInfo&, const quint8* bytes, int count);
};

template <auto Member>
using InfoFieldType = std::remove_reference_t<decltype(std::declval<TLocalInfo&>().*Member)>;

// Multi-byte ANSI text: cut at its first NUL, trailing blanks removed.
template <auto Member> void StoreInfoText(TLocalInfo& info, const quint8* bytes, int count) {
    QString text = Platform::AnsiToString(
        QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(count)));
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) text.truncate(nul);
    while (text.endsWith(u' '))
        text.chop(1);
    (info.*Member).AssignWithNul(text);
}

template <auto Member> constexpr InfoField InfoText(int address) {
    return {address, static_cast<int>(InfoFieldType<Member>::Width), &StoreInfoText<Member>};
}

// The area code: one character per byte, kept as it is.
void StoreAreaCode(TLocalInfo& info, const quint8* bytes, int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += Platform::AnsiToString(QByteArray(1, static_cast<char>(bytes[i])));
    info.AreaCode = text;
}

const InfoField kInfoFields[] = {
    {0xB10, 4, &StoreAreaCode},
    InfoText<&TLocalInfo::SerialNumber>(0xB40),
    InfoText<&TLocalInfo::ProductedDate>(0xB50),
    InfoText<&TLocalInfo::BatchNumber>(0xB20),
    InfoText<&TLocalInfo::UserCode>(0xB30),
    InfoText<&TLocalInfo::MaintainedDate>(0xB60),
    InfoText<&TLocalInfo::DealerCode>(0xCC0),
    InfoText<&TLocalInfo::StockDate>(0xCD0),
    InfoText<&TLocalInfo::SellDate>(0xCE0),
    InfoText<&TLocalInfo::Seller>(0xCF0),
    InfoText<&TLocalInfo::Description>(0xB70),
};

} // namespace

void StoreModelInfo(TModelInfo& info) {
    info.ModelName.Assign(gModelName);
    info.BandCode = static_cast<qint16>(ModFreFile::BandTextToCode(gBandText));
}

void ApplyModelInfo(TModelInfo& info) {
    const QString name = TrimNull(info.ModelName.Text());
    info.ModelName.Assign(name);
    gModelName = name;
    gBandText = ModFreFile::BandCodeToText(info.BandCode);
    // model and band of the radio information go together: until a radio
    // tells its own, both are the configuration's
    gLocalInfo.BandCode = info.BandCode;
    gLocalInfo.RadioType = name;
    ModFun::ParseBandLimits();
}

void DecodeModelInfo(TModelInfo& info) {
    const quint8* name = ImageAt(ImageMap::kModelName, ImageMap::kModelNameSize);
    const int length = Bytes::LengthBefore(name, ImageMap::kModelNameSize, 0x00, 0xFF);
    info.ModelName.AssignWithNul(Platform::AnsiToString(
        QByteArray(reinterpret_cast<const char*>(name), static_cast<qsizetype>(length))));
    int band = *ImageAt(ImageMap::kBandCode);
    if (ModFreFile::BandCodeToText(band).isEmpty())
        band = ModFreFile::BandTextToCode(gBandText); // a band this program does not know
    info.BandCode = static_cast<qint16>(band);
    ApplyModelInfo(info);
}

void SplitIdentFlags(std::array<quint8, 4>& saved) {
    const quint8 flags = *ImageAt(ImageMap::kIdentFlags);
    for (std::size_t i = 0; i < gIdentFlags.size(); ++i) {
        gIdentFlags[i] = Bytes::GetBit(flags, 3 - static_cast<int>(i)) ? 1 : 0;
        if (saved[i] == 0) saved[i] = gIdentFlags[i];
    }
}

void DecodeRadioInfo(TLocalInfo& info) {
    for (const InfoField& f : kInfoFields) {
        const int offset = f.address - kRadioInfoBase;
        CheckSpan(offset, f.width, kRadioInfoSize, "radio information");
        const quint8* bytes = gRadioInfoImage.data() + offset;
        f.store(info, bytes, Bytes::LengthBefore(bytes, f.width, 0x00, 0xFF));
    }
}

bool RunCodec(const std::function<void()>& step, int textId) {
    try {
        step();
        return true;
    } catch (const std::out_of_range& fault) {
        Platform::MsgBox(ModFunLang::GetLangText(textId) + QStringLiteral("\r\n") +
                             QString::fromStdString(fault.what()),
                         Platform::Mb::OKOnly | Platform::Mb::Critical);
        return false;
    }
}

void EncodeImage() {
    std::fill(ImageAt(0, ImageMap::kClearedEnd), ImageAt(0) + ImageMap::kClearedEnd, 0xFF);
    for (int i = 0; i < gEditData.UsedCount(); ++i)
        ModComm::EncodeChannel(gEditData.Channels[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kTestPairCount; ++i)
        EncodeTestFreqs(gEditData.TestFreList[static_cast<std::size_t>(i)], i);
    for (int i = 0; i < kFixedTestPairCount; ++i)
        EncodeTestFreqs(gFixedTestFreqs[static_cast<std::size_t>(i)], kTestPairCount + i);
    ModComm::EncodeModelInfo(gEditData.ModelInfo);
    EncodeOptions(gEditData.Settings);
}

void DecodeImage() {
    DecodeModelInfo(gEditData.ModelInfo);
    gEditData.ChannelCount = 0;
    gHeldReadChannels.clear();
    for (int slot = 0; slot < kMaxChannels; ++slot)
        DecodeChannel(slot);
    for (int i = 0; i < kTestPairCount; ++i)
        DecodeTestFreqs(gEditData.TestFreList[static_cast<std::size_t>(i)], i);
    for (int i = 0; i < kFixedTestPairCount; ++i)
        DecodeTestFreqs(gFixedTestFreqs[static_cast<std::size_t>(i)], kTestPairCount + i);
    DecodeOptions(gEditData.Settings);
    SplitIdentFlags(gSavedIdentFlags);
}

} // namespace ModCommFun

namespace ModComm {

void EncodeModelInfo(TModelInfo& info) {
    ModCommFun::StoreModelInfo(info);
    const QByteArray name = Platform::StringToAnsi(TrimNull(info.ModelName.Text()));
    quint8* p = ImageAt(ImageMap::kModelName, ImageMap::kModelNameSize);
    for (int i = 0; i < ImageMap::kModelNameSize; ++i)
        p[i] = i < name.size() ? static_cast<quint8>(name[i]) : 0x00;
    *ImageAt(ImageMap::kBandCode) = Bytes::SetBits(0, 7, 0, info.BandCode);
    std::copy(ImageMap::kDataVersionText, ImageMap::kDataVersionText + 4,
              ImageAt(ImageMap::kDataVersion, 4));
}

} // namespace ModComm
