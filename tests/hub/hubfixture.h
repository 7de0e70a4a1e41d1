#pragma once

#include "core/catalogue.h"
#include "core/sharedstate.h"
#include "fakenavigator.h"
#include "fakes.h"
#include "hub/hubview.h"
#include "hub/studyhub.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/records.h"
#include "records/resultfiles.h"
#include "recordsenvironment.h"
#include "scriptedfilecalls.h"
#include "testinstallation.h"
#include "testitems.h"
#include "testresults.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <vector>

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// An installation in layout 1 with the twenty catalogue items and a shared state as the name
// selection screen leaves it: the roster tables filled, a pupil chosen, the grade filter
// "全学年". Today is Friday 10 April 2026, 10:00; the school year starts in April, so a pupil
// born in 2017 is in grade 3. Every test item has target time 60 and multiplier 2.
class HubFixture : public RecordsEnvironment
{
public:
    HubFixture()
    {
        inst.writeValidSettings();
        state->programFolder = inst.programDir() + u'/';
        state->commonFolder = inst.filesDir() + u'/';
        state->dataFolder = state->programFolder;
        state->soundFolder = state->commonFolder;
        state->contentName = QStringLiteral("Sorawa");
        state->schoolName = QStringLiteral("テスト教室");
        state->schoolYearStartMonth = 4;
        state->schoolYear = 2026;
        state->gradeFilterText = QStringLiteral("全学年");
        fillCatalogue(*state);
        setEveryItem(*state, {}, 20);
    }

    // A listed pupil at the next roster line.
    void addPupil(int pupilNo, int birthYear, const QString& name)
    {
        const int line = ++state->listedPupilCount;
        state->pupilNoByLine[line] = static_cast<qint16>(pupilNo);
        state->pupilNameByNo[pupilNo] = name.leftJustified(20, u' ');
        state->birthYearByNo[pupilNo] = static_cast<qint16>(birthYear);
    }

    void choosePupil(int pupilNo, const QString& gradeLabel = QStringLiteral("小３"))
    {
        state->pupilNo = static_cast<qint16>(pupilNo);
        state->pupilName = state->pupilNameByNo[pupilNo];
        state->currentGradeLabel = gradeLabel;
        state->pupilStartTime = 9 * 3600 + 45 * 60; // chosen at 9:45
    }

    double today() const { return DayNumber::fromDate(clock.current.date()); }

    static ResultRecord result(int pupil, int item, qint32 seconds, double date,
                               const QTime& time = QTime(9, 5))
    {
        return testResult(pupil, item, seconds, date, DayNumber::fromTime(time));
    }

    void writeResults(const std::vector<ResultRecord>& records) const
    {
        writeResultFile(inst, records);
    }

    FakeNavigator navigator;
};

// Keeps what the hub shows, element by element.
class FakeHubView : public HubView
{
public:
    struct Column
    {
        HubColumnTexts texts;
        QString todayHeading;
        QString allTimeHeading;
        QString today;
        QString allTime;
        bool detailsVisible = true;
        bool listVisible = true;
        QStringList lines;
        int scrollTo = -1;
        bool startEnabled = true;
    };

    void createColumns(int itemCount) override { columns.assign(itemCount + 1, Column{}); }
    void setColumnTexts(int item, const HubColumnTexts& texts) override
    {
        columns.at(item).texts = texts;
    }
    void setGradeFilter(const QStringList& entries, const QString& current) override
    {
        filterEntries = entries;
        filterText = current;
    }
    void setScrollBar(bool visible, int minimum, int maximum) override
    {
        scrollVisible = visible;
        scrollMinimum = minimum;
        scrollMaximum = maximum;
    }
    void setScrollValue(int value) override { scrollValue = value; }
    void placeColumns(int pitch, const std::vector<int>& left) override
    {
        pitchTwips = pitch;
        leftTwips = left;
    }
    void setTitle(const QString& text, int pointSize) override
    {
        title = text;
        titlePointSize = pointSize;
    }
    void setPupilLine(const QString& text) override { pupilLine = text; }
    void setSchoolLine(const QString& text) override { schoolLine = text; }
    void setMinutesLine(const QString& text) override { minutesLine = text; }
    void setTodayTotalLine(const QString& text) override { todayTotalLine = text; }
    void setListHeading(const QString& text) override { heading = text; }
    void setColumnHeadings(int item, const QString& today, const QString& allTime) override
    {
        columns.at(item).todayHeading = today;
        columns.at(item).allTimeHeading = allTime;
    }
    void setTallies(int item, const QString& today, const QString& allTime) override
    {
        columns.at(item).today = today;
        columns.at(item).allTime = allTime;
    }
    void setColumnDetailsVisible(int item, bool visible) override
    {
        columns.at(item).detailsVisible = visible;
        columns.at(item).listVisible = visible;
    }
    void setListVisible(int item, bool visible) override { columns.at(item).listVisible = visible; }
    void setListLines(int item, const QStringList& lines, int scrollTo) override
    {
        columns.at(item).lines = lines;
        columns.at(item).scrollTo = scrollTo;
    }
    void setStartEnabled(int item, bool enabled) override
    {
        columns.at(item).startEnabled = enabled;
    }
    void selectDisplayKind(int kind) override { displayKind = kind; }
    void selectPeriod(int period) override { periodOption = period; }
    void setPeriodCaption(int period, const QString& caption) override
    {
        periodCaptions[period] = caption;
    }
    void setPeriodThreeEnabled(bool enabled) override { periodThreeEnabled = enabled; }
    void setRecordsBoxVisible(bool visible) override { recordsBoxVisible = visible; }
    void setBackEnabled(bool enabled) override { backEnabled = enabled; }
    void setReviewOffer(const ReviewOffer& offer) override { reviewOffer = offer; }
    void setWritingOffer(const ReviewOffer& offer) override { writingOffer = offer; }
    void setGraphButtonVisible(bool visible) override { graphButtonVisible = visible; }
    void setWaitPanelVisible(bool visible) override
    {
        waitPanelVisible = visible;
        log.append(visible ? "wait shown" : "wait hidden");
    }
    void setWaitProgressVisible(bool visible) override { waitProgressVisible = visible; }
    void setRankingPanelVisible(bool visible) override { rankingPanelVisible = visible; }
    void setProgress(qint64 value, qint64 maximum) override
    {
        progressValue = value;
        progressMaximum = maximum;
    }
    void repaintNow() override { ++repaints; }
    void focusFirstStart() override { log.append("focus Command4_1"); }

    const Column& column(int item) const { return columns.at(item); }

    std::vector<Column> columns;
    QStringList filterEntries;
    QString filterText;
    bool scrollVisible = false;
    int scrollMinimum = 0;
    int scrollMaximum = 0;
    int scrollValue = 0;
    int pitchTwips = 0;
    std::vector<int> leftTwips;
    QString title;
    int titlePointSize = 0;
    QString pupilLine;
    QString schoolLine;
    QString minutesLine;
    QString todayTotalLine;
    QString heading;
    int displayKind = -1;
    int periodOption = -1;
    std::map<int, QString> periodCaptions;
    bool periodThreeEnabled = true;
    bool recordsBoxVisible = true;
    bool backEnabled = true;
    ReviewOffer reviewOffer;
    ReviewOffer writingOffer;
    bool graphButtonVisible = false;
    bool waitPanelVisible = false;
    bool waitProgressVisible = true;
    bool rankingPanelVisible = false;
    qint64 progressValue = 0;
    qint64 progressMaximum = 0;
    int repaints = 0;
    QStringList log;
};
