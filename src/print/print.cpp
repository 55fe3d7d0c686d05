// SPDX-License-Identifier: GPL-3.0-or-later
#include "print.h"

#include "content/cp1251.h"
#include "content/danni.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

namespace kovra {

namespace {

// The choices of a printed question, as the pupils write them down.
const QString kLetters = QStringLiteral("АБВГД");

QString text(const QByteArray &cp1251)
{
    return fromCp1251(cp1251).toHtmlEscaped();
}

} // namespace

void layOutTest(QTextDocument &document, const KOVRA_Danni &content, PrintPart part)
{
    document.clear();
    const TextList &key = content.List1(0);
    const int count = key.listCount();
    QString html = QStringLiteral("<html><body>");
    html += QStringLiteral("<h2>%1</h2>").arg(text(content.List2().list(TitleRow)));
    if (part == PrintPart::Key) {
        html += QStringLiteral("<p><i>%1</i></p>")
                    .arg(QCoreApplication::translate("kovra", "The key").toHtmlEscaped());
    }
    for (int k = 1; k <= count; ++k) {
        const TextList &question = content.List1(k);
        html += QStringLiteral("<p style=\"margin-top: 12px\"><b>%1.</b> %2</p>")
                    .arg(k)
                    .arg(text(question.list(0)));
        if (part == PrintPart::Test) {
            const QImage &figure = content.Picture1(k);
            if (!figure.isNull()) {
                const QUrl name(QStringLiteral("figure:%1").arg(k));
                document.addResource(QTextDocument::ImageResource, name, figure);
                // The figure area, at the size the pupil sees it.
                const QSize shown = figure.size().scaled(QSize(225, 137), Qt::KeepAspectRatio);
                html += QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"></p>")
                            .arg(name.toString())
                            .arg(shown.width())
                            .arg(shown.height());
            }
            html += QStringLiteral("<p style=\"margin-left: 24px\">");
            for (int c = 1; c < question.listCount() && c <= kLetters.size(); ++c) {
                html += QStringLiteral("%1) %2<br>")
                            .arg(kLetters.at(c - 1))
                            .arg(text(question.list(c)));
            }
            html += QStringLiteral("</p>");
            continue;
        }
        int right = 0;
        for (int c = 1; c < question.listCount(); ++c) {
            if (question.list(c) == key.list(k - 1)) {
                right = c;
                break;
            }
        }
        html += QStringLiteral("<p style=\"margin-left: 24px\"><b>%1) %2</b><br>")
                    .arg(right > 0 && right <= kLetters.size() ? QString(kLetters.at(right - 1))
                                                               : QStringLiteral("?"))
                    .arg(text(key.list(k - 1)));
        for (const QByteArray &line : content.Obqsnenie(k).rows()) {
            html += text(line) + QStringLiteral("<br>");
        }
        html += QStringLiteral("</p>");
    }
    html += QStringLiteral("</body></html>");
    document.setHtml(html);
}

void setTestPage(QPagedPaintDevice &device)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
}

void printTest(QPagedPaintDevice &device, const KOVRA_Danni &content, PrintPart part)
{
    QTextDocument document;
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSize(12);
    document.setDefaultFont(font);
    layOutTest(document, content, part);
    document.print(&device);
}

Problems writeTestPdf(const QString &path, const KOVRA_Danni &content, PrintPart part)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter writer(&file);
            setTestPage(writer);
            writer.setTitle(fromCp1251(content.List2().list(TitleRow)));
            writer.setCreator(QStringLiteral("KOVRA"));
            printTest(writer, content, part);
        }
        if (file.error() == QFileDevice::NoError && file.commit()) {
            return {};
        }
    }
    return {Problem{.kind = ProblemKind::CannotWrite, .text = path, .other = file.errorString()}};
}

} // namespace kovra
