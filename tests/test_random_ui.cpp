// SPDX-License-Identifier: GPL-3.0-or-later
// Random use of the window: for many seeds, a content set of varying shape, a run drawn from
// fixed or seeded draws, and a stream of clicks, keys and menu choices. After every event the
// run state and the screen are checked against the content the window was given.
//
// KOVRA_RANDOM_SEEDS sets how many seeds run (1 to that number), KOVRA_RANDOM_SEED runs one
// seed only, KOVRA_RANDOM_EVENTS the number of events per seed; KOVRA_RANDOM_TRACE prints
// every event. A failure names its seed and the events that led to it.

#include "window_driver.h"

#include <QAction>
#include <QElapsedTimer>
#include <algorithm>
#include <deque>
#include <random>

using namespace kovra;
using namespace kovra::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// Twips: 50 short of the right edge of "Назад" (left 9000, width 1575).
constexpr float kBarEnd = 10525.0F;

int environmentCount(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// One seed's set-up: the shape of the content, the draws of the start-up and the events.
struct Scenario
{
    unsigned seed = 0;
    ContentPlan plan;
    bool fixedDraws = false;
    std::vector<float> draws;
    int events = 0;
    int evaluateAt = 0;
};

Scenario makeScenario(unsigned seed, int events, std::mt19937 &rng)
{
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    Scenario s;
    s.seed = seed;
    // The check flag: mostly off or on; now and then a digit above 1, which shows the Toto
    // label without adding a check question.
    const int toto = pick(0, 9);
    s.plan.toto = toto < 4 ? '0' : toto < 9 ? '1' : '7';
    s.plan.phrase = pick(0, 1) != 0 ? '1' : '0';
    s.plan.description = pick(0, 3) != 0 ? '1' : '0';
    s.plan.explanations = pick(0, 3) != 0 ? '1' : '0';
    const bool check = s.plan.toto == '1';
    const int least = check ? 2 : 3;
    const int most = check ? 28 : 29;
    // Mostly short runs, which the events cover again and again; now and then a long one.
    const int questions = pick(0, 7) == 0 ? pick(least, most) : pick(least, 8);
    for (int k = 0; k < questions; ++k) {
        s.plan.choices.push_back(pick(2, 5));
    }
    s.fixedDraws = pick(0, 1) != 0;
    if (s.fixedDraws) {
        // Values at the rounding edges of both draws among ordinary ones; enough of them for
        // every redraw of the step that is at all likely.
        static const float kEdges[] = {0.0F,  0.00049F, 0.0005F, 0.0015F,    0.05F,
                                       0.15F, 0.95F,    0.9995F, 0.99999994F};
        std::uniform_real_distribution<float> uniform(0.0F, 1.0F);
        for (int i = 0; i < 200 + questions; ++i) {
            s.draws.push_back(pick(0, 3) == 0
                                  ? kEdges[pick(0, static_cast<int>(std::size(kEdges)) - 1)]
                                  : std::min(uniform(rng), 0.99999994F));
        }
    }
    s.events = events;
    // Now and then right at the start; mostly with room for answers before and moves after.
    s.evaluateAt = pick(0, 9) == 0 ? 1 : pick(2, std::max(2, events * 4 / 5));
    return s;
}

QString describeScenario(const Scenario &s)
{
    QStringList choices;
    for (const int c : s.plan.choices) {
        choices << QString::number(c);
    }
    return QStringLiteral("%1 questions (choices %2), phrase %3, check %4, description %5, "
                          "explanations %6, %7, evaluation at event %8")
        .arg(s.plan.choices.size())
        .arg(choices.join(QLatin1Char(',')))
        .arg(QLatin1Char(s.plan.phrase))
        .arg(QLatin1Char(s.plan.toto))
        .arg(QLatin1Char(s.plan.description))
        .arg(QLatin1Char(s.plan.explanations))
        .arg(s.fixedDraws ? u"fixed draws"_s : u"seeded draws"_s)
        .arg(s.evaluateAt);
}

int flagOf(char digit)
{
    return digit - '0';
}

// What the test knows of the run from the content it built, not from the window.
class Expected
{
public:
    Expected(const KOVRA_Danni &content, const ContentPlan &plan)
        : m_content(content), m_plan(plan), m_questions(static_cast<int>(plan.choices.size())),
          m_check(plan.toto == '1')
    {}

    [[nodiscard]] int runLength() const { return m_questions + (m_check ? 1 : 0); }
    // The check question is question index 0 asked again.
    [[nodiscard]] int source(int q) const { return q == m_questions ? 0 : q; }
    [[nodiscard]] const TextList &question(int q) const { return m_content.List1(source(q) + 1); }
    [[nodiscard]] int choices(int q) const { return question(q).listCount() - 1; }
    [[nodiscard]] const QByteArray &key(int q) const { return m_content.List1(0).list(source(q)); }
    [[nodiscard]] const ContentPlan &plan() const { return m_plan; }

    // The text shown in a slot, from the question's answer-order string.
    [[nodiscard]] QByteArray slotText(int q, const QByteArray &order, int slot) const
    {
        return question(q).list(order.at(slot) - '0');
    }

    // The question text with the chosen answer in its blank: the builder's texts read
    // "Question k ___ end", and the blank's trailing space is dropped.
    [[nodiscard]] QByteArray phrase(int q, const QByteArray &answer) const
    {
        return "Question " + QByteArray::number(source(q) + 1) + "  " + answer + " end";
    }

private:
    KOVRA_Danni m_content;
    ContentPlan m_plan;
    int m_questions;
    bool m_check;
};

// What the test keeps between events.
struct Tracking
{
    bool reviewing = false;
    QByteArray instructions;
    QByteArray text1;               // Text1(0) after the previous event
    std::vector<bool> shown;        // positions displayed at least once while answering
    QList<QByteArray> chosenAtEval; // List2(0) when the evaluation ran
    QList<QByteArray> verdictAtEval;
    int answeredAtEval = 0;
    QByteArray score;
    QByteArray toto;
    std::deque<QString> log; // the latest events, for the failure report
};

enum class EventKind
{
    Other,
    About,
    ReviewButton
};

struct Totals
{
    int seeds = 0;
    long events = 0;
    long answers = 0;
    long reviewMoves = 0;
    int evaluations = 0;
    int complete = 0; // evaluations with every position answered
};

QByteArray aboutLine()
{
    return w1251("За повече информация посетете ") + kWebAddress + '.';
}

QByteArray reviewText(const KOVRA_Prazno &w, int p)
{
    const RunState &s = w.runState();
    const QByteArray &verdict = s.List2(VerdictList).list(p);
    if (verdict == "-1") {
        return w1251("Няма въведен отговор!");
    }
    QByteArray text;
    if (w.content()->flag(DescriptionRow) > 0) {
        const int q = s.List2(QuestionOrderList).list(p).toInt();
        for (const QByteArray &row : w.content()->Obqsnenie(q + 1).rows()) {
            text += row + "\r\n";
        }
    }
    return text;
}

// Checks the whole run state and screen; failures are reported through QtTest.
void checkWindow(const KOVRA_Prazno &w, const Expected &e, Tracking &t, EventKind event)
{
    const RunState &s = w.runState();
    const int n = e.runLength();
    QCOMPARE(int(s.QuestionCount), n);
    for (int list = ChosenSlotList; list <= CorrectSlotList; ++list) {
        QVERIFY2(s.List2(list).listCount() == n, qPrintable(u"List2(%1)"_s.arg(list)));
    }
    QCOMPARE(s.List2(CheckPairList).listCount(), 2);
    QVERIFY(s.CurrentPos >= 0 && s.CurrentPos < n);

    // The question order: a permutation ending in the content's first question.
    std::vector<int> order;
    for (const QByteArray &row : s.List2(QuestionOrderList).rows()) {
        order.push_back(row.toInt());
    }
    QCOMPARE(order.back(), 0);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < n; ++i) {
        QVERIFY2(sorted[i] == i, "the question order is not a permutation");
    }

    const bool reviewing = !w.Command2(0)->isEnabled();
    const bool entered = reviewing && !t.reviewing;
    if (entered) {
        // The evaluation itself changed no answer, counted the right ones and showed position 0.
        QCOMPARE(int(s.CurrentPos), 0);
        QCOMPARE(rowsOf(s.List2(ChosenSlotList)), t.chosenAtEval);
        QCOMPARE(rowsOf(s.List2(VerdictList)), t.verdictAtEval);
        const auto right =
            static_cast<int>(std::count(t.verdictAtEval.begin(), t.verdictAtEval.end(), "1"));
        t.score = w1251("Резултат: ") + QByteArray::number(right) + '/' + QByteArray::number(n) +
                  " = " + QByteArray::number(right * 100 / n) + '%';
        const QByteArray &first = s.List2(CheckPairList).list(0);
        const QByteArray &last = s.List2(CheckPairList).list(1);
        t.toto = w1251(s.AnsweredCount < n ? "Частично!"
                       : first == last     ? "Проверка - Да"
                                           : "Вероятно!");
        t.answeredAtEval = s.AnsweredCount;
    }
    QVERIFY2(reviewing || !t.reviewing, "the window left review mode");
    t.reviewing = reviewing;
    if (!reviewing) {
        t.chosenAtEval = rowsOf(s.List2(ChosenSlotList));
        t.verdictAtEval = rowsOf(s.List2(VerdictList));
    } else {
        QCOMPARE(rowsOf(s.List2(ChosenSlotList)), t.chosenAtEval);
        QCOMPARE(rowsOf(s.List2(VerdictList)), t.verdictAtEval);
        QCOMPARE(int(s.AnsweredCount), t.answeredAtEval);
        QCOMPARE(w.Label1(1)->caption(), t.score);
        QCOMPARE(w.Label1(3)->caption(), t.toto);
    }
    // Only the answering display records where the key stands; the review reads it.
    if (!reviewing) {
        t.shown[s.CurrentPos] = true;
    }

    // Every position: answered exactly when it has a verdict, the chosen slot among the
    // question's choices, the verdict from the chosen text, the correct slot once shown.
    int answered = 0;
    int zeroAt = -1;
    int lastAt = -1;
    for (int p = 0; p < n; ++p) {
        const int q = order[p];
        zeroAt = q == 0 ? p : zeroAt;
        lastAt = q == n - 1 ? p : lastAt;
        const int k = e.choices(q);
        const QByteArray &answerOrder = s.List2(AnswerOrderList).list(q);
        QByteArray digits = answerOrder;
        std::sort(digits.begin(), digits.end());
        QCOMPARE(digits, QByteArray("12345").left(k));
        const QByteArray &chosen = s.List2(ChosenSlotList).list(p);
        const QByteArray &verdict = s.List2(VerdictList).list(p);
        int keySlot = -1;
        for (int slot = 0; slot < k; ++slot) {
            if (e.slotText(q, answerOrder, slot) == e.key(q)) {
                keySlot = slot;
            }
        }
        const QByteArray &correct = s.List2(CorrectSlotList).list(p);
        QCOMPARE(correct, t.shown[p] ? QByteArray::number(keySlot) : QByteArray("-1"));
        if (verdict == "-1") {
            QCOMPARE(chosen, QByteArray("-1"));
            continue;
        }
        ++answered;
        const int slot = chosen.toInt();
        QVERIFY2(chosen == QByteArray::number(slot) && slot >= 0 && slot < k,
                 qPrintable(u"position %1: slot %2 of %3 choices"_s.arg(p)
                                .arg(QString::fromLatin1(chosen))
                                .arg(k)));
        QCOMPARE(verdict, QByteArray(e.slotText(q, answerOrder, slot) == e.key(q) ? "1" : "0"));
    }
    QCOMPARE(int(s.AnsweredCount), answered);

    // The check pair holds the answers chosen for question index 0 and N-1.
    const auto chosenText = [&](int p, const char *none) {
        const QByteArray &chosen = s.List2(ChosenSlotList).list(p);
        return chosen == "-1"
                   ? QByteArray(none)
                   : e.slotText(order[p], s.List2(AnswerOrderList).list(order[p]), chosen.toInt());
    };
    QCOMPARE(s.List2(CheckPairList).list(0), chosenText(zeroAt, "Pyrwi"));
    QCOMPARE(s.List2(CheckPairList).list(1), chosenText(lastAt, "Posleden"));

    // The question on screen, its choices in their slots, and nothing of other slots.
    const int p = s.CurrentPos;
    const int q = order[p];
    const int k = e.choices(q);
    const QByteArray &answerOrder = s.List2(AnswerOrderList).list(q);
    const QByteArray &chosen = s.List2(ChosenSlotList).list(p);
    const QByteArray &verdict = s.List2(VerdictList).list(p);
    QCOMPARE(w.Text2(0)->text(), e.question(q).list(0));
    int boxes = 0;
    int options = 0;
    for (int slot = 0; slot < 5; ++slot) {
        boxes += w.Text2(slot + 1)->isVisible() ? 1 : 0;
        options += w.Option1(slot)->isVisible() ? 1 : 0;
        QCOMPARE(w.Option1(slot)->isVisible(), slot < k);
        QCOMPARE(w.Option1(slot)->isEnabled(), !reviewing);
        QCOMPARE(w.Option1(slot)->isChecked(), chosen == QByteArray::number(slot));
        if (slot < k) {
            QCOMPARE(w.Text2(slot + 1)->text(), e.slotText(q, answerOrder, slot));
        }
    }
    QCOMPARE(boxes, k);
    QCOMPARE(options, k);

    // The indicator: answered in answering mode, right in review.
    const bool green = reviewing ? verdict == "1" : verdict != "-1";
    QCOMPARE(backColor(w.Picture1()), green ? kGreen : kRed);

    // The option marks: none while answering; in review the chosen slot by its verdict and
    // the slot of the key in green.
    for (int slot = 0; slot < k; ++slot) {
        QColor mark = kGreen;
        if (reviewing) {
            const bool isChosen = chosen == QByteArray::number(slot);
            const bool isKey = verdict != "-1" && s.List2(CorrectSlotList).list(p).toInt() == slot;
            mark = isChosen ? (verdict == "1" ? kGreen : kRed) : isKey ? kGreen : kReviewBlue;
        }
        QCOMPARE(backColor(w.Option1(slot)), mark);
    }

    // The phrase box: hidden unless phrase mode; the phrase of the chosen answer, if any.
    const bool phraseMode = e.plan().phrase == '1';
    QCOMPARE(w.Text2(6)->isVisible(), phraseMode);
    if (phraseMode) {
        QCOMPARE(w.Text2(6)->text(),
                 verdict == "-1" ? QByteArray("") : e.phrase(q, chosenText(p, "")));
    }

    // The bars: none negative, the first of a pair at least 50, the pair meeting.
    for (int i = 0; i < 2; ++i) {
        for (const Twips *bar : {&w.shape1Twips(i), &w.shape2Twips(i)}) {
            QVERIFY2(bar->width >= 0, qPrintable(u"bar width %1"_s.arg(bar->width)));
        }
        QVERIFY(w.Shape1(i)->width() >= 0 && w.Shape2(i)->width() >= 0);
    }
    for (const Twips *first : {&w.shape1Twips(0), &w.shape2Twips(0)}) {
        const Twips *second = first == &w.shape1Twips(0) ? &w.shape1Twips(1) : &w.shape2Twips(1);
        QVERIFY(first->width >= 50);
        QCOMPARE(second->left, first->left + first->width);
        QVERIFY(second->left + second->width <= kBarEnd + 0.01F);
    }
    QCOMPARE(w.Label1(2)->caption(), w1251("Въведени отговори: ") +
                                         QByteArray::number(int(s.AnsweredCount)) + '/' +
                                         QByteArray::number(n));

    // The buttons of each mode.
    QCOMPARE(w.Command1(0)->isVisible(), !reviewing);
    QCOMPARE(w.Command1(1)->isVisible(), !reviewing);
    const bool reviewButtons = reviewing && e.plan().explanations == '1';
    QCOMPARE(w.Command2(1)->isVisible(), reviewButtons);
    QCOMPARE(w.Command2(2)->isVisible(), reviewButtons);
    QCOMPARE(w.Label1(3)->isVisible(), reviewing && flagOf(e.plan().toto) > 0);

    // The instructions box: the About line right after "Автор"; in answering mode nothing else
    // writes it; each review display writes the explanation or the note of no answer.
    const QByteArray &text1 = w.Text1(0)->text();
    if (event == EventKind::About) {
        QCOMPARE(text1, aboutLine());
    } else if (!reviewing) {
        QCOMPARE(text1, t.text1);
    } else if (entered || event == EventKind::ReviewButton) {
        QCOMPARE(text1, reviewText(w, p));
    } else if (text1 != t.text1) {
        QCOMPARE(text1, reviewText(w, p));
    }
    t.text1 = text1;
}

