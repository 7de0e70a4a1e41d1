#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;
class StudyMap;
struct MapCell;

// The one drawing of the map 覚えた熟語: its cells, legend, forecast and calendar on the screen,
// and whole sheets for the printer, PDF files and the parents' report. Rectangles are in the
// painter's device pixels; pixelsPerMm sizes the texts and lines alike on every device.
namespace StudyMapDrawing {

QColor cellColour(const MapCell& cell);
void drawCell(QPainter& painter, const QRectF& box, const MapCell& cell, bool focused,
              double pixelsPerMm);
void drawLegend(QPainter& painter, const QRectF& box, double pixelsPerMm);
void drawForecast(QPainter& painter, const QRectF& box, const StudyMap& map, double pixelsPerMm);
void drawCalendar(QPainter& painter, const QRectF& box, const StudyMap& map, double pixelsPerMm);

// The heights in millimetres that the parts take on a sheet.
inline constexpr double kLegendMm = 7;
inline constexpr double kChartMm = 42;

// The map of one pupil on sheets: heading, grid with the row counts, legend, forecast,
// calendar and the 苦手 idioms with reading and meaning. area is the printable area of the
// sheet; nextSheet starts a new one (false: no more sheets can be had).
void drawSheets(QPainter& painter, const QRectF& area, double pixelsPerMm, const StudyMap& map,
                const QString& pupilTitle, const std::function<bool()>& nextSheet);

} // namespace StudyMapDrawing
