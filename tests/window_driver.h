// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the real window on content made in memory and drives it as the pupil does: clicks on
// the option buttons and on the push buttons.
#pragma once

#include "content/cp1251.h"
#include "content_builder.h"
#include "run/random.h"
#include "ui/kovra_prazno.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <vector>

namespace kovra::testing {

inline const QColor kRed{255, 0, 0};
inline const QColor kGreen{0, 255, 0};
inline const QColor kReviewBlue{192, 192, 255};

// The draws of a start-up: first the rows of the step-prime list that the step draws land on
// (u * 10 rounds to the row while the list is long enough), then one permutation-table row
// per question index for its answer order (u * 1000 rounds to the row).
inline std::vector<float> startDraws(const QList<int> &stepRows, const QList<int> &orderRows)
{
    std::vector<float> draws;
    for (const int row : stepRows) {
        draws.push_back(static_cast<float>(row) / 10.0F);
    }
    for (const int row : orderRows) {
        draws.push_back(static_cast<float>(row) / 1000.0F);
    }
    return draws;
}

// Identity answer orders for n question indexes.
inline QList<int> firstRows(int n)
{
    return QList<int>(n, 0);
}

inline std::unique_ptr<KOVRA_Prazno> openWindow(KOVRA_Danni content, std::vector<float> draws)
{
    auto window = std::make_unique<KOVRA_Prazno>(std::make_unique<FixedDraws>(std::move(draws)));
    window->load(std::move(content));
    window->show();
    return window;
}

// Opens a new window in place of the one held, and waits until it shows.
inline void reopen(std::unique_ptr<KOVRA_Prazno> &window, KOVRA_Danni content,
                   std::vector<float> draws)
{
    window.reset();
    window = openWindow(std::move(content), std::move(draws));
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

// Makes the window the active one, for keys and focus.
inline void activate(KOVRA_Prazno &w)
{
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The builder's text of a question.
inline QByteArray questionText(int questionIndex)
{
    return "Question " + QByteArray::number(questionIndex + 1) + " ___ end";
}

inline bool shown(const KOVRA_Prazno &w, const QWidget *widget)
{
    return widget->isVisibleTo(&w);
}

inline int shownSlots(const KOVRA_Prazno &w)
{
    int count = 0;
    for (int s = 0; s < 5; ++s) {
        count += shown(w, w.Option1(s)) ? 1 : 0;
    }
    return count;
}

// The slot whose answer box shows the text, or -1.
inline int slotShowing(const KOVRA_Prazno &w, const QByteArray &text)
{
    for (int s = 0; s < 5; ++s) {
        if (shown(w, w.Text2(s + 1)) && w.Text2(s + 1)->text() == text) {
            return s;
        }
    }
    return -1;
}

// The key of the question on screen.
inline QByteArray keyOnScreen(const KOVRA_Prazno &w)
{
    const RunState &state = w.runState();
    return w.content()->List1(0).list(state.questionAt(state.CurrentPos));
}

// The checked option button, or -1.
inline int checkedSlot(const KOVRA_Prazno &w)
{
    int checked = -1;
    for (int s = 0; s < 5; ++s) {
        if (w.Option1(s)->isChecked()) {
            if (checked != -1) {
                return -2; // more than one
            }
            checked = s;
        }
    }
    return checked;
}

inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

inline void chooseSlot(KOVRA_Prazno &w, int slot)
{
    click(w.Option1(slot));
}

// Clicks the slot showing the right answer ('r') or the first slot that does not ('w').
inline bool chooseVerdict(KOVRA_Prazno &w, char verdict)
{
    const QByteArray key = keyOnScreen(w);
    for (int s = 0; s < 5; ++s) {
        if (shown(w, w.Option1(s)) && (w.Text2(s + 1)->text() == key) == (verdict == 'r')) {
            chooseSlot(w, s);
            return true;
        }
    }
    return false;
}

// Presses "Напред" (f) or "Назад" (b) of the answering mode, one press a letter.
inline void navigate(KOVRA_Prazno &w, const QString &presses)
{
    for (const QChar press : presses) {
        click(w.Command1(press == QLatin1Char('f') ? 0 : 1));
    }
}

// The same with the review buttons.
inline void reviewNavigate(KOVRA_Prazno &w, const QString &presses)
{
    for (const QChar press : presses) {
        click(w.Command2(press == QLatin1Char('f') ? 1 : 2));
    }
}

inline void evaluate(KOVRA_Prazno &w)
{
    click(w.Command2(0));
}

inline QByteArray row(const KOVRA_Prazno &w, int list, int position)
{
    return w.runState().List2(list).list(position);
}

} // namespace kovra::testing
