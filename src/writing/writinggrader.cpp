#include "writing/writinggrader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

// Points each stroke is resampled to, evenly along its length: enough for a hook or a bend.
constexpr int kSamples = 16;
// Before that, the pen's line is smoothed at this finer spacing, and its length is measured in
// chords of this many samples, which what is left of a tremor barely lengthens.
constexpr int kFineSamples = 64;
constexpr int kSmoothing = 4;
constexpr int kChord = 3;

// The limits were measured with bench_writing: the ends and bend limits are where 99 % of the
// strokes written with heavy noise stay, widened by a quarter; the proportion limit is lower,
// traded against heavy noise (95.6 % accepted at 0.55, 97.7 % at 0.64) because at 0.64 a lightly
// written 未 passed for 末 one time in ten, at 0.55 one in two hundred. A written stroke fits its
// model stroke when its start and end lie near the model's (in character sizes) and its thirds head
// the model's ways (strokes shorter than kShortStroke count less); a kanji fits when every stroke
// does and its long strokes keep their lengths to each other: 未 and 末, 士 and 土 differ in
// nothing else. Limits on the mean point distance and on each stroke's own length were tried: they
// rejected right kanji written with heavy noise and no look-alike that these did not.
constexpr double kEndsLimit = 0.17;
constexpr double kBendLimit = 0.14;
constexpr double kProportionLimit = 0.55;
constexpr double kShortStroke = 0.2;
constexpr double kLongStroke = 0.3;
// How much worse than the best order school order may fit and still count as written in it:
// two dots side by side fit either way, and the pen's tremor decides which fits better.
constexpr double kOrderMargin = 0.05;
// How much length and bend count beside the points when strokes are paired.
constexpr double kLengthWeight = 0.08;
constexpr double kBendWeight = 0.1;
// The similarity fit may turn and scale the ink only this far: enough for a tilted page, not
// enough to turn one kanji into another.
constexpr double kMaxTurn = 0.26;
constexpr double kMinScale = 0.75;
constexpr double kMaxScale = 1.33;
// Ink smaller than this share of the box is not stretched to full size.
constexpr double kMinInk = 0.05;

struct Shape
{
    std::array<QPointF, kSamples> points;
    double length = 0;
};
using Ink = std::vector<Shape>;

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// `count` points evenly spaced along the line.
std::vector<QPointF> evenlySpaced(const std::vector<QPointF>& line, int count)
{
    std::vector<double> along(line.size(), 0.0);
    for (size_t i = 1; i < line.size(); ++i)
        along[i] = along[i - 1] + distance(line[i], line[i - 1]);
    std::vector<QPointF> out(static_cast<size_t>(count));
    size_t segment = 1;
    for (int k = 0; k < count; ++k) {
        const double target = along.back() * k / (count - 1);
        while (segment + 1 < line.size() && along[segment] < target)
            ++segment;
        const double span = along[segment] - along[segment - 1];
        const double t =
            span > 0 ? std::clamp((target - along[segment - 1]) / span, 0.0, 1.0) : 1.0;
        out[size_t(k)] = line[segment - 1] + (line[segment] - line[segment - 1]) * t;
    }
    return out;
}

// A hand's tremor wiggles the line: smoothed, it follows the stroke the pupil meant. The ends
// move less, so a stroke keeps its reach.
void smooth(std::vector<QPointF>& line)
{
    for (int pass = 0; pass < kSmoothing; ++pass) {
        const std::vector<QPointF> raw = line;
        for (size_t k = 1; k + 1 < raw.size(); ++k)
            line[k] = (raw[k - 1] + 2 * raw[k] + raw[k + 1]) / 4;
        line.front() = (2 * raw[0] + raw[1]) / 3;
        line.back() = (2 * raw[raw.size() - 1] + raw[raw.size() - 2]) / 3;
    }
}

