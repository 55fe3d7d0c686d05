// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows where it defers or caches work: the window icon read on first use,
// the figures decoded when first read and scaled once for their area.

#include "content/loader.h"
#include "content_builder.h"
#include "run/random.h"
#include "run/startup.h"
#include "ui/figure_view.h"
#include "ui/kovra_prazno.h"

#include <QBuffer>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <cmath>

using namespace kovra;
using namespace kovra::testing;

namespace {

std::unique_ptr<KOVRA_Prazno> makeWindow(KOVRA_Danni content)
{
    auto window =
        std::make_unique<KOVRA_Prazno>(std::make_unique<FixedDraws>(std::vector<float>(64, 0.0F)));
    window->load(std::move(content));
    return window;
}

// A figure with a diagonal and a frame, so that a wrong scale or a wrong figure shows.
QImage figure(int width, int height, QColor color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(color, 3));
    painter.drawRect(1, 1, width - 3, height - 3);
    painter.drawLine(0, 0, width - 1, height - 1);
    return image;
}

// Whether a shown figure is the source fitted into the area: the source itself when it fits,
// else the source scaled to the shown size, which keeps its proportions to a pixel and meets
// the area's width or height.
bool fitsItsArea(const QImage &source, const QImage &shown, const QSize &area)
{
    if (source.width() <= area.width() && source.height() <= area.height()) {
        return shown.convertToFormat(QImage::Format_RGB32) ==
               source.convertToFormat(QImage::Format_RGB32);
    }
    const bool inside = shown.width() <= area.width() && shown.height() <= area.height();
    const bool meets = shown.width() >= area.width() - 1 || shown.height() >= area.height() - 1;
    const double drift = std::abs(double(shown.width()) * source.height() -
                                  double(shown.height()) * source.width()) /
                         source.height();
    const QImage scaled =
        source.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return inside && meets && drift <= 1.0 &&
           shown.convertToFormat(QImage::Format_RGB32) ==
               scaled.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestWindowDisplay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void iconHasItsFourSizes();
    void figuresFitTheirArea();
    void figureDecodedOnFirstRead();
};

void TestWindowDisplay::iconHasItsFourSizes()
{
    const auto window = makeWindow(makeContent(fourChoices(5)));
    const QIcon icon = window->windowIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes{{16, 16}, {32, 32}, {48, 48}, {256, 256}};
    QCOMPARE(icon.availableSizes(), sizes);
    for (const QSize &size : sizes) {
        const QImage file(QStringLiteral(":/kovra/icons/kovra-%1.png").arg(size.width()));
        QVERIFY(!file.isNull());
        QCOMPARE(icon.actualSize(size), size);
        const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown, file.convertToFormat(QImage::Format_ARGB32));
    }
    // A size between two files is drawn from the larger one.
    QCOMPARE(icon.pixmap(QSize(24, 24)).size(), QSize(24, 24));
}

