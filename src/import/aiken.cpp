// SPDX-License-Identifier: GPL-3.0-or-later
// Aiken: a question, its lettered choices, the answer line.
#include "bank.h"
#include "text.h"

#include <QRegularExpression>

namespace kovra::importer {

namespace {

// The column of the letter after "ANSWER:".
int letterColumn(const QString &line)
{
    qsizetype at = line.indexOf(QLatin1Char(':')) + 1;
    while (at < line.size() && line.at(at).isSpace()) {
        ++at;
    }
    return int(at) + 1;
}

} // namespace

void readAiken(const QStringList &lines, Bank &bank)
{
    static const QRegularExpression choiceLine(QStringLiteral("^([A-Z])[.)]\\s+(\\S.*)$"));
    static const QRegularExpression answerLine(QStringLiteral("^ANSWER:\\s*(.*)$"));
    enum class State
    {
        Between,   // before a question
        Question,  // in the question's text
        Choices,   // in its choices
        Answered,  // after its answer line, which a blank line or the file's end follows
        SkipToEnd, // after an error, up to the next blank line
    } state = State::Between;
    BankQuestion question;
    const auto expected = [&] {
        return question.choices.size() >= KOVRA_Danni::kMaxChoices
                   ? QStringLiteral("answer")
                   : QString(QChar(char16_t(u'A' + question.choices.size())));
    };
    for (int i = 0; i < lastLine(lines) && !bank.full(); ++i) {
        const QString line = lines.at(i).trimmed();
        const int number = i + 1;
        const QRegularExpressionMatch choice = choiceLine.match(line);
        const QRegularExpressionMatch answer = answerLine.match(line);
        switch (state) {
        case State::Answered:
            if (!line.isEmpty()) {
                bank.error(ProblemKind::BankUnexpected, number, 0, QStringLiteral("blank"));
            }
            state = line.isEmpty() ? State::Between : State::SkipToEnd;
            break;
        case State::SkipToEnd:
            if (line.isEmpty()) {
                state = State::Between;
            }
            break;
        case State::Between:
            if (!line.isEmpty()) {
                question = BankQuestion();
                question.line = number;
                question.text = line;
                state = State::Question;
            }
            break;
        case State::Question:
            if (choice.hasMatch() && choice.captured(1) == QLatin1String("A")) {
                question.choices << choice.captured(2).simplified();
                state = State::Choices;
            } else if (line.isEmpty() || choice.hasMatch() || answer.hasMatch()) {
                bank.error(ProblemKind::BankUnexpected, number, 0, QStringLiteral("first"));
                state = line.isEmpty() ? State::Between : State::SkipToEnd;
            } else {
                question.text = (question.text + QLatin1Char(' ') + line).simplified();
            }
            break;
        case State::Choices:
            if (choice.hasMatch() && choice.captured(1) == expected()) {
                question.choices << choice.captured(2).simplified();
            } else if (answer.hasMatch()) {
                const QString letter = answer.captured(1).trimmed();
                const qsizetype at = letter.size() == 1 ? letter.at(0).unicode() - u'A' : -1;
                if (at < 0 || at >= question.choices.size()) {
                    bank.error(ProblemKind::BankAnswer, number, letterColumn(lines.at(i)), letter);
                } else if (question.choices.size() < KOVRA_Danni::kMinChoices) {
                    bank.error(ProblemKind::ChoiceCount, question.line, 0,
                               QString::number(question.choices.size()));
                } else {
                    question.key = question.choices.at(at);
                    question.lastLine = number;
                    bank.questions.push_back(question);
                }
                state = State::Answered;
            } else {
                bank.error(ProblemKind::BankUnexpected, number, 0, expected());
                state = line.isEmpty() ? State::Between : State::SkipToEnd;
            }
            break;
        }
    }
    if ((state == State::Question || state == State::Choices) && !bank.full()) {
        bank.error(ProblemKind::BankUnexpected, lastLine(lines), 0, QStringLiteral("end"));
    }
}
} // namespace kovra::importer
