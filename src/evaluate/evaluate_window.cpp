// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluation, review mode and the check of the repeated question.

#include "content/cp1251.h"
#include "content/textnum.h"
#include "evaluate/grade.h"
#include "present/navigation.h"
#include "ui/kovra_prazno.h"
#include "ui/layout.h"
#include "ui/widgets.h"

#include <QPushButton>
#include <QRadioButton>

namespace kovra {

void KOVRA_Prazno::Command2_Click(int index)
{
    if (index == 0 && m_forMarks) {
        Q_EMIT handInAsked();
        return;
    }
    if (index == 0) {
        flushTyping();
        m_evaluated = true;
        Command2(0)->setEnabled(false);
        Command1(0)->hide();
        Command1(1)->hide();
        const bool reviewButtons = Danni().flag(ExplanationsRow) == 1;
        Command2(1)->setVisible(reviewButtons);
        Command2(2)->setVisible(reviewButtons);
        for (int i = 1; i <= 5; ++i) {
            Option1(i - 1)->setEnabled(false);
            setBackColor(Option1(i - 1), layout::kReviewColor);
        }
        const int count = countRight(m_state);
        // Partly right answers count by their credit, in points: "Резултат: 2,5/4 = 62%".
        Label1(1)->setCaption(
            hasKinds() ? creditScoreLine(Label1(1)->caption(), creditsAll(), m_state.QuestionCount)
                       : scoreLine(Label1(1)->caption(), count, m_state.QuestionCount));
        m_state.CurrentPos = 0;
        Shape1(1)->show();
        RunTotoCheck();
        ShowReview();
        Q_EMIT evaluated();
        return;
    }
    stepPosition(m_state, index == 1 ? 1 : index == 2 ? -1 : 0);
    ShowReview();
}

void KOVRA_Prazno::RunTotoCheck()
{
    Label1(3)->setCaption(totoVerdict(m_state));
    Label1(3)->setVisible(Danni().flag(TotoRow) > 0);
}

void KOVRA_Prazno::ShowReview()
{
    const int p = m_state.CurrentPos;
    const int q = m_state.questionAt(p);
    UpdateStatus();
    const TextList &question = Danni().List1(q + 1);
    const int k = question.listCount() - 1;
    Text2(0)->setText(question.list(0));
    hideKinds();
    if (const Question *kind = kindAt(q)) {
        for (int i = 0; i < 5; ++i) {
            Option1(i)->hide();
        }
        Text2(6)->setText(QByteArray(""));
        SelectCurrentRows();
        setBackColor(m_picture1, m_credits.at(std::size_t(p)) >= 1 ? layout::kGreen : layout::kRed);
        ShowFigure(q);
        ShowKindReview(q, *kind);
        return;
    }
    const QByteArray &order = m_state.List2(AnswerOrderList).list(q);
    for (int i = 1; i <= 5; ++i) {
        QRadioButton *option = Option1(i - 1);
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
        setBackColor(option, layout::kReviewColor);
        if (i <= k) {
            Text2(i)->show();
            option->show();
            const int d = readIndex(order.mid(i - 1, 1));
            Text2(i)->setText(question.list(d));
        } else {
            Text2(i)->hide();
            option->hide();
        }
    }
    Text2(6)->setText(QByteArray(""));
    const int ch = readIndex(m_state.List2(ChosenSlotList).list(p));
    if (ch > -1) {
        selectOption(ch);
        const int cs = readIndex(m_state.List2(CorrectSlotList).list(p));
        if (cs >= 0) {
            setBackColor(Option1(cs), layout::kGreen);
        }
        const bool right = Text2(ch + 1)->text() == Danni().List1(0).list(q);
        setBackColor(Option1(ch), right ? layout::kGreen : layout::kRed);
    }
    SelectCurrentRows();
    const int v = readIndex(m_state.List2(VerdictList).list(p));
    if (v < 1) {
        setBackColor(m_picture1, layout::kRed);
    }
    ShowFigure(q);
    Text1(0)->setText(QByteArray(""));
    if (v < 0) {
        Text1(0)->setText(w1251("Няма въведен отговор!"));
        return;
    }
    if (Danni().flag(DescriptionRow) > 0) {
        const TextList &explanation = Danni().Obqsnenie(q + 1);
        QByteArray text = Text1(0)->text();
        for (int j = 1; j <= explanation.listCount(); ++j) {
            text += explanation.list(j - 1) + "\r\n";
        }
        Text1(0)->setText(text);
    }
}

} // namespace kovra
