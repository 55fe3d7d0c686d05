// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up: the step prime, the question order, the answer orders, the check question.

#include "content/loader.h"
#include "content/textnum.h"
#include "content_builder.h"
#include "run/draw.h"
#include "run/startup.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <set>
#include <tuple>

using namespace kovra;
using namespace Qt::Literals::StringLiterals;
using namespace kovra::testing;

namespace {

QList<int> questionOrder(const RunState &state)
{
    QList<int> order;
    for (const QByteArray &row : state.List2(QuestionOrderList).rows()) {
        order << readIndex(row);
    }
    return order;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void orderStep_data();
    void orderStep();
    void orderOfTwenty();
    void answerOrder_data();
    void answerOrder();
    void drawsComeInOrder();
    void stateAfterStartUp_data();
    void stateAfterStartUp();
    void checkQuestion();
    void permutationTables();
    void drawFromBank();
};

void TestStartup::orderStep_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<float>>("draws");
    QTest::addColumn<QList<QByteArray>>("primes"); // after trimming
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("drawsUsed");
    const QList<QByteArray> below20{"2", "3", "5", "7", "11", "13", "17", "19"};
    QTest::newRow("N=3 keeps only 2")
        << 3 << QList<float>{0.7F} << QList<QByteArray>{"2"} << 2 << 1;
    QTest::newRow("N=4 redraws 2")
        << 4 << QList<float>{0.0F, 0.1F} << QList<QByteArray>{"2", "3"} << 3 << 2;
    QTest::newRow("N=20 redraws 2 and 5")
        << 20 << QList<float>{0.0F, 0.2F, 0.1F} << below20 << 3 << 3;
    QTest::newRow("N=21 redraws 3 and 7")
        << 21 << QList<float>{0.1F, 0.3F, 0.4F} << below20 << 11 << 3;
    QTest::newRow("N=32 keeps all, row 10 drawable")
        << 32 << QList<float>{0.99F}
        << QList<QByteArray>{"2", "3", "5", "7", "11", "13", "17", "19", "23", "29", "31"} << 31
        << 1;
    // 1.5 rounds to 2 (row 2, prime 5), 0.5 to 0 (row 0, prime 2): halves go to the even side.
    QTest::newRow("halves to even") << 21 << QList<float>{0.15F} << below20 << 5 << 1;
    QTest::newRow("half to even zero") << 21 << QList<float>{0.05F} << below20 << 2 << 1;
    // Rounded values past the row count wrap: 9 mod 8 is row 1, prime 3, which divides 21.
    QTest::newRow("wraps modulo the row count")
        << 21 << QList<float>{0.9F, 0.8F} << below20 << 2 << 2;
}

void TestStartup::orderStep()
{
    QFETCH(int, n);
    QFETCH(QList<float>, draws);
    QFETCH(QList<QByteArray>, primes);
    QFETCH(int, step);
    QFETCH(int, drawsUsed);
    RunState state;
    state.QuestionCount = static_cast<std::int16_t>(n);
    FixedDraws random(std::vector<float>(draws.begin(), draws.end()));
    PickOrderStep(state, random);
    QCOMPARE(rowsOf(state.List2(StepPrimeList)), primes);
    QCOMPARE(int(state.OrderStep), step);
    QCOMPARE(int(random.used()), drawsUsed);
    QCOMPARE(state.List2(StepPrimeList).list(state.List2(StepPrimeList).listIndex()),
             QByteArray::number(step));
}

void TestStartup::orderOfTwenty()
{
    KOVRA_Danni content = makeContent(fourChoices(20));
    RunState state;
    // 0.0 draws 2, 0.2 draws 5 (both divide 20), 0.1 draws 3; then 20 answer orders.
    std::vector<float> draws{0.0F, 0.2F, 0.1F};
    draws.resize(3 + 20, 0.0F);
    FixedDraws random(draws);
    startRun(content, state, random);
    QCOMPARE(int(state.OrderStep), 3);
    const QList<int> expected{3, 6, 9, 12, 15, 18, 1, 4, 7, 10, 13, 16, 19, 2, 5, 8, 11, 14, 17, 0};
    QCOMPARE(questionOrder(state), expected);
    QCOMPARE(int(random.used()), 23);
}