// One of the widgets at random, or null when there is none.
template <typename T> T *oneOf(const std::vector<T *> &widgets, std::mt19937 &rng)
{
    return widgets.empty()
               ? nullptr
               : widgets[std::uniform_int_distribution<std::size_t>(0, widgets.size() - 1)(rng)];
}

QPushButton *anyButton(const KOVRA_Prazno &w, std::mt19937 &rng, bool evaluate)
{
    std::vector<QPushButton *> buttons;
    for (QPushButton *b : {w.Command1(0), w.Command1(1), w.Command2(1), w.Command2(2)}) {
        if (b->isVisible() && b->isEnabled()) {
            buttons.push_back(b);
        }
    }
    // The evaluation button only when its moment has come, or once it is greyed out.
    if (evaluate || !w.Command2(0)->isEnabled()) {
        buttons.push_back(w.Command2(0));
    }
    return oneOf(buttons, rng);
}

// A shown option button; disabled ones too, to try them in review.
QRadioButton *anyOption(const KOVRA_Prazno &w, std::mt19937 &rng)
{
    std::vector<QRadioButton *> options;
    for (int slot = 0; slot < 5; ++slot) {
        if (w.Option1(slot)->isVisible()) {
            options.push_back(w.Option1(slot));
        }
    }
    return oneOf(options, rng);
}

