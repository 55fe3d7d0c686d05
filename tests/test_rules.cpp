// SPDX-License-Identifier: GPL-3.0-or-later
// The rules that need no window: numbers in text, flags, the phrase, the bars, grading.

#include "answer/answer.h"
#include "content/cp1251.h"
#include "content/textnum.h"
#include "evaluate/grade.h"
#include "present/bars.h"
#include "present/navigation.h"
#include "run/run_state.h"

#include <QTest>

using namespace kovra;
using namespace Qt::Literals::StringLiterals;

class TestRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numericReading_data();
    void numericReading();
    void indexRounding_data();
    void indexRounding();
    void flagDigit_data();
    void flagDigit();
    void phrase_data();
    void phrase();
    void bars_data();
    void bars();
    void startBars();
    void score_data();
    void score();
    void totoVerdict_data();
    void totoVerdict();
    void windows1251();
    void steps_data();
    void steps();
};

void TestRules::numericReading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("leading number, then letters") << " 12abc"_ba << 12.0;
    QTest::newRow("minus one") << "-1"_ba << -1.0;
    QTest::newRow("decimal point") << "2.5"_ba << 2.5;
    QTest::newRow("leading point") << ".5"_ba << 0.5;
    QTest::newRow("no number") << "x"_ba << 0.0;
    QTest::newRow("empty") << ""_ba << 0.0;
    QTest::newRow("sign alone") << "-"_ba << 0.0;
    QTest::newRow("blanks then minus") << "   -7 8"_ba << -7.0;
    QTest::newRow("second point ends it") << "1.2.3"_ba << 1.2;
    QTest::newRow("plus is not a sign") << "+5"_ba << 0.0;
    QTest::newRow("design label row") << "Pyrwi"_ba << 0.0;
}

void TestRules::numericReading()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(readNumber(text), value);
}

void TestRules::indexRounding_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("2.5 to even 2") << "2.5"_ba << 2;
    QTest::newRow("3.5 to even 4") << "3.5"_ba << 4;
    QTest::newRow("2.6 up") << "2.6"_ba << 3;
    QTest::newRow("-0.5 to 0") << "-0.5"_ba << 0;
    QTest::newRow("-1.5 to -2") << "-1.5"_ba << -2;
    QTest::newRow("none") << "-1"_ba << -1;
}

void TestRules::indexRounding()
{
    QFETCH(QByteArray, text);
    QFETCH(int, index);
    QCOMPARE(int(readIndex(text)), index);
}

void TestRules::flagDigit_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<int>("flag");
    QTest::newRow("ends in 1") << w1251("Проверка за Тото - 1") << 1;
    QTest::newRow("ends in 0") << w1251("Дава обяснения - 0") << 0;
    QTest::newRow("ends in 2") << "x - 2"_ba << 2;
    QTest::newRow("ends in a letter") << "... a"_ba << 0;
    QTest::newRow("ends in a blank") << "... 1 "_ba << 0;
    QTest::newRow("title row") << w1251("КОВРА по Геометрия - равнобедрен триъгълник") << 0;
    QTest::newRow("empty row") << QByteArray() << 0;
}

void TestRules::flagDigit()
{
    QFETCH(QByteArray, row);
    QFETCH(int, flag);
    QCOMPARE(kovra::flagDigit(row), flag);
}

void TestRules::phrase_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("phrase");
    const auto add = [](const char *name, const char *text, const char *answer,
                        const char *phrase) {
        QTest::newRow(name) << QByteArray(text) << QByteArray(answer) << QByteArray(phrase);
    };
    add("worked example", "AB ___ CD", "xy", "AB  xy CD");
    add("blank at the end", "AB ___", "xy", "AB  xy ");
    add("one character after the blank", "AB ___.", "xy", "AB  xy ");
    add("blank at the start", "___ is", "It", " It is");
    add("only the first blank", "a _ b _ c", "X", "a  X b _ c");
    add("no blank keeps the text", "no blank", "X", "no blank X ");
}

void TestRules::phrase()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, phrase);
    QCOMPARE(buildPhrase(text, answer), phrase);
}

void TestRules::bars_data()
{
    QTest::addColumn<int>("filled");
    QTest::addColumn<int>("count");
    QTest::addColumn<float>("firstWidth");
    QTest::addColumn<float>("secondLeft");
    QTest::addColumn<float>("secondWidth");
    const float end = barEnd(9000, 1575);
    QTest::newRow("first position") << 0 << 21 << 50.0F << 290.0F << end - 290.0F;
    QTest::newRow("second position")
        << 1 << 21 << float(50 + 10525.0 / 21) << float(240 + 50 + 10525.0 / 21)
        << end - float(240 + 50 + 10525.0 / 21);
    QTest::newRow("last of 20") << 19 << 20 << float(50 + 19 * 10525.0 / 20)
                                << float(290 + 19 * 10525.0 / 20)
                                << end - float(290 + 19 * 10525.0 / 20);
    // Past 36 questions the second bar would be negative at the last position.
    QTest::newRow("last of 40 is clamped")
        << 39 << 40 << float(50 + 39 * 10525.0 / 40) << float(290 + 39 * 10525.0 / 40) << 0.0F;
}

