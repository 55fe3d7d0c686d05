// SPDX-License-Identifier: GPL-3.0-or-later
#include "packed.h"

#include <QImage>
#include <cstdint>
#include <cstring>

namespace kovra {

namespace {

// The header, with the version of the layout in its last byte.
constexpr char kMagic[] = {'K', 'O', 'V', 'R', 'A', 'S', 'E', '1'};

// Every text list of the set in the order they are stored; the choice-order tables are not
// stored, the set makes them itself.
template <typename Danni, typename F> void forEachList(Danni &content, F &&f)
{
    for (int k = 0; k < KOVRA_Danni::kQuestionLists; ++k) {
        f(content.List1(k));
    }
    for (int k = 0; k < KOVRA_Danni::kFigureSlots; ++k) {
        f(content.Obqsnenie(k));
    }
    f(content.List2());
    f(content.Text1(0));
}

void putSize(QByteArray &out, std::size_t size)
{
    const auto value = static_cast<std::uint32_t>(size);
    for (int shift = 0; shift < 32; shift += 8) {
        out.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

void putBytes(QByteArray &out, const QByteArray &bytes)
{
    putSize(out, static_cast<std::size_t>(bytes.size()));
    out.append(bytes);
}

// Figures are stored as their pixels, decoded by the checker, so that the player shows them
// without a decoder: one byte a pixel for an opaque grey figure (every drawing of the
// built-in set), else four. Pixel rows start on four-byte boundaries of the packed bytes.
constexpr std::size_t kAlign = 4;

void pad(QByteArray &out)
{
    while (static_cast<std::size_t>(out.size()) % kAlign != 0) {
        out.append('\0');
    }
}

QImage storedForm(const QImage &image)
{
    // allGray() looks at the colours alone: a figure with transparency keeps its four bytes.
    if (!image.hasAlphaChannel() && image.allGray()) {
        QImage grey(image.size(), QImage::Format_Grayscale8);
        // The ends of the rows past the width too (fill() leaves them), so that the same set
        // packs to the same bytes.
        std::memset(grey.bits(), 0, static_cast<std::size_t>(grey.sizeInBytes()));
        for (int y = 0; y < image.height(); ++y) {
            uchar *line = grey.scanLine(y);
            for (int x = 0; x < image.width(); ++x) {
                line[x] = static_cast<uchar>(qRed(image.pixel(x, y)));
            }
        }
        return grey;
    }
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                         : QImage::Format_RGB32);
}

void releaseBytes(void *bytes)
{
    delete static_cast<QByteArray *>(bytes);
}

// Reads the packed bytes front to back; any read past the end fails the whole set.
class Cursor
{
public:
    explicit Cursor(const QByteArray &bytes) : m_bytes(bytes) {}

    std::optional<std::size_t> size()
    {
        if (left() < 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(m_bytes[m_at + i]))
                     << (8 * i);
        }
        m_at += 4;
        return value;
    }
    std::optional<QByteArray> bytes()
    {
        const std::optional<std::size_t> n = size();
        if (!n || *n > left()) {
            return std::nullopt;
        }
        QByteArray out(m_bytes.data() + m_at, static_cast<qsizetype>(*n));
        m_at += static_cast<qsizetype>(*n);
        return out;
    }
    bool skip(QByteArrayView expected)
    {
        if (left() < static_cast<std::size_t>(expected.size()) ||
            QByteArrayView(m_bytes).sliced(m_at, expected.size()) != expected) {
            return false;
        }
        m_at += expected.size();
        return true;
    }
    // A figure's pixels, used where they lie in the bytes (which they keep alive) when its rows
    // are aligned there, else copied.
    std::optional<QImage> figure()
    {
        const std::optional<std::size_t> width = size();
        const std::optional<std::size_t> height = size();
        const std::optional<std::size_t> format = size();
        const std::optional<std::size_t> bytesPerLine = size();
        if (!width || !height || !format || !bytesPerLine) {
            return std::nullopt;
        }
        while (m_at % static_cast<qsizetype>(kAlign) != 0 && left() > 0) {
            ++m_at;
        }
        if (*width == 0 && *height == 0 && *format == QImage::Format_Invalid &&
            *bytesPerLine == 0) {
            return QImage();
        }
        const std::size_t depth =
            *format == QImage::Format_Grayscale8                                    ? 1
            : (*format == QImage::Format_RGB32 || *format == QImage::Format_ARGB32) ? 4
                                                                                    : 0;
        constexpr std::size_t kMostPixels = 1U << 24;
        if (depth == 0 || *width == 0 || *height == 0 || *width > kMostPixels / *height ||
            *bytesPerLine < *width * depth || *bytesPerLine % kAlign != 0 ||
            *bytesPerLine > left() / *height) {
            return std::nullopt;
        }
        const char *pixels = m_bytes.data() + m_at;
        m_at += static_cast<qsizetype>(*bytesPerLine * *height);
        const QImage view(reinterpret_cast<const uchar *>(pixels), static_cast<int>(*width),
                          static_cast<int>(*height), static_cast<qsizetype>(*bytesPerLine),
                          static_cast<QImage::Format>(*format), releaseBytes,
                          new QByteArray(m_bytes));
        if (reinterpret_cast<std::uintptr_t>(pixels) % kAlign != 0) {
            return view.copy();
        }
        return view;
    }
    [[nodiscard]] std::size_t left() const
    {
        return static_cast<std::size_t>(m_bytes.size() - m_at);
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
};

} // namespace

QByteArray packContent(const KOVRA_Danni &content)
{
    QByteArray out(kMagic, sizeof kMagic);
    forEachList(content, [&out](const TextList &list) {
        putSize(out, list.rows().size());
        for (const QByteArray &row : list.rows()) {
            putBytes(out, row);
        }
    });
    for (int k = 0; k < KOVRA_Danni::kFigureSlots; ++k) {
        const QImage image =
            content.Picture1(k).isNull() ? QImage() : storedForm(content.Picture1(k));
        putSize(out, static_cast<std::size_t>(image.width()));
        putSize(out, static_cast<std::size_t>(image.height()));
        putSize(out, static_cast<std::size_t>(image.format()));
        putSize(out, static_cast<std::size_t>(image.bytesPerLine()));
        pad(out);
        out.append(reinterpret_cast<const char *>(image.constBits()),
                   static_cast<qsizetype>(image.sizeInBytes()));
    }
    return out;
}

std::optional<KOVRA_Danni> unpackContent(const QByteArray &packed)
{
    Cursor in(packed);
    if (!in.skip(QByteArrayView(kMagic, sizeof kMagic))) {
        return std::nullopt;
    }
    KOVRA_Danni content;
    bool whole = true;
    forEachList(content, [&](TextList &list) {
        const std::optional<std::size_t> rows = whole ? in.size() : std::nullopt;
        // Each row takes at least the four bytes of its length.
        whole = rows && *rows <= in.left() / 4;
        for (std::size_t r = 0; whole && r < *rows; ++r) {
            std::optional<QByteArray> row = in.bytes();
            whole = row.has_value();
            if (whole) {
                list.addItem(std::move(*row));
            }
        }
    });
    for (int k = 0; whole && k < KOVRA_Danni::kFigureSlots; ++k) {
        std::optional<QImage> figure = in.figure();
        whole = figure.has_value();
        if (whole) {
            content.Picture1(k) = std::move(*figure);
        }
    }
    if (!whole || in.left() != 0) {
        return std::nullopt;
    }
    return content;
}

} // namespace kovra
