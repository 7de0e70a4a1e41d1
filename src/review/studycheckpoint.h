#pragma once

#include "review/studyevent.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class PupilStudy;

// A pupil's replayed study as bytes, so that a new process goes on from where an earlier one
// stopped reading the study log instead of replaying the pupil's whole history. The layout is
// in the README; the bytes carry the log's path and a CRC-32C of everything before it.
class StudyCheckpoint
{
public:
    static QByteArray encode(const PupilStudy& study);
    // Puts the saved state into study; false, with study untouched, unless the bytes are a
    // whole, sound checkpoint of this version for study's pupil and the log at logPath.
    static bool decode(const QByteArray& bytes, const QString& logPath, PupilStudy& study);

    // Raised whenever the replay or the scheduler changes what a state holds or means: older
    // checkpoints are then passed over and replaced.
    static constexpr quint32 kVersion = 3;
};

// The checkpoints of one machine, one file per log, pupil and skill, in a cache folder of its own:
// losing or damaging one costs one replay of the log and nothing else. Each is replaced whole.
class StudyCheckpoints
{
public:
    explicit StudyCheckpoints(QString folder, qint64 saveEvery = kSaveEvery);
    // $XDG_CACHE_HOME/yojidrill/study, shared by the program and its tools.
    static QString standardFolder();

    QString fileFor(const QString& logPath, int pupilNo, StudySkill skill) const;
    // False when there is no sound checkpoint of the pupil for this log.
    bool restore(const QString& logPath, PupilStudy& study) const;
    // Saves the study once it has read saveEvery records of the log since its state was last
    // built, saved or restored, and only a study that the log holds whole. A failed save is
    // passed over: the next process replays a little more.
    void saveWhenBehind(const QString& logPath, PupilStudy& study) const;

    // Some 130 KiB of log: a new process never replays more than that on top of a checkpoint,
    // and the program does not write one after every drill.
    static constexpr qint64 kSaveEvery = 4096;

private:
    QString m_folder;
    qint64 m_saveEvery;
};
