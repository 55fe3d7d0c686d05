// SPDX-License-Identifier: GPL-3.0-or-later
// The content set the player plays: the built-in set, as the build checked and packed it.
#pragma once

#include "loader.h"

namespace kovra {

// The packed built-in set; a single Damaged problem when it cannot be read whole.
LoadResult loadPlayerContent();

} // namespace kovra
