#include "review/pupilstudy.h"
#include "review/studycache.h"
#include "review/studylog.h"
#include "review/studylogrecord.h"
#include "studylogs.h"
#include "turns.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// The hub counts a pupil's due idioms on every activation, and a review drill starts from the
// due list. A look at a pupil the program has seen before replays only what was appended to the
// study log since, here the answers of one test drill; so does the first look in a new process,
// from the checkpoint an earlier process left. Both must stay within three times what one plain
// read of the file costs, with memory that does not grow with the file. A machine's very first
// look at a pupil replays the whole log; its figure is shown beside them.

namespace {

constexpr int kPupils = 4;
constexpr int kIdioms = 220;
constexpr int kAnswersPerPupilAndDay = 50;
const QDate kToday(2026, 12, 8);

// `count` answers of four pupils over 220 idioms, 50 a pupil a day, one in five wrong, the
// newest today.
void writeLog(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(StudyLogRecord::header());
    const int days = count / (kPupils * kAnswersPerPupilAndDay) + 1;
    quint32 random = 12345;
    StudyEvent event;
    event.range = 5;
    event.seconds = 20;
    for (int k = 0; k < count; ++k) {
        random = random * 1664525u + 1013904223u;
        const int idiom = static_cast<int>(random >> 8) % kIdioms;
        event.date = kToday.addDays(k / (kPupils * kAnswersPerPupilAndDay) - days + 1);
        event.secondOfDay = 36000 + k % 3600;
        event.pupilNo = 1 + k % kPupils;
        event.idiom = QString(QChar(0x4E00 + idiom)) + QStringLiteral("面楚歌");
        event.wrongIdiom = (random >> 24) % 5 == 0;
        if (file.write(StudyLogRecord::encode(event)) != StudyLogRecord::kLength)
            std::abort();
    }
    if (!file.flush() || ::fsync(file.handle()) != 0)
        std::abort();
}

struct Bench
{
    Bench()
    {
        writeLog(large, 1000000);
        writeLog(small, 100000);
    }
    QTemporaryDir dir;
    const QString large = dir.filePath(QStringLiteral("large.dat"));
    const QString small = dir.filePath(QStringLiteral("small.dat"));
};

Bench& bench()
{
    static Bench made;
    return made;
}

void plainRead(const QString& path)
{
    std::vector<char> buffer(1 << 20);
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        std::abort();
    while (in.read(buffer.data(), qint64(buffer.size())) > 0)
        benchmark::DoNotOptimize(buffer.data());
}

int hubCount(const QString& path)
{
    PupilStudy study(3);
    if (!study.load(path).ok())
        std::abort();
    return study.dueCount(kToday);
}

size_t reviewStart(const QString& path)
{
    PupilStudy study(3);
    if (!study.load(path).ok())
        std::abort();
    return study.due(kToday).size();
}

// A copy of the large log that grows by the answers of one test drill before each look. The
// look goes through the program's cache, which has seen the pupil before, or through a new
// process's cache, which has only the checkpoint an earlier process left.
class Growing
{
public:
    Growing(const QString& name, bool newProcesses)
        : path(bench().dir.filePath(name)), m_newProcesses(newProcesses)
    {
        if (!QFile::copy(bench().large, path))
            std::abort();
        look();
    }
    std::shared_ptr<const PupilStudy> look()
    {
        appendOneDrill(path, 3, kToday);
        StudyCache newProcess(StudyCheckpoints(bench().dir.filePath(QStringLiteral("cache"))));
        Status status;
        auto study = (m_newProcesses ? newProcess : m_kept).study(path, 3, &status);
        if (!status.ok())
            std::abort();
        return study;
    }
    const QString path;

private:
    bool m_newProcesses;
    StudyCache m_kept;
};

Growing& kept()
{
    static Growing made(QStringLiteral("kept.dat"), false);
    return made;
}

Growing& restarted()
{
    static Growing made(QStringLiteral("restarted.dat"), true);
    return made;
}

double dueCountRatio = 0;
double dueListRatio = 0;
double keptDueCountRatio = 0;
double keptDueListRatio = 0;
double restartedDueCountRatio = 0;
double restartedDueListRatio = 0;

// The replay and one plain read of the same file take turns.
void loadAndDueCount(benchmark::State& state)
{
    dueCountRatio = againstFloor(
        state, [] { return hubCount(bench().large); }, [](int) { plainRead(bench().large); });
}
void loadAndDueList(benchmark::State& state)
{
    dueListRatio = againstFloor(
        state, [] { return reviewStart(bench().large); }, [](size_t) { plainRead(bench().large); });
}
void keptDueCount(benchmark::State& state)
{
    keptDueCountRatio = againstFloor(
        state, [] { return kept().look()->dueCount(kToday); }, [](int) { plainRead(kept().path); });
}
void keptDueList(benchmark::State& state)
{
    keptDueListRatio = againstFloor(
        state, [] { return kept().look()->due(kToday).size(); },
        [](size_t) { plainRead(kept().path); });
}
void restartedDueCount(benchmark::State& state)
{
    restartedDueCountRatio = againstFloor(
        state, [] { return restarted().look()->dueCount(kToday); },
        [](int) { plainRead(restarted().path); });
}
void restartedDueList(benchmark::State& state)
{
    restartedDueListRatio = againstFloor(
        state, [] { return restarted().look()->due(kToday).size(); },
        [](size_t) { plainRead(restarted().path); });
}
BENCHMARK(loadAndDueCount)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(loadAndDueList)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(keptDueCount)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(keptDueList)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(restartedDueCount)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(restartedDueList)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

// How far the peak resident memory of a fresh process rises while it loads a log, in KiB.
long memoryGrowth(const QString& path)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        std::abort();
    const pid_t child = fork();
    if (child == 0) {
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        reviewStart(path);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        const long growth = after.ru_maxrss - before.ru_maxrss;
        _exit(::write(pipeEnds[1], &growth, sizeof growth) == sizeof growth ? 0 : 1);
    }
    long growth = -1;
    if (::read(pipeEnds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    int status = 0;
    waitpid(child, &status, 0);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    return growth;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench();
    const long smallGrowth = memoryGrowth(bench().small);
    const long largeGrowth = memoryGrowth(bench().large);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nstudy log of 1,000,000 answers (%lld bytes), processor time against one "
                "plain chunked read:\n",
                QFile(bench().large).size());
    std::printf("kept study, one drill appended, + dueCount / plain read: %.2f  (limit 3.0)\n",
                keptDueCountRatio);
    std::printf("kept study, one drill appended, + due()    / plain read: %.2f  (limit 3.0)\n",
                keptDueListRatio);
    std::printf("new process from its checkpoint, one drill appended, + dueCount / plain read: "
                "%.2f  (limit 3.0)\n",
                restartedDueCountRatio);
    std::printf("new process from its checkpoint, one drill appended, + due()    / plain read: "
                "%.2f  (limit 3.0)\n",
                restartedDueListRatio);
    std::printf("a machine's first look, the whole log replayed, + dueCount / plain read: %.2f\n",
                dueCountRatio);
    std::printf("a machine's first look, the whole log replayed, + due()    / plain read: %.2f\n",
                dueListRatio);
    std::printf("peak memory growth while loading: 100,000 answers %ld KiB, 1,000,000 answers "
                "%ld KiB (limit: 100,000 answers + 1 MiB)\n",
                smallGrowth, largeGrowth);
    benchmark::Shutdown();
    const bool flat = largeGrowth >= 0 && largeGrowth <= smallGrowth + 1024;
    const bool fast = std::max({keptDueCountRatio, keptDueListRatio, restartedDueCountRatio,
                                restartedDueListRatio}) <= 3.0;
    return fast && flat ? 0 : 1;
}
