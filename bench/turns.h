#pragma once

#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Processor time of this process, user and system: file work costs much system time, and on
// a shared machine the wall clock also counts the time other programs take.
inline double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Runs the measured work and its floor (handed what the work returned) in turns, so that the
// machine's moods fall on both alike. The time reported is the work's processor time; the
// counter "floor_ms" is the floor's median, and "ratio", also returned, compares the medians.
template <typename Work, typename Floor>
double againstFloor(benchmark::State& state, Work work, Floor floor)
{
    std::vector<double> works;
    std::vector<double> floors;
    for (auto _ : state) {
        const double start = processorSeconds();
        const auto done = work();
        benchmark::DoNotOptimize(done);
        const double middle = processorSeconds();
        floor(done);
        const double end = processorSeconds();
        works.push_back(middle - start);
        floors.push_back(end - middle);
        state.SetIterationTime(works.back());
    }
    const double ratio = median(works) / median(floors);
    state.counters["floor_ms"] = median(floors) * 1e3;
    state.counters["ratio"] = ratio;
    return ratio;
}

// The peak resident memory, in MiB, of a child process that does work once. Measured before
// the benchmarks run, while this process is still small: the child starts with its pages.
template <typename Work> double childPeakMemory(Work work)
{
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The floor of an export: reads the file `from` with plain calls in 1 MiB chunks and writes
// `bytes` bytes to `to` in 64 KiB writes, as much as the export wrote.
inline void readThenWrite(const QString& from, const QString& to, qint64 bytes)
{
    std::vector<char> buffer(1 << 20, 'x');
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        std::abort();
    while (in.read(buffer.data(), qint64(buffer.size())) > 0) {
    }
    for (qint64 written = 0; written < bytes;) {
        const qint64 part = std::min<qint64>(1 << 16, bytes - written);
        if (out.write(buffer.data(), part) != part)
            std::abort();
        written += part;
    }
}
