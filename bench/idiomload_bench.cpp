#include "drill/idiomcompanion.h"
#include "drill/idiomtable.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// Every drill start loads the idiom table; a full companion file has 1000 lines.
static void loadFullIdiomFile(benchmark::State& state)
{
    QTemporaryDir dir;
    std::vector<QStringList> records;
    for (int i = 1; i <= 1000; ++i)
        records.push_back({QString::number(i % 10 + 1), QStringLiteral("一石二鳥"),
                           QStringLiteral("いっせきにちょう"),
                           QStringLiteral("一つのことをして、同時に二つの得をすること。")});
    bool ok = false;
    QFile file(dir.path() + QStringLiteral("/四字02vv.ccc"));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(IdiomCompanion::fileBytes(records, &ok)) < 0 || !ok) {
        state.SkipWithError("cannot write the companion file");
        return;
    }
    file.close();
    auto table = std::make_unique<IdiomTable>();
    const QString dataFile = dir.path() + u'/' + kIdiomDataFileName;
    for (auto _ : state) {
        if (!table->loadIdiomTable(dataFile).ok()) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(table->idiomLineCount());
    }
}
BENCHMARK(loadFullIdiomFile);

BENCHMARK_MAIN();
