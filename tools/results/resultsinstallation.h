#pragma once

#include "core/sharedstate.h"
#include "platform/status.h"
#include "review/studymap.h"

#include <QDate>
#include <QString>

#include <memory>
#include <vector>

struct FoundInstallation;

// The installation the tool reads, found as the program finds its own: --folder, a site
// setting, the executable's folder, the per-user installation.
FoundInstallation findResultsInstallation(const QString& folderOption);

// An installation as the program sees it, read without writing anything: settings, folders,
// catalogue, the per-item time table and the roster (names trimmed and grade labels as the
// study hub shows them).
class ResultsInstallation
{
public:
    // programDir: the program folder without a trailing "/", as findInstallation gives it.
    Status load(const QString& programDir, const QDate& today);

    SharedState& state() { return *m_state; }
    const SharedState& state() const { return *m_state; }

    // A roster line of status 0 names the pupil, as on the hub.
    bool isListed(int pupil) const { return flagOf(m_listed, pupil); }
    // Any roster line, listed or not, has this pupil number.
    bool isInRoster(int pupil) const { return flagOf(m_inRoster, pupil); }

    // The listed pupils by number.
    std::vector<int> listedPupils() const;

    QString resultFile() const;
    QString homeFile() const;
    QString studyLogFile() const;
    QString pupilSettingsFile() const;
    // The idioms of the idiom file, for the study log's commands.
    Status loadIdioms(std::vector<MapIdiom>& idioms) const;

private:
    static bool flagOf(const std::vector<char>& flags, int pupil)
    {
        return isValidPupilNo(pupil) && flags[static_cast<size_t>(pupil)];
    }

    std::unique_ptr<SharedState> m_state = std::make_unique<SharedState>();
    std::vector<char> m_listed = std::vector<char>(kMaxPupilNo + 1, 0);
    std::vector<char> m_inRoster = std::vector<char>(kMaxPupilNo + 1, 0);
};
