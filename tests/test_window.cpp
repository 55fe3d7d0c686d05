// SPDX-License-Identifier: GPL-3.0-or-later
// The window in answering mode, driven through its widgets: the first display, the slots, the
// answer records, the bars, navigation, the phrase, the tab order and the option buttons.

#include "ui/layout.h"
#include "window_driver.h"

#include <QApplication>
#include <QSignalSpy>
#include <algorithm>

using namespace kovra;
using namespace kovra::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// Three questions: the step is 2, so positions 0, 1, 2 show question indexes 2, 1, 0.
KOVRA_Danni threeQuestions(QList<int> choices, char phrase = '0')
{
    ContentPlan plan;
    plan.choices.assign(choices.begin(), choices.end());
    plan.phrase = phrase;
    return makeContent(plan);
}

// 50 twips plus filled parts of the bar end E = 10525 over n, as both bar pairs are drawn.
float firstBarWidth(int filled, int n)
{
    return static_cast<float>(50.0 + filled * 10525.0 / n);
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void firstDisplay_data();
    void firstDisplay();
    void slots_data();
    void slots();
    void correctSlotAndVerdict_data();
    void correctSlotAndVerdict();
    void returnToAnswered_data();
    void returnToAnswered();
    void changedAnswer_data();
    void changedAnswer();
    void bars_data();
    void bars();
    void navigationClamps_data();
    void navigationClamps();
    void phrase_data();
    void phrase();
    void tabChain();
    void tabKeys_data();
    void tabKeys();
    void optionInput_data();
    void optionInput();

private:
    void open(KOVRA_Danni content, std::vector<float> draws = startDraws({0}, firstRows(3)))
    {
        reopen(m_window, std::move(content), std::move(draws));
    }
    std::unique_ptr<KOVRA_Prazno> m_window;
};

void TestWindow::init()
{
    open(threeQuestions({4, 4, 4}));
}

void TestWindow::cleanup()
{
    m_window.reset();
}

void TestWindow::firstDisplay_data()
{
    QTest::addColumn<int>("questions");
    QTest::addColumn<char>("phrase");
    QTest::addColumn<char>("toto");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("firstChoices");
    QTest::addColumn<int>("n");
    QTest::newRow("phrase flag 0") << 3 << '0' << '0' << QString() << 4 << 3;
    QTest::newRow("phrase flag 1") << 3 << '1' << '0' << QString() << 4 << 3;
    QTest::newRow("title ending in a digit, shown whole")
        << 3 << '0' << '0' << u"Геометрия - 1"_s << 4 << 3;
    QTest::newRow("twenty questions with the check question")
        << 20 << '0' << '1' << QString() << 4 << 21;
    QTest::newRow("first question of 2 choices") << 3 << '0' << '0' << QString() << 2 << 3;
}

void TestWindow::firstDisplay()
{
    QFETCH(int, questions);
    QFETCH(char, phrase);
    QFETCH(char, toto);
    QFETCH(QString, title);
    QFETCH(int, firstChoices);
    QFETCH(int, n);

    ContentPlan plan = fourChoices(questions, toto);
    plan.phrase = phrase;
    // Position 0 shows question index 2 (step 2) in every row here.
    plan.choices[2] = firstChoices;
    KOVRA_Danni content = makeContent(plan);
    if (!title.isEmpty()) {
        content.List2().setList(TitleRow, *toCp1251(title));
    }
    const QByteArray titleRow = content.List2().list(TitleRow);
    open(std::move(content), startDraws({0}, firstRows(n)));
    const KOVRA_Prazno &w = *m_window;

    const QWidget *visible[] = {w.Text1(0),    w.Text2(0),   w.Command1(0), w.Command1(1),
                                w.Command2(0), w.Label1(0),  w.Label1(1),   w.Label1(2),
                                w.Label1(4),   w.Picture1(), w.Picture2(),  w.Shape1(0),
                                w.Shape1(1),   w.Shape2(0),  w.Shape2(1),   w.Frame1()};
    for (const QWidget *widget : visible) {
        QVERIFY2(shown(w, widget), qPrintable(widget->objectName()));
    }
    const QWidget *hidden[] = {w.Text1(1), w.Label1(3), w.Command2(1), w.Command2(2)};
    for (const QWidget *widget : hidden) {
        QVERIFY2(!shown(w, widget), qPrintable(widget->objectName()));
    }
    for (int s = 0; s < 5; ++s) {
        QCOMPARE(shown(w, w.Option1(s)), s < firstChoices);
        QCOMPARE(shown(w, w.Text2(s + 1)), s < firstChoices);
    }
    QCOMPARE(shown(w, w.Text2(6)), phrase == '1');
    QCOMPARE(w.Text2(6)->text(), QByteArray());
    QCOMPARE(w.Text2(0)->text(), questionText(2));

    QCOMPARE(w.Label1(0)->caption(), titleRow);
    QCOMPARE(w.Label1(1)->caption(), w1251("Резултат: "));
    QCOMPARE(w.Label1(2)->caption(), w1251("Въведени отговори: 0/") + QByteArray::number(n));
    QCOMPARE(w.Label1(4)->caption(), w1251("Въведен отговор: "));
    QCOMPARE(backColor(w.Picture1()), kRed);
    QCOMPARE(checkedSlot(w), -1);
    QVERIFY(w.Command2(0)->isEnabled());
    QCOMPARE(w.runState().CurrentPos, 0);
    QCOMPARE(w.runState().AnsweredCount, 0);
}

