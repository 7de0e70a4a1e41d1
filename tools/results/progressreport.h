#pragma once

#include "examoutlook.h"
#include "platform/status.h"
#include "writingprogress.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class ResultsInstallation;

// One result of a pupil as the report lists it among the latest.
struct DatedResult
{
    QDate date;
    qint32 seconds = 0; // 99999: time-over
};

// What a pupil has done on one item over the whole result file.
struct ItemProgress
{
    static constexpr int kLatest = 3;

    int item = 0;
    QString caption;
    qint64 tests = 0;   // every recorded test, time-overs included
    qint64 counted = 0; // tests below 6000 seconds, the ones the program counts and averages
    qint64 countedSum = 0;
    qint32 best = 0;                 // 0: no counted test
    std::vector<DatedResult> latest; // oldest first, at most kLatest
    qint64 points = 0;
    bool mastered = false;
    qint64 pointsToGo = 0; // still needed for mastery
    qint64 testsToGo = 0;

    // The average of the counted tests in whole seconds, halves up; 0 without any.
    qint64 average() const;
};

// One pupil's page.
struct PupilProgress
{
    static constexpr int kChartItems = 2;
    static constexpr int kNotMasteredListed = 3;

    int pupil = 0;
    QString name; // trimmed; empty for a pupil no longer listed
    QString grade;
    QString school;
    QDate first; // the period covered; invalid without any test
    QDate last;
    bool newInstallation = false;    // no result file yet: nobody has taken a test
    std::vector<ItemProgress> items; // the items tried, by item number
    // Items not yet mastered, nearest to mastery first, then the next range not tried yet.
    QStringList nextToPractise;
    std::vector<int> chartItems;     // the items with the most tests, most first
    WritingProgress writing;         // from the study log, which the builder does not read
    std::optional<ExamOutlook> exam; // the same; while the pupil's exam date is ahead

    // 「さくら さん」, or 「生徒番号 3」 for a pupil no longer listed.
    QString title() const;
};

// Builds the report pages of some pupils from one pass over the result file, with the
// program's points and mastery rules. A result file not made yet gives pages without tests.
class ProgressReportBuilder
{
public:
    explicit ProgressReportBuilder(const ResultsInstallation& installation)
        : m_installation(installation)
    {
    }

    Status build(const std::vector<int>& pupils, std::vector<PupilProgress>& pages) const;

private:
    void finish(PupilProgress& page) const;

    const ResultsInstallation& m_installation;
};
