// The window told to assistive technology, and used from the keyboard.

#include "content/cp1251.h"
#include "content_builder.h"
#include "run/random.h"
#include "ui/kovra_prazno.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace kovra;
using namespace kovra::testing;

namespace {

QString accessibleText(QObject *object, QAccessible::Text which)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface != nullptr ? iface->text(which) : QStringLiteral("<none>");
}

// Three questions of three choices; step 2 gives the order 2, 1, 0; every answer order "123".
std::unique_ptr<KOVRA_Prazno> makeWindow(char explanations = '1')
{
    ContentPlan plan;
    plan.choices = {3, 3, 3};
    plan.explanations = explanations;
    auto window = std::make_unique<KOVRA_Prazno>(
        makeContent(plan), std::make_unique<FixedDraws>(std::vector<float>{0.0F, 0, 0, 0}));
    window->show();
    return window;
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
    m_window = makeWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAssistance::cleanup()
{
    m_window.reset();
}

void TestAssistance::namesAndValues()
{
    KOVRA_Prazno &w = *m_window;
    QCOMPARE(accessibleText(w.Option1(1), QAccessible::Name), QStringLiteral("Отговор B: 3.2"));
    QCOMPARE(accessibleText(w.Shape1(0), QAccessible::Value), QStringLiteral("Въпрос 1 от 3"));
    QCOMPARE(accessibleText(w.Shape2(0), QAccessible::Value),
             QStringLiteral("Въведени отговори 0 от 3"));
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name),
             QStringLiteral("Няма въведен отговор"));
    QCOMPARE(accessibleText(w.Text2(0), QAccessible::Name), QStringLiteral("Въпрос"));
    QCOMPARE(accessibleText(w.Label1(1), QAccessible::Name), QStringLiteral("Резултат"));
    QCOMPARE(accessibleText(w.Label1(3), QAccessible::Name), QStringLiteral("Проверка Тото"));

    QTest::mouseClick(w.Option1(0), Qt::LeftButton);
    QTest::mouseClick(w.Command1(0), Qt::LeftButton);
    QCOMPARE(accessibleText(w.Shape1(0), QAccessible::Value), QStringLiteral("Въпрос 2 от 3"));
    QCOMPARE(accessibleText(w.Shape2(0), QAccessible::Value),
             QStringLiteral("Въведени отговори 1 от 3"));
    QTest::mouseClick(w.Command1(1), Qt::LeftButton);
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name),
             QStringLiteral("Отговорът е въведен"));
    QAccessibleInterface *option = QAccessible::queryAccessibleInterface(w.Option1(0));
    QVERIFY(option->state().checked);
    QCOMPARE(option->role(), QAccessible::RadioButton);
}

void TestAssistance::reviewMarksInWords()
{
    KOVRA_Prazno &w = *m_window;
    // Position 0 (question 3): the key "3.1" stands in slot 0; answer wrong with slot 1.
    QTest::mouseClick(w.Option1(1), Qt::LeftButton);
    QTest::mouseClick(w.Command1(0), Qt::LeftButton);
    QTest::mouseClick(w.Option1(0), Qt::LeftButton); // position 1 right
    QTest::mouseClick(w.Command2(0), Qt::LeftButton);
    QCOMPARE(accessibleText(w.Option1(1), QAccessible::Description),
             QStringLiteral("Избраният отговор е грешен"));
    QCOMPARE(accessibleText(w.Option1(0), QAccessible::Description),
             QStringLiteral("Това е верният отговор"));
    QCOMPARE(accessibleText(w.Option1(2), QAccessible::Description), QString());
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name), QStringLiteral("Грешен отговор"));
    QVERIFY(QAccessible::queryAccessibleInterface(w.Option1(0))
                ->actionInterface()
                ->actionNames()
                .isEmpty());

    QTest::keyClick(&w, Qt::Key_PageDown);
    QCOMPARE(int(w.runState().CurrentPos), 1);
    QCOMPARE(accessibleText(w.Option1(0), QAccessible::Description),
             QStringLiteral("Избраният отговор е верен"));
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name), QStringLiteral("Верен отговор"));
    QTest::keyClick(&w, Qt::Key_PageDown);
    QCOMPARE(accessibleText(w.Picture1(), QAccessible::Name),
             QStringLiteral("Няма въведен отговор"));
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
        QCOMPARE(w.runState().List2(ChosenSlotList).list(0), QByteArray::number(slot));
        QCOMPARE(int(w.runState().AnsweredCount), 1);
        QCOMPARE(backColor(w.Picture1()), QColor(0, 255, 0));
    }
}

void TestAssistance::keysSkipHiddenAndDisabled()
{
    KOVRA_Prazno &w = *m_window;
    QTest::keyClick(&w, Qt::Key_4); // slot 3 is hidden for three choices
    QTest::keyClick(&w, Qt::Key_E);
    QCOMPARE(w.runState().List2(ChosenSlotList).list(0), QByteArray("-1"));
    QTest::keyClick(&w, Qt::Key_2);
    QTest::mouseClick(w.Command2(0), Qt::LeftButton);
    QTest::keyClick(&w, Qt::Key_1); // disabled after the evaluation
    QCOMPARE(w.runState().List2(ChosenSlotList).list(0), QByteArray("1"));
    QVERIFY(w.Option1(1)->isChecked());
}

void TestAssistance::pageKeysMove()
{
    KOVRA_Prazno &w = *m_window;
    w.Text1(0)->setFocus();
    QTest::keyClick(w.Text1(0), Qt::Key_PageDown);
    QCOMPARE(int(w.runState().CurrentPos), 1);
    QTest::keyClick(w.Text1(0), Qt::Key_PageDown);
    QTest::keyClick(w.Text1(0), Qt::Key_PageDown);
    QCOMPARE(int(w.runState().CurrentPos), 2);
    QTest::keyClick(&w, Qt::Key_PageUp);
    QCOMPARE(int(w.runState().CurrentPos), 1);

    // With the review buttons hidden, review mode offers no move.
    m_window = makeWindow('0');
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::mouseClick(m_window->Command2(0), Qt::LeftButton);
    QTest::keyClick(m_window.get(), Qt::Key_PageDown);
    QCOMPARE(int(m_window->runState().CurrentPos), 0);
}

QTEST_MAIN(TestAssistance)
#include "test_assistance.moc"