void TestWindow::slots_data()
{
    QTest::addColumn<QList<int>>("choices");   // by question index
    QTest::addColumn<QList<int>>("orderRows"); // by question index
    QTest::addColumn<QString>("presses");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("order"); // of the question at that position
    // Positions 0, 1, 2 show question indexes 2, 1, 0.
    QTest::newRow("2 choices, row 1")
        << QList<int>{4, 4, 2} << QList<int>{0, 0, 1} << QString() << 0 << QByteArray("21");
    QTest::newRow("3 choices, row 3")
        << QList<int>{4, 4, 3} << QList<int>{0, 0, 3} << QString() << 0 << QByteArray("231");
    QTest::newRow("4 choices, row 6")
        << QList<int>{4, 4, 4} << QList<int>{0, 0, 6} << QString() << 0 << QByteArray("2134");
    QTest::newRow("5 choices, last row")
        << QList<int>{4, 4, 5} << QList<int>{0, 0, 119} << QString() << 0 << QByteArray("54321");
    QTest::newRow("3 choices after 5")
        << QList<int>{4, 3, 5} << QList<int>{0, 2, 0} << "f" << 1 << QByteArray("213");
    QTest::newRow("2 choices after 5 and 3, the order by question index")
        << QList<int>{2, 3, 5} << QList<int>{1, 0, 0} << "ff" << 2 << QByteArray("21");
    QTest::newRow("5 choices after 2, going back")
        << QList<int>{4, 2, 5} << QList<int>{0, 0, 119} << "fb" << 0 << QByteArray("54321");
}

void TestWindow::slots()
{
    QFETCH(QList<int>, choices);
    QFETCH(QList<int>, orderRows);
    QFETCH(QString, presses);
    QFETCH(int, position);
    QFETCH(QByteArray, order);

    open(threeQuestions(choices), startDraws({0}, orderRows));
    KOVRA_Prazno &w = *m_window;
    navigate(w, presses);
    QCOMPARE(w.runState().CurrentPos, position);

    const int q = 2 - position;
    const QByteArray number = QByteArray::number(q + 1);
    QCOMPARE(w.Text2(0)->text(), questionText(q));
    const int c = static_cast<int>(order.size());
    QCOMPARE(shownSlots(w), c);
    for (int s = 0; s < 5; ++s) {
        QCOMPARE(shown(w, w.Option1(s)), s < c);
        QCOMPARE(shown(w, w.Text2(s + 1)), s < c);
        if (s < c) {
            QCOMPARE(w.Text2(s + 1)->text(), number + '.' + order.at(s));
        }
        // Four slots or fewer stand as designed, to the pixel; five are each wide enough to read
        // (two thirds of a designed slot at least), every button's caption whole.
        if (c <= 4) {
            QCOMPARE(w.Text2(s + 1)->geometry(), toPixels(layout::kText2[s + 1]));
            QCOMPARE(w.Option1(s)->geometry(), toPixels(layout::kOption1[s]));
        } else {
            QVERIFY2(w.Text2(s + 1)->width() * 3 >= toPixels(layout::kText2[1]).width() * 2,
                     qPrintable(QString::number(w.Text2(s + 1)->width())));
            QVERIFY(w.Option1(s)->sizeHint().width() <= w.Option1(s)->width());
            QVERIFY(w.Option1(s)->geometry().right() < w.Frame1()->width());
        }
    }
    // The key is choice 1; the correct-slot list records where it stands, and only for
    // positions that were displayed.
    QCOMPARE(row(w, CorrectSlotList, position), QByteArray::number(order.indexOf('1')));
    int reached = 0;
    int at = 0;
    for (const QChar press : presses) {
        at = std::clamp(at + (press == QLatin1Char('f') ? 1 : -1), 0, 2);
        reached = std::max(reached, at);
    }
    for (int p = reached + 1; p < 3; ++p) {
        QCOMPARE(row(w, CorrectSlotList, p), QByteArray("-1"));
    }
}

