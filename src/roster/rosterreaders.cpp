#include "roster/rosterreaders.h"

#include "core/sharedstate.h"
#include "roster/rosterfile.h"
#include "roster/rostergrades.h"

#include <QFile>

namespace {

void storeGradeLabel(SharedState& state, int pupilNo, int gradeNo)
{
    const QString label = fullWidthGradeLabel(gradeNo);
    if (!label.isEmpty())
        state.gradeLabelByNo[pupilNo] = label;
}

} // namespace

QString rosterFilePath(const SharedState& state)
{
    return state.commonFolder + (state.homeEdition == 1 ? kRosterFileName : kNewRosterFileName);
}

Status readRosterForNameScreen(SharedState& state, const QDate& today,
                               const std::function<void(const RosterEntry&)>& addListedPupil)
{
    state.schoolYear = schoolYearOf(today, state.schoolYearStartMonth);
    state.listedPupilCount = 0;
    RosterFileReader reader;
    if (Status status = reader.open(rosterFilePath(state)); !status.ok())
        return Status::failure(status.message, kRosterDamaged);
    // The counter is the number of listed pupils so far plus the line being read.
    int line = 0;
    while (!reader.atEnd()) {
        ++line;
        if (state.homeEdition == 1 && line > kHomeEditionPupils)
            return Status::failure(kHomeEditionLimitText, kHomeEditionLimit);
        RosterEntry entry;
        if (Status status = reader.readEntry(entry); !status.ok())
            return Status::failure(status.message, kRosterDamaged);
        state.pupilNameByNo[entry.pupilNo] = entry.rosterName;
        state.birthYearByNo[entry.pupilNo] = entry.birthYear;
        state.pupilNoByLine[line] = entry.pupilNo;
        storeGradeLabel(state, entry.pupilNo, gradeNoOf(state.schoolYear, entry.birthYear));
        if (!entry.isListed(state.commonOption3)) {
            --line;
            continue;
        }
        state.listedPupilCount = static_cast<qint16>(line);
        addListedPupil(entry);
    }
    return Status::success();
}

Status readRosterForHub(SharedState& state, const QDate& today, QStringList& hubList)
{
    state.schoolYear = schoolYearOf(today, state.schoolYearStartMonth);
    hubList.clear();
    RosterFileReader reader;
    if (Status status = reader.open(rosterFilePath(state)); !status.ok())
        return status;
    while (!reader.atEnd()) {
        RosterEntry entry;
        if (Status status = reader.readEntry(entry); !status.ok())
            return status;
        const QString name = trimBlanks(entry.rosterName);
        state.pupilNameByNo[entry.pupilNo] = name;
        state.birthYearByNo[entry.pupilNo] = entry.birthYear;
        storeGradeLabel(state, entry.pupilNo, gradeNoOf(state.schoolYear, entry.birthYear));
        if (entry.listStatusValue() == 0)
            hubList.append(state.gradeLabelByNo[entry.pupilNo] + QStringLiteral(" /  ") + name +
                           u'/' + QString::number(entry.pupilNo));
    }
    return Status::success();
}

void recoverRosterFile(const QString& commonFolder)
{
    QFile roster(commonFolder + kRosterFileName);
    // A temporary file beside a roster that opens is left alone: another program of the
    // family may be between writing it and renaming it, and the next rewrite replaces it.
    if (roster.open(QIODevice::ReadOnly))
        return;
    QFile::rename(commonFolder + kRosterTempFileName, commonFolder + kRosterFileName);
}
