// SPDX-License-Identifier: GPL-3.0-or-later
// The pupils' results a save of a test would mark again: a key changed over a test whose result
// files are in its results folder.
#pragma once

#include "content/loader.h"

#include <QList>
#include <QString>

namespace kovra {

// The folder a test keeps its results in: `setting` empty, the test file's own folder; relative,
// from there.
[[nodiscard]] QString resultsFolderOf(const QString &testFile, const QString &setting);

struct ResultsAtStake
{
    QString folder;
    int files = 0;          // result files of this test there, read whole and unedited
    QList<int> changedKeys; // the questions whose key changes, counted from 1
};

// What saving `now` over the test file `saved` means for the results of `saved`: none when the
// file keeps no results, when its questions are not those of `now` (another test for the
// results), or when no key changes.
[[nodiscard]] ResultsAtStake resultsAtStake(const QString &saved, const LoadResult &now);
// The teacher's words for results marked again with the changed keys, in the installed language.
[[nodiscard]] QString resultsRemarked(const ResultsAtStake &stake);

} // namespace kovra
