// SPDX-License-Identifier: GPL-3.0-or-later
#include "collect.h"

#include "content/cp1251.h"
#include "content/csv_writer.h"
#include "content/danni.h"
#include "content/test_content.h"
#include "table.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <thread>

namespace kovra {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("kovra", text);
}

// One file read and marked, or the reason it stands apart.
struct Marked
{
    std::optional<PupilResult> pupil;
    QString reason;
};

Marked markFile(const QString &path, const MarkingTest &test)
{
    const ParsedResult parsed = readResultFile(path, test.identity);
    if (parsed.problem) {
        return {std::nullopt, describe(*parsed.problem)};
    }
    const ResultRecord &record = *parsed.record;
    if (record.questions != test.identity.questions) {
        return {std::nullopt, tr("the result of another test: %1").arg(record.title)};
    }
    if (!checksumHolds(parsed, test.identity.key)) {
        return {std::nullopt, describe(Problem{ProblemKind::ResultChecksum})};
    }
    const int n = test.identity.questionCount;
    PupilResult pupil;
    pupil.name = record.name;
    pupil.group = sameClass(record.group);
    pupil.evaluated = record.evaluated;
    pupil.byQuestion.assign(static_cast<std::size_t>(n), Verdict::None);
    pupil.credits.assign(static_cast<std::size_t>(n), 0);
    pupil.responses.assign(static_cast<std::size_t>(n), {});
    // Every question of a test that does not draw is given; a drawn run gives its own.
    const bool draws = n != test.identity.runQuestions;
    pupil.given.assign(static_cast<std::size_t>(n), !draws);
    for (int q = 0; q < n; ++q) {
        pupil.chosen << QString();
    }
    QDateTime last = record.started;
    for (const ResultAnswer &answer : record.answers) {
        // The repeat of question 1 that checks the pupil is not a question of its own.
        if (answer.question >= n) {
            continue;
        }
        pupil.given[static_cast<std::size_t>(answer.question)] = true;
        if (!answer.isAnswered()) {
            continue;
        }
        // Marked by the texts given against the test's key of today, partly right answers in
        // points, whatever the window marked them as.
        const Question &question = test.questions.at(static_cast<std::size_t>(answer.question));
        const bool single = answer.kind == QuestionKind::Single;
        const Response response =
            single ? Response{.picked = {answer.choices.at(*answer.chosen)}} : answer.response;
        const double credit = question.kind == answer.kind ? creditOf(question, response) : 0;
        pupil.chosen[answer.question] =
            single ? response.picked.front()
                   : (response.typed.isEmpty() ? response.picked.join(QStringLiteral("; "))
                                               : response.typed);
        pupil.byQuestion[static_cast<std::size_t>(answer.question)] =
            credit >= 1 ? Verdict::Right : Verdict::Wrong;
        pupil.credits[static_cast<std::size_t>(answer.question)] = credit;
        pupil.responses[static_cast<std::size_t>(answer.question)] = response;
        ++pupil.answered;
        pupil.right += credit >= 1 ? 1 : 0;
        pupil.points += credit;
        last = std::max(last, answer.time);
    }
    const QDateTime end = record.evaluated ? record.ended : last;
    if (record.started.isValid() && end.isValid()) {
        pupil.seconds = std::max<qint64>(0, record.started.secsTo(end));
    }
    return {std::move(pupil), {}};
}

void analyse(ClassResults &results, int n)
{
    results.analysis.assign(static_cast<std::size_t>(n), {});
    std::vector<const PupilResult *> ranked;
    for (const PupilResult &pupil : results.pupils) {
        ranked.push_back(&pupil);
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const PupilResult *a, const PupilResult *b) {
        return a->right > b->right;
    });
    std::vector<const PupilResult *> givenRanked;
    for (int q = 0; q < n; ++q) {
        const auto at = static_cast<std::size_t>(q);
        QuestionAnalysis &analysis = results.analysis[at];
        givenRanked.clear();
        for (const PupilResult *pupil : ranked) {
            if (pupil->given[at]) {
                givenRanked.push_back(pupil);
            }
        }
        const auto count = static_cast<int>(givenRanked.size());
        analysis.given = count;
        QHash<QString, int> wrong;
        int right = 0;
        for (const PupilResult *given : givenRanked) {
            const PupilResult &pupil = *given;
            const Verdict verdict = pupil.byQuestion[static_cast<std::size_t>(q)];
            analysis.answered += verdict != Verdict::None ? 1 : 0;
            right += verdict == Verdict::Right ? 1 : 0;
            analysis.points += pupil.credits[static_cast<std::size_t>(q)];
            if (verdict == Verdict::Wrong) {
                const int times = ++wrong[pupil.chosen.at(q)];
                if (times > analysis.commonWrongCount ||
                    (times == analysis.commonWrongCount &&
                     pupil.chosen.at(q) < analysis.commonWrong)) {
                    analysis.commonWrongCount = times;
                    analysis.commonWrong = pupil.chosen.at(q);
                }
            }
        }
        analysis.right = right;
        analysis.shareRight = count > 0 ? static_cast<double>(right) / count : 0.0;
        if (count >= 2) {
            // 27 % to the nearest pupil, in whole numbers: 6 pupils give groups of 2 (1.62).
            const int group = std::max(1, (27 * count + 50) / 100);
            int upper = 0;
            int lower = 0;
            for (int i = 0; i < group; ++i) {
                upper += givenRanked[static_cast<std::size_t>(i)]->byQuestion[at] == Verdict::Right
                             ? 1
                             : 0;
                lower += givenRanked[static_cast<std::size_t>(count - 1 - i)]->byQuestion[at] ==
                                 Verdict::Right
                             ? 1
                             : 0;
            }
            analysis.discrimination = static_cast<double>(upper - lower) / group;
        }
    }
}

} // namespace

