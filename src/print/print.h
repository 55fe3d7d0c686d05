// SPDX-License-Identifier: GPL-3.0-or-later
// A test on paper: every question of it (all of a bank that each run draws from), each as a pupil
// answers its kind on paper (kind_paper.h), with its figure; or the teacher's key (the right
// answer of each question and its explanation). Needs no widgets, so that the checker writes the
// same PDF as the teacher's window.
#pragma once

#include "content/problems.h"

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QTextDocument;

namespace kovra {

struct Test;

enum class PrintPart
{
    Test, // the questions as the pupils get them on paper
    Key,  // the right answers and the explanations
};

// The pages as a document: the figures are its resources.
void layOutTest(QTextDocument &document, const Test &test, PrintPart part);
// The paper a test is laid out for: A4 with margins of 20 mm, for a printer as for a PDF; the
// print dialog can change it.
void setTestPage(QPagedPaintDevice &device);
// Prints onto a printer or a PDF writer.
void printTest(QPagedPaintDevice &device, const Test &test, PrintPart part);
// Writes a PDF whole or not at all.
[[nodiscard]] Problems writeTestPdf(const QString &path, const Test &test, PrintPart part);

// Pages of any kind: what fills the document, set up for the device's pages (its font, its
// page size in the device's pixels); and the words in the bottom margin of a page (from 0), by
// default its number of all when there are more than one.
struct Pages
{
    std::function<void(QTextDocument &)> layOut;
    std::function<QString(const QTextDocument &, int page)> foot;
};
void printPages(QPagedPaintDevice &device, const Pages &pages);
// The same as a PDF of the test's paper, made in memory and written whole or not at all.
[[nodiscard]] Problems writePagesPdf(const QString &path, const QString &title, const Pages &pages);
// The anchor (<a name>) that begins a piece kept whole on one page: a question, or a head; `id`
// tells the pieces apart.
[[nodiscard]] QString pieceAnchor(const QString &id);
// Moves each piece that would begin on one page and end on the next to the next page, when it
// fits on one; a piece longer than a page breaks where the page ends. A piece ends where the
// next begins. Needs the document's page size.
void keepPiecesWhole(QTextDocument &document);

} // namespace kovra
