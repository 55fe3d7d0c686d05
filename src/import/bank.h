// SPDX-License-Identifier: GPL-3.0-or-later
// What the readers of the bank formats share: a question as a bank gives it, and the bank read so
// far with its problems. Private to the import.
#pragma once

#include "content/danni.h"
#include "content/problems.h"
#include "content/rules.h"
#include "model/test.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QIODevice;

namespace kovra::importer {

// The most problems of each severity one import keeps; the others are counted, not kept.
constexpr qint64 kMaxProblems = 200;
// The most questions a bank may have.
constexpr int kMaxBankQuestions = 1000;
// The most HTML tags ('<') one question may have, and a whole bank.
constexpr qsizetype kMaxTagsPerQuestion = 1000;
constexpr qsizetype kMaxTagsPerBank = 100'000;

class Bank
{
public:
    std::vector<Question> questions; // each with its source lines, its figure's bytes if any
    int missingWords = 0; // the questions whose blank stands where their answers stood (GIFT)
    int most = kMaxBankQuestions; // the most questions a bank may have
    qsizetype tags = 0;           // the HTML tags read so far, against their limit
    int skips = 0; // the questions and rows left out with a warning, their problems kept or not

    // A question of another kind than single choice that breaks a rule of its kind (more
    // choices or items than the window shows, credits that give no full one) is skipped with the
    // rule's words: one question never refuses its bank.
    void add(Question question, bool missingWord = false)
    {
        if (!question.isSingle()) {
            std::optional<Problem> broken;
            // Its text and explanation as the single-choice questions' are, checked with the test.
            checkQuestion(question, 0, false,
                          [&broken](Problem problem) {
                              if (problem.severity == Severity::Error && !broken) {
                                  broken = std::move(problem);
                              }
                          },
                          {.text = true, .explanation = true});
            if (broken) {
                return skipped(question.source.line, SkipReason::Unfit, {},
                               describeWithin(*broken, Audience::Window));
            }
        }
        missingWords += missingWord ? 1 : 0;
        questions.push_back(std::move(question));
    }

    // Reading stops once no test can come of the bank: it has more questions than a test may
    // have, or its HTML passed its bound. Problems never stop it: past their most, they are
    // counted.
    [[nodiscard]] bool full() const { return int(questions.size()) > most; }

    void error(ProblemKind kind, int line, int column = 0, const QString &text = {})
    {
        error({.kind = kind, .line = line, .column = column, .text = text});
    }
    void error(Problem problem)
    {
        const bool isError = problem.severity == Severity::Error;
        skips += problem.kind == ProblemKind::BankSkipped || problem.skipsRow ? 1 : 0;
        if ((isError ? seenErrors : seenWarnings)++ < kMaxProblems) {
            kept.push_back(std::move(problem));
        } else {
            ++notKeptCount;
        }
    }
    [[nodiscard]] bool hasErrors() const { return seenErrors > 0; }
    // The problems kept, then one that counts the others.
    [[nodiscard]] Problems problems() &&
    {
        if (notKeptCount > 0) {
            kept.push_back(notKept(notKeptCount, seenErrors > kMaxProblems ? Severity::Error
                                                                           : Severity::Warning));
        }
        return std::move(kept);
    }
    void unexpected(int line, BankExpectation expectation, const QString &letter = {})
    {
        error({.kind = ProblemKind::BankUnexpected,
               .line = line,
               .text = letter,
               .expectation = expectation});
    }
    void choiceCount(int line, qsizetype count)
    {
        error({.kind = ProblemKind::ChoiceCount,
               .line = line,
               .count = count,
               .least = KOVRA_Danni::kMinChoices,
               .limit = KOVRA_Danni::kMaxChoices});
    }
    // Whether the HTML of one question, of `count` tags, may be read: both a question's tags and
    // the bank's are bounded, a bound on the work of reading them. On false, the question is
    // refused with its line.
    bool htmlWithinLimits(qsizetype count, int line)
    {
        tags += count;
        if (count <= kMaxTagsPerQuestion && tags <= kMaxTagsPerBank) {
            return true;
        }
        const bool bankWide = count <= kMaxTagsPerQuestion;
        error({.kind = ProblemKind::BankTooMuchHtml,
               .line = line,
               .limit = bankWide ? kMaxTagsPerBank : kMaxTagsPerQuestion,
               .draws = bankWide});
        if (bankWide) {
            most = -1; // no further question is read
        }
        return false;
    }
    // With the question's name and type (or what `reason` tells) where the bank gives them.
    void skipped(int line, SkipReason reason, const QString &name = {}, const QString &type = {})
    {
        error({.kind = ProblemKind::BankSkipped,
               .severity = Severity::Warning,
               .line = line,
               .text = name,
               .other = type,
               .skip = reason});
    }

private:
    Problems kept;
    qint64 seenErrors = 0; // the errors and the warnings come by, kept or not
    qint64 seenWarnings = 0;
    qint64 notKeptCount = 0;
};

// The text two choices share once their formatting is taken off (`flat`), where they differ as
// written; none when no two do.
std::optional<QString> sameOnceFlat(const QStringList &flat, const QStringList &written);

// The figure file a bank names takes its question's figure: read no further than a figure may
// be long; one that cannot be read is named as missing, one too long refused with its line.
void takeFigureFile(const QString &path, Question &question, Bank &bank);

// The two choices of a true/false question.
inline QStringList trueFalseChoices()
{
    return {QStringLiteral("Вярно"), QStringLiteral("Невярно")};
}

// The writers, one a format. Moodle XML holds the figures as PNG (by question; empty: none).
QByteArray writeGift(const std::vector<Question> &questions);
QByteArray writeMoodleXml(const std::vector<Question> &questions,
                          const std::vector<QByteArray> &figurePngs);
// Figures are written beside the CSV file, at the names `figureNames` gives (relative to it).
QByteArray writeCsv(const std::vector<Question> &questions,
                    const std::vector<QString> &figureNames);

// GIFT's number after '#' ("value:tolerance", "least..most", or several weighted after '='),
// into the question; false when no answer of it is a number.
bool takeGiftNumber(const QString &plain, Question &question);

// The readers, one a format: each appends what it reads to the bank.
void readGift(QStringView text, Bank &bank);
void readAiken(QStringView text, Bank &bank);
// Moodle XML: the number of the last line read.
int readMoodleXml(QIODevice *device, Bank &bank);
void readCsv(QStringView text, const QString &folder, Bank &bank);

} // namespace kovra::importer
