// SPDX-License-Identifier: GPL-3.0-or-later
// Question banks (GIFT, Aiken, CSV, Moodle XML) read through the import and the content check,
// compared in the dump.
#include "import_bank.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTest>

using namespace kovra;
using namespace Qt::Literals::StringLiterals;

using namespace import_bank;

class TestImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void banks_data();
    void banks();
};

void TestImport::banks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<int>("count");               // questions imported
    QTest::addColumn<QStringList>("expected");    // lines the dump must hold
    QTest::addColumn<QList<int>>("skippedLines"); // of the warnings: skips, columns not read
    QTest::newRow("gift as exported: comments, titles (one for no text), html, escapes, feedback")
        << u"Геометрия 7.gift"_s
        << QByteArray("// question: 0  name: Switch category to $course$/top/Геометрия\n"
                      "$CATEGORY: $course$/top/Геометрия\n\n"
                      "// question: 101  name: Ъгъл\n"
                      "::Ъгъл при върха::[html]<p>Ъгълът при основата е 70&deg;.<br>А при "
                      "върха?</p>{\n"
                      "\t=40°#Ъглите при основата са равни.\n\t~70°\n"
                      "\t~110°#Това е външният ъгъл.\n"
                      "\t####<p>180° - 2 . 70° \\= 40°.</p>\\nПроверка: 40 + 140 \\= 180.\n}\n\n"
                      "::TF::Земята е кръгла.{T}\n\n"
                      "::Отношение::Отношението 1\\:5 е {=0,2 ~5} към единица.\n\n"
                      "// question: 104\n::Число::Колко е 2+2?{#4}\n\n"
                      "::Знаци::Кой знак отваря блок? {=\\{ ~\\# ~\\~ ~\\=}\n\n"
                      "::Кой знак затваря блок?::{=\\} ~\\#}\n\n{=1 ~2}\n")
        << QStringList() << 6
        << QStringList{u"List1(1)[0]\tЪгълът при основата е 70°. А при върха?"_s,
                       u"List1(1)[3]\t110°"_s,
                       u"List1(0)[0]\t40°"_s,
                       u"Obqsnenie(1)[0]\t180° - 2 . 70° = 40°."_s,
                       u"Obqsnenie(1)[1]\tПроверка: 40 + 140 = 180."_s,
                       u"Obqsnenie(1)[2]\tЪглите при основата са равни."_s,
                       u"Obqsnenie(1)[3]\t110°: Това е външният ъгъл."_s,
                       u"List1(2)[0]\tЗемята е кръгла."_s,
                       u"List1(2)[2]\tНевярно"_s,
                       u"List1(0)[1]\tВярно"_s,
                       u"List1(3)[0]\tОтношението 1:5 е ___ към единица."_s,
                       u"List1(5)[1]\t{"_s,
                       u"List1(5)[4]\t="_s,
                       u"Obqsnenie(5)[0]\tВерният отговор е: {."_s,
                       u"List2[1]\tЧЕО - фраза от 2 части - 0"_s,
                       u"List2[3]\tГеометрия 7"_s,
                       u"List2[4]\tДава описание - 1"_s,
                       u"List2[5]\tДава обяснения - 1"_s,
                       u"Kind(4)\tnumber"_s,
                       u"Answer(4)[0]\t4\t100%\t±0"_s,
                       u"List1(6)[0]\tКой знак затваря блок?"_s}
        << QList<int>{21, 23}; // a title taken as the text; neither: skipped
    QTest::newRow("gift: a category right after a question, no blank line between")
        << u"c.gift"_s
        << QByteArray("$CATEGORY: $course$/a\n::Q1::Колко е 2+2? {=4 ~3 ~5}\n"
                      "$CATEGORY: $course$/b\n::Q2::Колко е 3+3? {=6 ~5 ~7}\n\n"
                      "::Q3::Колко е 1+1? {=2 ~3 ~5}\n")
        << QStringList() << 3 << QStringList{u"List1(2)[0]\tКолко е 3+3?"_s} << QList<int>{};
    QTest::newRow("gift missing words only: phrase mode")
        << u"w.gift"_s
        << QByteArray("Столицата на България е {=София ~Пловдив}.\n\n"
                      "{=Дунав ~Марица ~Искър} тече на север.\n\n"
                      "Върхът Мусала е\n{\n=2925 м\n~2914 м\n}\nвисок.\n")
        << QStringList() << 3
        << QStringList{u"List1(1)[0]\tСтолицата на България е ___."_s,
                       u"List1(3)[0]\tВърхът Мусала е ___ висок."_s, u"List1(0)[2]\t2925 м"_s,
                       u"List2[1]\tЧЕО - фраза от 2 части - 1"_s, u"List2[4]\tДава описание - 0"_s}
        << QList<int>();
    QTest::newRow("gift of every kind, those a test cannot hold skipped")
        << u"k.gift"_s
        << QByteArray("Кратък? {=да =yes}\n\nСъпостави {=a -> 1 =b -> 2 ~c -> 3}\n\n"
                      "Есе {}\n\nОписание без отговори.\n\nТегла {~%50%a ~%50%b ~c}\n\n"
                      "Шест {=1 ~2 ~3 ~4 ~5 ~6}\n\nДва верни {=1 =2 ~3}\n\n"
                      "Без верен {~1 ~2}\n\nA {=1 ~2}\n\nB {=%100%1 ~%0%2}\n\nC {~2 =1}\n")
        << QStringList() << 6 << QStringList{u"List1(5)[2]\t2"_s,          u"List1(6)[0]\tC"_s,
                                             u"List1(0)[5]\t1"_s,          u"Kind(1)\ttyped"_s,
                                             u"Answer(1)[1]\tyes\t100%"_s, u"Kind(2)\tmatching"_s,
                                             u"Item(2)[1]\tb\t2"_s,        u"Item(2)[2]\tc\t3"_s,
                                             u"Kind(3)\tseveral"_s,        u"Choice(3)[2]\tc\t0%"_s}
        << QList<int>{5, 7, 11, 13, 15};
    QTest::newRow("gift: pictures, partial credit skipped; six weighted choices, penalties read")
        << u"m.gift"_s
        << QByteArray("A {=1 ~%-25%2 ~%-25%3}\n\nS {~%50%1 ~%50%2 ~3 ~4 ~5 ~6}\n\n"
                      "P {=<img src\\=\"a.png\"> кон ~<img src\\=\"b.png\"> крава}\n\n"
                      "B {=1 ~2}\n\nC {=1 ~%50%2}\n\nD {=1 ~2}\n")
        << QStringList() << 4
        << QStringList{u"List1(1)[3]\t3"_s, u"Choice(2)[5]\t6\t0%"_s, u"List1(4)[0]\tD"_s}
        << QList<int>{1, 5, 9};
    QTest::newRow("gift short answers with weights, as exported: typed answers")
        << u"s.gift"_s
        << QByteArray("::S1::Столица? {=%100%Париж =%50%Paris}\n\nA {=1 ~2}\n\n"
                      "::S2::Столица? {\n\t=%100%Париж\n\t=%0%Лондон#Не.\n}\n\n"
                      "B {=1 ~2}\n\nC {=%100%1 ~%0%2}\n")
        << QStringList() << 5
        << QStringList{u"List1(5)[0]\tC"_s, u"Answer(1)[1]\tParis\t50%"_s,
                       u"Answer(3)[1]\tЛондон\t0%"_s}
        << QList<int>{};
    QTest::newRow("gift choices the same but for their html: skipped")
        << u"h.gift"_s
        << QByteArray("A {=1 ~2}\n\nH {=<p>a</p> ~a ~b}\n\n[html]H2 {=<b>x</b> ~y ~<i>x</i>}\n\n"
                      "B {=1 ~2}\n\nC {=<p>1</p> ~2}\n")
        << QStringList() << 3 << QStringList{u"List1(3)[1]\t1"_s} << QList<int>{3, 5};
    QTest::newRow("aiken, with title and check")
        << u"a.txt"_s
        << QByteArray("Кое е просто число?\nA. 4\nB. 7\nC. 9\nANSWER: B\n\n"
                      "Колко страни има\nтриъгълникът?\nA) 3\nB) 4\nANSWER: A\n\n"
                      "Сбор 2 + 2\nA. 3\nB. 4\nC. 5\nD. 6\nE. 7\nANSWER: B\n")
        << QStringList{u"toto"_s, u"title=Проба"_s} << 3
        << QStringList{u"List1(1)[2]\t7"_s,
                       u"List1(2)[0]\tКолко страни има триъгълникът?"_s,
                       u"List1(0)[1]\t3"_s,
                       u"List1(3)[5]\t7"_s,
                       u"Obqsnenie(1)[0]\tВерният отговор е: 7."_s,
                       u"List2[2]\tПроверка за Тото - 1"_s,
                       u"List2[3]\tПроба"_s,
                       u"List2[5]\tДава обяснения - 0"_s}
        << QList<int>();
    QTest::newRow("csv, comma, UTF-8 with BOM, quoted cells, figure")
        << u"c.csv"_s
        << QByteArray("\xEF\xBB\xBFquestion,A,B,C,D,E,answer,figure,explanation\r\n"
                      "\"Колко е 1,5 + 1,5?\",3,\"3,5\",,,,A,fig.png,\"Събираме.\nОтговор 3.\"\r\n"
                      "\"Кой е \"\"най-големият\"\"?\",1,2,3,,,3,,Най-големият.|Виж 3.\r\n"
                      ",,,,,,,,\r\n"
                      "Б?,а,б,,,,b,,\r\n")
        << QStringList() << 3
        << QStringList{u"List1(1)[0]\tКолко е 1,5 + 1,5?"_s,
                       u"List1(1)[2]\t3,5"_s,
                       u"Picture1(1)\t8x6"_s,
                       u"Obqsnenie(1)[1]\tОтговор 3."_s,
                       u"List1(2)[0]\tКой е \"най-големият\"?"_s,
                       u"List1(0)[1]\t3"_s,
                       u"Obqsnenie(2)[1]\tВиж 3."_s,
                       u"List1(0)[2]\tб"_s,
                       u"Obqsnenie(3)[0]\tВерният отговор е: б."_s}
        << QList<int>();
    QTest::newRow("csv, semicolon, Windows-1251, Bulgarian headers")
        << u"b.csv"_s
        << cp1251("Въпрос;А;Б;В;Отговор;Обяснение\r\n"
                  "Ъгъл от 90°;остър;прав;тъп;Б;\"Прав; 90°.\"\r\n"
                  "Кое е „дума“?;да;не;;да;\r\nТрети;x;y;z;В;\r\n")
        << QStringList() << 3 << QStringList{u"List1(1)[0]\tЪгъл от 90°"_s,
                                             u"List1(0)[0]\tправ"_s,
                                             u"Obqsnenie(1)[0]\tПрав; 90°."_s,
                                             u"List1(2)[0]\tКое е „дума“?"_s,
                                             u"List1(0)[2]\tz"_s,
                                             u"List2[4]\tДава описание - 1"_s}
        << QList<int>();
    QTest::newRow("gift as Moodle exports it, as .txt: ~=, true/false, html unmarked, %")
        << u"export.txt"_s
        << QByteArray("// question: 3461  name: Дроби\n"
                      "::Дроби::<p>Колко е <b>1/2 + 1/4</b>?</p>{\n"
                      "\t~<p>2/6</p>#<p>Не се събират знаменателите.</p>\n"
                      "\t~=<p>3/4</p>#Вярно&nbsp;&amp; точно.\n"
                      "\t~<p>50%</p>\n\t~1\n\t~3/8\n}\n\n"
                      "// question: 3462  name: Земя\n"
                      "::Земя::<p>Земята е &lt;кръгла&gt;.</p>{TRUE#Не, кръгла е.#Да.}\n\n"
                      "// question: 3463  name: Тегла\n"
                      "::Тегла::Кое? {~%50%a ~%50%b ~c}\n\n"
                      "// question: 3464  name: Проценти\n"
                      "::Проценти::[plain]Колко е 10% от 50 <café>?{~=5 ~10% ~%15}\n\n"
                      "::Знаци::Кое x < 3 и y > 2 & z?{=x<3 ~x >\\= 3}\n")
        << QStringList() << 5
        << QStringList{u"List1(1)[0]\tКолко е 1/2 + 1/4?"_s,
                       u"List1(5)[0]\tКое x < 3 и y > 2 & z?"_s,
                       u"List1(5)[1]\tx<3"_s,
                       u"Choice(3)[1]\tb\t50%"_s,
                       u"List1(1)[3]\t50%"_s,
                       u"List1(1)[5]\t3/8"_s,
                       u"List1(0)[0]\t3/4"_s,
                       u"Obqsnenie(1)[0]\tВярно & точно."_s,
                       u"Obqsnenie(1)[1]\t2/6: Не се събират знаменателите."_s,
                       u"List1(2)[0]\tЗемята е <кръгла>."_s,
                       u"List1(0)[1]\tВярно"_s,
                       u"Obqsnenie(2)[0]\tДа."_s,
                       u"Obqsnenie(2)[1]\tНевярно: Не, кръгла е."_s,
                       u"List1(4)[0]\tКолко е 10% от 50 <café>?"_s,
                       u"List1(4)[3]\t%15"_s,
                       u"List1(0)[3]\t5"_s}
        << QList<int>{};
    QTest::newRow("aiken text over lines, some lettered as choices are")
        << u"a.txt"_s
        << QByteArray("Кое е вярно?\nI. Едно\nV) Пет\nA. само I\nB. само V\nANSWER: B\n\n"
                      "Q2\nA. 1\nB. 2\nANSWER: A\n\nЗа текста:\nB. е буква\nA. да\nB. не\n"
                      "ANSWER: A\n")
        << QStringList() << 3
        << QStringList{u"List1(1)[0]\tКое е вярно? I. Едно V) Пет"_s, u"List1(0)[0]\tсамо V"_s,
                       u"List1(3)[0]\tЗа текста: B. е буква"_s}
        << QList<int>();
    QTest::newRow("aiken without blank lines, A)text, lower-case answer")
        << u"a.txt"_s
        << QByteArray("Кое е просто число?\nA) 4\nB)7\nC. 9\nANSWER: b\n"
                      "Колко страни има\nтриъгълникът?\nA.3\nB.4\nANSWER: a\n"
                      "Сбор 2 + 2\nA. 3\nB. 4\nANSWER: B\n")
        << QStringList() << 3
        << QStringList{u"List1(1)[2]\t7"_s, u"List1(0)[0]\t7"_s,
                       u"List1(2)[0]\tКолко страни има триъгълникът?"_s, u"List1(0)[1]\t3"_s,
                       u"List1(0)[2]\t4"_s}
        << QList<int>();
    QTest::newRow("csv as spreadsheets write it: English headers, own columns, ×, ≤, answer 2")
        << u"sheet.csv"_s
        << QByteArray("ID,Question Text,Option A,Option B,Option C,Option D,Correct Answer,"
                      "Points,General Feedback\r\n"
                      "1,Колко е 2 × 3?,5,6,8,,2,1,Умножение.\r\n"
                      "2,Кое е ≤ 1?,\"0,5\",2,3,,1,1,\r\n"
                      "3,√x = 3; x = ? (π ≈ 3.14; α),9,3,,,A,1,\r\n")
        << QStringList() << 3
        << QStringList{u"List1(1)[0]\tКолко е 2 × 3?"_s,
                       u"List1(0)[0]\t6"_s,
                       u"Obqsnenie(1)[0]\tУмножение."_s,
                       u"List1(2)[0]\tКое е ≤ 1?"_s,
                       u"List1(0)[1]\t0,5"_s,
                       u"List1(3)[0]\t√x = 3; x = ? (π ≈ 3.14; α)"_s}
        << QList<int>{1, 1};
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(8, 6, QImage::Format_RGB32).save(&buffer, "PNG");
    }
    QByteArray afterComment(
        "\xEF\xBB\xBF<!-- export -->\n<?xml-stylesheet href=\"q.xsl\"?>\n<quiz>\n");
    for (const char *q : {"Едно", "Две", "Три"}) {
        afterComment += QByteArray("<question type=\"multichoice\"><questiontext><text>") + q +
                        "?</text></questiontext><answer fraction=\"100\"><text>да</text>"
                        "</answer><answer fraction=\"0\"><text>не</text></answer></question>\n";
    }
    QTest::newRow("moodle xml known by <quiz> after a comment and a processing instruction")
        << u"quiz.xml"_s << afterComment + "</quiz>\n"
        << QStringList() << 3 << QStringList{u"List1(3)[0]\tТри?"_s} << QList<int>{};
    QTest::newRow("moodle xml choices the same but for their html: skipped")
        << u"quiz.xml"_s
        << afterComment +
               "<question type=\"multichoice\"><questiontext><text>Четири?</text></questiontext>"
               "<answer fraction=\"100\"><text>&lt;p&gt;да&lt;/p&gt;</text></answer>"
               "<answer fraction=\"0\"><text>да</text></answer></question>\n</quiz>\n"
        << QStringList() << 3 << QStringList{u"List1(3)[0]\tТри?"_s} << QList<int>{7};
    QTest::newRow("moodle xml: picture, html, true/false, a type skipped")
        << u"quiz.xml"_s
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n"
           "<question type=\"category\"><category><text>$course$/top</text></category>"
           "</question>\n"
           "<question type=\"multichoice\">\n<name><text>Ъгъл</text></name>\n"
           "<questiontext format=\"html\"><text><![CDATA[<p>Ъгълът &alpha;?</p><p><img "
           "src=\"@@PLUGINFILE@@/a%20b.png\"></p>]]></text>\n"
           "<file name=\"a b.png\" path=\"/\" encoding=\"base64\">" +
               png.toBase64() +
               "</file></questiontext>\n"
               "<generalfeedback format=\"html\"><text>&lt;p&gt;180&amp;deg;&lt;/p&gt;"
               "&lt;div style='margin: 1ex'&gt;Сбор&lt;/div&gt;</text>"
               "</generalfeedback>\n<single>true</single>\n"
               "<answer fraction=\"0\"><text>30°</text><feedback><text>Съседният.</text>"
               "</feedback></answer>\n"
               "<answer fraction=\"100\"><text><![CDATA[<p>60°</p>]]></text></answer>\n"
               "</question>\n"
               "<question type=\"truefalse\"><name><text>Корен</text></name>\n"
               "<questiontext format=\"moodle_auto_format\"><text>√4 ≤ 2</text></questiontext>\n"
               "<answer fraction=\"0\"><text>true</text></answer>\n"
               "<answer fraction=\"100\"><text>false</text><feedback><text>Равно е.</text>"
               "</feedback></answer>\n</question>\n"
               "<question type=\"essay\"><name><text>Есе</text></name></question>\n"
               "<question type=\"multichoice\"><questiontext format=\"plain_text\"><text>"
               "Кое е &lt;просто&gt;?</text></questiontext>\n"
               "<answer fraction=\"0\"><text>4</text></answer><answer fraction=\"100\">"
               "<text>7</text></answer></question>\n</quiz>\n"
        << QStringList() << 3
        << QStringList{u"List1(1)[0]\tЪгълът α?"_s,
                       u"Picture1(1)\t8x6"_s,
                       u"List1(0)[0]\t60°"_s,
                       u"Obqsnenie(1)[0]\t180°"_s,
                       u"Obqsnenie(1)[1]\tСбор"_s,
                       u"Obqsnenie(1)[2]\t30°: Съседният."_s,
                       u"List1(2)[0]\t√4 ≤ 2"_s,
                       u"List1(0)[1]\tНевярно"_s,
                       u"Obqsnenie(2)[0]\tРавно е."_s,
                       u"List1(3)[0]\tКое е <просто>?"_s,}
        << QList<int>{18};
    const QByteArray tf = "<question type=\"truefalse\"><questiontext><text>Q</text></questiontext>"
                          "<answer fraction=\"100\"><text>true</text></answer></question>\n";
    QTest::newRow("moodle xml of html written as elements and entities inside the text")
        << u"e.xml"_s
        << "<quiz><question type=\"multichoice\"><questiontext format=\"html\"><text>Числа."
           "<br/>Бележка: <b>5</b>&uarr;<style>p { x: 1 }</style> край</text></questiontext>"
           "<generalfeedback><text><p>Първи.</p><p>Втори.</p></text></generalfeedback><answer "
           "fraction=\"100\"><text>а<sup>2</sup></text></answer><answer fraction=\"0\"><text>б"
           "</text></answer></question>\n" +
               tf + tf + "</quiz>\n"
        << QStringList() << 3
        << QStringList{u"List1(1)[0]\tЧисла. Бележка: 5↑ край"_s, u"List1(1)[1]\tа2"_s,
                       u"Obqsnenie(1)[1]\tВтори."_s}
        << QList<int>();
    QFile kinds(qEnvironmentVariable("KOVRA_FIXTURES") + u"/kinds.xml"_s); // a question a line
    QVERIFY(kinds.open(QIODevice::ReadOnly));
    QTest::newRow("moodle xml of every kind, those a test cannot hold skipped")
        << u"k.xml"_s << kinds.readAll() << QStringList() << 8
        << QStringList{u"Kind(1)\tseveral"_s,
                       u"Choice(1)[2]\t4\t-100%"_s,
                       u"Obqsnenie(1)[0]\t4: Не."_s,
                       u"Kind(2)\tseveral\tall or nothing"_s,
                       u"Choice(2)[1]\t4\t50%"_s,
                       u"Kind(3)\ttyped"_s,
                       u"Answer(3)[1]\tPar*\t50%"_s,
                       u"List1(8)[0]\tСтолицата на България?"_s,
                       u"CaseMatters(3)"_s,
                       u"Obqsnenie(3)[0]\tГрад."_s,
                       u"Answer(4)[0]\t3.14\t100%\t±0.005"_s,
                       u"Unit(4)[1]\tcm\t100"_s,
                       u"Obqsnenie(4)[0]\tВерният отговор е: m 3,14 ± 0,005."_s,
                       u"UnitFirst(4)"_s,
                       u"UnitPenalty(4)\t25\tof the point"_s,
                       u"UnitsIgnored(5)"_s,
                       u"Item(6)[1]\t2\ta<b"_s,
                       u"Offered(6)[2]\tтри\t"_s,
                       u"Obqsnenie(2)[0]\tВерният отговор е: 2, 4."_s,
                       u"Obqsnenie(6)[0]\tВерният отговор е: 1 – едно; 2 – a<b."_s}
        << QList<int>{8, 9, 10, 11, 12, 13, 14}; // 13: penalties left out; 14: name for text
    QByteArray forty;
    for (int i = 1; i <= 40; ++i) {
        forty += "Q" + QByteArray::number(i) + " {=" + QByteArray::number(i) + " ~x}\n\n";
    }
    QByteArray skippedMany = "A {=1 ~2}\n\n";
    for (int i = 0; i < 300; ++i) {
        skippedMany += (i % 100 == 50 ? "B {=1 ~2}\n\n" : "") + QByteArray("N {}\n\n");
    }
    QTest::newRow("gift of 300 skipped and 5 read: all read, the warnings counted")
        << u"many.gift"_s << skippedMany + "E {=1 ~2}\n"
        << QStringList{u"skipped=300"_s} << 5 << QStringList{u"List1(5)[0]\tE"_s}
        << QList<int>{3, 5, 7};
    QTest::newRow("gift bank of 40, each run draws 5")
        << u"big.gift"_s << forty << QStringList{u"draw=5"_s} << 5
        << QStringList{u"Draw\t5"_s, u"Bank(40)[0]\tQ40"_s, u"BankKey(40)[0]\t40"_s,
                       u"List1(5)[0]\tQ5"_s}
        << QList<int>();
    QTest::newRow("gift html naming /dev/zero as style sheet and picture: nothing is read")
        << u"z.gift"_s
        << QByteArray("Q1 <link rel=\"stylesheet\" href=\"/dev/zero\"><img src=\"/dev/zero\"> "
                      "{=a ~b}\n\nQ2 <tt>x</tt><CODE>y</CODE><pre>z</pre><kbd>k</kbd><samp>s</samp>"
                      " {=a ~b}\n\nQ3 {=a ~b}\n")
        << QStringList() << 3 << QStringList{u"List1(1)[0]\tQ1"_s, u"List1(2)[0]\tQ2 xyzks"_s}
        << QList<int>();
    QTest::newRow("csv, semicolon, UTF-8")
        << u"u.csv"_s << QByteArray("question;a;b;answer\nЕдно;1;2;2\nДве;1;2;1\nТри;1;2;B\n")
        << QStringList() << 3 << QStringList{u"List1(1)[0]\tЕдно"_s, u"List1(0)[0]\t2"_s}
        << QList<int>();
    QTest::newRow(
        "csv of a Bulgarian teacher: Cyrillic letters, Верен; a wrong letter's row left out")
        << u"t.csv"_s
        << cp1251("Въпрос;А;Б;В;Г;Верен;Обяснения\r\nЕдно;1;2;3;4;В;\r\nДве;1;2;3;4;E;\r\n"
                  "Три;1;2;3;4;b;\r\nЧетири;1;2;3;4;Г;Виж.\r\n")
        << QStringList() << 3
        << QStringList{u"List1(0)[0]\t3"_s, u"List1(2)[0]\tТри"_s, u"List1(0)[1]\t2"_s,
                       u"List1(0)[2]\t4"_s, u"Obqsnenie(3)[0]\tВиж."_s}
        << QList<int>{3};
    QTest::newRow("csv with option_1... columns: a row without choices, one with a sixth")
        << u"o.csv"_s
        << QByteArray("question_text;option_1;option_2;option_3;option_4;option_5;option_6;"
                      "correct_answer\nQ1;a;b;c;;;;2\nQ2;;;;;;;1\nQ3;a;b;c;d;e;f;1\n"
                      "Q4;x;y;;;;;y\nQ5;1;2;3;;;;3\n")
        << QStringList() << 3
        << QStringList{u"List1(1)[0]\tQ1"_s, u"List1(0)[0]\tb"_s, u"List1(2)[0]\tQ4"_s,
                       u"List1(0)[1]\ty"_s, u"List1(0)[2]\t3"_s}
        << QList<int>{3, 4};
    QTest::newRow("csv with Answer1... columns, the right one by letter, text or number")
        << u"n.csv"_s
        << QByteArray("Question,Answer1,Answer2,Answer3,Correct\nQ1,a,b,c,C\nQ2,x,b,c,x\n"
                      "Q3,a,b,c,2\n")
        << QStringList() << 3
        << QStringList{u"List1(0)[0]\tc"_s, u"List1(0)[1]\tx"_s, u"List1(0)[2]\tb"_s}
        << QList<int>{};
    QTest::newRow("csv as the course system's import reads it: A to D, Answer 1 and 2")
        << u"m.csv"_s
        << QByteArray("questionname,questiontext,A,B,C,D,Answer 1,Answer 2\n"
                      "n1,Q1,a,b,c,d,A,\nn2,Q2,a,b,c,d,B,\nn3,Q3,a,b,c,d,D,D\nn4,Q4,a,b,c,d,A,B\n")
        << QStringList() << 3
        << QStringList{u"List1(0)[0]\ta"_s, u"List1(0)[1]\tb"_s, u"List1(0)[2]\td"_s}
        << QList<int>{1, 5};
    const QByteArray two = "question,A,B,answer,figure\nQ1,1,2,A,\nQ2,1,2,B,\n";
    QTest::newRow("csv answer names no choice: the row left out")
        << u"b.csv"_s << two + "\"Q\n3\",1,2,C,\nQ4,1,2,A,\n"
        << QStringList() << 3 << QStringList{u"List1(3)[0]\tQ4"_s} << QList<int>{4};
    QTest::newRow("csv figure outside the bank's folder, figure missing: the rows left out")
        << u"b.csv"_s << two + "Q,1,2,A,../fig.png\nQ,1,2,A,no.png\nQ5,1,2,A,fig.png\n"
        << QStringList() << 3 << QStringList{u"Picture1(3)\t8x6"_s} << QList<int>{4, 5};
}

