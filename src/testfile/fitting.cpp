// SPDX-License-Identifier: GPL-3.0-or-later
#include "fitting.h"

#include "content/figures.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>

namespace kovra {

namespace {

// Photographs at the size they are shown need no more: at 80 a JPEG is a third smaller than
// at 90, and the check of a test file, which decodes every figure, costs a third less.
constexpr int kPhotoQuality = 80;
// A PNG quality that packs fast, to see whether PNG can win at all: Qt maps quality q to zlib's
// level (100 - q) * 9 / 91, here 1.
constexpr int kQuickPng = 89;

QByteArray encoded(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (qstrcmp(format, "jpeg") == 0) {
        writer.setOptimizedWrite(true);
    }
    return writer.write(image) ? bytes : QByteArray();
}

// The image in one byte a pixel when it has no more than 256 colours.
std::optional<QImage> fewColours(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> colours;
    QHash<QRgb, int> index;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (!index.contains(line[x])) {
                if (colours.size() == 256) {
                    return std::nullopt;
                }
                index.insert(line[x], int(colours.size()));
                colours.append(line[x]);
            }
        }
    }
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(colours);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            out[x] = static_cast<uchar>(index.value(line[x]));
        }
    }
    return indexed;
}

// The picture as a file: PNG for a drawing (few colours, even after its edges were smoothed),
// kept exact in one byte a pixel; for a photograph the smaller of JPEG and PNG, where a PNG
// that is far larger even when packed fast is not packed at its smallest.
std::optional<FittedFigure> encodedFigure(const QImage &image)
{
    const std::optional<QImage> drawing = fewColours(image);
    const QByteArray jpeg =
        drawing || image.hasAlphaChannel() ? QByteArray() : encoded(image, "jpeg", kPhotoQuality);
    const bool pngMayWin =
        jpeg.isEmpty() || encoded(image, "png", kQuickPng).size() < 2 * jpeg.size();
    const QByteArray png = pngMayWin ? encoded(drawing.value_or(image), "png", 0) : QByteArray();
    if (!jpeg.isEmpty() && (png.isEmpty() || jpeg.size() < png.size())) {
        return FittedFigure{jpeg, "jpg", true};
    }
    if (png.isEmpty()) {
        return std::nullopt;
    }
    return FittedFigure{png, "png", true};
}

} // namespace

QSize keptFigureSize(QSize size, FigureUse use)
{
    if (use == FigureUse::Screen) {
        return fittedFigureSize(size);
    }
    const QSize most(kPaperFigureSide, kPaperFigureSide);
    if (size.isEmpty() || size.boundedTo(most) == size) {
        return size;
    }
    return size.scaled(most, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

std::optional<FittedFigures> fitFigureFile(const QByteArray &bytes)
{
    FigureReader figure(bytes, {});
    const QByteArray format = figure.format();
    if (format.isEmpty()) {
        return std::nullopt;
    }
    const QSize size = figure.shownSize();
    const bool upright = figure.reader().transformation() == QImageIOHandler::TransformationNone;
    if (!size.isValid() || tooLargeFigure(size)) {
        return std::nullopt;
    }
    const bool asItIs = upright && (format == "jpeg" || format == "png");
    const FittedFigure original{bytes, format == "jpeg" ? QByteArray("jpg") : format, false};
    const QSize screen = keptFigureSize(size, FigureUse::Screen);
    if (screen == size && asItIs) {
        return FittedFigures{original, std::nullopt};
    }
    // Decoded once, at the larger of the two sizes; the screen's figure is made from it.
    const QSize paper = keptFigureSize(size, FigureUse::Paper);
    const QImage image = figure.read(paper);
    if (image.isNull()) {
        return std::nullopt;
    }
    const std::optional<FittedFigure> shown = encodedFigure(
        screen == paper ? image
                        : image.scaled(screen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    if (!shown) {
        return std::nullopt;
    }
    if (screen == paper) {
        return FittedFigures{*shown, std::nullopt};
    }
    const std::optional<FittedFigure> printed =
        paper == size && asItIs ? original : encodedFigure(image);
    if (!printed) {
        return std::nullopt;
    }
    return FittedFigures{*shown, *printed};
}

} // namespace kovra
