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

double secondsToRun(const char* self, const char* child)
{
    const auto start = std::chrono::steady_clock::now();
    char* const arguments[] = {const_cast<char*>(self), const_cast<char*>(child), nullptr};
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, self, nullptr, nullptr, arguments, environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed\n", self, child);
        std::exit(2);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The two take turns, so that the moods of a shared machine fall on both alike.
void BM_StartUpToNameScreen(benchmark::State& state, const char* self)
{
    std::vector<double> program, bare;
    for (auto _ : state) {
        bare.push_back(secondsToRun(self, "--bare"));
        program.push_back(secondsToRun(self, "--program"));
        state.SetIterationTime(program.back());
    }
    state.counters["bare_ms"] = median(bare) * 1000;
    state.counters["program_ms"] = median(program) * 1000;
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
    std::printf("start-up to the name screen / bare window: %.2f (limit %.1f)\n", g_ratio,
                kRatioLimit);
    return g_ratio <= kRatioLimit ? 0 : 1;
}
