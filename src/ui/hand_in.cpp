// SPDX-License-Identifier: GPL-3.0-or-later
// A test for marks: its answers handed in, with no score and no review; and a stopped run's
// answers chosen again.

#include "content/cp1251.h"
#include "ui/kovra_prazno.h"
#include "ui/widgets.h"

#include <QPushButton>
#include <QRadioButton>

namespace kovra {

void KOVRA_Prazno::handIn(const QString &why)
{
    if (m_handedIn || !m_danni) {
        return;
    }
    m_handedIn = true;
    // Answering ends for good, as at the evaluation; nothing of the evaluation follows.
    Command2(0)->setEnabled(false);
    Command1(0)->hide();
    Command1(1)->hide();
    for (int i = 0; i < 5; ++i) {
        Option1(i)->setEnabled(false);
    }
    const int answered = m_state.AnsweredCount;
    const int questions = m_state.QuestionCount;
    Label1(1)->setCaption(
        toCp1251(QStringLiteral("Предадени отговори: %1/%2").arg(answered).arg(questions))
            .value_or(QByteArray()));
    const QString text =
        why + QStringLiteral("\r\nОтговорихте на %1 от %2 въпроса. Учителят ще ги оцени и ще "
                             "ви каже резултата.")
                  .arg(answered)
                  .arg(questions);
    Text1(0)->setText(toCp1251(text).value_or(QByteArray()));
    Q_EMIT evaluated();
}

void KOVRA_Prazno::chooseAgain(const std::vector<int> &slots)
{
    const int n = std::min<int>(m_state.QuestionCount, static_cast<int>(slots.size()));
    int firstOpen = -1;
    for (int p = 0; p < m_state.QuestionCount; ++p) {
        const int slot = p < n ? slots[static_cast<std::size_t>(p)] : -1;
        m_state.CurrentPos = static_cast<std::int16_t>(p);
        ShowQuestion();
        if (slot >= 0 && slot < 5 && !Option1(slot)->isHidden()) {
            selectOption(slot); // recorded as the pupil's click is
        } else if (firstOpen < 0) {
            firstOpen = p;
        }
    }
    m_state.CurrentPos = static_cast<std::int16_t>(std::max(0, firstOpen));
    ShowQuestion();
}

} // namespace kovra
