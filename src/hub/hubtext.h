#pragma once

#include <QString>
#include <QtGlobal>

// The fixed-width parts of the hub's list lines. The lists use a fixed-pitch font in which a
// full-width character takes two columns, so padding with full-width spaces keeps the columns
// aligned.
namespace HubText {

// The last n characters of a text (all of it when it is shorter).
QString lastChars(const QString& text, int n);

// A number as the lists write it: a blank before a non-negative number.
QString withLeadingBlank(qint64 value);

// A number right-aligned in width characters: blanks in front, cut to its last width
// characters.
QString rightAligned(qint64 value, int width);

// A pupil's name in five full-width columns: padded with full-width spaces, cut to five
// characters. The caller removes the blanks it wants gone first.
QString nameColumn(const QString& name);

// Ranks " 1" .. " 9", "10" .. "99"; from 100 on only the last two digits show.
QString rankColumn(int rank);

// A result in seconds in five characters: "  57秒".
QString resultColumn(qint32 seconds);

// The ASCII blanks at the end of a text removed; leading blanks stay.
QString withoutTrailingBlanks(const QString& text);

} // namespace HubText
