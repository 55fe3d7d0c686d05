// SPDX-License-Identifier: GPL-3.0-or-later
// The resume journal of a run of a test for marks: what a pupil's player needs to go on after
// it was killed or the computer restarted, from the answers given with the time that was left.
// Kept in the pupil's own data folder, which only that user can read, never beside the results;
// written whole at every answer and every few seconds. The file is read as hostile input too.
#pragma once

#include "model/marking.h"
#include "resultfile.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace kovra {

struct Pupil;
struct TestIdentity;

// It keeps the texts of the answers given, as the result file does.
inline constexpr qint64 kMaxJournalBytes = kMaxResultFileBytes;

struct Journal
{
    unsigned seed = 0;  // of the run's draws: the same questions in the same orders
    QString resultFile; // the run's result file, written on in place
    QDateTime started;
    qint64 leftMs = 0;      // the time left when it was written; 0 with no limit
    std::vector<int> slots; // by position: the slot chosen, -1 none
    // By position: the answer to a question of another kind, as given (the texts ticked or
    // picked, the text typed); empty for single choice.
    std::vector<Response> responses;
    bool handedIn = false;
};

// The journal of this pupil's run of this copy (its file's bytes name it) on this computer, in
// `folder` (the user's own data folder when empty).
[[nodiscard]] QString journalPath(const TestIdentity &test, const Pupil &pupil,
                                  const QString &folder = {});

// None when there is none, or it cannot be read as one.
[[nodiscard]] std::optional<Journal> readJournal(const QString &path);
// Written whole, readable by its user alone, its folder made so; false when it cannot be.
bool writeJournal(const QString &path, const Journal &journal);

} // namespace kovra
