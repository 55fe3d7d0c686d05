// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1251, the 8-bit Cyrillic encoding in which all content and run-list text is held.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace kovra {

// Bytes to Unicode, for the moment text reaches a widget.
QString fromCp1251(QByteArrayView bytes);

// Unicode to bytes; no value when a character has no Windows-1251 byte.
std::optional<QByteArray> toCp1251(QStringView text);

// A UTF-8 literal of the program's own texts as Windows-1251 bytes; every character of such a
// text must have a Windows-1251 byte.
QByteArray w1251(const char *utf8);

// The first character of text that has no Windows-1251 byte, if any.
std::optional<QChar> firstUnencodable(QStringView text);

} // namespace kovra
