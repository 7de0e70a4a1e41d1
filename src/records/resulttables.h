#pragma once

#include "core/itemtables.h"
#include "core/sharedstate.h"

#include <QtGlobal>

#include <vector>

// A result that was loaded from the result file.
struct LoadedRecord
{
    double date = 0; // day number
    double time = 0; // fraction of the day
    qint16 pupil = 0;
    qint16 item = 0;
    qint32 result = 0;
    qint32 value = 0; // the numeric value field
};

// Everything the records subsystem derives from the result file: best times, the loaded
// records and the statistics. The tables are rebuilt from the file each time a screen needs
// them; nothing here is stored. The [item][pupil] tables keep their values on the heap.
struct ResultTables
{
    static constexpr qint32 kNoTime = 99999; // a time-over, and "no best time yet"
    static constexpr int kMaxLoaded = 10001;

    ResultTables()
    {
        personalBest.fill(kNoTime);
        overallBest.fill(kNoTime);
    }

    // Filled by the loader; the recorder lowers the bests as results come in.
    ItemPupilTable<qint32> personalBest;
    ItemTable<qint32> overallBest;
    PupilTable<qint16> hasRecords;
    PupilTable<qint16> highestItem;
    std::vector<LoadedRecord> loaded; // oldest first; at most kMaxLoaded

    int loadedCount() const { return static_cast<int>(loaded.size()); }
    // Record j = 1 .. loadedCount().
    const LoadedRecord& loadedRecord(int j) const { return loaded.at(static_cast<size_t>(j - 1)); }

    // Filled by the statistics. Counts leave out results of 6000 seconds or more; time sums
    // and points take every result. Point sums are 64-bit: a large multiplier times thousands
    // of records must not overflow.
    ItemPupilTable<qint16> attemptCount;
    ItemPupilTable<qint32> timeSum;
    ItemPupilTable<float> averageTime;
    ItemPupilTable<qint64> totalPoints;
    ItemPupilTable<qint16> recentCountA; // within the last itemText8 days
    ItemPupilTable<qint64> recentPointsA;
    ItemPupilTable<qint16> recentCountB; // within the last itemText9 days
    ItemPupilTable<qint64> recentPointsB;
    ItemPupilTable<float> todayCount;
    ItemPupilTable<float> todayTimeSum;
    ItemPupilTable<qint64> todayPoints;
    ItemPupilTable<float> todayAverage;
};
