// The content set built into the program.
#pragma once

#include "loader.h"

namespace kovra {

// The build has checked this set in full; the player may load it with FigureCheck::Header.
LoadResult loadBuiltInContent(FigureCheck check);

} // namespace kovra
