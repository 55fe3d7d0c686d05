// SPDX-License-Identifier: GPL-3.0-or-later
// The window after "Оценяване": the score line, the review marks and buttons, the check of the
// repeated question, and the menu: "Автор" and "Изход".

#include "ui/look.h"
#include "window_driver.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QScopeGuard>
#include <QTimer>
#include <QWindow>

using namespace kovra;
using namespace kovra::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// Three questions with review buttons: positions 0, 1, 2 show question indexes 2, 1, 0.
ContentPlan threeQuestions(char description = '1', char explanations = '1')
{
    ContentPlan plan = fourChoices(3);
    plan.description = description;
    plan.explanations = explanations;
    return plan;
}

const QByteArray kNoAnswer = w1251("Няма въведен отговор!");
const QByteArray kAbout = w1251("За повече информация посетете www.kovra.example.");

// Answers position by position, moving forward: each entry holds the choice texts clicked
// there, separated by '|'; an empty entry leaves the position unanswered.
bool answerByText(KOVRA_Prazno &w, const QStringList &answers)
{
    for (const QString &entry : answers) {
        if (!entry.isEmpty()) {
            for (const QString &text : entry.split(QLatin1Char('|'))) {
                const int slot = slotShowing(w, text.toLatin1());
                if (slot < 0) {
                    return false;
                }
                chooseSlot(w, slot);
            }
        }
        navigate(w, "f");
    }
    return true;
}

// The first pixel where a shown push button, drawn by the style at scale 1 and 2, shows another
// colour than its own inside its frame and focus mark, beside its caption; empty when none.
QString offFace(const KOVRA_Prazno &w)
{
    QPushButton *const buttons[] = {w.Command1(0), w.Command1(1), w.Command2(0), w.Command2(1),
                                    w.Command2(2)};
    const QRgb blue = qRgb(128, 128, 255);
    const QRgb colors[] = {qRgb(255, 128, 0), qRgb(192, 64, 0), blue, blue, blue};
    for (int b = 0; b < 5; ++b) {
        for (const int scale : {1, 2}) {
            QImage face(buttons[b]->size() * scale, QImage::Format_RGB32);
            face.setDevicePixelRatio(scale);
            buttons[b]->render(&face);
            const int caption = buttons[b]->fontMetrics().horizontalAdvance(buttons[b]->text());
            for (int y = 3 * scale; shown(w, buttons[b]) && y < face.height() - 3 * scale; ++y) {
                for (int x = 3 * scale; x < face.width() - 3 * scale; ++x) {
                    if (std::abs(x - face.width() / 2) > (caption / 2 + 2) * scale &&
                        face.pixel(x, y) != colors[b]) {
                        return u"%1 (%2, %3)"_s.arg(buttons[b]->objectName()).arg(x).arg(y);
                    }
                }
            }
        }
    }
    return {};
}

} // namespace

class TestReview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(createStyle()); }
    void init();
    void cleanup();

    void score_data();
    void score();
    void unansweredReview_data();
    void unansweredReview();
    void reviewMarks_data();
    void reviewMarks();
    void reviewButtons_data();
    void reviewButtons();
    void reviewMoves_data();
    void reviewMoves();
    void toto_data();
    void toto();
    void checkQuestionReview();
    void optionsLocked_data();
    void optionsLocked();
    void about_data();
    void about();
    void exit_data();
    void exit();

private:
    void open(KOVRA_Danni content, std::vector<float> draws = startDraws({0}, firstRows(3)))
    {
        reopen(m_window, std::move(content), std::move(draws));
    }
    std::unique_ptr<KOVRA_Prazno> m_window;
};

void TestReview::init()
{
    open(makeContent(threeQuestions()));
}

void TestReview::cleanup()
{
    m_window.reset();
}

