// SPDX-License-Identifier: GPL-3.0-or-later
// Collecting a class's results: 1,000 result files of a 29-question test, every question
// answered, read, checked and marked against the test's current key, with the analysis of each
// question; then the same files sealed, as a test for marks keeps them, opened with the teacher's
// key. Prints the time of each of the runs and PASS or MISS against the targets (each median at
// most 1 s, the sealed at most 2 x the unsealed); exits 1 on a MISS.
//
// Usage: kovra-bench-results [FOLDER] (a temporary folder by default; the files are written
// once, then collected 5 times).

#include "results/collect.h"
#include "results/seal.h"
#include "testfile/testfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kovra;

namespace {

constexpr int kQuestions = 29;
constexpr int kFiles = 1000;
constexpr int kRuns = 5;
constexpr double kTargetMs = 1000.0;

QByteArray testJson()
{
    QJsonArray questions;
    for (int k = 1; k <= kQuestions; ++k) {
        QJsonArray choices;
        for (int c = 1; c <= 4; ++c) {
            choices.append(QStringLiteral("Отговор %1 на въпрос %2").arg(c).arg(k));
        }
        questions.append(QJsonObject{
            {QStringLiteral("text"),
             QStringLiteral("Въпрос %1: колко градуса е ъгълът при върха?").arg(k)},
            {QStringLiteral("choices"), choices},
            {QStringLiteral("key"), choices.at(0)},
            {QStringLiteral("explanation"), QJsonArray{QStringLiteral("Обяснение")}},
        });
    }
    return QJsonDocument(
               QJsonObject{
                   {QStringLiteral("settings"),
                    QJsonArray{QStringLiteral("Настройки"), QStringLiteral("Фраза - 0"),
                               QStringLiteral("Проверка - 0"), QStringLiteral("Геометрия"),
                               QStringLiteral("Описание - 1"), QStringLiteral("Обяснения - 1")}},
                   {QStringLiteral("questions"), questions},
                   {QStringLiteral("results"), QJsonObject{{QStringLiteral("folder"), QString()}}},
               })
        .toJson();
}

ResultRecord pupilRun(const MarkingTest &test, int pupil)
{
    ResultRecord record;
    record.title = test.identity.title;
    record.testSha256 = test.identity.sha256;
    record.questions = test.identity.questions;
    record.name = QStringLiteral("Ученик %1").arg(pupil);
    record.group = QStringLiteral("%1%2").arg(5 + pupil % 4).arg(QChar(u'а' + pupil % 3));
    record.computer = QStringLiteral("kab-%1").arg(pupil % 30);
    record.started = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    record.ended = record.started.addSecs(1200);
    record.evaluated = true;
    for (int p = 0; p < kQuestions; ++p) {
        const int q = (p * 7) % kQuestions;
        ResultAnswer answer;
        answer.question = q;
        answer.text = test.questions.at(std::size_t(q)).text;
        for (int c = 0; c < 4; ++c) {
            answer.choices
                << QStringLiteral("Отговор %1 на въпрос %2").arg((c + p) % 4 + 1).arg(q + 1);
        }
        answer.chosen = (pupil * 31 + q * 17) % 4;
        const bool right =
            answer.choices.at(*answer.chosen) == test.questions.at(std::size_t(q)).rightText();
        answer.verdict = right ? Verdict::Right : Verdict::Wrong;
        record.right += right ? 1 : 0;
        answer.time = record.started.addSecs(40 * (p + 1));
        record.answers.push_back(answer);
    }
    return record;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const QString testPath = QDir(folder).filePath(QStringLiteral("test.kovra"));
    const WrittenTest written = makeTestArchive(
        TestFiles{testJson(), [](const QString &) { return std::optional<QByteArray>(); }});
    if (!written.archive || !saveFile(testPath, *written.archive).empty()) {
        std::fprintf(stderr, "kovra-bench-results: the test could not be written\n");
        return 2;
    }
    MarkingTest test = markingTest(*written.checked.test, *written.archive);
    const std::optional<SealKeys> keys = makeSealKeys();
    if (!keys) {
        std::fprintf(stderr, "kovra-bench-results: no keys for the seal\n");
        return 2;
    }
    double medians[2] = {};
    for (const bool sealed : {false, true}) {
        const QString files = QDir(folder).filePath(sealed ? "sealed" : "plain");
        QDir().mkpath(files);
        test.identity.publicKey = sealed ? keys->publicKey : QByteArray();
        test.identity.secretKey = sealed ? keys->secretKey : QByteArray();
        qint64 bytes = 0;
        for (int i = 0; i < kFiles; ++i) {
            const ResultRecord record = pupilRun(test, i);
            QFile file(QDir(files).filePath(
                resultFileName(record.group, record.name, record.started.addSecs(i))));
            const QByteArray text = resultBytes(record, test.identity).value_or(QByteArray());
            bytes += text.size();
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() ||
                text.isEmpty()) {
                std::fprintf(stderr, "kovra-bench-results: a result file could not be written\n");
                return 2;
            }
        }
        std::printf("%d result files%s of a %d-question test, %.1f MB, in %s\n", kFiles,
                    sealed ? ", sealed," : "", kQuestions, static_cast<double>(bytes) / 1e6,
                    qPrintable(files));
        std::vector<double> ms;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            const ClassResults results = collectResults(files, test);
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            if (results.pupils.size() != kFiles || !results.apart.empty()) {
                std::fprintf(
                    stderr, "kovra-bench-results: %zu pupils, %zu set apart (%s: %s)\n",
                    results.pupils.size(), results.apart.size(),
                    qPrintable(results.apart.empty() ? QString() : results.apart.front().file),
                    qPrintable(results.apart.empty() ? QString() : results.apart.front().reason));
                return 2;
            }
            std::printf("collect %d: %8.1f ms\n", run + 1, ms.back());
        }
        std::sort(ms.begin(), ms.end());
        medians[sealed ? 1 : 0] = ms[ms.size() / 2];
    }
    const double ratio = medians[1] / medians[0];
    const bool pass = medians[0] <= kTargetMs && medians[1] <= kTargetMs && ratio <= 2.0;
    std::printf("median %.1f ms, sealed %.1f ms (%.2f x); target each <= %.0f ms and sealed <= "
                "2 x: %s\n",
                medians[0], medians[1], ratio, kTargetMs, pass ? "PASS" : "MISS");
    return pass ? 0 : 1;
}