Shape resampled(const Stroke& stroke, QPointF centre, double scale)
{
    std::vector<QPointF> line;
    for (const QPointF& p : stroke)
        line.push_back((p - centre) / scale);
    if (line.size() == 1)
        line.push_back(line.front());
    line = evenlySpaced(line, kFineSamples);
    smooth(line);
    const std::vector<QPointF> points = evenlySpaced(line, kSamples);
    Shape shape;
    std::copy(points.begin(), points.end(), shape.points.begin());
    for (int k = kChord; k < kSamples; k += kChord)
        shape.length += distance(shape.points[k], shape.points[k - kChord]);
    return shape;
}

// The strokes centred on their ink's bounding box and scaled to its longer side, so that the
// character's proportions stay and its size and place in the box do not count.
Ink prepared(const Strokes& strokes, double box)
{
    double left = std::numeric_limits<double>::max();
    double top = left;
    double right = std::numeric_limits<double>::lowest();
    double bottom = right;
    for (const Stroke& stroke : strokes)
        for (const QPointF& p : stroke) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            top = std::min(top, p.y());
            bottom = std::max(bottom, p.y());
        }
    const QPointF centre((left + right) / 2, (top + bottom) / 2);
    const double scale = std::max({right - left, bottom - top, box * kMinInk});
    Ink ink;
    for (const Stroke& stroke : strokes)
        if (!stroke.isEmpty())
            ink.push_back(resampled(stroke, centre, scale));
    return ink;
}

QPointF modelPoint(const Shape& model, int k, bool reversed)
{
    return model.points[reversed ? kSamples - 1 - k : k];
}

// The mean turn, in half turns, between the directions of the strokes' thirds.
double bendDifference(const Shape& written, const Shape& model, bool reversed)
{
    constexpr int kThird = (kSamples - 1) / 3;
    double sum = 0;
    for (int k = 0; k + kThird < kSamples; k += kThird) {
        const QPointF w = written.points[k + kThird] - written.points[k];
        const QPointF m = modelPoint(model, k + kThird, reversed) - modelPoint(model, k, reversed);
        sum += std::abs(std::atan2(w.x() * m.y() - w.y() * m.x(), w.x() * m.x() + w.y() * m.y()));
    }
    return sum / 3 / std::numbers::pi;
}

struct Fit
{
    double position = 0;    // mean distance of the points, in character sizes
    double ends = 0;        // the farther of the start and the end from the model's
    double bend = 0;        // see bendDifference
    double lengthRatio = 1; // written over model

    // What pairing minimises: the points first, then length and bend to settle near ties.
    double cost() const
    {
        return position + kLengthWeight * std::abs(std::log(lengthRatio)) + kBendWeight * bend;
    }
};

Fit strokeFit(const Shape& written, const Shape& model, bool reversed)
{
    Fit fit;
    for (int k = 0; k < kSamples; ++k)
        fit.position += distance(written.points[k], modelPoint(model, k, reversed));
    fit.position /= kSamples;
    fit.ends =
        std::max(distance(written.points[0], modelPoint(model, 0, reversed)),
                 distance(written.points[kSamples - 1], modelPoint(model, kSamples - 1, reversed)));
    fit.bend =
        bendDifference(written, model, reversed) * model.length / (model.length + kShortStroke);
    // A dot may be a single point; its ratio stays finite.
    fit.lengthRatio = (written.length + 1e-6) / (model.length + 1e-6);
    return fit;
}

