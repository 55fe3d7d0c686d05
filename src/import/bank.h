// SPDX-License-Identifier: GPL-3.0-or-later
// What the readers of the bank formats share: a question as a bank gives it, and the bank read so
// far with its problems. Private to the import.
#pragma once

#include "content/danni.h"
#include "content/problems.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class QIODevice;

namespace kovra::importer {

// A question as a bank gives it, before it becomes content.
struct BankQuestion
{
    QString text;
    QStringList choices;
    QString key;
    QStringList explanation; // the feedback; empty when the bank has none
    QString figurePath;      // the figure file on disk; empty when none
    QByteArray figureBytes;  // or the figure itself, for a bank that holds its pictures
    int line = 0;            // the source lines the question takes, first and last
    int lastLine = 0;
    bool missingWord = false;
};

// The most problems one import reports.
constexpr std::size_t kMaxProblems = 200;
// The most questions a bank may have.
constexpr int kMaxBankQuestions = 1000;
// The most HTML tags ('<') one question may have, and a whole bank.
constexpr qsizetype kMaxTagsPerQuestion = 1000;
constexpr qsizetype kMaxTagsPerBank = 100'000;

struct Bank
{
    std::vector<BankQuestion> questions;
    Problems problems;
    int most = kMaxBankQuestions; // the most questions a bank may have
    qsizetype tags = 0;           // the HTML tags read so far, against their limit

    // Reading stops once no test can come of the bank: there are more problems than anyone
    // reads, or more questions than a test may have.
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

// The two choices of a true/false question.
inline QStringList trueFalseChoices()
{
    return {QStringLiteral("Вярно"), QStringLiteral("Невярно")};
}

// A question of a test as the writers give it to another format.
struct ExportQuestion
{
    QString text;
    QStringList choices;
    int key = 0; // the right choice's index
    QStringList explanation;
    QByteArray figurePng; // the figure as PNG; empty when none
};

// The writers, one a format.
QByteArray writeGift(const std::vector<ExportQuestion> &questions);
QByteArray writeMoodleXml(const std::vector<ExportQuestion> &questions);
// Figures are written beside the CSV file, at the names `figureNames` gives (relative to it).
QByteArray writeCsv(const std::vector<ExportQuestion> &questions,
                    const std::vector<QString> &figureNames);

// The readers, one a format: each appends what it reads to the bank.
void readGift(QStringView text, Bank &bank);
void readAiken(QStringView text, Bank &bank);
void readMoodleXml(QIODevice *device, Bank &bank);
void readCsv(QStringView text, const QString &folder, Bank &bank);

} // namespace kovra::importer
