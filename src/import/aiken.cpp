// SPDX-License-Identifier: GPL-3.0-or-later
// Aiken, read with Moodle's tolerance: a question on one or more lines, its lettered choices
// ("A." or "A)", with or without a blank after), the answer line; a blank line between questions
// is usual but not needed, and the answer's letter may be lower-case.
#include "bank.h"
#include "text.h"

#include <QRegularExpression>

namespace kovra::importer {

namespace {

// The column of the letter after "ANSWER:".
int letterColumn(QStringView line)
{
    qsizetype at = line.indexOf(u':') + 1;
    while (at < line.size() && line.at(at).isSpace()) {
        ++at;
    }
    return int(at) + 1;
}

} // namespace

void readAiken(QStringView text, Bank &bank)
{
    static const QRegularExpression choiceLine(QStringLiteral("^([A-Z])[.)]\\s*(\\S.*)$"));
    static const QRegularExpression answerLine(QStringLiteral("^ANSWER:\\s*(.*)$"));
    enum class State
    {
        Between,   // before a question, or after the answer line of one
        Question,  // in the question's text
        Choices,   // in its choices
        SkipToEnd, // after an error, up to the next blank line
    } state = State::Between;
    Question question;
    QStringList textLines; // the question's lines, joined once at its first choice
    qsizetype chars = 0;
    const auto expected = [&] {
        return QString(QChar(char16_t(
            u'A' + std::min<qsizetype>(question.choices.size(), KOVRA_Danni::kMaxChoices - 1))));
    };
    int number = 0;
    for (SourceLines lines(text); lines.next() && !bank.full();) {
        const QStringView line = lines.line().trimmed();
        number = lines.number();
        if (state == State::SkipToEnd) {
            if (line.isEmpty()) {
                state = State::Between;
            }
            continue;
        }
        if (state == State::Between) {
            if (!line.isEmpty()) {
                question = Question();
                question.source.line = number;
                textLines = QStringList{line.toString()};
                chars = line.size();
                state = State::Question;
            }
            continue;
        }
        chars += line.size() + 1;
        if (chars > kMaxQuestionChars) {
            bank.error({.kind = ProblemKind::BankQuestionTooLong,
                        .line = question.source.line,
                        .limit = kMaxQuestionChars});
            state = State::SkipToEnd;
            continue;
        }
        const QRegularExpressionMatch choice = choiceLine.match(line);
        const QRegularExpressionMatch answer = answerLine.match(line);
        if (state == State::Question) {
            if (choice.hasMatch() && choice.capturedView(1) == u"A") {
                question.text = textLines.join(u' ').simplified();
                textLines.clear();
                question.choices << choice.captured(2).simplified();
                state = State::Choices;
            } else if (line.isEmpty() || choice.hasMatch() || answer.hasMatch()) {
                bank.unexpected(number, BankExpectation::FirstChoice);
                state = line.isEmpty() ? State::Between : State::SkipToEnd;
            } else {
                textLines << line.toString();
            }
            continue;
        }
        // In the choices.
        if (choice.hasMatch() && choice.captured(1) == expected()) {
            question.choices << choice.captured(2).simplified();
        } else if (answer.hasMatch()) {
            const QString letter = answer.captured(1).trimmed().toUpper();
            const qsizetype at = letter.size() == 1 ? letter.at(0).unicode() - u'A' : -1;
            if (at < 0 || at >= question.choices.size()) {
                bank.error(ProblemKind::BankAnswer, number, letterColumn(lines.line()),
                           answer.captured(1).trimmed());
            } else if (question.choices.size() < KOVRA_Danni::kMinChoices) {
                bank.choiceCount(question.source.line, question.choices.size());
            } else {
                question.right = static_cast<int>(at);
                question.source.lastLine = number;
                bank.add(question);
            }
            state = State::Between;
        } else {
            if (question.choices.size() >= KOVRA_Danni::kMaxChoices) {
                bank.unexpected(number, BankExpectation::AnswerLine);
            } else {
                bank.unexpected(number, BankExpectation::NextChoice, expected());
            }
            state = line.isEmpty() ? State::Between : State::SkipToEnd;
        }
    }
    if ((state == State::Question || state == State::Choices) && !bank.full()) {
        bank.unexpected(lastLine(text), BankExpectation::AnswerBeforeEnd);
    }
}

} // namespace kovra::importer
