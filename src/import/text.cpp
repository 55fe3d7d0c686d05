// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

#include "content/cp1251.h"

#include <QByteArrayAlgorithms>
#include <algorithm>

namespace kovra::importer {

namespace {

// The length of the UTF-8 sequence that starts at `at`, or 0 when none does.
qsizetype utf8Sequence(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    const qsizetype length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 0;
    if (length == 0 || at + length > bytes.size()) {
        return 0;
    }
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    const unsigned char second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {
        return 0; // overlong, a surrogate, or past U+10FFFF
    }
    return length;
}

bool isControl(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0x7F && c < 0xA0);
}

} // namespace

std::optional<QString> decodeBank(QByteArrayView bytes, Problems &problems)
{
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom) {
        bytes = bytes.sliced(3);
    }
    QString text;
    if (QtPrivate::isValidUtf8(bytes)) {
        text = QString::fromUtf8(bytes);
    } else {
        // The first byte that is not UTF-8, and whether any sequence of more than one byte is.
        qsizetype stray = -1;
        bool multiByte = false;
        for (qsizetype i = 0; i < bytes.size() && !(stray >= 0 && multiByte);) {
            if (static_cast<unsigned char>(bytes[i]) < 0x80) {
                ++i;
            } else if (const qsizetype length = utf8Sequence(bytes, i); length > 0) {
                multiByte = true;
                i += length;
            } else {
                stray = stray < 0 ? i : stray;
                ++i;
            }
        }
        if (multiByte || bom) {
            const int line = int(bytes.first(stray).count('\n')) + 1;
            problems.push_back({.kind = ProblemKind::BankNotUtf8,
                                .line = line,
                                .count = static_cast<unsigned char>(bytes[stray])});
            return std::nullopt;
        }
        text = fromWindows1251(bytes);
    }
    const auto control =
        std::find_if(text.cbegin(), text.cend(), [](QChar ch) { return isControl(ch.unicode()); });
    if (control != text.cend()) {
        const QStringView before = QStringView(text).first(control - text.cbegin());
        const qsizetype lineStart = before.lastIndexOf(u'\n') + 1;
        problems.push_back({.kind = ProblemKind::BankControl,
                            .line = int(before.count(u'\n')) + 1,
                            .column = int(before.size() - lineStart) + 1,
                            .text = QString(*control)});
        return std::nullopt;
    }
    return text;
}

bool SourceLines::next()
{
    if (m_at > m_text.size() || (m_at == m_text.size() && m_number > 0)) {
        return false;
    }
    qsizetype end = m_text.indexOf(u'\n', m_at);
    if (end < 0) {
        end = m_text.size();
    }
    m_line = m_text.sliced(m_at, end - m_at);
    if (m_line.endsWith(u'\r')) {
        m_line.chop(1);
    }
    m_at = end + 1;
    ++m_number;
    return true;
}

int lastLine(QStringView text)
{
    const qsizetype breaks = text.count(u'\n');
    return int(breaks) + (breaks > 0 && text.endsWith(u'\n') ? 0 : 1);
}

} // namespace kovra::importer
