// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and peak memory of the player against the bare Qt program.
//
// Runs the start-up probes (kovra-bench-start, kovra-bench-bare and kovra-bench-floor) one
// after the other, many times, in turning order, so that all meet the same load of the
// machine. The floor is the player's first view drawn with the lightest Qt widgets and none of
// the player's code: what Qt itself costs for this window. Each run
// is timed from just before the spawn to the moment the child reports its window exposed
// (both on CLOCK_MONOTONIC), and to the child's exit. Peak memory is the child's VmHWM at
// that moment; the kernel's ru_maxrss of the child is printed beside it as a cross-check.
//
// Usage: kovra-bench-startup [runs] (default 41). Prints the figures and PASS or MISS against
// the targets; exits 1 on a MISS.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr double kStartTarget = 1.15;
constexpr double kMemoryTarget = 1.25;

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Run
{
    double exposedMs = 0;
    double exitMs = 0;
    long peakKiB = 0;
    long maxRssKiB = 0;
};

Run spawnOnce(const std::string &path)
{
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    // The platform's warnings are the same for both programs and not part of the figures.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv{const_cast<char *>(path.c_str()), nullptr};

    const long long start = monotonicNs();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), std::strerror(failed));
        std::exit(2);
    }
    std::string text;
    char buffer[512];
    for (;;) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const long long end = monotonicNs();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not exit cleanly (status %d); run it by hand to see why\n",
                     path.c_str(), status);
        std::exit(2);
    }
    long long exposed = 0;
    long peak = 0;
    if (std::sscanf(text.c_str(), "exposed_ns %lld\npeak_kib %ld", &exposed, &peak) != 2) {
        std::fprintf(stderr, "%s reported no exposed window: \"%s\"\n", path.c_str(), text.c_str());
        std::exit(2);
    }
    Run run;
    run.exposedMs = static_cast<double>(exposed - start) / 1e6;
    run.exitMs = static_cast<double>(end - start) / 1e6;
    run.peakKiB = peak;
    run.maxRssKiB = usage.ru_maxrss;
    return run;
}

template <typename T> double median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1
               ? static_cast<double>(values[n / 2])
               : (static_cast<double>(values[n / 2 - 1]) + static_cast<double>(values[n / 2])) / 2;
}

template <typename F> std::vector<double> pick(const std::vector<Run> &runs, F field)
{
    std::vector<double> values;
    values.reserve(runs.size());
    for (const Run &run : runs) {
        values.push_back(static_cast<double>(field(run)));
    }
    return values;
}

const char *verdict(double ratio, double target)
{
    return ratio <= target ? "PASS" : "MISS";
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
    std::string dir = argv[0];
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    const std::string kovra = dir + "kovra-bench-start";
    const std::string bare = dir + "kovra-bench-bare";
    const std::string floorView = dir + "kovra-bench-floor";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Warm the page cache and the font cache for all.
    for (int i = 0; i < 3; ++i) {
        spawnOnce(kovra);
        spawnOnce(bare);
        spawnOnce(floorView);
    }
    std::vector<Run> ours;
    std::vector<Run> base;
    std::vector<Run> floors;
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 3; ++k) {
            switch ((i + k) % 3) {
            case 0:
                ours.push_back(spawnOnce(kovra));
                break;
            case 1:
                base.push_back(spawnOnce(bare));
                break;
            default:
                floors.push_back(spawnOnce(floorView));
                break;
            }
        }
    }

    const auto exposed = [](const Run &r) { return r.exposedMs; };
    const auto exited = [](const Run &r) { return r.exitMs; };
    const auto peak = [](const Run &r) { return r.peakKiB; };
    const auto maxRss = [](const Run &r) { return r.maxRssKiB; };
    // The ratio of the medians, and the median of the ratios of the pairs run side by side.
    std::vector<double> pairRatios;
    for (int i = 0; i < runs; ++i) {
        pairRatios.push_back(ours[static_cast<std::size_t>(i)].exposedMs /
                             base[static_cast<std::size_t>(i)].exposedMs);
    }
    const double startOurs = median(pick(ours, exposed));
    const double startBare = median(pick(base, exposed));
    const double startRatio = startOurs / startBare;
    const double memOurs = median(pick(ours, peak));
    const double memBare = median(pick(base, peak));
    const double memRatio = memOurs / memBare;

    std::printf("== start-up (%d runs each, interleaved; process start to window exposed) ==\n",
                runs);
    std::printf("%-24s %10s %10s %8s\n", "", "kovra", "bare", "ratio");
    std::printf("%-24s %10.1f %10.1f %8.3f  target <= %.2f  %s\n", "median exposed, ms", startOurs,
                startBare, startRatio, kStartTarget, verdict(startRatio, kStartTarget));
    std::printf("%-24s %10s %10s %8.3f\n", "median of pair ratios", "", "", median(pairRatios));
    const double startFloor = median(pick(floors, exposed));
    std::printf("%-24s %10.1f %10.1f %8.3f  the same view in the lightest Qt widgets\n",
                "floor, median exposed", startFloor, startBare, startFloor / startBare);
    std::printf("%-24s %10.1f %10.1f %8.3f  kovra against its floor\n", "kovra / floor", startOurs,
                startFloor, startOurs / startFloor);
    std::printf("%-24s %10.1f %10.1f %8.3f\n", "median to exit, ms", median(pick(ours, exited)),
                median(pick(base, exited)),
                median(pick(ours, exited)) / median(pick(base, exited)));
    std::printf("== peak memory (start-up run) ==\n");
    std::printf("%-24s %10.0f %10.0f %8.3f  target <= %.2f  %s\n", "median VmHWM, KiB", memOurs,
                memBare, memRatio, kMemoryTarget, verdict(memRatio, kMemoryTarget));
    std::printf("%-24s %10.0f %10.0f %8.3f\n", "floor, median VmHWM", median(pick(floors, peak)),
                memBare, median(pick(floors, peak)) / memBare);
    std::printf("%-24s %10.0f %10.0f %8.3f\n", "median ru_maxrss, KiB", median(pick(ours, maxRss)),
                median(pick(base, maxRss)),
                median(pick(ours, maxRss)) / median(pick(base, maxRss)));
    return startRatio <= kStartTarget && memRatio <= kMemoryTarget ? 0 : 1;
}
