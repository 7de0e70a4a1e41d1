#pragma once

#include "platform/status.h"
#include "review/pupilsettings.h"

#include <QDate>
#include <QSet>
#include <QString>

#include <functional>

// The pupils' exam dates as the hub, the review drill and the map read and change them. The
// program keeps them in the shared folder's pupil settings; tests bring their own.
class ExamDates
{
public:
    struct Exam
    {
        QDate date;  // invalid: none set
        QDate setOn; // the day it was set, on which the exam plan fixes its review-only days
    };

    virtual ~ExamDates() = default;
    // What cannot be read counts as no date; *status says why. A damaged line costs only its
    // own pupil's date.
    virtual Exam exam(int pupil, Status* status) const = 0;
    // An invalid date clears the pupil's date.
    virtual Status setDate(int pupil, const QDate& date, const QDate& today) = 0;
};

// The pupil settings file as the screens share it: the exam dates and 「書き順も見る」. The file is
// made at each use, since the shared folder is known only once a pupil has started.
//
// A damaged file stays damaged until the next change sets it aside, and the hub reads it at every
// return: each fault is reported once a run, so a pupil is not stopped by the same message again
// and again.
class SharedPupilSettings : public ExamDates
{
public:
    explicit SharedPupilSettings(std::function<PupilSettingsFile()> file);

    Exam exam(int pupil, Status* status) const override;
    Status setDate(int pupil, const QDate& date, const QDate& today) override;
    bool checkStrokeOrder(int pupil, Status* status) const;
    Status setCheckStrokeOrder(int pupil, bool checkOrder);

private:
    PupilSettings settingsOf(int pupil, Status* status) const;

    std::function<PupilSettingsFile()> m_file;
    mutable QSet<QString> m_faultsTold;
};
