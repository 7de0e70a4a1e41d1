#include "roster/pupillist.h"

#include "core/codepage.h"
#include "roster/rostergrades.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr QChar kFullWidthSpace(0x3000);

QString plainNumber(double value)
{
    if (std::floor(value) == value && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 7);
}

} // namespace

QString todayCountColumn(double sum)
{
    if (sum == 0)
        return QStringLiteral("     ");
    return (QStringLiteral("  ") + plainNumber(sum)).right(3) + QStringLiteral("回");
}

QString todayPointsColumn(qint64 sum)
{
    if (sum == 0)
        return QStringLiteral("  ") + kFullWidthSpace;
    return (QStringLiteral("   ") + QString::number(sum)).right(4);
}

QString attemptCountColumn(qint64 sum)
{
    if (sum == 0)
        return QStringLiteral("     ") + kFullWidthSpace;
    return (QStringLiteral("      ") + QString::number(sum)).right(5) + QStringLiteral("回");
}

QString totalPointsColumn(qint64 sum)
{
    if (sum == 0)
        return QStringLiteral("       ");
    return (QStringLiteral("      ") + QString::number(sum)).right(7);
}

PupilRow makePupilRow(const RosterEntry& entry, int schoolYear, const PupilSums& sums,
                      int displayMode)
{
    PupilRow row;
    row.gradeNo = gradeNoOf(schoolYear, entry.birthYear);
    const QString label = rowGradeLabel(row.gradeNo);
    const int width = isKindergartenLabel(label) && displayMode != TodayPointsAllPoints ? 11 : 9;
    QString namePart = label + u' ' + trimBlanks(entry.rosterName);
    if (namePart.size() < width)
        namePart += QString(width - namePart.size(), kFullWidthSpace);

    QString columns;
    switch (displayMode) {
    case TodayCountAllCount:
        columns = todayCountColumn(sums.todayCount) + u'/' + attemptCountColumn(sums.attemptCount);
        break;
    case TodayPointsTodayCount:
        columns = todayPointsColumn(sums.todayPoints) + u'/' + todayCountColumn(sums.todayCount);
        break;
    case AllPointsAllCount:
        columns =
            totalPointsColumn(sums.totalPoints) + u'/' + attemptCountColumn(sums.attemptCount);
        break;
    default:
        columns = todayPointsColumn(sums.todayPoints) + u'/' + totalPointsColumn(sums.totalPoints);
        break;
    }
    // Years outside 1000..9999 still take four characters, so the row is cut in one place.
    const QString year = QString::number(entry.birthYear).rightJustified(4, u'0');
    row.yearLength = static_cast<int>(year.size());
    row.sortItem = year + namePart + columns + u'*' + QString::number(entry.pupilNo);
    return row;
}

void sortPupilRows(std::vector<PupilRow>& rows)
{
    std::vector<std::pair<QByteArray, PupilRow>> keyed;
    keyed.reserve(rows.size());
    for (PupilRow& row : rows)
        keyed.emplace_back(CodePage::encode(row.sortItem), std::move(row));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = std::move(keyed[i].second);
}

// The pupil number follows the last "*": a name may hold a "*" of its own.
QString visibleRow(const PupilRow& row)
{
    const qsizetype star = row.sortItem.lastIndexOf(u'*');
    return row.sortItem.mid(row.yearLength, star - row.yearLength);
}

QString keyItem(const PupilRow& row)
{
    return row.sortItem.mid(row.yearLength);
}
