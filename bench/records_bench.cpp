#include "core/sharedstate.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "platform/sleeper.h"
#include "platform/wholefilelock.h"
#include "records/recordcodec.h"
#include "records/records.h"
#include "records/resultfiles.h"
#include "turns.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

// The statistics run on every activation of the name selection screen, the hub and the finish
// screen, and a result is appended at the end of every drill, on files that only ever grow.
// These benchmarks show that neither cost grows with the file and that both stay close to
// what the bare file work costs.

namespace {

class SilentMessageBox : public MessageBox
{
public:
    Answer show(const QString&, const QString& text, Buttons) override
    {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        return Answer::Ok;
    }
};

// An installation whose result file (and home-use file) holds `count` records. The last
// 20000 records are the same whatever the count, so that every size scans the same tail.
class BenchInstallation
{
public:
    explicit BenchInstallation(int count)
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("prog"));
        QDir(m_dir.path()).mkpath(QStringLiteral("files"));
        m_state.dataFolder = m_dir.path() + QStringLiteral("/prog/");
        m_state.commonFolder = m_dir.path() + QStringLiteral("/prog/../files/");
        m_state.schoolCode = QStringLiteral("12345");
        for (int i = 1; i <= kMaxItemNo; ++i) {
            m_state.itemTargetTime[i] = 200 + 10 * i;
            m_state.itemField5[i] = 1.5f;
            m_state.itemText8[i] = QStringLiteral("7");
            m_state.itemText9[i] = QStringLiteral("30");
        }
        const double today = DayNumber::fromDate(QDate::currentDate());
        QByteArray result;
        QByteArray home;
        result.reserve(qsizetype(count) * RecordCodec::kResultLength);
        home.reserve(qsizetype(count) * RecordCodec::kHomeLength);
        const QString program = RecordCodec::homeProgramName(m_state.dataFolder);
        for (int k = count; k >= 1; --k) { // k = records from the end
            ResultRecord record;
            record.date = today - (k / 60) % 400;
            record.time = 0.5;
            record.pupilNo = static_cast<qint16>(1 + k % 300);
            record.itemNo = static_cast<qint16>(2 * (1 + k % 10));
            record.result = k % 97 == 0 ? 99999 : 30 + k % 500;
            record.setSchoolCode(m_state.schoolCode);
            result += RecordCodec::encodeResult(record);
            home += RecordCodec::encodeHome(record, program);
        }
        write(resultFilePath(m_state), result);
        write(homeResultFilePath(m_state), home);
    }

    SharedState& state() { return m_state; }
    Records& records() { return *m_records; }

private:
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        // Synced, so that no write-back of the set-up disturbs the measurements.
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.flush() || ::fsync(file.handle()) != 0)
            std::abort();
    }

    QTemporaryDir m_dir;
    SharedState m_state;
    SystemClock m_clock;
    EventLoopSleeper m_sleeper;
    SilentMessageBox m_messages;
    ProcessExit m_exit;
    std::unique_ptr<Records> m_records =
        std::make_unique<Records>(m_state, m_clock, m_sleeper, m_messages, m_exit);
};

BenchInstallation& installation(int count)
{
    static std::map<int, std::unique_ptr<BenchInstallation>> made;
    auto& slot = made[count];
    if (!slot)
        slot = std::make_unique<BenchInstallation>(count);
    return *slot;
}

void computeStatistics(benchmark::State& state)
{
    Records& records = installation(static_cast<int>(state.range(0))).records();
    for (auto _ : state) {
        records.computeStatistics();
        benchmark::DoNotOptimize(records.tables().loadedCount());
    }
}

// The least that computeStatistics must do: read the scanned tail of the file and clear the
// tables once.
void statisticsFloor(benchmark::State& state)
{
    BenchInstallation& bench = installation(static_cast<int>(state.range(0)));
    const QByteArray path = QFile::encodeName(resultFilePath(bench.state()));
    auto tables = std::make_unique<ResultTables>();
    std::vector<char> buffer;
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        const off_t size = ::lseek(fd, 0, SEEK_END);
        const off_t records = size / RecordCodec::kResultLength;
        const off_t first = std::max<off_t>(0, records - 20000);
        buffer.resize(static_cast<size_t>((records - first) * RecordCodec::kResultLength));
        benchmark::DoNotOptimize(
            ::pread(fd, buffer.data(), buffer.size(), first * RecordCodec::kResultLength));
        ::close(fd);
        tables->personalBest.fill(ResultTables::kNoTime);
        tables->overallBest.fill(ResultTables::kNoTime);
        tables->hasRecords.fill(0);
        tables->highestItem.fill(0);
        tables->attemptCount.fill(0);
        tables->timeSum.fill(0);
        tables->averageTime.fill(0);
        tables->totalPoints.fill(0);
        tables->recentCountA.fill(0);
        tables->recentPointsA.fill(0);
        tables->recentCountB.fill(0);
        tables->recentPointsB.fill(0);
        tables->todayCount.fill(0);
        tables->todayTimeSum.fill(0);
        tables->todayPoints.fill(0);
        tables->todayAverage.fill(0);
        benchmark::DoNotOptimize(tables.get());
    }
}

