#include "print/practicesheet.h"

#include "print/painterpagetarget.h"
#include "print/portraitsheets.h"
#include "print/printdevices.h"
#include "writing/strokedrawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Sizes in millimetres. A stroke-order figure takes at most two lines of small boxes; the
// boxes shrink only for a kanji of more strokes than that holds.
constexpr double kHeadingMm = 12;
constexpr double kLabelMm = 8;
constexpr double kStepBoxMm = 9;
constexpr double kStepGapMm = 1;
constexpr int kStepLines = 2;
constexpr double kWriteGapMm = 2;
constexpr double kWriteBoxMm = 18;
constexpr double kRowGapMm = 5;
constexpr double kRowMm =
    kLabelMm + kStepLines * (kStepBoxMm + kStepGapMm) + kWriteGapMm + kWriteBoxMm + kRowGapMm;
constexpr double kTextMm = 5;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kNewStroke(0xc0, 0x20, 0x20);
const QColor kGuide(0x90, 0x90, 0x90);
const QColor kTrace(0xc8, 0xc8, 0xc8);

QFont sheetFont(double sizeMm, double pixelsPerMm)
{
    QFont font = worksheetFont(10);
    font.setPixelSize(std::max(1, qRound(sizeMm * pixelsPerMm)));
    return font;
}

// One box per stroke: the strokes before it in ink, its own stroke in red and numbered.
void drawStrokeOrder(QPainter& painter, const QRectF& area, double pixelsPerMm,
                     const Strokes& strokes)
{
    const int count = static_cast<int>(strokes.size());
    const double width = area.width() / pixelsPerMm;
    int perLine = static_cast<int>((width + kStepGapMm) / (kStepBoxMm + kStepGapMm));
    double box = kStepBoxMm;
    if (count > perLine * kStepLines) {
        perLine = (count + kStepLines - 1) / kStepLines;
        box = (width + kStepGapMm) / perLine - kStepGapMm;
    }
    for (int n = 1; n <= count; ++n) {
        const int line = (n - 1) / perLine;
        const int column = (n - 1) % perLine;
        const QRectF cell(area.left() + column * (box + kStepGapMm) * pixelsPerMm,
                          area.top() + line * (box + kStepGapMm) * pixelsPerMm, box * pixelsPerMm,
                          box * pixelsPerMm);
        StrokeDrawing::drawGuide(painter, cell, kGuide);
        StrokeDrawing::drawStrokes(painter, cell, strokes, n - 1, kInk);
        StrokeDrawing::drawStrokes(painter, cell, Strokes{strokes.at(n - 1)}, 1, kNewStroke);
        StrokeDrawing::drawStrokeNumbers(painter, cell, strokes, n, kNewStroke);
    }
}

} // namespace

PracticeSheet::PracticeSheet(std::vector<MissedKanji> kanji, QString title,
                             const StrokeTable& strokes)
    : m_kanji(std::move(kanji)), m_title(std::move(title)), m_strokes(strokes)
{
}

int PracticeSheet::rowsPerPage(double areaHeightMm)
{
    return std::max(1, static_cast<int>((areaHeightMm - kHeadingMm) / kRowMm));
}

void PracticeSheet::draw(QPainter& painter, const QRectF& area, double pixelsPerMm,
                         const std::function<bool()>& nextSheet) const
{
    const int perPage = rowsPerPage(area.height() / pixelsPerMm);
    const int rows = static_cast<int>(m_kanji.size());
    const int pages = std::max(1, (rows + perPage - 1) / perPage);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !nextSheet())
            return;
        drawHeading(painter, QRectF(area.topLeft(), QSizeF(area.width(), kHeadingMm * pixelsPerMm)),
                    pixelsPerMm, page + 1, pages);
        for (int row = 0; row < perPage && page * perPage + row < rows; ++row) {
            const QRectF box(area.left(), area.top() + (kHeadingMm + row * kRowMm) * pixelsPerMm,
                             area.width(), kRowMm * pixelsPerMm);
            drawRow(painter, box, pixelsPerMm, m_kanji[static_cast<size_t>(page * perPage + row)]);
        }
    }
}

void PracticeSheet::drawHeading(QPainter& painter, const QRectF& box, double pixelsPerMm, int page,
                                int pages) const
{
    painter.setPen(kInk);
    painter.setFont(sheetFont(kTextMm * 1.3, pixelsPerMm));
    const QString heading = m_title.isEmpty() ? QStringLiteral("練習プリント")
                                              : QStringLiteral("練習プリント　") + m_title;
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, heading);
    if (pages > 1) {
        painter.setFont(sheetFont(kTextMm, pixelsPerMm));
        painter.drawText(box, Qt::AlignRight | Qt::AlignTop,
                         QStringLiteral("%1/%2まい").arg(page).arg(pages));
    }
}

void PracticeSheet::drawRow(QPainter& painter, const QRectF& box, double pixelsPerMm,
                            const MissedKanji& kanji) const
{
    const auto mm = [pixelsPerMm](double millimetres) { return millimetres * pixelsPerMm; };
    painter.setPen(kInk);
    painter.setFont(sheetFont(kTextMm, pixelsPerMm));
    painter.drawText(
        QRectF(box.left(), box.top(), box.width(), mm(kLabelMm)), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("「%1」　%2（%3）").arg(kanji.kanji, kanji.idiom, kanji.reading));

    const Strokes* strokes = m_strokes.strokes(kanji.kanji);
    // A kanji the table lacks gets no figure; the boxes to write in still serve.
    if (strokes && !strokes->isEmpty())
        drawStrokeOrder(painter,
                        QRectF(box.left(), box.top() + mm(kLabelMm), box.width(),
                               mm(kStepLines * (kStepBoxMm + kStepGapMm))),
                        pixelsPerMm, *strokes);

    const double top =
        box.top() + mm(kLabelMm + kStepLines * (kStepBoxMm + kStepGapMm) + kWriteGapMm);
    const double pitch = kWriteBoxMm + kStepGapMm;
    const int boxes = static_cast<int>((box.width() / pixelsPerMm + kStepGapMm) / pitch);
    for (int i = 0; i < boxes; ++i) {
        const QRectF cell(box.left() + mm(i * pitch), top, mm(kWriteBoxMm), mm(kWriteBoxMm));
        StrokeDrawing::drawGuide(painter, cell, kGuide);
        if (i > 0)
            continue;
        if (strokes && !strokes->isEmpty()) {
            StrokeDrawing::drawStrokes(painter, cell, *strokes, -1, kTrace);
        } else {
            painter.setPen(kTrace);
            painter.setFont(sheetFont(kWriteBoxMm * 0.8, pixelsPerMm));
            painter.drawText(cell, Qt::AlignCenter, kanji.kanji);
        }
    }
}

SheetPainting PracticeSheet::painting() const
{
    return [this](QPainter& painter, const QRectF& area, double pixelsPerMm,
                  const std::function<bool()>& nextSheet) {
        draw(painter, area, pixelsPerMm, nextSheet);
    };
}

Status PracticeSheet::print(PrintDevices& devices) const
{
    if (!drawPortraitSheets(devices.startPrinterDocument(true, 1), painting()))
        return Status::failure(
            QStringLiteral("印刷できませんでした。プリンターの設定を確かめてください。"));
    return {};
}

Status PracticeSheet::writePdf(const QString& path, PrintDevices& devices) const
{
    if (!drawPortraitSheets(devices.startPdfDocument(path, true), painting()))
        return Status::failure(QStringLiteral("PDFファイルを保存できませんでした。\n%1").arg(path));
    return {};
}
