// SPDX-License-Identifier: GPL-3.0-or-later
// A review sheet for each pupil of a class, on paper or as a PDF, each beginning on a page of its
// own: the test's title, the pupil's name and class, the answered and right of the run's
// questions, the points and the mark; then each question the pupil's run held, by its number in
// the test: the pupil's answer of any kind or none, right, partly right (its points) or wrong in
// words, the right answer and the explanation.
// Figures are left out (a question with one says so). Needs no widgets.
#pragma once

#include "content/problems.h"

#include <QString>

class QPagedPaintDevice;
class QTextDocument;

namespace kovra {

struct ClassResults;
struct MarkingTest;

// The sheets of the pupils in the order of results.pupils. With the document's page size set,
// a question that would cross a page begins on the next one.
void layOutReviewSheets(QTextDocument &document, const MarkingTest &test,
                        const ClassResults &results);
// On the device's pages, as a test is printed (print.h).
void printReviewSheets(QPagedPaintDevice &device, const MarkingTest &test,
                       const ClassResults &results);
// A PDF of A4 pages, written whole or not at all.
[[nodiscard]] Problems writeReviewSheetsPdf(const QString &path, const MarkingTest &test,
                                            const ClassResults &results);

} // namespace kovra
