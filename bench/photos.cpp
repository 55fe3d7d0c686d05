// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a test of phone photographs: makes a content folder of 29 questions, each with a
// 4000 x 3000 photograph as a phone takes it (a JPEG of a few megabytes, generated here), then
// times `kovra-check --write` of it and reads its peak memory and the size of the file it
// writes. Also writes the built-in test as a test file, for the start-up benchmark.
//
// Usage: kovra-bench-photos DIR CONTENT_DIR. Makes DIR/photos/ (kept for later runs),
// DIR/photos.kovra and DIR/builtin.kovra. Prints the figures and PASS or MISS against the
// targets (the file at most 5 % of the photographs' bytes, peak memory at most 300 MB);
// exits 1 on a MISS, 2 on a failure.

#include "spawned.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QString>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kQuestions = 29;
constexpr double kSizeTarget = 0.05;
constexpr double kMemoryTargetMiB = 300;

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "kovra-bench-photos: %s\n", what.toUtf8().constData());
    std::exit(2);
}

// A photograph of nothing in particular: broad light and shade, fine texture and grain, so
// that it compresses as a camera's picture does.
QByteArray photo(int seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(static_cast<quint32>(seed));
    const double phase = seed * 0.7;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double light = 0.5 + 0.25 * std::sin(x / 410.0 + phase) * std::cos(y / 330.0) +
                                 0.1 * std::sin((x + y) / 37.0 + phase);
            const int grain = static_cast<int>(random.bounded(23)) - 11;
            const auto channel = [&](double tint) {
                return std::clamp(static_cast<int>(255 * light * tint) + grain, 0, 255);
            };
            line[x] = qRgb(channel(1.0), channel(0.85 + 0.1 * std::sin(y / 500.0)), channel(0.7));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 88);
    return bytes;
}

void makeFolder(const QString &folder)
{
    if (QFileInfo::exists(folder + QStringLiteral("/content.json"))) {
        return;
    }
    QDir().mkpath(folder + QStringLiteral("/figures"));
    QJsonArray questions;
    for (int k = 1; k <= kQuestions; ++k) {
        const QString name = QStringLiteral("figures/IMG_%1.jpg").arg(20260100 + k);
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(photo(k)) < 0) {
            fail(QStringLiteral("cannot write %1").arg(file.fileName()));
        }
        questions.append(QJsonObject{
            {QStringLiteral("text"), QStringLiteral("Какво има на снимка %1?").arg(k)},
            {QStringLiteral("choices"),
             QJsonArray{QStringLiteral("дърво"), QStringLiteral("къща"), QStringLiteral("река"),
                        QStringLiteral("планина")}},
            {QStringLiteral("key"), QStringLiteral("река")},
            {QStringLiteral("figure"), name},
            {QStringLiteral("explanation"), QJsonArray{QStringLiteral("На снимката има река.")}}});
    }
    const QJsonObject set{
        {QStringLiteral("settings"),
         QJsonArray{QStringLiteral("Настройки - последната цифра"),
                    QStringLiteral("ЧЕО - фраза от 2 части - 0"),
                    QStringLiteral("Проверка за Тото - 0"), QStringLiteral("Снимки от екскурзията"),
                    QStringLiteral("Дава описание - 1"), QStringLiteral("Дава обяснения - 1")}},
        {QStringLiteral("questions"), questions}};
    QFile content(folder + QStringLiteral("/content.json"));
    if (!content.open(QIODevice::WriteOnly) || content.write(QJsonDocument(set).toJson()) < 0) {
        fail(QStringLiteral("cannot write %1").arg(content.fileName()));
    }
}

struct Spawned
{
    double seconds = 0;
    double peakMiB = 0;
};

Spawned run(const QStringList &command)
{
    QString error;
    const std::optional<kovra::bench::Spawned> spawned = kovra::bench::spawnAndWait(command, error);
    if (!spawned) {
        fail(error);
    }
    return {spawned->seconds, spawned->peakKiB / 1024};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        fail(QStringLiteral("usage: kovra-bench-photos DIR CONTENT_DIR"));
    }
    const QString dir = args[1];
    const QString check =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../kovra-check");
    const QString folder = dir + QStringLiteral("/photos");
    makeFolder(folder);
    qint64 photoBytes = 0;
    for (const QFileInfo &file :
         QDir(folder + QStringLiteral("/figures")).entryInfoList(QDir::Files)) {
        photoBytes += file.size();
    }
    const QString written = dir + QStringLiteral("/photos.kovra");
    const Spawned writing = run({check, QStringLiteral("--write"), written, folder});
    run({check, QStringLiteral("--write"), dir + QStringLiteral("/builtin.kovra"), args[2]});

    const double share =
        static_cast<double>(QFileInfo(written).size()) / static_cast<double>(photoBytes);
    std::printf("== kovra-check --write of %d photographs of 4000 x 3000 (%.1f MB of JPEG) ==\n",
                kQuestions, static_cast<double>(photoBytes) / 1e6);
    std::printf("%-32s %10.2f s\n", "time", writing.seconds);
    std::printf("%-32s %10.2f MB  %5.2f %% of the photographs  target <= %.0f %%  %s\n",
                "test file", static_cast<double>(QFileInfo(written).size()) / 1e6, 100 * share,
                100 * kSizeTarget, share <= kSizeTarget ? "PASS" : "MISS");
    std::printf("%-32s %10.1f MiB  target <= %.0f MB  %s\n", "peak memory (ru_maxrss)",
                writing.peakMiB, kMemoryTargetMiB,
                writing.peakMiB * 1.048576 <= kMemoryTargetMiB ? "PASS" : "MISS");
    return share <= kSizeTarget && writing.peakMiB * 1.048576 <= kMemoryTargetMiB ? 0 : 1;
}
