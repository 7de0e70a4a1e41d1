// The study log: read front to back, every record through the codec and back, one pupil's
// study replayed from it, and one more append, which must land as the last record however
// the file ended, or be refused when the file is not a study log of this version.
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

void checkStudy(const QString& path, int pupil, bool readable)
{
    PupilStudy study(pupil);
    FUZZ_CHECK(study.load(path).ok() == readable);
    checkStudyHoldsTogether(study);
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
    while (const StudyLogEntry* entry = reader.next()) {
        FUZZ_CHECK(entry->recordNo == ++records);
        const StudyEvent& event = entry->event;
        if (records == 1)
            firstPupil = event.pupilNo;
        if (StudyLogRecord::invalidReason(event).isEmpty())
            FUZZ_CHECK(sameEvent(StudyLogRecord::decode(StudyLogRecord::encode(event).constData()),
                                 event));
    }
    const qint64 whole = static_cast<qint64>(size) / StudyLogRecord::kLength;
    if (readable && whole > 0) {
        FUZZ_CHECK(records == whole - 1);
        FUZZ_CHECK(reader.tornTailBytes() == static_cast<qint64>(size) % StudyLogRecord::kLength);
    }
    checkStudy(path, firstPupil, readable);

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
