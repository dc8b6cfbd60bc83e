#pragma once

#include "platform/Ansi.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>

// A text field of exactly N bytes, as the configuration record and the files
// hold it. Assigning a text pads it on the right with blanks or cuts it to N
// bytes (never in the middle of a character); the stored bytes, NULs included,
// stay as they are until the next assignment.
template <std::size_t N> struct FixedText {
    std::array<char, N> bytes{};

    static constexpr std::size_t Width = N;

    void AssignBytes(QByteArrayView raw) {
        const std::size_t n = std::min<std::size_t>(N, static_cast<std::size_t>(raw.size()));
        for (std::size_t i = 0; i < N; ++i)
            bytes[i] = i < n ? raw[static_cast<qsizetype>(i)] : ' ';
    }

    // Stores the text in the ANSI code page, blank-padded.
    void Assign(const QString& text) {
        QString t = text;
        QByteArray raw = Platform::StringToAnsi(t);
        while (static_cast<std::size_t>(raw.size()) > N && !t.isEmpty()) {
            t.chop(1);
            raw = Platform::StringToAnsi(t);
        }
        AssignBytes(raw);
    }

    // Stores a text read from a radio or a device: followed by a NUL when it
    // is shorter than the field, so that the blanks of the padding never count.
    void AssignWithNul(const QString& text) {
        if (static_cast<std::size_t>(Platform::StringToAnsi(text).size()) < N)
            Assign(text + QChar(u'\0'));
        else
            Assign(text);
    }

    void Fill(char c) { bytes.fill(c); }

    QByteArray Bytes() const { return QByteArray(bytes.data(), static_cast<qsizetype>(N)); }

    // All N bytes as text, trailing blanks and NULs included.
    QString Text() const { return Platform::AnsiToString(Bytes()); }

    bool operator==(const FixedText&) const = default;
};
