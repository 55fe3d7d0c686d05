// SPDX-License-Identifier: GPL-3.0-or-later
#include "figures.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <climits>
#include <cstring>

namespace kovra {

namespace {

// Qt's image readers and the libraries under them (libjpeg, libpng) warn on standard error
// about what they read, in English and often about a file made to do harm: while a figure is
// decoded on this thread, what they say is dropped. The figure's problem is told in words.
thread_local int t_decoding = 0;
QtMessageHandler g_nextHandler = nullptr;

void quietWhileDecoding(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((t_decoding > 0 && type != QtFatalMsg) || g_nextHandler == nullptr) {
        return;
    }
    g_nextHandler(type, context, message);
}

class QuietDecoding
{
public:
    QuietDecoding()
    {
        static const bool installed = [] {
            g_nextHandler = qInstallMessageHandler(quietWhileDecoding);
            return true;
        }();
        Q_UNUSED(installed);
        ++t_decoding;
    }
    ~QuietDecoding() { --t_decoding; }
    QuietDecoding(const QuietDecoding &) = delete;
    QuietDecoding &operator=(const QuietDecoding &) = delete;
};

// The format by the file's leading bytes, whatever its name says.
QByteArray formatOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF")) {
        return "jpeg";
    }
    if (bytes.startsWith("\x89PNG\r\n\x1A\n")) {
        return "png";
    }
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) {
        return "gif";
    }
    if (bytes.startsWith("BM")) {
        return "bmp";
    }
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP") {
        return "webp";
    }
    return {};
}

quint32 bigEndian(const uchar *at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8U) | at[i];
    }
    return value;
}

// What the walk of a JPEG's markers or a PNG's chunks found, before any decoder saw the file.
struct Walk
{
    QSize size;
    bool whole = false;       // the decoder holds the whole picture
    double bytesPerPixel = 4; // of the picture as decoded whole
    int count = 0;            // scans, or ancillary chunks
    bool tooMany = false;     // count passed its limit: the walk stopped there
    QByteArray decoderCopy;   // a PNG without the chunks the decoder need not read; empty: as it is
};

bool isFrameMarker(uchar marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The markers of a JPEG, each scan's coded data skipped up to the marker after it.
Walk walkJpeg(const QByteArray &bytes)
{
    Walk walk;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    double coefficients = 3; // a progressive decoder keeps, a pixel, of 2 bytes each
    bool sequential = true;
    qsizetype at = 2;
    while (at + 3 < size) {
        if (data[at] != 0xFF || data[at + 1] == 0xFF) {
            ++at; // fill bytes, or a stray byte the decoder judges
            continue;
        }
        const uchar marker = data[at + 1];
        at += 2;
        if (marker == 0xD9) {
            break;
        }
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01 || marker == 0x00) {
            continue;
        }
        const qsizetype length = bigEndian(data + at, 2);
        if (length < 2 || at + length > size) {
            break;
        }
        if (isFrameMarker(marker) && walk.size.isEmpty() && length >= 8) {
            walk.size = QSize(int(bigEndian(data + at + 5, 2)), int(bigEndian(data + at + 3, 2)));
            sequential = marker == 0xC0 || marker == 0xC1;
            // Each component keeps its share of the picture's coefficients: its sampling
            // factors over the largest ones.
            const int components = std::min<int>(data[at + 7], int((length - 8) / 3));
            int widest = 1;
            int tallest = 1;
            for (int c = 0; c < components; ++c) {
                const uchar factors = data[at + 9 + 3 * c];
                widest = std::max(widest, factors >> 4U);
                tallest = std::max(tallest, factors & 0x0F);
            }
            const int most = widest * tallest;
            coefficients = 0;
            for (int c = 0; c < components; ++c) {
                const uchar factors = data[at + 9 + 3 * c];
                coefficients += double((factors >> 4U) * (factors & 0x0FU)) / most;
            }
            coefficients = std::max(coefficients, 1.0);
        }
        at += length;
        if (marker == 0xDA) {
            if (++walk.count > kMaxJpegScans) {
                walk.tooMany = true;
                return walk;
            }
            // The coded data ends at the first 0xFF that is neither a stuffed 0xFF 0x00 nor a
            // restart marker.
            while (at + 1 < size) {
                const void *next = std::memchr(data + at, 0xFF, std::size_t(size - at - 1));
                if (next == nullptr) {
                    at = size;
                    break;
                }
                at = static_cast<const uchar *>(next) - data;
                const uchar after = data[at + 1];
                if (after != 0x00 && (after < 0xD0 || after > 0xD7)) {
                    break;
                }
                at += 2;
            }
        }
    }
    // A progressive or multi-scan JPEG keeps every coefficient of the picture, two bytes each.
    walk.whole = !sequential || walk.count > 1;
    walk.bytesPerPixel = 2 * coefficients;
    return walk;
}

