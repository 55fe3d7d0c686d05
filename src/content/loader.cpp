// SPDX-License-Identifier: GPL-3.0-or-later
#include "loader.h"

#include "content_json.h"
#include "rules.h"
#include "test_content.h"

#include <QFile>
#include <algorithm>

namespace kovra {

LoadResult loadTest(Test test, FigureSource source)
{
    inspectFigures(test, source);
    Problems problems = checkTest(test);
    limitProblems(problems);
    if (hasErrors(problems)) {
        return {std::nullopt, std::move(problems)};
    }
    KOVRA_Danni content = contentOf(test);
    return {std::move(content), std::move(problems), std::move(test)};
}

TestFilesResult readContentFolder(const QString &folder)
{
    QFile file(folder + QLatin1Char('/') + QLatin1String(kContentFileName));
    if (!file.open(QIODevice::ReadOnly)) {
        return {std::nullopt, {{.kind = ProblemKind::Unreadable, .text = file.fileName()}}};
    }
    const FigureFiles figures = [folder](const QString &name) -> std::optional<QByteArray> {
        QFile figure(folder + QLatin1Char('/') + name);
        if (!figure.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        // One byte past the limit tells a file too large, without reading it all.
        return figure.read(std::min(figure.size(), kMaxFigureFileBytes) + 1);
    };
    return {TestFiles{file.readAll(), figures}, {}};
}

LoadResult loadContentFolder(const QString &folder)
{
    TestFilesResult read = readContentFolder(folder);
    if (!read.files) {
        return {std::nullopt, std::move(read.problems)};
    }
    return loadContent(read.files->json, read.files->figures, read.files->source);
}

} // namespace kovra
