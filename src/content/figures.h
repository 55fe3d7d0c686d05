// SPDX-License-Identifier: GPL-3.0-or-later
// Figures: how large the program ever draws one, and how a figure file is checked and decoded
// to at most that size. A figure file is hostile input: its format is told by its leading
// bytes, its markers or chunks are walked and bounded before a decoder sees it.
#pragma once

#include "model/test.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <optional>
#include <vector>

namespace kovra {

// The figure area is 225 x 137 logical pixels; the program draws it at up to twice that
// density, so no figure is ever drawn from more pixels than these.
inline constexpr QSize kLargestFigure{450, 274};
// Figure files with more pixels than this are refused before they are decoded.
inline constexpr qint64 kMaxFigurePixels = 50'000'000;
// A figure file's bytes, in a folder as in a test file's entry.
inline constexpr qint64 kMaxFigureFileBytes = qint64{32} * 1024 * 1024;

// The size a figure of `size` pixels is held in: within kLargestFigure, proportions kept,
// never enlarged.
[[nodiscard]] QSize fittedFigureSize(QSize size);

// Whether a figure of this size is refused before it is decoded.
[[nodiscard]] bool tooLargeFigure(QSize size);

// A reader over a figure file's bytes with the named decoder alone (Qt would load every
// format's decoder to ask it), or the decoder of the format its leading bytes tell when none is
// named; it turns the picture upright as the camera wrote. A PNG's decoder is handed its
// critical chunks and its transparency alone, and what the image readers (Qt's, libjpeg's,
// libpng's) say while it lives is dropped: the problem is told in our words.
class FigureReader
{
public:
    FigureReader(const QByteArray &bytes, const QByteArray &format);
    ~FigureReader();
    FigureReader(const FigureReader &) = delete;
    FigureReader &operator=(const FigureReader &) = delete;

    [[nodiscard]] QImageReader &reader() { return m_reader; }
    // The decoder's format: "jpeg", "png", "gif", "bmp" or "webp"; empty when none reads it.
    [[nodiscard]] const QByteArray &format() const { return m_format; }
    // The size of the picture as shown: a quarter turn swaps the sides.
    [[nodiscard]] QSize shownSize();
    // Decodes to `shown` (the size as shown), scaling before the turn.
    [[nodiscard]] QImage read(QSize shown);

private:
    bool turned();

    QByteArray m_format;
    QBuffer m_buffer;
    QImageReader m_reader;
};

// A figure whose decoder holds the whole picture (a PNG, a progressive JPEG, GIF, BMP, WebP) is
// refused when that takes more than these bytes: 4 a pixel, 16 for a PNG of 16 bits a channel
// (held twice over while it is read), and for a progressive JPEG 2 for each coefficient it
// keeps (3 a pixel for 4:2:0 colour, 6 for 4:4:4). A baseline JPEG is decoded straight to an
// eighth of its size.
inline constexpr qint64 kMaxWholeFigureBytes = qint64{128} * 1024 * 1024;
// The pixels of all the figures of a test file that are decoded whole, together: what a
// decoder goes through at about 50 million pixels a second. A written test's figures are
// fitted to kLargestFigure, 3.6 million pixels for 29 of them.
inline constexpr qint64 kMaxWholeFigurePixelsInAll = 40'000'000;
// A JPEG's scans (a baseline JPEG has one per colour or one in all, a progressive one about ten):
// each is a pass of the decoder over the whole picture.
inline constexpr int kMaxJpegScans = 64;
// A PNG's ancillary chunks (texts, colour profile, time, animation frames); none of them is
// handed to the decoder but the transparency.
inline constexpr int kMaxPngAncillaryChunks = 256;

// The figure formats read. A test file holds only what the writer makes, JPEG and PNG; a folder
// or a bank may bring GIF, BMP or WebP, which the writer turns into PNG or JPEG.
enum class FigureSource
{
    TestFile,
    Authored,
};

// The figure in a file's bytes, as the program holds it: turned upright as the camera wrote,
// and decoded straight to its fitted size (a JPEG decoder does so from the coded data at a
// fraction of the cost and memory of the full picture). `format` names the decoder; empty, the
// file's leading bytes tell it.
[[nodiscard]] QImage decodeFigure(const QByteArray &bytes, const QByteArray &format = {});

// What a figure file is, from its leading bytes and the walk of its markers or chunks, before
// anything is decoded: its format (the decoder named when it is decoded), size as the header
// gives it, and what decoding it at an eighth of its size costs in memory.
struct FigureCheck
{
    std::optional<QByteArray> format; // present when it passed
    std::optional<FigureFault> fault;
    QSize size;
    qint64 decodeBytes = 0; // the memory its decoding takes, about
    qint64 wholePixels = 0; // the pixels when its decoder goes through all of them, else 0
};
[[nodiscard]] FigureCheck inspectFigure(const QByteArray &bytes, FigureSource source);
// Decodes an inspected figure at an eighth of its size; false when it does not decode.
[[nodiscard]] bool decodesAtAnEighth(const QByteArray &bytes, const FigureCheck &inspected);

// The figures checked at once: at most this many threads, and this much decoding memory
// together (a figure that takes more is decoded alone).
inline constexpr std::size_t kMaxFiguresAtOnce = 4;
inline constexpr qint64 kMaxFigureBytesAtOnce = qint64{128} * 1024 * 1024;

// An inspected figure to decode, and its check, which loses its format when it does not decode.
struct FigureToDecode
{
    const QByteArray *bytes;
    FigureCheck *check;
};
// Decodes the figures that passed their inspection at an eighth of their size, on every core at
// once while the memory of those being decoded stays within kMaxFigureBytesAtOnce.
void decodeAtAnEighth(const std::vector<FigureToDecode> &figures);

} // namespace kovra
