// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a program to its end, as the benchmarks measure one: its wall time and its peak memory.
#pragma once

#include <QString>
#include <QStringList>
#include <ctime>
#include <optional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace kovra::bench {

struct Spawned
{
    double seconds = 0;
    double peakKiB = 0; // ru_maxrss: on Linux it includes the parent's peak
};

// None when the program cannot be started or does not end with status 0; `error` says which.
inline std::optional<Spawned> spawnAndWait(const QStringList &command, QString &error)
{
    std::vector<QByteArray> bytes;
    std::vector<char *> argv;
    for (const QString &word : command) {
        bytes.push_back(word.toLocal8Bit());
    }
    for (QByteArray &word : bytes) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        error = QStringLiteral("cannot start %1").arg(command.first());
        return std::nullopt;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    clock_gettime(CLOCK_MONOTONIC, &end);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = QStringLiteral("%1 failed").arg(command.join(QLatin1Char(' ')));
        return std::nullopt;
    }
    return Spawned{static_cast<double>(end.tv_sec - start.tv_sec) +
                       static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e9,
                   static_cast<double>(usage.ru_maxrss)};
}

} // namespace kovra::bench
