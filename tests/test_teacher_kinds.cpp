// SPDX-License-Identifier: GPL-3.0-or-later
// Questions of every kind made in the teacher's window through its fields: saved and opened
// again, kept aside and restored, each edit undone, a problem shown as it is made and gone once
// it is mended.

#include "content/problems.h"
#include "teacher/document.h"
#include "teacher/problem_panel.h"
#include "teacher/recovery.h"
#include "teacher/teacher_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUndoStack>

using namespace kovra;

namespace {

// One thing the teacher does to a field named so: a kind picked, text typed at its end or over
// it, a number set, a button clicked.
struct Step
{
    enum
    {
        Kind,
        Type,
        Retype,
        Set,
        Click
    } how;
    QString field;
    QVariant value{};
};
using Steps = QList<Step>;

template <typename T> T *named(const QWidget &window, const QString &name)
{
    for (T *widget : window.findChildren<T *>()) {
        if (widget->accessibleName() == name && widget->isVisibleTo(&window)) {
            return widget;
        }
    }
    return nullptr;
}

bool take(QWidget &window, const Step &step)
{
    if (step.how == Step::Kind) {
        auto *kind = named<QComboBox>(window, QStringLiteral("Kind of the question"));
        kind->setCurrentIndex(step.value.toInt());
        return kind != nullptr;
    }
    if (step.how == Step::Set) {
        auto *box = named<QDoubleSpinBox>(window, step.field);
        return box != nullptr && (box->setValue(step.value.toDouble()), true);
    }
    if (step.how == Step::Click) {
        auto *button = named<QAbstractButton>(window, step.field);
        return button != nullptr && (button->click(), true);
    }
    auto *edit = named<QLineEdit>(window, step.field);
    if (edit == nullptr) {
        return false;
    }
    if (step.how == Step::Retype) {
        edit->selectAll();
    } else {
        edit->end(false);
    }
    // Key by key, as a keyboard of Cyrillic letters types them.
    for (const QChar ch : step.value.toString()) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    return true;
}

QString firstProblem(const TestDocument &document)
{
    return document.problems().empty() ? QString() : describe(document.problems().front());
}

Test startingTest()
{
    Test test = newTest();
    const QStringList texts{QStringLiteral("Коя е столицата на Франция?"),
                            QStringLiteral("Колко е 2 + 2?"), QStringLiteral("Кое е число?")};
    for (std::size_t i = 0; i < test.questions.size(); ++i) {
        Question &question = test.questions[i];
        question.text = texts.at(qsizetype(i));
        question.choices = {QStringLiteral("Париж"), QStringLiteral("Рим"), QStringLiteral("4")};
        question.right = i == 0 ? 0 : 2;
        question.explanation = {QStringLiteral("Един ред.")};
    }
    return test;
}

// The first question of the starting test as a question of `kind` begins, with no key.
Question first(QuestionKind kind)
{
    Question question = startingTest().questions.front();
    question.kind = kind;
    question.right = kind == QuestionKind::Single ? question.right : -1;
    question.choices = kind == QuestionKind::Several ? question.choices : QStringList();
    return question;
}

} // namespace

Q_DECLARE_METATYPE(Steps)
Q_DECLARE_METATYPE(Question)
Q_DECLARE_METATYPE(ProblemKind)

class TestTeacherKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void kindThroughItsFields_data();
    void kindThroughItsFields();

private:
    QTemporaryDir m_folder;
};

