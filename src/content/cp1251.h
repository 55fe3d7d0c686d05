// SPDX-License-Identifier: GPL-3.0-or-later
// The text the program holds, content and run lists alike: Windows-1251, the 8-bit Cyrillic
// encoding, in which a character it has not (√, ≤, π, Greek, Arabic) is held as the one byte it
// leaves unassigned (0x98) followed by the character's UTF-8 bytes. Text within Windows-1251
// is held byte for byte as that code page has it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace kovra {

// Bytes to Unicode, for the moment text reaches a widget.
QString fromCp1251(QByteArrayView bytes);

// A Windows-1251 file's bytes to Unicode, every byte as that code page has it.
QString fromWindows1251(QByteArrayView bytes);

// Unicode to bytes; no value only for a lone surrogate, which is no character.
std::optional<QByteArray> toCp1251(QStringView text);

// A UTF-8 literal of the program's own texts as Windows-1251 bytes; every character of such a
// text must have a Windows-1251 byte.
QByteArray w1251(const char *utf8);

// The first lone surrogate of a text, which cannot be held, if any.
std::optional<QChar> firstUnencodable(QStringView text);

} // namespace kovra
