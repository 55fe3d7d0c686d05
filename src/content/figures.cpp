// SPDX-License-Identifier: GPL-3.0-or-later
#include "figures.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>

namespace kovra {

namespace {

// A reader over the bytes with the named decoder alone (Qt would load every format's decoder
// to ask it), or with the content telling the format when none is named.
class FigureReader
{
public:
    FigureReader(const QByteArray &bytes, const QByteArray &format) : m_reader(&m_buffer, format)
    {
        m_buffer.setData(bytes); // shares the bytes, copies nothing
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setAutoDetectImageFormat(format.isEmpty());
        m_reader.setAutoTransform(true);
    }
    QImageReader &reader() { return m_reader; }
    // The size of the picture as shown: a quarter turn swaps the sides.
    QSize shownSize()
    {
        const QSize size = m_reader.size();
        return m_reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)
                   ? size.transposed()
                   : size;
    }
    // Decodes to `shown` (the size as shown), scaling before the turn.
    QImage read(QSize shown)
    {
        if (shown.isValid() && shown != shownSize()) {
            const bool turned =
                m_reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
            m_reader.setScaledSize(turned ? shown.transposed() : shown);
        }
        return m_reader.read();
    }

private:
    QBuffer m_buffer;
    QImageReader m_reader;
};

// Photographs at the size they are shown need no more: at 80 a JPEG is a third smaller than
// at 90, and the check of a test file, which decodes every figure, costs a third less.
constexpr int kPhotoQuality = 80;

bool tooLarge(QSize size)
{
    return size.isValid() && qint64(size.width()) * size.height() > kMaxFigurePixels;
}

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

QSize fittedFigureSize(QSize size)
{
    if (size.isEmpty() || size.boundedTo(kLargestFigure) == size) {
        return size;
    }
    return size.scaled(kLargestFigure, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage decodeFigure(const QByteArray &bytes, const QByteArray &format)
{
    FigureReader figure(bytes, format);
    const QSize size = figure.shownSize();
    if (tooLarge(size)) {
        return {};
    }
    return figure.read(fittedFigureSize(size));
}

FigureCheck checkFigure(const QByteArray &bytes, const QByteArray &suffix)
{
    FigureCheck check;
    for (const QByteArray &format : {suffix, QByteArray()}) {
        FigureReader figure(bytes, format);
        const QSize size = figure.reader().size();
        if (tooLarge(size)) {
            check.size = size;
            check.fault = FigureFault::TooLarge;
            return check;
        }
        if (size.isValid()) {
            figure.reader().setScaledSize(
                QSize(std::max(1, (size.width() + 7) / 8), std::max(1, (size.height() + 7) / 8)));
        }
        if (!figure.reader().read().isNull()) {
            check.format = format.isEmpty() ? figure.reader().format() : format;
            check.size = size;
            return check;
        }
        if (format.isEmpty()) {
            break;
        }
    }
    check.fault = FigureFault::NotAnImage;
    return check;
}

std::optional<FittedFigure> fitFigureFile(const QByteArray &bytes, const QByteArray &suffix)
{
    // The content check has decoded the figure already: its header names the decoder here.
    QByteArray format;
    for (const QByteArray &named : {suffix, QByteArray()}) {
        FigureReader probe(bytes, named);
        if (probe.reader().canRead()) {
            format = named.isEmpty() ? probe.reader().format() : named;
            break;
        }
    }
    if (format.isEmpty()) {
        return std::nullopt;
    }
    FigureReader figure(bytes, format);
    const QSize size = figure.shownSize();
    const bool upright = figure.reader().transformation() == QImageIOHandler::TransformationNone;
    if (!size.isValid() || tooLarge(size)) {
        return std::nullopt;
    }
    if (fittedFigureSize(size) == size && upright) {
        return FittedFigure{bytes, format, false};
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
