// SPDX-License-Identifier: GPL-3.0-or-later
// Broken question banks: each refused with the problem that says why, at the source line it
// names.
#include "import_bank.h"

#include <QTest>

using namespace import_bank;

class TestImportMalformed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void malformed_data();
    void malformed();
};

void TestImportMalformed::malformed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<ProblemKind>("kind");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    using K = ProblemKind;
    const QByteArray three = "A {=1 ~2}\n\nB {=1 ~2}\n\nC {=1 ~2}\n";
    const QByteArray aiken = "Q\nA. 1\nB. 2\nANSWER: A\n\n";
    const QByteArray csv = "question,A,B,answer\nQ1,1,2,A\n";
    QTest::newRow("not a bank") << u"b.xlsx"_s << QByteArray() << QStringList() << K::BankFormat
                                << 0 << 0;
    QTest::newRow("gift brace left open") << u"b.gift"_s << three + "\n// c\nD\n  {=1 ~2\n"
                                          << QStringList() << K::BankUnclosed << 9 << 3;
    QTest::newRow("gift blank line inside the answers")
        << u"b.gift"_s << "D {\n=1\n\n~2}\n\n" + three << QStringList() << K::BankUnclosed << 1
        << 3;
    QTest::newRow("gift too few once skipped")
        << u"b.gift"_s << QByteArray("A {=1 ~2}\n\nB {}\n\nC {=1 ~2}\n") << QStringList()
        << K::BankTooFew << 5 << 0;
    QTest::newRow("moodle xml too few: the line of its end")
        << u"b.xml"_s
        << QByteArray("<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"essay\"><questiontext>"
                      "<text>E</text></questiontext></question>\n</quiz>\n\n")
        << QStringList() << K::BankTooFew << 4 << 0;
    QTest::newRow("gift one question too many")
        << u"b.gift"_s << QByteArray("Q {=1 ~2}\n\n").repeated(30) << QStringList()
        << K::BankTooMany << 59 << 0;
    QTest::newRow("gift terminal escape") << u"b.gift"_s << three + "\nD\n{=1 ~2 ~1 \x1b[2J 2}\n"
                                          << QStringList() << K::BankControl << 8 << 11;
    QTest::newRow("gift phrase asked, no blank")
        << u"b.gift"_s << QByteArray("A {=1 ~2} x\n\nB\n{=1 ~2}\n\nC {=1 ~2} x\n")
        << QStringList{u"phrase"_s} << K::NoBlank << 3 << 0;
    QTest::newRow("aiken lower-case choice")
        << u"b.txt"_s << aiken + "Q\na. 1\nB. 2\nANSWER: A\n\n" + aiken + aiken << QStringList()
        << K::BankUnexpected << 8 << 0;
    QTest::newRow("aiken choice out of order")
        << u"b.txt"_s << aiken + aiken + "Q\nA. 1\nC. 2\nANSWER: A\n" + aiken << QStringList()
        << K::BankUnexpected << 13 << 0;
    QTest::newRow("aiken answer names no choice")
        << u"b.txt"_s << aiken + aiken + aiken + "Q\nA. 1\nB. 2\nANSWER: C\n"
        << QStringList() << K::BankAnswer << 19 << 9;
    QTest::newRow("aiken file ends before the answer")
        << u"b.txt"_s << aiken + aiken + aiken + "Q\nA. 1\n"
        << QStringList() << K::BankUnexpected << 17 << 0;
    QTest::newRow("aiken answer line too soon")
        << u"b.txt"_s << aiken + aiken + aiken + "Q\nANSWER: A\n"
        << QStringList() << K::BankUnexpected << 17 << 0;
    QTest::newRow("aiken one choice") << u"b.txt"_s << aiken + aiken + "Q\nA. 1\nANSWER: A\n"
                                      << QStringList() << K::ChoiceCount << 11 << 0;
    QTest::newRow("csv without answer column") << u"b.csv"_s << QByteArray("question;A;B\nQ;1;2\n")
                                               << QStringList() << K::BankMissingColumn << 1 << 0;
    QTest::newRow("csv quote left open") << u"b.csv"_s << csv + "Q2,1,\"2\n,A\nQ3,1,2,A\n"
                                         << QStringList() << K::BankUnclosed << 3 << 3;
    QTest::newRow("csv cell beyond the header") << u"b.csv"_s << csv + "Q2,1,2,A\nQ3,1,2,A,,x\n"
                                                << QStringList() << K::BankExtraCell << 4 << 6;
    QTest::newRow("gift stray byte in a UTF-8 bank") << u"b.gift"_s << three + "\nЪ {=caf\xe9 ~2}\n"
                                                     << QStringList() << K::BankNotUtf8 << 7 << 0;
    QTest::newRow("txt that is no bank format")
        << u"b.txt"_s << QByteArray("Notes.\nMore.\n") << QStringList() << K::BankFormat << 0 << 0;
    QTest::newRow("16 MiB of {") << u"b.gift"_s << QByteArray(16 << 20, '{') << QStringList()
                                 << K::BankQuestionTooLong << 1 << 0;
    QTest::newRow("16 MiB of line breaks")
        << u"b.txt"_s << QByteArray(16 << 20, '\n') << QStringList() << K::BankFormat << 0 << 0;
    QTest::newRow("16 MiB of line breaks, gift")
        << u"b.gift"_s << "{\n" + QByteArray((16 << 20) - 2, '\n') << QStringList() << K::BankTooFew
        << (16 << 20) - 1 << 0;
    QTest::newRow("16 MiB of commas") << u"b.csv"_s << QByteArray(16 << 20, ',') << QStringList()
                                      << K::BankTooManyCells << 1 << 0;
    QTest::newRow("csv of 16 MiB of line breaks")
        << u"b.csv"_s << csv + QByteArray((16 << 20) - csv.size(), '\n') << QStringList()
        << K::BankTooFew << (16 << 20) - csv.size() + 2 << 0;
    QTest::newRow("moodle xml with a DTD of entities")
        << u"b.xml"_s
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY a \"aaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>\n<quiz>&b;</quiz>\n")
        << QStringList() << K::BankXml << 2 << 0;
    QTest::newRow("moodle xml with an entity neither it nor HTML has")
        << u"b.xml"_s << QByteArray("<quiz>\n<question>&uarr;&nosuch;</question></quiz>\n")
        << QStringList() << K::BankXml << 2 << 0;
    QTest::newRow("moodle xml nested too deep")
        << u"b.xml"_s << "<quiz>\n" + QByteArray("<a>").repeated(100000) << QStringList()
        << K::BankXml << 2 << 0;
    QTest::newRow("moodle xml cut short")
        << u"b.xml"_s << QByteArray("<quiz>\n<question type=\"multichoice\">\n<name>")
        << QStringList() << K::BankXml << 3 << 0;
    QTest::newRow("gift bank of 1001 with --draw")
        << u"b.gift"_s << QByteArray("Q {=1 ~2}\n\n").repeated(1001) << QStringList{u"draw=5"_s}
        << K::BankTooMany << 2001 << 0;
    QTest::newRow("draw more than the bank holds")
        << u"b.gift"_s << three << QStringList{u"draw=4"_s} << K::DrawCount << 0 << 0;
    QTest::newRow("aiken question of 80 KB in many lines")
        << u"b.txt"_s
        << "Q\n" + QByteArray("a line of the question\n").repeated(3500) + "A. 1\nB. 2\nANSWER: A\n"
        << QStringList() << K::BankQuestionTooLong << 1 << 0;
    QTest::newRow("gift question of 5,000 nested tags")
        << u"b.gift"_s << three + "\nQ <p>" + QByteArray("<b>").repeated(5000) + "x {=a ~b}\n"
        << QStringList() << K::BankTooMuchHtml << 7 << 0;
    QTest::newRow("csv key equal to two choices")
        << u"b.csv"_s << csv + "Q2,1,1,1\nQ3,1,2,A\n"
        << QStringList() << K::KeyMatchesSeveral << 3 << 0;
}

void TestImportMalformed::malformed()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, source);
    QFETCH(QStringList, flags);
    QFETCH(ProblemKind, kind);
    QFETCH(int, line);
    QFETCH(int, column);
    const Outcome outcome = importBank(file, source, flags);
    QVERIFY(outcome.dump.isEmpty());
    const auto found = std::find_if(outcome.problems.begin(), outcome.problems.end(),
                                    [&](const Problem &p) { return p.kind == kind; });
    QVERIFY2(found != outcome.problems.end(), "the expected problem was not reported");
    QCOMPARE(found->severity, Severity::Error);
    QCOMPARE(found->line, line);
    if (kind != ProblemKind::BankXml) {
        QCOMPARE(found->column, column);
    }
    if (line > 0) {
        // A spreadsheet's place is its cell (column letter and row), or its row.
        const QString place = !found->cell ? u"line %1"_s.arg(line)
                              : column > 0 ? u"cell %1%2"_s.arg(QChar(u'A' + column - 1)).arg(line)
                                           : u"row %1"_s.arg(line);
        QVERIFY2(describe(*found).contains(place), qPrintable(describe(*found)));
    }
}

QTEST_GUILESS_MAIN(TestImportMalformed)
#include "test_import_malformed.moc"
