#include "review/sharedpupilsettings.h"

#include <QMap>

SharedPupilSettings::SharedPupilSettings(std::function<PupilSettingsFile()> file)
    : m_file(std::move(file))
{
}

PupilSettings SharedPupilSettings::settingsOf(int pupil, Status* status) const
{
    QMap<int, PupilSettings> settings;
    const Status read = m_file().read(&settings);
    const bool told = !read.ok() && !m_faultsTold.contains(read.message);
    if (told)
        m_faultsTold.insert(read.message);
    *status = told ? read : Status::success();
    return settings.value(pupil);
}

ExamDates::Exam SharedPupilSettings::exam(int pupil, Status* status) const
{
    const PupilSettings own = settingsOf(pupil, status);
    return {own.examDate, own.examSetOn};
}

Status SharedPupilSettings::setDate(int pupil, const QDate& date, const QDate& today)
{
    return m_file().update(pupil,
                           [&](PupilSettings& settings) { setExamDate(settings, date, today); });
}

bool SharedPupilSettings::checkStrokeOrder(int pupil, Status* status) const
{
    return settingsOf(pupil, status).checkStrokeOrder;
}

Status SharedPupilSettings::setCheckStrokeOrder(int pupil, bool checkOrder)
{
    return m_file().update(
        pupil, [checkOrder](PupilSettings& settings) { settings.checkStrokeOrder = checkOrder; });
}
