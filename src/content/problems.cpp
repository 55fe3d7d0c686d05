// SPDX-License-Identifier: GPL-3.0-or-later
#include "problems.h"

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

QString place(const Problem &p)
{
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
