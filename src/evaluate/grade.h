// SPDX-License-Identifier: GPL-3.0-or-later
// Grading a run and the check verdict.
#pragma once

#include "../run/run_state.h"

#include <QByteArray>

namespace kovra {

// Positions whose verdict row is exactly "1".
int countRight(const RunState &state);

// count * 100 / total, rounded down.
int percent(int count, int total);

// The result caption followed by "count/total = pct%".
QByteArray scoreLine(const QByteArray &caption, int count, int total);

// The same of a score in points that may be partial, as "2,5/4 = 62%".
QByteArray creditScoreLine(const QByteArray &caption, double points, int total);

// The check caption: whether the first question and its repeat got the same answer text,
// or "Частично!" while any position is unanswered. Windows-1251.
QByteArray totoVerdict(const RunState &state);

} // namespace kovra
