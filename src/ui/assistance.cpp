// SPDX-License-Identifier: GPL-3.0-or-later
#include "assistance.h"

#include "content/cp1251.h"
#include "ui/kovra_prazno.h"
#include "ui/layout.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

namespace kovra {

namespace {

const QString kSlotLetters = QStringLiteral("ABCDE");

KOVRA_Prazno *windowOf(QObject *object)
{
    for (QObject *o = object; o != nullptr; o = o->parent()) {
        if (auto *window = qobject_cast<KOVRA_Prazno *>(o)) {
            return window;
        }
    }
    return nullptr;
}

bool inReview(const KOVRA_Prazno &window)
{
    return !window.Command2(0)->isEnabled();
}

// The index behind an object name such as "Option1_3".
int nameIndex(const QObject *object)
{
    const QString name = object->objectName();
    return name.mid(name.lastIndexOf(QLatin1Char('_')) + 1).toInt();
}

// A bar pair, told as "Въпрос 3 от 21" or "Въведени отговори 3 от 21".
class BarAccessible : public QAccessibleWidget
{
public:
    BarAccessible(QWidget *bar, KOVRA_Prazno *window, bool position)
        : QAccessibleWidget(bar, QAccessible::ProgressBar), m_window(window), m_position(position)
    {}

    QString text(QAccessible::Text t) const override
    {
        const RunState &state = m_window->runState();
        switch (t) {
        case QAccessible::Name:
            return m_position ? QStringLiteral("Позиция в теста")
                              : QStringLiteral("Въведени отговори");
        case QAccessible::Value:
            return m_position ? QStringLiteral("Въпрос %1 от %2")
                                    .arg(state.CurrentPos + 1)
                                    .arg(state.QuestionCount)
                              : QStringLiteral("Въведени отговори %1 от %2")
                                    .arg(state.AnsweredCount)
                                    .arg(state.QuestionCount);
        default:
            return QAccessibleWidget::text(t);
        }
    }

private:
    KOVRA_Prazno *m_window;
    bool m_position;
};

// The answered indicator: its colour in words.
class IndicatorAccessible : public QAccessibleWidget
{
public:
    IndicatorAccessible(QWidget *indicator, KOVRA_Prazno *window)
        : QAccessibleWidget(indicator, QAccessible::Indicator), m_window(window)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name && t != QAccessible::Value) {
            return QAccessibleWidget::text(t);
        }
        const RunState &state = m_window->runState();
        const int p = state.CurrentPos;
        if (!state.isAnswered(p)) {
            return QStringLiteral("Няма въведен отговор");
        }
        if (inReview(*m_window)) {
            // A question of another kind may be partly right.
            const bool partly = m_window->kindAt(state.questionAt(p)) != nullptr &&
                                m_window->creditAt(p) > 0 && m_window->creditAt(p) < 1;
            return partly ? QStringLiteral("Частично верен отговор")
                   : state.List2(VerdictList).list(p) == "1" ? QStringLiteral("Верен отговор")
                                                             : QStringLiteral("Грешен отговор");
        }
        return QStringLiteral("Отговорът е въведен");
    }

private:
    KOVRA_Prazno *m_window;
};

// An option button: its caption with the answer it chooses; in review also its mark.
class OptionAccessible : public QAccessibleWidget
{
public:
    OptionAccessible(QRadioButton *option, KOVRA_Prazno *window)
        : QAccessibleWidget(option, QAccessible::RadioButton), m_window(window),
          m_slot(nameIndex(option))
    {
        addControllingSignal(QStringLiteral("clicked(bool)"));
    }

    QRadioButton *button() const { return static_cast<QRadioButton *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return QStringLiteral("Отговор %1: %2")
                .arg(kSlotLetters.at(m_slot))
                .arg(fromCp1251(m_window->Text2(m_slot + 1)->text()));
        case QAccessible::Description:
            return reviewMark();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }

    QStringList actionNames() const override
    {
        return button()->isEnabled() ? QStringList{pressAction()} : QStringList();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction() && button()->isEnabled()) {
            button()->click();
        }
    }

