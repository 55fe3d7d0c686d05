// SPDX-License-Identifier: GPL-3.0-or-later
// The credit of an answer of every kind, against worked examples: partial credit by weights and
// by pairs, the forms a typed answer and a typed number may take.
#include "model/marking.h"

#include <QTest>

using namespace kovra;

namespace {

Question several(std::vector<double> weights, bool allOrNothing = false)
{
    Question q{.kind = QuestionKind::Several, .text = QStringLiteral("Кои?")};
    q.choices = QStringList{"A", "B", "C", "D"}.mid(0, qsizetype(weights.size()));
    q.weights = std::move(weights);
    q.allOrNothing = allOrNothing;
    return q;
}

Question typed(std::vector<Accepted> accepted, bool caseMatters = false)
{
    return {
        .kind = QuestionKind::Typed, .accepted = std::move(accepted), .caseMatters = caseMatters};
}

Question number(std::vector<Unit> units = {}, bool ignored = false)
{
    return {.kind = QuestionKind::Number,
            .accepted = {{.text = QStringLiteral("2.5"), .tolerance = 0.01},
                         {.text = QStringLiteral("2,6"), .credit = 0.5}},
            .units = std::move(units),
            .unitsIgnored = ignored};
}

Question penalised(double penalty, bool ofQuestion, bool first = false)
{
    Question question = number({{"m", 1}, {"cm", 100}});
    question.unitPenalty = penalty;
    question.unitPenaltyOfQuestion = ofQuestion;
    question.unitFirst = first;
    return question;
}

Question fixture(const QString &name)
{
    const double third = 33.33333 / 100;
    static const std::map<QString, Question> questions{
        {"single", {.text = "Q", .choices = {"A", "B"}, .right = 1}},
        {"halves", several({0.5, 0.5, -0.5, -0.5})},
        {"thirds", several({third, third, third, -1})},
        {"all", several({0.5, 0.5, 0, 0}, true)},
        {"capital", typed({{.text = "Париж"}, {.text = "Paris", .credit = 0.5}})},
        {"cased", typed({{.text = "Париж"}}, true)},
        {"wild", typed({{.text = "*ов"}, {.text = "5\\*3"}, {.text = "Мор*е"}})},
        {"latin", typed({{.text = "cap"}, {.text = "Стара планина"}})},
        {"plain", number()},
        {"units", number({{"m", 1}, {"cm", 100}})},
        {"ignored", number({{"m", 1}}, true)},
        {"share", penalised(0.1, false)},
        {"off", penalised(0.25, true)},
        {"first", penalised(0, false, true)},
        {"first share", penalised(0.1, false, true)},
        {"any", {.kind = QuestionKind::Number, .accepted = {{.text = "*", .credit = 0.2}}}},
        {"grouped", {.kind = QuestionKind::Number, .accepted = {{.text = "-1000.5"}}}},
        {"pairs",
         {.kind = QuestionKind::Matching,
          .choices = {"1", "2", "3", "4"},
          .items = {"едно", "две", "три"},
          .matches = {0, 1, 2}}},
    };
    return questions.at(name);
}

} // namespace

class MarkingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void credit_data();
    void credit();
};

