// SPDX-License-Identifier: GPL-3.0-or-later
// The content set built into the program.
#pragma once

#include "loader.h"

namespace kovra {

// The set as the content folder gives it, for the checker and the tests; the player plays
// the packed form of it (player_set.h).
LoadResult loadBuiltInContent();

} // namespace kovra
