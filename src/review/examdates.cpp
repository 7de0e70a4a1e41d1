#include "review/examdates.h"

#include <QMap>

SettingsFileExamDates::SettingsFileExamDates(std::function<PupilSettingsFile()> file)
    : m_file(std::move(file))
{
}

ExamDates::Exam SettingsFileExamDates::exam(int pupil, Status* status) const
{
    QMap<int, PupilSettings> settings;
    *status = m_file().read(&settings);
    const PupilSettings& own = settings.value(pupil);
    return {own.examDate, own.examSetOn};
}

Status SettingsFileExamDates::setDate(int pupil, const QDate& date, const QDate& today)
{
    return m_file().update(pupil,
                           [&](PupilSettings& settings) { setExamDate(settings, date, today); });
}
