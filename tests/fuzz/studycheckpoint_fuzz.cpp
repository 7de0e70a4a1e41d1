// The study checkpoint: any bytes, as they came and with their checksum made right, are either
// refused, leaving the study as it was, or give a study that holds together, goes on reading
// its log, and encodes back to the very same bytes.
#include "records/littleendian.h"
#include "review/crc32c.h"
#include "review/studycheckpoint.h"
#include "scratchfolder.h"
#include "studychecks.h"

namespace {

void checkDecoded(const QByteArray& bytes, int pupil)
{
    const QString logPath = QStringLiteral("/yoji-fuzz/学習記録.dat");
    PupilStudy study(pupil);
    if (!StudyCheckpoint::decode(bytes, logPath, study)) {
        FUZZ_CHECK(!study.hasAnswers() && study.studyDays().empty());
        return;
    }
    FUZZ_CHECK(StudyCheckpoint::encode(study) == bytes);
    checkStudyHoldsTogether(study);
    // No such log: the study starts again from nothing.
    FUZZ_CHECK(study.refresh(logPath).ok() && !study.hasAnswers());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The pupil the bytes name, so that a checkpoint gets past the pupil's check.
    const int pupil = size >= 16 ? getLittleEndian<qint32>(input.constData() + 12) : 1;
    checkDecoded(input, pupil);
    if (size < 4)
        return 0;
    QByteArray sealed = input.left(input.size() - 4);
    char checksum[4];
    putLittleEndian<quint32>(checksum,
                             Crc32c::checksum(sealed.constData(), static_cast<int>(sealed.size())));
    sealed.append(checksum, 4);
    checkDecoded(sealed, pupil);
    return 0;
}
