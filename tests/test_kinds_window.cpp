// SPDX-License-Identifier: GPL-3.0-or-later
// A question of each kind but single choice answered in the real window, evaluated, and its
// review read: the answer marked by its credit, the right answer, the score in points.
#include "content/cp1251.h"
#include "content/loader.h"
#include "results/collect.h"
#include "results/recorder.h"
#include "run/random.h"
#include "ui/kind_panel.h"
#include "ui/kovra_prazno.h"
#include "ui/layout.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kovra;

namespace {

Question single(const QString &text)
{
    return {.text = text, .choices = {"да", "не"}, .right = 0, .explanation = {"Обяснение."}};
}

Question ofKind(const QString &kind)
{
    Question q{.text = "Въпрос", .explanation = {"Защото."}};
    if (kind == u"several") {
        q.kind = QuestionKind::Several;
        q.choices = {"2", "3", "4", "9"};
        q.weights = {0.5, 0.5, -1, -1};
    } else if (kind == u"several of seven") { // more than the five places: a panel
        q.kind = QuestionKind::Several;
        q.choices = {"2", "3", "4", "5", "6", "7", "A & B"};
        q.weights = {0.25, 0.25, -1, 0.25, -1, 0.25, -1};
    } else if (kind == u"typed") {
        q.kind = QuestionKind::Typed;
        q.accepted = {{.text = "Париж"}, {.text = "Par*", .credit = 0.5}};
    } else if (kind == u"number") {
        q.kind = QuestionKind::Number;
        q.accepted = {{.text = "3.14", .tolerance = 0.005}};
    } else {
        q.kind = QuestionKind::Matching;
        q.choices = {"едно", "две", "три"};
        q.items = {"1", "2", "3"};
        q.matches = {0, 1, 2};
    }
    return q;
}

// Shows the window on the test and goes forward to its question of another kind.
void openAtKind(KOVRA_Prazno &w, LoadResult &loaded)
{
    w.load(std::move(*loaded.content), loaded.test);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    while (!w.kindAt(w.runState().questionAt(w.runState().CurrentPos))) {
        QTest::mouseClick(w.Command1(0), Qt::LeftButton);
    }
}

} // namespace

class TestKindsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answeredAndReviewed_data();
    void answeredAndReviewed();
    void typingKeptAtExit();
    void byKeysAndInWords_data();
    void byKeysAndInWords();
};

void TestKindsWindow::answeredAndReviewed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("answer"); // the choices ticked, the text typed, the picks
    QTest::addColumn<QString>("review");     // what the review says, the right answer first
    QTest::addColumn<QString>("score");
    QTest::newRow("several, one of two right")
        << "several" << QStringList{"2"} << "Верен отговор: 2; 3\r\nТочки: 0,5 от 1"
        << "Резултат: 0,5/3 = 16%";
    QTest::newRow("several, both right and nothing wrong")
        << "several" << QStringList{"3", "2"} << "Точки: 1 от 1"
        << "Резултат: 1/3 = 33%";
    QTest::newRow("several, right and wrong")
        << "several" << QStringList{"2", "9"} << "Точки: 0 от 1"
        << "Резултат: 0/3 = 0%";
    QTest::newRow("several of seven, in a panel: three of four right")
        << "several of seven" << QStringList{"2", "5", "7"}
        << "Верен отговор: 2; 3; 5; 7\r\nТочки: 0,75 от 1"
        << "Резултат: 0,75/3 = 25%";
    QTest::newRow("several of seven, a choice with an ampersand")
        << "several of seven" << QStringList{"A & B", "2"} << "Точки: 0 от 1"
        << "Резултат: 0/3 = 0%";
    QTest::newRow("typed, a Latin a and small letters")
        << "typed" << QStringList{"пaриж"} << "Верен отговор: Париж\r\nТочки: 1 от 1"
        << "Резултат: 1/3 = 33%";
    QTest::newRow("typed, half by the wildcard")
        << "typed" << QStringList{"Parisss"} << "Точки: 0,5 от 1"
        << "Резултат: 0,5/3 = 16%";
    QTest::newRow("typed, nothing")
        << "typed" << QStringList{""} << "Няма въведен отговор!\r\nВерен отговор: Париж"
        << "Резултат: 0/3 = 0%";
    QTest::newRow("number with a decimal comma")
        << "number" << QStringList{"3,14"} << "Верен отговор: 3,14 ± 0,005\r\nТочки: 1 от 1"
        << "Резултат: 1/3 = 33%";
    QTest::newRow("number outside its tolerance")
        << "number" << QStringList{"3,2"} << "Точки: 0 от 1"
        << "Резултат: 0/3 = 0%";
    QTest::newRow("matching, two pairs of three")
        << "matching" << QStringList{"едно", "две", "едно"}
        << "Верен отговор: 1 → едно; 2 → две; 3 → три\r\nТочки: 0,667 от 1"
        << "Резултат: 0,67/3 = 22%";
}

