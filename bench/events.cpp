// SPDX-License-Identifier: GPL-3.0-or-later
// Event handling through the real window. Every user action is a mouse click on the real
// KOVRA_Prazno followed by the delivery of the events it posted, among them the update that
// repaints the widgets the action changed into the window's backing store: the work the
// window does for the action, up to the moment its new look is on the backing store. The
// floor is a repaint of the whole window, every widget of it, with no action before it, as an
// expose of the window does. A floor sample is taken right before every action sample, so
// that both meet the same load. Each action is also timed with a repaint of the whole window
// after it ("with full repaint"), for comparison.
//
// The content is the built-in set with the explanations setting turned on, so that the
// review buttons are shown. Every action is checked to have done its work and to have
// repainted the window.
//
// Usage: kovra-bench-events [rounds] [FILE] (6 rounds by default; with a test file, its
// "Напред" and "Назад" alone, each round on a fresh window). With KOVRA_BENCH_RESULTS set to a
// folder, every window keeps a result file there as the player does for a test that asks for
// results: written at the start and after every answer (the final message box left out). Prints the
// figures and PASS or MISS against the target (each action's median at most 2 x the floor's
// median); exits 1 on a MISS.

#include "content/danni.h"
#include "content/loader.h"
#include "content/player_set.h"
#include "content/test_content.h"
#include "results/recorder.h"
#include "results/seal.h"
#include "run/random.h"
#include "run/run_state.h"
#include "testfile/testfile.h"
#include "ui/kind_panel.h"
#include "ui/kovra_prazno.h"
#include "ui/look.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace kovra;

namespace {

constexpr double kActionTarget = 2.0;

struct Group
{
    const char *name;
    std::vector<double> ms;
    std::vector<double> withFull; // the action and a repaint of the whole window after it
};

// Counts the paint events delivered while it lives.
class PaintCounter : public QObject
{
public:
    PaintCounter() { QCoreApplication::instance()->installEventFilter(this); }
    ~PaintCounter() override { QCoreApplication::instance()->removeEventFilter(this); }
    PaintCounter(const PaintCounter &) = delete;
    PaintCounter &operator=(const PaintCounter &) = delete;
    [[nodiscard]] int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        m_paints += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }

private:
    int m_paints = 0;
};

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "kovra-bench-events: %s\n", what);
    std::exit(2);
}

