// Start-up of the dictionary window against the floor of the toolkit: runs the program's probe
// and the bare-Qt probe alternately, times each from fork to the line it prints on its first
// painted frame, and compares medians, 90th percentiles and peak memory.
//
// Usage: startup_bench [runs] [program-probe floor-probe]
// Runs each probe `runs` times (default 20); the first run of each is a warm-up and is dropped.
// Uses whatever QT_QPA_PLATFORM is set (under xvfb-run, or offscreen).

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "startup_summary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

using startup::printTable;
using startup::Sample;
using startup::sideBySide;

constexpr int TimeoutMs = 30'000;

// Runs one probe; nothing when it fails, prints nothing, or is still silent after the timeout.
std::optional<Sample> runProbe(const std::string &path)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        // Qt's start-up warnings would only clutter the table.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);

    std::string line;
    pollfd fd {out[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos) {
        if (poll(&fd, 1, TimeoutMs) <= 0) {
            kill(pid, SIGKILL);
            break;
        }
        char buffer[64];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, static_cast<std::size_t>(n));
    }
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (line.find('\n') == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return Sample {std::chrono::duration<double, std::milli>(end - start).count(),
        std::strtol(line.c_str(), nullptr, 10)};
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const std::filesystem::path here
        = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::string program = argc > 3 ? argv[2] : (here / "startup_probe_program").string();
    const std::string floor = argc > 3 ? argv[3] : (here / "startup_probe_floor").string();
    if (rounds < 2) {
        std::fprintf(stderr, "usage: startup_bench [runs >= 2] [program-probe floor-probe]\n");
        return 2;
    }

    const auto runs = sideBySide(rounds, [&](bool isProgram) {
        const std::string &path = isProgram ? program : floor;
        const std::optional<Sample> sample = runProbe(path);
        if (!sample)
            std::fprintf(stderr, "%s painted no frame (is a display available?)\n", path.c_str());
        return sample;
    });
    if (!runs)
        return 1;
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("Start-up to the first painted frame of Form1 (QT_QPA_PLATFORM=%s), %d runs each "
                "after 1 warm-up\n\n",
        platform && *platform ? platform : "default", rounds - 1);
    printTable(*runs, "bare Qt floor", "peak RSS MiB", "goal: at most 1.10");
    return 0;
}
