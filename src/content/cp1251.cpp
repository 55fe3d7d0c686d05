// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1251.h"

#include <QHash>
#include <array>

namespace kovra {

namespace {

// Unicode code points of the bytes 0x80 to 0xFF; 0 marks the one unassigned byte (0x98).
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

const QHash<char16_t, char> &reverseTable()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 128; ++i) {
            if (kHigh[i] != 0) {
                t.insert(kHigh[i], static_cast<char>(0x80 + i));
            }
        }
        return t;
    }();
    return table;
}

// The one byte Windows-1251 leaves unassigned: in the text the program holds, it stands before
// the UTF-8 bytes of a character that Windows-1251 has not.
constexpr unsigned char kOther = 0x98;

} // namespace

QString fromCp1251(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b == kOther) {
            // The UTF-8 bytes of one character that Windows-1251 has not.
            const auto lead = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
            const qsizetype want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
            if (want > 0 && i + 1 + want <= bytes.size()) {
                out += QString::fromUtf8(bytes.sliced(i + 1, want));
                i += want;
            } else {
                out += QChar(0xFFFD);
            }
            continue;
        }
        out.append(b < 0x80 ? QChar(b) : QChar(kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : 0xFFFD));
    }
    return out;
}

QString fromWindows1251(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b < 0x80 ? QChar(b) : QChar(kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : 0xFFFD));
    }
    return out;
}

std::optional<QByteArray> toCp1251(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    const auto &table = reverseTable();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            out.append(static_cast<char>(u));
            continue;
        }
        if (const auto it = table.constFind(u); it != table.constEnd()) {
            out.append(it.value());
            continue;
        }
        // Any other character: the unassigned byte, then the character's UTF-8 bytes.
        qsizetype length = 1;
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate()) {
                return std::nullopt;
            }
            length = 2;
        } else if (QChar::isLowSurrogate(u)) {
            return std::nullopt;
        }
        out.append(static_cast<char>(kOther));
        out.append(text.sliced(i, length).toUtf8());
        i += length - 1;
    }
    return out;
}

QByteArray w1251(const char *utf8)
{
    const std::optional<QByteArray> bytes = toCp1251(QString::fromUtf8(utf8));
    Q_ASSERT(bytes.has_value());
    return bytes.value_or(QByteArray());
}

std::optional<QChar> firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (ch.isSurrogate()) {
            return ch;
        }
    }
    return std::nullopt;
}

} // namespace kovra