QString sameClass(const QString &group)
{
    // The Bulgarian letters of a class typed on a Latin keyboard, as they are transliterated.
    static const QHash<QChar, QChar> latin{
        {u'a', u'а'}, {u'b', u'б'}, {u'v', u'в'}, {u'w', u'в'}, {u'g', u'г'}, {u'd', u'д'},
        {u'e', u'е'}, {u'z', u'з'}, {u'i', u'и'}, {u'k', u'к'}, {u'l', u'л'}, {u'm', u'м'},
        {u'n', u'н'}, {u'o', u'о'}, {u'p', u'п'}, {u'r', u'р'}, {u's', u'с'}, {u't', u'т'},
        {u'u', u'у'}, {u'f', u'ф'}, {u'h', u'х'}, {u'c', u'ц'}};
    QString text = group.simplified();
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit()) {
        ++digits;
    }
    QString rest = text.mid(digits).trimmed();
    if (rest.startsWith(QLatin1Char('-')) || rest.startsWith(QLatin1Char('.'))) {
        rest = rest.mid(1).trimmed();
    }
    if (digits == 0 || digits > 2 || rest.size() != 1 || !rest.front().isLetter()) {
        return text;
    }
    const QChar letter = rest.front().toLower();
    const bool cyrillic = letter.script() == QChar::Script_Cyrillic;
    if (!cyrillic && !latin.contains(letter)) {
        return text;
    }
    return text.left(digits) + (cyrillic ? letter : latin.value(letter));
}

QString handedInWord(bool evaluated)
{
    return evaluated ? tr("handed in") : tr("not handed in");
}

MarkingTest markingTest(const Test &test, const QByteArray &fileBytes)
{
    return {identifyTest(test, fileBytes), test.questions};
}

Mark markFor(double right, int questions, const MarkScale &scale)
{
    const double share = questions > 0 ? static_cast<double>(right) / questions : 0.0;
    Mark mark;
    if (scale.shares) {
        for (std::size_t i = 0; i < scale.shares->size(); ++i) {
            // A tiny margin, so that 0.7 of 10 questions is 7 right however it was typed.
            if (share + 1e-9 >= (*scale.shares)[i]) {
                mark.grade = static_cast<int>(i) + 3;
            }
        }
        mark.value = mark.grade;
        return mark;
    }
    mark.value = std::round((2.0 + 4.0 * share) * 100.0) / 100.0;
    mark.grade = mark.value >= 5.5   ? 6
                 : mark.value >= 4.5 ? 5
                 : mark.value >= 3.5 ? 4
                 : mark.value >= 3.0 ? 3
                                     : 2;
    return mark;
}

QString markWord(int grade)
{
    switch (grade) {
    case 3:
        return tr("Satisfactory");
    case 4:
        return tr("Good");
    case 5:
        return tr("Very good");
    case 6:
        return tr("Excellent");
    default:
        return tr("Poor");
    }
}

ClassResults collectResults(const QString &folder, const MarkingTest &test, const MarkScale &scale)
{
    ClassResults results;
    for (const Question &question : test.questions) {
        results.questions << question.text;
    }
    results.runQuestions = test.identity.runQuestions;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.") + QLatin1String(kResultSuffix)},
                               QDir::Files | QDir::Hidden, QDir::Name);
    const auto count = std::min<qsizetype>(names.size(), kMaxResultFilesRead);
    std::vector<Marked> marked(static_cast<std::size_t>(count));
    const auto markEvery = [&](std::size_t first, std::size_t step) {
        for (std::size_t i = first; i < marked.size(); i += step) {
            marked[i] = markFile(QDir(folder).filePath(names.at(static_cast<qsizetype>(i))), test);
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(std::max(1U, std::thread::hardware_concurrency()), 8);
    {
        std::vector<std::jthread> helpers;
        for (std::size_t first = 1; first < threads; ++first) {
            helpers.emplace_back(markEvery, first, threads);
        }
        markEvery(0, threads);
    }
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const QString &name = names.at(static_cast<qsizetype>(i));
        if (marked[i].pupil) {
            marked[i].pupil->file = name;
            results.pupils.push_back(std::move(*marked[i].pupil));
        } else {
            results.apart.push_back({name, marked[i].reason});
        }
    }
    for (qsizetype i = count; i < names.size(); ++i) {
        results.apart.push_back(
            {names.at(i),
             tr("not read: a folder is read for %1 files at most").arg(kMaxResultFilesRead)});
    }
    remark(results, scale);
    return results;
}

void remark(ClassResults &results, const MarkScale &scale)
{
    for (PupilResult &pupil : results.pupils) {
        pupil.mark = markFor(pupil.points, results.runQuestions, scale);
    }
    analyse(results, static_cast<int>(results.questions.size()));
}

QByteArray resultsCsv(const ClassResults &results)
{
    const ClassTables tables = classTables(results, QStringLiteral(","));
    CsvWriter csv(u';');
    const auto write = [&csv](const ResultsTable &table) {
        QStringList heads;
        for (const TableColumn &column : table.columns) {
            heads << column.head;
        }
        csv.addRow(heads);
        for (const std::vector<TableCell> &row : table.rows) {
            QStringList cells;
            for (const TableCell &cell : row) {
                cells << cell.sheet.value_or(cell.text);
            }
            csv.addRow(cells);
        }
    };
    write(tables.pupils);
    csv.addRow({});
    write(tables.questions);
    if (!tables.apart.rows.empty()) {
        csv.addRow({});
        write(tables.apart);
    }
    return csv.bytes();
}

} // namespace kovra
