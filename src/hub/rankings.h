#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

struct ResultTables;
struct SharedState;

// Sorts positions 1..n of key ascending, moving each payload with its key (index 0 is
// unused). Top-down merge sort that takes the right run's entry on equal keys, so a group of
// equal keys comes out in the reverse of its input order: the rankings list the later roster
// line first among equals.
template <typename Key, typename Payload>
void mergeSortByKey(int n, std::vector<Key>& key, std::vector<Payload>& payload);

// The rankings hold at most this many roster lines; a longer roster is ranked by its first
// lines only.
constexpr int kMaxRankedPupils = 2000;

// The listed pupils that the rankings take: the roster's listed pupils, capped.
int rankedPupilCount(const SharedState& state);

enum class ReportKind { Time = 1, Points = 2 };
enum class PointsPeriod { AllTime = 1, Today = 2 };

struct RankingRequest
{
    int item = 0;
    ReportKind kind = ReportKind::Points;
    PointsPeriod period = PointsPeriod::AllTime;
    QString gradeFilter;
    int markedPupil = 0; // the pupil whose line carries "●"
    // The rank field of a pupil without a time; the graph panel's twin writes "---".
    QString noRecordRank = QStringLiteral("--");
};

// The lines of one item's ranking, and which of them belongs to the marked pupil (-1: none).
struct Ranking
{
    QStringList lines;
    int ownLine = -1;
    std::vector<int> linePupils; // the pupil of each line
    // The marked pupil's rank among all ranked pupils, listed or not, uncut (the lines show
    // two digits); 0 when the pupil is not ranked.
    int ownRank = 0;
};

// Ranks every listed pupil on one item by best time or by points, with shared ranks for
// ties, and lists those of the grade group. Ranks count the whole roster, so hiding a grade
// does not move anyone's rank. In the points view the order is by the primary points (all
// time or today), then the other points, both descending; ranks compare the primary points.
Ranking rankItem(const SharedState& state, const ResultTables& tables,
                 const RankingRequest& request);

template <typename Key, typename Payload>
void mergeSortByKey(int n, std::vector<Key>& key, std::vector<Payload>& payload)
{
    if (n < 2)
        return;
    std::vector<Key> leftKeys(static_cast<size_t>(n / 2 + 1));
    std::vector<Payload> leftPayloads(static_cast<size_t>(n / 2 + 1));
    const auto sortRange = [&](auto& self, int lo, int hi) -> void {
        if (lo >= hi)
            return;
        const int mid = (lo + hi) / 2;
        self(self, lo, mid);
        self(self, mid + 1, hi);
        const int leftCount = mid - lo + 1;
        for (int a = 0; a < leftCount; ++a) {
            leftKeys[a] = key[lo + a];
            leftPayloads[a] = payload[lo + a];
        }
        int a = 0;
        int b = mid + 1;
        int k = lo;
        while (a < leftCount && b <= hi) {
            if (leftKeys[a] < key[b]) {
                key[k] = leftKeys[a];
                payload[k] = leftPayloads[a];
                ++a;
            } else {
                key[k] = key[b];
                payload[k] = payload[b];
                ++b;
            }
            ++k;
        }
        for (; a < leftCount; ++a, ++k) {
            key[k] = leftKeys[a];
            payload[k] = leftPayloads[a];
        }
    };
    sortRange(sortRange, 1, n);
}
