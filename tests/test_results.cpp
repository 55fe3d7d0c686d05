// SPDX-License-Identifier: GPL-3.0-or-later
// The collector without a window: a small class marked against the test's current key, with an
// edited, a damaged and another test's file set apart; the CSV; the marks; and 1,000 result
// files each changed in one byte.

#include "results/collect.h"
#include "results/journal.h"
#include "results/marks_files.h"
#include "results/seal.h"
#include "results/stake.h"
#include "results_fixture.h"
#include "testfile/testfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace kovra;
using namespace kovra::testing;

class TestResults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void collectsClass_data();
    void collectsClass();
    void marks_data();
    void marks();
    void oneByteChanges();
    void resultsAtStake_data();
    void resultsAtStake();
    void pupilsCopyHoldsNoKey_data();
    void pupilsCopyHoldsNoKey();
    void journalKeepsAnswers_data();
    void journalKeepsAnswers();
};

namespace {

// Every name of every object in a JSON value, nested or not.
void namesIn(const QJsonValue &value, QSet<QString> &names)
{
    if (value.isArray()) {
        for (const QJsonValue &element : value.toArray()) {
            namesIn(element, names);
        }
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        names.insert(it.key());
        namesIn(it.value(), names);
    }
}

} // namespace

void TestResults::collectsClass_data()
{
    QTest::addColumn<QList<int>>("keys"); // of the test as it is now
    QTest::addColumn<QList<int>>("right");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QString>("analysis"); // the CSV line of question 2
    QTest::addColumn<QString>("fourth");   // Галя's name
    QTest::addColumn<QString>("cell");     // as the CSV writes it
    const QString galya = QStringLiteral("Галя; \"Г\"");
    const QString quoted = QStringLiteral("\"Галя; \"\"Г\"\"\"");
    QTest::newRow("the key the pupils had")
        << QList<int>{0, 0, 0, 0} << QList<int>{4, 3, 1, 0}
        << QStringList{"6,00", "5,00", "3,00", "2,00"}
        << QStringLiteral("2;Въпрос 2?;4;3;25;25;Q2 b;2;1,00") << galya << quoted;
    QTest::newRow("the key of question 2 corrected")
        << QList<int>{0, 1, 0, 0} << QList<int>{3, 4, 2, 0}
        << QStringList{"5,00", "6,00", "4,00", "2,00"}
        << QStringLiteral("2;Въпрос 2?;4;3;50;50;Q2 a;1;1,00") << galya << quoted;
    // A name a spreadsheet would take for a formula, quoted too: guarded inside the quotes.
    QTest::newRow("a formula for a name, in quotes")
        << QList<int>{0, 1, 0, 0} << QList<int>{3, 4, 2, 0}
        << QStringList{"5,00", "6,00", "4,00", "2,00"}
        << QStringLiteral("2;Въпрос 2?;4;3;50;50;Q2 a;1;1,00")
        << QStringLiteral("=HYPERLINK(\"http://x\";\"y\")")
        << QStringLiteral("\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\"");
}

void TestResults::collectsClass()
{
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, right);
    QFETCH(QStringList, marks);
    QFETCH(QString, analysis);
    QFETCH(QString, fourth);
    QFETCH(QString, cell);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("results"));
    QVERIFY(writeClass(dir.path(), folder, fourth));
    const MarkingTest now = writtenTest(dir.filePath(QStringLiteral("now.kovra")), QString(), keys);
    const ClassResults results = collectResults(folder, now);
    QList<int> rights;
    QStringList shownMarks;
    for (const PupilResult &pupil : results.pupils) {
        rights << pupil.right;
        shownMarks << QString::number(pupil.mark.value, 'f', 2)
                          .replace(QLatin1Char('.'), QLatin1Char(','));
    }
    QCOMPARE(rights, right);
    QCOMPARE(shownMarks, marks);
    QCOMPARE(results.pupils.at(2).answered, 3);
    // Not handed in: the time runs to the last answer.
    QCOMPARE(results.pupils.at(2).seconds, std::optional<qint64>(180));
    for (const PupilResult &pupil : results.pupils) {
        QCOMPARE(pupil.group, QStringLiteral("7а")); // "7A" typed in Latin letters too
    }
    QStringList apart;
    for (const ApartFile &file : results.apart) {
        apart << file.file + QLatin1String(": ") + file.reason;
    }
    QCOMPARE(apart, QStringList({"5 Дани.kovres: edited: its checksum does not match",
                                 "6 Ели.kovres: damaged: not JSON text (byte 301)",
                                 "7 Жоро.kovres: the result of another test: Тест с резултати"}));

    const QByteArray csv = resultsCsv(results);
    QVERIFY(csv.startsWith(
        "\xEF\xBB\xBFName;Class;Answered;Right;%;Mark;Word;Time;Handed in;Q1;Q2;Q3;Q4;File\r\n"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(4),
             cell + QStringLiteral(";7а;0;0;0;2,00;Poor;5:00;handed in;;;;;4 Галя.kovres"));
    QVERIFY(lines.at(3).startsWith(QStringLiteral("Вера;7а;3;")));
    QCOMPARE(lines.at(3).section(QLatin1Char(';'), 7, 8), QStringLiteral("3:00;not handed in"));
    QVERIFY2(lines.contains(analysis), qPrintable(lines.join(QLatin1Char('\n'))));
}

