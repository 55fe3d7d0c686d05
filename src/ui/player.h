// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the player on a loaded content set.
#pragma once

#include "content/loader.h"

namespace kovra {

// With a valid set: shows the window and runs the event loop until Exit, returning its code.
// With a broken set: reports every problem on standard error (and in a message box on a real
// screen) and returns 1 before any window opens.
int runPlayer(LoadResult loaded);

} // namespace kovra
