#include "../hub/graphfakes.h"
#include "hub/paintergraphcanvas.h"
#include "progressreport.h"
#include "progressreportdrawing.h"
#include "reporttable.h"
#include "resultscommands.h"
#include "resultstoolfixture.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

// Items have target time 100 + item and multiplier 1.5; 3 tests and 30 points master an item.
TEST_F(ResultsToolTest, ThePageOfAPupilWithAKnownHistory)
{
    for (int day = 1; day <= 3; ++day)
        record(1, 2, 51, at(4, day, 16, 0)); // 16 points each: mastered
    record(1, 4, 52, at(4, 4, 16, 0));       // 16 points
    record(1, 4, 99999, at(4, 5, 16, 0));    // time-over: no points, not counted
    record(1, 6, 53, at(4, 6, 16, 0));
    record(1, 6, 53, at(4, 7, 16, 0)); // 32 points, one test short
    record(2, 8, 60, at(4, 8, 16, 0)); // another pupil's
    std::vector<PupilProgress> pages;
    ASSERT_TRUE(ProgressReportBuilder(installation()).build({1}, pages).ok());
    ASSERT_EQ(pages.size(), 1u);
    const PupilProgress& page = pages[0];
    EXPECT_EQ(page.name, QStringLiteral("さくら"));
    EXPECT_EQ(page.grade, QStringLiteral("小５"));
    EXPECT_EQ(page.school, QStringLiteral("テスト教室"));
    EXPECT_EQ(page.first, QDate(2026, 4, 1));
    EXPECT_EQ(page.last, QDate(2026, 4, 7));

    ASSERT_EQ(page.items.size(), 3u);
    EXPECT_EQ(progressRowTexts(page.items[0]),
              (QStringList{"範囲１", "3回", "51秒", "51秒", "4/1 51秒  4/2 51秒  4/3 51秒", "48点",
                           "合格"}));
    EXPECT_EQ(
        progressRowTexts(page.items[1]),
        (QStringList{"範囲２", "2回", "52秒", "52秒", "4/4 52秒  4/5 時間切れ", "16点", "まだ"}));
    EXPECT_EQ(progressRowTexts(page.items[2]),
              (QStringList{"範囲３", "2回", "53秒", "53秒", "4/6 53秒  4/7 53秒", "32点", "まだ"}));
    // Not mastered, nearest first; then the range after the highest one tried.
    EXPECT_EQ(page.nextToPractise, (QStringList{"範囲３", "範囲２", "範囲４"}));
    EXPECT_EQ(page.chartItems, (std::vector<int>{2, 4}));
}

TEST_F(ResultsToolTest, TheReportOfAllPupilsHasOneSheetPerPupil)
{
    record(1, 2, 51, at(4, 9, 16, 0));
    record(2, 2, 70, at(4, 9, 17, 0));
    record(3, 2, 80, at(4, 9, 18, 0)); // no longer listed: not among all pupils
    clock.current = at(4, 10, 10, 0);
    QTemporaryDir dir;
    ReportOptions options;
    options.all = true;
    options.output = dir.filePath(QStringLiteral("report.pdf"));
    QString errors;
    QTextStream err(&errors);
    ASSERT_EQ(ResultsCommands::report(installation(), options, clock, sleeper, messages, exit, err),
              0)
        << errors.toStdString();
    QFile pdf(options.output);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 2);
}

namespace {

// The report's canvas on an A4 PDF page as the tool makes it, keeping the rectangle that each
// text takes at its font, in millimetres.
class TextRectCanvas : public PainterGraphCanvas
{
public:
    TextRectCanvas(QPainter& painter, double pixelsPerMm)
        : PainterGraphCanvas(painter, QPointF(), pixelsPerMm), m_painter(painter),
          m_pixelsPerMm(pixelsPerMm)
    {
    }
    void drawText(const QRectF& box, Qt::Alignment alignment, const QString& text,
                  Font font) override
    {
        PainterGraphCanvas::drawText(box, alignment, text, font);
        const QRectF used = m_painter.boundingRect(
            QRectF(toDevice(box.topLeft()), box.size() * m_pixelsPerMm), int(alignment), text);
        drawn.push_back(
            {text, QRectF(used.topLeft() / m_pixelsPerMm, used.size() / m_pixelsPerMm)});
    }

