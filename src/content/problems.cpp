// SPDX-License-Identifier: GPL-3.0-or-later
#include "problems.h"

#include "problem_words.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

namespace kovra {

// Every word of the checker, the import, the test file and the result files is in the one
// translation context "kovra".
namespace problem_words {

namespace {

// A text of more characters than this is shown cut, with "…" at the cut: a message stays short
// whatever the file holds.
constexpr qsizetype kMostShown = 200;

} // namespace

// A text taken from the content as part of one printable line: control characters and line
// and paragraph separators are written as escapes; a character outside the Basic Multilingual
// Plane is kept whole.
QString visible(const QString &text)
{
    QString shown;
    shown.reserve(std::min(text.size(), kMostShown + 1));
    qsizetype i = 0;
    for (; i < std::min(text.size(), kMostShown); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            shown += ch;
            shown += text.at(++i);
            continue;
        }
        const QChar::Category category = ch.category();
        if (category != QChar::Other_Control && category != QChar::Separator_Line &&
            category != QChar::Separator_Paragraph && category != QChar::Other_Surrogate &&
            category != QChar::Other_Format) {
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
    if (i < text.size()) {
        shown += QChar(0x2026);
    }
    return shown;
}

QString quoted(const QString &text)
{
    return QCoreApplication::translate("kovra", "\u201C%1\u201D").arg(visible(text));
}

} // namespace problem_words

namespace {

using problem_words::visible;

// A field as the teacher's window labels it; empty for one it does not show as a field of its
// own.
QString windowField(const Place &place)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("kovra", text); };
    switch (place.field) {
    case ContentField::Text:
        return tr("the question's text");
    case ContentField::Choices:
        return place.index >= 0 ? tr("choice %1").arg(place.index + 1) : tr("the choices");
    case ContentField::Key:
        return tr("the right choice");
    case ContentField::Type:
        return tr("the kind of question");
    case ContentField::Weights:
        return place.index >= 0 ? tr("the credit of choice %1").arg(place.index + 1)
                                : tr("the credits of the choices");
    case ContentField::AllOrNothing:
        return tr("all or nothing");
    case ContentField::Answers:
        return place.index >= 0 ? tr("accepted answer %1").arg(place.index + 1)
                                : tr("the accepted answers");
    case ContentField::CaseMatters:
        return tr("case matters");
    case ContentField::Units:
        return place.index >= 0 ? tr("unit %1").arg(place.index + 1) : tr("the units");
    case ContentField::UnitsIgnored:
        return tr("units ignored");
    case ContentField::UnitFirst:
        return tr("unit before the number");
    case ContentField::UnitPenalty:
        return tr("the penalty for a missing unit");
    case ContentField::UnitPenaltyOfQuestion:
        return tr("penalty taken off the point");
    case ContentField::Items:
        return place.index >= 0 ? tr("item %1").arg(place.index + 1) : tr("the items");
    case ContentField::Matches:
        return place.index >= 0 ? tr("the answer of item %1").arg(place.index + 1)
                                : tr("the answers of the items");
    case ContentField::Figure:
        return tr("the figure");
    case ContentField::Explanation:
        return place.index >= 0 ? tr("line %1 of the explanation").arg(place.index + 1)
                                : tr("the explanation");
    case ContentField::Questions:
        return tr("the test"); // its count of questions
    case ContentField::Settings:
        return tr("the settings");
    case ContentField::Draw:
        return tr("questions for each pupil");
    case ContentField::Results:
    case ContentField::ResultsFolder:
        return tr("the results folder");
    case ContentField::MarksMinutes:
        return tr("the time limit");
    case ContentField::Marks:
    case ContentField::MarksSeal:
    case ContentField::MarksSecret:
        return tr("the seal of a test for marks");
    case ContentField::None:
    case ContentField::Note:
    case ContentField::Unknown:
        break;
    }
    return {};
}

QString place(const Problem &p, Audience audience)
{
    switch (p.kind) {
    case ProblemKind::NoSuchFile:
    case ProblemKind::IsAFolder:
    case ProblemKind::CannotOpen:
    case ProblemKind::FileTooLarge:
    case ProblemKind::NotATestFile:
    case ProblemKind::TooManyEntries:
    case ProblemKind::UnpackedTooLarge:
    case ProblemKind::UnsafeEntryName:
    case ProblemKind::EntryIsLink:
    case ProblemKind::DuplicateEntry:
    case ProblemKind::EncryptedEntry:
    case ProblemKind::NoContentFile:
    case ProblemKind::CannotWrite:
    case ProblemKind::ExportFormat:
    case ProblemKind::ExportNoFigures:
    case ProblemKind::ExportOtherKinds:
    case ProblemKind::ExportNoUnits:
        return QCoreApplication::translate("kovra", "file");
    default:
        break;
    }
    QStringList parts;
    if (p.cell && p.line > 0) {
        // A spreadsheet's cell, as the spreadsheet names it: column letters, then the row.
        QString letters;
        for (int column = p.column; column > 0; column = (column - 1) / 26) {
            letters.prepend(QChar(u'A' + (column - 1) % 26));
        }
        parts << (letters.isEmpty()
                      ? QCoreApplication::translate("kovra", "row %1").arg(p.line)
                      : QCoreApplication::translate("kovra", "cell %1%2").arg(letters).arg(p.line));
    } else if (p.line > 0) {
        parts << QCoreApplication::translate("kovra", "line %1").arg(p.line);
        if (p.column > 0) {
            parts << QCoreApplication::translate("kovra", "column %1").arg(p.column);
        }
    }
    if (p.question > 0) {
        parts << QCoreApplication::translate("kovra", "question %1").arg(p.question);
    }
    const QString shown = audience == Audience::Window ? windowField(p.place) : QString();
    const QString name = contentName(p.place);
    if (!shown.isEmpty()) {
        parts << shown;
    } else if (!name.isEmpty()) {
        parts << QCoreApplication::translate("kovra", "field \"%1\"").arg(visible(name));
    }
    return parts.isEmpty() ? QCoreApplication::translate("kovra", "content")
                           : parts.join(QStringLiteral(", "));
}

QString words(const Problem &p)
{
    using namespace problem_words;
    for (const auto family : {shapeWords, textWords, kindWords, figureWords, bankFileWords,
                              bankQuestionWords, testFileWords, resultFileWords}) {
        if (std::optional<QString> said = family(p)) {
            return *said;
        }
    }
    return {};
}

} // namespace

