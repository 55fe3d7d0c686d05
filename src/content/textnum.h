// SPDX-License-Identifier: GPL-3.0-or-later
// Numeric reading of text, as the content and run lists store numbers.
#pragma once

#include <QByteArrayView>
#include <cstdint>

namespace kovra {

// The leading decimal number of a text: blanks skipped, an optional minus sign, digits with an
// optional decimal point. A text without a number reads as 0.
double readNumber(QByteArrayView text);

// A number used as a row or widget index: nearest whole number, halves to even,
// held as a signed 16-bit value.
std::int16_t toIndex(double value);

// readNumber followed by toIndex.
std::int16_t readIndex(QByteArrayView text);

// The flag digit of a settings row: its last character read as a number
// (a digit gives its value, anything else, or an empty row, gives 0).
int flagDigit(QByteArrayView row);

// Single-precision rounding to the nearest integer with halves to even.
std::int32_t roundHalfEven(float value);

// A whole number as plain decimal text, the way the run lists store it.
QByteArray decimal(long long value);

} // namespace kovra
