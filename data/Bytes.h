#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <array>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/FixedText.h"

// Typed access at an offset of a byte buffer: little- and big-endian integers,
// bit fields, digits packed two per byte (BCD and hexadecimal) and the length
// of a text that ends at a stop byte.
namespace Bytes {

inline quint16 GetLE16(const uchar* p) {
    return static_cast<quint16>(p[0] | (p[1] << 8));
}
inline void PutLE16(uchar* p, quint16 v) {
    p[0] = static_cast<uchar>(v & 0xFF);
    p[1] = static_cast<uchar>(v >> 8);
}
inline quint16 GetBE16(const uchar* p) {
    return static_cast<quint16>((p[0] << 8) | p[1]);
}
inline void PutBE16(uchar* p, quint16 v) {
    p[0] = static_cast<uchar>(v >> 8);
    p[1] = static_cast<uchar>(v & 0xFF);
}

inline quint32 GetBE32(const uchar* p) {
    return (static_cast<quint32>(p[0]) << 24) | (static_cast<quint32>(p[1]) << 16) |
           (static_cast<quint32>(p[2]) << 8) | static_cast<quint32>(p[3]);
}
inline void PutBE32(uchar* p, quint32 v) {
    p[0] = static_cast<uchar>(v >> 24);
    p[1] = static_cast<uchar>((v >> 16) & 0xFF);
    p[2] = static_cast<uchar>((v >> 8) & 0xFF);
    p[3] = static_cast<uchar>(v & 0xFF);
}

// The largest value a field of bits hi..lo holds.
inline int BitsMax(int hi, int lo) {
    return (1 << (hi - lo + 1)) - 1;
}
// Bits hi..lo (7..0) of a byte as a number.
inline int GetBits(quint8 byte, int hi, int lo) {
    return (byte >> lo) & BitsMax(hi, lo);
}
// The byte with bits hi..lo replaced by value (cut to the field's width).
inline quint8 SetBits(quint8 byte, int hi, int lo, int value) {
    const int width = BitsMax(hi, lo);
    return static_cast<quint8>((byte & ~(width << lo)) | ((value & width) << lo));
}
inline bool GetBit(quint8 byte, int bit) {
    return GetBits(byte, bit, bit) != 0;
}
inline quint8 SetBit(quint8 byte, int bit, bool on) {
    return SetBits(byte, bit, bit, on ? 1 : 0);
}

// Digits packed two per byte, first digit in the high nibble: binary-coded
// decimal, or any hexadecimal digits.
// The n bytes as 2n upper-case hexadecimal digits ("43 51 00 00" gives "43510000").
inline QString HexDigits(const uchar* p, int n) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(2 * n);
    for (int i = 0; i < n; ++i) {
        out += QLatin1Char(kHex[p[i] >> 4]);
        out += QLatin1Char(kHex[p[i] & 0x0F]);
    }
    return out;
}
// The value of one hexadecimal digit; 0 for any other character.
inline int HexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return 0;
}
// Packs digit pairs 1-2, 3-4, ... of the text into n bytes; missing digits count as 0.
inline void PutHexDigits(uchar* p, int n, QStringView digits) {
    for (int i = 0; i < n; ++i) {
        const qsizetype k = 2 * static_cast<qsizetype>(i);
        const int high = k < digits.size() ? HexDigitValue(digits[k]) : 0;
        const int low = k + 1 < digits.size() ? HexDigitValue(digits[k + 1]) : 0;
        p[i] = static_cast<uchar>((high << 4) | low);
    }
}
// True when every digit of the text is a decimal digit (and there is one).
inline bool IsDecimalDigits(QStringView digits) {
    if (digits.isEmpty()) return false;
    for (QChar c : digits)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The number of bytes from p on, at most max, before the first byte that is
// one of the two stop values.
inline int LengthBefore(const uchar* p, int max, uchar stop1, uchar stop2) {
    int n = 0;
    while (n < max && p[n] != stop1 && p[n] != stop2)
        ++n;
    return n;
}

} // namespace Bytes