void TestWindow::correctSlotAndVerdict_data()
{
    QTest::addColumn<QStringList>("choiceTexts"); // of question index 2, shown first
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("correctSlot");
    QTest::addColumn<QByteArray>("verdictOfSlot0");
    QTest::newRow("key in slot 2")
        << QStringList{"a", "b", "k", "d"} << "k" << QByteArray("2") << QByteArray("0");
    QTest::newRow("two boxes equal the key: the higher slot")
        << QStringList{"k", "b", "k", "d"} << "k" << QByteArray("2") << QByteArray("1");
    QTest::newRow("key with a trailing blank matches nothing")
        << QStringList{"k", "b", "c", "d"} << "k " << QByteArray("-1") << QByteArray("0");
    QTest::newRow("Latin a against Cyrillic а")
        << QStringList{u"а"_s, "b", "c", "d"} << "a" << QByteArray("-1") << QByteArray("0");
    QTest::newRow("case matters") << QStringList{"k", "K", "c", "d"} << "K" << QByteArray("1")
                                  << QByteArray("0");
    QTest::newRow("degree sign") << QStringList{u"40°"_s, "b", "c", "d"} << u"40°"_s
                                 << QByteArray("0") << QByteArray("1");
}

void TestWindow::correctSlotAndVerdict()
{
    QFETCH(QStringList, choiceTexts);
    QFETCH(QString, key);
    QFETCH(QByteArray, correctSlot);
    QFETCH(QByteArray, verdictOfSlot0);

    KOVRA_Danni content = threeQuestions({4, 4, 4});
    for (int c = 0; c < choiceTexts.size(); ++c) {
        content.List1(3).setList(c + 1, *toCp1251(choiceTexts.at(c)));
    }
    content.List1(0).setList(2, *toCp1251(key));
    open(std::move(content));
    KOVRA_Prazno &w = *m_window;

    QCOMPARE(row(w, CorrectSlotList, 0), correctSlot);
    chooseSlot(w, 0);
    QCOMPARE(row(w, VerdictList, 0), verdictOfSlot0);
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray("0"));
    // The record is the same on every visit.
    navigate(w, "fb");
    QCOMPARE(row(w, CorrectSlotList, 0), correctSlot);
    QCOMPARE(row(w, VerdictList, 0), verdictOfSlot0);
}

void TestWindow::returnToAnswered_data()
{
    QTest::addColumn<char>("phrase");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("away");
    QTest::addColumn<QString>("back");
    QTest::newRow("slot 3, two forward and two back") << '0' << 3 << u"ff"_s << u"bb"_s;
    QTest::newRow("slot 2, phrase mode, one forward and back") << '1' << 2 << u"f"_s << u"b"_s;
    QTest::newRow("slot 1, phrase mode, past the end and back") << '1' << 1 << u"fff"_s << u"bb"_s;
}

