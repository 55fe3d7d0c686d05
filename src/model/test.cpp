// SPDX-License-Identifier: GPL-3.0-or-later
#include "test.h"

#include <algorithm>

namespace kovra {

QStringList defaultSettingsWords()
{
    return {QStringLiteral("Настройки - последната цифра"),
            QStringLiteral("ЧЕО - фраза от 2 части - "),
            QStringLiteral("Проверка за Тото - "),
            QString(),
            QStringLiteral("Дава описание - "),
            QStringLiteral("Дава обяснения - ")};
}

bool Question::hasKey() const
{
    switch (kind) {
    case QuestionKind::Single:
        return hasRight();
    case QuestionKind::Several:
        return !weights.empty();
    case QuestionKind::Typed:
    case QuestionKind::Number:
        return !accepted.empty();
    case QuestionKind::Matching:
        return !matches.empty();
    }
    return false;
}

Test pupilsCopy(const Test &test, int timePercent)
{
    Test copy = test;
    copy.note.clear();
    copy.explanations = false;
    copy.reviewButtons = false;
    copy.collectResults = true; // a test for marks is handed in
    for (Question &question : copy.questions) {
        question.right = -1;
        question.weights.clear();
        question.accepted.clear();
        question.matches.clear();
        question.explanation.clear();
        // Sorted by their texts: whatever order the teacher wrote them in, the right one first or
        // last, the copy's order says nothing of it. The player reorders them at every start.
        std::sort(question.choices.begin(), question.choices.end());
        question.source = {};
    }
    if (copy.forMarks) {
        copy.forMarks->secretKey.clear();
        const int minutes = copy.forMarks->minutes;
        copy.forMarks->minutes =
            std::min(kMaxMinutes, (minutes * std::max(timePercent, 100) + 99) / 100);
    }
    return copy;
}

} // namespace kovra