QString nameOf(const QObject *object)
{
    return object != nullptr ? object->objectName() : u"(none)"_s;
}

} // namespace

class TestRandomUi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void randomRuns();

private:
    void runSeed(const Scenario &scenario, Totals &totals);
};

namespace {

QtMessageHandler previousHandler = nullptr;

// The headless platform says at every window shown that it cannot pass on size hints; one new
// window per seed would bury the report in that line.
void dropSizeHintNotice(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.contains(QLatin1String("propagateSizeHints"))) {
        return;
    }
    previousHandler(type, context, text);
}

} // namespace

void TestRandomUi::initTestCase()
{
    previousHandler = qInstallMessageHandler(dropSizeHintNotice);
}

void TestRandomUi::cleanupTestCase()
{
    qInstallMessageHandler(previousHandler);
}

void TestRandomUi::runSeed(const Scenario &sc, Totals &totals)
{
    std::mt19937 rng(sc.seed * 2654435761U + 1U);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    const KOVRA_Danni content = makeContent(sc.plan);
    const Expected expected(content, sc.plan);
    std::unique_ptr<RandomSource> random;
    if (sc.fixedDraws) {
        random = std::make_unique<FixedDraws>(sc.draws);
    } else {
        random = std::make_unique<ClockRandom>(sc.seed);
    }
    KOVRA_Prazno window(std::move(random));
    window.load(content);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const bool trace = qEnvironmentVariableIsSet("KOVRA_RANDOM_TRACE");
    Tracking t;
    t.instructions = window.Text1(0)->text();
    t.text1 = t.instructions;
    t.shown.assign(static_cast<std::size_t>(expected.runLength()), false);
    const auto report = [&](const QString &event, int index) {
        qWarning().noquote() << QStringLiteral("seed %1 failed after event %2 (%3); replay "
                                               "with KOVRA_RANDOM_SEED=%1")
                                    .arg(sc.seed)
                                    .arg(index)
                                    .arg(event);
        qWarning().noquote() << "  content:" << describeScenario(sc);
        for (const QString &line : t.log) {
            qWarning().noquote() << "  " << line;
        }
    };

    checkWindow(window, expected, t, EventKind::Other);
    if (QTest::currentTestFailed()) {
        report(u"start-up"_s, 0);
        return;
    }

    static const Qt::Key kOptionKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                          Qt::Key_Space};
    static const Qt::Key kWindowKeys[] = {
        Qt::Key_1,   Qt::Key_2,       Qt::Key_3,     Qt::Key_4,        Qt::Key_5,
        Qt::Key_A,   Qt::Key_C,       Qt::Key_E,     Qt::Key_PageDown, Qt::Key_PageUp,
        Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Return};
    // A key to the focused widget, or to the window when none has the focus.
    const auto pressKey = [&window](Qt::Key key) {
        QWidget *target = QApplication::focusWidget();
        if (target == nullptr) {
            target = &window;
        }
        const QString event = u"key %1 on %2"_s.arg(QKeySequence(key).toString(), nameOf(target));
        QTest::keyClick(target, key);
        return event;
    };
    for (int i = 1; i <= sc.events; ++i) {
        EventKind kind = EventKind::Other;
        QString event;
        const std::int16_t before = window.runState().AnsweredCount;
        const bool reviewingBefore = !window.Command2(0)->isEnabled();
        const int roll = i == sc.evaluateAt ? -1 : pick(0, 99);
        if (roll < 0) {
            event = u"click Command2_0 (evaluation)"_s;
            evaluate(window);
        } else if (roll < 35) {
            if (QRadioButton *option = anyOption(window, rng)) {
                event = u"click "_s + option->objectName();
                click(option);
            }
        } else if (roll < 60) {
            if (QPushButton *button = anyButton(window, rng, false)) {
                event = u"click "_s + button->objectName();
                if (button->isEnabled() &&
                    button->objectName().startsWith(QLatin1String("Command2"))) {
                    kind = EventKind::ReviewButton;
                }
                click(button);
            }
        } else if (roll < 85) {
            // Within the option group: focus one of its buttons now and then, then move.
            QWidget *focus = QApplication::focusWidget();
            if (qobject_cast<QRadioButton *>(focus) == nullptr || pick(0, 2) == 0) {
                QRadioButton *option = anyOption(window, rng);
                if (option != nullptr && option->isEnabled()) {
                    option->setFocus(Qt::TabFocusReason);
                }
            }
            event = pressKey(kOptionKeys[pick(0, static_cast<int>(std::size(kOptionKeys)) - 1)]);
        } else if (roll < 96) {
            event = pressKey(kWindowKeys[pick(0, static_cast<int>(std::size(kWindowKeys)) - 1)]);
        } else {
            event = u"menu Автор"_s;
            kind = EventKind::About;
            window.autor()->trigger();
        }
        if (event.isEmpty()) {
            continue;
        }
        ++totals.events;
        t.log.push_back(u"%1: %2 -> position %3, answered %4"_s.arg(i)
                            .arg(event)
                            .arg(window.runState().CurrentPos)
                            .arg(window.runState().AnsweredCount));
        if (trace) {
            qInfo().noquote() << t.log.back();
        }
        if (t.log.size() > 25) {
            t.log.pop_front();
        }
        const bool reviewingAfter = !window.Command2(0)->isEnabled();
        if (reviewingBefore && reviewingAfter && kind == EventKind::Other &&
            window.Text1(0)->text() != t.text1) {
            // A key acted as a review button (Page Down, or Space on a focused one).
            kind = EventKind::ReviewButton;
        }
        totals.answers += window.runState().AnsweredCount > before ? 1 : 0;
        totals.reviewMoves += reviewingBefore && kind == EventKind::ReviewButton ? 1 : 0;
        if (reviewingAfter && !reviewingBefore) {
            ++totals.evaluations;
            totals.complete += window.runState().AnsweredCount == expected.runLength() ? 1 : 0;
        }
        checkWindow(window, expected, t, kind);
        if (QTest::currentTestFailed()) {
            report(event, i);
            return;
        }
    }
    QVERIFY2(t.reviewing, qPrintable(QStringLiteral("seed %1 never reached the review; replay "
                                                    "with KOVRA_RANDOM_SEED=%1")
                                         .arg(sc.seed)));
}

