#include "app/programrun.h"
#include "platform/qtmessagebox.h"

#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

// Start-up as a user feels it: from starting the process to the name selection screen on view,
// against a process that only shows a bare Qt Widgets window of the same size. Both are this
// program started again with a child option, so both pay the same process and library costs.

extern char** environ;

namespace {

constexpr double kRatioLimit = 1.5;
double g_ratio = 0;

int bareWindow(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1024, 768);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}

int programToNameScreen(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 11));
    QtMessageBox messages;
    return runProgram(QStringLiteral(YOJI_DEMO_PROGRAM_DIR), messages,
                      [] { QCoreApplication::quit(); });
}

struct ChildTimes
{
    double wall = 0;
    double processor = 0; // user and system time of the child
};

ChildTimes runChild(const char* self, const char* child)
{
    const auto start = std::chrono::steady_clock::now();
    char* const arguments[] = {const_cast<char*>(self), const_cast<char*>(child), nullptr};
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawn(&pid, self, nullptr, nullptr, arguments, environ) != 0 ||
        wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed\n", self, child);
        std::exit(2);
    }
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The two take turns, so that the moods of a shared machine fall on both alike. The ratio
// compares processor time: on a busy machine the wall-clock time mostly measures the wait for
// a free core, which grows with the length of the run.
void BM_StartUpToNameScreen(benchmark::State& state, const char* self)
{
    std::vector<double> programWall, bareWall, program, bare;
    for (auto _ : state) {
        const ChildTimes bareTimes = runChild(self, "--bare");
        const ChildTimes programTimes = runChild(self, "--program");
        bareWall.push_back(bareTimes.wall);
        programWall.push_back(programTimes.wall);
        bare.push_back(bareTimes.processor);
        program.push_back(programTimes.processor);
        state.SetIterationTime(programTimes.wall);
    }
    state.counters["bare_wall_ms"] = median(bareWall) * 1000;
    state.counters["program_wall_ms"] = median(programWall) * 1000;
    state.counters["bare_cpu_ms"] = median(bare) * 1000;
    state.counters["program_cpu_ms"] = median(program) * 1000;
    state.counters["wall_ratio"] = median(programWall) / median(bareWall);
    g_ratio = median(program) / median(bare);
    state.counters["ratio"] = g_ratio;
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return bareWindow(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--program") == 0)
        return programToNameScreen(argc, argv);

    benchmark::RegisterBenchmark("StartUpToNameScreen", BM_StartUpToNameScreen, argv[0])
        ->UseManualTime()
        ->Iterations(21)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("start-up to the name screen / bare window, processor time: %.2f (limit %.1f)\n",
                g_ratio, kRatioLimit);
    return g_ratio <= kRatioLimit ? 0 : 1;
}
