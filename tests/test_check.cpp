// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's mistakes as kovra-check words them, in English and in Bulgarian: each row runs the
// real program on a copy of a small test with one mistake made.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace {

using Mistake = std::function<void(const QString &folder)>;

void replaceInContent(const QString &folder, const QString &from, const QString &to)
{
    QFile file(folder + u"/content.json"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    QVERIFY2(text.contains(from), qPrintable(from));
    text.replace(from, to);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

Mistake replacing(const QString &from, const QString &to)
{
    return [from, to](const QString &folder) { replaceInContent(folder, from, to); };
}

// The output of kovra-check on the folder, under the given language; its standard error apart
// when `errors` is given.
QString check(const QStringList &arguments, const QString &language, int &status,
              QString *errors = nullptr)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LANG"_s, language);
    environment.insert(u"LC_ALL"_s, language);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KOVRA_CHECK), arguments);
    if (!process.waitForFinished(30000)) {
        status = -1;
        return {};
    }
    status = process.exitCode();
    if (errors) {
        *errors = QString::fromUtf8(process.readAllStandardError());
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// The fields of a question of each other kind than single choice, as a content folder holds it.
const std::map<QString, QByteArray> kKindFields{
    {u"several"_s, R"({"choices": ["2", "4", "5"], "weights": [50, -100, 50]})"},
    {u"several seven"_s, R"({"choices": ["1", "2", "3", "4", "5", "6", "7"],
                             "weights": [50, 0, 0, 0, 0, -100, 50]})"},
    {u"typed"_s, R"({"answers": [{"text": "Мусала"}, {"text": "Мус*", "percent": 50}]})"},
    {u"number"_s, R"({"answers": [{"value": "2.5", "tolerance": 0.01}],
                      "units": [{"name": "м"}, {"name": "см", "multiplier": 100}]})"},
    {u"number first"_s, R"({"answers": [{"value": "2.5"}], "units": [{"name": "лв."}],
                            "unitFirst": true, "unitPenalty": 10})"},
    {u"matching"_s, R"({"items": ["Франция", "Италия"], "choices": ["Атина", "Париж", "Рим"],
                        "matches": ["Париж", "Рим"]})"}};

} // namespace

class TestCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void teachersMistakes_data();
    void teachersMistakes();
    void paper_data();
    void paper();
    void htmlWithoutWindow_data();
    void htmlWithoutWindow();
};

