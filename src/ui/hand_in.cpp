// SPDX-License-Identifier: GPL-3.0-or-later
// A test for marks: its answers handed in, with no score and no review; and a stopped run's
// answers chosen again.

#include "content/cp1251.h"
#include "ui/kind_panel.h"
#include "ui/kovra_prazno.h"
#include "ui/widgets.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace kovra {

void KOVRA_Prazno::handIn(const QString &why)
{
    if (m_handedIn || !m_danni) {
        return;
    }
    // What was typed last is kept, then answering ends for good, as at the evaluation; nothing
    // of the evaluation follows.
    flushTyping();
    m_handedIn = true;
    Command2(0)->setEnabled(false);
    Command1(0)->hide();
    Command1(1)->hide();
    for (int i = 0; i < 5; ++i) {
        Option1(i)->setEnabled(false);
        m_tick[i]->setEnabled(false);
    }
    m_kindPanel->setEnabled(false);
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

void KOVRA_Prazno::chooseAgain(const std::vector<int> &slots,
                               const std::vector<Response> &responses)
{
    const int n = std::min<int>(m_state.QuestionCount, static_cast<int>(slots.size()));
    int firstOpen = -1;
    for (int p = 0; p < m_state.QuestionCount; ++p) {
        const auto at = static_cast<std::size_t>(p);
        const int slot = p < n ? slots[at] : -1;
        bool given = false;
        if (kindAt(m_state.questionAt(p))) {
            answerAgain(p, at < responses.size() ? responses[at] : Response());
            given = !m_responses.at(at).isEmpty();
        } else {
            m_state.CurrentPos = static_cast<std::int16_t>(p);
            ShowQuestion();
            given = slot >= 0 && slot < 5 && !Option1(slot)->isHidden();
            if (given) {
                selectOption(slot); // recorded as the pupil's click is
            }
        }
        if (!given && firstOpen < 0) {
            firstOpen = p;
        }
    }
    m_state.CurrentPos = static_cast<std::int16_t>(std::max(0, firstOpen));
    ShowQuestion();
}

} // namespace kovra