void TestTeacherKinds::kindThroughItsFields_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<Question>("made");  // the first question after them
    QTest::addColumn<Steps>("breaking"); // then: a step that makes a problem
    QTest::addColumn<ProblemKind>("problem");
    QTest::addColumn<Steps>("mending"); // and one that mends it
    // The credits follow their choices as they move and go.
    Question made = first(QuestionKind::Several);
    made.choices = {QStringLiteral("Париж"), QStringLiteral("Рим"), QStringLiteral("Лион")};
    made.weights = {0.5, 0.5, -0.25};
    made.allOrNothing = true;
    QTest::newRow("several right answers")
        << Steps{{Step::Kind, {}, 1},
                 {Step::Click, QStringLiteral("Choice 2 is a right one")},
                 {Step::Click, QStringLiteral("Move choice 3 up")},
                 {Step::Click, QStringLiteral("Add a choice")},
                 {Step::Type, QStringLiteral("Choice 4"), QStringLiteral("Лион")},
                 {Step::Click, QStringLiteral("Remove choice 2")},
                 {Step::Set, QStringLiteral("Credit of choice 3"), -25},
                 {Step::Click, QStringLiteral("All or nothing")}}
        << made << Steps{{Step::Set, QStringLiteral("Credit of choice 1"), 20}}
        << ProblemKind::CreditSum
        << Steps{{Step::Click, QStringLiteral("Spread the credit evenly over the right choices")}};
    // Past the five answer places of single choice, up to ten choices.
    made = first(QuestionKind::Several);
    made.choices = startingTest().questions.front().choices;
    made.choices << QStringLiteral("Берлин") << QStringLiteral("Мадрид") << QStringLiteral("Виена")
                 << QStringLiteral("Прага");
    made.weights = {1, 0, 0, 0, 0, 0, 0};
    Steps adding{{Step::Kind, {}, 1}};
    for (int c = 4; c <= 7; ++c) {
        adding << Step{Step::Click, QStringLiteral("Add a choice")}
               << Step{Step::Type, QStringLiteral("Choice %1").arg(c), made.choices.at(c - 1)};
    }
    QTest::newRow("several of seven choices")
        << adding << made << Steps{{Step::Retype, QStringLiteral("Choice 7"), QStringLiteral(" ")}}
        << ProblemKind::EmptyChoice
        << Steps{{Step::Retype, QStringLiteral("Choice 7"), QStringLiteral("Прага")}};
    made = startingTest().questions.front();
    made.right = 1;
    QTest::newRow("several, then single choice again")
        << Steps{{Step::Kind, {}, 1},
                 {Step::Set, QStringLiteral("Credit of choice 1"), 0},
                 {Step::Set, QStringLiteral("Credit of choice 2"), 100},
                 {Step::Kind, {}, 0}}
        << made << Steps{{Step::Retype, QStringLiteral("Choice 1"), QStringLiteral("Рим")}}
        << ProblemKind::KeyMatchesSeveral
        << Steps{{Step::Retype, QStringLiteral("Choice 1"), QStringLiteral("Лион")}};
    made = first(QuestionKind::Typed);
    made.accepted = {{QStringLiteral("Париж")}, {QStringLiteral("Пари*"), 0.5}};
    made.caseMatters = true;
    QTest::newRow("short answer") << Steps{{Step::Kind, {}, 2},
                                           {Step::Click, QStringLiteral("Add an accepted answer")},
                                           {Step::Type, QStringLiteral("Accepted answer 2"),
                                            QStringLiteral("Пари*")},
                                           {Step::Set, QStringLiteral("Credit of answer 2"), 50},
                                           {Step::Click, QStringLiteral("Capital letters matter")}}
                                  << made
                                  << Steps{{Step::Set, QStringLiteral("Credit of answer 1"), 80}}
                                  << ProblemKind::NoFullCredit
                                  << Steps{{Step::Set, QStringLiteral("Credit of answer 1"), 100}};
    made.kind = QuestionKind::Number;
    made.accepted = {{QStringLiteral("9.81"), 1, 0.05}};
    made.caseMatters = false;
    made.units = {{QStringLiteral("cm"), 100}};
    made.unitsIgnored = true;
    QTest::newRow("number")
        << Steps{{Step::Kind, {}, 3},
                 {Step::Retype, QStringLiteral("Accepted value 1"), QStringLiteral("9.81")},
                 {Step::Set, QStringLiteral("Tolerance of value 1"), 0.05},
                 {Step::Click, QStringLiteral("Add a unit")},
                 {Step::Type, QStringLiteral("Unit 1"), QStringLiteral("cm")},
                 {Step::Set, QStringLiteral("Multiplier of unit 1"), 100},
                 {Step::Click, QStringLiteral("No units: any text after the number is let be")}}
        << made
        << Steps{{Step::Retype, QStringLiteral("Accepted value 1"), QStringLiteral("около 9")}}
        << ProblemKind::NotANumber
        << Steps{{Step::Retype, QStringLiteral("Accepted value 1"), QStringLiteral("9.81")}};
    made.accepted = {{QStringLiteral("5")}};
    made.units = {{QStringLiteral("€"), 1}};
    made.unitsIgnored = false;
    made.unitFirst = true;
    made.unitPenalty = 0.1;
    made.unitPenaltyOfQuestion = true;
    QTest::newRow("number, its unit before it, a penalty without it")
        << Steps{{Step::Kind, {}, 3},
                 {Step::Retype, QStringLiteral("Accepted value 1"), QStringLiteral("5")},
                 {Step::Click, QStringLiteral("Add a unit")},
                 {Step::Type, QStringLiteral("Unit 1"), QStringLiteral("€")},
                 {Step::Click, QStringLiteral("The unit is written before the number (€ 5)")},
                 {Step::Set, QStringLiteral("Penalty for a number without one of its units"), 10},
                 {Step::Click,
                  QStringLiteral("Taken off the point, not a share of the answer's credit")}}
        << made << Steps{{Step::Retype, QStringLiteral("Unit 1"), QStringLiteral(" ")}}
        << ProblemKind::EmptyAnswer
        << Steps{{Step::Retype, QStringLiteral("Unit 1"), QStringLiteral("€")}};
    made = first(QuestionKind::Matching);
    // The answers of the choices the items take, the one left over taken away, one more added.
    made.choices = {QStringLiteral("Париж"), QStringLiteral("Рим"), QStringLiteral("Мадрид")};
    made.items = {QStringLiteral("Франция"), QStringLiteral("Италия"), QStringLiteral("Испания")};
    made.matches = {0, 1, 2};
    QTest::newRow("matching")
        << Steps{{Step::Kind, {}, 4},
                 {Step::Type, QStringLiteral("Item 1"), QStringLiteral("Франция")},
                 {Step::Type, QStringLiteral("Answer of item 1"), QStringLiteral("Париж")},
                 {Step::Type, QStringLiteral("Item 2"), QStringLiteral("Италия")},
                 {Step::Type, QStringLiteral("Answer of item 2"), QStringLiteral("Рим")},
                 {Step::Click, QStringLiteral("Remove extra answer 1")},
                 {Step::Click, QStringLiteral("Add an item")},
                 {Step::Type, QStringLiteral("Item 3"), QStringLiteral("Испания")},
                 {Step::Type, QStringLiteral("Answer of item 3"), QStringLiteral("Мадрид")}}
        << made << Steps{{Step::Click, QStringLiteral("Add an item")}} << ProblemKind::NoRightChoice
        << Steps{{Step::Click, QStringLiteral("Remove item 4")}};
}

