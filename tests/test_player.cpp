// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the player: a broken set is refused before any window opens.

#include "content/loader.h"
#include "ui/player.h"

#include <QApplication>
#include <QTest>

using namespace kovra;

class TestPlayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void brokenSetOpensNoWindow_data();
    void brokenSetOpensNoWindow();
};

void TestPlayer::brokenSetOpensNoWindow_data()
{
    QTest::addColumn<QString>("folder");
    const QString fixtures = qEnvironmentVariable("KOVRA_FIXTURES");
    QTest::newRow("key matching no choice") << fixtures + QStringLiteral("/broken");
    QTest::newRow("no content file") << fixtures + QStringLiteral("/missing");
}

void TestPlayer::brokenSetOpensNoWindow()
{
    QFETCH(QString, folder);
    LoadResult loaded = loadContentFolder(folder);
    QVERIFY(!loaded.content);
    QCOMPARE(runPlayer(std::move(loaded)), 1);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

QTEST_MAIN(TestPlayer)
#include "test_player.moc"
