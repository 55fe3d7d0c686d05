// SPDX-License-Identifier: GPL-3.0-or-later
#include "grade.h"

#include "../content/cp1251.h"
#include "../content/textnum.h"

#include <cmath>

namespace kovra {

int countRight(const RunState &state)
{
    const TextList &verdicts = state.List2(VerdictList);
    double count = 0;
    for (int r = 0; r < state.QuestionCount; ++r) {
        if (verdicts.list(r) == "1") {
            count += 1;
        }
    }
    return static_cast<int>(count);
}

int percent(int count, int total)
{
    return count * 100 / total;
}

QByteArray scoreLine(const QByteArray &caption, int count, int total)
{
    return caption + decimal(count) + '/' + decimal(total) + " = " +
           decimal(percent(count, total)) + '%';
}

QByteArray creditScoreLine(const QByteArray &caption, double points, int total)
{
    // Hundredths, with a decimal comma and no trailing zero; a whole number as a whole one.
    QByteArray shown = QByteArray::number(std::round(points * 100) / 100, 'f', 2);
    while (shown.contains('.') && (shown.endsWith('0') || shown.endsWith('.'))) {
        shown.chop(1);
    }
    shown.replace('.', ',');
    const int pct = total > 0 ? static_cast<int>(std::floor(points * 100 / total + 1e-6)) : 0;
    return caption + shown + '/' + decimal(total) + " = " + decimal(pct) + '%';
}

QByteArray totoVerdict(const RunState &state)
{
    const TextList &pair = state.List2(CheckPairList);
    const char *caption = pair.list(0) == pair.list(1) ? "Проверка - Да" : "Вероятно!";
    if (state.AnsweredCount < state.QuestionCount) {
        caption = "Частично!";
    }
    return w1251(caption);
}

} // namespace kovra
