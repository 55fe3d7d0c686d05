// SPDX-License-Identifier: GPL-3.0-or-later
// The window told to assistive technology, and used from the keyboard.

#include "window_driver.h"

#include <QAccessible>
#include <QScrollBar>

using namespace kovra;
using namespace kovra::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

QString accessibleText(QObject *object, QAccessible::Text which)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface != nullptr ? iface->text(which) : u"<none>"_s;
}

// Three questions of three choices; step 2 gives the order 2, 1, 0; every answer order "123".
KOVRA_Danni threeQuestions(char explanations = '1')
{
    ContentPlan plan;
    plan.choices = {3, 3, 3};
    plan.explanations = explanations;
    return makeContent(plan);
}

} // namespace

class TestAssistance : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void namesAndValues();
    void reviewMarksInWords();
    void keysChooseAnswers_data();
    void keysChooseAnswers();
    void keysSkipHiddenAndDisabled();
    void pageKeysMove();

private:
    std::unique_ptr<KOVRA_Prazno> m_window;
};

void TestAssistance::init()
{
    reopen(m_window, threeQuestions(), startDraws({0}, firstRows(3)));
}

void TestAssistance::cleanup()
{
    m_window.reset();
}

void TestAssistance::namesAndValues()
{
    KOVRA_Prazno &w = *m_window;
    QCOMPARE(accessibleText(w.Option1(1), QAccessible::Name), u"Отговор B: 3.2"_s);
    QCOMPARE(accessibleText(w.Shape1(0), QAccessible::Value), u"Въпрос 1 от 3"_s);
    QCOMPARE(accessibleText(w.Shape2(0), QAccessible::Value), u"Въведени отговори 0 от 3"_s);
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name), u"Няма въведен отговор"_s);
    QCOMPARE(accessibleText(w.Text2(0), QAccessible::Name), u"Въпрос"_s);
    QCOMPARE(accessibleText(w.Label1(1), QAccessible::Name), u"Резултат"_s);
    QCOMPARE(accessibleText(w.Label1(3), QAccessible::Name), u"Проверка Тото"_s);

    click(w.Option1(0));
    click(w.Command1(0));
    QCOMPARE(accessibleText(w.Shape1(0), QAccessible::Value), u"Въпрос 2 от 3"_s);
    QCOMPARE(accessibleText(w.Shape2(0), QAccessible::Value), u"Въведени отговори 1 от 3"_s);
    click(w.Command1(1));
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name), u"Отговорът е въведен"_s);
    QAccessibleInterface *option = QAccessible::queryAccessibleInterface(w.Option1(0));
    QVERIFY(option->state().checked);
    QCOMPARE(option->role(), QAccessible::RadioButton);
}

void TestAssistance::reviewMarksInWords()
{
    KOVRA_Prazno &w = *m_window;
    // Position 0 (question 3): the key "3.1" stands in slot 0; answer wrong with slot 1.
    click(w.Option1(1));
    click(w.Command1(0));
    click(w.Option1(0));  // position 1 right
    click(w.Command1(0)); // position 2 shown, left unanswered
    evaluate(w);
    QCOMPARE(accessibleText(w.Option1(1), QAccessible::Description),
             u"Избраният отговор е грешен"_s);
    QCOMPARE(accessibleText(w.Option1(0), QAccessible::Description), u"Това е верният отговор"_s);
    QCOMPARE(accessibleText(w.Option1(2), QAccessible::Description), QString());
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name), u"Грешен отговор"_s);
    QVERIFY(QAccessible::queryAccessibleInterface(w.Option1(0))
                ->actionInterface()
                ->actionNames()
                .isEmpty());

    QTest::keyClick(&w, Qt::Key_PageDown);
    QCOMPARE(int(w.runState().CurrentPos), 1);
    QCOMPARE(accessibleText(w.Option1(0), QAccessible::Description),
             u"Избраният отговор е верен"_s);
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name), u"Верен отговор"_s);
    QTest::keyClick(&w, Qt::Key_PageDown);
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name), u"Няма въведен отговор"_s);
    // No mark on screen, none in words, not even on the correct answer in slot 0.
    QCOMPARE(accessibleText(w.Option1(0), QAccessible::Description), QString());
}

void TestAssistance::keysChooseAnswers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("slot");
    QTest::newRow("1") << int(Qt::Key_1) << 0;
    QTest::newRow("3") << int(Qt::Key_3) << 2;
    QTest::newRow("A") << int(Qt::Key_A) << 0;
    QTest::newRow("B") << int(Qt::Key_B) << 1;
    QTest::newRow("C") << int(Qt::Key_C) << 2;
}

void TestAssistance::keysChooseAnswers()
{
    QFETCH(int, key);
    QFETCH(int, slot);
    KOVRA_Prazno &w = *m_window;
    for (QWidget *focus : {static_cast<QWidget *>(&w), static_cast<QWidget *>(w.Text1(0)),
                           static_cast<QWidget *>(w.Command1(0))}) {
        focus->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(w.Option1(slot)->isChecked());
        QCOMPARE(row(w, ChosenSlotList, 0), QByteArray::number(slot));
        QCOMPARE(int(w.runState().AnsweredCount), 1);
        QCOMPARE(backColor(w.Picture1()), kGreen);
    }
}

void TestAssistance::keysSkipHiddenAndDisabled()
{
    KOVRA_Prazno &w = *m_window;
    QTest::keyClick(&w, Qt::Key_4); // slot 3 is hidden for three choices
    QTest::keyClick(&w, Qt::Key_E);
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray("-1"));
    QTest::keyClick(&w, Qt::Key_2);
    evaluate(w);
    QTest::keyClick(&w, Qt::Key_1); // disabled after the evaluation
    QCOMPARE(row(w, ChosenSlotList, 0), QByteArray("1"));
    QVERIFY(w.Option1(1)->isChecked());
}

void TestAssistance::pageKeysMove()
{
    KOVRA_Prazno &w = *m_window;
    activate(w); // the focus starts in the instructions box, which holds more than it shows
    QCOMPARE(QApplication::focusWidget(), w.Text1(0));
    // An answer chosen with a key leaves the focus there; the page keys still go on and back.
    QTest::keyClick(w.Text1(0), Qt::Key_1);
    QTest::keyClick(w.Text1(0), Qt::Key_PageDown);
    QCOMPARE(int(w.runState().CurrentPos), 1);
    QCOMPARE(w.Text1(0)->verticalScrollBar()->value(), 0);
    QTest::keyClick(w.Text1(0), Qt::Key_PageUp);
    QCOMPARE(int(w.runState().CurrentPos), 0);
    w.Text2(0)->setFocus(); // the question box shows all it holds
    QTest::keyClick(w.Text2(0), Qt::Key_PageDown);
    QCOMPARE(int(w.runState().CurrentPos), 1);
    QTest::keyClick(w.Text2(0), Qt::Key_PageDown);
    QTest::keyClick(w.Text2(0), Qt::Key_PageDown);
    QCOMPARE(int(w.runState().CurrentPos), 2);
    QTest::keyClick(&w, Qt::Key_PageUp);
    QCOMPARE(int(w.runState().CurrentPos), 1);

    // With the review buttons hidden, review mode offers no move.
    reopen(m_window, threeQuestions('0'), startDraws({0}, firstRows(3)));
    evaluate(*m_window);
    QTest::keyClick(m_window.get(), Qt::Key_PageDown);
    QCOMPARE(int(m_window->runState().CurrentPos), 0);
}

QTEST_MAIN(TestAssistance)
#include "test_assistance.moc"
