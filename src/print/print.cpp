// SPDX-License-Identifier: GPL-3.0-or-later
#include "print.h"

#include "content/figures.h"
#include "kind_paper.h"
#include "testfile/testfile.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <cmath>

namespace kovra {

namespace {

// A figure on paper fits 7 × 5.25 cm (in pixels of 96 to the inch), from the pixels the test
// keeps: up to 800 on the long side, about 300 dots an inch.
constexpr QSize kPaperFigureArea{265, 198};
constexpr QSize kPaperFigurePixels{1000, 1000};
// The key's grid: this many questions a row.
constexpr int kKeyColumns = 5;
// The width of a column of five, in pixels of 96 to the inch, and the characters a row of the
// grid holds on a page.
constexpr int kKeyCellWidth = 70;
constexpr qsizetype kKeyLineChars = 60;
// The anchors that begin the pieces kept whole on a page: a question, a review sheet's head.
const QString kWholeAnchor = QStringLiteral("whole-%1");

QString text(const QString &plain)
{
    return plain.toHtmlEscaped();
}

// A figure at the pixels its file holds, within kPaperFigurePixels.
QImage paperFigure(const Figure &figure)
{
    FigureReader reader(figure.bytes, figure.format);
    const QSize size = reader.shownSize();
    if (!size.isValid() || tooLargeFigure(size)) {
        return {};
    }
    const QSize bounded = size.boundedTo(kPaperFigurePixels) == size
                              ? size
                              : size.scaled(kPaperFigurePixels, Qt::KeepAspectRatio);
    return reader.read(bounded);
}

// Whether the explanation only says the right answer (what a bank without feedback gets), which
// the key already tells: the grid a single choice's, the key in full another kind's.
bool onlyNamesTheKey(const Question &question)
{
    if (question.explanation.size() != 1) {
        return false;
    }
    const QString &line = question.explanation.front();
    const QString says = QStringLiteral("Верният отговор е: ");
    if (!question.isSingle()) {
        return line.startsWith(says);
    }
    const QString said = says + question.choices.value(question.right);
    return line == said || line == said + u'.';
}

// A question on the pupils' paper; `indent` the margin its answer is written in.
QString questionHtml(QTextDocument &document, const Question &question, int k, int indent)
{
    QString html =
        QStringLiteral("<p style=\"margin-top: 12px\"><a name=\"%1\"></a><b>%2.</b> %3</p>")
            .arg(pieceAnchor(QString::number(k)))
            .arg(k)
            .arg(text(question.text));
    if (!question.figure.isEmpty()) {
        const QImage figure = paperFigure(question.figure);
        if (!figure.isNull()) {
            const QUrl name(QStringLiteral("figure:%1").arg(k));
            document.addResource(QTextDocument::ImageResource, name, figure);
            const QSize shown = figure.size().scaled(kPaperFigureArea, Qt::KeepAspectRatio);
            html += QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
                        .arg(name.toString())
                        .arg(shown.width())
                        .arg(shown.height());
        }
    }
    return html + answerPaperHtml(question, indent);
}

// A question in the key, its right answer in full and its explanation.
QString explainedHtml(const Question &question, int k)
{
    QString html = QStringLiteral("<p style=\"margin-top: 10px\"><a name=\"%1\"></a><b>%2.</b> "
                                  "%3<br>%4")
                       .arg(pieceAnchor(QString::number(k)))
                       .arg(k)
                       .arg(text(question.text), keyAnswerHtml(question));
    if (!onlyNamesTheKey(question)) {
        for (const QString &line : question.explanation) {
            html += text(line) + QStringLiteral("<br>");
        }
    }
    return html + QStringLiteral("</p>");
}

// The key as a grid a teacher marks against ("1 – Б"), then the explanations that say more
// than the right answer, each under its question and right choice.
QString keyHtml(const Test &test)
{
    const int count = static_cast<int>(test.questions.size());
    const auto question = [&test](int k) -> const Question & {
        return test.questions.at(static_cast<std::size_t>(k - 1));
    };
    QStringList cells;
    qsizetype longest = 0;
    for (int k = 1; k <= count; ++k) {
        cells << QStringLiteral("%1 – %2").arg(k).arg(keyCellText(question(k)));
        longest = std::max(longest, cells.back().size());
    }
    // Fewer columns for longer answers, so that a cell ("4 – 3,14 ± 0,005 м") is one line.
    const int columns =
        int(std::clamp<qsizetype>(kKeyLineChars / std::max<qsizetype>(longest, 1), 1, kKeyColumns));
    const int width = kKeyCellWidth * kKeyColumns / columns;
    QString html = QStringLiteral("<table cellpadding=\"6\" cellspacing=\"0\" border=\"1\" "
                                  "style=\"border-collapse: collapse\">");
    const int rows = (count + columns - 1) / columns;
    for (int r = 0; r < rows; ++r) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < columns; ++c) {
            const int k = r * columns + c + 1;
            const QString cell = k <= count ? cells.at(k - 1) : QString();
            const qsizetype dash = cell.indexOf(u'–');
            html += QStringLiteral("<td width=\"%1\" style=\"white-space: %2\">%3<b>%4</b></td>")
                        .arg(width)
                        .arg(cell.size() <= kKeyLineChars ? QStringLiteral("nowrap")
                                                          : QStringLiteral("normal"))
                        .arg(text(cell.left(dash + 2)), text(cell.mid(dash + 2)));
        }
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    QString explained;
    for (int k = 1; k <= count; ++k) {
        // A single choice that the grid tells in full is not told again.
        if (!question(k).isSingle() || !onlyNamesTheKey(question(k))) {
            explained += explainedHtml(question(k), k);
        }
    }
    if (!explained.isEmpty()) {
        html += QStringLiteral("<h3 style=\"margin-top: 18px\">%1</h3>")
                    .arg(QCoreApplication::translate("kovra", "Explanations").toHtmlEscaped()) +
                explained;
    }
    return html;
}

// The first block of each piece, by its anchor.
std::vector<QTextBlock> pieceStarts(const QTextDocument &document)
{
    std::vector<QTextBlock> starts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QStringList names = fragment.fragment().charFormat().anchorNames();
            if (!names.isEmpty() && names.front().startsWith(kWholeAnchor.arg(QString()))) {
                starts.push_back(block);
                break;
            }
        }
    }
    return starts;
}

