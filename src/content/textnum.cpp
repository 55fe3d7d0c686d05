// SPDX-License-Identifier: GPL-3.0-or-later
#include "textnum.h"

#include <QByteArray>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kovra {

namespace {
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
} // namespace

double readNumber(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < n && text[i] == '-') {
        negative = true;
        ++i;
    }
    double value = 0.0;
    bool any = false;
    while (i < n && isDigit(text[i])) {
        value = value * 10.0 + (text[i] - '0');
        any = true;
        ++i;
    }
    if (i < n && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < n && isDigit(text[i])) {
            value += (text[i] - '0') * scale;
            scale /= 10.0;
            any = true;
            ++i;
        }
    }
    if (!any) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::int16_t toIndex(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw std::overflow_error("index out of the 16-bit range");
    }
    return static_cast<std::int16_t>(rounded);
}

std::int16_t readIndex(QByteArrayView text)
{
    return toIndex(readNumber(text));
}

int flagDigit(QByteArrayView row)
{
    if (row.isEmpty()) {
        return 0;
    }
    const char last = row.back();
    return isDigit(last) ? last - '0' : 0;
}

std::int32_t roundHalfEven(float value)
{
    return static_cast<std::int32_t>(std::nearbyintf(value));
}

QByteArray decimal(long long value)
{
    return QByteArray::number(value);
}

} // namespace kovra