void expect(bool condition, const char *what)
{
    if (!condition) {
        fail(what);
    }
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values.at(std::max<std::size_t>(rank, 1) - 1);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

class Bench
{
public:
    // With `navigationOnly`, only "Напред" and "Назад" are measured, each round on a fresh
    // window, so that every round shows each question's figure for the first time too.
    Bench(KOVRA_Danni content, bool navigationOnly, std::optional<Test> test = std::nullopt)
        : m_content(std::move(content)), m_test(std::move(test)), m_navigationOnly(navigationOnly)
    {}

    // The floor paints every visible widget of the window.
    static void checkFloorPaintsAll(KOVRA_Prazno &window)
    {
        int visible = 1;
        for (const QWidget *w : window.findChildren<QWidget *>()) {
            visible += w->isVisible() ? 1 : 0;
        }
        const PaintCounter counter;
        repaintWhole(window);
        expect(counter.paints() >= visible, "the floor does not repaint the whole window");
    }

    std::unique_ptr<KOVRA_Prazno> openWindow()
    {
        auto window = std::make_unique<KOVRA_Prazno>(std::make_unique<ClockRandom>(m_seed++));
        window->load(m_content, m_test);
        keepResults(*window);
        window->show();
        expect(QTest::qWaitForWindowExposed(window.get()), "the window was not exposed");
        for (int i = 0; i < 3; ++i) {
            repaintWhole(*window);
        }
        return window;
    }

    // An action, with a floor sample of the same window right before it. The first sample of
    // each kind checks that the action repainted the window within its time.
    void measure(KOVRA_Prazno &window, Group &group, const std::function<void()> &action)
    {
        m_timer.start();
        repaintWhole(window);
        m_floor.ms.push_back(elapsedMs());
        std::optional<PaintCounter> counter;
        if (group.ms.empty()) {
            counter.emplace();
        }
        m_timer.start();
        action();
        QCoreApplication::sendPostedEvents();
        group.ms.push_back(elapsedMs());
        if (counter) {
            expect(counter->paints() > 0, "the action did not repaint the window");
            counter.reset();
        }
        repaintWhole(window);
        group.withFull.push_back(elapsedMs());
    }

    static void click(QAbstractButton *button)
    {
        expect(button->isVisible() && button->isEnabled(), "a button to click is not available");
        // An option button or a check box takes the click on its indicator, a push button
        // anywhere.
        const QPoint at = qobject_cast<QRadioButton *>(button) != nullptr ||
                                  qobject_cast<QCheckBox *>(button) != nullptr
                              ? QPoint(button->height() / 2, button->height() / 2)
                              : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
    }

    static int choicesShown(const KOVRA_Prazno &window)
    {
        int k = 0;
        while (k < 5 && window.Option1(k)->isVisible()) {
            ++k;
        }
        return k;
    }

    // As src/ui/player.cpp connects the window to its result file.
    void keepResults(KOVRA_Prazno &window) const
    {
        if (m_resultsFolder.isEmpty()) {
            return;
        }
        TestIdentity identity = identifyTest(testOf(m_content), {});
        // A test for marks: every write sealed to the teacher's public key.
        if (qEnvironmentVariableIsSet("KOVRA_BENCH_SEALED")) {
            const std::optional<SealKeys> keys = makeSealKeys();
            expect(keys.has_value(), "no keys for the seal");
            identity.publicKey = keys->publicKey;
        }
        auto *recorder = new ResultRecorder(
            std::move(identity), Pupil{QStringLiteral("Bench"), QStringLiteral("1")}, &window);
        expect(
            !recorder->start(m_resultsFolder, m_resultsFolder, *window.content(), window.runState())
                 .path.isEmpty(),
            "the result file was not written");
        QObject::connect(&window, &KOVRA_Prazno::answered, recorder, [&window, recorder] {
            recorder->answered(*window.content(), window.runState());
        });
        QObject::connect(&window, &KOVRA_Prazno::evaluated, recorder, [&window, recorder] {
            recorder->evaluated(*window.content(), window.runState());
        });
    }

    void run(int rounds)
    {
        navigation(rounds);
        if (m_test) {
            kinds(rounds);
            return;
        }
        if (!m_navigationOnly) {
            options(rounds);
            evaluation(rounds);
        }
    }

    void print() const;
    [[nodiscard]] bool allPass() const;

private:
    double elapsedMs() const { return static_cast<double>(m_timer.nsecsElapsed()) / 1e6; }

    // Every widget of the window painted again into its backing store, as an expose does.
    static void repaintWhole(QWidget &window)
    {
        window.update();
        for (QWidget *w : window.findChildren<QWidget *>()) {
            w->update();
        }
        QCoreApplication::sendPostedEvents();
    }

    void navigation(int rounds)
    {
        auto window = openWindow();
        checkFloorPaintsAll(*window);
        const int n = window->runState().QuestionCount;
        for (int round = 0; round < rounds; ++round) {
            if (m_navigationOnly && round > 0) {
                window = openWindow();
            }
            for (int p = 0; p < n - 1; ++p) {
                measure(*window, m_forward, [&] { click(window->Command1(0)); });
                expect(window->runState().CurrentPos == p + 1, "Напред did not move");
            }
            for (int p = n - 1; p > 0; --p) {
                measure(*window, m_back, [&] { click(window->Command1(1)); });
                expect(window->runState().CurrentPos == p - 1, "Назад did not move");
            }
        }
    }

    void options(int rounds)
    {
        for (int round = 0; round < (rounds + 1) / 2; ++round) {
            const auto window = openWindow();
            const int n = window->runState().QuestionCount;
            for (int p = 0; p < n; ++p) {
                const int k = choicesShown(*window);
                for (int s = 0; s < k; ++s) {
                    measure(*window, m_option, [&] { click(window->Option1(s)); });
                    expect(window->Option1(s)->isChecked() && window->runState().ClickedOption == s,
                           "the option click was not recorded");
                }
                click(window->Command1(0));
            }
        }
    }

    void evaluation(int rounds)
    {
        for (int round = 0; round < 4 * rounds; ++round) {
            const auto window = openWindow();
            const int n = window->runState().QuestionCount;
            // Answers at every position but the last, with both right and wrong ones.
            for (int p = 0; p < n - 1; ++p) {
                click(window->Option1((p + round) % choicesShown(*window)));
                click(window->Command1(0));
            }
            // A pupil takes seconds over the last question: the result file of the answers is
            // written by then, and its thread takes no time from the evaluation.
            if (auto *recorder = window->findChild<ResultRecorder *>()) {
                recorder->finishWrites();
            }
            measure(*window, m_evaluate, [&] { click(window->Command2(0)); });
            expect(!window->Command2(0)->isEnabled() && window->runState().CurrentPos == 0,
                   "the evaluation did not run");
            for (int p = 0; p < n - 1; ++p) {
                measure(*window, m_reviewForward, [&] { click(window->Command2(1)); });
                expect(window->runState().CurrentPos == p + 1, "the review did not move forward");
            }
            for (int p = n - 1; p > 0; --p) {
                measure(*window, m_reviewBack, [&] { click(window->Command2(2)); });
                expect(window->runState().CurrentPos == p - 1, "the review did not move back");
            }
        }
    }

    // A tick, a keystroke on the line of a typed answer and of a number, a pick of an item's
    // answer, at each question of its kind in turn.
    void kinds(int rounds)
    {
        for (int round = 0; round < rounds; ++round) {
            const auto window = openWindow();
            const int n = window->runState().QuestionCount;
            for (int p = 0; p < n; ++p) {
                const Question *question = window->kindAt(window->runState().questionAt(p));
                expect(question != nullptr, "a question of single choice in the kinds' test");
                KindPanel *panel = window->kindPanel();
                if (question->kind == QuestionKind::Several && question->choices.size() > 5) {
                    QTest::qWait(0); // the panel's boxes laid out, as a pupil sees them
                    for (int c = 0; c < panel->ticks(); ++c) {
                        measure(*window, m_tick, [&] { click(panel->tick(c)); });
                    }
                } else if (question->kind == QuestionKind::Several) {
                    for (int s = 0; s < question->choices.size(); ++s) {
                        measure(*window, m_tick, [&] { click(window->Tick(s)); });
                    }
                } else if (question->kind == QuestionKind::Matching) {
                    for (int i = 0; i < panel->items(); ++i) {
                        measure(*window, m_pick, [&] {
                            panel->pick(i)->setCurrentIndex(1 + (i + round) % 3);
                            Q_EMIT panel->pick(i)->activated(panel->pick(i)->currentIndex());
                        });
                    }
                } else {
                    Group &group = question->kind == QuestionKind::Number ? m_numberKey : m_key;
                    for (const QChar ch : QStringLiteral("3,14 Пар")) {
                        measure(*window, group, [&] {
                            QTest::sendKeyEvent(QTest::Click, panel->line(), Qt::Key_unknown,
                                                QString(ch), Qt::NoModifier);
                        });
                    }
                }
                expect(!window->responseAt(p).isEmpty(), "the answer was not taken");
                click(window->Command1(0));
            }
        }
    }

    KOVRA_Danni m_content;
    std::optional<Test> m_test; // a test of the kinds but single choice
    bool m_navigationOnly = false;
    QString m_resultsFolder = qEnvironmentVariable("KOVRA_BENCH_RESULTS");
    unsigned m_seed = 20240601;
    QElapsedTimer m_timer;
    Group m_floor{"repaint of the whole window (the floor)", {}, {}};
    Group m_forward{"Command1(0) Напред", {}, {}};
    Group m_back{"Command1(1) Назад", {}, {}};
    Group m_option{"Option1(s) option click", {}, {}};
    Group m_evaluate{"Command2(0) Оценяване, fresh window", {}, {}};
    Group m_reviewForward{"Command2(1) review Напред", {}, {}};
    Group m_reviewBack{"Command2(2) review Назад", {}, {}};
    Group m_tick{"Tick(s) several right answers", {}, {}};
    Group m_key{"a keystroke in a typed answer", {}, {}};
    Group m_numberKey{"a keystroke in a number", {}, {}};
    Group m_pick{"a pick of a matching item's answer", {}, {}};

    [[nodiscard]] std::vector<const Group *> actions() const
    {
        if (m_test) {
            return {&m_forward, &m_back, &m_tick, &m_key, &m_numberKey, &m_pick};
        }
        if (m_navigationOnly) {
            return {&m_forward, &m_back};
        }
        return {&m_forward, &m_back, &m_option, &m_evaluate, &m_reviewForward, &m_reviewBack};
    }
};

void Bench::print() const
{
    const double floor = median(m_floor.ms);
    std::printf(
        "== event handling (ms; click and the events it posted, its repaint included) ==\n");
    std::printf("%6s %9s %9s %7s %6s %12s  %s\n", "n", "median", "p95", "ratio", "", "+full ratio",
                "what");
    std::printf("%6zu %9.3f %9.3f %7s %6s %12s  %s\n", m_floor.ms.size(), floor,
                percentile(m_floor.ms, 0.95), "1", "", "", m_floor.name);
    for (const Group *group : actions()) {
        const double m = median(group->ms);
        std::printf("%6zu %9.3f %9.3f %7.2f %6s %12.2f  %s\n", group->ms.size(), m,
                    percentile(group->ms, 0.95), m / floor,
                    m / floor <= kActionTarget ? "PASS" : "MISS", median(group->withFull) / floor,
                    group->name);
    }
    std::printf("target: each action's median <= %.1f x the floor's median; +full ratio: the "
                "action followed by a repaint of the whole window\n",
                kActionTarget);
}

bool Bench::allPass() const
{
    const double floor = median(m_floor.ms);
    const auto groups = actions();
    return std::all_of(groups.begin(), groups.end(),
                       [floor](const Group *g) { return median(g->ms) / floor <= kActionTarget; });
}

// Three questions of each of the four kinds but single choice; the last of several right answers
// of seven choices, in the panel of check boxes.
Test kindsTest()
{
    Test test;
    test.title = QStringLiteral("Видове");
    for (int i = 0; i < 3; ++i) {
        const bool seven = i == 2;
        test.questions.push_back(
            {.kind = QuestionKind::Several,
             .text = QStringLiteral("Кои са прости? %1").arg(i),
             .choices = seven ? QStringList{"2", "3", "4", "9", "5", "7", "8"}
                              : QStringList{"2", "3", "4", "9"},
             .weights = seven ? std::vector<double>{0.25, 0.25, -1, -1, 0.25, 0.25, -1}
                              : std::vector<double>{0.5, 0.5, -1, -1},
             .explanation = {"2 и 3."}});
        test.questions.push_back({.kind = QuestionKind::Typed,
                                  .text = QStringLiteral("Столица? %1").arg(i),
                                  .accepted = {{.text = "Париж"}},
                                  .explanation = {"Париж."}});
        test.questions.push_back({.kind = QuestionKind::Number,
                                  .text = QStringLiteral("π? %1").arg(i),
                                  .accepted = {{.text = "3.14", .tolerance = 0.01}},
                                  .explanation = {"3,14."}});
        test.questions.push_back({.kind = QuestionKind::Matching,
                                  .text = QStringLiteral("Свържете. %1").arg(i),
                                  .choices = {"едно", "две", "три"},
                                  .items = {"1", "2", "3"},
                                  .matches = {0, 1, 2},
                                  .explanation = {"Числа."}});
    }
    return test;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The style and font of the player (src/ui/player.cpp, src/ui/main.cpp).
    QApplication::setStyle(createStyle());
    QApplication::setFont(windowFont());
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 6;

    // A test file plays as it is; the built-in set with the explanations setting on, so that
    // the review buttons are shown.
    const QString file = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (file == u"kinds") {
        LoadResult kinds = loadTest(kindsTest());
        expect(kinds.content.has_value(), "the test of every kind does not load");
        std::printf("content: 12 questions of the four kinds but single choice\n");
        Bench bench(std::move(*kinds.content), false, kinds.test);
        bench.run(rounds);
        bench.print();
        return bench.allPass() ? 0 : 1;
    }
    LoadResult loaded = file.isEmpty() ? loadPlayerContent() : loadTestFile(file);
    expect(loaded.content.has_value(), "the test does not load");
    KOVRA_Danni content = std::move(*loaded.content);
    if (file.isEmpty()) {
        // The explanations setting on: its row ends in the flag digit.
        QByteArray row = content.List2().list(ExplanationsRow);
        row.back() = '1';
        content.List2().setList(ExplanationsRow, row);
        expect(content.flag(ExplanationsRow) == 1, "the explanations setting did not turn on");
        int figures = 0;
        for (int k = 1; k < KOVRA_Danni::kFigureSlots; ++k) {
            figures += content.Picture1(k).isNull() ? 0 : 1;
        }
        std::printf("content: the built-in set, explanations on, %d figures\n", figures);
    } else {
        std::printf("content: %s, %d questions; each round on a fresh window, its figures "
                    "decoded when first shown\n",
                    qPrintable(file), content.List1(0).listCount());
    }

    if (qEnvironmentVariableIsSet("KOVRA_BENCH_RESULTS")) {
        std::printf("results: a result file kept in %s%s\n",
                    qPrintable(qEnvironmentVariable("KOVRA_BENCH_RESULTS")),
                    qEnvironmentVariableIsSet("KOVRA_BENCH_SEALED") ? ", sealed" : "");
    }
    Bench bench(std::move(content), !file.isEmpty());
    bench.run(rounds);
    bench.print();
    return bench.allPass() ? 0 : 1;
}