    std::vector<std::pair<QString, QRectF>> drawn;

private:
    QPainter& m_painter;
    double m_pixelsPerMm;
};

} // namespace

// Three recent times of three digits and points of five digits: no text runs into another.
TEST(ProgressReportPage, NoTwoTextsOverlapAtTheReportsFont)
{
    PupilProgress pupil;
    pupil.pupil = 1;
    pupil.name = QStringLiteral("さくら");
    pupil.grade = QStringLiteral("小５");
    pupil.first = QDate(2026, 12, 1);
    pupil.last = QDate(2026, 12, 8);
    pupil.nextToPractise = {QStringLiteral("範囲１０")};
    ItemProgress item;
    item.item = 20;
    item.caption = QStringLiteral("範囲１０");
    item.tests = item.counted = 3;
    item.countedSum = 1161;
    item.best = 386;
    item.points = 38663;
    for (int day = 6; day <= 8; ++day)
        item.latest.push_back({QDate(2026, 12, day), 380 + day});
    pupil.items = {item, item};

    QBuffer pdf;
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    QPdfWriter writer(&pdf);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    TextRectCanvas canvas(painter, 600 / 25.4);
    drawProgressReport({pupil}, {}, canvas);
    painter.end();

    ASSERT_GT(canvas.drawn.size(), 20u);
    for (size_t i = 0; i < canvas.drawn.size(); ++i) {
        const auto& [text, rect] = canvas.drawn[i];
        EXPECT_LE(rect.right(), GraphLayout::kWidth) << text.toStdString();
        // Rounding may let neighbours touch by a hair; a text running on overlaps by far more.
        const QRectF inner = rect.adjusted(0.02, 0.02, -0.02, -0.02);
        for (size_t j = i + 1; j < canvas.drawn.size(); ++j)
            EXPECT_FALSE(inner.intersects(canvas.drawn[j].second))
                << text.toStdString() << " / " << canvas.drawn[j].first.toStdString();
    }
}

// Where the width is too narrow for the table, texts wrap, between recent times first, and
// none leaves its column.
TEST(ProgressReportPage, ATableTooWideWrapsWithinItsColumns)
{
    const RecordingCanvas model;
    const auto measure = [&model](const QString& text, GraphCanvas::Font font) {
        return model.textWidth(text, font);
    };
    const QStringList headings{QStringLiteral("項目"), QStringLiteral("最近のタイム"),
                               QStringLiteral("ポイント")};
    const std::vector<QStringList> rows{{QStringLiteral("範囲１０"),
                                         QStringLiteral("12/6 386秒  12/7 386秒  12/8 386秒"),
                                         QStringLiteral("38663点")}};
    for (const double width : {190.0, 90.0, 60.0}) {
        const ReportTable table(headings, rows, width, 5.5, measure);
        const std::vector<ReportTable::Cell>& cells = table.cells();
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_LE(measure(cells[i].text, cells[i].font), cells[i].box.width() + 1e-9);
            EXPECT_LE(cells[i].box.right(), width + 1e-9);
            for (size_t j = i + 1; j < cells.size(); ++j)
                EXPECT_FALSE(cells[i].box.intersects(cells[j].box)) << width;
        }
        if (width == 90.0) {
            QStringList recent;
            for (const ReportTable::Cell& cell : cells)
                if (cell.text.contains(u'/'))
                    recent << cell.text;
            EXPECT_EQ(recent, (QStringList{"12/6 386秒  12/7 386秒", "12/8 386秒"}));
            EXPECT_EQ(table.height(), 2 * 5.5 + 5.5);
        }
    }
}