void TestWindow::returnToAnswered()
{
    QFETCH(char, phrase);
    QFETCH(int, slot);
    QFETCH(QString, away);
    QFETCH(QString, back);

    open(threeQuestions({4, 4, 4}, phrase));
    KOVRA_Prazno &w = *m_window;
    chooseSlot(w, slot);
    const QByteArray verdict = row(w, VerdictList, 0);
    const QByteArray correct = row(w, CorrectSlotList, 0);
    const QByteArray phraseText = w.Text2(6)->text();
    QCOMPARE(w.runState().AnsweredCount, 1);

    // Away at unanswered positions: nothing selected, red, empty phrase; clearing the buttons
    // records nothing.
    navigate(w, away);
    QVERIFY(w.runState().CurrentPos > 0);
    QCOMPARE(checkedSlot(w), -1);
    QCOMPARE(backColor(w.Picture1()), kRed);
    QCOMPARE(w.Text2(6)->text(), QByteArray());
    // Another answer there moves the last clicked slot away from the one to come back to.
    const int otherSlot = slot == 0 ? 1 : 0;
    chooseSlot(w, otherSlot);
    QCOMPARE(w.runState().ClickedOption, otherSlot);

    navigate(w, back);
    QCOMPARE(w.runState().CurrentPos, 0);
    QCOMPARE(checkedSlot(w), slot);
    QCOMPARE(backColor(w.Picture1()), kGreen);
    QCOMPARE(w.runState().AnsweredCount, 2);
    QCOMPARE(w.Label1(2)->caption(), w1251("Въведени отговори: 2/3"));
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray::number(slot));
    QCOMPARE(row(w, VerdictList, 0), verdict);
    QCOMPARE(row(w, CorrectSlotList, 0), correct);
    // Restoring the selection ran the click handling inside the navigation.
    QCOMPARE(w.runState().ClickedOption, slot);
    QCOMPARE(w.Text2(6)->text(), phraseText);
    if (phrase == '1') {
        QCOMPARE(phraseText, "Question 3  3." + QByteArray::number(slot + 1) + " end");
    }
}

void TestWindow::changedAnswer_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QByteArray>("verdict");
    // The key of the first question stands in slot 0.
    QTest::newRow("right, then wrong") << QList<int>{0, 1} << QByteArray("0");
    QTest::newRow("wrong, then right") << QList<int>{2, 0} << QByteArray("1");
    QTest::newRow("four changes") << QList<int>{0, 1, 3, 2} << QByteArray("0");
}

void TestWindow::changedAnswer()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QByteArray, verdict);
    KOVRA_Prazno &w = *m_window;
    const float answeredWidth = w.shape2Twips(0).width;
    for (const int slot : clicks) {
        chooseSlot(w, slot);
    }
    QCOMPARE(w.runState().AnsweredCount, 1);
    QCOMPARE(w.Label1(2)->caption(), w1251("Въведени отговори: 1/3"));
    QCOMPARE(w.shape2Twips(0).width, answeredWidth);
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray::number(clicks.last()));
    QCOMPARE(row(w, VerdictList, 0), verdict);
    QCOMPARE(checkedSlot(w), clicks.last());
    QCOMPARE(backColor(w.Picture1()), kGreen);
}

void TestWindow::bars_data()
{
    QTest::addColumn<int>("questions");
    QTest::addColumn<char>("toto");
    QTest::addColumn<int>("answered"); // positions answered first, from position 0 on
    QTest::addColumn<int>("position");
    QTest::newRow("start") << 3 << '0' << 0 << 0;
    QTest::newRow("one step") << 3 << '0' << 0 << 1;
    QTest::newRow("last position") << 3 << '0' << 0 << 2;
    QTest::newRow("one answer keeps 50") << 3 << '0' << 1 << 0;
    QTest::newRow("two answers") << 3 << '0' << 2 << 1;
    QTest::newRow("all answered, at the last position") << 3 << '0' << 3 << 2;
    QTest::newRow("21 questions, start") << 20 << '1' << 0 << 0;
    QTest::newRow("21 questions, all answered") << 20 << '1' << 21 << 20;
}

