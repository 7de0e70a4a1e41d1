// The study log: read front to back, every record through the codec and back, one pupil's
// study replayed from it (the same as from its valid records alone), and one more append, which
// must land as the last record however the file ended, or be refused when the file is not a study
// log of this version.
#include "fakes.h"
#include "review/pupilstudy.h"
#include "review/studylog.h"
#include "review/studylogrecord.h"
#include "scratchfolder.h"
#include "studychecks.h"

namespace {

bool sameEvent(const StudyEvent& a, const StudyEvent& b)
{
    return a.date == b.date && a.secondOfDay == b.secondOfDay && a.pupilNo == b.pupilNo &&
           a.idiom == b.idiom && a.range == b.range && a.drill == b.drill && a.itemNo == b.itemNo &&
           a.wrongReadings == b.wrongReadings && a.wrongIdiom == b.wrongIdiom &&
           a.readingGivenAway == b.readingGivenAway && a.struckAsKnown == b.struckAsKnown &&
           a.seconds == b.seconds;
}

// Each skill's study read from the log, which must be the one read from its valid records alone.
void checkStudy(const QString& path, int pupil, bool readable, const QByteArray& validOnly)
{
    const QString validPath = path + QStringLiteral(".valid");
    if (readable)
        ScratchFolder::write(validPath, reinterpret_cast<const uint8_t*>(validOnly.constData()),
                             static_cast<size_t>(validOnly.size()));
    for (const StudySkill skill : {StudySkill::Choose, StudySkill::Write}) {
        PupilStudy study(pupil, skill);
        FUZZ_CHECK(study.load(path).ok() == readable);
        checkStudyHoldsTogether(study);
        if (!readable)
            continue;
        PupilStudy fromValid(pupil, skill);
        FUZZ_CHECK(fromValid.load(validPath).ok());
        FUZZ_CHECK(sameStudy(study, fromValid));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path =
        ScratchFolder::instance().filesFolder() + QString::fromUtf8(kStudyLogFileName);
    ScratchFolder::write(path, data, size);

    StudyLogReader reader;
    const bool readable = reader.open(path).ok();
    qint64 records = 0;
    int firstPupil = 1;
    const auto* bytes = reinterpret_cast<const char*>(data);
    QByteArray validOnly(bytes, std::min<qsizetype>(qsizetype(size), StudyLogRecord::kLength));
    while (const StudyLogEntry* entry = reader.next()) {
        FUZZ_CHECK(entry->recordNo == ++records);
        const StudyEvent& event = entry->event;
        if (records == 1)
            firstPupil = event.pupilNo;
        if (!entry->fault)
            validOnly.append(bytes + records * StudyLogRecord::kLength, StudyLogRecord::kLength);
        if (StudyLogRecord::invalidReason(event).isEmpty()) {
            // What the writer takes, the readers keep.
            const QByteArray record = StudyLogRecord::encode(event);
            FUZZ_CHECK(!StudyLogRecord::faultOf(record.constData()));
            FUZZ_CHECK(sameEvent(StudyLogRecord::decode(record.constData()), event));
        }
    }
    const qint64 whole = static_cast<qint64>(size) / StudyLogRecord::kLength;
    if (readable && whole > 0) {
        FUZZ_CHECK(records == whole - 1);
        FUZZ_CHECK(reader.tornTailBytes() == static_cast<qint64>(size) % StudyLogRecord::kLength);
    }
    checkStudy(path, firstPupil, readable, validOnly);

    StudyEvent added;
    added.date = QDate(2026, 12, 8);
    added.secondOfDay = 43200;
    added.pupilNo = 7;
    added.idiom = QStringLiteral("臥薪嘗胆");
    added.range = 6;
    added.seconds = 12;
    PosixFileCalls calls;
    InstantSleeper sleeper;
    StudyLogWriter writer(calls, sleeper);
    FUZZ_CHECK(writer.append(path, added).ok() == readable);
    if (!readable)
        return 0;
    StudyLogReader after;
    FUZZ_CHECK(after.open(path).ok());
    const StudyLogEntry* last = nullptr;
    while (const StudyLogEntry* entry = after.next())
        last = entry;
    FUZZ_CHECK(last && last->checksumOk && sameEvent(last->event, added));
    FUZZ_CHECK(after.tornTailBytes() == 0);
    return 0;
}