// The system calls an append cannot do without, on both files: open, lock, find the end,
// write, sync, unlock, close.
void bareAppend(const QByteArray& resultPath, const QByteArray& homePath)
{
    static const QByteArray record(RecordCodec::kHomeLength, 'r');
    const std::pair<const QByteArray&, int> files[] = {{resultPath, RecordCodec::kResultLength},
                                                       {homePath, RecordCodec::kHomeLength}};
    for (const auto& [path, length] : files) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        ::fcntl(fd, F_OFD_SETLK, &lock);
        const off_t end = ::lseek(fd, 0, SEEK_END) / length * length;
        benchmark::DoNotOptimize(::pwrite(fd, record.constData(), length, end));
        ::fdatasync(fd);
        lock.l_type = F_UNLCK;
        ::fcntl(fd, F_OFD_SETLK, &lock);
        ::close(fd);
    }
}

// appendResultRecord and the bare calls take turns on the same files, so that the disk's
// moods fall on both alike. The time reported is appendResultRecord's; the counter "ratio"
// compares the medians of the two.
void appendResultRecord(benchmark::State& state)
{
    BenchInstallation& bench = installation(static_cast<int>(state.range(0)));
    bench.state().pupilNo = 12; // gets the home-use copy as well
    bench.state().drillItemNo = 4;
    bench.state().drillResult = 321;
    const QByteArray resultPath = QFile::encodeName(resultFilePath(bench.state()));
    const QByteArray homePath = QFile::encodeName(homeResultFilePath(bench.state()));
    std::vector<double> appends;
    std::vector<double> bares;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto start = Clock::now();
        bench.records().recorder().appendResultRecord();
        const auto middle = Clock::now();
        bareAppend(resultPath, homePath);
        const auto end = Clock::now();
        appends.push_back(std::chrono::duration<double>(middle - start).count());
        bares.push_back(std::chrono::duration<double>(end - middle).count());
        state.SetIterationTime(appends.back());
    }
    state.counters["bare_us"] = median(bares) * 1e6;
    state.counters["append_us"] = median(appends) * 1e6;
    state.counters["ratio"] = median(appends) / median(bares);
}

constexpr int kSmall = 20000;
constexpr int kLarge = 1000000;
constexpr int kRepetitions = 7;

BENCHMARK(computeStatistics)
    ->Arg(kSmall)
    ->Arg(kLarge)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(statisticsFloor)->Arg(kSmall)->Repetitions(kRepetitions)->Unit(benchmark::kMillisecond);
BENCHMARK(appendResultRecord)
    ->Arg(kLarge)
    ->Repetitions(kRepetitions)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Keeps the fastest repetition of every benchmark, the least disturbed by other work, and
// the append ratio of every repetition.
class FastestRunReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            // Processor time: the statistics wait for nothing, and on a shared machine the wall
            // clock also counts the time other programs take.
            const double seconds = run.cpu_accumulated_time / double(run.iterations);
            const std::string name = run.run_name.function_name + '/' + run.run_name.args;
            if (!fastest.count(name) || seconds < fastest[name])
                fastest[name] = seconds;
            if (const auto ratio = run.counters.find("ratio"); ratio != run.counters.end())
                appendRatios.push_back(ratio->second.value);
        }
    }
    std::map<std::string, double> fastest;
    std::vector<double> appendRatios;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    FastestRunReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto time = [&](const std::string& name) {
        const auto found = reporter.fastest.find(name);
        return found == reporter.fastest.end() ? 0.0 : found->second;
    };
    const double small = time("computeStatistics/20000");
    const double large = time("computeStatistics/1000000");
    const double floor = time("statisticsFloor/20000");
    bool ok = true;
    auto ratio = [&](const char* what, double a, double b, double limit) {
        if (a <= 0 || b <= 0)
            return;
        const double value = a / b;
        ok = ok && value <= limit;
        std::printf("%-84s %5.2f  (limit %.1f)\n", what, value, limit);
    };
    std::printf("\nRatios (statistics: processor time of the fastest repetitions):\n");
    ratio("computeStatistics 1,000,000 records / 20,000 records", large, small, 1.2);
    ratio("computeStatistics 20,000 records / floor", small, floor, 3.0);
    ratio("computeStatistics 1,000,000 records / floor", large, floor, 3.0);
    ratio("appendResultRecord / bare open-lock-pwrite-fdatasync-close (median of repetitions)",
          median(reporter.appendRatios), 1.0, 1.2);
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
