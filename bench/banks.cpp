// SPDX-License-Identifier: GPL-3.0-or-later
// Question banks: times `kovra-check --draw 20 --write` of a 1,000-question GIFT bank and of the
// same bank as Moodle XML (no figures), and of a Moodle XML bank with the 29 phone photographs
// of kovra-bench-photos embedded, reading each one's peak memory; then draws 20 of a 100-question
// bank at 10,000 starts (a fixed seed) and counts how often each question comes.
//
// Usage: kovra-bench-banks DIR (DIR/photos/figures from kovra-bench-photos, when there, for the
// photographs). Prints the figures and PASS or MISS against the targets (1 s and 100 MB for
// 1,000 questions, 300 MB for the photographs, every question within 10 % of its expected
// count); exits 1 on a MISS, 2 on a failure.

#include "content/loader.h"
#include "run/draw.h"
#include "run/random.h"
#include "spawned.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "kovra-bench-banks: %s\n", what.toUtf8().constData());
    std::exit(2);
}

void save(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        fail(QStringLiteral("cannot write %1").arg(path));
    }
}

struct Spawned
{
    double seconds = 0;
    double peakMB = 0;
};

Spawned run(const QStringList &command)
{
    QString error;
    const std::optional<kovra::bench::Spawned> spawned = kovra::bench::spawnAndWait(command, error);
    if (!spawned) {
        fail(error);
    }
    return {spawned->seconds, spawned->peakKiB * 1024 / 1e6};
}

// A question of a maths bank: text, four answers and feedback, as teachers write them.
struct Question
{
    QString text;
    QStringList wrong;
    QString right;
    QString feedback;
};

Question question(int i)
{
    return {QStringLiteral("Въпрос %1: колко е %1 × 3, ако √9 = 3 и π ≈ 3,14?").arg(i),
            {QString::number(i * 3 + 1), QString::number(i * 3 - 1), QString::number(i * 4)},
            QString::number(i * 3),
            QStringLiteral("%1 × 3 = %2.").arg(i).arg(i * 3)};
}

QByteArray gift(int count)
{
    QString out;
    for (int i = 1; i <= count; ++i) {
        const Question q = question(i);
        out += QStringLiteral("// question: %1\n::Q%1::%2 {\n\t=%3#%4\n\t~%5\n\t~%6\n\t~%7\n}\n\n")
                   .arg(i)
                   .arg(q.text, q.right, QString(q.feedback).replace(u'=', QStringLiteral("\\=")),
                        q.wrong[0], q.wrong[1], q.wrong[2]);
    }
    return out.toUtf8();
}

// A bank of the five kinds by turns: single choice, several right answers, a typed answer, a
// number, matching.
QByteArray giftKinds(int count)
{
    QString out;
    for (int i = 1; i <= count; ++i) {
        const Question q = question(i);
        QString answers;
        switch (i % 5) {
        case 0:
            answers =
                QStringLiteral("=%1 ~%2 ~%3 ~%4").arg(q.right, q.wrong[0], q.wrong[1], q.wrong[2]);
            break;
        case 1:
            answers =
                QStringLiteral("~%50%%1 ~%50%%2 ~%-100%%3").arg(q.right, q.wrong[0], q.wrong[1]);
            break;
        case 2:
            answers = QStringLiteral("=%100%%1 =%50%%1 0 =%2*").arg(q.right, q.wrong[2]);
            break;
        case 3:
            answers = QStringLiteral("#=%1:0.5 =%50%%2:1").arg(q.right, q.wrong[0]);
            break;
        default:
            answers = QStringLiteral("=a%1 -> %2 =b%1 -> %3 =c%1 -> %4")
                          .arg(i)
                          .arg(q.right, q.wrong[0], q.wrong[1]);
        }
        out += QStringLiteral("// question: %1\n::Q%1::%2 {%3\n####%4\n}\n\n")
                   .arg(i)
                   .arg(q.text, answers, QString(q.feedback).replace(u'=', QStringLiteral("\\=")));
    }
    return out.toUtf8();
}

// A Moodle XML bank written to `path` a question at a time; `pictures` names the photograph of
// each question, if any. Nothing big is held here: a spawned program's peak memory includes its
// parent's, as Linux counts it.
void moodleXml(const QString &path, int count, const QFileInfoList &pictures = {})
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("cannot write %1").arg(path));
    }
    out.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n");
    for (int i = 1; i <= count; ++i) {
        const Question q = question(i);
        const bool picture = i <= pictures.size();
        out.write(
            "<question type=\"multichoice\">\n<name><text>Q" + QByteArray::number(i) +
            "</text></name>\n<questiontext format=\"html\"><text><![CDATA[<p>" + q.text.toUtf8() +
            "</p>" +
            (picture ? QByteArray("<p><img src=\"@@PLUGINFILE@@/p.jpg\"></p>") : QByteArray()) +
            "]]></text>\n");
        if (picture) {
            QFile photo(pictures[i - 1].filePath());
            if (!photo.open(QIODevice::ReadOnly)) {
                fail(QStringLiteral("cannot read %1").arg(photo.fileName()));
            }
            out.write("<file name=\"p.jpg\" path=\"/\" encoding=\"base64\">" +
                      photo.readAll().toBase64() + "</file>\n");
        }
        out.write("</questiontext>\n<generalfeedback format=\"html\"><text>" + q.feedback.toUtf8() +
                  "</text></generalfeedback>\n<single>true</single>\n"
                  "<answer fraction=\"100\" format=\"html\"><text>" +
                  q.right.toUtf8() + "</text></answer>\n");
        for (const QString &wrong : q.wrong) {
            out.write("<answer fraction=\"0\" format=\"html\"><text>" + wrong.toUtf8() +
                      "</text></answer>\n");
        }
        out.write("</question>\n");
    }
    out.write("</quiz>\n");
}