void TestRules::bars()
{
    QFETCH(int, filled);
    QFETCH(int, count);
    QFETCH(float, firstWidth);
    QFETCH(float, secondLeft);
    QFETCH(float, secondWidth);
    const float end = barEnd(9000, 1575);
    QCOMPARE(end, 10525.0F);
    const BarPair pair = progressBars(240, end, filled, count);
    QCOMPARE(pair.firstLeft, 240.0F);
    QCOMPARE(pair.firstWidth, firstWidth);
    QCOMPARE(pair.secondLeft, secondLeft);
    QCOMPARE(pair.secondWidth, secondWidth);
}

void TestRules::startBars()
{
    const BarPair pair = initialBars(135, 240, 9000, 1575);
    QCOMPARE(pair.firstLeft, 240.0F);
    QCOMPARE(pair.firstWidth, 135.0F);
    QCOMPARE(pair.secondLeft, 375.0F);
    QCOMPARE(pair.secondWidth, 10575.0F - 375.0F);
    QCOMPARE(answeredParts(0), 0);
    QCOMPARE(answeredParts(1), 0);
    QCOMPARE(answeredParts(2), 1);
}

void TestRules::score_data()
{
    QTest::addColumn<QList<QByteArray>>("verdicts");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("15 of 21") << (QList<QByteArray>(15, "1") << QList<QByteArray>(6, "0"))
                              << w1251("Резултат: 15/21 = 71%");
    QTest::newRow("all right") << QList<QByteArray>(21, "1") << w1251("Резултат: 21/21 = 100%");
    QTest::newRow("none answered") << QList<QByteArray>(21, "-1") << w1251("Резултат: 0/21 = 0%");
    QTest::newRow("2 of 3 rounds down")
        << QList<QByteArray>{"1", "0", "1"} << w1251("Резултат: 2/3 = 66%");
    QTest::newRow("only exactly 1 counts")
        << QList<QByteArray>{"1", "1.0", " 1"} << w1251("Резултат: 1/3 = 33%");
}

void TestRules::score()
{
    QFETCH(QList<QByteArray>, verdicts);
    QFETCH(QByteArray, line);
    RunState state;
    state.QuestionCount = static_cast<std::int16_t>(verdicts.size());
    state.List2(VerdictList).clear();
    for (const QByteArray &v : verdicts) {
        state.List2(VerdictList).addItem(v);
    }
    QCOMPARE(scoreLine(w1251("Резултат: "), countRight(state), state.QuestionCount), line);
}

void TestRules::totoVerdict_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("last");
    QTest::addColumn<int>("answered");
    QTest::addColumn<QByteArray>("caption");
    const auto add = [](const char *name, const char *first, const char *last, int answered,
                        const char *caption) {
        QTest::newRow(name) << QByteArray(first) << QByteArray(last) << answered << w1251(caption);
    };
    add("same text", "40", "40", 21, "Проверка - Да");
    add("different text", "40", "70", 21, "Вероятно!");
    add("one unanswered, same text", "40", "40", 20, "Частично!");
    add("design rows", "Pyrwi", "Posleden", 0, "Частично!");
    add("trailing blank differs", "40", "40 ", 21, "Вероятно!");
}

void TestRules::totoVerdict()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, last);
    QFETCH(int, answered);
    QFETCH(QByteArray, caption);
    RunState state;
    state.QuestionCount = 21;
    state.AnsweredCount = static_cast<std::int16_t>(answered);
    state.List2(CheckPairList).setList(0, first);
    state.List2(CheckPairList).setList(1, last);
    QCOMPARE(kovra::totoVerdict(state), caption);
}

void TestRules::windows1251()
{
    QCOMPARE(w1251("40°"), "40\xb0"_ba);
    QCOMPARE(fromCp1251("\xc0\xe0\xb0"_ba), u"Аа°"_s);
    // A character Windows-1251 has not is held as 0x98 and its UTF-8 bytes; only a lone
    // surrogate, no character at all, cannot be held.
    QCOMPARE(toCp1251(u"ъ≠"_s).value_or(QByteArray()), "\xfa\x98\xe2\x89\xa0"_ba);
    QCOMPARE(fromCp1251(toCp1251(u"ъгъл ≠ √ ≤ ² π α é ي 😀"_s).value_or(QByteArray())),
             u"ъгъл ≠ √ ≤ ² π α é ي 😀"_s);
    const QString lone = u"ab"_s + QChar(0xD800) + u"c"_s;
    QVERIFY(!toCp1251(lone).has_value());
    QCOMPARE(firstUnencodable(lone).value_or(QChar()), QChar(0xD800));
    QVERIFY(!firstUnencodable(u"ab€c✓"_s).has_value());
    // Every byte but the unassigned 0x98 comes back unchanged.
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x98) {
            all.append(static_cast<char>(b));
        }
    }
    QCOMPARE(toCp1251(fromCp1251(all)).value_or(QByteArray()), all);
}

void TestRules::steps_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("to");
    QTest::newRow("forward") << 3 << 1 << 4;
    QTest::newRow("forward at the last stays") << 20 << 1 << 20;
    QTest::newRow("back") << 3 << -1 << 2;
    QTest::newRow("back at the first stays") << 0 << -1 << 0;
    QTest::newRow("other step stays") << 5 << 2 << 5;
}

void TestRules::steps()
{
    QFETCH(int, from);
    QFETCH(int, step);
    QFETCH(int, to);
    RunState state;
    state.QuestionCount = 21;
    state.CurrentPos = static_cast<std::int16_t>(from);
    stepPosition(state, step);
    QCOMPARE(int(state.CurrentPos), to);
}

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"