void TestKindsWindow::answeredAndReviewed()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, answer);
    QFETCH(QString, review);
    QFETCH(QString, score);
    Test test;
    test.title = "Видове";
    test.explanations = true;
    test.questions = {single("Първи"), ofKind(kind), single("Трети")};
    LoadResult loaded = loadTest(test);
    QVERIFY(loaded.content);
    KOVRA_Prazno w(std::make_unique<FixedDraws>(std::vector<float>(16, 0.0F)));
    openAtKind(w, loaded);
    QSignalSpy answered(&w, &KOVRA_Prazno::answered);
    const int p = w.runState().CurrentPos;
    KindPanel *panel = w.kindPanel();
    if (kind == u"several") {
        for (int s = 0; s < 4; ++s) {
            QVERIFY(w.Tick(s)->isVisible() && !w.Option1(s)->isVisible());
            if (answer.contains(fromCp1251(w.Text2(s + 1)->text()))) {
                QTest::mouseClick(w.Tick(s), Qt::LeftButton);
            }
        }
    } else if (kind == u"several of seven") {
        QVERIFY(!w.Tick(0)->isVisible() && !w.Text2(1)->isVisible());
        QCOMPARE(panel->ticks(), 7);
        QTRY_VERIFY(panel->tick(6)->isVisible()); // laid out, as a pupil sees them
        for (int c = 0; c < panel->ticks(); ++c) {
            if (answer.contains(
                    panel->tick(c)->accessibleName().section(QStringLiteral(": "), 1))) {
                QTest::mouseClick(panel->tick(c), Qt::LeftButton, {}, // on its box
                                  QPoint(8, panel->tick(c)->height() / 2));
            }
        }
    } else if (kind == u"matching") {
        for (int i = 0; i < panel->items(); ++i) {
            QComboBox *pick = panel->pick(i);
            pick->setCurrentIndex(pick->findText(answer.at(i)));
            Q_EMIT pick->activated(pick->currentIndex());
        }
    } else {
        QVERIFY(panel->line()->isVisible());
        for (const QChar ch : answer.front()) { // Cyrillic too, as a keyboard types it
            QTest::sendKeyEvent(QTest::Click, panel->line(), Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
        }
    }
    if (kind == u"matching" || kind.startsWith(u"several")) { // a click is kept at once
        QVERIFY(!answered.isEmpty());
    }
    if (!answer.join(QString()).isEmpty()) {
        QTRY_VERIFY(!answered.isEmpty()); // typing kept once the pupil pauses
        QCOMPARE(w.Label1(2)->caption(), w1251("Въведени отговори: 1/3"));
    }
    // The answer as the result file keeps it, and as the teacher's marking reads it.
    QTemporaryDir folder;
    ResultRecorder recorder(identifyTest(*loaded.test, {}), {.name = "Ана", .group = "7а"});
    recorder.setKinds([&w] { return w.kindAnswers(); });
    QVERIFY(
        !recorder.start(folder.path(), folder.path(), *w.content(), w.runState()).path.isEmpty());
    QVERIFY(recorder.finishWrites());
    const ParsedResult kept = readResultFile(recorder.path(), identifyTest(*loaded.test, {}));
    QVERIFY(kept.record);
    QCOMPARE(kept.record->answers.at(std::size_t(p)).response, w.responseAt(p));
    const ClassResults marked = collectResults(folder.path(), markingTest(*loaded.test, {}));
    QCOMPARE(marked.pupils.size(), std::size_t{1});
    QCOMPARE(marked.pupils.front().points, w.creditAt(p));

    QTest::mouseClick(w.Command2(0), Qt::LeftButton);
    QCOMPARE(w.Label1(1)->caption(), w1251(qPrintable(score)));
    while (w.runState().CurrentPos != p) {
        QTest::mouseClick(w.Command2(1), Qt::LeftButton);
    }
    const QString said = fromCp1251(w.Text1(0)->text());
    QVERIFY2(said.startsWith(review) || said.contains(QStringLiteral("\r\n") + review),
             qPrintable(said));
    QVERIFY2(answer.join(QString()).isEmpty() || said.endsWith(u"Защото.\r\n"), qPrintable(said));
    const double credit = w.creditAt(p);
    if (kind == u"typed" || kind == u"number") {
        QVERIFY(panel->line()->isReadOnly());
        QCOMPARE(backColor(panel->line()), creditColor(credit));
    }
    if (kind == u"several") {
        for (int s = 0; s < 4; ++s) {
            QVERIFY(!w.Tick(s)->isEnabled());
        }
    }
    if (kind == u"several of seven") { // each box in the colour of its choice
        for (int c = 0; c < panel->ticks(); ++c) {
            QCheckBox *tick = panel->tick(c);
            const bool right = QStringList{"2", "3", "5", "7"}.contains(
                tick->accessibleName().section(QStringLiteral(": "), 1));
            QVERIFY(!tick->isEnabled());
            QCOMPARE(backColor(tick), right               ? layout::kGreen
                                      : tick->isChecked() ? layout::kRed
                                                          : layout::kReviewColor);
        }
    }
}

