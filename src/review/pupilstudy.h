#pragma once

#include "platform/status.h"
#include "review/fsrs.h"
#include "review/studyevent.h"

#include <QDate>
#include <QString>

#include <deque>
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
    bool weak() const { return lapses >= 4; } // 苦手
    static constexpr int kRecentAnswers = 10;
};

struct DueIdiom
{
    const IdiomMemory* memory;
    double recall;
};

// One pupil's state of every idiom, replayed from the log in file order. The pointers it hands
// out stay valid until the next load().
class PupilStudy
{
public:
    explicit PupilStudy(int pupilNo);
    void add(const StudyEvent& event); // events of other pupils are ignored
    // Reads the log at path and replays this pupil's intact events; memory does not grow with
    // the file beyond the per-idiom state. A missing log is an empty study.
    Status load(const QString& path);

    int pupilNo() const { return m_pupilNo; }
    const IdiomMemory* find(const QString& idiom) const; // nullptr: never answered
    std::vector<const IdiomMemory*> idioms() const;      // every answered idiom
    std::vector<DueIdiom> due(const QDate& today) const; // due <= today, lowest recall first
    int dueCount(const QDate& today) const;
    std::optional<QDate> nextDueAfter(const QDate& today) const; // earliest due date > today
    int dueOn(const QDate& day) const; // idioms whose due date is exactly day
    bool hasAnswers() const { return !m_idioms.empty(); }

    // Days on which the pupil answered anything, oldest first.
    const std::vector<QDate>& studyDays() const { return m_studyDays; }
    // Studied days in a row up to today; today not (yet) studied does not break it, and neither
    // does a past day on which nothing was due.
    int streak(const QDate& today) const;

private:
    // One answer, as much of it as the replay needs.
    struct Answer
    {
        quint64 key = 0;
        QDate date;
        int range = 0;
        bool right = false;
        bool struck = false;
    };

    void clear();
    void apply(const Answer& answer, const char* record, const QString* idiom);
    void noteStudyDay(const QDate& date);
    // The earliest due date of any idiom now; invalid when nothing is scheduled.
    QDate earliestDue() const;
    int indexOf(quint64 key) const;
    int insert(quint64 key);

    int m_pupilNo;
    Fsrs m_fsrs;
    std::deque<IdiomMemory> m_idioms;
    // Open addressing from the idiom's stored bytes to its index in m_idioms (-1: empty slot),
    // so that a replay makes no string per event.
    std::vector<quint64> m_keys;
    std::vector<int> m_slots;
    std::vector<QDate> m_studyDays;
    // For each study day, the earliest due date once its answers were in: the days after it
    // up to that date had nothing due.
    std::vector<QDate> m_clearUntil;
    QDate m_lastEventDay;
};
