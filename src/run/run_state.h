// SPDX-License-Identifier: GPL-3.0-or-later
// The state of one test run: five counters and seven run lists.
#pragma once

#include "../content/textlist.h"

#include <array>
#include <cstdint>

namespace kovra {

// Names of the run lists, by their index in List2.
enum RunList : int
{
    ChosenSlotList = 0,    // by position: the slot last chosen, "-1" when none
    QuestionOrderList = 1, // by position: the question index shown there
    AnswerOrderList = 2,   // by question index: its answer-order string
    VerdictList = 3,       // by position: "-1" unanswered, "1" right, "0" wrong
    CorrectSlotList = 4,   // by position: the slot showing the key, "-1" until displayed
    StepPrimeList = 5,     // the primes the question-order step is drawn from
    CheckPairList = 6,     // the answers last chosen for question index 0 and N-1
};

struct RunState
{
    RunState();

    std::int16_t CurrentPos = 0;
    std::int16_t QuestionCount = 0;
    std::int16_t OrderStep = 0;
    std::int16_t AnsweredCount = 0;
    std::int16_t ClickedOption = 0;

    [[nodiscard]] TextList &List2(int index) { return m_lists.at(static_cast<std::size_t>(index)); }
    [[nodiscard]] const TextList &List2(int index) const
    {
        return m_lists.at(static_cast<std::size_t>(index));
    }

    // Question index shown at a position.
    [[nodiscard]] std::int16_t questionAt(int position) const;
    [[nodiscard]] bool isAnswered(int position) const;

private:
    std::array<TextList, 7> m_lists;
};

} // namespace kovra
