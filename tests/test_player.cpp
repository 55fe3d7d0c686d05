// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the player: a broken set or test file is refused before any window opens; a test
// file plays in the window.

#include "content/cp1251.h"
#include "content/loader.h"
#include "testfile/testfile.h"
#include "ui/kovra_prazno.h"
#include "ui/player.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kovra;

class TestPlayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void brokenSetOpensNoWindow_data();
    void brokenSetOpensNoWindow();
    void playsTestFile_data();
    void playsTestFile();
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

void TestPlayer::playsTestFile_data()
{
    QTest::addColumn<QString>("folder"); // written as the test file; empty, a damaged file
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("title"); // the title label's caption
    const QString fixtures = qEnvironmentVariable("KOVRA_FIXTURES");
    QTest::newRow("a test file") << fixtures + QStringLiteral("/small") << 0 << w1251("Малък тест");
    QTest::newRow("a damaged test file") << QString() << 1 << QByteArray();
}

void TestPlayer::playsTestFile()
{
    QFETCH(QString, folder);
    QFETCH(int, status);
    QFETCH(QByteArray, title);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.kovra"));
    const QByteArray bytes = folder.isEmpty()
                                 ? QByteArray("PK\x03\x04 cut")
                                 : *makeTestArchive(*readContentFolder(folder).files).archive;
    QVERIFY(saveFile(path, bytes).empty());
    QByteArray shown;
    QTimer::singleShot(0, this, [&shown] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<KOVRA_Prazno *>(widget)) {
                shown = window->Label1(0)->caption();
                window->izhod(0)->trigger();
            }
        }
    });
    QCOMPARE(startPlayer({std::nullopt, path}), status);
    QCOMPARE(shown, title);
}

QTEST_MAIN(TestPlayer)
#include "test_player.moc"
