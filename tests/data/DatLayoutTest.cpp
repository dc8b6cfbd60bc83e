#include "data/DatLayout.h"
#include "data/Bytes.h"

#include <gtest/gtest.h>

namespace {

quint16 LE16(const QByteArray& b, int at) {
    return Bytes::GetLE16(reinterpret_cast<const uchar*>(b.constData()) + at);
}

TEST(DatLayoutTest, TheMapsCoverEveryByteOfTheRecordsWithoutGaps) {
    EXPECT_EQ(DatLayout::RadioDataMap().Size(), 8597);
    EXPECT_EQ(DatLayout::RadioDataMap().CoveredBytes(), 8597);
    EXPECT_EQ(DatLayout::ChannelMap().Size(), 60);
    EXPECT_EQ(DatLayout::ChannelMap().CoveredBytes(), 60);
}

TEST(DatLayoutTest, EveryFieldLandsAtItsFileOffset) {
    TRadioData d;
    d.Version.Assign("V200");
    d.ChannelCount = 3;
    TChannel& c = d.Channels[1];
    c.Number = 0x0102;
    c.NoData = 0x0304;
    c.RxFreq.Assign("43510000");
    c.OffsetDir = 2;
    c.Offset.Assign("0500000");
    qint16 v = 100;
    for (qint16 TChannel::*f :
         {&TChannel::RxTone,         &TChannel::TxTone,    &TChannel::RxStep,
          &TChannel::TxStep,         &TChannel::TxInhibit, &TChannel::InvTalkSelect,
          &TChannel::Scramble,       &TChannel::BusyLock,  &TChannel::Talkaround,
          &TChannel::SignalRelation, &TChannel::Whisper,   &TChannel::PttId,
          &TChannel::Bandwidth,      &TChannel::OptSignal, &TChannel::Compander,
          &TChannel::Inversion,      &TChannel::TxPower,   &TChannel::Call1,
          &TChannel::Call2,          &TChannel::ScanSkip})
        c.*f = v++;
    d.RadioFreList[19].Empty = 7;
    d.RadioFreList[19].Fre.Assign("08750000");
    d.TestFreList[10].First.Assign("11111111");
    d.TestFreList[10].Second.Assign("22222222");
    d.ModelInfo.ModelName.Assign("KL740G");
    d.ModelInfo.BandCode = 32;
    d.Settings.OptFeatures[17] = 0x1717;
    d.Settings.Dtmf.Fields[8] = 0x0808;
    d.Settings.Dtmf.Id.Assign("1234567890");
    d.Settings.Dtmf.IdLen = 10;
    d.Settings.Dtmf.Bot.Len = 1;
    d.Settings.Dtmf.Eot.Len = 2;
    d.Settings.Dtmf.Stun.Len = 3;
    d.Settings.Dtmf.Kill.Len = 4;
    d.Settings.Dtmf.Codes[15].Len = 16;
    d.Settings.Dtmf.Codes[15].Digits.Assign("0123456789ABCD*#");
    d.Settings.EmbMsg[3].Assign("LAST LINE");
    d.Settings.Keys[5] = 0x0505;
    d.Settings.Alert[9] = 0xA9;
    d.Settings.Scan[11] = 0xB1;
    d.ProhibitInit = 1;

    const QByteArray b = DatLayout::Pack(d);
    ASSERT_EQ(b.size(), 8597);
    EXPECT_EQ(b.mid(0, 4), "V200");
    EXPECT_EQ(LE16(b, 4), 3);
    const int ch = 6 + 60;
    EXPECT_EQ(LE16(b, ch + 0), 0x0102);
    EXPECT_EQ(LE16(b, ch + 2), 0x0304);
    EXPECT_EQ(b.mid(ch + 4, 8), "43510000");
    EXPECT_EQ(static_cast<quint8>(b[ch + 12]), 2);
    EXPECT_EQ(b.mid(ch + 13, 7), "0500000");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(LE16(b, ch + 20 + 2 * i), 100 + i) << "integer field " << i;
    EXPECT_EQ(LE16(b, 7686 + 190), 7);
    EXPECT_EQ(b.mid(7686 + 192, 8), "08750000");
    EXPECT_EQ(b.mid(7886 + 160, 16), "1111111122222222");
    EXPECT_EQ(b.mid(8062, 7), "KL740G ");
    EXPECT_EQ(LE16(b, 8069), 32);
    EXPECT_EQ(LE16(b, 8071 + 34), 0x1717);
    EXPECT_EQ(LE16(b, 8107 + 16), 0x0808);
    EXPECT_EQ(b.mid(8107 + 18, 10), "1234567890");
    EXPECT_EQ(LE16(b, 8107 + 28), 10);
    EXPECT_EQ(LE16(b, 8107 + 30), 1);
    EXPECT_EQ(LE16(b, 8107 + 48), 2);
    EXPECT_EQ(LE16(b, 8107 + 66), 3);
    EXPECT_EQ(LE16(b, 8107 + 84), 4);
    EXPECT_EQ(LE16(b, 8107 + 102 + 18 * 15), 16);
    EXPECT_EQ(b.mid(8107 + 104 + 18 * 15, 16), "0123456789ABCD*#");
    EXPECT_EQ(b.mid(8497 + 48, 16), "LAST LINE       ");
    EXPECT_EQ(LE16(b, 8561 + 10), 0x0505);
    EXPECT_EQ(static_cast<quint8>(b[8573 + 9]), 0xA9);
    EXPECT_EQ(static_cast<quint8>(b[8583 + 11]), 0xB1);
    EXPECT_EQ(LE16(b, 8595), 1);

    TRadioData back;
    ASSERT_TRUE(DatLayout::Unpack(b, back));
    EXPECT_EQ(back, d);
    EXPECT_EQ(DatLayout::Pack(back), b);
}

TEST(DatLayoutTest, OnlyFullAndShortRecordsAreRead) {
    TRadioData d;
    d.ChannelCount = 5;
    d.ProhibitInit = 1;
    const QByteArray full = DatLayout::Pack(d);

    TRadioData shortRead;
    shortRead.ProhibitInit = 1;
    ASSERT_TRUE(DatLayout::Unpack(full.left(8595), shortRead));
    EXPECT_EQ(shortRead.ChannelCount, 5);
    EXPECT_EQ(shortRead.ProhibitInit, 0) << "a short record has no ProhibitInit";

    for (int size : {0, 8594, 8596, 8598}) {
        TRadioData untouched;
        untouched.ChannelCount = 9;
        QByteArray bytes = full;
        bytes.resize(size);
        EXPECT_FALSE(DatLayout::Unpack(bytes, untouched)) << size;
        EXPECT_EQ(untouched.ChannelCount, 9) << size;
    }
}

TEST(DatLayoutTest, TheSideRecordIsFiveBytes) {
    TExtraData e;
    e.Version.Assign("V200");
    e.AlertMode = 0;
    const QByteArray b = DatLayout::PackExtra(e);
    EXPECT_EQ(b, QByteArray("V200\0", 5));
    TExtraData back;
    EXPECT_TRUE(DatLayout::UnpackExtra(b, back));
    EXPECT_EQ(back, e);
    EXPECT_FALSE(DatLayout::UnpackExtra(b + "x", back));
}

TEST(DatLayoutTest, BitFieldHelpers) {
    EXPECT_EQ(Bytes::GetBits(0xB4, 7, 4), 0xB);
    EXPECT_EQ(Bytes::GetBits(0xB4, 2, 0), 4);
    EXPECT_EQ(Bytes::SetBits(0xFF, 3, 0, 0x5), 0xF5);
    EXPECT_EQ(Bytes::SetBits(0x00, 7, 6, 0x7), 0xC0) << "values are cut to the field width";
    uchar be[2];
    Bytes::PutBE16(be, 0x0B30);
    EXPECT_EQ(be[0], 0x0B);
    EXPECT_EQ(Bytes::GetBE16(be), 0x0B30);
    EXPECT_EQ(Bytes::SetBits(0x00, 1, 0, -1), 0x03) << "a negative value is cut, not shifted";
    EXPECT_EQ(Bytes::SetBit(0xFF, 3, false), 0xF7);
}

TEST(DatLayoutTest, BigEndianAndPackedDigits) {
    uchar be[4];
    Bytes::PutBE32(be, 43510000);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(be), 4), QByteArray::fromHex("0297E8F0"));
    EXPECT_EQ(Bytes::GetBE32(be), 43510000u);
    Bytes::PutBE32(be, 0xFFFFFFFFu);
    EXPECT_EQ(Bytes::GetBE32(be), 0xFFFFFFFFu);

    uchar digits[4];
    Bytes::PutHexDigits(digits, 4, u"4351E");
    EXPECT_EQ(Bytes::HexDigits(digits, 4), "4351E000") << "missing digits are 0";
    Bytes::PutHexDigits(digits, 1, u"x9");
    EXPECT_EQ(digits[0], 0x09) << "a character that is no digit counts as 0";
    EXPECT_TRUE(Bytes::IsDecimalDigits(u"43510000"));
    EXPECT_FALSE(Bytes::IsDecimalDigits(u"4351000A"));
    EXPECT_FALSE(Bytes::IsDecimalDigits(u""));

    const uchar text[] = {'A', 'B', 0xFF, 'C'};
    EXPECT_EQ(Bytes::LengthBefore(text, 4, 0x00, 0xFF), 2);
    EXPECT_EQ(Bytes::LengthBefore(text, 1, 0x00, 0xFF), 1);
}

TEST(RecordMapTest, ARecordFieldOutsideItsRecordIsRefused) {
    struct R {
        qint16 a = 0;
    };
    RecordMap<R> map(4);
    EXPECT_NO_THROW(map.Int16(2, &R::a));
    EXPECT_THROW(map.Int16(3, &R::a), std::out_of_range);
    EXPECT_EQ(map.CoveredBytes(), 2);
}

} // namespace
