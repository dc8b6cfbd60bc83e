#include "link/PendingCodec.h"

std::array<quint8, kImageSize> gImage{};
std::array<quint8, kRadioInfoSize> gRadioInfoImage{};
std::array<quint8, 4> gIdentFlags{};
std::array<quint8, 4> gSavedIdentFlags{};

namespace ModCommFun {

// The channel slots carry the receive frequency codes; enough to see a
// configuration travel both ways.
void EncodeImage() {
    for (int i = 0; i < gEditData.UsedCount(); ++i) {
        const TChannel& ch = gEditData.Channels[i];
        if (ch.Number < 1 || ch.Number > kMaxChannels) continue;
        const quint32 value = ch.RxFreq.Text().trimmed().toUInt();
        const int base = 16 * (ch.Number - 1);
        for (int b = 0; b < 4; ++b)
            gImage[base + b] = static_cast<quint8>(value >> (24 - 8 * b));
    }
}

void DecodeImage() {
    gEditData.ChannelCount = 0;
    for (int slot = 0; slot < kMaxChannels; ++slot) {
        quint32 value = 0;
        for (int b = 0; b < 4; ++b)
            value = (value << 8) | gImage[16 * slot + b];
        if (value == 0xFFFFFFFFu) continue;
        TChannel& ch = gEditData.Channels[gEditData.ChannelCount++];
        ch = TChannel{};
        ch.Number = static_cast<qint16>(slot + 1);
        ch.RxFreq.Assign(QString::number(value));
    }
    SplitIdentFlags(gSavedIdentFlags);
}

void SplitIdentFlags(std::array<quint8, 4>& saved) {
    for (int i = 0; i < 4; ++i) {
        gIdentFlags[i] = (gImage[0xB0C] >> (3 - i)) & 1;
        if (saved[i] == 0) saved[i] = gIdentFlags[i];
    }
}

void DecodeRadioInfo(TLocalInfo& info) {
    QString area;
    for (int i = 0; i < 4 && gRadioInfoImage[i] != 0 && gRadioInfoImage[i] != 0xFF; ++i)
        area.append(QChar(gRadioInfoImage[i]));
    info.AreaCode = area;
    QByteArray serial;
    for (int i = 0x30; i < 0x40 && gRadioInfoImage[i] != 0 && gRadioInfoImage[i] != 0xFF; ++i)
        serial.append(static_cast<char>(gRadioInfoImage[i]));
    info.SerialNumber.Assign(QString::fromLatin1(serial));
}

} // namespace ModCommFun
