// SPDX-License-Identifier: GPL-3.0-or-later
#include "navigation.h"

namespace kovra {

void stepPosition(RunState &state, int step)
{
    if (step == 1) {
        state.CurrentPos = static_cast<std::int16_t>(state.CurrentPos + 1);
        if (state.CurrentPos > state.QuestionCount - 1) {
            state.CurrentPos = static_cast<std::int16_t>(state.QuestionCount - 1);
        }
    } else if (step == -1) {
        state.CurrentPos = static_cast<std::int16_t>(state.CurrentPos - 1);
        if (state.CurrentPos < 0) {
            state.CurrentPos = 0;
        }
    }
}

} // namespace kovra