void TestRandomUi::randomRuns()
{
    const int events = environmentCount("KOVRA_RANDOM_EVENTS", 250);
    std::vector<unsigned> seeds;
    bool single = false;
    const unsigned only = qEnvironmentVariable("KOVRA_RANDOM_SEED").toUInt(&single);
    if (single) {
        seeds.push_back(only);
    } else {
        const int count = environmentCount("KOVRA_RANDOM_SEEDS", 200);
        for (int i = 1; i <= count; ++i) {
            seeds.push_back(static_cast<unsigned>(i));
        }
    }
    Totals totals;
    QElapsedTimer timer;
    timer.start();
    for (const unsigned seed : seeds) {
        std::mt19937 rng(seed);
        const Scenario scenario = makeScenario(seed, events, rng);
        runSeed(scenario, totals);
        if (QTest::currentTestFailed()) {
            return;
        }
        ++totals.seeds;
    }
    qInfo().noquote() << QStringLiteral(
                             "%1 seeds, %2 events (%3 first answers, %4 evaluations, %5 of "
                             "them complete, %6 review moves) in %7 ms")
                             .arg(totals.seeds)
                             .arg(totals.events)
                             .arg(totals.answers)
                             .arg(totals.evaluations)
                             .arg(totals.complete)
                             .arg(totals.reviewMoves)
                             .arg(timer.elapsed());
}

QTEST_MAIN(TestRandomUi)
#include "test_random_ui.moc"
