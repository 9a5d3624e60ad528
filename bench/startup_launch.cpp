// Starts each program in turn, many times, and reports for every run how long it took from
// the moment before the process was created to its first complete paint, and the process's
// peak resident memory. The programs alternate so that a slow spell of the machine falls on
// both alike.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Clock.h"

extern char** environ;

namespace {

struct Run {
    double startupMs = -1;
    double exitMs = -1;
    long maxRssKiB = -1;
    long hwmAtPaintKiB = -1;
    bool ok = false;
};

long long field(const std::string& output, const char* key) {
    const std::string prefix = std::string(key) + "=";
    const auto at = output.find(prefix);
    if (at == std::string::npos) return -1;
    return std::atoll(output.c_str() + at + prefix.size());
}

Run runOnce(const std::string& program) {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};

    const auto started = miravane::bench::monotonicNs();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return {};
    }

    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) output.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const auto exited = miravane::bench::monotonicNs();

    Run run;
    const long long painted = field(output, "painted_ns");
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && painted > started;
    run.startupMs = (painted - started) / 1e6;
    run.exitMs = (exited - started) / 1e6;
    run.maxRssKiB = usage.ru_maxrss;
    run.hwmAtPaintKiB = static_cast<long>(field(output, "hwm_at_paint_kib"));
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS WARMUP NAME=PROGRAM...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int warmup = std::atoi(argv[2]);
    std::vector<std::pair<std::string, std::string>> programs;
    for (int i = 3; i < argc; ++i) {
        const char* eq = std::strchr(argv[i], '=');
        if (!eq) return 2;
        programs.emplace_back(std::string(argv[i], static_cast<std::size_t>(eq - argv[i])), std::string(eq + 1));
    }

    int failures = 0;
    for (int i = 0; i < warmup + runs; ++i) {
        for (std::size_t j = 0; j < programs.size(); ++j) {
            // Each run starts with a different program, so neither always goes first.
            const auto& [name, program] = programs[(i + j) % programs.size()];
            const Run run = runOnce(program);
            if (!run.ok) {
                ++failures;
                std::fprintf(stderr, "%s did not reach its first paint\n", name.c_str());
                continue;
            }
            if (i < warmup) continue;
            std::printf("name=%s startup_ms=%.3f exit_ms=%.3f maxrss_kib=%ld hwm_at_paint_kib=%ld\n", name.c_str(),
                        run.startupMs, run.exitMs, run.maxRssKiB, run.hwmAtPaintKiB);
        }
    }
    return failures == 0 ? 0 : 1;
}