// The test's paper, each page numbered when there are more than one.
Pages testPages(const Test &test, PrintPart part)
{
    return {[&test, part](QTextDocument &document) { layOutTest(document, test, part); }, {}};
}

} // namespace

QString pieceAnchor(const QString &id)
{
    return kWholeAnchor.arg(id);
}

void keepPiecesWhole(QTextDocument &document)
{
    const qreal page = document.pageSize().height();
    if (page <= 0) {
        return;
    }
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    const std::vector<QTextBlock> starts = pieceStarts(document);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        // The layout follows a page break lazily: the whole document is laid out again first.
        (void)layout->documentSize();
        const QTextBlock last =
            i + 1 < starts.size() ? starts[i + 1].previous() : document.lastBlock();
        const qreal top = layout->blockBoundingRect(starts[i]).top();
        const QRectF end = layout->blockBoundingRect(last);
        const qreal bottom = end.bottom() - last.blockFormat().bottomMargin();
        const bool crosses = std::floor(top / page) != std::floor((bottom - 1) / page);
        if (crosses && bottom - top <= page) {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(starts[i]).mergeBlockFormat(format);
        }
    }
}

void layOutTest(QTextDocument &document, const Test &test, PrintPart part)
{
    document.clear();
    const int count = static_cast<int>(test.questions.size());
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<h2>%1</h2>").arg(text(test.title));
    if (part == PrintPart::Key) {
        html += QStringLiteral("<p><i>%1</i></p>")
                    .arg(QCoreApplication::translate("kovra", "The key").toHtmlEscaped()) +
                keyHtml(test);
    } else {
        // The answers' margin in the pixels the document is laid out in (a printer's and a
        // PDF's are finer), where the layout takes it as it is.
        const QPaintDevice *device = document.documentLayout()->paintDevice();
        const int indent = qRound(24 * (device ? device->logicalDpiY() / 96.0 : 1.0));
        // The pupil's name and class, written in by hand.
        html += QStringLiteral("<p>%1 ______________________________&nbsp;&nbsp;&nbsp; %2 "
                               "________</p>")
                    .arg(QCoreApplication::translate("kovra", "Name:").toHtmlEscaped(),
                         QCoreApplication::translate("kovra", "Class:").toHtmlEscaped());
        for (int k = 1; k <= count; ++k) {
            html += questionHtml(document, test.questions.at(static_cast<std::size_t>(k - 1)), k,
                                 indent);
        }
    }
    html += QStringLiteral("</body></html>");
    document.setHtml(html);
    keepPiecesWhole(document);
}

void setTestPage(QPagedPaintDevice &device)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
}

void printPages(QPagedPaintDevice &device, const Pages &pages)
{
    QTextDocument document;
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(12);
    document.setDefaultFont(font);
    // Laid out in the device's own pixels, page by page, so that the pages the questions are
    // kept whole on are the pages printed.
    document.documentLayout()->setPaintDevice(&device);
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    document.setPageSize(page.size());
    document.setDocumentMargin(0);
    pages.layOut(document);
    QPainter painter(&device);
    (void)document.documentLayout()->documentSize(); // the layout to its end
    const int count = document.pageCount();
    for (int p = 0; p < count; ++p) {
        if (p > 0) {
            device.newPage();
        }
        painter.save();
        const QRectF shown(0, p * page.height(), page.width(), page.height());
        painter.setClipRect(QRectF(0, 0, page.width(), page.height()));
        painter.translate(0, -shown.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        const QString foot = pages.foot  ? pages.foot(document, p)
                             : count > 1 ? QStringLiteral("%1 / %2").arg(p + 1).arg(count)
                                         : QString();
        if (!foot.isEmpty()) { // in the bottom margin
            painter.setFont(QFont(font.family(), 10));
            painter.drawText(QRectF(0, page.height(), page.width(), page.height() / 20.0),
                             Qt::AlignRight | Qt::AlignVCenter, foot);
        }
    }
}

void printTest(QPagedPaintDevice &device, const Test &test, PrintPart part)
{
    printPages(device, testPages(test, part));
}

Problems writePagesPdf(const QString &path, const QString &title, const Pages &pages)
{
    // Made in memory and saved whole: the PDF writer does not look at what its device took, so a
    // disk that fills part-way would keep a cut file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        setTestPage(writer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("KOVRA"));
        printPages(writer, pages);
    }
    return saveFile(path, pdf.data());
}

Problems writeTestPdf(const QString &path, const Test &test, PrintPart part)
{
    return writePagesPdf(path, test.title, testPages(test, part));
}

} // namespace kovra