void TestReview::score_data()
{
    QTest::addColumn<int>("questions");
    QTest::addColumn<char>("toto");
    QTest::addColumn<QString>("answers"); // by position: r right, w wrong, - none; or a group
    QTest::addColumn<QString>("line");    // in parentheses: the clicks at one position
    QTest::newRow("all right with the check question")
        << 20 << '1' << QString(21, QLatin1Char('r')) << u"Резултат: 21/21 = 100%"_s;
    QTest::newRow("none answered")
        << 20 << '1' << QString(21, QLatin1Char('-')) << u"Резултат: 0/21 = 0%"_s;
    QTest::newRow("15 of 21") << 20 << '1' << u"rrrrrwwwrrrrrrwwwrrrr"_s
                              << u"Резултат: 15/21 = 71%"_s;
    QTest::newRow("two of three, rounded down") << 3 << '0' << u"rrw"_s << u"Резултат: 2/3 = 66%"_s;
    QTest::newRow("answer changed several times counts once, last verdict")
        << 3 << '0' << u"(wrwr)--"_s << u"Резултат: 1/3 = 33%"_s;
    QTest::newRow("right changed to wrong counts nothing")
        << 3 << '0' << u"(rw)(rw)(wr)"_s << u"Резултат: 1/3 = 33%"_s;
}

void TestReview::score()
{
    QFETCH(int, questions);
    QFETCH(char, toto);
    QFETCH(QString, answers);
    QFETCH(QString, line);

    const int n = questions + (toto == '1' ? 1 : 0);
    open(makeContent(fourChoices(questions, toto)), startDraws({0}, firstRows(n)));
    KOVRA_Prazno &w = *m_window;
    bool group = false;
    for (const QChar c : answers) {
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            group = c == QLatin1Char('(');
        } else if (c != QLatin1Char('-')) {
            QVERIFY(chooseVerdict(w, c.toLatin1()));
        }
        if (!group && c != QLatin1Char('(')) {
            navigate(w, "f");
        }
    }
    QCOMPARE(w.runState().QuestionCount, n);
    evaluate(w);
    QCOMPARE(w.Label1(1)->caption(), *toCp1251(line));
    QVERIFY(shown(w, w.Label1(1)));
    QCOMPARE(w.runState().CurrentPos, 0);
}

void TestReview::unansweredReview_data()
{
    QTest::addColumn<char>("description");
    QTest::newRow("description flag 1") << '1';
    QTest::newRow("description flag 0") << '0';
}

void TestReview::unansweredReview()
{
    QFETCH(char, description);
    ContentPlan plan = fourChoices(20, '1');
    plan.description = description;
    plan.explanations = '1';
    open(makeContent(plan), startDraws({0}, firstRows(21)));
    KOVRA_Prazno &w = *m_window;
    evaluate(w);
    QCOMPARE(w.Label1(1)->caption(), w1251("Резултат: 0/21 = 0%"));
    for (int p = 0; p < 21; ++p) {
        QCOMPARE(w.runState().CurrentPos, p);
        QCOMPARE(w.Text1(0)->text(), kNoAnswer);
        QCOMPARE(checkedSlot(w), -1);
        QCOMPARE(shownSlots(w), 4);
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(backColor(w.Option1(s)), kReviewBlue);
        }
        QCOMPARE(backColor(w.Picture1()), kRed);
        QCOMPARE(row(w, ChosenSlotList, p), QByteArray("-1"));
        reviewNavigate(w, "f");
    }
    QCOMPARE(w.runState().AnsweredCount, 0);
}

