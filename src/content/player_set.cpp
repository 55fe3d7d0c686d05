// SPDX-License-Identifier: GPL-3.0-or-later
#include "player_set.h"

#include "packed.h"

#include <QResource>

namespace kovra {

namespace {
constexpr char kPackedSet[] = ":/kovra/player/builtin.kovraset";
} // namespace

LoadResult loadPlayerContent()
{
    // The resource is stored uncompressed: its bytes are read in place.
    const QResource resource(QString::fromLatin1(kPackedSet));
    std::optional<KOVRA_Danni> content;
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        content = unpackContent(QByteArray::fromRawData(
            reinterpret_cast<const char *>(resource.data()), resource.size()));
    }
    if (!content) {
        return {std::nullopt,
                {{.kind = ProblemKind::Damaged, .text = QString::fromLatin1(kPackedSet)}}};
    }
    return {std::move(content), {}};
}

} // namespace kovra
