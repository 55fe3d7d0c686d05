// SPDX-License-Identifier: GPL-3.0-or-later
// CSV as spreadsheets open it, for the results table and the exported questions alike: UTF-8
// with a byte-order mark, each row ended by CR LF. A cell a spreadsheet would take for a formula
// (beginning with = + - @, a tab or a carriage return) is kept as text by an apostrophe before
// it, whether or not it also needs quotes; a negative number ("-0,25") stays a number.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kovra {

enum class CsvQuotes
{
    WhenNeeded, // a cell holding the separator, a quote or a line break
    Always,
};

class CsvWriter
{
public:
    explicit CsvWriter(QChar separator, CsvQuotes quotes = CsvQuotes::WhenNeeded);

    // One row; an empty list is a blank row.
    void addRow(const QStringList &cells);
    [[nodiscard]] QString cell(const QString &text) const;
    [[nodiscard]] QByteArray bytes() const;

private:
    QChar m_separator;
    CsvQuotes m_quotes;
    QString m_text;
};

// A cell as read, its guard taken off: what the writer was given. A text that begins with
// apostrophes before a formula's sign was guarded with one more, so the reading is exact.
[[nodiscard]] QString csvUnguarded(const QString &cell);

} // namespace kovra