// Through the real fields of a fresh window: each step one undoable edit, the question saved
// and opened again, kept aside and restored as it was; the panel shows a problem as it is made.
void TestTeacherKinds::kindThroughItsFields()
{
    QFETCH(Steps, steps);
    QFETCH(Question, made);
    QFETCH(Steps, breaking);
    QFETCH(ProblemKind, problem);
    QFETCH(Steps, mending);
    TeacherWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TestDocument &document = *window.document();
    document.reset(startingTest(), {});
    std::vector<Test> before;
    for (const Step &step : steps) {
        before.push_back(document.data());
        QVERIFY2(take(window, step), qPrintable(step.field));
        QCOMPARE(document.undoStack()->index(), int(before.size()));
    }
    QCOMPARE(document.data().questions.front(), made);
    QVERIFY2(document.problems().empty(), qPrintable(firstProblem(document)));

    // From the kind's drop-down, Tab reaches every field the steps took, each told by a name.
    named<QComboBox>(window, QStringLiteral("Kind of the question"))->setFocus();
    QStringList reached;
    for (int tab = 0; tab < 150; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QAccessibleInterface *told = QAccessible::queryAccessibleInterface(qApp->focusWidget());
        const auto labels = told->relations(QAccessible::Label); // a drop-down's name
        const QString name = told->text(QAccessible::Name);
        const QString label =
            labels.isEmpty() ? QString() : labels.front().first->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() || !label.isEmpty(),
                 qApp->focusWidget()->metaObject()->className());
        reached << name << label;
    }
    QCOMPARE(document.data().questions.front(), made); // Tab typed into nothing
    for (const Step &step : steps) {                   // those still shown
        QVERIFY2(step.how == Step::Kind || !named<QWidget>(window, step.field) ||
                     reached.contains(step.field),
                 qPrintable(step.field));
    }

    const QString path =
        m_folder.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".kovra"));
    QVERIFY(window.saveTo(path));
    TeacherWindow reopened;
    QVERIFY(reopened.openPath(path));
    QCOMPARE(reopened.document()->data().questions, document.data().questions);
    RecoveryStore kept(QStringLiteral("kinds"));
    QVERIFY(kept.keep(document.data(), path));
    QCOMPARE(openTest(kept.folder()).data->questions, document.data().questions);
    kept.drop();

    const Test after = document.data();
    while (!before.empty()) {
        QTest::keySequence(&window, QKeySequence::Undo);
        QVERIFY(document.data() == before.back());
        before.pop_back();
    }
    while (document.undoStack()->canRedo()) {
        QTest::keySequence(&window, QKeySequence::Redo);
    }
    QVERIFY(document.data() == after);

    const auto shown = [&window, &document, problem] {
        const auto found = std::find_if(document.problems().begin(), document.problems().end(),
                                        [problem](const Problem &p) { return p.kind == problem; });
        const QString panel =
            window.findChild<ProblemPanel *>()->findChild<QTextBrowser *>()->toPlainText();
        return found != document.problems().end() &&
               panel.contains(describe(*found, Audience::Window));
    };
    for (const Step &step : breaking) {
        QVERIFY(take(window, step));
    }
    QVERIFY(shown());
    for (const Step &step : mending) {
        QVERIFY(take(window, step));
    }
    QVERIFY(!shown());
    QVERIFY2(document.problems().empty(), qPrintable(firstProblem(document)));
}

QTEST_MAIN(TestTeacherKinds)
#include "test_teacher_kinds.moc"
