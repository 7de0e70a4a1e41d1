#include "review/pupilstudy.h"

#include "platform/daynumber.h"
#include "review/studylog.h"
#include "review/studylogrecord.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kFirstSlots = 512;
// Beyond any real gap between two answers; keeps a damaged date from overflowing. An answer
// dated before the previous one (a clock set back) counts as the same day.
constexpr qint64 kMaxElapsedDays = 1000000;

size_t slotOf(quint64 key, size_t mask)
{
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & mask;
}

// Byte 21 counts wrong readings in the tile drills; only in writing is it a mask of kanji.
quint8 missedKanji(StudySkill skill, int byte21)
{
    return skill == StudySkill::Write
               ? static_cast<quint8>(byte21 & StudyLogRecord::kAllKanjiMissed)
               : 0;
}

} // namespace

PupilStudy::PupilStudy(int pupilNo, StudySkill skill) : m_pupilNo(pupilNo), m_skill(skill)
{
    clear();
}

void PupilStudy::clear()
{
    m_idioms.clear();
    m_tracks.clear();
    m_dueDays.clear();
    m_keys.assign(kFirstSlots, 0);
    m_slots.assign(kFirstSlots, -1);
    m_studyDays.clear();
    m_clearUntil.clear();
    m_lastEventDay = kNothingDue;
    m_readPath.clear();
    m_recordsRead = 0;
    m_lastRecordRead.clear();
    m_recordsSinceCheckpoint = 0;
}

int PupilStudy::indexOf(quint64 key) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t at = slotOf(key, mask);; at = (at + 1) & mask) {
        if (m_slots[at] < 0 || m_keys[at] == key)
            return m_slots[at];
    }
}

int PupilStudy::insert(quint64 key)
{
    // Kept at most half full, so that a probe ends soon at an empty slot.
    if ((m_idioms.size() + 1) * 2 > m_slots.size()) {
        const std::vector<quint64> oldKeys = std::move(m_keys);
        const std::vector<int> oldSlots = std::move(m_slots);
        m_keys.assign(oldKeys.size() * 2, 0);
        m_slots.assign(oldSlots.size() * 2, -1);
        for (size_t i = 0; i < oldSlots.size(); ++i) {
            if (oldSlots[i] < 0)
                continue;
            size_t at = slotOf(oldKeys[i], m_slots.size() - 1);
            while (m_slots[at] >= 0)
                at = (at + 1) & (m_slots.size() - 1);
            m_keys[at] = oldKeys[i];
            m_slots[at] = oldSlots[i];
        }
    }
    const size_t mask = m_slots.size() - 1;
    size_t at = slotOf(key, mask);
    while (m_slots[at] >= 0)
        at = (at + 1) & mask;
    m_keys[at] = key;
    m_slots[at] = static_cast<int>(m_idioms.size());
    m_idioms.emplace_back();
    m_tracks.emplace_back();
    m_dueDays.push_back(kNothingDue);
    return m_slots[at];
}

qint64 PupilStudy::earliestDue() const
{
    return m_dueDays.empty() ? kNothingDue : *std::min_element(m_dueDays.begin(), m_dueDays.end());
}

void PupilStudy::noteStudyDay(qint64 day)
{
    if (day == m_lastEventDay)
        return;
    const QDate date = QDate::fromJulianDay(day);
    if (m_lastEventDay != kNothingDue) {
        const auto last = std::lower_bound(m_studyDays.begin(), m_studyDays.end(),
                                           QDate::fromJulianDay(m_lastEventDay));
        m_clearUntil[static_cast<size_t>(last - m_studyDays.begin())] = earliestDue();
    }
    m_lastEventDay = day;
    const auto at = std::lower_bound(m_studyDays.begin(), m_studyDays.end(), date);
    if (at != m_studyDays.end() && *at == date)
        return;
    m_clearUntil.insert(m_clearUntil.begin() + (at - m_studyDays.begin()), kNothingDue);
    m_studyDays.insert(at, date);
}