// Minimum-cost assignment of rows to columns (rows <= columns); answers the column of each row.
std::vector<int> assignment(const std::vector<std::vector<double>>& cost)
{
    const size_t n = cost.size();
    const size_t m = n ? cost[0].size() : 0;
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> u(n + 1), v(m + 1);
    std::vector<size_t> rowOf(m + 1, 0), way(m + 1, 0);
    for (size_t i = 1; i <= n; ++i) {
        rowOf[0] = i;
        size_t column = 0;
        std::vector<double> least(m + 1, inf);
        std::vector<bool> used(m + 1, false);
        do {
            used[column] = true;
            const size_t row = rowOf[column];
            double delta = inf;
            size_t next = 0;
            for (size_t j = 1; j <= m; ++j) {
                if (used[j])
                    continue;
                const double reduced = cost[row - 1][j - 1] - u[row] - v[j];
                if (reduced < least[j]) {
                    least[j] = reduced;
                    way[j] = column;
                }
                if (least[j] < delta) {
                    delta = least[j];
                    next = j;
                }
            }
            for (size_t j = 0; j <= m; ++j) {
                if (used[j]) {
                    u[rowOf[j]] += delta;
                    v[j] -= delta;
                } else {
                    least[j] -= delta;
                }
            }
            column = next;
        } while (rowOf[column] != 0);
        do {
            const size_t previous = way[column];
            rowOf[column] = rowOf[previous];
            column = previous;
        } while (column != 0);
    }
    std::vector<int> columnOf(n, -1);
    for (size_t j = 1; j <= m; ++j)
        if (rowOf[j] != 0)
            columnOf[rowOf[j] - 1] = int(j - 1);
    return columnOf;
}

struct Pairing
{
    std::vector<int> writtenOf; // per model stroke: the written stroke drawn for it, or -1
    std::vector<bool> reversed; // per model stroke
    std::vector<Fit> fit;       // per model stroke
};

// Pairs written strokes with model strokes: in school order, or in whichever order and direction
// fits best.
Pairing paired(const Ink& written, const Ink& model, bool anyOrder)
{
    Pairing pairing;
    pairing.writtenOf.assign(model.size(), -1);
    pairing.reversed.assign(model.size(), false);
    pairing.fit.resize(model.size());
    if (!anyOrder) {
        for (size_t j = 0; j < model.size() && j < written.size(); ++j) {
            pairing.writtenOf[j] = int(j);
            pairing.fit[j] = strokeFit(written[j], model[j], false);
        }
        return pairing;
    }
    const bool modelRows = model.size() <= written.size();
    const size_t rows = modelRows ? model.size() : written.size();
    const size_t columns = modelRows ? written.size() : model.size();
    std::vector<std::vector<double>> cost(rows, std::vector<double>(columns));
    for (size_t r = 0; r < rows; ++r)
        for (size_t c = 0; c < columns; ++c) {
            const Shape& w = written[modelRows ? c : r];
            const Shape& m = model[modelRows ? r : c];
            cost[r][c] = std::min(strokeFit(w, m, false).cost(), strokeFit(w, m, true).cost());
        }
    const std::vector<int> columnOf = assignment(cost);
    for (size_t r = 0; r < rows; ++r) {
        const size_t j = modelRows ? r : size_t(columnOf[r]);
        const size_t w = modelRows ? size_t(columnOf[r]) : r;
        const Fit forward = strokeFit(written[w], model[j], false);
        const Fit backward = strokeFit(written[w], model[j], true);
        pairing.writtenOf[j] = int(w);
        pairing.reversed[j] = backward.cost() < forward.cost();
        pairing.fit[j] = pairing.reversed[j] ? backward : forward;
    }
    return pairing;
}

// Turns, scales and moves the written ink onto the model where the pairing puts it (least
// squares, within the limits above), so a tilted or shrunken kanji is compared by its shape.
void align(Ink& written, const Ink& model, const Pairing& pairing)
{
    std::vector<std::pair<QPointF, QPointF>> pairs;
    for (size_t j = 0; j < model.size(); ++j) {
        const int w = pairing.writtenOf[j];
        if (w < 0)
            continue;
        for (int k = 0; k < kSamples; ++k)
            pairs.emplace_back(written[w].points[k],
                               model[j].points[pairing.reversed[j] ? kSamples - 1 - k : k]);
    }
    if (pairs.empty())
        return;
    QPointF from;
    QPointF to;
    for (const auto& [a, b] : pairs) {
        from += a;
        to += b;
    }
    from /= double(pairs.size());
    to /= double(pairs.size());
    double dot = 0;
    double cross = 0;
    double spread = 0;
    for (const auto& [a, b] : pairs) {
        const QPointF p = a - from;
        const QPointF q = b - to;
        dot += p.x() * q.x() + p.y() * q.y();
        cross += p.x() * q.y() - p.y() * q.x();
        spread += p.x() * p.x() + p.y() * p.y();
    }
    if (spread <= 0)
        return;
    const double turn = std::clamp(std::atan2(cross, dot), -kMaxTurn, kMaxTurn);
    const double scale = std::clamp(std::hypot(dot, cross) / spread, kMinScale, kMaxScale);
    const double c = std::cos(turn) * scale;
    const double s = std::sin(turn) * scale;
    for (Shape& shape : written) {
        for (QPointF& p : shape.points) {
            const QPointF d = p - from;
            p = to + QPointF(c * d.x() - s * d.y(), s * d.x() + c * d.y());
        }
        shape.length *= scale;
    }
}