void TestStartup::answerOrder_data()
{
    QTest::addColumn<int>("choices");
    QTest::addColumn<float>("u");
    QTest::addColumn<QByteArray>("order");
    QTest::newRow("c=2, 0.5 rounds to even 0") << 2 << 0.0005F << "12"_ba;
    QTest::newRow("c=2, 1.5 rounds to even 2") << 2 << 0.0015F << "12"_ba;
    QTest::newRow("c=2, 1") << 2 << 0.001F << "21"_ba;
    QTest::newRow("c=3, 5") << 3 << 0.005F << "321"_ba;
    QTest::newRow("c=4, 500 mod 24 = 20") << 4 << 0.5F << "4213"_ba;
    QTest::newRow("c=5, 1000 mod 120 = 40") << 5 << 0.999999F << "24513"_ba;
    QTest::newRow("c=5, 0") << 5 << 0.0F << "12345"_ba;
}

void TestStartup::answerOrder()
{
    QFETCH(int, choices);
    QFETCH(float, u);
    QFETCH(QByteArray, order);
    const KOVRA_Danni content;
    FixedDraws random({u});
    QCOMPARE(drawAnswerOrder(content, choices, random), order);
}

void TestStartup::drawsComeInOrder()
{
    // The answer orders are drawn by question index, after every step draw; question k's
    // choice count is its own, not that of the question at position k.
    ContentPlan plan;
    plan.choices = {2, 3, 5, 4};
    KOVRA_Danni content = makeContent(plan);
    RunState state;
    FixedDraws random({0.1F /* step 3 */, 0.001F, 0.005F, 0.0F, 0.5F});
    startRun(content, state, random);
    QCOMPARE(int(state.OrderStep), 3);
    QCOMPARE(questionOrder(state), (QList<int>{3, 2, 1, 0}));
    QCOMPARE(rowsOf(state.List2(AnswerOrderList)),
             (QList<QByteArray>{"21", "321", "12345", "4213"}));
}

void TestStartup::stateAfterStartUp_data()
{
    QTest::addColumn<int>("questions");
    QTest::addColumn<char>("toto");
    QTest::addColumn<int>("runLength");
    QTest::newRow("3 questions") << 3 << '0' << 3;
    QTest::newRow("20 questions with the check") << 20 << '1' << 21;
    QTest::newRow("28 questions with the check") << 28 << '1' << 29;
    QTest::newRow("29 questions") << 29 << '0' << 29;
    QTest::newRow("check flag 2 adds nothing") << 20 << '2' << 20;
}

void TestStartup::stateAfterStartUp()
{
    QFETCH(int, questions);
    QFETCH(char, toto);
    QFETCH(int, runLength);
    KOVRA_Danni content = makeContent(fourChoices(questions, toto));
    RunState state;
    ClockRandom random(12345);
    startRun(content, state, random);

    QCOMPARE(int(state.QuestionCount), runLength);
    QCOMPARE(int(state.CurrentPos), 0);
    QCOMPARE(int(state.AnsweredCount), 0);
    for (const int list :
         {ChosenSlotList, QuestionOrderList, AnswerOrderList, VerdictList, CorrectSlotList}) {
        QCOMPARE(state.List2(list).listCount(), runLength);
    }
    for (int p = 0; p < runLength; ++p) {
        QCOMPARE(state.List2(ChosenSlotList).list(p), "-1"_ba);
        QCOMPARE(state.List2(VerdictList).list(p), "-1"_ba);
        QCOMPARE(state.List2(CorrectSlotList).list(p), "-1"_ba);
        QCOMPARE(state.List2(AnswerOrderList).list(p).size(), 4);
    }
    QList<int> sorted = questionOrder(state);
    QCOMPARE(sorted.last(), 0);
    QCOMPARE(questionOrder(state).first(), int(state.OrderStep));
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < runLength; ++i) {
        QCOMPARE(sorted.at(i), i);
    }
    QVERIFY(state.OrderStep < runLength);
    QVERIFY(runLength % state.OrderStep != 0);
    QCOMPARE(rowsOf(state.List2(CheckPairList)), (QList<QByteArray>{"Pyrwi", "Posleden"}));
}

