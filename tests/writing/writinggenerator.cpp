#include "writinggenerator.h"

#include <QFile>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace {

// A mouse or pen reports a point about every unit and a half of the 109 box.
constexpr double kPenStep = 1.5;
// How much of a point's tremor the next one keeps, and the pen's own rounding, in box units.
constexpr double kTremorCarry = 0.95;
constexpr double kPixel = 0.3;

struct NoiseLevel
{
    double jitter;      // the tremor, share of the box
    double wobble;      // a slow sideways swing along each stroke, share of the box
    double turn;        // degrees, the whole kanji
    double scale;       // the whole kanji, each axis on its own
    double strokeShift; // each stroke moved on its own, share of the box
    double strokeScale; // each stroke stretched on its own about its middle
    double dropped;     // share of the points lost
};

NoiseLevel level(Noise noise)
{
    switch (noise) {
    case Noise::Clean:
        return {0, 0, 0, 0, 0, 0, 0};
    case Noise::Light:
        return {0.012, 0.015, 3, 0.04, 0.005, 0.03, 0.1};
    case Noise::Heavy:
        break;
    }
    return {0.03, 0.03, 8, 0.1, 0.01, 0.06, 0.4};
}

Stroke densified(const Stroke& stroke)
{
    Stroke dense{stroke.front()};
    for (qsizetype i = 1; i < stroke.size(); ++i) {
        const QPointF from = stroke[i - 1];
        const QPointF step = stroke[i] - from;
        const int pieces = std::max(1, int(std::ceil(std::hypot(step.x(), step.y()) / kPenStep)));
        for (int k = 1; k <= pieces; ++k)
            dense.append(from + step * (double(k) / pieces));
    }
    return dense;
}

double extent(const Stroke& stroke)
{
    const QRectF box = QPolygonF(stroke).boundingRect();
    return std::max(box.width(), box.height());
}

} // namespace

double WritingGenerator::uniform(double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(m_random);
}

double WritingGenerator::normal(double sigma)
{
    return sigma > 0 ? std::normal_distribution<double>(0.0, sigma)(m_random) : 0.0;
}

int WritingGenerator::index(qsizetype size)
{
    return std::uniform_int_distribution<int>(0, int(size) - 1)(m_random);
}

bool WritingGenerator::commit(Strokes& strokes, Fault fault)
{
    switch (fault) {
    case Fault::None:
        return true;
    case Fault::SwappedPair: {
        if (strokes.size() < 2)
            return false;
        const int first = index(strokes.size());
        int second = index(strokes.size() - 1);
        second += second >= first ? 1 : 0;
        strokes.swapItemsAt(first, second);
        return true;
    }
    case Fault::ReversedStroke: {
        // A dot drawn backwards looks the same; only strokes long enough to show a direction.
        QList<int> long_;
        for (qsizetype i = 0; i < strokes.size(); ++i)
            if (extent(strokes[i]) >= 8)
                long_.append(int(i));
        if (long_.isEmpty())
            return false;
        Stroke& stroke = strokes[long_[index(long_.size())]];
        std::reverse(stroke.begin(), stroke.end());
        return true;
    }
    case Fault::MissingStroke:
        if (strokes.size() < 2)
            return false;
        strokes.removeAt(index(strokes.size()));
        return true;
    case Fault::ExtraDot: {
        const QPointF at(uniform(20, 90), uniform(20, 90));
        const double angle = uniform(0.3, 1.2);
        const double length = uniform(3, 6);
        strokes.insert(index(strokes.size() + 1),
                       Stroke{at, at + QPointF(std::cos(angle), std::sin(angle)) * length});
        return true;
    }
    }
    return false;
}

Stroke WritingGenerator::pen(const Stroke& stroke, Noise noise)
{
    const NoiseLevel n = level(noise);
    const double box = StrokeTable::kBox;
    const QPointF middle = QPolygonF(stroke).boundingRect().center();
    const QPointF shift(normal(n.strokeShift * box), normal(n.strokeShift * box));
    const double stretch = 1.0 + normal(n.strokeScale);
    // A short stroke is a short movement of the hand and bows less.
    const QRectF bounds = QPolygonF(stroke).boundingRect();
    const double size = std::hypot(bounds.width(), bounds.height());
    const double swing = normal(n.wobble * box) * std::min(1.0, size / (box / 2));
    const int bows = 1 + index(2); // a wobble bows the stroke once or twice
    const Stroke dense = densified(stroke);
    // Sideways, across the stroke's overall direction, and nothing at its ends.
    const QPointF chord = dense.back() - dense.front();
    const double reach = std::hypot(chord.x(), chord.y());
    const QPointF across = reach > 0 ? QPointF(-chord.y(), chord.x()) / reach : QPointF(0, 0);
    // A hand's tremor carries from one point to the next; on top of it the pen rounds each
    // point to its pixel.
    const double carried = std::sqrt(1 - kTremorCarry * kTremorCarry);
    QPointF tremor(normal(n.jitter * box), normal(n.jitter * box));
    Stroke out;
    for (qsizetype i = 0; i < dense.size(); ++i) {
        tremor = tremor * kTremorCarry +
                 QPointF(normal(n.jitter * box), normal(n.jitter * box)) * carried;
        const bool end = i == 0 || i + 1 == dense.size();
        if (!end && uniform(0, 1) < n.dropped)
            continue;
        const double t = double(i) / std::max<qsizetype>(1, dense.size() - 1);
        const QPointF sway = across * (swing * std::sin(bows * std::numbers::pi * t));
        const double pixel = noise == Noise::Clean ? 0.0 : kPixel;
        out.append(middle + (dense[i] - middle) * stretch + shift + sway + tremor +
                   QPointF(normal(pixel), normal(pixel)));
    }
    return out;
}

Strokes WritingGenerator::write(const Strokes& model, Noise noise, Fault fault, double box)
{
    Strokes strokes = model;
    if (!commit(strokes, fault))
        return {};
    const NoiseLevel n = level(noise);
    const double half = StrokeTable::kBox / 2;
    QTransform page;
    page.scale(box / StrokeTable::kBox, box / StrokeTable::kBox);
    const double drift = noise == Noise::Clean ? 0.0 : 0.04 * half;
    page.translate(half + normal(drift), half + normal(drift));
    page.rotate(uniform(-n.turn, n.turn));
    page.scale(1.0 + uniform(-n.scale, n.scale), 1.0 + uniform(-n.scale, n.scale));
    page.translate(-half, -half);
    Strokes written;
    for (const Stroke& stroke : strokes)
        written.append(page.map(QPolygonF(pen(stroke, noise))));
    return written;
}

QList<QPair<QString, QString>> loadLookalikes(const QString& path)
{
    QList<QPair<QString, QString>> pairs;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return pairs;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'#'))
            continue;
        for (const QString& pair : line.split(u' ', Qt::SkipEmptyParts))
            if (pair.size() == 2)
                pairs.append({pair.left(1), pair.mid(1)});
    }
    return pairs;
}
