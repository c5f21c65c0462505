// bench-startup: the time from process start to the first painted frame, and the peak memory, of
// the program's window against an empty Qt window of the same size.
//
//   bench-startup [--runs N] [--xcb] [--size WIDTHxHEIGHT]
// runs each probe N times (default 20), alternately, after one unmeasured warm-up run of each;
// offscreen on a 1024x768 screen (or one of the given size), or with --xcb on the X server of
// $DISPLAY (a 1920x1080 Xvfb, say), where classrooms run the program. Both windows fill the screen.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

// An offscreen screen without window frames, so that a maximised window is the screen's size as on
// the classroom screen (the default offscreen screen is 800 by 600).
std::string screenConfig(int width, int height)
{
    return R"({"windowFrameMargins": false, "screens": [{"name": "bench", "x": 0, "y": 0, "width": )"
           + std::to_string(width) + R"(, "height": )" + std::to_string(height)
           + R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
}

struct Sample {
    double milliseconds = 0; // process start to first painted frame
    double megabytes = 0;    // peak resident memory
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Starts the probe, reads the time stamp it prints at its first frame and waits for its end.
std::optional<Sample> runOnce(const char* path)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    char* arguments[] = {const_cast<char*>(path), nullptr};

    const long long start = monotonicNanoseconds();
    pid_t child = 0;
    const int spawnError = posix_spawn(&child, path, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(got));
    close(pipeEnds[0]);
    if (spawnError != 0)
        return std::nullopt;

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    const long long painted = std::atoll(output.c_str());
    if (painted <= start)
        return std::nullopt;
    // ru_maxrss is in kilobytes on Linux.
    return Sample{static_cast<double>(painted - start) / 1e6, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Probe {
    const char* name;
    const char* path;
    std::vector<double> milliseconds;
    std::vector<double> megabytes;
};

} // namespace

int main(int argc, char* argv[])
{
    int runs = 20;
    bool xcb = false;
    int width = 1024;
    int height = 768;
    bool understood = true;
    for (int i = 1; i < argc && understood; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--xcb") == 0)
            xcb = true;
        else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc)
            understood = std::sscanf(argv[++i], "%dx%d", &width, &height) == 2 && width > 0 && height > 0;
        else
            understood = false;
    }
    if (!understood || runs < 1) {
        std::fprintf(stderr, "usage: bench-startup [--runs N] [--xcb] [--size WIDTHxHEIGHT]\n");
        return 2;
    }

    // One private folder for the screen description, also serving as the runtime folder Qt
    // wants (and warns about on every start when there is none).
    char folder[] = "/tmp/bench-startup-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::fprintf(stderr, "bench-startup: cannot make a folder in /tmp\n");
        return 1;
    }
    const std::string configPath = std::string(folder) + "/screen.json";
    if (FILE* config = std::fopen(configPath.c_str(), "w")) {
        std::fputs(screenConfig(width, height).c_str(), config);
        std::fclose(config);
    }
    setenv("QT_QPA_PLATFORM", xcb ? "xcb" : ("offscreen:configfile=" + configPath).c_str(), 1);
    setenv("XDG_RUNTIME_DIR", folder, 0);

    Probe probes[] = {{"program", PROGRAM_PROBE, {}, {}}, {"bare", BARE_PROBE, {}, {}}};
    bool failed = false;
    for (int run = 0; run <= runs && !failed; ++run) {
        for (Probe& probe : probes) {
            const std::optional<Sample> sample = runOnce(probe.path);
            if (!sample) {
                std::fprintf(stderr, "bench-startup: %s did not paint and end cleanly\n", probe.path);
                failed = true;
                break;
            }
            if (run == 0)
                continue; // warm-up: loads the libraries into the page cache
            probe.milliseconds.push_back(sample->milliseconds);
            probe.megabytes.push_back(sample->megabytes);
        }
    }
    unlink(configPath.c_str());
    rmdir(folder);
    if (failed)
        return 1;

    const std::string where =
        xcb ? "on the X server of $DISPLAY" : "offscreen " + std::to_string(width) + "x" + std::to_string(height);
    std::printf("Process start to first painted frame, %d runs of each, alternating, %s\n\n", runs, where.c_str());
    std::printf("probe     median ms   min ms   max ms   median peak RSS MB\n");
    for (const Probe& p : probes) {
        const auto [low, high] = std::minmax_element(p.milliseconds.begin(), p.milliseconds.end());
        std::printf("%-8s %10.1f %8.1f %8.1f %20.1f\n", p.name, median(p.milliseconds), *low, *high,
                    median(p.megabytes));
    }
    const double timeRatio = median(probes[0].milliseconds) / median(probes[1].milliseconds);
    const double memoryRatio = median(probes[0].megabytes) / median(probes[1].megabytes);
    // Each program run against the bare run just after it: steadier than the ratio of the medians
    // when the shared machine's load drifts during the benchmark.
    std::vector<double> paired;
    for (std::size_t i = 0; i < probes[0].milliseconds.size(); ++i)
        paired.push_back(probes[0].milliseconds[i] / probes[1].milliseconds[i]);
    std::sort(paired.begin(), paired.end());
    const double programMemory = median(probes[0].megabytes);
    const double extra = median(probes[0].milliseconds) - median(probes[1].milliseconds);
    std::printf("\nprogram / bare: start-up %.2fx (target within 1.5x: %s), peak RSS %.2fx\n", timeRatio,
                timeRatio <= 1.5 ? "met" : "missed", memoryRatio);
    std::printf("program - bare: start-up %+.1f ms (target at most 15 ms more: %s)\n", extra,
                extra <= 15.0 ? "met" : "missed");
    std::printf("paired runs: median ratio %.2fx, middle half %.2fx to %.2fx\n", median(paired),
                paired[paired.size() / 4], paired[(paired.size() * 3) / 4]);
    std::printf("program peak RSS %.1f MB (target under 60 MB: %s)\n", programMemory,
                programMemory < 60.0 ? "met" : "missed");
    return 0;
}