void TestReview::reviewMarks_data()
{
    QTest::addColumn<int>("choices");  // of question index 2, at position 0
    QTest::addColumn<int>("orderRow"); // its answer order
    QTest::addColumn<int>("correct");  // the slot its key stands in
    QTest::addColumn<int>("clicked");  // -1 for none
    QTest::addColumn<char>("description");
    QTest::addColumn<QString>("instructions");
    QTest::addColumn<char>("phrase");
    const QString lines = u"Ред 1\r\nРед 2\r\nРед 3\r\n"_s;
    const QString none = u"Няма въведен отговор!"_s;
    // Row 6 of four choices is 2134: the key, choice 1, stands in slot 1.
    QTest::newRow("right, description 1") << 4 << 6 << 1 << 1 << '1' << lines << '0';
    QTest::newRow("wrong, description 1") << 4 << 6 << 1 << 3 << '1' << lines << '0';
    QTest::newRow("unanswered, description 1") << 4 << 6 << 1 << -1 << '1' << none << '0';
    QTest::newRow("right, description 0") << 4 << 6 << 1 << 1 << '0' << QString() << '0';
    QTest::newRow("unanswered, description 0") << 4 << 6 << 1 << -1 << '0' << none << '0';
    QTest::newRow("wrong, description 2") << 4 << 6 << 1 << 2 << '2' << lines << '0';
    QTest::newRow("right, description letter") << 4 << 6 << 1 << 1 << 'x' << QString() << '0';
    // Row 3 of three choices is 231; row 119 of five is 54321.
    QTest::newRow("3 choices, right in slot 2") << 3 << 3 << 2 << 2 << '1' << lines << '0';
    QTest::newRow("5 choices, wrong, key in the narrow slot")
        << 5 << 119 << 4 << 0 << '1' << lines << '0';
    QTest::newRow("right, phrase mode: the phrase comes back")
        << 4 << 6 << 1 << 1 << '1' << lines << '1';
    QTest::newRow("wrong, phrase mode: the phrase comes back")
        << 4 << 6 << 1 << 2 << '1' << lines << '1';
    QTest::newRow("unanswered, phrase mode: no phrase") << 4 << 6 << 1 << -1 << '1' << none << '1';
}

void TestReview::reviewMarks()
{
    QFETCH(int, choices);
    QFETCH(int, orderRow);
    QFETCH(int, correct);
    QFETCH(int, clicked);
    QFETCH(char, description);
    QFETCH(QString, instructions);
    QFETCH(char, phrase);

    ContentPlan plan = threeQuestions(description);
    plan.choices[2] = choices;
    plan.phrase = phrase;
    KOVRA_Danni content = makeContent(plan);
    content.Obqsnenie(3) = TextList{w1251("Ред 1"), w1251("Ред 2"), w1251("Ред 3")};
    open(std::move(content), startDraws({0}, {0, 0, orderRow}));
    KOVRA_Prazno &w = *m_window;
    QByteArrayList boxes;
    for (int s = 0; s < choices; ++s) {
        boxes << w.Text2(s + 1)->text();
    }
    if (clicked >= 0) {
        chooseSlot(w, clicked);
    }
    evaluate(w);

    const bool right = clicked == correct;
    QCOMPARE(w.Text2(0)->text(), questionText(2));
    QCOMPARE(shownSlots(w), choices);
    for (int s = 0; s < 5; ++s) {
        QCOMPARE(shown(w, w.Text2(s + 1)), s < choices);
        QVERIFY(!w.Option1(s)->isEnabled());
        if (s >= choices) {
            continue;
        }
        QCOMPARE(w.Text2(s + 1)->text(), boxes.at(s));
        QColor expected = kReviewBlue;
        if (s == clicked) {
            expected = right ? kGreen : kRed;
        } else if (s == correct && clicked >= 0) {
            expected = kGreen;
        }
        QVERIFY2(backColor(w.Option1(s)) == expected, qPrintable(u"slot %1"_s.arg(s)));
    }
    QCOMPARE(checkedSlot(w), clicked);
    QCOMPARE(backColor(w.Picture1()), right ? kGreen : kRed);
    QCOMPARE(w.Text1(0)->text(), *toCp1251(instructions));
    // The box shows one line a row.
    QCOMPARE(w.Text1(0)->toPlainText(), QString(instructions).replace(QLatin1String("\r\n"), "\n"));
    // Phrase mode: the review puts the chosen answer into the question's blank again.
    const QByteArray phraseText =
        phrase == '1' && clicked >= 0 ? "Question 3  " + boxes.at(clicked) + " end" : QByteArray();
    QCOMPARE(w.Text2(6)->text(), phraseText);
    QCOMPARE(shown(w, w.Text2(6)), phrase == '1');
    // The review records the same answer again.
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray::number(clicked));
    QCOMPARE(w.runState().AnsweredCount, clicked >= 0 ? 1 : 0);
}

