#pragma once

#include "platform/status.h"
#include "review/fsrs.h"
#include "review/studyevent.h"

class StudyCheckpoint;
class StudyLogReader;

#include <QByteArray>
#include <QDate>
#include <QString>

#include <array>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

struct StudyAnswer
{
    QDate date;
    bool right = false;
};

// What the pupil's answers so far say about one idiom.
struct IdiomMemory
{
    QString idiom;
    int range = 0;
    int answers = 0; // graded answers (Good or Again)
    int lapses = 0;  // Again answers
    MemoryState memory;
    QDate lastAnswer;                // local day of the last graded answer
    QDate due;                       // lastAnswer + interval: due from the start of that day
    std::vector<StudyAnswer> recent; // the last answers, newest last, at most kRecentAnswers
    // Writing: the kanji missed at the first try in the last answer, bit i for character i.
    int lastMissed = 0;
    bool weak() const { return lapses >= 4; } // 苦手
    static constexpr int kRecentAnswers = 10;
};

struct DueIdiom
{
    const IdiomMemory* memory;
    double recall;
};

// One pupil's state of every idiom in one skill, replayed from the log in file order. The pointers
// it hands out stay valid until the next load().
class PupilStudy
{
public:
    explicit PupilStudy(int pupilNo, StudySkill skill = StudySkill::Choose);
    void add(const StudyEvent& event); // events of other pupils and of the other skill are ignored
    // Reads the log at path and replays this pupil's intact events; memory does not grow with
    // the file beyond the per-idiom state. A missing log is an empty study.
    Status load(const QString& path);
    // The same, reading only what was appended since this study last read the same log, when
    // the record it read last still stands where it stood: the log is only ever appended to.
    // Anything else (another log, a damaged record of this pupil read last time) loads anew.
    Status refresh(const QString& path);

    int pupilNo() const { return m_pupilNo; }
    StudySkill skill() const { return m_skill; }
    // The log this study has read up to its end, empty when it holds answers the log may not
    // (added by hand, or a damaged record of the pupil met): only such a study may be saved.
    const QString& readPath() const { return m_readPath; }
    // Records of the log read since this state was last built from nothing, saved or restored.
    qint64 recordsSinceCheckpoint() const { return m_recordsSinceCheckpoint; }
    void markCheckpointed() { m_recordsSinceCheckpoint = 0; }
    const IdiomMemory* find(const QString& idiom) const; // nullptr: never answered
    std::vector<const IdiomMemory*> idioms() const;      // every answered idiom
    std::vector<DueIdiom> due(const QDate& today) const; // due <= today, lowest recall first
    // The same, with each idiom's due date as dueDate gives it.
    std::vector<DueIdiom> due(const QDate& today,
                              const std::function<QDate(const IdiomMemory&)>& dueDate) const;
    int dueCount(const QDate& today) const;
    std::optional<QDate> nextDueAfter(const QDate& today) const; // earliest due date > today
    bool hasAnswers() const { return !m_idioms.empty(); }

    // Days on which the pupil answered anything, oldest first.
    const std::vector<QDate>& studyDays() const { return m_studyDays; }
    // Studied days in a row up to today; today not (yet) studied does not break it, and neither
    // does a past day on which nothing was due.
    int streak(const QDate& today) const;

private:
    friend class StudyCheckpoint;

    // The replay's working state of one idiom: numbers only, so that an answer costs no
    // allocation and no date object; published into its IdiomMemory when the replay is done.
    struct Track
    {
        MemoryState memory;
        qint64 lastDay = 0; // Julian day
        int answers = 0;
        int lapses = 0;
        int range = 0;
        std::array<qint64, IdiomMemory::kRecentAnswers> recentDays{}; // a ring
        std::array<bool, IdiomMemory::kRecentAnswers> recentRight{};
        int recentCount = 0;
        int recentNext = 0; // where the next answer goes
        quint8 lastMissed = 0;
    };
    // One answer, as much of it as the replay needs.
    struct Answer
    {
        quint64 key = 0;
        qint64 day = 0; // Julian day
        int range = 0;
        bool right = false;
        bool struck = false;
        quint8 missed = 0; // writing only
    };

    void clear();
    // Replays this pupil's intact records among count records from records.
    void replay(const char* records, qint64 count);
    // Replays the rest of the log and publishes the state.
    Status replayRest(StudyLogReader& reader);
    // The index of the idiom whose state changed, or -1.
    int apply(const Answer& answer, const char* record, const QString* idiom);
    void publish(size_t index);
    void noteStudyDay(qint64 day);
    // The earliest due day of any idiom now; kNothingDue when nothing is scheduled.
    qint64 earliestDue() const;
    int indexOf(quint64 key) const;
    int insert(quint64 key);

    static constexpr qint64 kNothingDue = std::numeric_limits<qint64>::max();

    int m_pupilNo;
    StudySkill m_skill;
    Fsrs m_fsrs;
    std::deque<IdiomMemory> m_idioms;
    std::vector<Track> m_tracks;   // by the same index
    std::vector<qint64> m_dueDays; // by the same index: Julian days, for quick minima
    // Open addressing from the idiom's stored bytes to its index (-1: empty slot), so that a
    // replay makes no string per answer.
    std::vector<quint64> m_keys;
    std::vector<int> m_slots;
    std::vector<QDate> m_studyDays;
    // For each study day, the earliest due day once its answers were in: the days after it up
    // to that day had nothing due.
    std::vector<qint64> m_clearUntil;
    qint64 m_lastEventDay = kNothingDue;

    // Where the next refresh() may go on: the log read, how many event records were read
    // and the last of them. An empty path: read the whole log again.
    QString m_readPath;
    qint64 m_recordsRead = 0;
    QByteArray m_lastRecordRead;
    qint64 m_recordsSinceCheckpoint = 0;
};
