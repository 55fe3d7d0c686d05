// SPDX-License-Identifier: GPL-3.0-or-later
// Figure fitting: the compact file a test file stores a figure in.
#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>

namespace kovra {

// A test file keeps each figure twice when it is larger than the player shows it: fitted to the
// pupil's figure area (kLargestFigure), which is what the player reads and checks at its start,
// and for paper, at up to this many pixels on its long side (about 7 cm at 300 dots an inch).
enum class FigureUse
{
    Screen,
    Paper,
};
inline constexpr int kPaperFigureSide = 800;
// The size a figure of `size` pixels is kept in for that use: proportions kept, never enlarged.
[[nodiscard]] QSize keptFigureSize(QSize size, FigureUse use);

// A figure file fitted for a test file: the file itself when it is a JPEG or PNG no larger than
// the use needs, else its fitted picture encoded as PNG (drawings: crisp edges, often smaller)
// or JPEG (photographs), whichever is smaller. The content tells the format (a GIF, BMP or WebP
// is always encoded again); the stored file's ending is in the result.
struct FittedFigure
{
    QByteArray bytes;
    QByteArray suffix;
    bool refitted = false;
};
// The figure for the screen, and for paper when the figure is larger than the screen's.
struct FittedFigures
{
    FittedFigure screen;
    std::optional<FittedFigure> paper;
};
[[nodiscard]] std::optional<FittedFigures> fitFigureFile(const QByteArray &bytes);

} // namespace kovra
