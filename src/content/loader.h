// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a content set (content.json with its figure files) into KOVRA_Danni, checking
// every limit the player relies on.
#pragma once

#include "danni.h"
#include "figures.h"
#include "pool.h"
#include "problems.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace kovra {

struct LoadResult
{
    LoadResult() = default;
    LoadResult(std::optional<KOVRA_Danni> content, Problems problems,
               std::optional<QString> resultsFolder = std::nullopt,
               std::optional<QuestionPool> pool = std::nullopt)
        : content(std::move(content)), problems(std::move(problems)),
          resultsFolder(std::move(resultsFolder)), pool(std::move(pool))
    {}

    std::optional<KOVRA_Danni> content; // present only when there is no error
    Problems problems;                  // errors and warnings, in the order found
    // Present when the test asks for the pupils' results: the folder they go to, empty for the
    // test file's own folder.
    std::optional<QString> resultsFolder;
    // A test that draws each run's questions: all of them, and how many a run takes. The
    // content then holds the first of them, as one run would.
    std::optional<QuestionPool> pool;
};

// The bytes of a figure file by its name relative to the content folder; none when missing.
using FigureFiles = std::function<std::optional<QByteArray>(const QString &name)>;

// The content file of a content folder.
inline constexpr char kContentFileName[] = "content.json";
// The folder of the set built into the program.
inline constexpr char kBuiltInFolder[] = ":/kovra/content";

// The files of a test as its author keeps them: content.json and the figures it names.
struct TestFiles
{
    QByteArray json;
    FigureFiles figures;
    FigureSource source = FigureSource::Authored; // the figure formats read
};

struct TestFilesResult
{
    std::optional<TestFiles> files; // none when they cannot be read
    Problems problems;
};

// The files of a content folder; a figure file is read up to one byte past kMaxFigureFileBytes.
[[nodiscard]] TestFilesResult readContentFolder(const QString &folder);

// The problem of a figure the check refused, as the loader words it.
[[nodiscard]] Problem figureProblem(FigureFault fault, int question, const QString &name,
                                    QSize size);

// Every figure file is decoded: one that does not decode, wherever the fault lies, is refused.
// `source` tells which figure formats are read: a test file's JPEG and PNG only, or those and
// GIF, BMP and WebP from an author's folder or bank.
LoadResult loadContent(const QByteArray &json, const FigureFiles &figures,
                       FigureSource source = FigureSource::Authored);
// A folder on disk, or the built-in folder.
LoadResult loadContentFolder(const QString &folder);

} // namespace kovra
