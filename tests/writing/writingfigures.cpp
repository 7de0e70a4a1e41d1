#include "writingfigures.h"

#include "writing/writinggrader.h"
#include "writinggenerator.h"

#include <QSet>

#include <optional>
#include <utility>

namespace {

void count(Tally& tally, const WritingGrade& grade)
{
    switch (grade.verdict) {
    case Verdict::Accept:
        ++tally.accepted;
        break;
    case Verdict::Near:
        ++tally.near;
        tally.hinted += grade.stroke > 0 ? 1 : 0;
        break;
    case Verdict::Reject:
        ++tally.rejected;
        break;
    }
}

// Writes the kanji and grades it against `expected`; faults that cannot be made give no grade.
std::optional<WritingGrade> attempt(WritingGenerator& pupil, const Strokes& expected,
                                    const Strokes& written, Noise noise, Fault fault,
                                    bool checkOrder)
{
    const double box = 300.0;
    const Strokes strokes = pupil.write(written, noise, fault, box);
    if (strokes.isEmpty())
        return std::nullopt;
    return gradeWriting(expected, strokes, box, checkOrder);
}

void tally(Tally& into, WritingGenerator& pupil, const Strokes& model, Noise noise, Fault fault,
           bool checkOrder)
{
    if (const auto grade = attempt(pupil, model, model, noise, fault, checkOrder))
        count(into, *grade);
}

} // namespace

WritingFigures measureWriting(const StrokeTable& table, const QStringList& kanji,
                              const QList<QPair<QString, QString>>& lookalikes, int rounds,
                              quint64 seed)
{
    WritingGenerator pupil(seed);
    WritingFigures figures;
    for (const QString& k : kanji) {
        const Strokes* model = table.strokes(k);
        if (!model)
            continue;
        for (int round = 0; round < rounds; ++round) {
            tally(figures.light, pupil, *model, Noise::Light, Fault::None, true);
            tally(figures.heavy, pupil, *model, Noise::Heavy, Fault::None, true);
            for (Fault fault : {Fault::SwappedPair, Fault::ReversedStroke}) {
                tally(figures.orderFree, pupil, *model, Noise::Light, fault, false);
                tally(figures.orderChecked, pupil, *model, Noise::Light, fault, true);
            }
            tally(figures.missing, pupil, *model, Noise::Light, Fault::MissingStroke, false);
            tally(figures.extraDot, pupil, *model, Noise::Light, Fault::ExtraDot, false);
        }
    }
    const QSet<QString> chosen(kanji.begin(), kanji.end());
    for (const auto& [first, second] : lookalikes) {
        const Strokes* a = table.strokes(first);
        const Strokes* b = table.strokes(second);
        if (!a || !b || (!chosen.contains(first) && !chosen.contains(second)))
            continue;
        for (int round = 0; round < rounds; ++round)
            for (const auto& [expected, written] : {std::pair(a, b), std::pair(b, a)}) {
                const auto grade =
                    attempt(pupil, *expected, *written, Noise::Light, Fault::None, false);
                count(figures.lookalike, *grade);
                if (a->size() == b->size())
                    count(figures.lookalikeSameCount, *grade);
            }
    }
    return figures;
}
