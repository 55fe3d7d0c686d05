// SPDX-License-Identifier: GPL-3.0-or-later
#include "pool.h"

#include "cp1251.h"

namespace kovra {

void placeQuestions(const QuestionPool &pool, const std::vector<int> &picks, KOVRA_Danni &content)
{
    TextList &key = content.List1(0);
    key.clear();
    const int n = static_cast<int>(picks.size());
    for (int k = 1; k <= n; ++k) {
        const PooledQuestion &question = pool.questions.at(static_cast<std::size_t>(picks[k - 1]));
        key.addItem(question.key);
        content.List1(k) = question.question;
        content.Obqsnenie(k) = question.explanation;
        content.setPicture1File(k, question.figure, question.figureFormat);
    }
    // The slots past the run hold what they hold for any test of n questions.
    for (int k = n + 1; k < KOVRA_Danni::kQuestionLists; ++k) {
        content.List1(k) = TextList{
            w1251(QStringLiteral("List1(%1) - въпрос от теста").arg(k).toUtf8().constData())};
    }
    for (int k = n + 1; k < KOVRA_Danni::kFigureSlots; ++k) {
        content.Obqsnenie(k) =
            TextList{w1251(QStringLiteral("Обяснение %1").arg(k).toUtf8().constData())};
        content.setPicture1File(k, QByteArray());
    }
}

} // namespace kovra
