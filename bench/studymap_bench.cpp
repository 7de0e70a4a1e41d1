#include "resultexport.h"
#include "resultsinstallation.h"
#include "review/studycache.h"
#include "review/studylog.h"
#include "review/studylogrecord.h"
#include "review/studymap.h"
#include "studyexport.h"
#include "studylogs.h"
#include "turns.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// The map 覚えた熟語 opens from the program's kept study of the pupil, or in a new process from
// the checkpoint an earlier one left; a machine's very first look replays the whole log. The
// export of the log reads it all. Each is compared with the floor of plain calls doing the same
// reading (and, for the export, writing as many bytes). The export's memory must not grow with
// the log.

namespace {

constexpr int kEvents = 1000000;
constexpr int kIdioms = 220;
const QDate kToday(2026, 12, 8);

class BenchInstallation
{
public:
    BenchInstallation()
    {
        const QDir root(m_dir.path());
        root.mkpath(QStringLiteral("prog"));
        root.mkpath(QStringLiteral("files"));
        writeText(QStringLiteral("prog/設定.txt"), "1,0,0,0,0,0,0,0,0,0\r\n");
        writeText(QStringLiteral("files/共通データ.txt"), "4,\"12345\",0,0,0,0,0,0,0,0\r\n");
        QByteArray table;
        for (int item = 1; item <= 20; ++item)
            table += "200,320,30,3,1.5,3,30,7,30,0,0,0\r\n";
        writeText(QStringLiteral("prog/タイム回数データ.txt"), table);
        writeText(QStringLiteral("files/生徒用名簿.txt"), "1,2015,0,0,\"a\",0,\"\",\"\"\r\n");
        if (!m_installation.load(m_dir.filePath(QStringLiteral("prog")), kToday).ok())
            std::abort();
        for (int k = 0; k < kIdioms; ++k)
            m_idioms.push_back({idiom(k), QStringLiteral("しめんそか"),
                                QStringLiteral("まわりが敵ばかりであること"), 1 + k / 22});
        writeLog();
    }

    const ResultsInstallation& installation() const { return m_installation; }
    const std::vector<MapIdiom>& idioms() const { return m_idioms; }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    static QString idiom(int k) { return QString(QChar(0x4E00 + k)) + QStringLiteral("面楚歌"); }

    void writeText(const QString& relative, const QByteArray& text)
    {
        QFile file(path(relative));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0)
            std::abort();
    }

    // A million answers of one pupil, some 300 a day, one in six wrong, the newest today.
    void writeLog()
    {
        QFile file(m_installation.studyLogFile());
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        QByteArray chunk = StudyLogRecord::header();
        StudyEvent event;
        event.pupilNo = 1;
        event.seconds = 15;
        constexpr int kPerDay = 300;
        for (int k = 0; k < kEvents; ++k) {
            event.date = kToday.addDays((k - kEvents + 1) / kPerDay);
            event.secondOfDay = 30000 + k % kPerDay * 60;
            const int which = (k % kIdioms) * 7919 % kIdioms;
            event.idiom = m_idioms[static_cast<size_t>(which)].idiom;
            event.range = m_idioms[static_cast<size_t>(which)].range;
            event.wrongReadings = k % 6 == 0 ? 1 : 0;
            chunk += StudyLogRecord::encode(event);
            if (chunk.size() >= (1 << 16)) {
                file.write(chunk);
                chunk.clear();
            }
        }
        file.write(chunk);
    }

    QTemporaryDir m_dir;
    ResultsInstallation m_installation;
    std::vector<MapIdiom> m_idioms;
};

BenchInstallation& bench()
{
    static BenchInstallation installation;
    return installation;
}

// Reads the log with plain calls and writes `bytes` bytes.
void floorOnce(qint64 bytes)
{
    readThenWrite(bench().installation().studyLogFile(), bench().path(QStringLiteral("floor.csv")),
                  bytes);
}

qint64 exportOnce()
{
    QFile out(bench().path(QStringLiteral("study.csv")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    const StudyExportOutcome outcome =
        StudyExporter(bench().installation(), bench().idioms()).exportTo({}, out);
    if (!outcome.status.ok() || outcome.rows != kEvents)
        std::abort();
    return out.size();
}

double mapRatio = 0;
double keptMapRatio = 0;
double restartedMapRatio = 0;
double exportRatio = 0;

qint64 mapOnce(const QString& logPath, StudyCache* studies)
{
    StudyMap map;
    if (!loadStudyMap(logPath, 1, bench().idioms(), kToday, map, studies).ok() ||
        map.idiomCount() != kIdioms)
        std::abort();
    return 0;
}

// A machine's first look at the pupil replays the whole log.
void openMap(benchmark::State& state)
{
    mapRatio = againstFloor(
        state, [] { return mapOnce(bench().installation().studyLogFile(), nullptr); }, floorOnce);
}
// The map opens from the hub, which has just read the pupil's study into the program's cache.
void openMapFromTheHub(benchmark::State& state)
{
    static StudyCache hubs;
    const QString log = bench().installation().studyLogFile();
    mapOnce(log, &hubs);
    keptMapRatio = againstFloor(
        state, [&] { return mapOnce(log, &hubs); }, floorOnce);
}
// A new process each time, with the checkpoint an earlier one left; a drill appended since.
void openMapInANewProcess(benchmark::State& state)
{
    const QString log = bench().path(QStringLiteral("restarted.dat"));
    QFile::remove(log);
    if (!QFile::copy(bench().installation().studyLogFile(), log))
        std::abort();
    const StudyCheckpoints checkpoints(bench().path(QStringLiteral("cache")));
    const auto look = [&] {
        appendOneDrill(log, 1, kToday);
        StudyCache newProcess(checkpoints);
        return mapOnce(log, &newProcess);
    };
    look();
    restartedMapRatio = againstFloor(state, look, floorOnce);
}
BENCHMARK(openMap)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(openMapFromTheHub)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(openMapInANewProcess)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void exportStudyLog(benchmark::State& state)
{
    exportRatio = againstFloor(state, exportOnce, floorOnce);
}
BENCHMARK(exportStudyLog)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench();
    const double peak = childPeakMemory(exportOnce);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nmap of a pupil with 1,000,000 answers, opened from the hub that has read the "
                "pupil / one plain read of the log: %.2f (limit 3.0)\n",
                keptMapRatio);
    std::printf("the same, in a new process from its checkpoint, a drill appended since: %.2f "
                "(limit 3.0)\n",
                restartedMapRatio);
    std::printf("the same, a machine's first look, the whole log replayed: %.2f\n", mapRatio);
    std::printf("export --study of them / floor (read the log, write as many bytes): %.2f "
                "(limit 3.0)\n",
                exportRatio);
    std::printf("peak memory of a process exporting them: %.1f MiB (limit 50)\n", peak);
    benchmark::Shutdown();
    return std::max({keptMapRatio, restartedMapRatio, exportRatio}) <= 3.0 && peak < 50 ? 0 : 1;
}