void TestImport::banks()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, source);
    QFETCH(QStringList, flags);
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, skippedLines);
    const Outcome outcome = importBank(file, source, flags);
    QList<int> skipped;
    for (const Problem &p : outcome.problems) {
        QVERIFY2(p.severity == Severity::Warning, qPrintable(describe(p)));
        skipped << p.line;
    }
    // "skipped=N": a bank of more warnings than are kept; those kept begin with skippedLines,
    // and with the count of the others they are all N.
    const QStringList many = flags.filter(QRegularExpression(u"^skipped="_s));
    if (!many.isEmpty()) {
        const int all = many.front().mid(8).toInt();
        QCOMPARE(outcome.skipped, all);
        QCOMPARE(outcome.imported, count);
        QVERIFY(outcome.problems.size() < std::size_t(all));
        QCOMPARE(outcome.problems.back().kind, ProblemKind::NotKept);
        QCOMPARE(qint64(outcome.problems.size()) - 1 + outcome.problems.back().count, qint64(all));
        skipped = skipped.first(skippedLines.size());
    }
    QCOMPARE(skipped, skippedLines);
    QCOMPARE(outcome.dump.filter(QRegularExpression(u"^List1\\(0\\)\\["_s)).size(), count);
    for (const QString &line : expected) {
        QVERIFY2(outcome.dump.contains(line), qPrintable(line));
    }
}

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
