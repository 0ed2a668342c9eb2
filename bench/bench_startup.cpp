// Start-up to the first paint of the main window, and the peak memory of the whole process,
// against a bare Qt window holding two QTextEdits, both started as processes in the same run.
// Needs an X display: run it under xvfb-run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct TStart
{
    double Seconds = 0; // from spawning to the first paint
    long PeakKiB = 0;   // the child's peak resident set
};

TStart StartOnce(const std::string& program)
{
    int output[2];
    if (pipe(output) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t child = 0;
    const auto begin = std::chrono::steady_clock::now();
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0) {
        throw std::runtime_error("cannot start " + program);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    char line[64] = {};
    const ssize_t got = read(output[0], line, sizeof line - 1);
    const auto painted = std::chrono::steady_clock::now();
    close(output[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (got <= 0 || std::string(line).rfind("painted", 0) != 0) {
        throw std::runtime_error(program + " did not paint");
    }
    return {std::chrono::duration<double>(painted - begin).count(), usage.ru_maxrss};
}

std::string BesideThisProgram(const char* name)
{
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, size_t(length > 0 ? length : 0));
    return path.substr(0, path.rfind('/') + 1) + name;
}

void RunStartups(benchmark::State& state, const char* program)
{
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("no X display: run under xvfb-run");
        return;
    }
    const std::string path = BesideThisProgram(program);
    long peak = 0;
    for (auto _ : state) {
        const TStart start = StartOnce(path);
        state.SetIterationTime(start.Seconds);
        peak = std::max(peak, start.PeakKiB);
    }
    state.counters["peak_MiB"] = double(peak) / 1024.0;
}

void BM_StartupBareWindow(benchmark::State& state)
{
    RunStartups(state, "startup_bare_window");
}

void BM_StartupMainWindow(benchmark::State& state)
{
    RunStartups(state, "startup_main_window");
}

} // namespace

BENCHMARK(BM_StartupBareWindow)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupMainWindow)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
