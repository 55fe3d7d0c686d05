// SPDX-License-Identifier: GPL-3.0-or-later
#include "problems.h"

#include "figures.h"
#include "loader.h"
#include "testfile.h"

#include <algorithm>

namespace kovra {

namespace {

// A text taken from the content as part of one printable line: control characters and line
// and paragraph separators are written as escapes.
QString visible(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar ch : text) {
        const QChar::Category category = ch.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph) {
            shown += ch;
        } else if (ch == QLatin1Char('\n')) {
            shown += QLatin1String("\\n");
        } else if (ch == QLatin1Char('\r')) {
            shown += QLatin1String("\\r");
        } else if (ch == QLatin1Char('\t')) {
            shown += QLatin1String("\\t");
        } else {
            shown += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return shown;
}

bool aboutTheFile(ProblemKind kind)
{
    return kind >= ProblemKind::NoSuchFile;
}

QString place(const Problem &p)
{
    if (aboutTheFile(p.kind)) {
        return QStringLiteral("file");
    }
    QString where;
    if (p.question > 0) {
        where = QStringLiteral("question %1").arg(p.question);
    }
    if (!p.field.isEmpty()) {
        if (!where.isEmpty()) {
            where += QStringLiteral(", ");
        }
        where += QStringLiteral("field \"%1\"").arg(visible(p.field));
    }
    return where.isEmpty() ? QStringLiteral("content") : where;
}

QString quoted(const QString &text)
{
    return QStringLiteral("\u00AB%1\u00BB").arg(visible(text));
}

QString words(const Problem &p)
{
    switch (p.kind) {
    case ProblemKind::Unreadable:
        return QStringLiteral("cannot read %1").arg(visible(p.detail));
    case ProblemKind::Damaged:
        return QStringLiteral("in %1 is damaged; build the program again").arg(visible(p.detail));
    case ProblemKind::Malformed:
        return QStringLiteral("is not valid JSON: %1").arg(p.detail);
    case ProblemKind::NotAnObject:
        return QStringLiteral("must be a JSON object");
    case ProblemKind::MissingField:
        return QStringLiteral("is missing");
    case ProblemKind::WrongType:
        return QStringLiteral("must be %1").arg(p.detail);
    case ProblemKind::UnknownField:
        return QStringLiteral("is not a field of the content format (misspelt?)");
    case ProblemKind::SettingsCount:
        return QStringLiteral("must have exactly 6 rows, has %1").arg(p.detail);
    case ProblemKind::QuestionCount:
        return QStringLiteral("has %1").arg(p.detail);
    case ProblemKind::ChoiceCount:
        return QStringLiteral("must have 2 to 5 choices, has %1").arg(p.detail);
    case ProblemKind::KeyMatchesNone:
        return QStringLiteral("%1 equals no choice exactly (blanks, case and letters count)")
            .arg(quoted(p.detail));
    case ProblemKind::KeyMatchesSeveral:
        return QStringLiteral("%1 equals more than one choice").arg(quoted(p.detail));
    case ProblemKind::LineBreak:
        return QStringLiteral("must be a single line without line breaks");
    case ProblemKind::NotWindows1251:
        return QStringLiteral("holds %1 (U+%2), which Windows-1251 cannot hold")
            .arg(quoted(p.detail))
            .arg(p.detail.isEmpty() ? 0 : p.detail.at(0).unicode(), 4, 16, QLatin1Char('0'));
    case ProblemKind::NoBlank:
        return QStringLiteral("has no blank \"_\", which phrase mode needs");
    case ProblemKind::FigureName:
        return QStringLiteral("%1 is not a plain relative file name").arg(quoted(p.detail));
    case ProblemKind::FigureMissing:
        return QStringLiteral("file %1 does not exist").arg(quoted(p.detail));
    case ProblemKind::FigureCorrupt:
        return QStringLiteral("file %1 is not a readable image").arg(quoted(p.detail));
    case ProblemKind::NoExplanation:
        return QStringLiteral("must have at least one line");
    case ProblemKind::FlagNotBinary:
        return QStringLiteral("ends in %1; a flag should end in 0 or 1").arg(quoted(p.detail));
    case ProblemKind::LookAlike:
        return QStringLiteral("choices look the same on screen: %1").arg(visible(p.detail));
    case ProblemKind::FigureTooLarge:
        return QStringLiteral("file %1 has %2 pixels; figures may have up to %3 million")
            .arg(quoted(p.detail.section(QLatin1Char('\t'), 0, 0)),
                 visible(p.detail.section(QLatin1Char('\t'), 1)))
            .arg(kMaxFigurePixels / 1'000'000);
    case ProblemKind::NoSuchFile:
        return QStringLiteral("does not exist");
    case ProblemKind::IsAFolder:
        return QStringLiteral("is a folder, not a test file");
    case ProblemKind::CannotOpen:
        return QStringLiteral("cannot be read: %1").arg(visible(p.detail));
    case ProblemKind::FileTooLarge:
        return QStringLiteral("has %1 bytes; a test file may have up to %2 MiB")
            .arg(p.detail)
            .arg(kMaxTestFileBytes / (1024 * 1024));
    case ProblemKind::NotATestFile:
        return QStringLiteral(
                   "is not a test file (a ZIP archive), or it is damaged or cut short: %1")
            .arg(visible(p.detail));
    case ProblemKind::TooManyEntries:
        return QStringLiteral("holds %1 files; a test file may hold up to %2")
            .arg(p.detail)
            .arg(kMaxTestFileEntries);
    case ProblemKind::UnpackedTooLarge:
        return QStringLiteral("unpacks to more than it may at %1 (%2 MiB for %3, %4 MiB for any "
                              "other file, %5 MiB in all): a damaged file or a ZIP bomb")
            .arg(quoted(p.detail))
            .arg(kMaxContentBytes / (1024 * 1024))
            .arg(QLatin1String(kContentFileName))
            .arg(kMaxEntryBytes / (1024 * 1024))
            .arg(kMaxUnpackedBytes / (1024 * 1024));
    case ProblemKind::UnsafeEntryName:
        return QStringLiteral("holds a file named %1: absolute paths, \"..\" and drive names "
                              "are not allowed")
            .arg(quoted(p.detail));
    case ProblemKind::EntryIsLink:
        return QStringLiteral("holds %1 as a link; links are not allowed").arg(quoted(p.detail));
    case ProblemKind::DuplicateEntry:
        return QStringLiteral("holds %1 twice").arg(quoted(p.detail));
    case ProblemKind::EncryptedEntry:
        return QStringLiteral("holds %1 encrypted; a test file is not encrypted")
            .arg(quoted(p.detail));
    case ProblemKind::NoContentFile:
        return QStringLiteral("has no %1").arg(QLatin1String(kContentFileName));
    case ProblemKind::CannotWrite:
        return QStringLiteral("%1 cannot be written: %2")
            .arg(quoted(p.detail.section(QLatin1Char('\t'), 0, 0)),
                 visible(p.detail.section(QLatin1Char('\t'), 1)));
    }
    return {};
}

} // namespace

QString describe(const Problem &problem)
{
    const QString level =
        problem.severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
    return QStringLiteral("%1: %2 %3").arg(level, place(problem), words(problem));
}

bool hasErrors(const Problems &problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem &p) { return p.severity == Severity::Error; });
}

} // namespace kovra
