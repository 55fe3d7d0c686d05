// SPDX-License-Identifier: GPL-3.0-or-later
// The review sheets of a class: 30 pupils of a 29-question test, every question answered, some
// wrong, each with a two-line explanation, laid out and written as one PDF. Prints the pages and
// the time of each of the runs and PASS or MISS against the target (the median at most 3 s);
// exits 1 on a MISS, 2 on a failure.
//
// Usage: kovra-bench-review-sheets [PDF] (a temporary file by default; written 3 times).

#include "print/review_sheets.h"

#include "results/collect.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kovra;

namespace {

constexpr int kQuestions = 29;
constexpr int kPupils = 30;
constexpr int kRuns = 3;
constexpr double kTargetMs = 3000.0;

MarkingTest sheetTest()
{
    MarkingTest test;
    test.identity.title = QStringLiteral("Равнобедрен триъгълник: контролна работа");
    test.identity.questionCount = kQuestions;
    test.identity.runQuestions = kQuestions;
    for (int k = 1; k <= kQuestions; ++k) {
        Question question;
        question.text = QStringLiteral("Въпрос %1: в равнобедрен триъгълник ъгълът при върха е "
                                       "%2°. Колко градуса е всеки от ъглите при основата?")
                            .arg(k)
                            .arg(20 + 2 * k);
        for (int c = 0; c < 4; ++c) {
            question.choices << QStringLiteral("%1°").arg((180 - 20 - 2 * k) / 2 + 5 * c);
        }
        question.right = 0;
        question.explanation = {
            QStringLiteral("Ъглите при основата са равни, а сборът на трите "
                           "ъгъла е 180°."),
            QStringLiteral("Затова всеки от тях е (180° − %1°) : 2.").arg(20 + 2 * k)};
        test.questions.push_back(question);
    }
    return test;
}

ClassResults sheetResults(const MarkingTest &test)
{
    ClassResults results;
    results.runQuestions = kQuestions;
    for (int p = 0; p < kPupils; ++p) {
        PupilResult pupil;
        pupil.name = QStringLiteral("Ученик Номер %1").arg(p + 1);
        pupil.group = QStringLiteral("7а");
        pupil.evaluated = true;
        pupil.given.assign(kQuestions, true);
        for (int q = 0; q < kQuestions; ++q) {
            const int chosen = (p * 31 + q * 17) % 4 == 3 ? 1 + q % 3 : 0;
            pupil.chosen << test.questions[std::size_t(q)].choices.at(chosen);
            pupil.byQuestion.push_back(chosen == 0 ? Verdict::Right : Verdict::Wrong);
            pupil.right += chosen == 0 ? 1 : 0;
        }
        pupil.answered = kQuestions;
        pupil.mark = markFor(pupil.right, kQuestions, {});
        results.pupils.push_back(pupil);
    }
    return results;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString pdf = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : temporary.filePath(QStringLiteral("sheets.pdf"));
    const MarkingTest test = sheetTest();
    const ClassResults results = sheetResults(test);
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!writeReviewSheetsPdf(pdf, test, results).empty()) {
            std::fprintf(stderr, "kovra-bench-review-sheets: %s not written\n", qPrintable(pdf));
            return 2;
        }
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        std::printf("write %d: %8.1f ms\n", run + 1, ms.back());
    }
    QProcess info; // the pages, as poppler-utils count them, when they are installed
    info.start(QStringLiteral("pdfinfo"), {pdf});
    const QString pages = info.waitForFinished() && info.exitCode() == 0
                              ? QString::fromUtf8(info.readAllStandardOutput())
                                    .section(QStringLiteral("Pages:"), 1)
                                    .section(u'\n', 0, 0)
                                    .trimmed()
                              : QStringLiteral("?");
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%d pupils of a %d-question test: %s pages; median %.1f ms; target <= %.0f ms: "
                "%s\n",
                kPupils, kQuestions, qPrintable(pages), median, kTargetMs,
                median <= kTargetMs ? "PASS" : "MISS");
    return median <= kTargetMs ? 0 : 1;
}