void TestResults::marks_data()
{
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QList<double>>("shares"); // for 3, 4, 5 and 6; empty, by the formula
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("percent"); // rounded to the nearest
    QTest::newRow("none right") << 0 << 10 << QList<double>() << 2.0 << 2 << 0;
    QTest::newRow("just below 3") << 7 << 29 << QList<double>() << 2.97 << 2 << 24;
    QTest::newRow("3.00") << 1 << 4 << QList<double>() << 3.0 << 3 << 25;
    QTest::newRow("3.50") << 3 << 8 << QList<double>() << 3.5 << 4 << 38;
    QTest::newRow("4.48, rounded") << 18 << 29 << QList<double>() << 4.48 << 4 << 62;
    QTest::newRow("4.50") << 5 << 8 << QList<double>() << 4.5 << 5 << 63;
    QTest::newRow("5.50") << 7 << 8 << QList<double>() << 5.5 << 6 << 88;
    QTest::newRow("4 of 13, 31 %, not 30") << 4 << 13 << QList<double>() << 3.23 << 3 << 31;
    QTest::newRow("shares: 0.7 of 10 is 5")
        << 7 << 10 << QList<double>{0.3, 0.5, 0.7, 0.9} << 5.0 << 5 << 70;
    QTest::newRow("shares: below the first")
        << 2 << 10 << QList<double>{0.3, 0.5, 0.7, 0.9} << 2.0 << 2 << 20;
}

void TestResults::marks()
{
    QFETCH(int, right);
    QFETCH(int, questions);
    QFETCH(QList<double>, shares);
    QFETCH(double, value);
    QFETCH(int, grade);
    QFETCH(int, percent);
    MarkScale scale;
    if (!shares.isEmpty()) {
        scale.shares = std::array<double, 4>{shares[0], shares[1], shares[2], shares[3]};
    }
    const Mark mark = markFor(right, questions, scale);
    QCOMPARE(mark.value, value);
    QCOMPARE(mark.grade, grade);
    QCOMPARE(percentOf(right, questions), percent);
}