void TestReview::reviewButtons_data()
{
    QTest::addColumn<char>("explanations");
    QTest::addColumn<bool>("buttons");
    QTest::newRow("flag 1") << '1' << true;
    QTest::newRow("flag 0") << '0' << false;
    QTest::newRow("flag 2") << '2' << false;
    QTest::newRow("flag letter") << 'x' << false;
}

void TestReview::reviewButtons()
{
    QFETCH(char, explanations);
    QFETCH(bool, buttons);
    open(makeContent(threeQuestions('1', explanations)));
    KOVRA_Prazno &w = *m_window;
    QCOMPARE(offFace(w), QString());
    QVERIFY(chooseVerdict(w, 'r'));
    navigate(w, "f");
    evaluate(w);

    QCOMPARE(offFace(w), QString());
    QCOMPARE(shown(w, w.Command2(1)), buttons);
    QCOMPARE(shown(w, w.Command2(2)), buttons);
    QVERIFY(shown(w, w.Command2(0)));
    QVERIFY(!w.Command2(0)->isEnabled());
    QVERIFY(!shown(w, w.Command1(0)));
    QVERIFY(!shown(w, w.Command1(1)));
    QVERIFY(shown(w, w.Shape1(1)));
    QCOMPARE(w.runState().CurrentPos, 0);
    // A second press does nothing: the score line is written once.
    const QByteArray line = w1251("Резултат: 1/3 = 33%");
    QCOMPARE(w.Label1(1)->caption(), line);
    evaluate(w);
    QCOMPARE(w.Label1(1)->caption(), line);
    QCOMPARE(w.runState().CurrentPos, 0);
}

void TestReview::reviewMoves_data()
{
    QTest::addColumn<QString>("presses");
    QTest::addColumn<int>("position");
    QTest::newRow("back at the first position") << "b" << 0;
    QTest::newRow("forward once") << "f" << 1;
    QTest::newRow("forward to the last position") << "ff" << 2;
    QTest::newRow("forward past the last position, no wrap") << "fff" << 2;
    QTest::newRow("back past the first position, no wrap") << "fbb" << 0;
    QTest::newRow("past the end and one back") << "ffffb" << 1;
}

void TestReview::reviewMoves()
{
    QFETCH(QString, presses);
    QFETCH(int, position);
    KOVRA_Prazno &w = *m_window;
    // Position 1, question index 1, answered wrong; the others not at all.
    navigate(w, "f");
    QVERIFY(chooseVerdict(w, 'w'));
    evaluate(w);
    reviewNavigate(w, presses);

    QCOMPARE(w.runState().CurrentPos, position);
    QCOMPARE(w.Text2(0)->text(), questionText(2 - position));
    QCOMPARE(w.shape1Twips(0).width, static_cast<float>(50.0 + position * 10525.0 / 3));
    if (position == 1) {
        QCOMPARE(w.Text1(0)->text(),
                 QByteArray("Explanation 2 line 1\r\nExplanation 2 line 2\r\n"));
        QCOMPARE(backColor(w.Picture1()), kRed);
        QCOMPARE(checkedSlot(w), 1);
    } else {
        QCOMPARE(w.Text1(0)->text(), kNoAnswer);
        QCOMPARE(checkedSlot(w), -1);
    }
}

