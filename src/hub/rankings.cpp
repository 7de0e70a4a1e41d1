#include "hub/rankings.h"

#include "core/grades.h"
#include "core/sharedstate.h"
#include "hub/hubtext.h"
#include "records/resulttables.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qint32 kFailureMark = 99998;
constexpr qint32 kNoRecord = ResultTables::kNoTime;

int gradeNoOf(const SharedState& state, int pupil)
{
    return state.schoolYear - state.birthYearByNo[pupil] - 6;
}

// The listed pupils in roster order, 1-based.
std::vector<qint16> rankedPupils(const SharedState& state)
{
    const int n = rankedPupilCount(state);
    std::vector<qint16> pupils(1, 0);
    pupils.reserve(static_cast<size_t>(n) + 1);
    for (int line = 1; line <= n; ++line) {
        const int p = state.pupilNoByLine[line];
        // Pupil 0 is a valid roster number without records; anything else outside the tables
        // cannot be ranked.
        if (p >= 0 && p <= kMaxPupilNo)
            pupils.push_back(static_cast<qint16>(p));
    }
    return pupils;
}

QString timeLine(const QString& rank, const QString& lead, const QString& name, qint32 key,
                 const QString& end, const QString& noRecordRank)
{
    if (key == kFailureMark)
        return rank + lead + name + QStringLiteral("*失敗*") + u' ' + end;
    if (key == kNoRecord)
        return noRecordRank + lead + name + QStringLiteral("------") + u' ' + end;
    return rank + lead + name +
           HubText::lastChars(QStringLiteral("      ") + HubText::withLeadingBlank(key), 6) + u' ' +
           end;
}

} // namespace

int rankedPupilCount(const SharedState& state)
{
    return std::clamp<int>(state.listedPupilCount, 0, kMaxRankedPupils);
}

Ranking rankItem(const SharedState& state, const ResultTables& tables,
                 const RankingRequest& request)
{
    Ranking ranking;
    const int i = request.item;
    if (!isValidItemNo(i))
        return ranking;

    std::vector<qint16> payload = rankedPupils(state);
    const int n = static_cast<int>(payload.size()) - 1;
    // What the ranks compare, per sorted position.
    std::vector<qint64> compared(payload.size(), 0);
    const bool timeView = request.kind == ReportKind::Time;
    const bool todayOrder = !timeView && request.period == PointsPeriod::Today;

    if (timeView) {
        std::vector<qint32> key(payload.size(), 0);
        for (int k = 1; k <= n; ++k)
            key[k] = tables.personalBest.at(i, payload[k]);
        mergeSortByKey(n, key, payload);
        std::copy(key.begin(), key.end(), compared.begin());
    } else {
        // Primary points descending, then the other points descending. A single number
        // 1000 x primary + secondary would let 1000 secondary points outweigh one primary
        // point, so the two stay apart.
        std::vector<std::pair<qint64, qint64>> key(payload.size());
        for (int k = 1; k <= n; ++k) {
            const qint64 today = tables.todayPoints.at(i, payload[k]);
            const qint64 total = tables.totalPoints.at(i, payload[k]);
            key[k] = todayOrder ? std::pair{-today, -total} : std::pair{-total, -today};
        }
        mergeSortByKey(n, key, payload);
        for (int k = 1; k <= n; ++k)
            compared[k] = key[k].first;
    }

    int rank = 1;
    for (int k = 1; k <= n; ++k) {
        const int p = payload[k];
        if (k > 1 && compared[k] != compared[k - 1])
            rank = k;
        const bool own = p == request.markedPupil;
        if (own)
            ranking.ownRank = rank;
        const int gradeNo = gradeNoOf(state, p);
        if (gradeMatchesFilter(gradeNo, request.gradeFilter) == 0)
            continue;
        const qint64 todayPoints = tables.todayPoints.at(i, p);
        if (todayOrder && todayPoints == 0)
            continue;
        const QString lead = own ? QStringLiteral("●") : gradeMark(gradeNo);
        const QString end = own ? QStringLiteral("●") : QStringLiteral("　");
        const QString name =
            HubText::nameColumn(HubText::withoutTrailingBlanks(state.pupilNameByNo[p]));
        const QString rankText = HubText::rankColumn(rank);
        if (own)
            ranking.ownLine = static_cast<int>(ranking.lines.size());
        ranking.linePupils.push_back(p);
        if (timeView) {
            ranking.lines.append(timeLine(rankText, lead, name, static_cast<qint32>(compared[k]),
                                          end, request.noRecordRank));
        } else {
            ranking.lines.append(rankText + lead + name + HubText::rightAligned(todayPoints, 3) +
                                 u'/' + HubText::rightAligned(tables.totalPoints.at(i, p), 5));
        }
    }
    return ranking;
}
