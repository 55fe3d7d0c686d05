// SPDX-License-Identifier: GPL-3.0-or-later
#include "table.h"

#include <QCoreApplication>
#include <cmath>

namespace kovra {

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("kovra", text);
}

// How long a question's text its column head names.
constexpr qsizetype kQuestionTipChars = 80;

QString startOf(const QString &text)
{
    const QString line = text.simplified();
    return line.size() <= kQuestionTipChars ? line
                                            : line.left(kQuestionTipChars) + QStringLiteral("…");
}

QString duration(std::optional<qint64> seconds)
{
    return seconds ? QStringLiteral("%1:%2")
                         .arg(*seconds / 60)
                         .arg(*seconds % 60, 2, 10, QLatin1Char('0'))
                   : QString();
}

TableCell text(const QString &shown)
{
    return {shown, {}, CellAlign::Left, CellTone::Plain, {}, {}};
}

TableCell number(int value)
{
    return {QString::number(value), value, CellAlign::Right, CellTone::Plain, {}, {}};
}

// A number with two decimals, rounded once here; none is an empty cell sorted first.
TableCell decimal(std::optional<double> value, const QString &point, double none);

// Points: whole ones as a whole number, partly right answers' to two decimals.
TableCell points(double value, const QString &point)
{
    if (std::abs(value - std::round(value)) < 1e-9) {
        return number(static_cast<int>(std::lround(value)));
    }
    return decimal(value, point, 0.0);
}

TableCell decimal(std::optional<double> value, const QString &point, double none)
{
    return {value ? QString::number(*value, 'f', 2).replace(QLatin1Char('.'), point) : QString(),
            value.value_or(none),
            CellAlign::Right,
            CellTone::Plain,
            {},
            {}};
}

TableCell verdictCell(const PupilResult &pupil, std::size_t q, const QString &point)
{
    const Verdict verdict = pupil.byQuestion[q];
    const bool given = pupil.given[q];
    TableCell cell{verdict == Verdict::Right   ? QStringLiteral("✓")
                   : verdict == Verdict::Wrong ? QStringLiteral("✗")
                   : given                     ? QString()
                                               : QStringLiteral("–"),
                   verdict == Verdict::Right   ? 2
                   : verdict == Verdict::Wrong ? 1
                   : given                     ? 0
                                               : -1,
                   CellAlign::Centre,
                   verdict == Verdict::Right   ? CellTone::Right
                   : verdict == Verdict::Wrong ? CellTone::Wrong
                                               : CellTone::Plain,
                   {},
                   {}};
    if (!given) {
        cell.tip = words("Not in this pupil's run");
    } else if (verdict != Verdict::None) {
        cell.tip = pupil.chosen.at(static_cast<qsizetype>(q));
    }
    cell.sheet = verdict == Verdict::Right   ? QStringLiteral("1")
                 : verdict == Verdict::Wrong ? QStringLiteral("0")
                                             : QString();
    // Partly right: its points, on screen and in the spreadsheet ("½" would not add up).
    const double credit = q < pupil.credits.size() ? pupil.credits[q] : 0.0;
    if (verdict == Verdict::Wrong && credit > 0) {
        cell.text = QString::number(std::round(credit * 100) / 100, 'f', 2)
                        .replace(QLatin1Char('.'), point);
        cell.sheet = cell.text;
        cell.order = 1 + credit;
        cell.tone = CellTone::Plain;
    }
    return cell;
}