bool report(const char *what, const Spawned &spawned, double seconds, double megabytes)
{
    const bool pass = (seconds <= 0 || spawned.seconds <= seconds) && spawned.peakMB <= megabytes;
    std::printf(
        "%-44s %7.3f s %8.1f MB  target %s%.0f MB  %s\n", what, spawned.seconds, spawned.peakMB,
        seconds > 0 ? QStringLiteral("<= %1 s, <= ").arg(seconds).toUtf8().constData() : "<= ",
        megabytes, pass ? "PASS" : "MISS");
    return pass;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        fail(QStringLiteral("usage: kovra-bench-banks DIR"));
    }
    const QString dir = args[1];
    QDir().mkpath(dir);
    const QString check =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../kovra-check");
    bool pass = true;
    std::printf("== question banks: kovra-check --draw 20 --write ==\n");
    save(dir + QStringLiteral("/bank1000.gift"), gift(1000));
    pass = report("1,000 questions, GIFT",
                  run({check, QStringLiteral("--draw"), QStringLiteral("20"),
                       QStringLiteral("--write"), dir + QStringLiteral("/bank1000-gift.kovra"),
                       dir + QStringLiteral("/bank1000.gift")}),
                  1, 100) &&
           pass;
    save(dir + QStringLiteral("/kinds1000.gift"), giftKinds(1000));
    pass = report("1,000 questions of five kinds, GIFT",
                  run({check, QStringLiteral("--draw"), QStringLiteral("20"),
                       QStringLiteral("--write"), dir + QStringLiteral("/kinds1000-gift.kovra"),
                       dir + QStringLiteral("/kinds1000.gift")}),
                  1, 100) &&
           pass;
    moodleXml(dir + QStringLiteral("/bank1000.xml"), 1000);
    pass = report("1,000 questions, Moodle XML",
                  run({check, QStringLiteral("--draw"), QStringLiteral("20"),
                       QStringLiteral("--write"), dir + QStringLiteral("/bank1000-xml.kovra"),
                       dir + QStringLiteral("/bank1000.xml")}),
                  1, 100) &&
           pass;
    const QFileInfoList photos = QDir(dir + QStringLiteral("/photos/figures"))
                                     .entryInfoList({QStringLiteral("*.jpg")}, QDir::Files);
    if (photos.size() >= 29) {
        moodleXml(dir + QStringLiteral("/photos.xml"), 29, photos.mid(0, 29));
        const QString what =
            QStringLiteral("29 phone photos in Moodle XML (%1 MB)")
                .arg(static_cast<double>(QFileInfo(dir + QStringLiteral("/photos.xml")).size()) /
                         1e6,
                     0, 'f', 1);
        pass =
            report(what.toUtf8().constData(),
                   run({check, QStringLiteral("--write"), dir + QStringLiteral("/photos-xml.kovra"),
                        dir + QStringLiteral("/photos.xml")}),
                   0, 300) &&
            pass;
    } else {
        std::printf("(no photographs in %s/photos/figures: kovra-bench-photos makes them)\n",
                    qPrintable(dir));
    }

    // The draw: 10,000 starts of a 100-question bank drawing 20.
    QJsonArray questions;
    for (int i = 0; i < 100; ++i) {
        questions.append(QJsonObject{
            {QStringLiteral("text"), QStringLiteral("Q%1").arg(i)},
            {QStringLiteral("choices"), QJsonArray{QStringLiteral("a"), QStringLiteral("b")}},
            {QStringLiteral("key"), QStringLiteral("a")},
            {QStringLiteral("explanation"), QJsonArray{QStringLiteral("e")}}});
    }
    const QJsonObject root{
        {QStringLiteral("settings"),
         QJsonArray{QStringLiteral("s"), QStringLiteral("p 0"), QStringLiteral("t 0"),
                    QStringLiteral("T"), QStringLiteral("d 0"), QStringLiteral("e 0")}},
        {QStringLiteral("draw"), 20},
        {QStringLiteral("questions"), questions}};
    const kovra::LoadResult loaded = kovra::loadContent(QJsonDocument(root).toJson(), {});
    if (!loaded.content || !loaded.test || loaded.test->draw == 0) {
        fail(QStringLiteral("the draw's bank does not load"));
    }
    std::vector<int> drawn(100, 0);
    kovra::ClockRandom random(20261208);
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (int run = 0; run < 10000; ++run) {
        for (const int pick : kovra::drawQuestions(100, 20, random)) {
            ++drawn[static_cast<std::size_t>(pick)];
        }
    }
    clock_gettime(CLOCK_MONOTONIC, &end);
    const auto [least, most] = std::minmax_element(drawn.begin(), drawn.end());
    const bool even = *least >= 1800 && *most <= 2200;
    std::printf("== the draw: 10,000 starts, 20 of 100 (expected 2,000 each, seed 20261208) ==\n");
    std::printf("%-44s %d to %d  (%+.1f %% to %+.1f %%)  target within 10 %%  %s\n",
                "times each question was drawn", *least, *most, (*least - 2000) / 20.0,
                (*most - 2000) / 20.0, even ? "PASS" : "MISS");
    std::printf("%-44s %7.2f us a start\n", "time of a draw",
                ((end.tv_sec - start.tv_sec) * 1e6 + (end.tv_nsec - start.tv_nsec) / 1e3) / 10000);
    return pass && even ? 0 : 1;
}
