// SPDX-License-Identifier: GPL-3.0-or-later
// What the readers of the bank formats share: a question as a bank gives it, and the bank read so
// far with its problems. Private to the import.
#pragma once

#include "content/danni.h"
#include "content/problems.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kovra::importer {

// A question as a bank gives it, before it becomes content.
struct BankQuestion
{
    QString text;
    QStringList choices;
    QString key;
    QStringList explanation; // the feedback; empty when the bank has none
    QString figurePath;      // the figure file on disk; empty when none
    int line = 0;            // the source lines the question takes, first and last
    int lastLine = 0;
    bool missingWord = false;
};

// The most problems one import reports.
constexpr std::size_t kMaxProblems = 200;

struct Bank
{
    std::vector<BankQuestion> questions;
    Problems problems;
    int most = KOVRA_Danni::kFigureSlots - 1; // the most questions a test may have

    // Reading stops once no test can come of the bank: there are more problems than anyone
    // reads, or more questions than a test may have.
    [[nodiscard]] bool full() const
    {
        return problems.size() >= kMaxProblems || int(questions.size()) > most;
    }

    void error(ProblemKind kind, int line, int column = 0, const QString &detail = {})
    {
        problems.push_back({kind, Severity::Error, 0, QString(), detail, line, column});
    }
    void skipped(int line, const char *reason)
    {
        problems.push_back({ProblemKind::BankSkipped, Severity::Warning, 0, QString(),
                            QLatin1String(reason), line, 0});
    }
};

// The readers, one a format: each appends what it reads to the bank.
void readGift(const QStringList &lines, Bank &bank);
void readAiken(const QStringList &lines, Bank &bank);
void readCsv(const QString &text, const QString &folder, Bank &bank);

} // namespace kovra::importer