void TestWindow::bars()
{
    QFETCH(int, questions);
    QFETCH(char, toto);
    QFETCH(int, answered);
    QFETCH(int, position);

    const int n = questions + (toto == '1' ? 1 : 0);
    open(makeContent(fourChoices(questions, toto)), startDraws({0}, firstRows(n)));
    KOVRA_Prazno &w = *m_window;
    for (int p = 0; p < answered; ++p) {
        QVERIFY(chooseVerdict(w, 'r'));
        navigate(w, "f");
    }
    while (w.runState().CurrentPos > position) {
        navigate(w, "b");
    }
    while (w.runState().CurrentPos < position) {
        navigate(w, "f");
    }
    QCOMPARE(w.runState().CurrentPos, position);
    QCOMPARE(w.runState().AnsweredCount, answered);

    const float positionWidth = firstBarWidth(position, n);
    const float answeredWidth = firstBarWidth(answered >= 1 ? answered - 1 : 0, n);
    const Twips *pairs[2][2] = {{&w.shape1Twips(0), &w.shape1Twips(1)},
                                {&w.shape2Twips(0), &w.shape2Twips(1)}};
    const float widths[2] = {positionWidth, answeredWidth};
    for (int pair = 0; pair < 2; ++pair) {
        const Twips &first = *pairs[pair][0];
        const Twips &second = *pairs[pair][1];
        QCOMPARE(first.left, 240.0F);
        QCOMPARE(first.width, widths[pair]);
        QCOMPARE(second.left, 240.0F + widths[pair]);
        QCOMPARE(second.left + second.width, 10525.0F);
    }
    if (answered == n) {
        QCOMPARE(w.shape2Twips(0).width, firstBarWidth(n - 1, n));
    }
    // Drawn at 15 twips a pixel: the second bars end at pixel 10525 / 15.
    QCOMPARE(w.Shape1(1)->geometry().right() + 1, qRound(10525 / 15.0));
    QCOMPARE(w.Shape2(1)->geometry().right() + 1, qRound(10525 / 15.0));
    QCOMPARE(w.Label1(2)->caption(), w1251("Въведени отговори: ") + QByteArray::number(answered) +
                                         '/' + QByteArray::number(n));
}

void TestWindow::navigationClamps_data()
{
    QTest::addColumn<QString>("presses");
    QTest::addColumn<int>("position");
    // Five questions: step 2 gives the order 2, 4, 1, 3, 0.
    QTest::addColumn<int>("questionIndex");
    QTest::newRow("back at the first position") << "b" << 0 << 2;
    QTest::newRow("forward to the last position") << "ffff" << 4 << 0;
    QTest::newRow("forward past the last position, no wrap") << "ffffff" << 4 << 0;
    QTest::newRow("forward past the end and one back") << "fffffb" << 3 << 3;
    QTest::newRow("back past the start and one forward") << "bbf" << 1 << 4;
}

void TestWindow::navigationClamps()
{
    QFETCH(QString, presses);
    QFETCH(int, position);
    QFETCH(int, questionIndex);
    open(makeContent(fourChoices(5)), startDraws({0}, firstRows(5)));
    KOVRA_Prazno &w = *m_window;
    navigate(w, presses);
    QCOMPARE(w.runState().CurrentPos, position);
    QCOMPARE(w.Text2(0)->text(), questionText(questionIndex));
    QCOMPARE(w.shape1Twips(0).width, firstBarWidth(position, 5));
    QCOMPARE(backColor(w.Picture1()), kRed);
    QCOMPARE(w.runState().AnsweredCount, 0);
}

void TestWindow::phrase_data()
{
    QTest::addColumn<char>("flag");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");
    const auto add = [](const char *name, char flag, const QString &text, const QString &answer,
                        const QString &expected) {
        QTest::newRow(name) << flag << text << answer << expected;
    };
    add("worked example", '1', u"AB ___ CD"_s, u"xy"_s, u"AB  xy CD"_s);
    add("blank at the end", '1', u"AB ___"_s, u"xy"_s, u"AB  xy "_s);
    add("one character after the blank", '1', u"AB ___."_s, u"xy"_s, u"AB  xy "_s);
    add("blank at the start", '1', u"___ CD"_s, u"xy"_s, u" xy CD"_s);
    add("later blanks stay", '1', u"A _ B _ C"_s, u"xy"_s, u"A  xy B _ C"_s);
    add("Bulgarian sentence", '1', u"Аз ___ ученик."_s, u"съм"_s, u"Аз  съм ученик."_s);
    add("phrase flag 0", '0', u"AB ___ CD"_s, u"xy"_s, u""_s);
    add("phrase flag 2", '2', u"AB ___ CD"_s, u"xy"_s, u""_s);
}

