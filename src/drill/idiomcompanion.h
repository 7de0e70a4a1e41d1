#pragma once

#include "platform/status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The companion file of the idiom data: one record a line, its fields joined by ASCII commas,
// followed by the end marker and filler up to at least 99 characters, then scrambled by the
// exchanges of IdiomKeys. Stored in the Windows Japanese code page with CR LF line ends.
namespace IdiomCompanion {

inline const QString kEndMarker = QStringLiteral("／ｅｎｄ／");
inline constexpr int kMinStoredLength = 99;
inline constexpr int kMaxLines = 1000;
inline constexpr int kMaxFields = 100;
// Far above what 1000 idioms need; a larger file is refused before it is read, so a damaged
// or foreign file cannot take the memory of the machine.
inline constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;

// Codes of the Status that reading returns.
enum ReadError {
    CannotOpen = 1,
    TooManyLines,
    LineTooShort,
    NoEndMarker,
    TooManyFields,
    TooLarge,
};

// Steps 1 up to 99. The line must hold at least IdiomKeys::largestPosition() characters;
// characters behind position 99 never move.
void scramble(QString& line);
// Steps 99 down to 1: the inverse of scramble().
void descramble(QString& line);

// One stored (scrambled) line for a record: fields, end marker, filler. lineNo varies the
// filler, so equal records do not give equal lines.
QString storedLine(const QStringList& fields, int lineNo);

// Splits an unscrambled line: the text before the first end marker, cut at every comma.
// Returns an empty list when the line has no end marker.
QStringList splitRecord(const QString& plainLine, bool* hasEndMarker);

// Reads a whole companion file into its records (records[0] is line 1). On a fault nothing is
// appended to records and the Status names the file and the line.
Status readRecords(const QString& companionPath, std::vector<QStringList>& records);

// The bytes of a companion file holding these records (at most kMaxLines). *ok becomes false
// when a character has no place in the code page.
QByteArray fileBytes(const std::vector<QStringList>& records, bool* ok);

} // namespace IdiomCompanion