int PupilStudy::apply(const Answer& answer, const char* record, const QString* idiom)
{
    noteStudyDay(answer.day);
    int index = indexOf(answer.key);
    // A strike in a practice walk says "known" only of an idiom never asked before.
    if (answer.struck && index >= 0)
        return -1;
    if (index < 0) {
        index = insert(answer.key);
        m_idioms.back().idiom = idiom ? *idiom : StudyLogRecord::decode(record).idiom;
    }
    Track& t = m_tracks[static_cast<size_t>(index)];
    const Grade grade = answer.right || answer.struck ? Grade::Good : Grade::Again;
    if (t.answers == 0)
        t.memory = m_fsrs.first(grade);
    else
        t.memory = m_fsrs.next(
            t.memory,
            static_cast<int>(std::clamp<qint64>(answer.day - t.lastDay, 0, kMaxElapsedDays)),
            grade);
    ++t.answers;
    if (grade == Grade::Again)
        ++t.lapses;
    t.range = answer.range;
    if (t.answers == 1 || t.lastDay < answer.day)
        t.lastDay = answer.day;
    m_dueDays[static_cast<size_t>(index)] = t.lastDay + m_fsrs.intervalDays(t.memory);
    t.recentDays[static_cast<size_t>(t.recentNext)] = answer.day;
    t.recentRight[static_cast<size_t>(t.recentNext)] = grade == Grade::Good;
    t.recentNext = (t.recentNext + 1) % IdiomMemory::kRecentAnswers;
    t.lastMissed = answer.missed;
    t.recentCount = std::min(t.recentCount + 1, IdiomMemory::kRecentAnswers);
    return index;
}

void PupilStudy::publish(size_t index)
{
    const Track& t = m_tracks[index];
    IdiomMemory& m = m_idioms[index];
    m.range = t.range;
    m.answers = t.answers;
    m.lapses = t.lapses;
    m.memory = t.memory;
    m.lastAnswer = QDate::fromJulianDay(t.lastDay);
    m.due = QDate::fromJulianDay(m_dueDays[index]);
    m.lastMissed = t.lastMissed;
    m.recent.clear();
    constexpr int kRing = IdiomMemory::kRecentAnswers;
    for (int i = t.recentCount; i > 0; --i) {
        const auto at = static_cast<size_t>((t.recentNext - i + kRing) % kRing);
        m.recent.push_back({QDate::fromJulianDay(t.recentDays[at]), t.recentRight[at]});
    }
}

void PupilStudy::add(const StudyEvent& event)
{
    if (event.pupilNo != m_pupilNo || skillOf(event.drill) != m_skill ||
        !StudyLogRecord::invalidReason(event).isEmpty())
        return;
    m_readPath.clear(); // the log does not hold this answer yet, as far as this study knows
    const int index = apply({StudyLogRecord::idiomKey(event.idiom), event.date.toJulianDay(),
                             event.range, event.rightFirstTry(), event.struckAsKnown,
                             missedKanji(m_skill, event.wrongReadings)},
                            nullptr, &event.idiom);
    if (index >= 0)
        publish(static_cast<size_t>(index));
}

Status PupilStudy::load(const QString& path)
{
    clear();
    StudyLogReader reader;
    if (const Status opened = reader.open(path); !opened.ok())
        return opened;
    m_readPath = path;
    return replayRest(reader);
}

Status PupilStudy::refresh(const QString& path)
{
    if (m_readPath != path || m_recordsRead == 0)
        return load(path);
    StudyLogReader reader;
    qint64 count = 0;
    const char* records = reader.open(path).ok() && reader.skipEvents(m_recordsRead - 1)
                              ? reader.nextRawRecords(&count)
                              : nullptr;
    if (!records ||
        std::memcmp(records, m_lastRecordRead.constData(), StudyLogRecord::kLength) != 0)
        return load(path);
    // The first of them is the record read last, already in the state.
    replay(records + StudyLogRecord::kLength, count - 1);
    return replayRest(reader);
}

