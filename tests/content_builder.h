// SPDX-License-Identifier: GPL-3.0-or-later
// Builds small content sets in memory for tests.
#pragma once

#include "content/cp1251.h"
#include "content/danni.h"

#include <vector>

namespace kovra::testing {

// n questions; question k has choices[k-1] choices "k.1", "k.2", ... and key "k.1".
// Flags: phrase mode, check question, description, explanations (the digit ending each row).
struct ContentPlan
{
    std::vector<int> choices;
    char phrase = '0';
    char toto = '0';
    char description = '1';
    char explanations = '0';
};

inline KOVRA_Danni makeContent(const ContentPlan &plan)
{
    KOVRA_Danni content;
    content.List2().addItem(w1251("Настройки - последната цифра"));
    content.List2().addItem(w1251("ЧЕО - фраза от 2 части - ") + plan.phrase);
    content.List2().addItem(w1251("Проверка за Тото - ") + plan.toto);
    content.List2().addItem(w1251("Тестов тест"));
    content.List2().addItem(w1251("Дава описание - ") + plan.description);
    content.List2().addItem(w1251("Дава обяснения - ") + plan.explanations);
    const int n = static_cast<int>(plan.choices.size());
    for (int k = 1; k <= n; ++k) {
        const QByteArray number = QByteArray::number(k);
        content.List1(0).addItem(number + ".1");
        content.List1(k).addItem("Question " + number + " ___ end");
        for (int c = 1; c <= plan.choices[k - 1]; ++c) {
            content.List1(k).addItem(number + '.' + QByteArray::number(c));
        }
        content.Obqsnenie(k).addItem("Explanation " + number + " line 1");
        content.Obqsnenie(k).addItem("Explanation " + number + " line 2");
    }
    for (int k = n + 1; k < KOVRA_Danni::kQuestionLists; ++k) {
        content.List1(k).addItem("List1(" + QByteArray::number(k) + ") spare");
    }
    content.Obqsnenie(0).addItem("Explanation 0");
    for (int k = n + 1; k < KOVRA_Danni::kFigureSlots; ++k) {
        content.Obqsnenie(k).addItem("Explanation " + QByteArray::number(k));
    }
    return content;
}

// The rows of a list, to compare whole.
inline QList<QByteArray> rowsOf(const TextList &list)
{
    return QList<QByteArray>(list.rows().begin(), list.rows().end());
}

inline ContentPlan fourChoices(int n, char toto = '0')
{
    ContentPlan plan;
    plan.choices.assign(static_cast<std::size_t>(n), 4);
    plan.toto = toto;
    return plan;
}

} // namespace kovra::testing
