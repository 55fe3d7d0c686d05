// SPDX-License-Identifier: GPL-3.0-or-later
// Aiken, read with Moodle's tolerance: a question on one or more lines, its lettered choices
// ("A." or "A)", with or without a blank after), the answer line; a blank line between questions
// is usual but not needed, and the answer's letter may be lower-case. Lines of the question
// before its choice "A." are its text, also one that begins with another letter ("I. ...").
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

// The reader's place in the bank, line by line.
class AikenReader
{
public:
    explicit AikenReader(Bank &bank) : m_bank(bank) {}

    void read(QStringView text);

private:
    enum class State
    {
        Between,   // before a question, or after the answer line of one
        Question,  // in the question's text
        Choices,   // in its choices
        SkipToEnd, // after an error, up to the next blank line
    };
    void inQuestion(QStringView line, int number);
    void inChoices(QStringView line, QStringView whole, int number);
    void answered(const QRegularExpressionMatch &answer, QStringView whole, int number);
    // The letter of the next choice.
    [[nodiscard]] QString expected() const
    {
        return QString(QChar(char16_t(
            u'A' + std::min<qsizetype>(m_question.choices.size(), KOVRA_Danni::kMaxChoices - 1))));
    }

    Bank &m_bank;
    State m_state = State::Between;
    Question m_question;
    QStringList m_textLines; // the question's lines, joined once at its first choice
    QChar m_lettered;        // the letter the question's last line began with, in upper case
    qsizetype m_chars = 0;
};

const QRegularExpression &choiceLine()
{
    static const QRegularExpression choice(QStringLiteral("^([A-Z])[.)]\\s*(\\S.*)$"));
    return choice;
}

// The letter a line begins with as a choice would ("b." or "B)"), in upper case; none otherwise.
QChar letterOf(QStringView line)
{
    static const QRegularExpression lettered(QStringLiteral("^([A-Za-z])[.)]\\s*\\S"));
    const QRegularExpressionMatch match = lettered.match(line);
    return match.hasMatch() ? match.capturedView(1).front().toUpper() : QChar();
}

const QRegularExpression &answerLine()
{
    static const QRegularExpression answer(QStringLiteral("^ANSWER:\\s*(.*)$"));
    return answer;
}

void AikenReader::read(QStringView text)
{
    for (SourceLines lines(text); lines.next() && !m_bank.full();) {
        const QStringView line = lines.line().trimmed();
        const int number = lines.number();
        if (m_state == State::SkipToEnd) {
            if (line.isEmpty()) {
                m_state = State::Between;
            }
            continue;
        }
        if (m_state == State::Between) {
            if (!line.isEmpty()) {
                m_question = Question();
                m_question.source.line = number;
                m_textLines = QStringList{line.toString()};
                m_lettered = letterOf(line);
                m_chars = line.size();
                m_state = State::Question;
            }
            continue;
        }
        m_chars += line.size() + 1;
        if (m_chars > kMaxQuestionChars) {
            m_bank.error({.kind = ProblemKind::BankQuestionTooLong,
                          .line = m_question.source.line,
                          .limit = kMaxQuestionChars});
            m_state = State::SkipToEnd;
        } else if (m_state == State::Question) {
            inQuestion(line, number);
        } else {
            inChoices(line, lines.line(), number);
        }
    }
    if ((m_state == State::Question || m_state == State::Choices) && !m_bank.full()) {
        m_bank.unexpected(lastLine(text), BankExpectation::AnswerBeforeEnd);
    }
}

void AikenReader::inQuestion(QStringView line, int number)
{
    const QRegularExpressionMatch choice = choiceLine().match(line);
    if (choice.hasMatch() && choice.capturedView(1) == u"A") {
        m_question.text = m_textLines.join(u' ').simplified();
        m_textLines.clear();
        m_question.choices << choice.captured(2).simplified();
        m_state = State::Choices;
        return;
    }
    // A choice after a line lettered as the one before it would be: the choices' letters are
    // wrong ("a." then "B."). Any other lettered line is the question's text.
    const bool misLettered = choice.hasMatch() && !m_lettered.isNull() &&
                             m_lettered.unicode() + 1 == choice.capturedView(1).front().unicode();
    if (line.isEmpty() || misLettered || answerLine().match(line).hasMatch()) {
        m_bank.unexpected(number, BankExpectation::FirstChoice);
        m_state = line.isEmpty() ? State::Between : State::SkipToEnd;
    } else {
        m_textLines << line.toString();
        m_lettered = letterOf(line);
    }
}

void AikenReader::inChoices(QStringView line, QStringView whole, int number)
{
    const QRegularExpressionMatch choice = choiceLine().match(line);
    if (choice.hasMatch() && choice.captured(1) == expected()) {
        m_question.choices << choice.captured(2).simplified();
        return;
    }
    if (const QRegularExpressionMatch answer = answerLine().match(line); answer.hasMatch()) {
        answered(answer, whole, number);
        m_state = State::Between;
        return;
    }
    if (m_question.choices.size() >= KOVRA_Danni::kMaxChoices) {
        m_bank.unexpected(number, BankExpectation::AnswerLine);
    } else {
        m_bank.unexpected(number, BankExpectation::NextChoice, expected());
    }
    m_state = line.isEmpty() ? State::Between : State::SkipToEnd;
}

void AikenReader::answered(const QRegularExpressionMatch &answer, QStringView whole, int number)
{
    const QString letter = answer.captured(1).trimmed().toUpper();
    const qsizetype at = letter.size() == 1 ? letter.at(0).unicode() - u'A' : -1;
    if (at < 0 || at >= m_question.choices.size()) {
        m_bank.error(ProblemKind::BankAnswer, number, letterColumn(whole),
                     answer.captured(1).trimmed());
    } else if (m_question.choices.size() < KOVRA_Danni::kMinChoices) {
        m_bank.choiceCount(m_question.source.line, m_question.choices.size());
    } else {
        m_question.right = static_cast<int>(at);
        m_question.source.lastLine = number;
        m_bank.add(m_question);
    }
}

} // namespace

void readAiken(QStringView text, Bank &bank)
{
    AikenReader(bank).read(text);
}

} // namespace kovra::importer