// The chunks of a PNG. The decoder is handed its critical chunks and its transparency alone:
// texts and colour profiles would be unpacked, and the program shows none of them.
Walk walkPng(const QByteArray &bytes)
{
    Walk walk;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    QByteArray copy = bytes.left(8);
    bool dropped = false;
    qsizetype at = 8;
    while (at + 12 <= size) {
        const qsizetype length = bigEndian(data + at, 4);
        const qsizetype end = at + 12 + length;
        if (length > size || end > size) {
            break;
        }
        const auto type = QByteArrayView(bytes).sliced(at + 4, 4);
        if (at == 8 && (type != "IHDR" || length < 13)) {
            break;
        }
        if (at == 8) {
            walk.size = QSize(int(std::min<quint32>(bigEndian(data + at + 8, 4), INT_MAX)),
                              int(std::min<quint32>(bigEndian(data + at + 12, 4), INT_MAX)));
            // A PNG of 16 bits a channel is held twice over at 8 bytes a pixel while it is read.
            walk.bytesPerPixel = data[at + 16] == 16 ? 16 : 4;
        }
        const bool ancillary = (type[0] & 0x20) != 0;
        if (ancillary && ++walk.count > kMaxPngAncillaryChunks) {
            walk.tooMany = true;
            return walk;
        }
        if (!ancillary || type == "tRNS") {
            copy += QByteArrayView(bytes).sliced(at, end - at);
        } else {
            dropped = true;
        }
        at = end;
        if (type == "IEND") {
            break;
        }
    }
    walk.whole = true;
    if (dropped) {
        walk.decoderCopy = copy;
    }
    return walk;
}

// A reader over the bytes with the named decoder alone (Qt would load every format's decoder
// to ask it), or with the content telling the format when none is named.
class FigureReader
{
public:
    FigureReader(const QByteArray &bytes, const QByteArray &format)
        : m_format(format.isEmpty() ? formatOf(bytes) : format), m_reader(&m_buffer, m_format)
    {
        QByteArray copy = m_format == "png" ? walkPng(bytes).decoderCopy : QByteArray();
        m_buffer.setData(copy.isEmpty() ? bytes : copy); // shares the bytes, copies nothing
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setAutoDetectImageFormat(false);
        m_reader.setAutoTransform(true);
    }
    QImageReader &reader() { return m_reader; }
    const QByteArray &format() const { return m_format; }
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
    QuietDecoding m_quiet;
    QByteArray m_format;
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

FigureCheck inspectFigure(const QByteArray &bytes, FigureSource source)
{
    FigureCheck check;
    const QByteArray format = formatOf(bytes);
    if (format.isEmpty()) {
        check.fault = FigureFault::NotAnImage;
        return check;
    }
    if (source == FigureSource::TestFile && format != "jpeg" && format != "png") {
        check.fault = FigureFault::NotStored;
        return check;
    }
    Walk walk;
    if (format == "jpeg") {
        walk = walkJpeg(bytes);
    } else if (format == "png") {
        walk = walkPng(bytes);
    } else {
        FigureReader figure(bytes, format);
        walk.size = figure.reader().size();
        walk.whole = true;
    }
    if (walk.tooMany) {
        check.fault = format == "jpeg" ? FigureFault::TooManyScans : FigureFault::TooManyChunks;
        return check;
    }
    check.size = walk.size;
    if (walk.size.isEmpty()) {
        check.fault = FigureFault::NotAnImage;
        return check;
    }
    if (tooLarge(walk.size)) {
        check.fault = FigureFault::TooLarge;
        return check;
    }
    const qint64 pixels = qint64(walk.size.width()) * walk.size.height();
    const auto wholeBytes = qint64(double(pixels) * walk.bytesPerPixel);
    if (walk.whole && wholeBytes > kMaxWholeFigureBytes) {
        check.fault = FigureFault::TooLargeWhole;
        return check;
    }
    // Decoded at an eighth of its size, or whole and then scaled; and the decoder's own rows.
    check.wholePixels = walk.whole ? pixels : 0;
    check.decodeBytes = (walk.whole ? wholeBytes : pixels / 16) + qint64(walk.size.width()) * 64 +
                        qint64{1024} * 1024;
    check.format = format;
    return check;
}

bool decodesAtAnEighth(const QByteArray &bytes, const FigureCheck &inspected)
{
    if (!inspected.format) {
        return false;
    }
    FigureReader figure(bytes, *inspected.format);
    const QSize size = figure.reader().size();
    if (size != inspected.size) {
        return false; // the decoder reads another header than the walk found
    }
    figure.reader().setScaledSize(
        QSize(std::max(1, (size.width() + 7) / 8), std::max(1, (size.height() + 7) / 8)));
    return !figure.reader().read().isNull();
}

std::optional<FittedFigure> fitFigureFile(const QByteArray &bytes)
{
    FigureReader figure(bytes, {});
    const QByteArray format = figure.format();
    if (format.isEmpty()) {
        return std::nullopt;
    }
    const QSize size = figure.shownSize();
    const bool upright = figure.reader().transformation() == QImageIOHandler::TransformationNone;
    if (!size.isValid() || tooLarge(size)) {
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