void MarkingTest::credit_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("picked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("credit");

    const QStringList none;
    QTest::newRow("single right") << "single" << QStringList{"B"} << "" << 1.0;
    QTest::newRow("single wrong") << "single" << QStringList{"A"} << "" << 0.0;
    QTest::newRow("single two picked") << "single" << QStringList{"A", "B"} << "" << 0.0;
    QTest::newRow("single none") << "single" << none << "" << 0.0;
    QTest::newRow("halves both right") << "halves" << QStringList{"A", "B"} << "" << 1.0;
    QTest::newRow("halves one right") << "halves" << QStringList{"B"} << "" << 0.5;
    QTest::newRow("halves right and wrong") << "halves" << QStringList{"A", "C"} << "" << 0.0;
    QTest::newRow("halves two right one wrong")
        << "halves" << QStringList{"A", "B", "C"} << "" << 0.5;
    QTest::newRow("halves wrong alone, not below 0") << "halves" << QStringList{"D"} << "" << 0.0;
    QTest::newRow("halves all ticked") << "halves" << QStringList{"A", "B", "C", "D"} << "" << 0.0;
    QTest::newRow("thirds all three") << "thirds" << QStringList{"A", "B", "C"} << "" << 1.0;
    QTest::newRow("thirds two") << "thirds" << QStringList{"A", "C"} << "" << 0.6666666;
    QTest::newRow("all or nothing exact") << "all" << QStringList{"B", "A"} << "" << 1.0;
    QTest::newRow("all or nothing short") << "all" << QStringList{"A"} << "" << 0.0;
    QTest::newRow("all or nothing over") << "all" << QStringList{"A", "B", "C"} << "" << 0.0;
    QTest::newRow("typed exact") << "capital" << none << "Париж" << 1.0;
    QTest::newRow("typed case and blanks") << "capital" << none << "  париж " << 1.0;
    QTest::newRow("typed second answer") << "capital" << none << "PARIS" << 0.5;
    QTest::newRow("typed with a stop") << "capital" << none << "Париж." << 0.0;
    QTest::newRow("typed blank") << "capital" << none << "   " << 0.0;
    QTest::newRow("typed Latin a and p") << "capital" << none
                                         << "П"
                                            "ap"
                                            "иж"
                                         << 1.0;
    QTest::newRow("typed case matters") << "cased" << none << "париж" << 0.0;
    QTest::newRow("typed case kept") << "cased" << none << "Париж" << 1.0;
    QTest::newRow("typed Cyrillic for Latin") << "latin" << none << "сар" << 1.0;
    QTest::newRow("typed run of blanks") << "latin" << none << "Стара \t  планина" << 1.0;
    QTest::newRow("wildcard ending") << "wild" << none << "Иванов" << 1.0;
    QTest::newRow("wildcard empty") << "wild" << none << "Море" << 1.0;
    QTest::newRow("wildcard inside") << "wild" << none << "Мореплаване" << 1.0;
    QTest::newRow("wildcard no ending") << "wild" << none << "Иванова" << 0.0;
    QTest::newRow("star as a star") << "wild" << none << "5*3" << 1.0;
    QTest::newRow("star is no wildcard") << "wild" << none << "513" << 0.0;
    QTest::newRow("number point") << "plain" << none << "2.5" << 1.0;
    QTest::newRow("number comma") << "plain" << none << "2,5" << 1.0;
    QTest::newRow("number within tolerance") << "plain" << none << "2,509" << 1.0;
    QTest::newRow("number second answer") << "plain" << none << "2.6" << 0.5;
    QTest::newRow("number outside") << "plain" << none << "2,55" << 0.0;
    QTest::newRow("number no number") << "plain" << none << "две" << 0.0;
    QTest::newRow("number a unit not taken") << "plain" << none << "2.5 m" << 0.0;
    QTest::newRow("number unit") << "units" << none << "2,5 m" << 1.0;
    QTest::newRow("number other unit") << "units" << none << "250cm" << 1.0;
    QTest::newRow("number no unit") << "units" << none << "2.5" << 1.0;
    QTest::newRow("number unknown unit") << "units" << none << "2.5 kg" << 0.0;
    QTest::newRow("number unit ignored") << "ignored" << none << "2.5 kg" << 1.0;
    QTest::newRow("number unit left off, a share lost") << "share" << none << "2.5" << 0.9;
    QTest::newRow("number unknown unit, a share lost") << "share" << none << "2.5 kg" << 0.9;
    QTest::newRow("number half, a share of it lost") << "share" << none << "2,6" << 0.45;
    QTest::newRow("number other unit, no penalty") << "share" << none << "250 cm" << 1.0;
    QTest::newRow("number half, penalty off the point") << "off" << none << "2,6" << 0.25;
    QTest::newRow("number unknown unit, penalty off the point")
        << "off" << none << "2.6 kg" << 0.25;
    QTest::newRow("number unit before") << "first" << none << "m 2,5" << 1.0;
    QTest::newRow("number unit before, other") << "first" << none << "cm250" << 1.0;
    QTest::newRow("number unit before, written after") << "first" << none << "2.5 m" << 0.0;
    QTest::newRow("number unit before, unknown") << "first" << none << "kg 2.5" << 0.0;
    QTest::newRow("number unit before, unknown, penalised")
        << "first share" << none << "$2.5" << 0.9;
    QTest::newRow("number any") << "any" << none << "7" << 0.2;
    QTest::newRow("number any needs one") << "any" << none << "седем" << 0.0;
    QTest::newRow("number groups and minus") << "grouped" << none << "\u22121 000,5" << 1.0;
    QTest::newRow("number exponent") << "grouped" << none << "-1.0005e3" << 1.0;
    QTest::newRow("pairs all") << "pairs" << QStringList{"1", "2", "3"} << "" << 1.0;
    QTest::newRow("pairs two of three") << "pairs" << QStringList{"1", "4", "3"} << "" << 0.6666666;
    QTest::newRow("pairs one, two not picked")
        << "pairs" << QStringList{"1", "", ""} << "" << 0.3333333;
    QTest::newRow("pairs none picked") << "pairs" << QStringList{"", "", ""} << "" << 0.0;
}

void MarkingTest::credit()
{
    QFETCH(QString, question);
    QFETCH(QStringList, picked);
    QFETCH(QString, typed);
    QFETCH(double, credit);
    const double got = creditOf(fixture(question), {.picked = picked, .typed = typed});
    QVERIFY2(std::abs(got - credit) < 1e-6, qPrintable(QString::number(got)));
}

QTEST_GUILESS_MAIN(MarkingTest)
#include "test_marking.moc"
