// SPDX-License-Identifier: GPL-3.0-or-later
// A test on paper: every question of it (all of a bank that each run draws from), with their
// choices lettered and their figures, or the teacher's key (the right choice of each question and
// its explanation). Needs no widgets, so that the checker writes the same PDF as the teacher's
// window.
#pragma once

#include "content/problems.h"

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace kovra {

struct Test;

enum class PrintPart
{
    Test, // the questions as the pupils get them on paper
    Key,  // the right choices and the explanations
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

} // namespace kovra