void PupilStudy::replay(const char* records, qint64 count)
{
    using namespace StudyLogRecord;
    const char* const end = records + count * kLength;
    for (const char* record = records; record != end; record += kLength) {
        // Most records belong to other pupils: the cheapest test goes first.
        if (pupilOf(record) != m_pupilNo)
            continue;
        if (const Fault fault = faultOf(record)) {
            // A bad checksum may be a record still being written when it was read: read it
            // again next time. A bad field stays bad.
            if (fault.field == Field::Checksum)
                m_readPath.clear();
            continue;
        }
        const auto* b = reinterpret_cast<const unsigned char*>(record);
        if (skillOf(static_cast<StudyDrill>(b[kDrillOffset])) != m_skill)
            continue;
        Answer answer;
        answer.key = idiomKeyOf(record);
        answer.day = DayNumber::kDayZeroJulianDay + getLittleEndian<qint32>(record + kDayOffset);
        answer.range = b[kRangeOffset];
        answer.right = rightFirstTryOf(record);
        answer.struck = b[kFlagsOffset] & kStruck;
        answer.missed = missedKanji(m_skill, b[kWrongReadingsOffset]);
        apply(answer, record, nullptr);
    }
    if (count > 0) {
        m_recordsRead += count;
        m_recordsSinceCheckpoint += count;
        m_lastRecordRead = QByteArray(end - kLength, kLength);
    }
}

Status PupilStudy::replayRest(StudyLogReader& reader)
{
    qint64 count = 0;
    while (const char* records = reader.nextRawRecords(&count))
        replay(records, count);
    for (size_t i = 0; i < m_idioms.size(); ++i)
        publish(i);
    const Status status = reader.status();
    if (!status.ok())
        m_readPath.clear();
    return status;
}

const IdiomMemory* PupilStudy::find(const QString& idiom) const
{
    if (idiom.size() != 4)
        return nullptr;
    const int index = indexOf(StudyLogRecord::idiomKey(idiom));
    return index < 0 ? nullptr : &m_idioms[static_cast<size_t>(index)];
}

std::vector<const IdiomMemory*> PupilStudy::idioms() const
{
    std::vector<const IdiomMemory*> all;
    all.reserve(m_idioms.size());
    for (const IdiomMemory& memory : m_idioms)
        all.push_back(&memory);
    return all;
}

std::vector<DueIdiom> PupilStudy::due(const QDate& today) const
{
    return due(today, [](const IdiomMemory& memory) { return memory.due; });
}

std::vector<DueIdiom> PupilStudy::due(const QDate& today,
                                      const std::function<QDate(const IdiomMemory&)>& dueDate) const
{
    std::vector<DueIdiom> due;
    for (const IdiomMemory& memory : m_idioms)
        if (dueDate(memory) <= today)
            due.push_back(
                {&memory, m_fsrs.recall(memory.memory,
                                        static_cast<double>(memory.lastAnswer.daysTo(today)))});
    std::stable_sort(due.begin(), due.end(),
                     [](const DueIdiom& a, const DueIdiom& b) { return a.recall < b.recall; });
    return due;
}

int PupilStudy::dueCount(const QDate& today) const
{
    return static_cast<int>(std::count_if(m_idioms.begin(), m_idioms.end(),
                                          [&](const IdiomMemory& m) { return m.due <= today; }));
}

std::optional<QDate> PupilStudy::nextDueAfter(const QDate& today) const
{
    std::optional<QDate> next;
    for (const IdiomMemory& memory : m_idioms)
        if (memory.due > today && (!next || memory.due < *next))
            next = memory.due;
    return next;
}

int PupilStudy::streak(const QDate& today) const
{
    auto at = std::upper_bound(m_studyDays.begin(), m_studyDays.end(), today);
    if (at == m_studyDays.begin())
        return 0;
    // Days after a study day before its earliest due day had nothing to review: they do not
    // break the row. The last day's earliest due day is the one of the present state.
    const auto unbroken = [&](std::vector<QDate>::const_iterator day, const QDate& next) {
        const qint64 until = day->toJulianDay() == m_lastEventDay
                                 ? earliestDue()
                                 : m_clearUntil[static_cast<size_t>(day - m_studyDays.begin())];
        return day->daysTo(next) <= 1 || until >= next.toJulianDay();
    };
    --at;
    // Today may still come; a gap before it breaks the row like any other.
    if (*at != today && !unbroken(at, today))
        return 0;
    int days = 1;
    for (; at != m_studyDays.begin() && unbroken(at - 1, *at); --at)
        ++days;
    return days;
}
