#include "review/pupilstudy.h"

#include "review/studylog.h"
#include "review/studylogrecord.h"

#include <algorithm>

namespace {

constexpr int kFirstSlots = 512;
const qint64 kDayZeroJulian = QDate(1899, 12, 30).toJulianDay();

size_t slotOf(quint64 key, size_t mask)
{
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 40) & mask;
}

bool dueBefore(const QDate& a, const QDate& b)
{
    // An invalid date is "nothing scheduled": later than every day.
    return a.isValid() && (!b.isValid() || a < b);
}

} // namespace

PupilStudy::PupilStudy(int pupilNo) : m_pupilNo(pupilNo)
{
    clear();
}

void PupilStudy::clear()
{
    m_idioms.clear();
    m_keys.assign(kFirstSlots, 0);
    m_slots.assign(kFirstSlots, -1);
    m_studyDays.clear();
    m_clearUntil.clear();
    m_lastEventDay = {};
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
    m_idioms.back().recent.reserve(IdiomMemory::kRecentAnswers);
    return m_slots[at];
}

QDate PupilStudy::earliestDue() const
{
    QDate earliest;
    for (const IdiomMemory& memory : m_idioms)
        if (dueBefore(memory.due, earliest))
            earliest = memory.due;
    return earliest;
}

void PupilStudy::noteStudyDay(const QDate& date)
{
    if (date == m_lastEventDay)
        return;
    if (m_lastEventDay.isValid()) {
        const auto last = std::lower_bound(m_studyDays.begin(), m_studyDays.end(), m_lastEventDay);
        m_clearUntil[static_cast<size_t>(last - m_studyDays.begin())] = earliestDue();
    }
    m_lastEventDay = date;
    const auto at = std::lower_bound(m_studyDays.begin(), m_studyDays.end(), date);
    if (at != m_studyDays.end() && *at == date)
        return;
    m_clearUntil.insert(m_clearUntil.begin() + (at - m_studyDays.begin()), QDate());
    m_studyDays.insert(at, date);
}

void PupilStudy::apply(const Answer& answer, const char* record, const QString* idiom)
{
    if (!answer.date.isValid())
        return;
    noteStudyDay(answer.date);
    int index = indexOf(answer.key);
    // A strike in a practice walk says "known" only of an idiom never asked before.
    if (answer.struck && index >= 0)
        return;
    if (index < 0) {
        index = insert(answer.key);
        m_idioms[static_cast<size_t>(index)].idiom =
            idiom ? *idiom : StudyLogRecord::decode(record).idiom;
    }
    IdiomMemory& m = m_idioms[static_cast<size_t>(index)];
    const Grade grade = answer.right || answer.struck ? Grade::Good : Grade::Again;
    if (m.answers == 0)
        m.memory = m_fsrs.first(grade);
    else
        m.memory = m_fsrs.next(m.memory, static_cast<int>(m.lastAnswer.daysTo(answer.date)), grade);
    ++m.answers;
    if (grade == Grade::Again)
        ++m.lapses;
    m.range = answer.range;
    if (!m.lastAnswer.isValid() || m.lastAnswer < answer.date)
        m.lastAnswer = answer.date;
    m.due = m.lastAnswer.addDays(m_fsrs.intervalDays(m.memory));
    if (m.recent.size() == IdiomMemory::kRecentAnswers)
        m.recent.erase(m.recent.begin());
    m.recent.push_back({answer.date, grade == Grade::Good});
}

void PupilStudy::add(const StudyEvent& event)
{
    if (event.pupilNo != m_pupilNo || !StudyLogRecord::invalidReason(event).isEmpty())
        return;
    apply({StudyLogRecord::idiomKey(event.idiom), event.date, event.range, event.rightFirstTry(),
           event.struckAsKnown},
          nullptr, &event.idiom);
}

Status PupilStudy::load(const QString& path)
{
    clear();
    StudyLogReader reader;
    if (const Status opened = reader.open(path); !opened.ok())
        return opened;
    while (const char* record = reader.nextRaw()) {
        // Most records belong to other pupils: the cheapest test goes first.
        if (StudyLogRecord::pupilOf(record) != m_pupilNo || !StudyLogRecord::checksumOk(record))
            continue;
        using namespace StudyLogRecord;
        const auto* b = reinterpret_cast<const unsigned char*>(record);
        const quint8 flags = b[kFlagsOffset];
        Answer answer;
        answer.key = idiomKeyOf(record);
        answer.date = QDate::fromJulianDay(kDayZeroJulian + getLittleEndian<qint32>(record));
        answer.range = b[kRangeOffset];
        answer.right = b[kWrongReadingsOffset] == 0 && (flags & (kWrongIdiom | kGivenAway)) == 0;
        answer.struck = flags & kStruck;
        apply(answer, record, nullptr);
    }
    return reader.status();
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
    std::vector<DueIdiom> due;
    for (const IdiomMemory& memory : m_idioms)
        if (memory.due <= today)
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

int PupilStudy::dueOn(const QDate& day) const
{
    return static_cast<int>(std::count_if(m_idioms.begin(), m_idioms.end(),
                                          [&](const IdiomMemory& m) { return m.due == day; }));
}

int PupilStudy::streak(const QDate& today) const
{
    auto at = std::upper_bound(m_studyDays.begin(), m_studyDays.end(), today);
    if (at == m_studyDays.begin())
        return 0;
    // Days after a study day up to its earliest due date had nothing to review: they do not
    // break the row. The last day's earliest due date is the one of the present state.
    const auto clearUntil = [&](std::vector<QDate>::const_iterator day) {
        return *day == m_lastEventDay
                   ? earliestDue()
                   : m_clearUntil[static_cast<size_t>(day - m_studyDays.begin())];
    };
    const auto unbroken = [&](std::vector<QDate>::const_iterator day, const QDate& next) {
        const QDate until = clearUntil(day);
        return day->daysTo(next) <= 1 || !until.isValid() || until >= next;
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