void TestWindow::phrase()
{
    QFETCH(char, flag);
    QFETCH(QString, text);
    QFETCH(QString, answer);
    QFETCH(QString, expected);

    KOVRA_Danni content = threeQuestions({4, 4, 4}, flag);
    content.List1(3).setList(0, *toCp1251(text));
    content.List1(3).setList(1, *toCp1251(answer));
    content.List1(0).setList(2, *toCp1251(answer));
    open(std::move(content));
    KOVRA_Prazno &w = *m_window;

    QCOMPARE(shown(w, w.Text2(6)), flag == '1');
    QCOMPARE(w.Text2(6)->text(), QByteArray());
    chooseSlot(w, 0);
    QCOMPARE(w.Text2(6)->text(), *toCp1251(expected));
    QCOMPARE(w.Text2(6)->toPlainText(), expected);
    // Another answer of the same position rebuilds the phrase.
    chooseSlot(w, 1);
    QCOMPARE(w.Text2(6)->text(), *toCp1251(QString(expected).replace(answer, "3.2")));
    // Moving on empties it.
    navigate(w, "f");
    QCOMPARE(w.Text2(6)->text(), QByteArray());
}

void TestWindow::tabChain()
{
    const KOVRA_Prazno &w = *m_window;
    const QList<QWidget *> order = {w.Text1(0),    w.Text1(1),    w.Text2(0),    w.Text2(1),
                                    w.Text2(2),    w.Text2(3),    w.Text2(4),    w.Text2(6),
                                    w.Option1(0),  w.Option1(1),  w.Option1(2),  w.Option1(3),
                                    w.Command1(0), w.Command1(1), w.Command2(0), w.Command2(1),
                                    w.Command2(2), w.Text2(5),    w.Option1(4)};
    QList<QWidget *> chain;
    QWidget *widget = w.Text1(0);
    do {
        if (order.contains(widget) && !chain.contains(widget)) {
            chain << widget;
        }
        widget = widget->nextInFocusChain();
    } while (widget != w.Text1(0) && chain.size() < order.size());
    const auto names = [](const QList<QWidget *> &widgets) {
        QStringList list;
        for (const QWidget *widget : widgets) {
            list << widget->objectName();
        }
        return list;
    };
    QCOMPARE(names(chain), names(order));
}

void TestWindow::tabKeys_data()
{
    QTest::addColumn<int>("choices"); // of the first question
    QTest::addColumn<char>("phrase");
    QTest::addColumn<int>("chosen"); // -1 for none
    QTest::addColumn<bool>("review");
    QTest::addColumn<QStringList>("stops"); // from the instructions box on, back to it
    // The option buttons are one group and one stop: the chosen button, or the first of the
    // group when none is chosen; the arrow keys move inside the group.
    const QStringList boxes{"Text2_0", "Text2_1", "Text2_2", "Text2_3", "Text2_4", "Text2_6"};
    const QStringList buttons{"Command1_0", "Command1_1", "Command2_0"};
    QTest::newRow("five choices, phrase mode, none chosen")
        << 5 << '1' << -1 << false
        << boxes + QStringList{"Option1_0"} + buttons + QStringList{"Text2_5", "Text1_0"};
    QTest::newRow("five choices, phrase mode, B chosen")
        << 5 << '1' << 1 << false
        << boxes + QStringList{"Option1_1"} + buttons + QStringList{"Text2_5", "Text1_0"};
    QTest::newRow("five choices, phrase mode, E chosen")
        << 5 << '1' << 4 << false
        << boxes + buttons + QStringList{"Text2_5", "Option1_4", "Text1_0"};
    QTest::newRow("three choices, no phrase")
        << 3 << '0' << -1 << false
        << QStringList{"Text2_0", "Text2_1", "Text2_2", "Text2_3", "Option1_0"} + buttons +
               QStringList{"Text1_0"};
    QTest::newRow("review with its buttons")
        << 4 << '0' << 0 << true << QStringList{"Text2_0", "Text2_1",    "Text2_2",    "Text2_3",
                                                "Text2_4", "Command2_1", "Command2_2", "Text1_0"};
}

