#include "review/studymap.h"

#include "core/catalogue.h"
#include "review/examplan.h"
#include "review/reviewtexts.h"
#include "review/studycache.h"

#include <algorithm>

StudyMap::StudyMap(const PupilStudy& study, const std::vector<MapIdiom>& idioms, const QDate& today,
                   const QDate& examDate)
    : m_skill(study.skill()), m_today(today)
{
    const Fsrs fsrs;
    // The exam brings reviews forward in the choosing drill only.
    const bool examAhead = m_skill == StudySkill::Choose && examDate > today;
    if (examAhead) {
        m_examDate = examDate;
        m_examExpected = forecastExamDay(study, examDate).total;
    }
    const auto dueOf = [&](const IdiomMemory& memory) {
        return examAhead ? examDue(fsrs, memory, examDate, today) : memory.due;
    };
    for (const MapIdiom& idiom : idioms) {
        if (idiom.range < 1)
            continue;
        auto row = std::find_if(m_rows.begin(), m_rows.end(),
                                [&](const MapRow& r) { return r.range == idiom.range; });
        if (row == m_rows.end()) {
            row = m_rows.insert(
                std::upper_bound(m_rows.begin(), m_rows.end(), idiom.range,
                                 [](int range, const MapRow& r) { return range < r.range; }),
                MapRow{idiom.range, {}, 0});
        }
        MapCell cell;
        cell.idiom = idiom;
        const IdiomMemory* memory = study.find(idiom.idiom);
        if (memory && memory->answers > 0) {
            cell.weak = memory->weak();
            cell.answers = memory->answers;
            cell.due = dueOf(*memory);
            cell.recent = memory->recent;
            cell.lastMissed = memory->lastMissed;
            cell.recall = fsrs.recall(memory->memory, memory->lastAnswer.daysTo(today));
            cell.state = cell.due <= today ? CellState::Due : CellState::Learned;
        }
        if (cell.state == CellState::Learned) {
            ++row->learned;
            ++m_learned;
        }
        ++m_idiomCount;
        row->cells.push_back(std::move(cell));
    }

    for (const IdiomMemory* memory : study.idioms()) {
        const qint64 day = std::max<qint64>(0, today.daysTo(dueOf(*memory)));
        if (day < kForecastDays)
            ++m_forecast[static_cast<size_t>(day)];
    }

    // Weeks run from Sunday, as on a school calendar.
    m_calendarStart = today.addDays(-(today.dayOfWeek() % 7) - 7 * (kCalendarWeeks - 1));
    for (const QDate& day : study.studyDays()) {
        if (day >= m_calendarStart && day <= today)
            m_studied.push_back(day);
    }
    m_streak = study.streak(today);
}

bool StudyMap::studiedOn(const QDate& day) const
{
    return std::binary_search(m_studied.begin(), m_studied.end(), day);
}

std::vector<const MapCell*> StudyMap::weakCells() const
{
    std::vector<const MapCell*> weak;
    for (const MapRow& row : m_rows) {
        for (const MapCell& cell : row.cells) {
            if (cell.weak)
                weak.push_back(&cell);
        }
    }
    return weak;
}

std::vector<MissedKanji> StudyMap::missedKanji() const
{
    std::vector<MissedKanji> missed;
    for (const MapRow& row : m_rows) {
        for (const MapCell& cell : row.cells) {
            const QString& idiom = cell.idiom.idiom;
            for (qsizetype i = 0; i < idiom.size(); ++i) {
                const QString kanji = idiom.mid(i, 1);
                const bool listed =
                    std::any_of(missed.begin(), missed.end(),
                                [&](const MissedKanji& m) { return m.kanji == kanji; });
                if ((cell.lastMissed >> i & 1) && !listed)
                    missed.push_back({kanji, idiom, cell.idiom.reading});
            }
        }
    }
    return missed;
}

QString StudyMap::examForecastLine() const
{
    return m_examDate.isValid() ? examForecastText(m_examExpected, m_idiomCount) : QString();
}

QString StudyMap::headingText() const
{
    return (m_skill == StudySkill::Write ? QStringLiteral("書ける熟語 %1/%2")
                                         : QStringLiteral("覚えた熟語 %1/%2"))
        .arg(m_learned)
        .arg(m_idiomCount);
}

QString StudyMap::rowCountText(const MapRow& row) const
{
    return (m_skill == StudySkill::Write ? QStringLiteral("書ける %1/%2")
                                         : QStringLiteral("覚えた %1/%2"))
        .arg(row.learned)
        .arg(row.cells.size());
}

QString StudyMap::cellName(const MapCell& cell)
{
    QString state;
    switch (cell.state) {
    case CellState::Unanswered:
        state = QStringLiteral("まだ");
        break;
    case CellState::Due:
        state = QStringLiteral("復習の日");
        break;
    case CellState::Learned:
        state = QStringLiteral("覚えた");
        break;
    }
    if (cell.weak)
        state += QStringLiteral("・苦手");
    return cell.idiom.idiom + u' ' + state;
}

QStringList StudyMap::cellDetails(const MapCell& cell)
{
    QStringList lines{cell.idiom.idiom + QStringLiteral("（") + cell.idiom.reading +
                          QStringLiteral("）"),
                      cell.idiom.meaning};
    if (cell.state == CellState::Unanswered) {
        lines << QStringLiteral("まだ答えていません");
        return lines;
    }
    QStringList answers;
    for (const StudyAnswer& answer : cell.recent)
        answers << ReviewTexts::dateText(answer.date) +
                       (answer.right ? QStringLiteral(" ○") : QStringLiteral(" ×"));
    lines << QStringLiteral("答えた回数 %1回").arg(cell.answers) +
                 (cell.weak ? QStringLiteral("（苦手）") : QString());
    lines << QStringLiteral("最近の答え：") + answers.join(QStringLiteral("　"));
    lines << (cell.state == CellState::Due
                  ? QStringLiteral("復習の日です（%1から）").arg(ReviewTexts::dateText(cell.due))
                  : QStringLiteral("次の復習：") + ReviewTexts::dateText(cell.due));
    return lines;
}

QString StudyMap::forecastDayText(const QDate& today, int offset)
{
    if (offset == 0)
        return QStringLiteral("今日");
    return today.addDays(offset).toString(QStringLiteral("M/d"));
}

Status loadStudyMap(const QString& logPath, int pupil, const std::vector<MapIdiom>& idioms,
                    const QDate& today, StudyMap& map, StudyCache* studies, StudySkill skill,
                    const QDate& examDate)
{
    Status status;
    StudyCache ownStudies;
    const std::shared_ptr<const PupilStudy> study =
        (studies ? *studies : ownStudies).study(logPath, pupil, &status, skill);
    if (status.ok())
        map = StudyMap(*study, idioms, today, examDate);
    return status;
}
