#include "hub/graphdata.h"

#include "core/blanks.h"
#include "core/sharedstate.h"
#include "hub/hubtext.h"
#include "hub/recordlists.h"
#include "hub/resultscan.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "records/resulttables.h"

#include <algorithm>
#include <cmath>

namespace {

// The table's number formats: whole numbers right-aligned in their width.
constexpr int kValueWidth = 7;
constexpr int kRankWidth = 6;
constexpr int kBestWidth = 6;
constexpr int kTimeWidth = 5;

QString rightAlignedText(const QString& text, int width)
{
    return HubText::lastChars(QString(width, u' ') + text, width);
}

// A rank, or "---" where there is none to show.
QString rankText(int rank)
{
    return rank > 0 ? HubText::rightAligned(rank, kRankWidth)
                    : rightAlignedText(QStringLiteral("---"), kRankWidth);
}

// A best time; the markers for "no time yet" and a failure are not times.
QString bestText(qint32 seconds, int width)
{
    return seconds < GraphItem::kNoTime - 1 ? HubText::rightAligned(seconds, width)
                                            : rightAlignedText(QStringLiteral("---"), width);
}

} // namespace

GraphPage GraphDataReader::read(const GraphRequest& request) const
{
    GraphPage page;
    page.pupil = request.pupil;
    page.dateLine = m_clock.now().date().toString(QStringLiteral("yyyy/MM/dd"));
    if (!isValidPupilNo(request.pupil))
        return page;
    page.pupilLine = m_state.gradeLabelByNo[request.pupil] + u' ' +
                     trimBlanks(m_state.pupilNameByNo[request.pupil]);

    const int itemCount = std::clamp<int>(m_state.itemCount, 0, kMaxItemNo);
    // Blocks by item number; an item chosen twice is drawn twice from the same block.
    std::vector<GraphItem> byItem(static_cast<size_t>(itemCount) + 1);
    for (int i = 1; i <= itemCount; ++i) {
        GraphItem& block = byItem[static_cast<size_t>(i)];
        block.item = i;
        block.caption = m_state.itemName[i];
        block.targetTime = m_state.itemTargetTime[i];
    }

    const double today = DayNumber::fromDate(m_clock.now().date());
    page.status =
        scanResultFile(m_calls, resultFilePath(m_state), RecordListReader::kNewestRecords,
                       [&](const ResultRecord& record) {
                           const int item = record.itemNo;
                           if (item < 1 || item > itemCount || !isValidPupilNo(record.pupilNo))
                               return;
                           if (!(record.date > today - RecordListReader::kWindowDays) ||
                               !DayNumber::toDate(record.date).isValid() ||
                               !DayNumber::toTime(record.time).isValid())
                               return;
                           if (record.result < 0 || record.result >= kCountedBelowSeconds)
                               return;
                           GraphItem& block = byItem[static_cast<size_t>(item)];
                           ++block.everyoneCount;
                           block.everyoneSum += record.result;
                           if (record.pupilNo != request.pupil)
                               return;
                           block.attempts.push_back({record.date, record.time, record.result});
                           block.sum += record.result;
                           block.largest = std::max(block.largest, record.result);
                       },
                       {});
    if (!page.status.ok())
        byItem.assign(byItem.size(), GraphItem{});

    for (const int item : request.items) {
        if (item < 1 || item > itemCount)
            continue;
        GraphItem block = byItem[static_cast<size_t>(item)];
        block.item = item;
        block.caption = m_state.itemName[item];
        block.targetTime = m_state.itemTargetTime[item];
        rank(block, request);
        page.items.push_back(std::move(block));
    }
    return page;
}

void GraphDataReader::rank(GraphItem& block, const GraphRequest& request) const
{
    const int i = block.item;
    const int pupil = request.pupil;
    RankingRequest twin;
    twin.item = i;
    twin.gradeFilter = request.gradeFilter;
    twin.markedPupil = pupil;
    twin.noRecordRank = QStringLiteral("---");

    twin.kind = ReportKind::Points;
    twin.period = request.period;
    const Ranking points = rankItem(m_state, m_tables, twin);
    block.ownPointsRank = points.ownRank;
    // The pupil's own points even where the list leaves the pupil out (another grade group,
    // or no points today in today's order).
    block.ownPoints = m_tables.totalPoints.at(i, pupil);
    for (const int listed : points.linePupils) {
        const qint64 total = m_tables.totalPoints.at(i, listed);
        if (total > 0) {
            ++block.pupilsWithPoints;
            block.pointsSum += total;
        }
    }

    twin.kind = ReportKind::Time;
    const Ranking times = rankItem(m_state, m_tables, twin);
    block.ownBest = m_tables.personalBest.at(i, pupil);
    block.overallBest = m_tables.overallBest[i];
    // Without a time of its own the twin writes "---" for the pupil, not a rank.
    block.ownTimeRank = block.ownBest < GraphItem::kNoTime ? times.ownRank : 0;
}

QStringList graphTableLines(const GraphItem& item)
{
    using HubText::rightAligned;
    const auto count = static_cast<qint64>(item.attempts.size());
    QStringList lines;
    lines << QStringLiteral("回数　　　　　　　") + rightAligned(count, kValueWidth) + u'回';
    lines << QStringLiteral("タイム  　　 　    本人 / 全体");
    lines << QStringLiteral("　　順位　　　　") + rankText(item.ownTimeRank) + u'位';
    lines << QStringLiteral("　　最高　　　　") + bestText(item.ownBest, kBestWidth) +
                 QStringLiteral(" /") + bestText(item.overallBest, kTimeWidth) + u'秒';
    if (count > 0) {
        // The pupil's attempts are among everyone's, so neither count is 0 here.
        const qint64 everyone = std::max<qint64>(item.everyoneCount, 1);
        lines << QStringLiteral("　　平均　　　　") + rightAligned(item.sum / count, kTimeWidth) +
                     u'秒' + QStringLiteral(" /") +
                     rightAligned(item.everyoneSum / everyone, kTimeWidth) + u'秒';
    }
    lines << QStringLiteral("ポイント  　　　");
    lines << QStringLiteral("　　順位　　　　") + rankText(item.ownPointsRank) + u'位';
    lines << QStringLiteral("　　獲得ポイント") + rightAligned(item.ownPoints, kValueWidth) + u'点';
    if (item.pupilsWithPoints > 0) {
        const auto average = static_cast<qint64>(std::llround(
            static_cast<double>(item.pointsSum) / static_cast<double>(item.pupilsWithPoints)));
        lines << QStringLiteral("　　　　　　　　　　　　/") + rightAligned(average, kValueWidth) +
                     u'点';
        lines << QStringLiteral("　　　　　　　　　　　　 (全平均)");
    }
    return lines;
}
