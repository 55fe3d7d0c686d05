// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer.h"

#include "../content/textnum.h"

namespace kovra {

bool recordChosenSlot(RunState &state, int slot)
{
    const int p = state.CurrentPos;
    state.List2(ChosenSlotList).setList(p, decimal(slot));
    if (readNumber(state.List2(VerdictList).list(p)) == -1) {
        ++state.AnsweredCount;
        return true;
    }
    return false;
}

void recordVerdict(RunState &state, const KOVRA_Danni &content, int slot,
                   const QByteArray &chosenText)
{
    const int p = state.CurrentPos;
    const int q = state.questionAt(p);
    state.List2(VerdictList).setList(p, chosenText == content.List1(0).list(q) ? "1" : "0");
    if (q == state.QuestionCount - 1) {
        state.List2(CheckPairList).setList(1, chosenText);
    }
    if (q == 0) {
        state.List2(CheckPairList).setList(0, chosenText);
    }
    state.List2(VerdictList).setListIndex(p);
    state.ClickedOption = static_cast<std::int16_t>(slot);
}

QByteArray buildPhrase(const QByteArray &text, const QByteArray &answer)
{
    const qsizetype length = text.size();
    const qsizetype blank = text.indexOf('_');
    const QByteArray left = blank < 0 ? text : text.left(blank);
    // i counts from 1: the first character after the blank, or past the end.
    qsizetype i = blank < 0 ? length + 1 : blank + 1;
    while (i <= length && text.at(i - 1) == '_') {
        ++i;
    }
    const QByteArray right = length > i ? text.right(length - i) : QByteArray();
    return left + ' ' + answer + ' ' + right;
}

} // namespace kovra
