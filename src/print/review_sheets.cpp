// SPDX-License-Identifier: GPL-3.0-or-later
#include "review_sheets.h"

#include "kind_paper.h"
#include "print.h"
#include "results/collect.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QLocale>
#include <QPaintDevice>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace kovra {

// The sheets' words, all of them here.
class ReviewSheets
{
    Q_DECLARE_TR_FUNCTIONS(kovra::ReviewSheets)
};

namespace {

// Smaller than the test's paper: a sheet of a long test takes fewer pages.
constexpr int kSheetPointSize = 11;
// The head of each sheet, by which its pages are found.
const QString kHeadAnchor = QStringLiteral("pupil-%1");

// Every text from a file, a result file's above all, is escaped: it is shown, never read as HTML.
QString text(const QString &plain)
{
    return plain.toHtmlEscaped();
}

// Points as a sheet gives them: "2,5".
QString pointsText(double points)
{
    return QLocale().toString(points, 'g', 4);
}

// Right, partly right and wrong in words, for a sheet printed in black and white; in colour
// besides.
QString verdictHtml(Verdict verdict, double credit)
{
    const auto shown = [](const char *colour, const QString &words) {
        return QStringLiteral("<b><font color=\"%1\">%2</font></b>")
            .arg(QLatin1String(colour), text(words));
    };
    return verdict == Verdict::Right ? shown("#1a7f37", ReviewSheets::tr("Right"))
           : credit > 0
               ? shown("#9a5b00",
                       ReviewSheets::tr("Partly right (%1 points)").arg(pointsText(credit)))
               : shown("#b00020", ReviewSheets::tr("Wrong"));
}

// The test's title, the pupil, the counts and the mark; each sheet after the first begins a page.
QString headHtml(const MarkingTest &test, const ClassResults &results, const PupilResult &pupil,
                 std::size_t sheet)
{
    QString html =
        QStringLiteral("<h2%1><a name=\"%2\"></a>%3</h2>")
            .arg(sheet > 0 ? QStringLiteral(" style=\"page-break-before: always\"") : QString(),
                 pieceAnchor(kHeadAnchor.arg(sheet)), text(test.identity.title));
    html += QStringLiteral("<p><i>%1</i></p>").arg(text(ReviewSheets::tr("Review sheet")));
    html += QStringLiteral("<p>%1 <b>%2</b>&nbsp;&nbsp;&nbsp; %3 <b>%4</b></p>")
                .arg(text(ReviewSheets::tr("Pupil:")), text(pupil.name),
                     text(ReviewSheets::tr("Class:")), text(pupil.group));
    html += QStringLiteral("<p>%1<br>%2 <b>%3 %4</b>%5</p>")
                .arg(text(ReviewSheets::tr("Answered: %1 of %2; right: %3; points: %4")
                              .arg(pupil.answered)
                              .arg(results.runQuestions)
                              .arg(pupil.right)
                              .arg(pointsText(pupil.points))),
                     text(ReviewSheets::tr("Mark:")),
                     text(QLocale().toString(pupil.mark.value, 'f', 2)),
                     text(markWord(pupil.mark.grade)),
                     pupil.evaluated
                         ? QString()
                         : QStringLiteral(" (%1)").arg(text(handedInWord(pupil.evaluated))));
    return html;
}

// The pupil's answer to question q: a matching one as each item and the answer picked for it.
QString answerText(const Question &question, const PupilResult &pupil, std::size_t q)
{
    if (question.kind != QuestionKind::Matching || q >= pupil.responses.size()) {
        return pupil.chosen.value(static_cast<qsizetype>(q));
    }
    QStringList pairs;
    const QStringList &picked = pupil.responses[q].picked;
    for (qsizetype i = 0; i < question.items.size(); ++i) {
        const QString answer = picked.value(i);
        pairs << question.items.at(i) + QStringLiteral(" → ") +
                     (answer.isEmpty() ? QStringLiteral("—") : answer);
    }
    return pairs.join(QStringLiteral("; "));
}

// Question q (from 0) as the pupil answered it. The right answer is told where the pupil's
// choice is not it. `pixel`: the document's pixels to a CSS pixel (96 to the inch).
QString questionHtml(const Question &question, const PupilResult &pupil, std::size_t sheet,
                     std::size_t q, qreal pixel)
{
    const Verdict verdict = q < pupil.byQuestion.size() ? pupil.byQuestion[q] : Verdict::None;
    const double credit = q < pupil.credits.size() ? pupil.credits[q] : 0;
    QString html = QStringLiteral("<p style=\"margin-top: 8px; margin-bottom: 0px\"><a "
                                  "name=\"%1\"></a><b>%2.</b> %3%4</p>")
                       .arg(pieceAnchor(QStringLiteral("sheet-%1-%2").arg(sheet).arg(q + 1)))
                       .arg(q + 1)
                       .arg(text(question.text),
                            question.figure.isEmpty()
                                ? QString()
                                : QStringLiteral(" <i>(%1)</i>")
                                      .arg(text(ReviewSheets::tr("the figure is in the test"))));
    html +=
        QStringLiteral("<p style=\"margin-top: 2px; margin-bottom: 0px; margin-left: %1px\">%2 ")
            .arg(qRound(24 * pixel))
            .arg(text(ReviewSheets::tr("Pupil's answer:")));
    html += verdict == Verdict::None
                ? QStringLiteral("<i>%1</i>").arg(text(ReviewSheets::tr("No answer")))
                : QStringLiteral("%1 — %2").arg(text(answerText(question, pupil, q)),
                                                verdictHtml(verdict, credit));
    const QString right = rightAnswerWords(question);
    if (verdict != Verdict::Right && !right.isEmpty()) {
        html += QStringLiteral("<br>%1 <b>%2</b>")
                    .arg(text(ReviewSheets::tr("Right answer:")), text(right));
    }
    if (!question.explanation.isEmpty()) {
        QStringList lines;
        for (const QString &line : question.explanation) {
            lines << text(line);
        }
        html +=
            QStringLiteral("<br>%1 %2")
                .arg(text(ReviewSheets::tr("Explanation:")), lines.join(QStringLiteral("<br>")));
    }
    return html + QStringLiteral("</p>");
}

// The page each sheet begins on, in the order of the pupils: its head's.
std::vector<int> headPages(const QTextDocument &document)
{
    std::vector<int> pages;
    const qreal height = document.pageSize().height();
    const QString head = pieceAnchor(kHeadAnchor.arg(QString()));
    for (QTextBlock block = document.begin(); block.isValid() && height > 0; block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QStringList names = fragment.fragment().charFormat().anchorNames();
            if (!names.isEmpty() && names.front().startsWith(head)) {
                const qreal top = document.documentLayout()->blockBoundingRect(block).top();
                pages.push_back(static_cast<int>(top / height));
                break;
            }
        }
    }
    return pages;
}

