// SPDX-License-Identifier: GPL-3.0-or-later
// The compact form of a content set that the build embeds in the player: every list and the
// pixels of every figure of a set the checker has accepted, read back without parsing,
// checking or decoding it again.
#pragma once

#include "danni.h"

#include <QByteArray>
#include <optional>

namespace kovra {

[[nodiscard]] QByteArray packContent(const KOVRA_Danni &content);

// None when the bytes are not a whole packed set of this version: wrong header, cut short,
// sizes past the end, or bytes left over. The figures use the pixels where they lie in
// `packed` and keep its bytes alive; QByteArray::fromRawData reads a resource in place.
[[nodiscard]] std::optional<KOVRA_Danni> unpackContent(const QByteArray &packed);

} // namespace kovra
