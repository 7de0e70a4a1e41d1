#include "records/mastery.h"

#include "core/sharedstate.h"
#include "records/resulttables.h"

#include <charconv>
#include <cmath>

bool itemMasteredBy(const SharedState& state, int item, qint64 attempts, qint64 points)
{
    return isValidItemNo(item) && attempts >= state.itemRequiredCount[item] &&
           points >= state.itemRequiredScore[item];
}

bool recentlyMastered(const SharedState& state, const ResultTables& tables, int item, int pupil)
{
    if (!isValidItemNo(item) || !isValidPupilNo(pupil))
        return false;
    return tables.recentPointsA.at(item, pupil) >= state.itemRequiredScore[item] &&
           tables.recentCountA.at(item, pupil) >= state.itemRequiredCount[item];
}

qint16 finalItemClearedFor(const SharedState& state, const ResultTables& tables, int pupil)
{
    return recentlyMastered(state, tables, state.finalItemNo, pupil) ? 1 : 0;
}

QString multiplierText(float multiplier)
{
    if (!std::isfinite(multiplier))
        return QStringLiteral("0");
    // Fixed notation below ten million, as a multiplier is written in the time table; the
    // shortest form that round-trips otherwise.
    char buffer[64];
    const auto format =
        std::fabs(multiplier) < 1e7f ? std::chars_format::fixed : std::chars_format::general;
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, multiplier, format);
    if (error != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}
