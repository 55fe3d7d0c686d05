// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_writer.h"

namespace kovra {

namespace {

// The signs that make a spreadsheet read a cell as a formula, or begin one after them.
bool formulaSign(QChar c)
{
    return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r';
}

// Whether the text, after any apostrophes it begins with, begins with a formula's sign. A text
// of apostrophes before the sign is guarded too, so that taking one off reads it back exactly.
bool needsGuard(QStringView text, qsizetype firstAfter)
{
    qsizetype at = firstAfter;
    while (at < text.size() && text.at(at) == u'\'') {
        ++at;
    }
    return at < text.size() && formulaSign(text.at(at));
}

// A negative number, as the results write it ("-0,25"): a spreadsheet's number, not a formula,
// and left as it is so that it stays a number there.
bool negativeNumber(QStringView text)
{
    const auto digits = [&](qsizetype from) {
        qsizetype at = from;
        while (at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9') {
            ++at;
        }
        return at;
    };
    if (!text.startsWith(u'-')) {
        return false;
    }
    const qsizetype whole = digits(1);
    if (whole == 1 || whole == text.size()) {
        return whole > 1;
    }
    const QChar point = text.at(whole);
    const qsizetype fraction = digits(whole + 1);
    return (point == u'.' || point == u',') && fraction > whole + 1 && fraction == text.size();
}

} // namespace

CsvWriter::CsvWriter(QChar separator, CsvQuotes quotes) : m_separator(separator), m_quotes(quotes)
{}

QString CsvWriter::cell(const QString &text) const
{
    // The guard first: the quotes then hold it, so that it counts whether or not they are needed.
    QString written = needsGuard(text, 0) && !negativeNumber(text) ? u'\'' + text : text;
    const bool quoted = m_quotes == CsvQuotes::Always || written.contains(m_separator) ||
                        written.contains(u'"') || written.contains(u'\n') ||
                        written.contains(u'\r');
    if (!quoted) {
        return written;
    }
    written.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + written + u'"';
}

void CsvWriter::addRow(const QStringList &cells)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            m_text += m_separator;
        }
        m_text += cell(cells.at(i));
    }
    m_text += QStringLiteral("\r\n");
}

QByteArray CsvWriter::bytes() const
{
    return QByteArray("\xEF\xBB\xBF") + m_text.toUtf8();
}

QString csvUnguarded(const QString &cell)
{
    return cell.startsWith(u'\'') && needsGuard(cell, 1) ? cell.mid(1) : cell;
}

} // namespace kovra
