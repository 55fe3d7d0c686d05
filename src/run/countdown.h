// SPDX-License-Identifier: GPL-3.0-or-later
// The time a test for marks leaves a pupil: counted on a clock that only goes forward, told as
// minutes and seconds, with a warning once when 5 minutes are left and once at 1.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace kovra {

enum class TimeWarning
{
    FiveMinutes,
    OneMinute,
};

class Countdown
{
public:
    // `leftMs` from the clock's reading `nowMs`; warnings already past are not given again.
    Countdown(qint64 leftMs, qint64 nowMs);

    struct Tick
    {
        qint64 leftMs = 0;
        std::optional<TimeWarning> warning; // the first time the time left passes one
        bool over = false;                  // no time is left: the answers are handed in
    };
    // What the clock's reading `nowMs` leaves; a clock gone back counts as standing still.
    Tick tick(qint64 nowMs);

    [[nodiscard]] qint64 leftMs() const { return m_left; }

private:
    qint64 m_left;
    qint64 m_last;
    int m_warned = 0; // warnings given: none, the 5 minutes', both
};

// "39:59": the minutes and seconds left, rounded up to the second, so that 0:00 is the end.
[[nodiscard]] QString timeLeftText(qint64 leftMs);

} // namespace kovra
