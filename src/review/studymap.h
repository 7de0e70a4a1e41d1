#pragma once

#include "review/missedkanji.h"
#include "review/pupilstudy.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class StudyCache;

// An idiom of the idiom file as the map shows it.
struct MapIdiom
{
    QString idiom;
    QString reading;
    QString meaning;
    int range = 0; // 1..10
};

enum class CellState { Unanswered, Due, Learned };

// One idiom of the map with the pupil's state of it.
struct MapCell
{
    MapIdiom idiom;
    CellState state = CellState::Unanswered;
    bool weak = false; // 苦手
    double recall = 0; // today's recall probability; 0 when never answered
    int answers = 0;
    QDate due;                       // invalid when never answered
    std::vector<StudyAnswer> recent; // newest last
    int lastMissed = 0;              // writing: the kanji missed in the last answer, bit i
};

struct MapRow
{
    int range = 0;
    std::vector<MapCell> cells; // in file order
    int learned = 0;            // answered at least once and not due
};

// What the map 覚えた熟語 shows of one pupil in one skill on one day: a row per range with its
// idioms in file order, the reviews due on each of the next days and the days studied in the last
// weeks. With an exam ahead, a choosing map has its idioms due as the review drill asks them and
// the number of idioms expected to be recalled on the exam day.
class StudyMap
{
public:
    static constexpr int kForecastDays = 14; // today first, overdue reviews included
    static constexpr int kCalendarWeeks = 8;

    StudyMap() = default;
    StudyMap(const PupilStudy& study, const std::vector<MapIdiom>& idioms, const QDate& today,
             const QDate& examDate = {});

    StudySkill skill() const { return m_skill; }
    const QDate& today() const { return m_today; }
    const std::vector<MapRow>& rows() const { return m_rows; }
    int learnedCount() const { return m_learned; }
    int idiomCount() const { return m_idiomCount; }
    const std::array<int, kForecastDays>& forecast() const { return m_forecast; }
    // The Sunday that starts the calendar; its last week holds today.
    const QDate& calendarStart() const { return m_calendarStart; }
    bool studiedOn(const QDate& day) const;
    int streak() const { return m_streak; }
    std::vector<const MapCell*> weakCells() const;
    // Of a writing map: the kanji missed in the last answer of each idiom, in map order, each
    // kanji once. Writing an idiom right takes its kanji off the list.
    std::vector<MissedKanji> missedKanji() const;

    // Invalid unless the exam is ahead.
    const QDate& examDate() const { return m_examDate; }
    // 「試験日に覚えている見込み：190/220」 of a choosing map with an exam ahead, else empty.
    QString examForecastLine() const;

    // 「覚えた熟語 120/220」, in writing 「書ける熟語 40/220」
    QString headingText() const;
    // 「覚えた 15/22」, in writing 「書ける 5/22」
    QString rowCountText(const MapRow& row) const;
    // The cell as assistive technology names it: the idiom and its state.
    static QString cellName(const MapCell& cell);
    // The idiom, its reading and meaning, the answers with their dates and the next due date.
    static QStringList cellDetails(const MapCell& cell);
    static QString forecastDayText(const QDate& today, int offset);

private:
    StudySkill m_skill = StudySkill::Choose;
    QDate m_today;
    std::vector<MapRow> m_rows;
    int m_learned = 0;
    int m_idiomCount = 0;
    std::array<int, kForecastDays> m_forecast{};
    QDate m_calendarStart;
    std::vector<QDate> m_studied; // within the calendar, oldest first
    int m_streak = 0;
    QDate m_examDate;
    double m_examExpected = 0;
};

// Reads the study log at logPath and makes the map of one pupil in one skill; through studies, when
// given, it reads only what was appended since the pupil's study was read last. A missing log is an
// empty map; a log that cannot be read leaves map as it was and gives the reader's message.
Status loadStudyMap(const QString& logPath, int pupil, const std::vector<MapIdiom>& idioms,
                    const QDate& today, StudyMap& map, StudyCache* studies = nullptr,
                    StudySkill skill = StudySkill::Choose, const QDate& examDate = {});
