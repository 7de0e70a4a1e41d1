#include "resultsinstallation.h"

#include "core/catalogue.h"
#include "core/installationfinder.h"
#include "core/startup.h"
#include "drill/idiomtable.h"
#include "hub/studymapopening.h"
#include "records/resultfiles.h"
#include "review/pupilsettings.h"
#include "review/studylog.h"
#include "roster/rosterfile.h"
#include "roster/rosterreaders.h"

#include <QCoreApplication>
#include <QStringList>

FoundInstallation findResultsInstallation(const QString& folderOption)
{
    // The program's own search; a per-user installation not made yet holds no results, and
    // reading finds that out without making it.
    return findInstallation(
        InstallationSearch::fromSystem(folderOption, QCoreApplication::applicationDirPath()));
}

Status ResultsInstallation::load(const QString& programDir, const QDate& today)
{
    // The tool plays no sound: the cue table is not needed.
    if (Status status = LoadConfiguration(*m_state, programDir, [] { return Status::success(); });
        !status.ok())
        return status;
    fillCatalogue(*m_state);

    // Both readers, as the program runs them: the name screen's fills the list that the
    // rankings of the charts' tables go by, the hub's the trimmed names and the grade labels.
    // The home edition's limit only shortens that list.
    if (Status status = readRosterForNameScreen(*m_state, today, [](const RosterEntry&) {});
        !status.ok() && status.code != kHomeEditionLimit)
        return status;
    QStringList hubList;
    if (Status status = readRosterForHub(*m_state, today, hubList); !status.ok())
        return status;
    RosterFileReader reader;
    if (Status status = reader.open(rosterFilePath(*m_state)); !status.ok())
        return status;
    while (!reader.atEnd()) {
        RosterEntry entry;
        if (Status status = reader.readEntry(entry); !status.ok())
            return status;
        m_inRoster[static_cast<size_t>(entry.pupilNo)] = 1;
        if (entry.listStatusValue() == 0)
            m_listed[static_cast<size_t>(entry.pupilNo)] = 1;
    }
    return Status::success();
}

std::vector<int> ResultsInstallation::listedPupils() const
{
    std::vector<int> pupils;
    for (int pupil = 1; pupil <= kMaxPupilNo; ++pupil) {
        if (isListed(pupil))
            pupils.push_back(pupil);
    }
    return pupils;
}

QString ResultsInstallation::resultFile() const
{
    return resultFilePath(*m_state);
}

QString ResultsInstallation::homeFile() const
{
    return homeResultFilePath(*m_state);
}

QString ResultsInstallation::studyLogFile() const
{
    return m_state->commonFolder + QString::fromUtf8(kStudyLogFileName);
}

QString ResultsInstallation::pupilSettingsFile() const
{
    return m_state->commonFolder + QString::fromUtf8(kPupilSettingsFileName);
}

Status ResultsInstallation::loadIdioms(std::vector<MapIdiom>& idioms) const
{
    IdiomTable table;
    if (Status status = table.loadIdiomTable(m_state->programFolder + kIdiomDataFileName);
        !status.ok())
        return status;
    idioms = studyMapIdioms(table);
    return Status::success();
}
