// The compact form of a content set that the build embeds in the player: every list and every
// figure file of a set the checker has accepted, read back without parsing or checking it
// again.
#pragma once

#include "danni.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace kovra {

// A set as the loader gives it. A figure that has already been decoded is stored as PNG.
[[nodiscard]] QByteArray packContent(const KOVRA_Danni &content);

// None when the bytes are not a whole packed set of this version: wrong header, cut short,
// sizes past the end, or bytes left over.
[[nodiscard]] std::optional<KOVRA_Danni> unpackContent(QByteArrayView packed);

} // namespace kovra
