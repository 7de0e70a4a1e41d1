#pragma once

#include "platform/filecalls.h"
#include "platform/status.h"
#include "records/recordfilestream.h"
#include "review/studyevent.h"
#include "review/studylogrecord.h"

#include <QString>
#include <QtGlobal>

#include <optional>

class Sleeper;

// In SharedState::commonFolder, beside the home-use result file, so that every machine of a
// school sees a pupil's whole history.
inline constexpr char kStudyLogFileName[] = "学習記録.dat";

// Appends one event through the result files' own append (ResultFileWriter: whole-file lock,
// write at the real end, fdatasync, torn tail overwritten, lands whole or not at all). The
// first append to an empty file writes the header with it, in the same write.
class StudyLogWriter
{
public:
    StudyLogWriter(FileCalls& calls, Sleeper& sleeper) : m_calls(calls), m_sleeper(sleeper) {}
    Status append(const QString& path, const StudyEvent& event);

private:
    FileCalls& m_calls;
    Sleeper& m_sleeper;
};

// One whole record of the log as read, for the tools (audit, export).
struct StudyLogEntry
{
    qint64 recordNo = 0;     // 1 = the first event after the header
    bool checksumOk = false; // false: the record is damaged
    // Any fault, the checksum's included (StudyLogRecord::faultOf()): programs skip the record.
    StudyLogRecord::Fault fault;
    StudyEvent event; // decoded even when damaged, as far as it goes
};

// Streams the log front to back in chunks (memory stays flat). A missing file reads as empty
// (status ok, no entries). A header of another format version or a damaged header is an error
// Status with a Japanese message. A torn tail (a fragment shorter than a record) is not returned.
class StudyLogReader
{
public:
    Status open(const QString& path);
    const StudyLogEntry* next(); // every whole record, damaged ones flagged; nullptr at end
    // The raw bytes of the next whole event records, unchecked, *count of them from the
    // returned pointer (as RecordFileStream::nextRecords); nullptr at the end.
    const char* nextRawRecords(qint64* count);
    // Goes on reading after the first n event records; false when the log holds fewer.
    bool skipEvents(qint64 n);
    qint64 tornTailBytes() const;
    Status status() const; // read errors

private:
    std::optional<RecordFileStream> m_stream; // made anew by each open()
    StudyLogEntry m_entry;
    Status m_opened;
    bool m_empty = true;
};
