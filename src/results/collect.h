// SPDX-License-Identifier: GPL-3.0-or-later
// The results of a class: every result file of a folder read, checked against the test and
// marked again with the test's current key; marks on the six-point scale, the analysis of each
// question, and the table as CSV text.
#pragma once

#include "model/marking.h"
#include "model/test.h"
#include "resultfile.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace kovra {

inline constexpr int kMaxResultFilesRead = 5000; // in one folder; more are listed apart

// The test the results are marked against: as it is now.
struct MarkingTest
{
    TestIdentity identity;
    std::vector<Question> questions; // every question, by its index in the test
};
// A test that draws its runs gives its bank, whose every question is marked.
[[nodiscard]] MarkingTest markingTest(const Test &test, const QByteArray &fileBytes);

// The marks: by default 2 + 4 x right / questions, to two decimals; or, when the teacher sets
// them, the share of right answers each of the marks 3, 4, 5 and 6 needs.
struct MarkScale
{
    std::optional<std::array<double, 4>> shares;
};

struct Mark
{
    double value = 2.0;
    int grade = 2; // 2 to 6, whose word it has
};
// `right`: the points, partly right answers by their credit.
[[nodiscard]] Mark markFor(double right, int questions, const MarkScale &scale);
// Слаб, Среден, Добър, Много добър, Отличен.
[[nodiscard]] QString markWord(int grade);

struct PupilResult
{
    QString file; // its name in the folder
    QString name;
    QString group;          // as sameClass() gives it
    bool evaluated = false; // handed in: the run reached its evaluation
    int answered = 0;
    int right = 0;     // answers wholly right
    double points = 0; // the credits of every answer added up: the mark counts these
    Mark mark;
    std::optional<qint64> seconds;   // from the start to the evaluation or the last answer
    std::vector<Verdict> byQuestion; // Right only when wholly right
    std::vector<double> credits;     // by question
    std::vector<bool> given; // by question: whether the pupil's run held it (a draw holds some)
    QStringList chosen;      // by question: the chosen text, empty when none
    std::vector<Response> responses; // by question: the answer as given, of any kind
};

struct ApartFile
{
    QString file;
    QString reason;
};

struct QuestionAnalysis
{
    int given = 0; // the pupils whose run held the question
    int answered = 0;
    int right = 0;
    double shareRight = 0.0; // of the pupils given the question, answered or not
    double points = 0.0;     // the credits the pupils given it earned, added up
    // The answer not wholly right given most, partly right ones too; empty when none.
    QString commonWrong;
    int commonWrongCount = 0;
    // Among the pupils given the question: upper 27 % right less lower 27 % right, by group size;
    // a group is 27 % of them to the nearest pupil, one at least.
    std::optional<double> discrimination;
};

// A share in whole per cent, rounded to the nearest (4 of 13 is 31); 0 of none is 0. Every
// percentage of the results is this one.
[[nodiscard]] inline int percentOf(double part, int whole)
{
    return whole > 0 ? static_cast<int>(std::lround(100.0 * part / whole)) : 0;
}

// The share right in whole per cent; none when no pupil was given the question.
[[nodiscard]] inline std::optional<int> percentRight(const QuestionAnalysis &analysis)
{
    return analysis.given > 0 ? std::optional(percentOf(analysis.right, analysis.given))
                              : std::nullopt;
}

// A class as pupils type it, one class however typed: a number and one letter, the letter in
// Latin ("7b", "7 B") or in capitals ("7Б"), is the number and the small Cyrillic letter ("7б").
// Any other text is kept as it is.
[[nodiscard]] QString sameClass(const QString &group);

// "Handed in" or "not handed in": whether the run reached its evaluation.
[[nodiscard]] QString handedInWord(bool evaluated);

struct ClassResults
{
    QStringList questions; // the test's question texts (its bank's, when it draws its runs)
    int runQuestions = 0;  // the questions of one run, which a mark counts
    std::vector<PupilResult> pupils;
    std::vector<ApartFile> apart;
    std::vector<QuestionAnalysis> analysis; // by question
};

// Every .kovres file of the folder, by name.
[[nodiscard]] ClassResults collectResults(const QString &folder, const MarkingTest &test,
                                          const MarkScale &scale = {});
// The marks and the analysis again, for another scale.
void remark(ClassResults &results, const MarkScale &scale);

// UTF-8 with a byte-order mark, semicolons and decimal commas: the pupils, the analysis of each
// question and the files listed apart, in the installed language; the tables of classTables
// (table.h), which the results view shows and prints.
[[nodiscard]] QByteArray resultsCsv(const ClassResults &results);

} // namespace kovra
