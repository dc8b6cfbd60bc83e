#include "dealer/ModData.h"

#include "data/Bytes.h"
#include "data/ModFun.h"
#include "dealer/DealerTexts.h"
#include "platform/Ansi.h"

#include <QDate>
#include <QLocale>

namespace Halbrek {

TRadioInfo gDealerInfo;
TProtectInfo gProtectInfo;
std::array<quint8, kAreaSize> gRadioImage{};

template <std::size_t N> QString FixedValue(const FixedText<N>& field) {
    return ModFun::TrimNull(field.Text());
}
template QString FixedValue(const FixedText<4>&);
template QString FixedValue(const FixedText<8>&);
template QString FixedValue(const FixedText<16>&);
template QString FixedValue(const FixedText<96>&);

namespace {

template <std::size_t N>
AreaText Fixed(int address, const char* name, FixedText<N>& field, Writer writer,
               int width = static_cast<int>(N)) {
    return {address,
            width,
            name,
            TextRule::Converted,
            writer,
            [&field](const QString& text) { StoreFixed(field, text); },
            [&field] { return FixedValue(field); }};
}

bool InArea(int address) {
    return address >= kAreaStart && address <= kAreaEnd;
}

} // namespace

const std::vector<AreaText>& AreaTexts() {
    TRadioInfo& d = gDealerInfo;
    TProtectInfo& p = gProtectInfo;
    static const std::vector<AreaText> map{
        {0xB00, 7, "RadioType", TextRule::ByteByByte, Writer::None,
         [&d](const QString& text) { d.RadioType = ModFun::TrimNull(text); },
         [&d] { return d.RadioType; }},
        {0xB10, 4, "AreaCode", TextRule::ByteByByte, Writer::None,
         [&d](const QString& text) { d.AreaCode = text; }, [&d] { return d.AreaCode; }},
        Fixed(0xB20, "BatchNumber", d.BatchNumber, Writer::None),
        Fixed(0xB30, "UserCode", d.UserCode, Writer::None),
        Fixed(0xB3C, "Password", d.Password, Writer::Dealer, 4),
        Fixed(0xB40, "SerialNumber", d.SerialNumber, Writer::None),
        Fixed(0xB50, "ProductedDate", d.ProductedDate, Writer::None),
        Fixed(0xB60, "MaintainedDate", d.MaintainedDate, Writer::None),
        Fixed(0xB70, "Description", d.Description, Writer::None),
        Fixed(0xC00, "Question", p.Question, Writer::Protect),
        Fixed(0xC10, "Answer", p.Answer, Writer::Protect),
        Fixed(0xCC0, "DealerCode", d.DealerCode, Writer::Dealer),
        Fixed(0xCD0, "StockDate", d.StockDate, Writer::Dealer),
        Fixed(0xCE0, "SellDate", d.SellDate, Writer::Dealer),
        Fixed(0xCF0, "Seller", d.Seller, Writer::Dealer),
    };
    return map;
}

const std::vector<AreaFlag>& AreaFlags() {
    static const std::vector<AreaFlag> flags{
        {0, &TRadioInfo::DTMF, false},    {1, &TRadioInfo::Scramble, false},
        {2, &TRadioInfo::Stun, true},     {3, &TRadioInfo::Kill, true},
        {4, &TRadioInfo::Factory, false},
    };
    return flags;
}

namespace ModData {

quint8 ImageByte(int address) {
    return InArea(address) ? gRadioImage[static_cast<std::size_t>(address - kAreaStart)] : 0;
}

void SetImageByte(int address, quint8 value) {
    if (InArea(address)) gRadioImage[static_cast<std::size_t>(address - kAreaStart)] = value;
}

QByteArray ImageBytes(int address, int length) {
    QByteArray bytes;
    for (int i = 0; i < length && InArea(address + i); ++i)
        bytes.append(static_cast<char>(ImageByte(address + i)));
    return bytes;
}

void SetImageBytes(int address, const QByteArray& bytes) {
    for (int i = 0; i < bytes.size(); ++i)
        SetImageByte(address + i, static_cast<quint8>(bytes[i]));
}

QString ConvertedText(int address, int width) {
    const QByteArray raw = ImageBytes(address, width);
    const int n = Bytes::LengthBefore(reinterpret_cast<const uchar*>(raw.constData()),
                                      static_cast<int>(raw.size()), 0x00, 0xFF);
    return ModFun::TrimNull(Platform::AnsiToString(raw.left(n)));
}

QString ByteText(int address, int width) {
    QString text;
    for (int i = 0; i < width; ++i) {
        const quint8 b = ImageByte(address + i);
        if (b == 0x00 || b == 0xFF) break;
        text += Platform::AnsiToString(QByteArray(1, static_cast<char>(b)));
    }
    return text;
}

void PutString(qint32 address, const QString& text, qint32 length) {
    const QByteArray raw = Platform::StringToAnsi(text);
    for (qint32 i = 0; i < length; ++i)
        SetImageByte(address + i, i < raw.size() ? static_cast<quint8>(raw[i]) : 0x00);
}

void InitMessages() {
    gMsgCommError[1] = QStringLiteral("Communication Error!");
    gMsgPortError[1] = QStringLiteral("Cannot Open Communication Port.");
    gMsgSystemError[1] = QStringLiteral("Unkown operating system!");
    gMsgReadDone[1] = QStringLiteral("Read Complete!");
    gMsgWriteDone[1] = QStringLiteral("Write Complete!");
    gMsgMulWriteDone[1] = QStringLiteral("MulWrite Complete!");
    gMsgCommError[2] = QStringLiteral("通信错误！");
    gMsgPortError[2] = QStringLiteral("不能打开串口。");
    gMsgSystemError[2] = QStringLiteral("未知操作系统");
    gMsgReadDone[2] = QStringLiteral("读取完成！");
    gMsgWriteDone[2] = QStringLiteral("写入完成！");
    gMsgMulWriteDone[2] = QStringLiteral("批写入完成！");
}

void InitDefaults() {
    TRadioInfo& d = gDealerInfo;
    d.DTMF = 1;
    d.Scramble = 1;
    d.Factory = 1;
    d.Kill = 0;
    d.Stun = 0;
    d.BandCode = 0;
    StoreFixed(d.Password, QString());
    const QDate today = QDate::currentDate();
    StoreFixed(d.SerialNumber, today.toString(QStringLiteral("yyyyMMdd")) + "00000001");
    StoreFixed(d.ProductedDate, QLocale::system().toString(today, QLocale::ShortFormat));
    StoreFixed(d.BatchNumber, today.toString(QStringLiteral("MM")) + "-1-E-1");
    StoreFixed(d.UserCode, QStringLiteral("001A"));
    for (FixedText<16>* f :
         {&d.MaintainedDate, &d.DealerCode, &d.StockDate, &d.SellDate, &d.Seller})
        StoreFixed(*f, QString());
    StoreFixed(d.Description, QString());
    d.Version = QStringLiteral("V2.00");
    d.AreaCode = QStringLiteral("0595");
    d.RadioType = QStringLiteral("KL740");
    InitMessages();
}

void DecodeRadioInfo() {
    for (const AreaText& f : AreaTexts())
        f.store(f.rule == TextRule::ByteByByte ? ByteText(f.address, f.width)
                                               : ConvertedText(f.address, f.width));
    gDealerInfo.BandCode = ImageByte(kBandAddress);
    const quint8 flags = ImageByte(kFlagsAddress);
    for (const AreaFlag& f : AreaFlags())
        gDealerInfo.*f.field = Bytes::GetBit(flags, f.bit) ? 1 : 0;
}

void EncodeDealerInfo() {
    for (const AreaText& f : AreaTexts())
        if (f.writer == Writer::Dealer) PutString(f.address, f.value(), f.width);
    quint8 flags = ImageByte(kFlagsAddress);
    for (const AreaFlag& f : AreaFlags())
        if (f.written) flags = Bytes::SetBit(flags, f.bit, gDealerInfo.*f.field != 0);
    SetImageByte(kFlagsAddress, flags);
}

} // namespace ModData

} // namespace Halbrek