// The sheets; a sheet of more than one page names its pupil and the page at each page's foot, so
// that a page that comes apart is still known.
Pages sheetPages(const MarkingTest &test, const ClassResults &results)
{
    auto heads = std::make_shared<std::optional<std::vector<int>>>();
    return {
        [&test, &results](QTextDocument &document) { layOutReviewSheets(document, test, results); },
        [&results, heads](const QTextDocument &document, int page) {
            if (!*heads) {
                *heads = headPages(document);
            }
            const std::vector<int> &first = **heads;
            const auto next = std::upper_bound(first.begin(), first.end(), page);
            if (next == first.begin()) {
                return QString();
            }
            const auto sheet = static_cast<std::size_t>(next - first.begin() - 1);
            if (sheet >= results.pupils.size()) {
                return QString();
            }
            const int count = (next == first.end() ? document.pageCount() : *next) - first[sheet];
            const PupilResult &pupil = results.pupils[sheet];
            return count < 2
                       ? QString()
                       : ReviewSheets::tr("%1, %2: page %3 of %4")
                             .arg(pupil.name, pupil.group, QString::number(page - first[sheet] + 1),
                                  QString::number(count));
        }};
}

} // namespace

void layOutReviewSheets(QTextDocument &document, const MarkingTest &test,
                        const ClassResults &results)
{
    document.clear();
    QFont font = document.defaultFont();
    font.setPointSize(kSheetPointSize);
    document.setDefaultFont(font);
    // A left margin in the pixels the document is laid out in (a printer's and a PDF's are
    // finer), where the layout takes it as it is; it scales the top and bottom margins itself.
    const QPaintDevice *device = document.documentLayout()->paintDevice();
    const qreal pixel = device ? device->logicalDpiY() / 96.0 : 1.0;
    QString html = QStringLiteral("<html><body>");
    for (std::size_t sheet = 0; sheet < results.pupils.size(); ++sheet) {
        const PupilResult &pupil = results.pupils[sheet];
        html += headHtml(test, results, pupil, sheet);
        const std::size_t count = std::min(test.questions.size(), pupil.given.size());
        for (std::size_t q = 0; q < count; ++q) {
            if (pupil.given[q]) {
                html += questionHtml(test.questions[q], pupil, sheet, q, pixel);
            }
        }
    }
    document.setHtml(html + QStringLiteral("</body></html>"));
    keepPiecesWhole(document);
}

void printReviewSheets(QPagedPaintDevice &device, const MarkingTest &test,
                       const ClassResults &results)
{
    printPages(device, sheetPages(test, results));
}

Problems writeReviewSheetsPdf(const QString &path, const MarkingTest &test,
                              const ClassResults &results)
{
    return writePagesPdf(path, ReviewSheets::tr("Review sheets: %1").arg(test.identity.title),
                         sheetPages(test, results));
}

} // namespace kovra
