#pragma once

#include "platform/status.h"
#include "rowbuffer.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <vector>

class QIODevice;
class ResultsInstallation;

struct ExportOptions
{
    QDate since; // invalid: no lower bound; both bounds are inclusive
    QDate until;
    std::vector<int> pupils; // empty: every pupil
    std::vector<int> items;  // empty: every item
    bool home = false;       // the home-use file instead of the result file
    bool byteOrderMark = true;
};

struct ExportOutcome
{
    Status status;
    qint64 rows = 0;
    // The bytes after the last whole record: a writer that died in the middle of a record.
    qint64 tailOffset = 0;
    qint64 tailLength = 0;
};

// Writes the records of a result file as CSV (RFC 4180, UTF-8), one row per record in file
// order, for a spreadsheet. It streams: a chunk of records is read and its rows written before
// the next is read, so memory stays the same however long the file is.
class ResultExporter
{
public:
    explicit ResultExporter(const ResultsInstallation& installation);

    ExportOutcome exportTo(const ExportOptions& options, QIODevice& out);

    // The header row, without its line end.
    static QByteArray headerRow(bool home);

private:
    bool wanted(const ExportOptions& options, double date, int pupil, int item) const;
    // Number, name and grade label of a pupil, as CSV fields with the commas between them.
    const RowPiece& pupilFields(int pupil);
    const RowPiece& dateField(double dayNumber)
    {
        // A comparison that fails for NaN, so that only finite days are taken from the cache.
        if (!(dayNumber >= m_cachedFrom && dayNumber < m_cachedUntil))
            cacheDateField(dayNumber);
        return m_cachedDate;
    }
    void cacheDateField(double dayNumber);
    // The program's points of a result, remembered: the same few results recur all the time.
    qint32 pointsFor(qint32 result, int item);

    const ResultsInstallation& m_installation;
    // Made once per pupil and item: a million rows repeat the same few of them.
    std::vector<RowPiece> m_pupilFields;
    std::vector<RowPiece> m_itemFields;        // number and name
    std::vector<std::vector<qint32>> m_points; // by item, then result; -1: not yet known
    // The day numbers [m_cachedFrom, m_cachedUntil) that m_cachedDate is the text of.
    double m_cachedFrom = 1;
    double m_cachedUntil = 0;
    RowPiece m_cachedDate;
};

// A text field of a CSV row: with an apostrophe first when it begins with =, +, -, @, a tab or
// a carriage return (a spreadsheet program would take it for a formula), then quoted when it
// holds a comma, a double quote or a line break, with double quotes doubled. Numbers and dates
// are written as they are, never through this.
QByteArray csvField(const QString& text);

// Whether a result file has not been made yet: the first test recorded makes it, so a new
// installation has none and holds no records. A link to nowhere is not such a case, but a
// file that cannot be read.
bool notMadeYet(const QString& path);