void TestWindowDisplay::figuresFitTheirArea()
{
    KOVRA_Danni content = makeContent(fourChoices(5));
    content.Picture1(1) = figure(150, 146, Qt::red);   // taller than the area
    content.Picture1(2) = figure(120, 90, Qt::blue);   // fits
    content.Picture1(4) = figure(400, 100, Qt::green); // wider than the area
    const auto window = makeWindow(std::move(content));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QSize area = window->Picture2()->size();
    QVERIFY(area.width() < 400 && area.height() < 146);

    const int n = window->runState().QuestionCount;
    std::vector<qint64> firstShown(static_cast<std::size_t>(n), 0);
    // Forward through the run twice: the second time shows the very pixmaps of the first.
    for (int round = 0; round < 2; ++round) {
        for (int p = 0; p < n; ++p) {
            QCOMPARE(window->runState().CurrentPos, p);
            const int q = window->runState().questionAt(p);
            const QImage &source = window->content()->Picture1(q + 1);
            const QPixmap shown = window->Picture2()->pixmap();
            if (source.isNull()) {
                QVERIFY2(shown.isNull(), "a question without a figure shows none");
            } else {
                QVERIFY2(fitsItsArea(source, shown.toImage(), area),
                         qPrintable(QStringLiteral("question %1 shows %2x%3")
                                        .arg(q)
                                        .arg(shown.width())
                                        .arg(shown.height())));
                auto &key = firstShown[static_cast<std::size_t>(p)];
                if (round == 0) {
                    // A click on the figure shows it larger; Esc closes the larger view.
                    QTest::mouseClick(window->Picture2(), Qt::LeftButton);
                    auto *view = window->findChild<FigureView *>(QStringLiteral("figureView"));
                    QVERIFY(view && view->isVisible());
                    const QSize large = view->picture()->pixmap().deviceIndependentSize().toSize();
                    QVERIFY2(
                        large.width() > area.width() || large.height() > area.height(),
                        qPrintable(QStringLiteral("%1x%2").arg(large.width()).arg(large.height())));
                    QTest::keyClick(view, Qt::Key_Escape);
                    QTRY_VERIFY(!window->findChild<FigureView *>(QStringLiteral("figureView")));
                    key = shown.cacheKey();
                } else {
                    QCOMPARE(shown.cacheKey(), key);
                }
            }
            if (p < n - 1) {
                window->Command1(0)->click();
            }
        }
        for (int p = n - 1; p > 0; --p) {
            window->Command1(1)->click();
        }
    }
}

void TestWindowDisplay::figureDecodedOnFirstRead()
{
    const QString folder = qEnvironmentVariable("KOVRA_FIXTURES") + QStringLiteral("/small");
    QImage file(folder + QStringLiteral("/figures/triangle.jpg"));
    QVERIFY(!file.isNull());

    LoadResult loaded = loadContentFolder(folder);
    QVERIFY(loaded.content);
    KOVRA_Danni content = std::move(*loaded.content);
    int figures = 0;
    for (int k = 0; k < KOVRA_Danni::kFigureSlots; ++k) {
        figures += content.Picture1(k).isNull() ? 0 : 1;
    }
    QCOMPARE(figures, 1);
    QCOMPARE(content.Picture1(1), file);

    // A copy made before the first read reads the same figure, and so does the original.
    KOVRA_Danni again = std::move(*loadContentFolder(folder).content);
    again.copyPicture1(5, 1);
    QCOMPARE(again.Picture1(5), file);
    QCOMPARE(again.Picture1(1), file);
    const KOVRA_Danni &readOnly = again;
    QCOMPARE(readOnly.Picture1(1), file);

    // The check question of the start-up gets question 1's figure.
    KOVRA_Danni check = std::move(*loadContentFolder(folder).content);
    const int n = check.List1(0).listCount();
    appendCheckQuestion(check);
    QCOMPARE(check.Picture1(n + 1), file);

    // A figure whose file name tells another format than its content is read by its content.
    QFile json(folder + QStringLiteral("/content.json"));
    QVERIFY(json.open(QIODevice::ReadOnly));
    const QImage drawn = figure(30, 20, Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(drawn.save(&buffer, "PNG"));
    LoadResult misnamed =
        loadContent(json.readAll(), [&png](const QString &) { return std::optional(png); });
    QVERIFY(misnamed.content);
    QCOMPARE(misnamed.content->Picture1(1).convertToFormat(QImage::Format_RGB32), drawn);

    // An image put into a slot replaces the figure there.
    KOVRA_Danni replaced = std::move(*loadContentFolder(folder).content);
    replaced.Picture1(1) = figure(10, 10, Qt::black);
    QCOMPARE(replaced.Picture1(1).size(), QSize(10, 10));
    replaced.setPicture1File(2, QByteArray());
    QVERIFY(replaced.Picture1(2).isNull());
}

QTEST_MAIN(TestWindowDisplay)
#include "test_window_display.moc"
