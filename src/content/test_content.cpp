// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_content.h"

#include "cp1251.h"

#include <numeric>

namespace kovra {

namespace {

TextList rowsOf(const QStringList &lines)
{
    TextList rows;
    for (const QString &line : lines) {
        rows.addItem(cp1251Row(line));
    }
    return rows;
}

// A flag row: its words and digit. Words that end in a digit already (a flag the reader warned
// of) are the row as they are.
QString flagRow(const Test &test, int row, bool on)
{
    const QString words = test.settingsWords.value(row);
    if (!on && !words.isEmpty() && words.back().isDigit()) {
        return words;
    }
    return words + (on ? QLatin1Char('1') : QLatin1Char('0'));
}

} // namespace

QStringList settingsRows(const Test &test)
{
    return {test.settingsWords.value(HeaderRow),
            flagRow(test, PhraseModeRow, test.phrase),
            flagRow(test, TotoRow, test.askAgain),
            test.title,
            flagRow(test, DescriptionRow, test.explanations),
            flagRow(test, ExplanationsRow, test.reviewButtons)};
}

void takeSettingsRows(const QStringList &rows, Test &test)
{
    const auto on = [&rows](int row) { return rows.value(row).endsWith(QLatin1Char('1')); };
    test.phrase = on(PhraseModeRow);
    test.askAgain = on(TotoRow);
    test.explanations = on(DescriptionRow);
    test.reviewButtons = on(ExplanationsRow);
    test.title = rows.value(TitleRow);
    for (int row = 0; row < rows.size() && row < KOVRA_Danni::kSettingsRows; ++row) {
        QString words = row == TitleRow ? QString() : rows.at(row);
        if (row != HeaderRow &&
            (words.endsWith(QLatin1Char('0')) || words.endsWith(QLatin1Char('1')))) {
            words.chop(1);
        }
        test.settingsWords[row] = words;
    }
}

QByteArray cp1251Row(const QString &text)
{
    return toCp1251(text).value_or(QByteArray());
}

void placeQuestions(const Test &test, const std::vector<int> &picks, KOVRA_Danni &content)
{
    TextList &key = content.List1(0);
    key.clear();
    const int n = static_cast<int>(picks.size());
    for (int k = 1; k <= n; ++k) {
        const Question &question = test.questions.at(static_cast<std::size_t>(picks[k - 1]));
        key.addItem(cp1251Row(question.choices.value(question.right)));
        TextList &rows = content.List1(k);
        rows.clear();
        rows.addItem(cp1251Row(question.text));
        for (const QString &choice : question.choices) {
            rows.addItem(cp1251Row(choice));
        }
        content.Obqsnenie(k) = rowsOf(question.explanation);
        content.setPicture1File(k, question.figure.bytes, question.figure.format);
    }
    // The slots past the run hold what they hold for any test of n questions.
    for (int k = n + 1; k < KOVRA_Danni::kQuestionLists; ++k) {
        content.List1(k) =
            TextList{cp1251Row(QStringLiteral("List1(%1) - въпрос от теста").arg(k))};
    }
    for (int k = n + 1; k < KOVRA_Danni::kFigureSlots; ++k) {
        content.Obqsnenie(k) = TextList{cp1251Row(QStringLiteral("Обяснение %1").arg(k))};
        content.setPicture1File(k, QByteArray());
    }
}

Test testOf(const KOVRA_Danni &content)
{
    Test test;
    QStringList settings;
    for (const QByteArray &row : content.List2().rows()) {
        settings << fromCp1251(row);
    }
    takeSettingsRows(settings, test);
    for (const QByteArray &row : content.Text1(0).rows()) {
        test.note << fromCp1251(row);
    }
    const int n = content.List1(0).listCount();
    for (int k = 1; k <= n; ++k) {
        Question question;
        const TextList &rows = content.List1(k);
        question.text = rows.listCount() > 0 ? fromCp1251(rows.list(0)) : QString();
        for (int row = 1; row < rows.listCount(); ++row) {
            question.choices << fromCp1251(rows.list(row));
        }
        question.right =
            static_cast<int>(question.choices.indexOf(fromCp1251(content.List1(0).list(k - 1))));
        if (k < KOVRA_Danni::kFigureSlots) {
            for (const QByteArray &row : content.Obqsnenie(k).rows()) {
                question.explanation << fromCp1251(row);
            }
            question.figure.bytes = content.Picture1File(k);
            question.figure.format = content.Picture1Format(k);
        }
        test.questions.push_back(std::move(question));
    }
    return test;
}

KOVRA_Danni contentOf(const Test &test)
{
    KOVRA_Danni content;
    content.List2() = rowsOf(settingsRows(test));
    content.Text1(0) = rowsOf(test.note);
    std::vector<int> run(static_cast<std::size_t>(test.runQuestions()));
    std::iota(run.begin(), run.end(), 0);
    placeQuestions(test, run, content);
    content.Obqsnenie(0) = TextList{cp1251Row(QStringLiteral("Обяснение 0"))};
    return content;
}

} // namespace kovra
