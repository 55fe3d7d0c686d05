// SPDX-License-Identifier: GPL-3.0-or-later
// Text of a bank file: its encoding, its lines, and HTML made plain.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace kovra::importer {

// UTF-8, with or without its byte-order mark, or else Windows-1251 (what a spreadsheet saves
// as plain text in a Bulgarian locale).
QString decodeBank(QByteArrayView bytes);
// The lines of a text, a carriage return before a line feed dropped.
QStringList sourceLines(const QString &text);
// The number of the file's last line; a line break at the end of the file starts no line.
int lastLine(const QStringList &lines);
// Tags out, entities decoded; a line break, paragraph or list item is a blank.
QString fromHtml(const QString &html);

} // namespace kovra::importer
