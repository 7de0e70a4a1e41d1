#include "review/studymapdrawing.h"

#include "core/catalogue.h"
#include "review/reviewtexts.h"
#include "review/studymap.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>

namespace {

const QColor kUnanswered(0xcf, 0xcf, 0xcf);
const QColor kDue(0xf0, 0x93, 0x2b);
const QColor kLightGreen(0xb7, 0xe4, 0xa7);
const QColor kDarkGreen(0x1e, 0x7b, 0x34);
const QColor kWeak(0xd6, 0x28, 0x28);
const QColor kFocus(0x1c, 0x5f, 0xb0);
const QColor kText(0x20, 0x20, 0x20);
const QColor kFaint(0x70, 0x70, 0x70);

// The recall of a learned idiom lies between the desired retention and certainty.
constexpr double kLowestLearnedRecall = 0.9;

QFont mapFont(double sizeMm, double pixelsPerMm, bool bold = false)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPixelSize(std::max(1, qRound(sizeMm * pixelsPerMm)));
    return font;
}

void text(QPainter& painter, const QRectF& box, int alignment, const QString& line, double sizeMm,
          double pixelsPerMm, bool bold = false, const QColor& colour = kText)
{
    painter.setFont(mapFont(sizeMm, pixelsPerMm, bold));
    painter.setPen(colour);
    painter.drawText(box, alignment, line);
}

