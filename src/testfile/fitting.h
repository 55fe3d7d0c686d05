// SPDX-License-Identifier: GPL-3.0-or-later
// Figure fitting: the compact file a test file stores a figure in.
#pragma once

#include <QByteArray>
#include <optional>

namespace kovra {

// A figure file fitted for a test file: the file itself when it is a JPEG or PNG no larger than
// a test ever needs, else its fitted picture encoded as PNG (drawings: crisp edges, often
// smaller) or JPEG (photographs), whichever is smaller. The content tells the format (a GIF,
// BMP or WebP is always encoded again); the stored file's ending is in the result.
struct FittedFigure
{
    QByteArray bytes;
    QByteArray suffix;
    bool refitted = false;
};
[[nodiscard]] std::optional<FittedFigure> fitFigureFile(const QByteArray &bytes);

} // namespace kovra
