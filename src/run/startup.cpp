// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "../content/textnum.h"

#include <stdexcept>

namespace kovra {

void appendCheckQuestion(KOVRA_Danni &content)
{
    const int n = content.List1(0).listCount();
    const TextList first = content.List1(1);
    content.copyPicture1(n + 1, 1);
    content.List1(0).addItem(content.List1(0).list(0));
    TextList &check = content.List1(n + 1);
    check.clear();
    for (int row = 0; row < first.listCount(); ++row) {
        check.addItem(first.list(row));
    }
    // The check question is question 1 asked again, so the review explains it the same way.
    content.Obqsnenie(n + 1) = content.Obqsnenie(1);
}

void PickOrderStep(RunState &state, RandomSource &random)
{
    TextList &primes = state.List2(StepPrimeList);
    const int n = state.QuestionCount;
    while (primes.listCount() > 0 && readNumber(primes.list(primes.listCount() - 1)) >= n) {
        primes.removeItem(primes.listCount() - 1);
    }
    const int count = primes.listCount();
    if (count == 0) {
        throw std::domain_error("no step prime below the question count");
    }
    int row = 0;
    do {
        const std::int32_t x = roundHalfEven(random.next() * 10.0F);
        row = x % count;
        state.OrderStep = readIndex(primes.list(row));
    } while (n % state.OrderStep == 0);
    primes.setListIndex(row);
}

QByteArray drawAnswerOrder(const KOVRA_Danni &content, int choices, RandomSource &random)
{
    std::int32_t f = 1;
    for (std::int32_t i = 2; i <= choices; ++i) {
        f *= i;
    }
    const std::int32_t r = roundHalfEven(random.next() * 1000.0F) % f;
    return content.Poredica(choices).list(r);
}

void fillRunLists(const KOVRA_Danni &content, RunState &state, RandomSource &random)
{
    for (const int list :
         {ChosenSlotList, QuestionOrderList, AnswerOrderList, VerdictList, CorrectSlotList}) {
        state.List2(list).clear();
    }
    const int n = state.QuestionCount;
    for (int k = 1; k <= n; ++k) {
        state.List2(ChosenSlotList).addItem("-1");
        state.List2(QuestionOrderList).addItem(decimal((state.OrderStep * k) % n));
        const int choices = content.List1(k).listCount() - 1;
        // A question of another kind may have no choices (a typed answer) or more than a
        // choice-order table holds (matching's answers): its window orders them itself.
        const bool ordered =
            choices >= KOVRA_Danni::kMinChoices && choices <= KOVRA_Danni::kMaxChoices;
        state.List2(AnswerOrderList)
            .addItem(ordered ? drawAnswerOrder(content, choices, random) : QByteArray());
        state.List2(VerdictList).addItem("-1");
        state.List2(CorrectSlotList).addItem("-1");
    }
}

void startRun(KOVRA_Danni &content, RunState &state, RandomSource &random)
{
    if (content.flag(TotoRow) == 1) {
        appendCheckQuestion(content);
    }
    state.QuestionCount = static_cast<std::int16_t>(content.List1(0).listCount());
    PickOrderStep(state, random);
    state.AnsweredCount = 0;
    fillRunLists(content, state, random);
    state.CurrentPos = 0;
}

} // namespace kovra
