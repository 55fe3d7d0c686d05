// SPDX-License-Identifier: GPL-3.0-or-later
// Recording an answer, and the phrase of phrase mode.
#pragma once

#include "../content/danni.h"
#include "../run/run_state.h"

#include <QByteArray>

namespace kovra {

// Writes the chosen slot for the current position; counts the position as answered when it
// was not. Returns whether this was its first answer.
bool recordChosenSlot(RunState &state, int slot);

// Takes the verdict from the chosen text against the key, keeps the text for the check pair
// when the question is the first or the last of the content, and notes the clicked slot.
void recordVerdict(RunState &state, const KOVRA_Danni &content, int slot,
                   const QByteArray &chosenText);

// The question text with the answer put into its first blank of "_": the text before the
// blank, a space, the answer, a space, and the text after the blank less its first character.
// A text without a blank keeps the whole text as the part before it.
QByteArray buildPhrase(const QByteArray &text, const QByteArray &answer);

} // namespace kovra
