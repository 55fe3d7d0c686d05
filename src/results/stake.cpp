// SPDX-License-Identifier: GPL-3.0-or-later
#include "stake.h"

#include "collect.h"
#include "testfile/testfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kovra {

QString resultsFolderOf(const QString &testFile, const QString &setting)
{
    const QDir testFolder = QFileInfo(testFile).absoluteDir();
    return setting.isEmpty() ? testFolder.absolutePath()
                             : QDir::cleanPath(testFolder.absoluteFilePath(setting));
}

ResultsAtStake resultsAtStake(const QString &saved, const LoadResult &now)
{
    ResultsAtStake stake;
    const LoadResult before = QFileInfo(saved).isFile() ? loadTestFile(saved) : LoadResult();
    if (!before.test || !before.resultsFolder() || !now.test) {
        return stake;
    }
    const MarkingTest was = markingTest(*before.test, {});
    const MarkingTest will = markingTest(*now.test, {});
    // The results name their test by its questions and choices, which a key does not change.
    if (was.identity.questions != will.identity.questions) {
        return stake;
    }
    for (std::size_t q = 0; q < was.questions.size() && q < will.questions.size(); ++q) {
        if (was.questions[q].rightText() != will.questions[q].rightText()) {
            stake.changedKeys << static_cast<int>(q + 1);
        }
    }
    if (stake.changedKeys.isEmpty()) {
        return stake;
    }
    stake.folder = resultsFolderOf(saved, *before.resultsFolder());
    const QStringList names =
        QDir(stake.folder)
            .entryList({QStringLiteral("*.") + QLatin1String(kResultSuffix)}, QDir::Files);
    for (qsizetype i = 0; i < names.size() && i < kMaxResultFilesRead; ++i) {
        const ParsedResult parsed =
            readResultFile(QDir(stake.folder).filePath(names.at(i)), was.identity);
        if (parsed.record && parsed.record->questions == was.identity.questions &&
            checksumHolds(parsed, was.identity.key)) {
            ++stake.files;
        }
    }
    return stake;
}

QString resultsRemarked(const ResultsAtStake &stake)
{
    QStringList questions;
    for (const int q : stake.changedKeys) {
        questions << QString::number(q);
    }
    return QCoreApplication::translate("kovra",
                                       "%n pupil(s) took this test already; their results are in "
                                       "%1. The changed key (question %2) changes their marks: the "
                                       "results view shows them marked with the new key.",
                                       nullptr, stake.files)
        .arg(QDir::toNativeSeparators(stake.folder), questions.join(QStringLiteral(", ")));
}

} // namespace kovra
