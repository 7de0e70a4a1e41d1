#include "core/codepage.h"
#include "core/fieldreader.h"

#include <benchmark/benchmark.h>

// The field reader parses every settings and list file at start; a roster of 5000 lines is
// the largest text file it meets.
static void readRosterSizedFile(benchmark::State& state)
{
    QString text;
    for (int i = 1; i <= 5000; ++i)
        text += QStringLiteral("%1,2014,0,0,\"山田　太郎          \",0,\"                    \","
                               "\"                    \"\r\n")
                    .arg(i);
    const QByteArray bytes = CodePage::encode(text);
    for (auto _ : state) {
        FieldReader reader(bytes);
        int values = 0;
        while (!reader.atEnd()) {
            benchmark::DoNotOptimize(reader.readValue());
            ++values;
        }
        benchmark::DoNotOptimize(values);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes.size());
}
BENCHMARK(readRosterSizedFile);

BENCHMARK_MAIN();
