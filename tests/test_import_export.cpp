// SPDX-License-Identifier: GPL-3.0-or-later
// A test written out as a question bank and read back, and the import's words in Bulgarian.
#include "content/dump.h"
#include "content/translation.h"
#include "import/import.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace kovra;
using namespace Qt::Literals::StringLiterals;

class TestImportExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportRoundTrip_data();
    void exportRoundTrip();
    void kindsRoundTrip_data();
    void kindsRoundTrip();
    void bulgarianWords();
};

void TestImportExport::exportRoundTrip_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("written"); // a row as written, when it matters
    QTest::newRow("moodle xml") << u"out.xml"_s << QByteArray();
    QTest::newRow("gift, figures left out") << u"out.gift"_s << QByteArray();
    // Cells a spreadsheet would take for formulas are guarded, also when quoted, and read back.
    QTest::newRow("csv, figures beside")
        << u"out.csv"_s
        << QByteArray("\"'=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\",\"-1\",\"'+2\",\"'@3\",\"\","
                      "\"\",\"B\",\"\",\"'- one\n- two\"\r\n");
}

// A test exported and imported again dumps the same, but for the author's note (and GIFT's
// figures).
void TestImportExport::exportRoundTrip()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, written);
    QTemporaryDir dir;
    QImage(8, 6, QImage::Format_RGB32).save(dir.filePath(u"fig.png"_s));
    QFile source(dir.filePath(u"t.csv"_s));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("question,A,B,C,answer,figure,explanation\n"
                 "\"a < b & c; {x} = ~y #1: √2 ≤ π\",1,\"2,5\",<3>,B,fig.png,\"one\ntwo\"\n"
                 "Кое е α?,α,β,γ,A,,\n"
                 "Q3,x,y,,B,,Виж: 1 \\ 2\n"
                 "\"=HYPERLINK(\"\"http://x\"\";\"\"y\"\")\",-1,+2,@3,B,,\"- one\n- two\"\n");
    source.close();
    ImportOptions options;
    options.title = u"T"_s;
    const auto dumpOf = [&](const QString &path) -> QStringList {
        const Imported imported = importQuestionBank(path, options);
        const LoadResult loaded = imported.test ? loadTest(*imported.test) : LoadResult();
        return loaded.content ? QString::fromUtf8(dumpContent(*loaded.content))
                                    .split(u'\n')
                                    .filter(QRegularExpression(u"^(?!Text1)"_s))
                              : QStringList();
    };
    const QStringList before = dumpOf(source.fileName());
    QVERIFY(!before.isEmpty());
    const Imported imported = importQuestionBank(source.fileName(), options);
    const LoadResult loaded = loadTest(*imported.test);
    const Problems problems = exportTest(*loaded.test, dir.filePath(file));
    QVERIFY(!hasErrors(problems));
    QStringList after = dumpOf(dir.filePath(file));
    QFile out(dir.filePath(file));
    QVERIFY(out.open(QIODevice::ReadOnly) && out.readAll().contains(written));
    if (file.endsWith(u".gift"_s)) {
        QCOMPARE(problems.size(), std::size_t{1});
        QCOMPARE(after.indexOf(u"Picture1(1)\tnone"_s), before.indexOf(u"Picture1(1)\t8x6"_s));
        after.replace(after.indexOf(u"Picture1(1)\tnone"_s), u"Picture1(1)\t8x6"_s);
    }
    QCOMPARE(after, before);
}

void TestImportExport::kindsRoundTrip_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("leftOut"); // the questions the format cannot hold, with one warning
    QTest::addColumn<std::optional<ProblemKind>>("warning"); // the one warning
    QTest::newRow("gift") << u"kinds.gift"_s << 0 << std::optional<ProblemKind>();
    QTest::newRow("gift, a number's units left out")
        << u"units.gift"_s << 0 << std::optional(ProblemKind::ExportNoUnits);
    QTest::newRow("moodle xml") << u"kinds.xml"_s << 0 << std::optional<ProblemKind>();
    QTest::newRow("csv, single choice alone")
        << u"kinds.csv"_s << 4 << std::optional(ProblemKind::ExportOtherKinds);
}