void TestStartup::checkQuestion()
{
    KOVRA_Danni content = makeContent(fourChoices(20, '1'));
    QImage figure(100, 120, QImage::Format_RGB32);
    figure.fill(Qt::white);
    content.Picture1(1) = figure;
    const KOVRA_Danni before = content;

    appendCheckQuestion(content);

    QCOMPARE(content.List1(0).listCount(), 21);
    QCOMPARE(content.List1(0).list(20), content.List1(0).list(0));
    QCOMPARE(content.List1(21), before.List1(1));
    QCOMPARE(content.Picture1(21), figure);
    QCOMPARE(content.Obqsnenie(21), before.Obqsnenie(1));
    for (int k = 1; k <= 20; ++k) {
        QCOMPARE(content.List1(k), before.List1(k));
    }
    QCOMPARE(content.List1(22), before.List1(22));
}

void TestStartup::permutationTables()
{
    const KOVRA_Danni content;
    QCOMPARE(rowsOf(content.Poredica(2)), (QList<QByteArray>{"12", "21"}));
    QCOMPARE(rowsOf(content.Poredica(3)),
             (QList<QByteArray>{"123", "132", "213", "231", "312", "321"}));
    QCOMPARE(content.Poredica(4).listCount(), 24);
    QCOMPARE(content.Poredica(5).listCount(), 120);
    QCOMPARE(content.Poredica(5).list(119), "54321"_ba);
    for (int c = 2; c <= 5; ++c) {
        const auto &rows = content.Poredica(c).rows();
        QVERIFY(std::is_sorted(rows.begin(), rows.end()));
        QVERIFY(std::adjacent_find(rows.begin(), rows.end()) == rows.end());
    }
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, std::ignore = content.Poredica(1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, std::ignore = content.Poredica(6));
}

QTEST_APPLESS_MAIN(TestStartup)
// A test of 100 questions that draws 20 a run, with the check question on: over 10,000 starts
// (a fixed seed) every question is drawn within 10 % of 2,000 times, none twice in a run, and
// the check question repeats the first question drawn.
void TestStartup::drawFromBank()
{
    QJsonArray questions;
    for (int i = 0; i < 100; ++i) {
        questions.append(QJsonObject{{u"text"_s, u"Q%1"_s.arg(i)},
                                     {u"choices"_s, QJsonArray{u"a"_s, u"b"_s}},
                                     {u"key"_s, u"a"_s},
                                     {u"explanation"_s, QJsonArray{u"e"_s}}});
    }
    const QJsonObject root{
        {u"settings"_s, QJsonArray{u"s"_s, u"p 0"_s, u"t 1"_s, u"T"_s, u"d 0"_s, u"e 0"_s}},
        {u"draw"_s, 20},
        {u"questions"_s, questions}};
    const LoadResult loaded = loadContent(QJsonDocument(root).toJson(), {});
    QVERIFY(loaded.content && loaded.test && loaded.test->draw > 0);
    std::vector<int> drawn(100, 0);
    ClockRandom random(20261208);
    for (int start = 0; start < 10000; ++start) {
        KOVRA_Danni content = *loaded.content;
        RunState state;
        drawRun(*loaded.test, content, random);
        startRun(content, state, random);
        QCOMPARE(state.QuestionCount, 21);
        QCOMPARE(content.List1(21).list(0), content.List1(1).list(0));
        std::set<QByteArray> run;
        for (int k = 1; k <= 20; ++k) {
            run.insert(content.List1(k).list(0));
            ++drawn[static_cast<std::size_t>(content.List1(k).list(0).mid(1).toInt())];
        }
        QCOMPARE(run.size(), std::size_t{20});
    }
    const auto [least, most] = std::minmax_element(drawn.begin(), drawn.end());
    QVERIFY2(*least >= 1800 && *most <= 2200,
             qPrintable(u"drawn %1 to %2 times"_s.arg(*least).arg(*most)));
}

#include "test_startup.moc"