void TestReview::toto_data()
{
    QTest::addColumn<char>("toto");
    QTest::addColumn<QStringList>("answers"); // by position
    QTest::addColumn<QString>("caption");     // empty: the label stays hidden
    // With the check question there are four questions; step 3 gives the order 3, 2, 1, 0:
    // the check question first, its answers in the order 2134, question 1 last in 1234, so
    // the same choice stands under different slots.
    QTest::newRow("same choice under another slot")
        << '1' << QStringList{"1.1", "3.1", "2.1", "1.1"} << u"Проверка - Да"_s;
    QTest::newRow("same wrong choice under another slot")
        << '1' << QStringList{"1.2", "3.1", "2.1", "1.2"} << u"Проверка - Да"_s;
    QTest::newRow("different choices")
        << '1' << QStringList{"1.1", "3.1", "2.1", "1.2"} << u"Вероятно!"_s;
    QTest::newRow("another position unanswered")
        << '1' << QStringList{"1.1", "", "2.1", "1.1"} << u"Частично!"_s;
    QTest::newRow("check question unanswered")
        << '1' << QStringList{"", "3.1", "2.1", "1.1"} << u"Частично!"_s;
    QTest::newRow("changed to agree: the last choice counts")
        << '1' << QStringList{"1.2|1.1", "3.1", "2.1", "1.1"} << u"Проверка - Да"_s;
    // Without the check question: positions 0, 1, 2 show question indexes 2, 1, 0.
    QTest::newRow("flag 0 hides the label") << '0' << QStringList{"3.1", "2.1", "1.1"} << QString();
    QTest::newRow("flag 2: first and last question compared")
        << '2' << QStringList{"3.1", "2.1", "1.1"} << u"Вероятно!"_s;
    QTest::newRow("flag 2, one unanswered")
        << '2' << QStringList{"3.1", "", "1.1"} << u"Частично!"_s;
}

void TestReview::toto()
{
    QFETCH(char, toto);
    QFETCH(QStringList, answers);
    QFETCH(QString, caption);

    const bool check = toto == '1';
    // Four questions: step 2 divides 4 and is drawn again, then 3.
    open(makeContent(fourChoices(3, toto)),
         check ? startDraws({0, 1}, {0, 0, 0, 6}) : startDraws({0}, firstRows(3)));
    KOVRA_Prazno &w = *m_window;
    QCOMPARE(w.runState().QuestionCount, check ? 4 : 3);
    QVERIFY(answerByText(w, answers));
    evaluate(w);

    QCOMPARE(shown(w, w.Label1(3)), !caption.isEmpty());
    if (!caption.isEmpty()) {
        QCOMPARE(w.Label1(3)->caption(), *toCp1251(caption));
    }
}

void TestReview::checkQuestionReview()
{
    ContentPlan plan = fourChoices(3, '1');
    plan.explanations = '1';
    KOVRA_Danni content = makeContent(plan);
    content.Obqsnenie(1) = TextList{w1251("Първи ред"), w1251("Втори ред")};
    QImage figure(40, 30, QImage::Format_RGB32);
    figure.fill(Qt::blue);
    content.Picture1(1) = figure;
    open(std::move(content), startDraws({0, 1}, {0, 0, 0, 6}));
    KOVRA_Prazno &w = *m_window;
    QVERIFY(answerByText(w, {"1.1", "3.1", "2.1", "1.2"}));
    evaluate(w);

    // Position 0 holds the check question, position 3 question 1 itself.
    const QByteArray lines = w1251("Първи ред\r\nВтори ред\r\n");
    QCOMPARE(w.Text2(0)->text(), questionText(0));
    QCOMPARE(w.Text1(0)->text(), lines);
    QVERIFY(!w.Picture2()->pixmap().isNull());
    QCOMPARE(backColor(w.Picture1()), kGreen);
    reviewNavigate(w, "f");
    QVERIFY(w.Picture2()->pixmap().isNull());
    reviewNavigate(w, "ff");
    QCOMPARE(w.runState().CurrentPos, 3);
    QCOMPARE(w.Text2(0)->text(), questionText(0));
    QCOMPARE(w.Text1(0)->text(), lines);
    QVERIFY(!w.Picture2()->pixmap().isNull());
    QCOMPARE(backColor(w.Picture1()), kRed);
}

void TestReview::optionsLocked_data()
{
    QTest::addColumn<int>("answered"); // slot chosen before the evaluation, -1 for none
    QTest::addColumn<int>("clicked");
    QTest::newRow("another button of an answered position") << 0 << 2;
    QTest::newRow("the chosen button") << 1 << 1;
    QTest::newRow("a button of an unanswered position") << -1 << 3;
}