QColor blend(const QColor& from, const QColor& to, double share)
{
    share = std::clamp(share, 0.0, 1.0);
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

void frame(QPainter& painter, const QRectF& box, double pixelsPerMm)
{
    QPen pen(kFaint);
    pen.setWidthF(std::max(0.2 * pixelsPerMm, 1.0));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

void weakMark(QPainter& painter, const QRectF& box)
{
    const double side = box.width() * 0.45;
    QPainterPath corner;
    corner.moveTo(box.topRight());
    corner.lineTo(box.topRight() - QPointF(side, 0));
    corner.lineTo(box.topRight() + QPointF(0, side));
    corner.closeSubpath();
    painter.fillPath(corner, kWeak);
}

// Grid rows with their range and count; returns the bottom.
double drawGrid(QPainter& painter, const QRectF& area, double top, const StudyMap& map, double mm)
{
    size_t widest = 1;
    for (const MapRow& row : map.rows())
        widest = std::max(widest, row.cells.size());
    const double labelWidth = 17 * mm;
    const double countWidth = 24 * mm;
    const double cell = std::min(6.0 * mm, (area.width() - labelWidth - countWidth) / widest);
    for (const MapRow& row : map.rows()) {
        text(painter, QRectF(area.left(), top, labelWidth, cell), Qt::AlignLeft | Qt::AlignVCenter,
             rangeCaption(row.range), 3.2, mm, true);
        double x = area.left() + labelWidth;
        for (const MapCell& c : row.cells) {
            StudyMapDrawing::drawCell(
                painter, QRectF(x, top, cell, cell).adjusted(0, 0, -0.5 * mm, -0.5 * mm), c, false,
                mm);
            x += cell;
        }
        text(painter, QRectF(area.right() - countWidth, top, countWidth, cell),
             Qt::AlignRight | Qt::AlignVCenter, map.rowCountText(row), 3.2, mm);
        top += cell + 0.8 * mm;
    }
    return top;
}

// The exam day on the forecast: a marker on its column, or past the chart an arrow at its end.
void drawExamDay(QPainter& painter, const QRectF& box, const QRectF& plot, const StudyMap& map,
                 double mm)
{
    if (!map.examDate().isValid())
        return;
    const qint64 day = map.today().daysTo(map.examDate());
    if (day >= StudyMap::kForecastDays) {
        text(painter, QRectF(box.left(), box.top(), box.width(), 6 * mm),
             Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("→ 試験日 ") + ReviewTexts::dateText(map.examDate()), 3, mm, true,
             kWeak);
        return;
    }
    const double pitch = plot.width() / StudyMap::kForecastDays;
    const double x = plot.left() + (static_cast<double>(day) + 0.5) * pitch;
    QPen marker(kWeak);
    marker.setWidthF(std::max(0.4 * mm, 1.5));
    marker.setStyle(Qt::DashLine);
    painter.setPen(marker);
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    // On a white ground, so that a count over a bar beside it does not run into it.
    painter.setFont(mapFont(2.6, mm, true));
    const double width = painter.fontMetrics().horizontalAdvance(QStringLiteral("試験日")) + mm;
    const QRectF label(std::clamp(x - width / 2, box.left(), box.right() - width), plot.top(),
                       width, 4 * mm);
    painter.fillRect(label, Qt::white);
    text(painter, label, Qt::AlignCenter, QStringLiteral("試験日"), 2.6, mm, true, kWeak);
}

} // namespace

namespace StudyMapDrawing {

QColor cellColour(const MapCell& cell)
{
    switch (cell.state) {
    case CellState::Unanswered:
        return kUnanswered;
    case CellState::Due:
        return kDue;
    case CellState::Learned:
        break;
    }
    return blend(kLightGreen, kDarkGreen,
                 (cell.recall - kLowestLearnedRecall) / (1 - kLowestLearnedRecall));
}

void drawCell(QPainter& painter, const QRectF& box, const MapCell& cell, bool focused,
              double pixelsPerMm)
{
    painter.fillRect(box, cellColour(cell));
    if (cell.weak)
        weakMark(painter, box);
    if (focused) {
        QPen pen(kFocus);
        pen.setWidthF(std::max(0.6 * pixelsPerMm, 2.0));
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(1, 1, -1, -1));
    }
}

void drawLegend(QPainter& painter, const QRectF& box, double pixelsPerMm)
{
    MapCell unanswered;
    MapCell due;
    due.state = CellState::Due;
    MapCell learned;
    learned.state = CellState::Learned;
    learned.recall = 1;
    MapCell weak = due;
    weak.weak = true;
    const std::pair<const MapCell*, QString> entries[] = {
        {&unanswered, QStringLiteral("まだ")},
        {&due, QStringLiteral("復習の日")},
        {&learned, QStringLiteral("覚えた（こいほどよく覚えている）")},
        {&weak, QStringLiteral("苦手（赤いしるし）")}};
    const double side = std::min(box.height(), 4.5 * pixelsPerMm);
    double x = box.left();
    for (const auto& [cell, caption] : entries) {
        drawCell(painter, QRectF(x, box.top() + (box.height() - side) / 2, side, side), *cell,
                 false, pixelsPerMm);
        x += side + pixelsPerMm;
        painter.setFont(mapFont(3, pixelsPerMm));
        const double width = painter.fontMetrics().horizontalAdvance(caption) + 4 * pixelsPerMm;
        text(painter, QRectF(x, box.top(), width, box.height()), Qt::AlignLeft | Qt::AlignVCenter,
             caption, 3, pixelsPerMm);
        x += width;
    }
}

void drawForecast(QPainter& painter, const QRectF& box, const StudyMap& map, double pixelsPerMm)
{
    const double mm = pixelsPerMm;
    text(painter, QRectF(box.left(), box.top(), box.width(), 6 * mm),
         Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("これからの復習（14日）"), 3.4, mm, true);
    const auto& bars = map.forecast();
    const int most = std::max(1, *std::max_element(bars.begin(), bars.end()));
    const QRectF plot(box.left(), box.top() + 7 * mm, box.width(), box.height() - 13 * mm);
    const double pitch = plot.width() / StudyMap::kForecastDays;
    for (int day = 0; day < StudyMap::kForecastDays; ++day) {
        const int count = bars[static_cast<size_t>(day)];
        const double height = plot.height() * count / most;
        const double x = plot.left() + day * pitch;
        painter.fillRect(QRectF(x + pitch * 0.15, plot.bottom() - height, pitch * 0.7, height),
                         day == 0 ? kDue : kLightGreen.darker(130));
        if (count > 0)
            text(painter, QRectF(x, plot.bottom() - height - 4 * mm, pitch, 4 * mm),
                 Qt::AlignHCenter | Qt::AlignBottom, QString::number(count), 2.6, mm);
        if (day % 2 == 0)
            text(painter, QRectF(x - pitch / 2, plot.bottom() + 0.5 * mm, pitch * 2, 4 * mm),
                 Qt::AlignHCenter | Qt::AlignTop, StudyMap::forecastDayText(map.today(), day), 2.4,
                 mm, false, kFaint);
    }
    QPen axis(kFaint);
    axis.setWidthF(std::max(0.2 * mm, 1.0));
    painter.setPen(axis);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    drawExamDay(painter, box, plot, map, mm);
}

void drawCalendar(QPainter& painter, const QRectF& box, const StudyMap& map, double pixelsPerMm)
{
    const double mm = pixelsPerMm;
    text(painter, QRectF(box.left(), box.top(), box.width(), 6 * mm),
         Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("勉強した日（%1日つづけて勉強中）").arg(map.streak()), 3.4, mm, true);
    const QStringList weekdays{QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"),
                               QStringLiteral("水"), QStringLiteral("木"), QStringLiteral("金"),
                               QStringLiteral("土")};
    const double top = box.top() + 7 * mm;
    const double labels = 4 * mm;
    const double side =
        std::min(box.width() / 7, (box.bottom() - top - labels) / StudyMap::kCalendarWeeks);
    for (int weekday = 0; weekday < 7; ++weekday)
        text(painter, QRectF(box.left() + weekday * side, top, side, labels), Qt::AlignCenter,
             weekdays.at(weekday), 2.6, mm, false, kFaint);
    for (int week = 0; week < StudyMap::kCalendarWeeks; ++week) {
        for (int weekday = 0; weekday < 7; ++weekday) {
            const QDate day = map.calendarStart().addDays(week * 7 + weekday);
            if (day > map.today())
                break;
            const QRectF cell(box.left() + weekday * side, top + labels + week * side, side, side);
            const QRectF inner = cell.adjusted(0.4 * mm, 0.4 * mm, -0.4 * mm, -0.4 * mm);
            if (map.studiedOn(day))
                painter.fillRect(inner, kDarkGreen);
            else
                frame(painter, inner, mm);
            if (day == map.today()) {
                QPen pen(kFocus);
                pen.setWidthF(std::max(0.5 * mm, 1.5));
                painter.setPen(pen);
                painter.drawRect(inner);
            }
            text(painter, inner, Qt::AlignCenter, QString::number(day.day()), 2.2, mm, false,
                 map.studiedOn(day) ? QColor(Qt::white) : kFaint);
        }
    }
}

void drawSheets(QPainter& painter, const QRectF& area, double pixelsPerMm, const StudyMap& map,
                const QString& pupilTitle, const std::function<bool()>& nextSheet)
{
    const double mm = pixelsPerMm;
    painter.setRenderHint(QPainter::Antialiasing);
    double y = area.top();
    text(painter, QRectF(area.left(), y, area.width(), 10 * mm), Qt::AlignLeft | Qt::AlignVCenter,
         pupilTitle + QStringLiteral("　") + map.headingText(), 5, mm, true);
    y += 12 * mm;
    // A parent reads the forecast off the paper with the day it is for.
    if (const QString exam = map.examForecastLine(); !exam.isEmpty()) {
        text(painter, QRectF(area.left(), y - 2 * mm, area.width(), 6 * mm),
             Qt::AlignLeft | Qt::AlignVCenter,
             exam + QStringLiteral("（試験日 %1）").arg(ReviewTexts::dateText(map.examDate())), 3.6,
             mm, false);
        y += 6 * mm;
    }
    y = drawGrid(painter, area, y, map, mm);
    drawLegend(painter, QRectF(area.left(), y + mm, area.width(), kLegendMm * mm), mm);
    y += (kLegendMm + 3) * mm;
    const double half = (area.width() - 8 * mm) / 2;
    drawForecast(painter, QRectF(area.left(), y, half, kChartMm * mm), map, mm);
    drawCalendar(painter, QRectF(area.left() + half + 8 * mm, y, half, kChartMm * mm), map, mm);
    y += (kChartMm + 6) * mm;

    const double line = 6 * mm;
    text(painter, QRectF(area.left(), y, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
         QStringLiteral("苦手な熟語"), 3.6, mm, true);
    y += line;
    const std::vector<const MapCell*> weak = map.weakCells();
    if (weak.empty()) {
        text(painter, QRectF(area.left() + 4 * mm, y, area.width(), line),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ありません"), 3.2, mm);
        return;
    }
    for (const MapCell* cell : weak) {
        if (y + line > area.bottom()) {
            if (!nextSheet || !nextSheet())
                return;
            y = area.top();
        }
        const QRectF box(area.left() + 4 * mm, y, area.width() - 4 * mm, line);
        // A long meaning ends in an ellipsis at the margin rather than past it.
        painter.setFont(mapFont(3.2, mm));
        const QString entry = painter.fontMetrics().elidedText(
            QStringLiteral("・%1（%2）　%3")
                .arg(cell->idiom.idiom, cell->idiom.reading, cell->idiom.meaning),
            Qt::ElideRight, qRound(box.width()));
        text(painter, box, Qt::AlignLeft | Qt::AlignVCenter, entry, 3.2, mm);
        y += line;
    }
}

} // namespace StudyMapDrawing
