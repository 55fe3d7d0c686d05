// SPDX-License-Identifier: GPL-3.0-or-later
// Figures: how large the program ever draws one, how a figure file is decoded to at most that
// size, and the compact file a test stores it in.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <optional>

namespace kovra {

// The figure area is 225 x 137 logical pixels; the program draws it at up to twice that
// density, so no figure is ever drawn from more pixels than these.
inline constexpr QSize kLargestFigure{450, 274};
// Figure files with more pixels than this are refused before they are decoded.
inline constexpr qint64 kMaxFigurePixels = 50'000'000;

// The size a figure of `size` pixels is held in: within kLargestFigure, proportions kept,
// never enlarged.
[[nodiscard]] QSize fittedFigureSize(QSize size);

enum class FigureFault
{
    NotAnImage, // no decoder reads it
    TooLarge,   // more than kMaxFigurePixels
};

// The figure in a file's bytes, as the program holds it: turned upright as the camera wrote,
// and decoded straight to its fitted size (a JPEG decoder does so from the coded data at a
// fraction of the cost and memory of the full picture). `format` names the decoder to try
// first; empty, the content tells.
[[nodiscard]] QImage decodeFigure(const QByteArray &bytes, const QByteArray &format = {});

// Whether the bytes are a figure the program can show, read from the header and decoded at
// an eighth of the size; the format that decoded it.
struct FigureCheck
{
    std::optional<QByteArray> format;
    std::optional<FigureFault> fault;
    QSize size; // as the header gives it
};
[[nodiscard]] FigureCheck checkFigure(const QByteArray &bytes, const QByteArray &suffix);

// A figure file fitted for a test file: the file itself when it is no larger than a test ever
// needs, else its fitted picture encoded as PNG (drawings: crisp edges, often smaller) or
// JPEG (photographs), whichever is smaller. `suffix` is the file's ending, the format tried
// first; the stored file's ending is in the result.
struct FittedFigure
{
    QByteArray bytes;
    QByteArray suffix;
    bool refitted = false;
};
[[nodiscard]] std::optional<FittedFigure> fitFigureFile(const QByteArray &bytes,
                                                        const QByteArray &suffix);

} // namespace kovra
