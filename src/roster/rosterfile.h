#pragma once

#include "platform/status.h"
#include "roster/rosterentry.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads a roster file line by line and checks each line before anything uses it: eight
// fields, numbers where numbers belong and within 16 bits, a pupil number from 1 to 5000, at
// most 5000 lines. A damaged line is reported, never guessed at: a pupil number 0 or a shifted
// field would file a pupil's records under another number. Blank lines hold no pupil.
class RosterFileReader
{
public:
    // Reads the whole file; a failure names the file.
    Status open(const QString& path);

    bool atEnd() const { return m_next >= m_lines.size(); }
    // The next line into entry; a failure names the file and the line number.
    Status readEntry(RosterEntry& entry);
    // The bytes of the line last read, without its line end.
    const QByteArray& lastLineBytes() const { return m_lines.at(m_next - 1).bytes; }

private:
    struct Line
    {
        int number = 0; // line number in the file, for messages
        QByteArray bytes;
    };
    Status lineProblem(int lineNumber, const QString& what) const;

    QString m_path;
    QList<Line> m_lines;
    qsizetype m_next = 0;
};

// Every line of a roster file, for the edit dialog, which must write back what it read.
struct RosterFileContents
{
    Status status;
    QList<RosterEntry> entries;
    QList<QByteArray> lineBytes; // as read, without line ends
};
RosterFileContents readWholeRoster(const QString& path);

// The problem text for a roster that cannot be read at all.
QString rosterMissingText(const QString& path);
