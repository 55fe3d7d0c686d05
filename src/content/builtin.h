// The content set built into the program.
#pragma once

#include "loader.h"

namespace kovra {

LoadResult loadBuiltInContent();

} // namespace kovra
