#include "review/studycache.h"

#include "review/pupilstudy.h"

#include <algorithm>

std::shared_ptr<const PupilStudy> StudyCache::study(const QString& logPath, int pupilNo,
                                                    Status* status, StudySkill skill)
{
    auto kept = std::find_if(m_kept.begin(), m_kept.end(), [&](const auto& study) {
        return study->pupilNo() == pupilNo && study->skill() == skill;
    });
    std::shared_ptr<PupilStudy> study;
    if (kept == m_kept.end()) {
        study = std::make_shared<PupilStudy>(pupilNo, skill);
        *status = m_checkpoints && m_checkpoints->restore(logPath, *study) ? study->refresh(logPath)
                                                                           : study->load(logPath);
    } else {
        study = kept->use_count() > 1 ? std::make_shared<PupilStudy>(**kept) : *kept;
        m_kept.erase(kept);
        *status = study->refresh(logPath);
    }
    if (status->ok()) {
        if (m_checkpoints)
            m_checkpoints->saveWhenBehind(logPath, *study);
        m_kept.push_back(study);
    }
    if (m_kept.size() > kPupilsKept)
        m_kept.erase(m_kept.begin());
    return study;
}
