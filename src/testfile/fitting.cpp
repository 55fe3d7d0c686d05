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

} // namespace

std::optional<FittedFigure> fitFigureFile(const QByteArray &bytes)
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
    const bool stored = format == "jpeg" || format == "png";
    if (fittedFigureSize(size) == size && upright && stored) {
        return FittedFigure{bytes, format == "jpeg" ? QByteArray("jpg") : format, false};
    }
    const QImage image = figure.read(fittedFigureSize(size));
    if (image.isNull()) {
        return std::nullopt;
    }
    // A drawing (few colours, even after its edges were smoothed) keeps them exact as PNG, in
    // one byte a pixel; a photograph is stored as the smaller of the two.
    const std::optional<QImage> drawing = fewColours(image);
    const QByteArray png = encoded(drawing.value_or(image), "png", 0);
    const QByteArray jpeg =
        drawing || image.hasAlphaChannel() ? QByteArray() : encoded(image, "jpeg", kPhotoQuality);
    if (!jpeg.isEmpty() && (png.isEmpty() || jpeg.size() < png.size())) {
        return FittedFigure{jpeg, "jpg", true};
    }
    if (png.isEmpty()) {
        return std::nullopt;
    }
    return FittedFigure{png, "png", true};
}

} // namespace kovra
