#pragma once

#include "platform/status.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>

class FileCalls;
class Sleeper;

// What one pupil has chosen. A pupil the file does not list has these defaults.
struct PupilSettings
{
    bool checkStrokeOrder = false; // 書き順も見る
    QDate examDate;                // invalid: none set
    // The day examDate was set, on which the exam plan fixes its review-only tail; invalid
    // without a date, or for a date set by a version that did not store it.
    QDate examSetOn;
    // Fields of a later version of the program, "key=value" as read, written back unchanged so
    // that an older machine of the same school never drops what a newer one stored.
    QList<QByteArray> laterFields;

    bool isDefault() const { return *this == PupilSettings(); }
    bool operator==(const PupilSettings&) const = default;
};

// Sets or, with an invalid date, clears the exam date; false when it was so already. A date set
// again keeps the day it was first set, on which its plan was fixed.
bool setExamDate(PupilSettings& settings, const QDate& date, const QDate& today);

// In SharedState::commonFolder, beside the study log, so that every machine of a school uses the
// same settings for a pupil.
inline constexpr char kPupilSettingsFileName[] = "生徒設定.txt";

// The pupils' settings file (layout in the README). It is only ever replaced whole, so readers
// take no lock and see the old or the new file; writers on any machine take turns under a
// whole-file lock on a lock file beside it (the settings file itself changes its identity with
// each replacement, so a lock on it would not exclude the next writer).
class PupilSettingsFile
{
public:
    PupilSettingsFile(QString path, FileCalls& calls, Sleeper& sleeper);

    // Every pupil the file lists, by pupil number. A missing file holds no settings. Damaged
    // lines lose only their pupils' settings: *out holds the others and the Status, with code
    // kDamagedLines, carries one message for all of them. Any other failure (a file of another
    // format or version, one that cannot be read) leaves *out empty.
    Status read(QMap<int, PupilSettings>* out) const;

    // Changes one pupil's settings: reads the file afresh under the lock, applies change, keeps
    // the old bytes as the backup when any line was damaged, and replaces the file. A file that
    // read() refuses is never overwritten. A pupil number outside 1 to 5000, or settings that
    // would not read back as they are, are refused.
    Status update(int pupilNo, const std::function<void(PupilSettings&)>& change);

    QString backupPath() const { return m_path + QStringLiteral(".bak"); }

    static constexpr int kDamagedLines = 2;

private:
    QString lockPath() const { return m_path + QStringLiteral(".lock"); }
    // The file's bytes and its sound lines; *damaged counts the others.
    Status load(QByteArray* bytes, QMap<int, PupilSettings>* pupils, int* damaged) const;
    Status updateLocked(int pupilNo, const std::function<void(PupilSettings&)>& change);

    QString m_path;
    FileCalls& m_calls;
    Sleeper& m_sleeper;
};