// A bank of every kind read, exported and read again dumps the same, but for the author's note.
void TestImportExport::kindsRoundTrip()
{
    QFETCH(QString, file);
    QFETCH(int, leftOut);
    using Warning = std::optional<ProblemKind>;
    QFETCH(Warning, warning);
    QTemporaryDir dir;
    QFile source(dir.filePath(u"source.gift"_s));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("::A::Кое е 2+2? {=4 ~3 ~5####Сбор.}\n\n"
                 "::B::Кои са прости? {~%50%2 ~%50%3 ~%-100%4####2 и 3.}\n\n"
                 "::C::Столицата на Франция? {=%100%Париж =%50%Par*####Париж.}\n\n"
                 "::D::Колко е π? {#=3.14:0.005 =%50%3:0.5####3,14.}\n\n"
                 "::E::Свържете. {=1 -> едно =2 -> две =3 -> три = -> четири####Числа.}\n");
    source.close();
    ImportOptions options;
    options.title = u"T"_s;
    const auto dumpOf = [](const Test &test) -> QStringList {
        const LoadResult loaded = loadTest(test);
        return loaded.content
                   ? QString::fromUtf8(dumpContent(*loaded.content, &*loaded.test))
                         .split(u'\n')
                         .filter(QRegularExpression(u"^(?!Text1)"_s)) // the note names the format
                   : QStringList();
    };
    Test test = *importQuestionBank(source.fileName(), options).test;
    if (file.endsWith(u".xml"_s)) { // what GIFT does not hold
        test.questions[1].allOrNothing = true;
        test.questions[2].caseMatters = true;
        test.questions[3].units = {{u"m"_s, 1}, {u"cm"_s, 100}};
        test.questions.push_back(test.questions[3]);
        test.questions.back().unitsIgnored = true;
        test.questions.push_back(test.questions[3]);
        test.questions.back().unitFirst = true;
        test.questions.back().unitPenalty = 0.25;
        test.questions.back().unitPenaltyOfQuestion = true;
    }
    QStringList before = dumpOf(test);
    if (warning == ProblemKind::ExportNoUnits) { // read back as a number alone
        test.questions[3].units = {{u"m"_s, 1}};
        test.questions[3].unitPenalty = 0.1;
    }
    for (const char *kind :
         {"Choice(2)[2]\t4\t-100%", "Kind(3)\ttyped", "Kind(4)\tnumber",
          "Answer(4)[1]\t3\t50%\t±0.5", "Item(5)[2]\t3\tтри", "Offered(5)[3]\tчетири\t"}) {
        QVERIFY2(before.contains(QString::fromUtf8(kind)), qPrintable(before.join(u'\n')));
    }
    const Problems problems = exportTest(test, dir.filePath(file));
    QCOMPARE(problems.size(), std::size_t(warning ? 1 : 0));
    if (warning) {
        QCOMPARE(problems.front().kind, *warning);
        QCOMPARE(problems.front().count, std::max(leftOut, 1));
    }
    if (leftOut > 0) {
        QFile out(dir.filePath(file));
        QVERIFY(out.open(QIODevice::ReadOnly));
        const QByteArray csv = out.readAll();
        QVERIFY(csv.contains("Кое е 2+2?") && csv.count("\r\n") == 2); // its header and A
        return;
    }
    const Imported imported = importQuestionBank(dir.filePath(file), options);
    QVERIFY(imported.test);
    QCOMPARE(dumpOf(*imported.test), before);
}

void TestImportExport::bulgarianWords()
{
    const Problem skipped{.kind = ProblemKind::BankSkipped,
                          .severity = Severity::Warning,
                          .line = 12,
                          .column = 3,
                          .skip = SkipReason::TrueFalse};
    QVERIFY(installTranslation(QLocale(QLocale::Bulgarian)));
    QCOMPARE(describe(skipped), u"предупреждение: ред 12, колона 3 въпросът е пропуснат: това е "
                                u"въпрос „вярно/невярно“"_s);
    // A spreadsheet's row left out, a missing column and a setting, in a teacher's words.
    const Problem letter{.kind = ProblemKind::BankAnswer,
                         .severity = Severity::Warning,
                         .line = 3,
                         .column = 6,
                         .cell = true,
                         .text = u"E"_s,
                         .skipsRow = true};
    QCOMPARE(describe(letter), u"предупреждение: клетка F3 верният отговор „E“ не посочва нито "
                               u"един попълнен избор (буква от А до Д или от A до E, номер от 1 "
                               u"до 5 или текстът на избора); редът е пропуснат"_s);
    QCOMPARE(
        describe({.kind = ProblemKind::BankMissingColumn, .line = 1, .cell = true, .count = 6}),
        u"грешка: ред 1 на таблицата заглавният ред няма колона с верния отговор (с име "
        u"„Верен отговор“, „Верен“, „Отговор“ или „answer“)"_s);
    QCOMPARE(describe({.kind = ProblemKind::DrawCount,
                       .place = {ContentField::Draw},
                       .count = 10,
                       .least = 3,
                       .limit = 6},
                      Audience::Window),
             u"грешка: въпроси за всеки ученик: 10; тук са позволени от 3 до 6"_s);
    QVERIFY(installTranslation(QLocale(QLocale::English)));
    QCOMPARE(describe(skipped),
             u"warning: line 12, column 3 question skipped: it is a true/false question"_s);
}

QTEST_GUILESS_MAIN(TestImportExport)
#include "test_import_export.moc"
