// SPDX-License-Identifier: GPL-3.0-or-later
// Text of a bank file: its encoding, its lines, its limits, and HTML made plain.
#pragma once

#include "content/problems.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace kovra::importer {

// The most characters one question may take in its file (a GIFT block, an Aiken question, a CSV
// row): far more than a screen shows, and a bound on what a reader holds at once.
inline constexpr qsizetype kMaxQuestionChars = 64 * 1024;
// The most cells a CSV row may have.
inline constexpr int kMaxCells = 256;

// UTF-8, with or without its byte-order mark; or Windows-1251 (what a spreadsheet saves as plain
// text in a Bulgarian locale) when no byte of it forms a UTF-8 sequence of more than one byte.
// A file that is UTF-8 but for some bytes is refused, with the line of the first such byte.
// Control characters other than the tab and the line breaks are refused with their line.
std::optional<QString> decodeBank(QByteArrayView bytes, Problems &problems);

// The lines of a text, one after the other, without storing them; a carriage return before a
// line feed is left out.
class SourceLines
{
public:
    explicit SourceLines(QStringView text) : m_text(text) {}
    // Moves to the next line; false after the last.
    bool next();
    [[nodiscard]] QStringView line() const { return m_line; }
    [[nodiscard]] int number() const { return m_number; }

private:
    QStringView m_text;
    QStringView m_line;
    qsizetype m_at = 0;
    int m_number = 0;
};

// The number of the file's last line; a line break at the end of the file starts no line.
int lastLine(QStringView text);

// HTML as plain text (html.cpp): tags out, the content of <head>, <script>, <style> and <title>
// out, the named entities of HTML 4 and every numeric one decoded, a no-break space a blank; a line
// break, paragraph, heading, list item or table cell a blank.
QString fromHtml(const QString &html);
// The same, each paragraph or line break a line feed.
QString fromHtmlLines(const QString &html);
// The character a named entity of HTML 4 (or &apos;) stands for, by its name ("uarr").
std::optional<char16_t> namedEntity(QStringView name);

} // namespace kovra::importer
