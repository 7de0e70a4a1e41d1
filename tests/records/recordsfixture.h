#pragma once

#include "core/sharedstate.h"
#include "fakes.h"
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

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// An installation in layout 1 with the records subsystem wired to fakes: a manual clock
// (10 April 2026, 10:00), a sleeper that only counts, message and exit fakes, and file calls
// that a test can make fail. Every item has target time 60, multiplier 2, windows of 7 and
// 30 days, and needs 3 attempts and 30 points to be mastered.
class RecordsTest : public ::testing::Test, protected RecordsEnvironment
{
protected:
    RecordsTest()
    {
        state->dataFolder = inst.programDir() + u'/';
        state->commonFolder = inst.programDir() + QStringLiteral("/../files/");
        state->schoolCode = QStringLiteral("12345");
        state->contentName = QStringLiteral("Sorawa");
        setEveryItem(*state, {});
    }

    double today() const { return DayNumber::fromDate(clock.current.date()); }

    QString resultPath() const { return resultFilePath(*state); }
    QString homePath() const { return homeResultFilePath(*state); }

    static QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static ResultRecord result(int pupil, int item, qint32 seconds, double date)
    {
        ResultRecord record = testResult(pupil, item, seconds, date, 0.5);
        record.setSchoolCode(QStringLiteral("12345"));
        return record;
    }

    void writeResultFile(const std::vector<ResultRecord>& records, const QByteArray& tail = {})
    {
        ::writeResultFile(inst, records, tail);
    }

    // The drill just finished: the current pupil, item and result.
    void finishDrill(int pupil, int item, qint32 seconds)
    {
        state->pupilNo = static_cast<qint16>(pupil);
        state->drillItemNo = static_cast<qint16>(item);
        state->drillResult = seconds;
    }

    ResultTables& tables = records.tables();
};
