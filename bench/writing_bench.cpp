// The writing grader's figures: its accuracy over every kanji of the stroke table, then the time
// one grading takes. The accuracy run comes first and prints its table; the aims are beside it.

#include "writing/writinggrader.h"
#include "writingfigures.h"
#include "writinggenerator.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 10;
constexpr int kTimedGradings = 1000;

StrokeTable& table()
{
    static StrokeTable strokes;
    static const bool loaded = [] {
        const Status status = strokes.load(QStringLiteral(YOJI_STROKE_TABLE));
        if (!status.ok())
            std::fprintf(stderr, "%s\n", qPrintable(status.message));
        return status.ok();
    }();
    if (!loaded)
        std::exit(1);
    return strokes;
}

void row(const char* what, const Tally& tally, int count, const char* aim)
{
    std::printf("%-58s %6.2f %%  (%d of %d)   aim %s\n", what, tally.share(count), count,
                tally.total(), aim);
}

void printAccuracy()
{
    const StrokeTable& strokes = table();
    const auto pairs = loadLookalikes(QStringLiteral(YOJI_LOOKALIKES));
    const WritingFigures f = measureWriting(strokes, strokes.kanji(), pairs, kRounds, 20261208);
    std::printf("accuracy over %lld kanji, %d rounds each, %lld look-alike pairs\n",
                static_cast<long long>(strokes.kanji().size()), kRounds,
                static_cast<long long>(pairs.size()));
    row("right kanji accepted, light noise, school order", f.light, f.light.accepted, ">= 98 %");
    row("right kanji accepted, heavy noise, school order", f.heavy, f.heavy.accepted, ">= 90 %");
    row("order off: swapped pair / reversed stroke accepted", f.orderFree, f.orderFree.accepted,
        ">= 97 %");
    row("order on: the same faults given an order hint", f.orderChecked, f.orderChecked.hinted,
        "all");
    row("order on: the same faults rejected as a wrong kanji", f.orderChecked,
        f.orderChecked.rejected, "0 %");
    row("look-alike written instead: accepted", f.lookalike, f.lookalike.accepted, "<= 2 %");
    row("  of them with as many strokes as the expected: accepted", f.lookalikeSameCount,
        f.lookalikeSameCount.accepted, "-");
    row("a stroke missing: accepted", f.missing, f.missing.accepted, "0 %");
    row("a stroke missing: near (stroke count hint)", f.missing, f.missing.near, "-");
    row("an extra dot: accepted", f.extraDot, f.extraDot.accepted, "0 %");
    row("an extra dot: near (stroke count hint)", f.extraDot, f.extraDot.near, "-");
}

// The figure the aim names: median and worst of 1,000 gradings of kanji in table order.
void printTiming()
{
    const StrokeTable& strokes = table();
    WritingGenerator pupil(7);
    std::vector<double> ms;
    for (int i = 0; i < kTimedGradings; ++i) {
        const Strokes& model = *strokes.strokes(strokes.kanji()[i % strokes.kanji().size()]);
        const Strokes written = pupil.write(model, Noise::Light);
        QElapsedTimer timer;
        timer.start();
        benchmark::DoNotOptimize(gradeWriting(model, written, 300.0, true));
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("grading one kanji: median %.3f ms (aim <= 20), worst of %d %.3f ms (aim <= 50)\n",
                ms[ms.size() / 2], kTimedGradings, ms.back());
}

// The most strokes in the table: the slowest case of the pairing.
void BM_GradeLargestKanji(benchmark::State& state)
{
    const StrokeTable& strokes = table();
    const Strokes* largest = nullptr;
    for (const QString& k : strokes.kanji())
        if (!largest || strokes.strokes(k)->size() > largest->size())
            largest = strokes.strokes(k);
    WritingGenerator pupil(11);
    const Strokes written = pupil.write(*largest, Noise::Heavy);
    for (auto _ : state)
        benchmark::DoNotOptimize(gradeWriting(*largest, written, 300.0, true));
    state.counters["strokes"] = double(largest->size());
}
BENCHMARK(BM_GradeLargestKanji)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    printAccuracy();
    printTiming();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
