#include "roster/rosterentry.h"

#include "core/fieldreader.h"

double RosterEntry::listStatusValue() const
{
    return FieldReader::leadingNumber(listStatus);
}

bool RosterEntry::isListed(int commonOption3) const
{
    const double status = listStatusValue();
    return status == 0 || (status == 2 && commonOption3 == 1);
}

QString fixedWidthText(const QString& text)
{
    return text.left(kRosterTextWidth).leftJustified(kRosterTextWidth, u' ');
}

QString rosterLineText(const RosterEntry& entry)
{
    const auto quoted = [](const QString& text) { return u'"' + fixedWidthText(text) + u'"'; };
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8")
        .arg(entry.pupilNo)
        .arg(entry.birthYear)
        .arg(entry.extraNo1)
        .arg(entry.extraNo2)
        .arg(quoted(entry.rosterName), entry.listStatus, quoted(entry.extraText1),
             quoted(entry.extraText2));
}
