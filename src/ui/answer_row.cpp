// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_row.h"

#include "kovra_prazno.h"
#include "layout.h"
#include "widgets.h"

#include <QEvent>
#include <QRadioButton>

namespace kovra {

namespace {

// Places the slots as the fifth slot's box is shown or hidden: the program shows or hides it
// with every question, before or after the window is on screen.
class AnswerRow : public QObject
{
public:
    explicit AnswerRow(KOVRA_Prazno &window) : QObject(&window), m_window(window)
    {
        window.Text2(5)->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
            place(event->type() == QEvent::ShowToParent);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void place(bool five)
    {
        for (int s = 0; s < 5; ++s) {
            m_window.Text2(s + 1)->setGeometry(
                toPixels(five ? layout::kText2Five[s] : layout::kText2[s + 1]));
            m_window.Option1(s)->setGeometry(
                toPixels(five ? layout::kOption1Five[s] : layout::kOption1[s]));
        }
    }

    KOVRA_Prazno &m_window;
};

} // namespace

void installAnswerRow(KOVRA_Prazno &window)
{
    new AnswerRow(window);
}

} // namespace kovra