// Whether the paired strokes make the model's kanji.
bool fits(const Ink& model, const Pairing& pairing)
{
    std::vector<double> changes; // of the long strokes' lengths
    bool any = false;
    for (size_t j = 0; j < model.size(); ++j) {
        if (pairing.writtenOf[j] < 0)
            continue;
        any = true;
        const Fit& fit = pairing.fit[j];
        if (fit.ends > kEndsLimit || fit.bend > kBendLimit)
            return false;
        if (model[j].length >= kLongStroke)
            changes.push_back(std::log(fit.lengthRatio));
    }
    const auto [shortest, longest] = std::minmax_element(changes.begin(), changes.end());
    return any && (changes.empty() || *longest - *shortest <= kProportionLimit);
}

double totalCost(const Pairing& pairing)
{
    double total = 0;
    for (const Fit& fit : pairing.fit)
        total += fit.cost();
    return total;
}

// Names the first stroke, in school order, that was written out of order or backwards.
WritingGrade orderHint(const Pairing& pairing)
{
    for (size_t j = 0; j < pairing.writtenOf.size(); ++j) {
        const int stroke = int(j) + 1;
        if (pairing.writtenOf[j] != int(j))
            return {Verdict::Near, QStringLiteral("%1画目の書き順をたしかめよう").arg(stroke),
                    stroke};
        if (pairing.reversed[j])
            return {Verdict::Near, QStringLiteral("%1画目は書く向きをたしかめよう").arg(stroke),
                    stroke};
    }
    return {Verdict::Accept, QStringLiteral("よく書けました"), 0};
}

} // namespace

QString verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Accept:
        return QStringLiteral("accept");
    case Verdict::Near:
        return QStringLiteral("near");
    case Verdict::Reject:
        break;
    }
    return QStringLiteral("reject");
}

WritingGrade gradeWriting(const Strokes& model, const Strokes& written, double writtenBox,
                          bool checkOrder)
{
    Ink ink = prepared(written, writtenBox);
    const Ink shape = prepared(model, StrokeTable::kBox);
    if (ink.empty() || shape.empty())
        return {Verdict::Reject, QStringLiteral("字を書いてから答えよう"), 0};

    // The order-free pairing decides whether this is the kanji at all; order comes after.
    Pairing best = paired(ink, shape, true);
    for (int round = 0; round < 2; ++round) {
        align(ink, shape, best);
        best = paired(ink, shape, true);
    }
    const WritingGrade wrong{Verdict::Reject, QStringLiteral("お手本とちがう字になっています"), 0};
    if (ink.size() != shape.size()) {
        const bool oneOff = ink.size() + 1 == shape.size() || ink.size() == shape.size() + 1;
        return oneOff && fits(shape, best)
                   ? WritingGrade{Verdict::Near, QStringLiteral("画数をかぞえてみよう"), 0}
                   : wrong;
    }
    if (!fits(shape, best))
        return wrong;
    const WritingGrade right{Verdict::Accept, QStringLiteral("よく書けました"), 0};
    if (!checkOrder)
        return right;
    // School order must fit, and fit about as well as the best order: 三's strokes drawn
    // bottom first still lie near enough to each other to fit on their own.
    const Pairing school = paired(ink, shape, false);
    if (fits(shape, school) && totalCost(school) <= totalCost(best) + kOrderMargin)
        return right;
    return orderHint(best);
}