void TestCheck::teachersMistakes_data()
{
    QTest::addColumn<Mistake>("mistake");
    QTest::addColumn<QString>("write"); // a test file to write; empty, a check alone
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("bulgarian");

    QTest::newRow("JSON mistake by line and column")
        << replacing(u"\"Малък тест\","_s, u"\"Малък тест\""_s) << QString() << 1
        << u"error: line 7, column 6 is not valid JSON: a comma is missing between values"_s
        << u"грешка: ред 7, колона 6 не е правилен JSON: липсва запетая между стойности"_s;
    QTest::newRow("key with Latin look-alikes")
        << replacing(u"\"key\": \"равнобедрен\""_s, u"\"key\": \"paвнобедрен\""_s) << QString() << 1
        << u"error: question 2, field \"key\" “paвнобедрен” equals no choice exactly, but nearly "
           "equals the choice “равнобедрен”: character 1: Latin “p” instead of Cyrillic “р”"_s
        << u"грешка: въпрос 2, поле „key“ „paвнобедрен“ не е равен точно на никой избор, но "
           "почти е равен на избора „равнобедрен“: 1-ви знак: латинско „p“ вместо кирилско „р“"_s;
    QTest::newRow("key with a capital and a blank")
        << replacing(u"\"key\": \"равнобедрен\""_s, u"\"key\": \"Равнобедрен \""_s) << QString()
        << 1 << u"character 1: Cyrillic “Р” instead of Cyrillic “р”"_s
        << u"1-ви знак: кирилско „Р“ вместо кирилско „р“"_s;
    QTest::newRow("one question, in the singular")
        << Mistake([](const QString &folder) {
               QFile file(folder + u"/content.json"_s);
               QVERIFY(file.open(QIODevice::ReadOnly));
               QString text = QString::fromUtf8(file.readAll());
               file.close();
               const auto from = text.indexOf(u",\n    {\"text\": \"___ в началото\""_s);
               const auto to = text.lastIndexOf(u"\n  ]"_s);
               text.remove(from, to - from);
               QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
               file.write(text.toUtf8());
           })
        << QString() << 1 << u"error: field \"questions\" has 1 question; 3 to 29 are allowed"_s
        << u"грешка: поле „questions“ има 1 въпрос; позволени са от 3 до 29"_s;
    QTest::newRow("figure in a format not read")
        << Mistake([](const QString &folder) {
               QFile file(folder + u"/figures/photo.webp"_s);
               QVERIFY(file.open(QIODevice::WriteOnly));
               file.write("RIFF\x10\0\0\0WEBPVP8 \x04\0\0\0zzzz", 24);
               file.close();
               replaceInContent(folder, u"figures/triangle.jpg"_s, u"figures/photo.webp"_s);
           })
        << QString() << 1
        << u"error: question 1, field \"figure\" file “figures/photo.webp” is not a picture that "
           "can be read; figures may be JPEG, PNG, GIF, BMP or WebP files"_s
        << u"грешка: въпрос 1, поле „figure“ файлът „figures/photo.webp“ не е картина, която "
           "може да се прочете; фигурите може да са файлове JPEG, PNG, GIF, BMP или WebP"_s;
    QTest::newRow("figure path with backslashes")
        << replacing(u"figures/triangle.jpg"_s, u"figures\\\\triangle.jpg"_s) << QString() << 1
        << u"error: question 1, field \"figure\" “figures\\triangle.jpg” separates folders with "
           "\"\\\"; write \"/\" instead: “figures/triangle.jpg”"_s
        << u"грешка: въпрос 1, поле „figure“ „figures\\triangle.jpg“ разделя папките с „\\“; "
           "пишете „/“: „figures/triangle.jpg“"_s;
    QTest::newRow("questions for each pupil, in a teacher's words")
        << replacing(u"  \"settings\""_s, u"  \"draw\": 10,\n  \"settings\""_s) << QString() << 1
        << u"error: questions for each pupil (--draw, or \"draw\" in content.json): 10; 3 to 3 "
           "are allowed here"_s
        << u"грешка: въпроси за всеки ученик (--draw или „draw“ в content.json): 10; тук са "
           "позволени от 3 до 3"_s;
    QTest::newRow("a test that passes")
        << Mistake([](const QString &) {}) << QString() << 0
        << u"“Малък тест”: 3 questions, 1 figure; ready for pupils.\n"_s
        << u"„Малък тест“: 3 въпроса, 1 фигура; готов е за учениците.\n"_s;
    QTest::newRow("a Bulgarian teacher's spreadsheet of 12 rows, one with a wrong letter")
        << Mistake([](const QString &folder) {
               QFile file(folder + u"/bank.csv"_s);
               QVERIFY(file.open(QIODevice::WriteOnly));
               QString rows = u"Въпрос;А;Б;В;Г;Верен\r\n"_s;
               for (int row = 2; row <= 13; ++row) {
                   rows += u"Колко е %1 + 1?;%2;%3;0;1;%4\r\n"_s.arg(row).arg(row + 1).arg(row).arg(
                       row == 7 ? u"Ж"_s : u"А"_s);
               }
               file.write(rows.toUtf8());
           })
        << QString() << 0 << u"read as CSV: 11 questions imported, 1 skipped"_s
        << u"прочетен като CSV: внесени въпроси 11, пропуснати 1"_s;
    QTest::newRow("a test file that cannot be written")
        << Mistake([](const QString &) {}) << u"/no-such-folder/test.kovra"_s << 1
        << u"error: file “/no-such-folder/test.kovra” cannot be written: No such file or "
           "directory"_s
        << u"грешка: файлът „/no-such-folder/test.kovra“ не може да се запише: Няма такъв файл "
           "или папка"_s;
}

