#pragma once

#include "core/blanks.h"
#include "core/folderlayout.h"

#include <QString>
#include <QtGlobal>

// The other roster name in commonFolder, read when the home edition is off.
inline const QString kNewRosterFileName = QStringLiteral("新名簿.txt");

constexpr int kRosterTextWidth = 20;
constexpr int kMaxRosterLines = 5000;
// 5000 lines take well under a megabyte; a larger file is refused before it is read.
constexpr qint64 kMaxRosterBytes = 4 * 1024 * 1024;
// The home edition lists at most this many pupils.
constexpr int kHomeEditionPupils = 4;

// One line of the roster: eight fields. The texts are held in their 20-character fields.
struct RosterEntry
{
    qint16 pupilNo = 0;
    qint16 birthYear = 0;
    qint16 extraNo1 = 0; // carried unchanged
    qint16 extraNo2 = 0; // carried unchanged
    QString rosterName;
    // Kept as read, so that it is written back the same way: a number, or empty.
    QString listStatus;
    QString extraText1; // carried unchanged
    QString extraText2; // carried unchanged

    double listStatusValue() const;
    // Status 0 is listed; status 2 is listed only when commonOption3 is 1.
    bool isListed(int commonOption3) const;
};

// Cut to 20 characters or padded with spaces to 20.
QString fixedWidthText(const QString& text);

// The written form of a roster line, without its line end: numbers as plain digits, texts
// in double quotes in their full 20-character width, single commas between fields.
QString rosterLineText(const RosterEntry& entry);
