// SPDX-License-Identifier: GPL-3.0-or-later
// Moving through the run's positions.
#pragma once

#include "../run/run_state.h"

namespace kovra {

// Moves CurrentPos one position forward (+1) or back (-1), kept within the first and the last
// position; there is no wrap-around. Any other step leaves it where it is.
void stepPosition(RunState &state, int step);

} // namespace kovra
