// The pupils' settings file: whatever its bytes, every pupil read holds values the program could
// have stored. A change to one pupil then lands and keeps every other pupil as read, with a
// damaged file kept aside first, unless the reader refused the file, which then stays untouched.
#include "core/itemtables.h"
#include "fakes.h"
#include "platform/filecalls.h"
#include "review/pupilsettings.h"
#include "scratchfolder.h"

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void checkValues(const QMap<int, PupilSettings>& pupils)
{
    for (auto pupil = pupils.cbegin(); pupil != pupils.cend(); ++pupil) {
        FUZZ_CHECK(isValidPupilNo(pupil.key()));
        FUZZ_CHECK(!pupil->examDate.isValid() ||
                   (pupil->examDate.year() >= 1 && pupil->examDate.year() <= 9999));
        for (const QByteArray& field : pupil->laterFields)
            FUZZ_CHECK(field.indexOf('=') > 0 && !field.contains('\t') && !field.contains('\n'));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path =
        ScratchFolder::instance().filesFolder() + QString::fromUtf8(kPupilSettingsFileName);
    ScratchFolder::write(path, data, size);
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    PosixFileCalls calls;
    InstantSleeper sleeper;
    PupilSettingsFile file(path, calls, sleeper);
    QFile::remove(file.backupPath());

    QMap<int, PupilSettings> before;
    const Status read = file.read(&before);
    checkValues(before);
    const bool damaged = read.code == PupilSettingsFile::kDamagedLines;
    const auto toggle = [](PupilSettings& settings) {
        settings.checkStrokeOrder = !settings.checkStrokeOrder;
    };
    FUZZ_CHECK(file.update(1, toggle).ok() == (read.ok() || damaged));
    if (!read.ok() && !damaged) {
        FUZZ_CHECK(before.isEmpty() && bytesOf(path) == input);
        return 0;
    }
    FUZZ_CHECK(QFile::exists(file.backupPath()) == damaged);
    FUZZ_CHECK(!damaged || bytesOf(file.backupPath()) == input);

    QMap<int, PupilSettings> after;
    FUZZ_CHECK(file.read(&after).ok());
    toggle(before[1]);
    for (int pupil : before.keys() + after.keys())
        FUZZ_CHECK(before.value(pupil) == after.value(pupil));
    return 0;
}
