#pragma once

#include "core/sharedstate.h"
#include "records/records.h"
#include "recordsenvironment.h"
#include "resultsinstallation.h"

#include <QDateTime>

#include <gtest/gtest.h>

// An installation in layout 1 whose result files are written by the program's own recorder.
// Settings: school code 12345, items with target time 100 + item and multiplier 1.5, 3 tests
// and 30 points to master an item. Roster: さくら (1, 小５) and たろう (2, 小３) are listed,
// pupil 3 has left (status 9).
class ResultsToolTest : public ::testing::Test, protected RecordsEnvironment
{
protected:
    ResultsToolTest()
    {
        inst.writeValidSettings();
        inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                       QStringLiteral("1,2015,0,0,\"さくら\",0,\"\",\"\"\n"
                                      "2,2017,0,0,\"たろう\",0,\"\",\"\"\n"
                                      "3,2014,0,0,\"じろう\",9,\"\",\"\"\n"));
        state->dataFolder = inst.programDir() + u'/';
        state->commonFolder = inst.programDir() + QStringLiteral("/../files/");
        state->schoolCode = QStringLiteral("12345");
    }

    // A finished test at a moment, appended by the recorder to both files.
    void record(int pupil, int item, qint32 seconds, const QDateTime& when)
    {
        clock.current = when;
        state->pupilNo = static_cast<qint16>(pupil);
        state->drillItemNo = static_cast<qint16>(item);
        state->drillResult = seconds;
        records.recorder().appendResultRecord();
    }

    ResultsInstallation& installation()
    {
        const Status status = m_installation.load(inst.programDir(), clock.current.date());
        EXPECT_TRUE(status.ok()) << status.message.toStdString();
        return m_installation;
    }

private:
    ResultsInstallation m_installation;
};

inline QDateTime at(int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}
