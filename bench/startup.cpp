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
// Usage: kovra-bench-startup [runs] [BUILTIN.kovra PHOTOS.kovra] (41 runs by default). With the
// two test files, the player is also started with each of them, and the teacher's window with
// the photo test. Prints the figures and PASS or
// MISS against the targets; exits 1 on a MISS.

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

constexpr double kStartTarget = 1.05;        // the built-in test against the floor
constexpr double kMemoryTarget = 1.25;       // the built-in test against the bare program
constexpr double kFileStartTarget = 1.05;    // the built-in test as a file against the built-in
constexpr double kPhotoStartTarget = 1.15;   // the photo test against the built-in
constexpr double kPhotoMemoryTarget = 1.50;  // the photo test against the built-in
constexpr double kTeacherStartTarget = 2.0;  // the teacher's window against the player, photos
constexpr double kTeacherMemoryTarget = 2.0; // the same, peak memory

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

Run spawnOnce(const std::string &path, const std::string &argument = {})
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
    std::vector<char *> argv{const_cast<char *>(path.c_str()), nullptr, nullptr};
    if (!argument.empty()) {
        argv[1] = const_cast<char *>(argument.c_str());
    }

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
    // The test files to play beside the built-in test: the built-in test written as a file,
    // and a test of 29 phone photographs (kovra-bench-photos writes both).
    const std::string builtInFile = argc > 3 ? argv[2] : "";
    const std::string photoFile = argc > 3 ? argv[3] : "";
    std::string dir = argv[0];
    dir = dir.substr(0, dir.find_last_of('/') + 1);
    const std::string kovra = dir + "kovra-bench-start";
    const std::string bare = dir + "kovra-bench-bare";
    const std::string floorView = dir + "kovra-bench-floor";
    const std::string teacher = dir + "kovra-bench-teacher-start";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // The programs, run in turning order so that all meet the same load of the machine.
    struct Program
    {
        std::string path;
        std::string argument;
        std::vector<Run> runs;
    };
    std::vector<Program> programs{{kovra, {}, {}}, {bare, {}, {}}, {floorView, {}, {}}};
    if (!builtInFile.empty()) {
        programs.push_back({kovra, builtInFile, {}});
        programs.push_back({kovra, photoFile, {}});
        programs.push_back({teacher, photoFile, {}});
    }
    const std::size_t count = programs.size();
    // Warm the page cache and the font cache for all.
    for (int i = 0; i < 3; ++i) {
        for (const Program &program : programs) {
            spawnOnce(program.path, program.argument);
        }
    }
    for (int i = 0; i < runs; ++i) {
        for (std::size_t k = 0; k < count; ++k) {
            Program &program = programs[(static_cast<std::size_t>(i) + k) % count];
            program.runs.push_back(spawnOnce(program.path, program.argument));
        }
    }
    const std::vector<Run> &ours = programs[0].runs;
    const std::vector<Run> &base = programs[1].runs;
    const std::vector<Run> &floors = programs[2].runs;

    const auto exposed = [](const Run &r) { return r.exposedMs; };
    const auto exited = [](const Run &r) { return r.exitMs; };
    const auto peak = [](const Run &r) { return r.peakKiB; };
    const auto maxRss = [](const Run &r) { return r.maxRssKiB; };
    const double startOurs = median(pick(ours, exposed));
    const double startBare = median(pick(base, exposed));
    const double startFloor = median(pick(floors, exposed));
    const double startRatio = startOurs / startFloor;
    const double memOurs = median(pick(ours, peak));
    const double memBare = median(pick(base, peak));
    const double memRatio = memOurs / memBare;
    bool pass = startRatio <= kStartTarget && memRatio <= kMemoryTarget;

    std::printf("== start-up (%d runs each, interleaved; process start to window exposed) ==\n",
                runs);
    std::printf("%-28s %10s %10s %8s\n", "", "ms", "against", "ratio");
    std::printf("%-28s %10.1f %10.1f %8.3f  the built-in test against the bare program\n",
                "kovra, median exposed", startOurs, startBare, startOurs / startBare);
    std::printf("%-28s %10.1f %10.1f %8.3f  the same view in the lightest Qt widgets\n",
                "floor, median exposed", startFloor, startBare, startFloor / startBare);
    std::printf("%-28s %10.1f %10.1f %8.3f  target <= %.2f  %s\n", "kovra / floor", startOurs,
                startFloor, startRatio, kStartTarget, verdict(startRatio, kStartTarget));
    std::printf("%-28s %10.1f %10.1f %8.3f\n", "median to exit, kovra / bare",
                median(pick(ours, exited)), median(pick(base, exited)),
                median(pick(ours, exited)) / median(pick(base, exited)));
    if (count > 3) {
        const double builtIn = median(pick(programs[3].runs, exposed));
        const double photos = median(pick(programs[4].runs, exposed));
        std::printf("%-28s %10.1f %10.1f %8.3f  target <= %.2f  %s\n", "kovra FILE, built-in test",
                    builtIn, startOurs, builtIn / startOurs, kFileStartTarget,
                    verdict(builtIn / startOurs, kFileStartTarget));
        std::printf("%-28s %10.1f %10.1f %8.3f  target <= %.2f  %s\n", "kovra FILE, 29 photos",
                    photos, startOurs, photos / startOurs, kPhotoStartTarget,
                    verdict(photos / startOurs, kPhotoStartTarget));
        const double teacherStart = median(pick(programs[5].runs, exposed));
        std::printf("%-28s %10.1f %10.1f %8.3f  target <= %.2f  %s\n", "teacher / kovra, 29 photos",
                    teacherStart, photos, teacherStart / photos, kTeacherStartTarget,
                    verdict(teacherStart / photos, kTeacherStartTarget));
        pass = pass && builtIn / startOurs <= kFileStartTarget &&
               photos / startOurs <= kPhotoStartTarget &&
               teacherStart / photos <= kTeacherStartTarget;
    }
    std::printf("== peak memory (start-up run; VmHWM, KiB) ==\n");
    std::printf("%-28s %10.0f %10.0f %8.3f  target <= %.2f  %s\n", "kovra / bare", memOurs, memBare,
                memRatio, kMemoryTarget, verdict(memRatio, kMemoryTarget));
    std::printf("%-28s %10.0f %10.0f %8.3f\n", "floor / bare", median(pick(floors, peak)), memBare,
                median(pick(floors, peak)) / memBare);
    std::printf("%-28s %10.0f %10.0f %8.3f\n", "ru_maxrss, kovra / bare",
                median(pick(ours, maxRss)), median(pick(base, maxRss)),
                median(pick(ours, maxRss)) / median(pick(base, maxRss)));
    if (count > 3) {
        const double photos = median(pick(programs[4].runs, peak));
        std::printf("%-28s %10.0f %10.0f %8.3f  target <= %.2f  %s\n", "kovra FILE, 29 photos",
                    photos, memOurs, photos / memOurs, kPhotoMemoryTarget,
                    verdict(photos / memOurs, kPhotoMemoryTarget));
        const double teacherPeak = median(pick(programs[5].runs, peak));
        std::printf("%-28s %10.0f %10.0f %8.3f  target <= %.2f  %s\n", "teacher / kovra, 29 photos",
                    teacherPeak, photos, teacherPeak / photos, kTeacherMemoryTarget,
                    verdict(teacherPeak / photos, kTeacherMemoryTarget));
        pass = pass && photos / memOurs <= kPhotoMemoryTarget &&
               teacherPeak / photos <= kTeacherMemoryTarget;
    }
    return pass ? 0 : 1;
}
