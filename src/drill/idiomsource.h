#pragma once

#include "platform/status.h"

#include <QString>
#include <QStringList>

#include <vector>

// The plain table from which a teacher (or the demo build) writes the companion file: UTF-8
// text, one idiom a line as "range,idiom,reading,meaning". Blank lines and lines that start
// with "#" are skipped; a field may be put in double quotes.
namespace IdiomSource {

struct Row
{
    int sourceLine = 0; // line number in the table, for messages
    QStringList fields; // range, idiom, reading, meaning
};

// Fails, naming the line, on anything the companion file cannot store or the drill cannot
// use: a comma inside a field, not four fields, a range outside 1..10, an idiom that is not
// four characters, a reading that is not at least four hiragana, an empty meaning, the end
// marker in a field, a character outside the Windows Japanese code page, more than 1000 idioms.
Status parse(const QString& text, const QString& sourceName, std::vector<Row>& rows);

// What makes a set of idioms poor for the drill, one text each: an idiom listed twice, two
// idioms sharing their first three characters (they would share voice files), and an idiom
// whose range cannot supply twelve decoy tiles (the first and second characters of the
// range's idioms, without the idiom's own characters). Empty when the set is fine.
QStringList setProblems(const std::vector<Row>& rows);

// The distinct first and second characters of these idioms that do not occur in idiom.
int decoyCount(const QStringList& rangeIdioms, const QString& idiom);

// Writes the companion file of the rows; the file is replaced only when it is written whole.
Status writeCompanionFile(const std::vector<Row>& rows, const QString& companionPath);

// Records as a plain table again (fields joined by commas, one record a line).
QString toText(const std::vector<QStringList>& records);

} // namespace IdiomSource