// A fixed binary record layout: each field of R at its offset and width, as
// the format's own table lists them. Integers are 16-bit little-endian, texts
// their exact bytes. Reading a buffer that is shorter than the layout leaves
// the fields it does not cover as they were.
template <class R> class RecordMap {
public:
    explicit RecordMap(int size) : size_(size) {}

    int Size() const { return size_; }

    RecordMap& Int16(int offset, qint16 R::*m) {
        return Add(
            offset, 2, [m](const uchar* p, R& r) { r.*m = static_cast<qint16>(Bytes::GetLE16(p)); },
            [m](const R& r, uchar* p) { Bytes::PutLE16(p, static_cast<quint16>(r.*m)); });
    }

    template <std::size_t N> RecordMap& Int16s(int offset, std::array<qint16, N> R::*m) {
        for (std::size_t i = 0; i < N; ++i)
            Add(
                offset + 2 * static_cast<int>(i), 2,
                [m, i](const uchar* p, R& r) {
                    (r.*m)[i] = static_cast<qint16>(Bytes::GetLE16(p));
                },
                [m, i](const R& r, uchar* p) {
                    Bytes::PutLE16(p, static_cast<quint16>((r.*m)[i]));
                });
        return *this;
    }

    RecordMap& Byte(int offset, quint8 R::*m) {
        return Add(
            offset, 1, [m](const uchar* p, R& r) { r.*m = p[0]; },
            [m](const R& r, uchar* p) { p[0] = r.*m; });
    }

    template <std::size_t N> RecordMap& ByteArray(int offset, std::array<quint8, N> R::*m) {
        return Add(
            offset, static_cast<int>(N),
            [m](const uchar* p, R& r) { std::copy(p, p + N, (r.*m).begin()); },
            [m](const R& r, uchar* p) { std::copy((r.*m).begin(), (r.*m).end(), p); });
    }

    template <std::size_t N> RecordMap& Text(int offset, FixedText<N> R::*m) {
        return Add(
            offset, static_cast<int>(N),
            [m](const uchar* p, R& r) { std::copy(p, p + N, (r.*m).bytes.begin()); },
            [m](const R& r, uchar* p) { std::copy((r.*m).bytes.begin(), (r.*m).bytes.end(), p); });
    }

    template <std::size_t N, std::size_t K>
    RecordMap& Texts(int offset, std::array<FixedText<N>, K> R::*m) {
        for (std::size_t i = 0; i < K; ++i)
            Add(
                offset + static_cast<int>(N * i), static_cast<int>(N),
                [m, i](const uchar* p, R& r) { std::copy(p, p + N, (r.*m)[i].bytes.begin()); },
                [m, i](const R& r, uchar* p) {
                    std::copy((r.*m)[i].bytes.begin(), (r.*m)[i].bytes.end(), p);
                });
        return *this;
    }

    // A sub-record laid out by its own map.
    template <class S> RecordMap& Record(int offset, S R::*m, const RecordMap<S>& sub) {
        return Add(
            offset, sub.Size(), [m, sub](const uchar* p, R& r) { sub.ReadFull(p, r.*m); },
            [m, sub](const R& r, uchar* p) { sub.WriteTo(r.*m, p); });
    }

    // An array of sub-records, one after the other.
    template <class S, std::size_t N>
    RecordMap& Records(int offset, std::array<S, N> R::*m, const RecordMap<S>& sub) {
        for (std::size_t i = 0; i < N; ++i)
            Add(
                offset + sub.Size() * static_cast<int>(i), sub.Size(),
                [m, sub, i](const uchar* p, R& r) { sub.ReadFull(p, (r.*m)[i]); },
                [m, sub, i](const R& r, uchar* p) { sub.WriteTo((r.*m)[i], p); });
        return *this;
    }

    // Reads every field that lies wholly inside the buffer.
    void Read(QByteArrayView in, R& r) const {
        const auto* p = reinterpret_cast<const uchar*>(in.data());
        for (const Field& f : fields_)
            if (f.offset + f.width <= in.size()) f.read(p + f.offset, r);
    }

    QByteArray Write(const R& r) const {
        QByteArray out(size_, '\0');
        WriteTo(r, reinterpret_cast<uchar*>(out.data()));
        return out;
    }

    void ReadFull(const uchar* p, R& r) const {
        for (const Field& f : fields_)
            f.read(p + f.offset, r);
    }
    void WriteTo(const R& r, uchar* p) const {
        for (const Field& f : fields_)
            f.write(r, p + f.offset);
    }

    // Sum of the field widths; equal to Size() when the fields cover the
    // record without gaps.
    int CoveredBytes() const {
        int n = 0;
        for (const Field& f : fields_)
            n += f.width;
        return n;
    }

private:
    struct Field {
        int offset;
        int width;
        std::function<void(const uchar*, R&)> read;
        std::function<void(const R&, uchar*)> write;
    };

    RecordMap& Add(int offset, int width, std::function<void(const uchar*, R&)> read,
                   std::function<void(const R&, uchar*)> write) {
        // A field outside the record is a fault of the layout table: refused
        // in every build.
        if (offset < 0 || width < 0 || offset > size_ - width)
            throw std::out_of_range("record field of " + std::to_string(width) + " bytes at " +
                                    std::to_string(offset) + " outside " + std::to_string(size_) +
                                    " bytes");
        fields_.push_back({offset, width, std::move(read), std::move(write)});
        return *this;
    }

    int size_;
    std::vector<Field> fields_;
};
