// SPDX-License-Identifier: GPL-3.0-or-later
// The test file: one test in one ZIP archive, as a teacher hands it to pupils. It holds
//   mimetype          "application/x-kovra-test", first and stored, so that the type shows at
//                     a fixed place of the file
//   content.json      the test, as in a content folder
//   figures/qNN.EXT   the figures content.json names, fitted to the largest size they are shown
//   figures/paper/qNN.EXT  the same figure for paper, where it is larger than that
// A file from outside is read as hostile input: every limit below is checked before the bytes
// it guards are read, and every refusal is a problem with words.
#pragma once

#include "content/loader.h"
#include "fitting.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kovra {

inline constexpr qint64 kMaxTestFileBytes = 64 * kMiB;
// A figure and its paper copy for each question of the biggest bank, content.json and mimetype,
// and a few more.
inline constexpr int kMaxTestFileEntries = 2 * 1024 + 8;
inline constexpr qint64 kMaxUnpackedBytes = 64 * kMiB;        // all entries together
inline constexpr qint64 kMaxContentBytes = 8 * kMiB;          // content.json
inline constexpr qint64 kMaxEntryBytes = kMaxFigureFileBytes; // any other entry
inline constexpr char kTestFileMimeType[] = "application/x-kovra-test";
inline constexpr char kTestFileSuffix[] = "kovra";

// The files inside a test file's bytes, every archive limit checked. For paper, a figure is
// its paper copy where the file has one; for the screen, paper copies are not read.
[[nodiscard]] TestFilesResult readTestArchive(const QByteArray &archive,
                                              FigureUse use = FigureUse::Screen);
// A test file on disk: its size is checked before it is read.
[[nodiscard]] TestFilesResult readTestFile(const QString &path, FigureUse use = FigureUse::Screen);

// A test file, read and checked with every content rule.
[[nodiscard]] LoadResult loadTestFile(const QString &path);

struct WrittenTest
{
    std::optional<QByteArray> archive; // present only when the files pass every content rule
    LoadResult checked;                // the content check of the test as it was given
    int fittedFigures = 0;             // figures made smaller on the way
};

// Checks the test with every content rule and, when it passes, makes the test file: figures
// fitted, the same bytes for the same test. `source` tells the figure formats read.
[[nodiscard]] WrittenTest makeTestArchive(const Test &test,
                                          FigureSource source = FigureSource::Authored);

// A content folder's files, read and checked, made into a test file; the check tells the
// files' problems, with their places there.
[[nodiscard]] WrittenTest makeTestArchive(const TestFiles &files);

// Writes the bytes whole or not at all.
[[nodiscard]] Problems saveFile(const QString &path, const QByteArray &bytes);

} // namespace kovra
