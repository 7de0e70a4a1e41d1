#pragma once

#include "platform/status.h"
#include "print/portraitsheets.h"
#include "review/missedkanji.h"

#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class PrintDevices;
class QPainter;
class StrokeTable;

// The practice sheet 練習プリント of the kanji a pupil missed in writing, on A4 portrait: a row
// per kanji with its idiom and reading, its stroke order step by step and boxes to write it in,
// the first with the kanji in light grey to trace. The strokes are drawn by the same code as
// the writing screen's, so the paper shows exactly the model the pupil saw.
class PracticeSheet
{
public:
    // title names the pupil on every page; it may be empty. strokes must outlive the sheet.
    PracticeSheet(std::vector<MissedKanji> kanji, QString title, const StrokeTable& strokes);

    // The rows that fit on a printable area of this height, at least one.
    static int rowsPerPage(double areaHeightMm);
    // area is the printable area in device pixels; nextSheet starts the next sheet.
    void draw(QPainter& painter, const QRectF& area, double pixelsPerMm,
              const std::function<bool()>& nextSheet) const;

    Status print(PrintDevices& devices) const;
    Status writePdf(const QString& path, PrintDevices& devices) const;

private:
    SheetPainting painting() const;
    void drawHeading(QPainter& painter, const QRectF& box, double pixelsPerMm, int page,
                     int pages) const;
    void drawRow(QPainter& painter, const QRectF& box, double pixelsPerMm,
                 const MissedKanji& kanji) const;

    std::vector<MissedKanji> m_kanji;
    QString m_title;
    const StrokeTable& m_strokes;
};
