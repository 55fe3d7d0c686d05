// SPDX-License-Identifier: GPL-3.0-or-later
#include "countdown.h"

#include <algorithm>

namespace kovra {

namespace {

constexpr qint64 kMinuteMs = 60 * 1000;
constexpr qint64 kFiveMinutesMs = 5 * kMinuteMs;

// The warnings already past with this much time left.
int warningsPast(qint64 leftMs)
{
    return leftMs <= kMinuteMs ? 2 : leftMs <= kFiveMinutesMs ? 1 : 0;
}

} // namespace

Countdown::Countdown(qint64 leftMs, qint64 nowMs)
    : m_left(std::max<qint64>(0, leftMs)), m_last(nowMs), m_warned(warningsPast(m_left))
{}

Countdown::Tick Countdown::tick(qint64 nowMs)
{
    m_left = std::max<qint64>(0, m_left - std::max<qint64>(0, nowMs - m_last));
    m_last = std::max(m_last, nowMs);
    Tick tick{m_left, std::nullopt, m_left == 0};
    const int past = warningsPast(m_left);
    if (past > m_warned && !tick.over) {
        // A clock that jumped past both warnings gives the last one only.
        tick.warning = past == 2 ? TimeWarning::OneMinute : TimeWarning::FiveMinutes;
    }
    m_warned = std::max(m_warned, past);
    return tick;
}

QString timeLeftText(qint64 leftMs)
{
    const qint64 seconds = (std::max<qint64>(0, leftMs) + 999) / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace kovra
