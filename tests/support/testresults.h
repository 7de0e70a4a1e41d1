#pragma once

#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "testinstallation.h"

#include <QDate>

#include <vector>

// A pupil's result on an item, dated by day number and fraction of the day.
inline ResultRecord testResult(int pupil, int item, qint32 seconds, double date, double time = 0.4)
{
    ResultRecord record;
    record.date = date;
    record.time = time;
    record.pupilNo = static_cast<qint16>(pupil);
    record.itemNo = static_cast<qint16>(item);
    record.result = seconds;
    return record;
}

// The day number of the day that lies some days before a date.
inline double dayNumberBefore(const QDate& date, int days)
{
    return DayNumber::fromDate(date.addDays(-days));
}

// Writes the records, and any bytes after them, as the result file of a layout-1 installation.
inline void writeResultFile(const TestInstallation& inst, const std::vector<ResultRecord>& records,
                            const QByteArray& tail = {})
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(records.size()) * RecordCodec::kResultLength);
    for (const ResultRecord& record : records)
        bytes += RecordCodec::encodeResult(record);
    inst.writeBytes(QStringLiteral("prog/") + kResultFileName, bytes + tail);
}
