#include "core/codepage.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "resultexport.h"
#include "resultsinstallation.h"
#include "turns.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// The export of a result file to CSV reads the whole file, however long it has grown. It is
// compared with the floor of the same work done with plain calls: reading the file and writing
// as many bytes as the export writes. Its memory must not grow with the file.

namespace {

constexpr int kRecords = 1000000;
constexpr qint64 kChunk = 1 << 16;

class BenchInstallation
{
public:
    BenchInstallation()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("prog"));
        QDir(m_dir.path()).mkpath(QStringLiteral("files"));
        writeText(QStringLiteral("prog/設定.txt"), QStringLiteral("1,0,0,0,0,0,0,0,0,0\r\n"));
        writeText(QStringLiteral("files/共通データ.txt"),
                  QStringLiteral("4,\"12345ひまわり学習教室\",0,0,0,0,0,0,0,0\r\n"));
        QString table;
        for (int item = 1; item <= 20; ++item)
            table += QStringLiteral("%1,%2,30,3,1.5,3,30,7,30,0,0,0\r\n")
                         .arg(200 + item)
                         .arg(320 + item);
        writeText(QStringLiteral("prog/タイム回数データ.txt"), table);
        QString roster;
        for (int pupil = 1; pupil <= 4; ++pupil)
            roster += QStringLiteral("%1,2015,0,0,\"なまえ%1\",0,\"\",\"\"\r\n").arg(pupil);
        writeText(QStringLiteral("files/生徒用名簿.txt"), roster);

        QFile file(m_dir.path() + QStringLiteral("/prog/成績累積データ.dat"));
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        const double firstDay = DayNumber::fromDate(QDate(2016, 4, 1));
        QByteArray chunk;
        for (int k = 0; k < kRecords; ++k) {
            ResultRecord record;
            record.date = firstDay + k / 300;
            record.time = (k % 300) / 300.0;
            record.pupilNo = static_cast<qint16>(1 + k % 5); // pupil 5 has left the roster
            record.itemNo = static_cast<qint16>(2 + 2 * (k % 10));
            record.result = k % 97 == 0 ? 99999 : 60 + k % 400;
            record.schoolCode = {'1', '2', '3', '4', '5'};
            chunk += RecordCodec::encodeResult(record);
            if (chunk.size() >= kChunk) {
                file.write(chunk);
                chunk.clear();
            }
        }
        file.write(chunk);
        if (!m_installation.load(m_dir.path() + QStringLiteral("/prog"), QDate(2026, 12, 8)).ok())
            std::abort();
    }

    const ResultsInstallation& installation() const { return m_installation; }
    QString path(const QString& name) const { return m_dir.path() + u'/' + name; }

private:
    void writeText(const QString& relative, const QString& text)
    {
        QFile file(path(relative));
        if (!file.open(QIODevice::WriteOnly) || file.write(CodePage::encode(text)) < 0)
            std::abort();
    }

    QTemporaryDir m_dir;
    ResultsInstallation m_installation;
};

BenchInstallation& bench()
{
    static BenchInstallation installation;
    return installation;
}

qint64 exportOnce()
{
    QFile out(bench().path(QStringLiteral("export.csv")));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    ResultExporter exporter(bench().installation());
    const ExportOutcome outcome = exporter.exportTo({}, out);
    if (!outcome.status.ok() || outcome.rows != kRecords)
        std::abort();
    return out.size();
}

// Reading the result file and writing `bytes` bytes with plain calls.
void floorOnce(qint64 bytes)
{
    readThenWrite(bench().installation().resultFile(), bench().path(QStringLiteral("floor.csv")),
                  bytes);
}

double exportRatio = 0;

// The export and the floor take turns on the same files.
void exportToCsv(benchmark::State& state)
{
    exportRatio = againstFloor(state, exportOnce, floorOnce);
}
BENCHMARK(exportToCsv)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench();
    // Measured first, while this process is still small: the child starts with its pages.
    const double peak = childPeakMemory(exportOnce);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nexport of 1,000,000 records / floor (read the file, write as many bytes): "
                "%.2f  (limit 3.0)\n",
                exportRatio);
    std::printf("peak memory of a process exporting them: %.1f MiB (limit 50)\n", peak);
    benchmark::Shutdown();
    return exportRatio <= 3.0 && peak < 50 ? 0 : 1;
}