// "Изход" straight after a keystroke: what was typed is told before the content goes, and the
// pause that would have told it later finds nothing to tell.
void TestKindsWindow::typingKeptAtExit()
{
    Test test;
    test.title = "Видове";
    test.questions = {ofKind("typed"), single("Втори"), single("Трети")};
    LoadResult loaded = loadTest(test);
    KOVRA_Prazno w(std::make_unique<FixedDraws>(std::vector<float>(16, 0.0F)));
    openAtKind(w, loaded);
    QSignalSpy answered(&w, &KOVRA_Prazno::answered);
    QTest::keyClick(w.kindPanel()->line(), Qt::Key_X);
    int typed = -1;
    connect(&w, &KOVRA_Prazno::answered, &w, [&] { typed = w.content() ? 1 : 0; });
    w.izhod(0)->trigger();
    QCOMPARE(typed, 1);
    QTest::qWait(700);
    QCOMPARE(answered.size(), 1);
}

void TestKindsWindow::byKeysAndInWords_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("keys");   // pressed where the focus is, after Tab to the answer
    QTest::addColumn<QString>("name");   // of the answer's first field, told to a screen reader
    QTest::addColumn<QString>("marked"); // the indicator's words in the review
    QTest::newRow("several: letters tick, as they choose") << "several"
                                                           << "bd"
                                                           << "Отговор A: 2"
                                                           << "Грешен отговор";
    QTest::newRow("several of seven: Tab reaches the panel, space ticks")
        << "several of seven"
        << " "
        << "Отговор A: 3"
        << "Частично верен отговор";
    QTest::newRow("typed: letters and digits typed, not choosing") << "typed"
                                                                   << "Paris 12"
                                                                   << "Въведете отговора"
                                                                   << "Частично верен отговор";
    QTest::newRow("number: digits typed") << "number"
                                          << "3,14"
                                          << "Въведете число"
                                          << "Верен отговор";
    QTest::newRow("matching: the arrow key picks") << "matching"
                                                   << "↓"
                                                   << "1"
                                                   << "Частично верен отговор";
}

// Each kind answered from the keyboard alone, its fields named to a screen reader, its review
// told in words.
void TestKindsWindow::byKeysAndInWords()
{
    QFETCH(QString, kind);
    QFETCH(QString, keys);
    QFETCH(QString, name);
    QFETCH(QString, marked);
    Test test;
    test.title = "Видове";
    test.questions = {single("Първи"), ofKind(kind), single("Трети")};
    LoadResult loaded = loadTest(test);
    KOVRA_Prazno w(std::make_unique<FixedDraws>(std::vector<float>(16, 0.0F)));
    openAtKind(w, loaded);
    w.activateWindow();
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);
    const int p = w.runState().CurrentPos;
    if (kind == u"several of seven") {
        QTRY_VERIFY(w.kindPanel()->tick(0)->isVisible());
    }
    QWidget *first = kind == u"several"            ? static_cast<QWidget *>(w.Tick(0))
                     : kind == u"several of seven" ? w.kindPanel()->tick(0)
                     : kind == u"matching"         ? static_cast<QWidget *>(w.kindPanel()->pick(0))
                                                   : w.kindPanel()->line();
    for (int tab = 0; tab < 30 && QApplication::focusWidget() != first; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), first);
    // A drop-down is named by the label it has (its own name is the answer picked).
    QAccessibleInterface *told = QAccessible::queryAccessibleInterface(first);
    const auto labels = told->relations(QAccessible::Label);
    QCOMPARE((labels.isEmpty() ? told : labels.front().first)->text(QAccessible::Name), name);
    if (keys == u"↓") {
        auto *pick = static_cast<QComboBox *>(first); // down to the first item's right answer
        for (int down = 0; down < 12 && pick->currentText() != u"едно"; ++down) {
            QTest::keyClick(pick, Qt::Key_Down);
        }
    } else {
        QTest::keyClicks(first, keys);
    }
    QTRY_COMPARE(w.Label1(2)->caption(), w1251("Въведени отговори: 1/3"));
    if (kind == u"typed" || kind == u"number") {
        QCOMPARE(w.kindPanel()->line()->text(), keys);
        QTest::keyClick(first, Qt::Key_Return); // on to the next question
        QCOMPARE(int(w.runState().CurrentPos), p + 1);
    }
    if (kind == u"several") {
        QVERIFY(!w.Tick(0)->isChecked() && w.Tick(1)->isChecked() && w.Tick(3)->isChecked());
    }
    QTest::mouseClick(w.Command2(0), Qt::LeftButton);
    while (w.runState().CurrentPos != p) {
        QTest::mouseClick(w.Command2(1), Qt::LeftButton);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(w.Picture1())->text(QAccessible::Name), marked);
    if (kind == u"several") { // each choice's mark in words, as on screen in colour
        QCOMPARE(w.Tick(0)->accessibleDescription(), u"Това е верен отговор");
        QCOMPARE(w.Tick(3)->accessibleDescription(), u"Отбелязаният отговор е грешен");
    }
}

QTEST_MAIN(TestKindsWindow)
#include "test_kinds_window.moc"