// Every file changed in one byte is refused or flagged: none reaches the table.
void TestResults::oneByteChanges()
{
    QTemporaryDir dir;
    const MarkingTest test =
        writtenTest(dir.filePath(QStringLiteral("test.kovra")), QString(), QList<int>(29, 0), 29);
    QList<int> chosen;
    for (int q = 0; q < 29; ++q) {
        chosen << (q % 5 == 4 ? -1 : q % 4);
    }
    const QByteArray whole =
        writeResult(run(test.identity, QStringLiteral("Ана"), chosen), test.identity.key);
    const QString folder = dir.filePath(QStringLiteral("results"));
    QVERIFY(QDir().mkpath(folder));
    QRandomGenerator random(23);
    for (int i = 0; i < 1000; ++i) {
        QByteArray changed = whole;
        const auto at = random.bounded(whole.size());
        changed[at] = static_cast<char>((changed[at] + 1 + random.bounded(255)) & 0xff);
        QVERIFY(put(QDir(folder).filePath(QStringLiteral("%1.kovres").arg(i)), changed));
    }
    const ClassResults results = collectResults(folder, test);
    QCOMPARE(results.pupils.size(), std::size_t{0});
    QCOMPARE(results.apart.size(), std::size_t{1000});

    // Sealed for the teacher, the same file shows none of its texts, opens only with the
    // teacher's keys to the very bytes, and refuses every change of one byte.
    const std::optional<SealKeys> keys = makeSealKeys();
    const std::optional<SealKeys> another = makeSealKeys();
    QVERIFY(keys && another);
    const std::optional<QByteArray> sealed = sealFor(keys->publicKey, whole);
    QVERIFY(sealed && !sealed->contains(QStringLiteral("Ана").toUtf8()) &&
            !sealed->contains(test.identity.title.toUtf8()));
    QCOMPARE(unsealWith(*keys, *sealed), std::optional(whole));
    QCOMPARE(unsealWith(*another, *sealed), std::nullopt);
    QCOMPARE(unsealWith(*keys, sealed->left(47)), std::nullopt);
    for (int i = 0; i < 1000; ++i) {
        QByteArray changed = *sealed;
        const auto at = random.bounded(changed.size());
        changed[at] = static_cast<char>((changed[at] + 1 + random.bounded(255)) & 0xff);
        QVERIFY(!unsealWith(*keys, changed));
    }
    // A class of a test for marks: 1,000 files, each sealed afresh (its bytes at random, "{" or
    // a blank first as often as chance gives), every one opened; each changed in a byte, refused.
    MarkingTest forMarks = test;
    forMarks.identity.publicKey = keys->publicKey;
    forMarks.identity.secretKey = keys->secretKey;
    const ResultRecord record = run(test.identity, QStringLiteral("Ана"), chosen);
    for (const bool change : {false, true}) {
        const QString sealedFolder = dir.filePath(change ? "changed" : "sealed");
        QVERIFY(QDir().mkpath(sealedFolder));
        for (int i = 0; i < 1000; ++i) {
            QByteArray bytes = resultBytes(record, forMarks.identity).value();
            const auto at = random.bounded(bytes.size());
            bytes[at] = static_cast<char>(bytes[at] ^ (change ? 1 + random.bounded(255) : 0));
            QVERIFY(put(QDir(sealedFolder).filePath(QStringLiteral("%1.kovres").arg(i)), bytes));
        }
        const ClassResults sealedClass = collectResults(sealedFolder, forMarks);
        QCOMPARE(sealedClass.pupils.size(), std::size_t{change ? 0U : 1000U});
        QCOMPARE(sealedClass.apart.size(), std::size_t{change ? 1000U : 0U});
    }
}

void TestResults::resultsAtStake_data()
{
    QTest::addColumn<QList<int>>("keys"); // of the test about to be saved
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("files");
    QTest::addColumn<QList<int>>("changed");
    QTest::newRow("the key of question 2 changed")
        << QList<int>{0, 1, 0, 0} << 4 << 4 << QList<int>{2};
    QTest::newRow("the same keys") << QList<int>{0, 0, 0, 0} << 4 << 0 << QList<int>();
    QTest::newRow("another test, no results of it")
        << QList<int>{0, 1, 0, 0, 0} << 5 << 0 << QList<int>();
}

// A key changed over a test whose pupils' results are in its folder: the teacher is told.
void TestResults::resultsAtStake()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, questions);
    QFETCH(int, files);
    QFETCH(QList<int>, changed);
    QTemporaryDir dir;
    QVERIFY(writeClass(dir.path(), dir.filePath(QStringLiteral("results"))));
    const QString saved = writeTestFile(dir.filePath(QStringLiteral("given.kovra")),
                                        resultsTestJson(4, QStringLiteral("results")));
    const QString edited = writeTestFile(dir.filePath(QStringLiteral("edited.kovra")),
                                         resultsTestJson(questions, QString(), keys));
    const ResultsAtStake stake = kovra::resultsAtStake(saved, loadTestFile(edited));
    QCOMPARE(stake.files, files);
    QCOMPARE(stake.changedKeys, changed);
}

void TestResults::pupilsCopyHoldsNoKey_data()
{
    QTest::addColumn<QString>("folder"); // a content folder; empty: `questions` of four choices
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("draw");
    QTest::addColumn<bool>("kinds"); // the last four questions of every other kind
    QTest::newRow("single questions") << QString() << 6 << 0 << false;
    QTest::newRow("a figure, two to five choices")
        << qEnvironmentVariable("KOVRA_FIXTURES") + QStringLiteral("/small") << 0 << 0 << false;
    QTest::newRow("a bank each run draws from") << QString() << 25 << 10 << false;
    QTest::newRow("questions of every kind") << QString() << 6 << 0 << true;
}

