// SPDX-License-Identifier: GPL-3.0-or-later
// What the readers of the bank formats share: a question as a bank gives it, and the bank read so
// far with its problems. Private to the import.
#pragma once

#include "content/danni.h"
#include "content/problems.h"
#include "model/test.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class QIODevice;

namespace kovra::importer {

// The most problems one import reports.
constexpr std::size_t kMaxProblems = 200;
// The most questions a bank may have.
constexpr int kMaxBankQuestions = 1000;
// The most HTML tags ('<') one question may have, and a whole bank.
constexpr qsizetype kMaxTagsPerQuestion = 1000;
constexpr qsizetype kMaxTagsPerBank = 100'000;

struct Bank
{
    std::vector<Question> questions; // each with its source lines, its figure's bytes if any
    int missingWords = 0; // the questions whose blank stands where their answers stood (GIFT)
    Problems problems;
    int most = kMaxBankQuestions; // the most questions a bank may have
    qsizetype tags = 0;           // the HTML tags read so far, against their limit

    // Reading stops once no test can come of the bank: there are more problems than anyone
    // reads, or more questions than a test may have.
    void add(Question question, bool missingWord = false)
    {
        missingWords += missingWord ? 1 : 0;
        questions.push_back(std::move(question));
    }

    [[nodiscard]] bool full() const
    {
        return problems.size() >= kMaxProblems || int(questions.size()) > most;
    }

    void error(ProblemKind kind, int line, int column = 0, const QString &text = {})
    {
        problems.push_back({.kind = kind, .line = line, .column = column, .text = text});
    }
    void error(Problem problem) { problems.push_back(std::move(problem)); }
    void unexpected(int line, BankExpectation expectation, const QString &letter = {})
    {
        problems.push_back({.kind = ProblemKind::BankUnexpected,
                            .line = line,
                            .text = letter,
                            .expectation = expectation});
    }
    void choiceCount(int line, qsizetype count)
    {
        problems.push_back({.kind = ProblemKind::ChoiceCount,
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
        problems.push_back({.kind = ProblemKind::BankTooMuchHtml,
                            .line = line,
                            .limit = bankWide ? kMaxTagsPerBank : kMaxTagsPerQuestion,
                            .draws = bankWide});
        if (bankWide) {
            most = -1; // no further question is read
        }
        return false;
    }
    // With the question's name and type where the bank gives them.
    void skipped(int line, SkipReason reason, const QString &name = {}, const QString &type = {})
    {
        problems.push_back({.kind = ProblemKind::BankSkipped,
                            .severity = Severity::Warning,
                            .line = line,
                            .text = name,
                            .other = type,
                            .skip = reason});
    }
};

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

// The readers, one a format: each appends what it reads to the bank.
void readGift(QStringView text, Bank &bank);
void readAiken(QStringView text, Bank &bank);
void readMoodleXml(QIODevice *device, Bank &bank);
void readCsv(QStringView text, const QString &folder, Bank &bank);

} // namespace kovra::importer