ResultsTable pupilsTable(const ClassResults &results, const QString &point)
{
    ResultsTable table;
    table.columns = {
        {words("Name"), words("The pupil's name as typed at the start")},
        {words("Class"), words("The pupil's class; \"7b\" typed in Latin letters is \"7б\"")},
        {words("Answered"), words("Questions the pupil answered")},
        {words("Right"), words("Points by the test's key as it is now, a partly right answer by "
                               "its credit")},
        {words("%"), words("Points in per cent of the run's questions, rounded")},
        {words("Mark"), words("The mark of the points")},
        {words("Word"), words("The mark in words")},
        {words("Time"), words("Minutes and seconds from the start to the evaluation or the last "
                              "answer")},
        {words("Handed in"), words("Whether the pupil asked for the evaluation; a test not handed "
                                   "in ended before it (the player closed or stopped)")}};
    for (qsizetype q = 0; q < results.questions.size(); ++q) {
        table.columns.push_back(
            {words("Q%1").arg(q + 1),
             words("Question %1: %2").arg(q + 1).arg(startOf(results.questions.at(q)))});
    }
    table.columns.push_back({words("File"), words("The result file in the folder")});
    for (const PupilResult &pupil : results.pupils) {
        std::vector<TableCell> row{text(pupil.name),
                                   text(pupil.group),
                                   number(pupil.answered),
                                   points(pupil.points, point),
                                   number(percentOf(pupil.points, results.runQuestions)),
                                   decimal(pupil.mark.value, point, 0.0),
                                   {markWord(pupil.mark.grade),
                                    pupil.mark.grade,
                                    CellAlign::Left,
                                    CellTone::Plain,
                                    {},
                                    {}},
                                   {duration(pupil.seconds),
                                    QVariant::fromValue(pupil.seconds.value_or(-1)),
                                    CellAlign::Right,
                                    CellTone::Plain,
                                    {},
                                    {}},
                                   {handedInWord(pupil.evaluated),
                                    pupil.evaluated ? 1 : 0,
                                    CellAlign::Left,
                                    pupil.evaluated ? CellTone::Plain : CellTone::Alert,
                                    {},
                                    {}}};
        row.front().tip = pupil.file;
        for (std::size_t q = 0; q < pupil.byQuestion.size(); ++q) {
            row.push_back(verdictCell(pupil, q, point));
        }
        row.push_back(text(pupil.file));
        table.rows.push_back(std::move(row));
    }
    return table;
}

ResultsTable questionsTable(const ClassResults &results, const QString &point)
{
    ResultsTable table;
    table.columns = {
        {words("Question"), words("The question's number in the test")},
        {words("Text"), words("The question's text")},
        {words("Pupils given it"), words("Pupils whose run held the question")},
        {words("Answered"), words("Pupils who answered it")},
        {words("Right %"), words("Answers wholly right in per cent of the pupils given it")},
        {words("Points %"), words("The points the pupils given it earned, in per cent of the "
                                  "most they could, a partly right answer by its credit")},
        {words("Wrong answer chosen most"),
         words("The answer not wholly right given most often (a choice, the choices ticked or "
               "picked, the text typed)")},
        {words("Times"), words("How many pupils gave that answer")},
        {words("Discrimination"),
         words("How well the question tells strong pupils from weak: the share right among the "
               "best 27 % less the share right among the weakest 27 %, from -1 to 1; 0.3 and "
               "more is good, below 0 the question misleads the best")}};
    for (qsizetype q = 0; q < results.questions.size(); ++q) {
        const QuestionAnalysis &analysis = results.analysis.at(static_cast<std::size_t>(q));
        const std::optional<int> share = percentRight(analysis);
        table.rows.push_back(
            {number(static_cast<int>(q) + 1),
             text(results.questions.at(q)),
             number(analysis.given),
             number(analysis.answered),
             {share ? QString::number(*share) : QString(),
              share.value_or(-1),
              CellAlign::Right,
              CellTone::Plain,
              {},
              {}},
             {share ? QString::number(percentOf(analysis.points, analysis.given)) : QString(),
              share ? percentOf(analysis.points, analysis.given) : -1,
              CellAlign::Right,
              CellTone::Plain,
              {},
              {}},
             text(analysis.commonWrong),
             {analysis.commonWrongCount > 0 ? QString::number(analysis.commonWrongCount)
                                            : QString(),
              analysis.commonWrongCount,
              CellAlign::Right,
              CellTone::Plain,
              {},
              {}},
             decimal(analysis.discrimination, point, -2.0)});
    }
    return table;
}

} // namespace

ClassTables classTables(const ClassResults &results, const QString &decimalPoint)
{
    ClassTables tables{
        pupilsTable(results, decimalPoint), questionsTable(results, decimalPoint), {}};
    tables.apart.columns = {{words("File set apart"), words("The result file in the folder")},
                            {words("Reason"), words("Why the file is not among the results")}};
    for (const ApartFile &file : results.apart) {
        tables.apart.rows.push_back({text(file.file), text(file.reason)});
    }
    return tables;
}

} // namespace kovra
