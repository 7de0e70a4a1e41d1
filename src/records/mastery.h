#pragma once

#include <QString>

struct ResultTables;
struct SharedState;

// Whether an item counts as mastered with these all-time attempts (results below 6000
// seconds) and points: at least the item's required count and its required points.
bool itemMasteredBy(const SharedState& state, int item, qint64 attempts, qint64 points);

// Whether a pupil has recently mastered an item: within the item's first recent window the
// pupil has earned at least its required points in at least its required number of attempts.
// The hub and the finish screen judge by the statistics as last computed. False for an item or
// pupil number outside the tables.
bool recentlyMastered(const SharedState& state, const ResultTables& tables, int item, int pupil);

// finalItemCleared: 1 when the pupil has recently mastered the final (target) item, else 0.
qint16 finalItemClearedFor(const SharedState& state, const ResultTables& tables, int pupil);

// An item's points multiplier as the screens write it: the shortest decimal text that reads
// back as the same single-precision number ("10", "1.5", "0.25").
QString multiplierText(float multiplier);
