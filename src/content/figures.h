// SPDX-License-Identifier: GPL-3.0-or-later
// Figures: how large the program ever draws one, and how a figure file is checked and decoded
// to at most that size.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
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

// Whether a figure of this size is refused before it is decoded.
[[nodiscard]] bool tooLargeFigure(QSize size);

// A reader over a figure file's bytes with the named decoder alone (Qt would load every
// format's decoder to ask it), or with the content telling the format when none is named; it
// turns the picture upright as the camera wrote.
class FigureReader
{
public:
    FigureReader(const QByteArray &bytes, const QByteArray &format);
    FigureReader(const FigureReader &) = delete;
    FigureReader &operator=(const FigureReader &) = delete;

    [[nodiscard]] QImageReader &reader() { return m_reader; }
    // The size of the picture as shown: a quarter turn swaps the sides.
    [[nodiscard]] QSize shownSize();
    // Decodes to `shown` (the size as shown), scaling before the turn.
    [[nodiscard]] QImage read(QSize shown);

private:
    bool turned();

    QBuffer m_buffer;
    QImageReader m_reader;
};

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

} // namespace kovra