void TestCheck::teachersMistakes()
{
    QFETCH(Mistake, mistake);
    QFETCH(QString, write);
    QFETCH(int, status);
    QFETCH(QString, english);
    QFETCH(QString, bulgarian);

    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString fixture = qEnvironmentVariable("KOVRA_FIXTURES") + u"/small"_s;
    QVERIFY(QDir().mkpath(folder + u"/figures"_s));
    for (const QString &name : {u"content.json"_s, u"figures/triangle.jpg"_s}) {
        QVERIFY(QFile::copy(fixture + u'/' + name, folder + u'/' + name));
        QFile::setPermissions(folder + u'/' + name, QFile::ReadOwner | QFile::WriteOwner);
    }
    mistake(folder);
    // A row's mistake may write a question bank to check instead of the folder.
    const QString bank = folder + u"/bank.csv"_s;
    QStringList arguments{QFile::exists(bank) ? bank : folder};
    if (!write.isEmpty()) {
        arguments.prepend(write);
        arguments.prepend(u"--write"_s);
    }
    for (const auto &[language, expected] :
         {std::pair{u"C.UTF-8"_s, english}, std::pair{u"bg_BG.UTF-8"_s, bulgarian}}) {
        int exitStatus = 0;
        const QString output = check(arguments, language, exitStatus);
        QCOMPARE(exitStatus, status);
        QVERIFY2(output.contains(expected), qPrintable(output));
    }
}

void TestCheck::paper_data()
{
    QTest::addColumn<bool>("key");
    QTest::addColumn<QStringList>("holds"); // patterns the pages' text has, pages split by \f
    QTest::addColumn<QStringList>("lacks");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("draw");     // 0: none
    QTest::addColumn<QString>("kind"); // of a question after them; empty: none
    QTest::newRow("a question kept whole on a page, a figure within it")
        << false << QStringList{u"Въпрос 3:[^\f]*3-Д отговор"_s}
        << QStringList{u"Въпрос (\\d+):[^\f]*\f[^\f]*(?<!\\d)\\1-Д отговор"_s} << 29 << 0
        << QString();
    QTest::newRow("the pupil's name and class on the first page")
        << false << QStringList{u"^[^\f]*Име: _{10,}\\s+Клас: _{5,}[^\f]*Въпрос 1:"_s}
        << QStringList() << 29 << 0 << QString();
    QTest::newRow("the key as a grid, then the explanations that say more")
        << true
        << QStringList{u"1 ?– ?Б\\s+2 ?– ?В\\s+3 ?– ?Г"_s, u"29 ?– ?Д"_s, u"Обяснения"_s,
                       u"2\\. Въпрос 2:[^\f]*В\\) 2-В отговор\\s+Обяснение 2."_s}
        << QStringList{u"Верният отговор е"_s, u"Въпрос 1:"_s} << 29 << 0 << QString();
    QTest::newRow("a bank of 40 drawing 10: every question on paper")
        << false << QStringList{u"Въпрос 11:"_s, u"Въпрос 40:[^\f]*40-А отговор"_s} << QStringList()
        << 40 << 10 << QString();
    QTest::newRow("a bank of 40 drawing 10: every question in the key")
        << true << QStringList{u"40 ?– ?А"_s, u"40\\. Въпрос 40:"_s} << QStringList() << 40 << 10
        << QString();
    QTest::newRow("several on paper: a box each, more than one may be right")
        << false
        << QStringList{u"\\(може да има повече от един верен отговор\\)\\s+☐ А\\) 2\\s+☐ Б\\) 4"_s}
        << QStringList() << 2 << 0 << u"several"_s;
    QTest::newRow("several in the key: each choice's credit")
        << true << QStringList{u"3 ?– ?А, В"_s, u"А\\) 2: 50 %\\s+Б\\) 4: -100 %"_s}
        << QStringList() << 2 << 0 << u"several"_s;
    QTest::newRow("several of seven in the key: letters past Д")
        << true << QStringList{u"3 – А, Ж"_s, u"Е\\) 6: -100 %\\s+Ж\\) 7: 50 %"_s} << QStringList()
        << 2 << 0 << u"several seven"_s;
    QTest::newRow("typed on paper: a line to write on")
        << false << QStringList{u"вид typed\\s+Отговор: _{20,}\\s*$"_s} << QStringList() << 2 << 0
        << u"typed"_s;
    QTest::newRow("typed in the key: each answer's credit, the star, the case")
        << true
        << QStringList{u"typed\\s+„Мусала“: 100 %\\s+„Мус\\*“: 50 %\\s+Знакът \\* замества.*\\s+"
                       u"Главните и малките букви не се различават.\\s+Обяснение на вида."_s}
        << QStringList() << 2 << 0 << u"typed"_s;
    QTest::newRow("number on paper: a line and its unit")
        << false << QStringList{u"вид number\\s+Отговор: _{20,} м\\s*$"_s} << QStringList() << 2
        << 0 << u"number"_s;
    QTest::newRow("number in the key: its tolerance and units")
        << true
        << QStringList{u"3 – 2,5 ± 0,01 м"_s,
                       u"2,5 ± 0,01 м: 100 %\\s+Мерни единици: м; см \\(× 100\\)"_s}
        << QStringList() << 2 << 0 << u"number"_s;
    QTest::newRow("number with its unit before it, on paper")
        << false << QStringList{u"вид number first\\s+Отговор: лв\\. _{20,}\\s*$"_s}
        << QStringList() << 2 << 0 << u"number first"_s;
    QTest::newRow("number with its unit before it, in the key")
        << true
        << QStringList{u"3 – лв. 2,5"_s, u"лв. 2,5: 100 %\\s+Без мерна единица или с друга: "
                                         u"отнемат се 10 % от точките на отговора."_s}
        << QStringList() << 2 << 0 << u"number first"_s;
    QTest::newRow("matching on paper: items numbered, a blank each, answers lettered")
        << false
        << QStringList{u"matching[^\f]*1\\. Франция _{5,}\\s+А\\) Атина\\s+2\\. Италия _{5,}\\s+Б"_s}
        << QStringList() << 2 << 0 << u"matching"_s;
    QTest::newRow("matching in the key: each item's answer")
        << true
        << QStringList{u"3 – 1Б 2В"_s, u"1\\. Франция → Б\\) Париж\\s+2\\. Италия → В\\) Рим"_s}
        << QStringList() << 2 << 0 << u"matching"_s;
}