private:
    // The mark the review shows on this button, in words, read from the button as drawn: the
    // chosen button, selected, is green when right and red when wrong; another green button
    // holds the correct answer. A position without an answer shows no mark and gets no words.
    QString reviewMark() const
    {
        if (!inReview(*m_window)) {
            return {};
        }
        const QColor mark = backColor(button());
        if (mark == layout::kRed) {
            return QStringLiteral("Избраният отговор е грешен");
        }
        if (mark != layout::kGreen) {
            return {};
        }
        return button()->isChecked() ? QStringLiteral("Избраният отговор е верен")
                                     : QStringLiteral("Това е верният отговор");
    }

    KOVRA_Prazno *m_window;
    int m_slot;
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    KOVRA_Prazno *window = windowOf(object);
    if (window == nullptr) {
        return nullptr;
    }
    auto *widget = static_cast<QWidget *>(object);
    const QString name = object->objectName();
    if (name == QLatin1String("Shape1_0") || name == QLatin1String("Shape2_0")) {
        return new BarAccessible(widget, window, name.startsWith(QLatin1String("Shape1")));
    }
    if (name == QLatin1String("Picture1")) {
        return new IndicatorAccessible(widget, window);
    }
    if (className == QLatin1String("kovra::OptionButton") &&
        name.startsWith(QLatin1String("Option1_"))) {
        return new OptionAccessible(static_cast<QRadioButton *>(object), window);
    }
    return nullptr;
}

} // namespace

void installAccessibility(KOVRA_Prazno &window)
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);

    window.Text1(0)->setAccessibleName(QStringLiteral("Указания и обяснения"));
    window.Text1(1)->setAccessibleName(QStringLiteral("Бележка"));
    window.Text2(0)->setAccessibleName(QStringLiteral("Въпрос"));
    for (int s = 0; s < 5; ++s) {
        window.Text2(s + 1)->setAccessibleName(
            QStringLiteral("Текст на отговор %1").arg(kSlotLetters.at(s)));
    }
    window.Text2(6)->setAccessibleName(QStringLiteral("Фраза с избрания отговор"));
    window.Label1(0)->setAccessibleName(QStringLiteral("Заглавие на теста"));
    window.Label1(1)->setAccessibleName(QStringLiteral("Резултат"));
    window.Label1(2)->setAccessibleName(QStringLiteral("Брой въведени отговори"));
    window.Label1(3)->setAccessibleName(QStringLiteral("Проверка Тото"));
    window.Label1(4)->setAccessibleName(QStringLiteral("Въведен отговор"));
    window.Command1(0)->setAccessibleDescription(QStringLiteral("Следващ въпрос"));
    window.Command1(1)->setAccessibleDescription(QStringLiteral("Предишен въпрос"));
    window.Command2(0)->setAccessibleDescription(
        QStringLiteral("Показва резултата; след това отговорите не могат да се променят"));
    window.Command2(1)->setAccessibleDescription(QStringLiteral("Следващ въпрос в прегледа"));
    window.Command2(2)->setAccessibleDescription(QStringLiteral("Предишен въпрос в прегледа"));
    window.Picture2()->setAccessibleName(QStringLiteral("Чертеж към въпроса"));
    window.Shape1(1)->setAccessibleName(QStringLiteral("Оставащи въпроси"));
    window.Shape2(1)->setAccessibleName(QStringLiteral("Оставащи отговори"));
}

void installKeyboard(KOVRA_Prazno &window)
{
    // A key chooses the answer in its place, or ticks it where the question has several.
    const auto chooser = [&window](int slot) {
        return [&window, slot] {
            for (QAbstractButton *button : {static_cast<QAbstractButton *>(window.Option1(slot)),
                                            static_cast<QAbstractButton *>(window.Tick(slot))}) {
                if (button->isVisible() && button->isEnabled()) {
                    button->click();
                }
            }
        };
    };
    for (int s = 0; s < 5; ++s) {
        for (const QKeySequence &key : {QKeySequence(Qt::Key_1 + s), QKeySequence(Qt::Key_A + s)}) {
            auto *shortcut = new QShortcut(key, &window);
            QObject::connect(shortcut, &QShortcut::activated, &window, chooser(s));
        }
    }
    const auto mover = [&window](int answering, int review) {
        return [&window, answering, review] {
            for (QPushButton *button : {window.Command1(answering), window.Command2(review)}) {
                if (button->isVisible() && button->isEnabled()) {
                    button->click();
                    return;
                }
            }
        };
    };
    // While answering, the pages are the questions, wherever the focus is (the instructions box
    // keeps it after an answer chosen with a key); the review leaves them to a box that scrolls.
    const auto answering = [&window] { return !window.Command1(0)->isHidden(); };
    for (int i = 0; i < 2; ++i) {
        window.Text1(i)->setWindowPages(answering);
    }
    for (int i = 0; i < 7; ++i) {
        window.Text2(i)->setWindowPages(answering);
    }
    auto *next = new QShortcut(QKeySequence(Qt::Key_PageDown), &window);
    QObject::connect(next, &QShortcut::activated, &window, mover(0, 1));
    auto *previous = new QShortcut(QKeySequence(Qt::Key_PageUp), &window);
    QObject::connect(previous, &QShortcut::activated, &window, mover(1, 2));
}

} // namespace kovra