QString contentName(const Place &place)
{
    // "name[i]": the i-th element of a list, counted from 0.
    const auto named = [&place](const char *name) {
        const QString field = QLatin1String(name);
        return place.index < 0 ? field : QStringLiteral("%1[%2]").arg(field).arg(place.index);
    };
    switch (place.field) {
    case ContentField::Settings:
        return named("settings");
    case ContentField::Note:
        return named("note");
    case ContentField::Questions:
        return QStringLiteral("questions");
    case ContentField::Draw:
        return QStringLiteral("draw");
    case ContentField::Results:
        return place.name.isEmpty() ? QStringLiteral("results")
                                    : QStringLiteral("results.") + place.name;
    case ContentField::ResultsFolder:
        return QStringLiteral("results.folder");
    case ContentField::Marks:
        return place.name.isEmpty() ? QStringLiteral("marks")
                                    : QStringLiteral("marks.") + place.name;
    case ContentField::MarksMinutes:
        return QStringLiteral("marks.minutes");
    case ContentField::MarksSeal:
        return QStringLiteral("marks.seal");
    case ContentField::MarksSecret:
        return QStringLiteral("marks.secret");
    case ContentField::Unknown:
        return place.name;
    case ContentField::Type:
        return QStringLiteral("type");
    case ContentField::Weights:
        return named("weights");
    case ContentField::AllOrNothing:
        return QStringLiteral("allOrNothing");
    case ContentField::Answers:
        return named("answers");
    case ContentField::CaseMatters:
        return QStringLiteral("caseMatters");
    case ContentField::Units:
        return named("units");
    case ContentField::UnitsIgnored:
        return QStringLiteral("unitsIgnored");
    case ContentField::UnitFirst:
        return QStringLiteral("unitFirst");
    case ContentField::UnitPenalty:
        return QStringLiteral("unitPenalty");
    case ContentField::UnitPenaltyOfQuestion:
        return QStringLiteral("unitPenaltyOfQuestion");
    case ContentField::Items:
        return named("items");
    case ContentField::Matches:
        return named("matches");
    case ContentField::Text:
        return QStringLiteral("text");
    case ContentField::Choices:
        return named("choices");
    case ContentField::Key:
        return QStringLiteral("key");
    case ContentField::Explanation:
        return named("explanation");
    case ContentField::Figure:
        return QStringLiteral("figure");
    case ContentField::None:
        break;
    }
    return {};
}