// Writes a test of long questions of five choices, two with a figure, as PDF and reads it.
void TestCheck::paper()
{
    QFETCH(bool, key);
    QFETCH(QStringList, holds);
    QFETCH(QStringList, lacks);
    QFETCH(int, questions);
    QFETCH(int, draw);
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(u"figures"_s)));
    QVERIFY(QFile::copy(qEnvironmentVariable("KOVRA_FIXTURES") + u"/small/figures/triangle.jpg"_s,
                        dir.filePath(u"figures/photo.jpg"_s)));
    QJsonArray bank;
    for (int k = 1; k <= questions; ++k) {
        QJsonArray choices;
        for (const QChar letter : u"АБВГД"_s) {
            choices.append(u"%1-%2 отговор"_s.arg(k).arg(letter));
        }
        QJsonObject question{{u"text"_s, u"Въпрос %1: "_s.arg(k) +
                                             u"Намерете ъгъла при върха. "_s.repeated(5 + k % 9)},
                             {u"choices"_s, choices},
                             {u"key"_s, choices.at(k % 5)},
                             {u"explanation"_s, QJsonArray{k % 2 ? u"Верният отговор е: %1."_s.arg(
                                                                       choices.at(k % 5).toString())
                                                                 : u"Обяснение %1."_s.arg(k)}}};
        if (k == 3 || k == 10) {
            question.insert(u"figure"_s, u"figures/photo.jpg"_s);
        }
        bank.append(question);
    }
    if (!kind.isEmpty()) {
        QJsonObject question = QJsonDocument::fromJson(kKindFields.at(kind)).object();
        question.insert(u"type"_s, kind.section(u' ', 0, 0));
        question.insert(u"text"_s, u"Въпрос от вид %1"_s.arg(kind));
        question.insert(u"explanation"_s, QJsonArray{u"Обяснение на вида."_s});
        bank.append(question);
    }
    QFile content(dir.filePath(u"content.json"_s));
    QVERIFY(content.open(QIODevice::WriteOnly));
    QJsonObject test{{u"settings"_s, QJsonArray{u"Н - 0"_s, u"Ф - 0"_s, u"Т - 0"_s, u"Тест"_s,
                                                u"О - 1"_s, u"Б - 0"_s}},
                     {u"questions"_s, bank}};
    if (draw > 0) {
        test.insert(u"draw"_s, draw);
    }
    content.write(QJsonDocument(test).toJson());
    content.close();
    const QString pdf = dir.filePath(u"paper.pdf"_s);
    QStringList arguments{u"--pdf"_s, pdf, dir.path()};
    if (key) {
        arguments.insert(2, u"--key"_s);
    }
    int status = 0;
    const QString said = check(arguments, u"bg_BG.UTF-8"_s, status);
    QVERIFY2(status == 0, qPrintable(said));
    QProcess text;
    text.start(u"pdftotext"_s, {pdf, u"-"_s});
    QVERIFY(text.waitForFinished());
    const QString pages = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString &pattern : holds) {
        QVERIFY2(QRegularExpression(pattern).match(pages).hasMatch(),
                 qPrintable(pattern + u'\n' + pages));
    }
    for (const QString &pattern : lacks) {
        const QRegularExpressionMatch found = QRegularExpression(pattern).match(pages);
        QVERIFY2(!found.hasMatch(), qPrintable(found.captured()));
    }
}

