#pragma once

#include "platform/status.h"
#include "review/studymap.h"
#include "rowbuffer.h"

#include <QByteArray>

#include <unordered_map>
#include <vector>

class QIODevice;
class ResultsInstallation;
struct ExportOptions;

struct StudyExportOutcome
{
    Status status;
    qint64 rows = 0;
    qint64 damaged = 0;       // records readers skip (StudyLogRecord::faultOf()), left out
    qint64 tornTailBytes = 0; // a fragment at the end, left out
};

// Writes the study log as CSV (RFC 4180, UTF-8), one row per answer in file order, with every
// field of the record and the idiom's reading and meaning from the idiom file. It streams as
// the result export does: memory stays the same however long the log is.
class StudyExporter
{
public:
    StudyExporter(const ResultsInstallation& installation, const std::vector<MapIdiom>& idioms);

    StudyExportOutcome exportTo(const ExportOptions& options, QIODevice& out);

    static QByteArray headerRow();

private:
    const RowPiece& pupilFields(int pupil);
    // The idiom, its reading and meaning as CSV fields, by the idiom's stored bytes.
    const RowPiece& idiomFields(quint64 key, const char* record);
    const RowPiece& dateField(qint32 dayNumber);

    const ResultsInstallation& m_installation;
    std::unordered_map<quint64, RowPiece> m_idiomFields;
    std::vector<RowPiece> m_pupilFields; // number and name, by pupil number
    qint32 m_cachedDay = 0;
    RowPiece m_cachedDate;
};