Problem notKept(qint64 count, Severity severity)
{
    Problem problem{ProblemKind::NotKept, severity};
    problem.count = count;
    return problem;
}

void limitProblems(Problems &problems, std::size_t most)
{
    const bool counted = !problems.empty() && problems.back().kind == ProblemKind::NotKept;
    if (problems.size() <= most + (counted ? 1 : 0)) {
        return;
    }
    // The errors first, in their order, then the warnings in the room left: many warnings
    // never hide the error that refuses a file.
    const auto errors =
        std::size_t(std::count_if(problems.begin(), problems.end(), [](const Problem &p) {
            return p.severity == Severity::Error && p.kind != ProblemKind::NotKept;
        }));
    std::size_t errorsLeft = std::min(errors, most);
    std::size_t warningsLeft = most - errorsLeft;
    qint64 count = 0;
    bool error = false;
    Problems kept;
    for (Problem &p : problems) {
        const bool isError = p.severity == Severity::Error;
        std::size_t &left = isError ? errorsLeft : warningsLeft;
        if (p.kind != ProblemKind::NotKept && left > 0) {
            --left;
            kept.push_back(std::move(p));
            continue;
        }
        count += p.kind == ProblemKind::NotKept ? p.count : 1;
        error = error || isError;
    }
    kept.push_back(notKept(count, error ? Severity::Error : Severity::Warning));
    problems = std::move(kept);
}

QString describeWithin(const Problem &problem, Audience audience)
{
    if (problem.kind == ProblemKind::ChoiceCount) { // "the choices: 8; 2 to 5 are allowed"
        return QCoreApplication::translate("kovra", "%1: %2; %3 to %4 are allowed")
            .arg(place(problem, audience))
            .arg(problem.count)
            .arg(problem.least)
            .arg(problem.limit);
    }
    return QStringLiteral("%1 %2").arg(place(problem, audience), words(problem)).trimmed();
}

QString describe(const Problem &problem, Audience audience)
{
    // A result file's problem is told after the file's name, with no level and no place.
    if (std::optional<QString> alone = problem_words::resultFileWords(problem)) {
        return *alone;
    }
    const QString level = problem.severity == Severity::Error
                              ? QCoreApplication::translate("kovra", "error")
                              : QCoreApplication::translate("kovra", "warning");
    if (problem.kind == ProblemKind::NotKept) {
        return QStringLiteral("%1: %2").arg(level, words(problem));
    }
    if (problem.kind == ProblemKind::DrawCount) {
        // The setting by the teacher's words; for a file's author, also by its names.
        return QStringLiteral("%1: %2").arg(
            level, (audience == Audience::Window
                        ? QCoreApplication::translate(
                              "kovra", "questions for each pupil: %1; %2 to %3 are allowed here")
                        : QCoreApplication::translate(
                              "kovra", "questions for each pupil (--draw, or \"draw\" in "
                                       "content.json): %1; %2 to %3 are allowed here"))
                       .arg(problem.count)
                       .arg(problem.least)
                       .arg(problem.limit));
    }
    const QString said =
        QStringLiteral("%1: %2 %3").arg(level, place(problem, audience), words(problem));
    return problem.skipsRow ? said + QCoreApplication::translate("kovra", "; the row is left out")
                            : said;
}

bool hasErrors(const Problems &problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const Problem &p) { return p.severity == Severity::Error; });
}

} // namespace kovra
