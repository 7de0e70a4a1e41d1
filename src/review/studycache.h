#pragma once

#include "platform/status.h"
#include "review/studycheckpoint.h"
#include "review/studyevent.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

class PupilStudy;

// Keeps the pupils' studies between the screens that show them (the hub after every drill,
// the review drill, the map), so that each of them reads only what was appended to the log
// since the pupil's study was last read, not the pupil's whole history again.
class StudyCache
{
public:
    StudyCache() = default;
    // With checkpoints, the first look at a pupil goes on from the pupil's checkpoint, and
    // every look leaves one behind once enough of the log has been read since the last.
    explicit StudyCache(StudyCheckpoints checkpoints) : m_checkpoints(std::move(checkpoints)) {}

    // The pupil's study as the log at logPath holds it now. A study handed out earlier is never
    // changed under its holder: a refresh then works on a copy.
    std::shared_ptr<const PupilStudy> study(const QString& logPath, int pupilNo, Status* status,
                                            StudySkill skill = StudySkill::Choose);

    // A school's machine sees many pupils a day; the ones seen last are the ones kept.
    static constexpr size_t kPupilsKept = 8;

private:
    std::optional<StudyCheckpoints> m_checkpoints;
    std::vector<std::shared_ptr<PupilStudy>> m_kept; // the one used last at the end
};
