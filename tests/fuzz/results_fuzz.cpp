// The result file: loaded with its statistics, every record through the codec and back, and
// one more append, which must land as the newest record however the file ended.
#include "fakes.h"
#include "records/recordcodec.h"
#include "records/records.h"
#include "records/resultfiles.h"
#include "scratchfolder.h"
#include "testitems.h"

#include <bit>
#include <cstring>
#include <memory>

namespace {

bool sameNumbers(const ResultRecord& a, const ResultRecord& b)
{
    // Dates and times compare by their bits: a damaged record may hold a NaN.
    return std::bit_cast<quint64>(a.date) == std::bit_cast<quint64>(b.date) &&
           std::bit_cast<quint64>(a.time) == std::bit_cast<quint64>(b.time) &&
           a.pupilNo == b.pupilNo && a.itemNo == b.itemNo && a.result == b.result &&
           a.schoolCode == b.schoolCode;
}

void checkCodecRoundTrips(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    for (size_t at = 0; at + RecordCodec::kResultLength <= size; at += RecordCodec::kResultLength) {
        const ResultRecord record = RecordCodec::decodeResult(bytes + at);
        const QByteArray written = RecordCodec::encodeResult(record);
        FUZZ_CHECK(written.size() == RecordCodec::kResultLength);
        const ResultRecord back = RecordCodec::decodeResult(written.constData());
        // The points and value fields are written blank and "0" on purpose: not compared.
        FUZZ_CHECK(sameNumbers(record, back));
    }
    for (size_t at = 0; at + RecordCodec::kHomeLength <= size; at += RecordCodec::kHomeLength) {
        QString program;
        const ResultRecord record = RecordCodec::decodeHome(bytes + at, &program);
        const QByteArray written = RecordCodec::encodeHome(record, program);
        FUZZ_CHECK(written.size() == RecordCodec::kHomeLength);
        FUZZ_CHECK(sameNumbers(record, RecordCodec::decodeHome(written.constData())));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkCodecRoundTrips(data, size);

    // Made once: the tables are large, and every load rebuilds them from the file anyway.
    static const auto state = [] {
        auto made = std::make_unique<SharedState>();
        made->dataFolder = ScratchFolder::instance().programFolder();
        made->commonFolder = ScratchFolder::instance().filesFolder();
        made->schoolCode = QStringLiteral("12345");
        setEveryItem(*made, {});
        return made;
    }();
    static ManualClock clock;
    static InstantSleeper sleeper;
    static FakeMessageBox messages;
    static FakeProgramExit exit;
    static Records records(*state, clock, sleeper, messages, exit);
    const QString path = resultFilePath(*state);
    ScratchFolder::write(path, data, size);

    records.computeStatistics();
    for (const LoadedRecord& loaded : records.tables().loaded)
        FUZZ_CHECK(isValidPupilNo(loaded.pupil) && isValidItemNo(loaded.item));

    ResultRecord added;
    added.date = 46122;
    added.time = 0.5;
    added.pupilNo = 7;
    added.itemNo = 3;
    added.result = 42;
    PosixFileCalls calls;
    ResultFileWriter writer(calls, sleeper);
    FUZZ_CHECK(writer
                   .append(path, RecordCodec::kResultLength,
                           [&] { return RecordCodec::encodeResult(added); })
                   .ok());
    FUZZ_CHECK(writer.lastRecordNo() == static_cast<qint64>(size) / RecordCodec::kResultLength + 1);
    records.computeStatistics();
    const std::vector<LoadedRecord>& loaded = records.tables().loaded;
    FUZZ_CHECK(!loaded.empty());
    FUZZ_CHECK(loaded.back().pupil == 7 && loaded.back().item == 3 && loaded.back().result == 42);
    return 0;
}