void TestReview::optionsLocked()
{
    QFETCH(int, answered);
    QFETCH(int, clicked);
    KOVRA_Prazno &w = *m_window;
    if (answered >= 0) {
        chooseSlot(w, answered);
    }
    evaluate(w);
    QList<QColor> colors;
    for (int s = 0; s < 5; ++s) {
        colors << backColor(w.Option1(s));
    }
    const QByteArray verdict = row(w, VerdictList, 0);
    chooseSlot(w, clicked);
    QTest::keyClick(w.Option1(clicked), Qt::Key_Space);

    QCOMPARE(checkedSlot(w), answered);
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray::number(answered));
    QCOMPARE(row(w, VerdictList, 0), verdict);
    QCOMPARE(w.runState().AnsweredCount, answered >= 0 ? 1 : 0);
    for (int s = 0; s < 5; ++s) {
        QCOMPARE(backColor(w.Option1(s)), colors.at(s));
    }
}

void TestReview::about_data()
{
    QTest::addColumn<bool>("review");
    QTest::addColumn<QString>("moves"); // after the two choices of "Автор"
    QTest::addColumn<QString>("after");
    const QString about = u"За повече информация посетете www.kovra.example."_s;
    QTest::newRow("answering, twice") << false << QString() << about;
    QTest::newRow("answering, kept while moving") << false << "fb" << about;
    QTest::newRow("review, twice") << true << QString() << about;
    QTest::newRow("review, until the next move")
        << true << "f" << u"Explanation 2 line 1\r\nExplanation 2 line 2\r\n"_s;
    QTest::newRow("review, a move at the first position rewrites it")
        << true << "b" << u"Няма въведен отговор!"_s;
}

void TestReview::about()
{
    QFETCH(bool, review);
    QFETCH(QString, moves);
    QFETCH(QString, after);
    KOVRA_Prazno &w = *m_window;
    navigate(w, "f");
    QVERIFY(chooseVerdict(w, 'r'));
    navigate(w, "b");
    if (review) {
        evaluate(w);
    }
    for (int i = 0; i < 2; ++i) {
        w.autor()->trigger();
        QCOMPARE(w.Text1(0)->text(), kAbout);
        QCOMPARE(w.Text1(0)->document()->blockCount(), 1);
    }
    if (review) {
        reviewNavigate(w, moves);
    } else {
        navigate(w, moves);
    }
    QCOMPARE(w.Text1(0)->text(), *toCp1251(after));
    QCOMPARE(w.Command2(0)->isEnabled(), !review);
}

void TestReview::exit_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<bool>("systemButton");
    QTest::newRow("menu, before any answer") << "start" << false;
    QTest::newRow("menu, while answering") << "answering" << false;
    QTest::newRow("menu, in review") << "review" << false;
    QTest::newRow("system button, while answering") << "answering" << true;
    QTest::newRow("system button, in review") << "review" << true;
}

void TestReview::exit()
{
    QFETCH(QString, phase);
    QFETCH(bool, systemButton);
    KOVRA_Prazno &w = *m_window;
    if (phase != QLatin1String("start")) {
        QVERIFY(chooseVerdict(w, 'r'));
        navigate(w, "f");
    }
    if (phase == QLatin1String("review")) {
        evaluate(w);
    }
    QVERIFY(w.content() != nullptr);

    // Exit comes while a loop runs inside the program's own event loop: both end with 0, and
    // not because the last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    const auto restore = qScopeGuard([] { QApplication::setQuitOnLastWindowClosed(true); });
    int inner = -2;
    QTimer::singleShot(0, &w, [&w, &inner, systemButton] {
        QTimer::singleShot(0, &w, [&w, systemButton] {
            if (systemButton) {
                w.windowHandle()->close();
            } else {
                w.izhod(0)->trigger();
            }
        });
        QEventLoop loop;
        inner = loop.exec();
    });
    // Loops that Exit fails to end are ended after a while with another code.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(inner, 0);
    QVERIFY(w.content() == nullptr);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestReview)
#include "test_review.moc"
