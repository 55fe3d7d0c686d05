// SPDX-License-Identifier: GPL-3.0-or-later
// Test files that keep results, written to disk as a teacher writes them.
#pragma once

#include "results/collect.h"
#include "testfile/testfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kovra::testing {

// n questions of four choices "Qk a" .. "Qk d"; the key of question k is choice keys[k-1] (0 by
// default). `results`: the folder setting; none, a test that keeps no results. `draw`: the
// questions each run draws from them; 0, every question.
inline QByteArray resultsTestJson(int n, const std::optional<QString> &results,
                                  const QList<int> &keys = {}, int draw = 0)
{
    QJsonArray questions;
    for (int k = 1; k <= n; ++k) {
        QJsonArray choices;
        for (const char letter : {'a', 'b', 'c', 'd'}) {
            choices.append(QStringLiteral("Q%1 %2").arg(k).arg(QLatin1Char(letter)));
        }
        questions.append(QJsonObject{
            {QStringLiteral("text"), QStringLiteral("Въпрос %1?").arg(k)},
            {QStringLiteral("choices"), choices},
            {QStringLiteral("key"), choices.at(keys.value(k - 1, 0))},
            {QStringLiteral("explanation"), QJsonArray{QStringLiteral("Обяснение")}},
        });
    }
    QJsonObject root{
        {QStringLiteral("settings"),
         QJsonArray{QStringLiteral("Настройки"), QStringLiteral("Фраза - 0"),
                    QStringLiteral("Проверка - 0"), QStringLiteral("Тест с резултати"),
                    QStringLiteral("Описание - 1"), QStringLiteral("Обяснения - 1")}},
        {QStringLiteral("questions"), questions},
    };
    if (results) {
        root.insert(QStringLiteral("results"), QJsonObject{{QStringLiteral("folder"), *results}});
    }
    if (draw > 0) {
        root.insert(QStringLiteral("draw"), draw);
    }
    return QJsonDocument(root).toJson();
}

// The last four questions made one of each kind but single choice, with their keys.
inline void withEveryKind(Test &test)
{
    using K = QuestionKind;
    const QStringList why{"Обяснение"};
    const Question kinds[] = {{.kind = K::Several,
                               .text = "Прости?",
                               .choices = {"2", "3", "4", "9"},
                               .weights = {0.5, 0.5, -1, -1},
                               .explanation = why},
                              {.kind = K::Typed,
                               .text = "Столицата?",
                               .accepted = {{.text = "Париж"}, {.text = "Par*", .credit = 0.5}},
                               .explanation = why},
                              {.kind = K::Number,
                               .text = "Пи?",
                               .accepted = {{.text = "3.14", .tolerance = 0.005}},
                               .explanation = why},
                              {.kind = K::Matching,
                               .text = "С думи?",
                               .choices = {"едно", "две", "три"},
                               .items = {"1", "2", "3"},
                               .matches = {0, 1, 2},
                               .explanation = why}};
    std::copy(std::begin(kinds), std::end(kinds), test.questions.end() - 4);
}

// Writes the test file; its path, or empty when it could not be made.
inline QString writeTestFile(const QString &path, const QByteArray &json)
{
    const WrittenTest written = makeTestArchive(
        TestFiles{json, [](const QString &) { return std::optional<QByteArray>(); }});
    return written.archive && saveFile(path, *written.archive).empty() ? path : QString();
}

inline MarkingTest writtenTest(const QString &path, const std::optional<QString> &results,
                               const QList<int> &keys, int questions = 4, int draw = 0)
{
    const QString written = writeTestFile(path, resultsTestJson(questions, results, keys, draw));
    QFile file(written);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const LoadResult loaded = loadTestFile(path);
    return markingTest(*loaded.test, bytes);
}

inline bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A pupil's run of the fixture's test: the choice taken at each question (its place in the
// test, -1 none), shown in the test's order.
inline ResultRecord run(const TestIdentity &test, const QString &name, const QList<int> &chosen)
{
    ResultRecord record;
    record.title = test.title;
    record.testSha256 = test.sha256;
    record.questions = test.questions;
    record.name = name;
    record.group = QStringLiteral("7а");
    record.computer = QStringLiteral("pc");
    record.started = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    record.ended = record.started.addSecs(300);
    record.evaluated = true;
    for (int q = 0; q < chosen.size(); ++q) {
        ResultAnswer answer;
        answer.question = q;
        answer.text = QStringLiteral("Въпрос %1?").arg(q + 1);
        for (const char letter : {'a', 'b', 'c', 'd'}) {
            answer.choices << QStringLiteral("Q%1 %2").arg(q + 1).arg(QLatin1Char(letter));
        }
        if (chosen[q] >= 0) {
            answer.chosen = chosen[q];
            answer.verdict = chosen[q] == 0 ? Verdict::Right : Verdict::Wrong;
            answer.time = record.started.addSecs(60 * (q + 1));
        }
        record.answers.push_back(answer);
    }
    return record;
}

// A class of four pupils in `folder`, who answered the test of four questions whose keys were
// all choice a (given.kovra in `dir`), and three files to be set apart: edited by hand (a wrong
// answer made right, the text still valid), damaged, and of another test (other.kovra). Боян
// typed his class in Latin letters ("7A"); Вера's player ended after three answers, before the
// evaluation. Галя's name, `fourth`, needs quotes in a CSV.
inline bool writeClass(const QString &dir, const QString &folder,
                       const QString &fourth = QStringLiteral("Галя; \"Г\""))
{
    const MarkingTest given =
        writtenTest(QDir(dir).filePath(QStringLiteral("given.kovra")), QString(), {0, 0, 0, 0});
    const MarkingTest other = writtenTest(QDir(dir).filePath(QStringLiteral("other.kovra")),
                                          QString(), {0, 0, 0, 0, 0}, 5);
    const struct
    {
        const char *file;
        const MarkingTest *test;
        const char *name;
        QList<int> chosen;
    } pupils[] = {{"1 Ана", &given, "Ана", {0, 0, 0, 0}},
                  {"2 Боян", &given, "Боян", {0, 1, 0, 0}},
                  {"3 Вера", &given, "Вера", {0, 1, 2, -1}},
                  {"4 Галя", &given, "Галя; \"Г\"", {-1, -1, -1, -1}},
                  {"5 Дани", &given, "Дани", {1, 1, 1, 1}},
                  {"6 Ели", &given, "Ели", {0, 0, 0, 0}},
                  {"7 Жоро", &other, "Жоро", {0, 0, 0, 0, 0}}};
    bool ok = QDir().mkpath(folder);
    for (const auto &pupil : pupils) {
        const QString file = QString::fromUtf8(pupil.file);
        ResultRecord record =
            run(pupil.test->identity,
                file.startsWith(u'4') ? fourth : QString::fromUtf8(pupil.name), pupil.chosen);
        if (file.startsWith(QLatin1Char('2'))) {
            record.group = QStringLiteral("7A");
        } else if (file.startsWith(QLatin1Char('3'))) {
            record.evaluated = false;
            record.ended = QDateTime();
        }
        QByteArray bytes = writeResult(record, pupil.test->identity.key);
        if (file.startsWith(QLatin1Char('5'))) {
            bytes.replace("\"chosen\": \"Q1 b\"", "\"chosen\": \"Q1 a\"");
        } else if (file.startsWith(QLatin1Char('6'))) {
            bytes.truncate(300);
        }
        ok = ok && put(QDir(folder).filePath(file + QStringLiteral(".kovres")), bytes);
    }
    return ok;
}

} // namespace kovra::testing
