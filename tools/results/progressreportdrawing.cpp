#include "progressreportdrawing.h"

#include "hub/graphdata.h"
#include "hub/graphdrawing.h"
#include "progressreport.h"
#include "reporttable.h"

namespace {

using Font = GraphCanvas::Font;

constexpr double kLine = 6.0;
constexpr double kRowLine = 5.5;
constexpr double kTimeOverFrom = 99998;

QString secondsText(qint64 seconds)
{
    return QString::number(seconds) + u'秒';
}

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy年M月d日"));
}

// A heading and its lines below y, each with a bullet; returns where the next text goes.
double drawList(const QString& heading, const QStringList& lines, GraphCanvas& canvas, double y)
{
    canvas.drawText(QRectF(0, y, GraphLayout::kWidth, kLine), Qt::AlignLeft | Qt::AlignVCenter,
                    heading, Font::Heading);
    y += kLine;
    for (const QString& line : lines) {
        canvas.drawText(QRectF(4, y, GraphLayout::kWidth - 4, kLine),
                        Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("・") + line, Font::Label);
        y += kLine;
    }
    return y;
}

QStringList writingTexts(const WritingProgress& writing)
{
    return {QStringLiteral("書いたことのある熟語 %1").arg(writing.written),
            QStringLiteral("書ける熟語 %1/%2").arg(writing.canWrite).arg(writing.idiomCount),
            QStringLiteral("一度で正しく書けた答え %1/%2 回（%3 〜 %4）")
                .arg(writing.rightFirstTry)
                .arg(writing.answers)
                .arg(dateText(writing.first), dateText(writing.last))};
}

// Heading, table, the list of what to practise next, for a pupil who has written the writing
// figures and for one with an exam ahead the idioms expected recalled on the day; returns the
// height used.
double drawSummary(const PupilProgress& pupil, GraphCanvas& canvas)
{
    double y = 0;
    canvas.drawText(QRectF(0, y, GraphLayout::kWidth, 10), Qt::AlignLeft | Qt::AlignVCenter,
                    QStringLiteral("学習のようす　") + pupil.title(), Font::Heading);
    y += 11;
    QString period = dateText(pupil.first) + QStringLiteral(" 〜 ") + dateText(pupil.last);
    if (!pupil.first.isValid())
        period = pupil.newInstallation ? QStringLiteral("まだ記録がありません")
                                       : QStringLiteral("まだテストの記録がありません");
    const QStringList lines{QStringLiteral("学年：") + pupil.grade,
                            QStringLiteral("教室：") + pupil.school,
                            QStringLiteral("期間：") + period};
    for (const QString& line : lines) {
        canvas.drawText(QRectF(0, y, GraphLayout::kWidth, kLine), Qt::AlignLeft | Qt::AlignVCenter,
                        line, Font::Label);
        y += kLine;
    }
    y += 3;
    std::vector<QStringList> rows;
    for (const ItemProgress& progress : pupil.items)
        rows.push_back(progressRowTexts(progress));
    const ReportTable table(
        {QStringLiteral("項目"), QStringLiteral("回数"), QStringLiteral("最高"),
         QStringLiteral("平均"), QStringLiteral("最近のタイム"), QStringLiteral("ポイント"),
         QStringLiteral("合格")},
        rows, GraphLayout::kWidth, kRowLine,
        [&canvas](const QString& text, Font font) { return canvas.textWidth(text, font); });
    for (const ReportTable::Cell& cell : table.cells())
        canvas.drawText(cell.box.translated(0, y), Qt::AlignLeft | Qt::AlignVCenter, cell.text,
                        cell.font);
    const double rule = y + table.headingHeight();
    canvas.drawLine(QPointF(0, rule), QPointF(GraphLayout::kWidth, rule), GraphCanvas::Pen::Frame);
    y += table.height();
    y = drawList(QStringLiteral("次に練習すること"), pupil.nextToPractise, canvas, y + 4);
    const WritingProgress& writing = pupil.writing;
    if (writing.hasAnswers()) {
        y = drawList(QStringLiteral("書き取り"), writingTexts(writing), canvas, y + 4);
        QStringList missed;
        for (const WritingProgress::MissedKanji& entry : writing.mostMissed)
            missed << QString(entry.kanji) + u' ' + QString::number(entry.times) + u'回';
        if (!missed.isEmpty())
            y = drawList(QStringLiteral("よくまちがえる漢字"), {missed.join(u'　')}, canvas, y + 4);
    }
    if (pupil.exam)
        y = drawList(QStringLiteral("試験に向けて"),
                     QStringList{pupil.exam->line()} << pupil.exam->rangeLines(), canvas, y + 4);
    return y + 4;
}

} // namespace

QStringList progressRowTexts(const ItemProgress& progress)
{
    QStringList latest;
    for (const DatedResult& result : progress.latest)
        latest << result.date.toString(QStringLiteral("M/d ")) +
                      (result.seconds >= kTimeOverFrom ? QStringLiteral("時間切れ")
                                                       : secondsText(result.seconds));
    return {progress.caption,
            QString::number(progress.tests) + u'回',
            progress.counted > 0 ? secondsText(progress.best) : QStringLiteral("―"),
            progress.counted > 0 ? secondsText(progress.average()) : QStringLiteral("―"),
            latest.join(ReportTable::kPieceSeparator),
            QString::number(progress.points) + u'点',
            progress.mastered ? QStringLiteral("合格") : QStringLiteral("まだ")};
}

void drawProgressReport(const std::vector<PupilProgress>& pupils,
                        const std::vector<GraphPage>& charts, GraphCanvas& canvas)
{
    for (size_t index = 0; index < pupils.size(); ++index) {
        if (index > 0 && !canvas.newPage())
            return;
        double y = drawSummary(pupils[index], canvas);
        if (index >= charts.size())
            continue;
        const GraphPage& chart = charts[index];
        for (const GraphItem& item : chart.items) {
            if (y + GraphLayout::kBlockHeight > GraphLayout::kPaperHeight) {
                if (!canvas.newPage())
                    return;
                y = 0;
            }
            drawGraphBlock(chart, item, canvas, y);
            y += GraphLayout::kBlockHeight;
        }
    }
}