void TestWindow::tabKeys()
{
    QFETCH(int, choices);
    QFETCH(char, phrase);
    QFETCH(int, chosen);
    QFETCH(bool, review);
    QFETCH(QStringList, stops);

    ContentPlan plan;
    plan.choices = {4, 4, choices};
    plan.phrase = phrase;
    plan.explanations = '1';
    open(makeContent(plan));
    KOVRA_Prazno &w = *m_window;
    activate(w);
    if (chosen >= 0) {
        chooseSlot(w, chosen);
    }
    if (review) {
        click(w.Command2(0));
    }
    w.Text1(0)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), w.Text1(0));
    QStringList visited;
    for (int i = 0; i < stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        visited << (focus != nullptr ? focus->objectName() : u"none"_s);
    }
    QCOMPARE(visited, stops);
    // Tabbing chose no answer.
    QCOMPARE(w.runState().AnsweredCount, chosen >= 0 ? 1 : 0);
}

void TestWindow::optionInput_data()
{
    QTest::addColumn<int>("choices");
    QTest::addColumn<int>("before"); // slot clicked first, -1 for none
    QTest::addColumn<int>("focus");  // slot given the focus before the key
    QTest::addColumn<int>("key");    // 0 for a mouse click on the focus slot
    QTest::addColumn<int>("chosen"); // the slot recorded afterwards, -1 for none
    QTest::addColumn<int>("raised"); // clicks raised on the chosen slot by the input
    QTest::newRow("mouse click") << 4 << -1 << 2 << 0 << 2 << 1;
    QTest::newRow("mouse click on the chosen button") << 4 << 2 << 2 << 0 << 2 << 1;
    QTest::newRow("mouse click on the narrow fifth button") << 5 << -1 << 4 << 0 << 4 << 1;
    QTest::newRow("space") << 4 << -1 << 1 << int(Qt::Key_Space) << 1 << 1;
    QTest::newRow("right arrow from the chosen button")
        << 4 << 1 << 1 << int(Qt::Key_Right) << 2 << 1;
    QTest::newRow("left arrow from the chosen button")
        << 4 << 1 << 1 << int(Qt::Key_Left) << 0 << 1;
    QTest::newRow("right arrow at the last shown button")
        << 3 << 2 << 2 << int(Qt::Key_Right) << 2 << 0;
    QTest::newRow("arrow from an unchosen button only moves the focus")
        << 4 << -1 << 1 << int(Qt::Key_Right) << -1 << 0;
}

void TestWindow::optionInput()
{
    QFETCH(int, choices);
    QFETCH(int, before);
    QFETCH(int, focus);
    QFETCH(int, key);
    QFETCH(int, chosen);
    QFETCH(int, raised);

    open(threeQuestions({4, 4, choices}));
    KOVRA_Prazno &w = *m_window;
    activate(w);
    if (before >= 0) {
        chooseSlot(w, before);
    }
    w.Option1(focus)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), w.Option1(focus));
    QList<QSignalSpy *> spies;
    for (int s = 0; s < 5; ++s) {
        spies << new QSignalSpy(w.Option1(s), &QAbstractButton::clicked);
    }
    if (key == 0) {
        chooseSlot(w, focus);
    } else {
        QTest::keyClick(w.Option1(focus), Qt::Key(key));
    }

    const bool any = chosen >= 0;
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray::number(chosen));
    QCOMPARE(checkedSlot(w), chosen);
    QCOMPARE(w.runState().AnsweredCount, any ? 1 : 0);
    QCOMPARE(row(w, VerdictList, 0), any ? QByteArray(chosen == 0 ? "1" : "0") : "-1");
    QCOMPARE(backColor(w.Picture1()), any ? kGreen : kRed);
    if (any) {
        QCOMPARE(w.runState().ClickedOption, chosen);
    }
    int total = 0;
    for (int s = 0; s < 5; ++s) {
        total += static_cast<int>(spies.at(s)->count());
    }
    QCOMPARE(total, raised);
    if (raised > 0) {
        QCOMPARE(spies.at(chosen)->count(), raised);
    }
    qDeleteAll(spies);
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