// A test for marks written twice, only its right choices changed: the pupils' copies are the
// same bytes, with no field that names a key, an explanation or the secret, and they name the
// test as the teacher's test does, so that its results are marked.
void TestResults::pupilsCopyHoldsNoKey()
{
    QFETCH(QString, folder);
    QFETCH(int, questions);
    QFETCH(int, draw);
    QFETCH(bool, kinds);
    const std::optional<TestFiles> files =
        folder.isEmpty()
            ? std::optional(TestFiles{resultsTestJson(questions, QString(), {}, draw),
                                      [](const QString &) { return std::optional<QByteArray>(); }})
            : readContentFolder(folder).files;
    QVERIFY(files);
    const LoadResult loaded = loadContent(files->json, files->figures, files->source);
    QVERIFY(loaded.test);
    Test test = *loaded.test;
    if (kinds) {
        withEveryKind(test);
    }
    test.forMarks = ForMarks{40, {}, {}};
    QVERIFY(makeKeysOnce(test));
    Test changed = test;
    for (Question &question : changed.questions) {
        question.right = question.isSingle()
                             ? (question.right + 1) % static_cast<int>(question.choices.size())
                             : -1;
    }
    QTemporaryDir dir;
    QByteArray copies[2];
    for (const int i : {0, 1}) {
        const QString teachers = dir.filePath(QStringLiteral("%1/Тест.kovra").arg(i));
        QVERIFY(QDir().mkpath(QFileInfo(teachers).path()));
        QVERIFY(writeTestForMarks(i == 0 ? test : changed, teachers, {100, 150}).empty());
        QFile copy(pupilsCopyPath(teachers));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        copies[i] = copy.readAll();
        const LoadResult teachersTest = loadTestFile(teachers);
        const LoadResult pupils = loadTestFile(copy.fileName());
        QVERIFY(teachersTest.test && teachersTest.test->isTeachersTest());
        QVERIFY(pupils.test && pupils.test->isPupilsCopy());
        QCOMPARE(loadTestFile(pupilsCopyPath(teachers, 150)).test->forMarks->minutes, 60);
        QCOMPARE(markingTest(*pupils.test, {}).identity.questions,
                 markingTest(*teachersTest.test, {}).identity.questions);
    }
    QCOMPARE(copies[0], copies[1]);
    const TestFilesResult read = readTestArchive(copies[0]);
    QVERIFY(read.files);
    QSet<QString> names;
    namesIn(QJsonDocument::fromJson(read.files->json).object(), names);
    for (const char *name :
         {"key", "explanation", "secret", "note", "weights", "answers", "matches"}) {
        QVERIFY2(!names.contains(QLatin1String(name)), name);
    }
    QVERIFY(names.contains(QStringLiteral("seal")));
}

void TestResults::journalKeepsAnswers_data()
{
    QTest::addColumn<QByteArray>("responses"); // as the journal holds them
    QTest::addColumn<bool>("read");
    QTest::newRow("ticked, picked, typed")
        << QByteArray(R"([{"picked":["2","3"],"typed":""},{"picked":[],"typed":"Париж"}])") << true;
    QTest::newRow("typed beyond the line")
        << R"([{"picked":[],"typed":")" + QByteArray(kMaxTypedChars + 1, 'a') + R"("}])" << false;
    QTest::newRow("more picks than matching offers")
        << R"([{"typed":"","picked":[)" + QByteArray("\"a\",").repeated(kMaxResultOffered) +
               "\"a\"]}]"
        << false;
    QTest::newRow("a pick that is no text")
        << QByteArray(R"([{"picked":[1],"typed":""}])") << false;
}

// The answers of the other kinds the journal keeps, read back as written, and a journal from
// outside beyond their limits not taken.
void TestResults::journalKeepsAnswers()
{
    QFETCH(QByteArray, responses);
    QFETCH(bool, read);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.json"));
    Journal journal{7, QStringLiteral("a.kovres"), QDateTime::currentDateTime(), 0, {-1, -1}, {}};
    QVERIFY(writeJournal(path, journal));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(put(path, file.readAll().replace("\"responses\":[]", "\"responses\":" + responses)));
    const std::optional<Journal> back = readJournal(path);
    QCOMPARE(back.has_value(), read);
    if (read) {
        QVERIFY(writeJournal(path, *back));
        QCOMPARE(readJournal(path)->responses, back->responses);
        QCOMPARE(back->responses.at(1).typed, QStringLiteral("Париж"));
    }
}

QTEST_GUILESS_MAIN(TestResults)
#include "test_results.moc"
