// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a content set (content.json with its figure files) into KOVRA_Danni, checking
// every limit the player relies on.
#pragma once

#include "danni.h"
#include "figures.h"
#include "model/test.h"
#include "problems.h"
#include "rules.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace kovra {

struct LoadResult
{
    LoadResult() = default;
    LoadResult(std::optional<KOVRA_Danni> content, Problems problems,
               std::optional<Test> test = std::nullopt)
        : content(std::move(content)), problems(std::move(problems)), test(std::move(test))
    {}

    // The content set of a run: the test's questions, or the first of them when it draws each
    // run's questions; present only when there is no error.
    std::optional<KOVRA_Danni> content;
    Problems problems; // errors and warnings, in the order found
    // The test itself, every question of it, with the content; none for the packed built-in set.
    std::optional<Test> test;

    // The folder the pupils' results go to, empty for the test file's own; none when the test
    // keeps none.
    [[nodiscard]] std::optional<QString> resultsFolder() const
    {
        return test && test->collectResults ? std::optional(test->resultsFolder) : std::nullopt;
    }
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

// Every figure file is decoded: one that does not decode, wherever the fault lies, is refused.
// `source` tells which figure formats are read: a test file's JPEG and PNG only, or those and
// GIF, BMP and WebP from an author's folder or bank.
LoadResult loadContent(const QByteArray &json, const FigureFiles &figures,
                       FigureSource source = FigureSource::Authored);
// A test already read (a bank's, the teacher's): its figures checked, every rule, and its
// content set when it passes.
LoadResult loadTest(Test test, FigureSource source = FigureSource::Authored);
// A folder on disk, or the built-in folder.
LoadResult loadContentFolder(const QString &folder);

} // namespace kovra