// HTML whose layout would need fonts, which a program without a window has none of, read from a
// bank: each row runs the checker on it and reads what the program will hold.
void TestCheck::htmlWithoutWindow_data()
{
    QTest::addColumn<QString>("html"); // the first question's text in a GIFT bank
    QTest::addColumn<QString>("plain");
    const QString question = u"Колко е 2 + 2?"_s;
    QTest::newRow("margin in em, indent in ex")
        << u"<p style=\"margin-left: 2em; text-indent: 3ex\">Колко е 2 + 2?</p>"_s << question;
    QTest::newRow("font-size in em, %, 0 and below")
        << u"<span style=\"font-size: 1.5em\">Колко</span> <span style='font-size:80%'>е</span> "
           "<span style=\"font-size: 0em\">2 +</span> <span style=\"font-size:-2em\">2?</span>"_s
        << question;
    QTest::newRow("font size, big, small")
        << u"<font size=\"+2\">Колко</font> <big>е</big> <small>2 + 2?</small>"_s << question;
    QTest::newRow("headings") << u"<h1 style=\"margin: 1em\">Колко</h1><h3>е</h3><h6>2 + 2?</h6>"_s
                              << question;
    QTest::newRow("table, cellpadding and padding in em")
        << u"<table cellpadding=\"4\" style=\"border-spacing: 0.5em\"><tr><td style=\"padding: "
           "1em\">Колко е</td><th width=\"50%\">2 + 2?</th></tr></table>"_s
        << question;
    QTest::newRow("lists with margins")
        << u"<ul style=\"margin-left: 1.2em\"><li>Колко</li><li style=\"margin-top: .5em\">е</li>"
           "</ul><ol><li>2 + 2?</li></ol>"_s
        << question;
    QTest::newRow("style sheet in em")
        << u"<style>p \\{ margin: 1.5em \\}</style><p>Колко е 2 + 2?</p>"_s << question;
    QTest::newRow("entities in a sized span")
        << u"<span style=\"letter-spacing: .1em\">&alpha;&#946;&#x3B3;&nbsp;&deg; &lt;&amp;&gt; "
           "&#150; &euro; &nosuch;</span>"_s
        << u"αβγ ° <&> – € &nosuch;"_s;
}

void TestCheck::htmlWithoutWindow()
{
    QFETCH(QString, html);
    QFETCH(QString, plain);
    QTemporaryDir dir;
    QFile bank(dir.filePath(u"bank.gift"_s));
    QVERIFY(bank.open(QIODevice::WriteOnly));
    bank.write((u"[html]"_s + html + u" {=a ~b}\n\nB {=1 ~2}\n\nC {=1 ~2}\n"_s).toUtf8());
    bank.close();
    int status = 0;
    QString errors;
    const QStringList dump =
        check({u"--dump"_s, bank.fileName()}, u"C.UTF-8"_s, status, &errors).split(u'\n');
    QCOMPARE(status, 0);
    // Nothing but the checker's own lines: no warning of Qt's.
    QCOMPARE(errors, bank.fileName() + u": read as GIFT: 3 questions imported, 0 skipped\n“bank”: "
                                       "3 questions, 0 figures; ready for pupils.\n"_s);
    QVERIFY2(dump.contains(u"List1(1)[0]\t"_s + plain), qPrintable(dump.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestCheck)
#include "test_check.moc"
