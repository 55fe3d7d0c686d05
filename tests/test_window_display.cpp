// What the window shows where it defers or caches work: the window icon read on first use.

#include "content_builder.h"
#include "run/random.h"
#include "ui/kovra_prazno.h"

#include <QIcon>
#include <QTest>

using namespace kovra;
using namespace kovra::testing;

namespace {

std::unique_ptr<KOVRA_Prazno> makeWindow(KOVRA_Danni content)
{
    return std::make_unique<KOVRA_Prazno>(
        std::move(content), std::make_unique<FixedDraws>(std::vector<float>(64, 0.0F)));
}

} // namespace

class TestWindowDisplay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void iconHasItsFourSizes();
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

QTEST_MAIN(TestWindowDisplay)
#include "test_window_display.moc"
