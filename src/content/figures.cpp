// SPDX-License-Identifier: GPL-3.0-or-later
#include "figures.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <zlib.h>

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

// While a figure reader lives on this thread.
struct QuietDecoding
{
    static void begin()
    {
        static const bool installed = [] {
            g_nextHandler = qInstallMessageHandler(quietWhileDecoding);
            return true;
        }();
        Q_UNUSED(installed);
        ++t_decoding;
    }
    static void end() { --t_decoding; }
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
    bool intact = true;       // every chunk the decoder is handed is whole, to the last
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
            // libpng tells a damaged chunk on standard error, past any handler Qt sets: it is
            // found here first.
            const auto crc = crc32_z(0, data + at + 4, std::size_t(length + 4));
            walk.intact = walk.intact && crc == bigEndian(data + end - 4, 4);
            copy += QByteArrayView(bytes).sliced(at, end - at);
        } else {
            dropped = true;
        }
        at = end;
        if (type == "IEND") {
            break;
        }
    }
    walk.intact = walk.intact && at > 8 && QByteArrayView(bytes).sliced(at - 8, 4) == "IEND";
    walk.whole = true;
    if (dropped) {
        walk.decoderCopy = copy;
    }
    return walk;
}

} // namespace

bool tooLargeFigure(QSize size)
{
    return size.isValid() && qint64(size.width()) * size.height() > kMaxFigurePixels;
}

FigureReader::FigureReader(const QByteArray &bytes, const QByteArray &format)
    : m_format(format.isEmpty() ? formatOf(bytes) : format), m_reader(&m_buffer, m_format)
{
    QuietDecoding::begin();
    const QByteArray copy = m_format == "png" ? walkPng(bytes).decoderCopy : QByteArray();
    m_buffer.setData(copy.isEmpty() ? bytes : copy); // shares the bytes, copies nothing
    m_buffer.open(QIODevice::ReadOnly);
    m_reader.setAutoDetectImageFormat(false);
    m_reader.setAutoTransform(true);
}

FigureReader::~FigureReader()
{
    QuietDecoding::end();
}

QSize FigureReader::shownSize()
{
    const QSize size = m_reader.size();
    return turned() ? size.transposed() : size;
}

bool FigureReader::turned()
{
    return m_reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

QImage FigureReader::read(QSize shown)
{
    if (shown.isValid() && shown != shownSize()) {
        m_reader.setScaledSize(turned() ? shown.transposed() : shown);
    }
    return m_reader.read();
}

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
    if (tooLargeFigure(size)) {
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
    if (tooLargeFigure(walk.size)) {
        check.fault = FigureFault::TooLarge;
        return check;
    }
    const qint64 pixels = qint64(walk.size.width()) * walk.size.height();
    const auto wholeBytes = qint64(double(pixels) * walk.bytesPerPixel);
    if (walk.whole && wholeBytes > kMaxWholeFigureBytes) {
        check.fault = FigureFault::TooLargeWhole;
        return check;
    }
    if (!walk.intact) {
        check.fault = FigureFault::NotAnImage;
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
    // An eighth rounded down: Qt's JPEG reader then has the decoder scale by 8 in its transform,
    // the least work that still decodes every block (rounded up, it takes a quarter and scales
    // that); and the fastest transform, for only whether it decodes counts here.
    figure.reader().setScaledSize(
        QSize(std::max(1, size.width() / 8), std::max(1, size.height() / 8)));
    figure.reader().setQuality(0);
    return !figure.reader().read().isNull();
}

void decodeAtAnEighth(const std::vector<FigureToDecode> &figures)
{
    // The headers tell what each decoding takes: figures are taken in turn while the memory
    // of those being decoded stays within kMaxFigureBytesAtOnce.
    std::mutex mutex;
    std::condition_variable freed;
    qint64 inUse = 0;
    std::size_t next = 0;
    const auto checkSome = [&] {
        for (;;) {
            std::unique_lock lock(mutex);
            if (next == figures.size()) {
                return;
            }
            const FigureToDecode &figure = figures[next++];
            if (!figure.check->format) {
                continue;
            }
            const qint64 cost = std::min(figure.check->decodeBytes, kMaxFigureBytesAtOnce);
            freed.wait(lock, [&] { return inUse + cost <= kMaxFigureBytesAtOnce; });
            inUse += cost;
            lock.unlock();
            const bool decodes = decodesAtAnEighth(*figure.bytes, *figure.check);
            lock.lock();
            inUse -= cost;
            if (!decodes) {
                figure.check->format.reset();
                figure.check->fault = FigureFault::NotAnImage;
            }
            freed.notify_all();
        }
    };
    const std::size_t threads =
        std::min({std::size_t{std::max(1U, std::thread::hardware_concurrency())}, kMaxFiguresAtOnce,
                  std::max<std::size_t>(1, figures.size())});
    {
        std::vector<std::jthread> helpers;
        for (std::size_t i = 1; i < threads; ++i) {
            helpers.emplace_back(checkSome);
        }
        checkSome();
    }
}

} // namespace kovra
