#include "packed.h"

#include <QBuffer>
#include <QImageWriter>
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

// Reads the packed bytes front to back; any read past the end fails the whole set.
class Cursor
{
public:
    explicit Cursor(QByteArrayView bytes) : m_bytes(bytes) {}

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
            m_bytes.sliced(m_at, expected.size()) != expected) {
            return false;
        }
        m_at += expected.size();
        return true;
    }
    [[nodiscard]] std::size_t left() const
    {
        return static_cast<std::size_t>(m_bytes.size() - m_at);
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};

QByteArray asPng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

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
        const KOVRA_Danni::FigureFile &file = content.Picture1File(k);
        if (!file.bytes.isNull()) {
            putBytes(out, file.format);
            putBytes(out, file.bytes);
        } else if (const QImage &image = content.Picture1(k); !image.isNull()) {
            putBytes(out, "png");
            putBytes(out, asPng(image));
        } else {
            putBytes(out, {});
            putBytes(out, {});
        }
    }
    return out;
}

std::optional<KOVRA_Danni> unpackContent(QByteArrayView packed)
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
        std::optional<QByteArray> format = in.bytes();
        std::optional<QByteArray> bytes = format ? in.bytes() : std::nullopt;
        whole = bytes.has_value();
        if (whole && !bytes->isEmpty()) {
            content.setPicture1File(k, std::move(*bytes), std::move(*format));
        }
    }
    if (!whole || in.left() != 0) {
        return std::nullopt;
    }
    return content;
}

} // namespace kovra
