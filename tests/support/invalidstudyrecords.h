#pragma once

#include "review/crc32c.h"
#include "review/studylogrecord.h"

#include <QByteArray>

#include <vector>

// One record of each kind the program never writes, made from a valid record of the program's
// own (a test-drill answer without flags) and sealed again, so that only the field is wrong.
inline std::vector<QByteArray> invalidStudyRecords(const QByteArray& valid)
{
    using namespace StudyLogRecord;
    const auto changed = [](QByteArray record, int offset, qint64 value, int size) {
        for (int i = 0; i < size; ++i)
            record[offset + i] = char(value >> (8 * i));
        putLittleEndian<quint32>(record.data() + kChecksumOffset,
                                 Crc32c::checksum(record.constData(), kChecksumOffset));
        return record;
    };
    // valid is right at the first try: as a writing record, no kanji missed.
    const QByteArray written = changed(valid, kDrillOffset, 4, 1);
    return {changed(valid, kDayOffset, 0x7FFFFFFF, 4), changed(valid, kDayOffset, 0, 4),
            changed(valid, kDayOffset, -1, 4), changed(valid, kDayOffset, 0x80000000, 4),
            changed(valid, kSecondOffset, 86400, 4), changed(valid, kRangeOffset, 11, 1),
            changed(valid, kDrillOffset, 9, 1), changed(valid, kFlagsOffset, 0xF8, 1),
            changed(valid, kPaddingOffset, 1, 1), changed(valid, kDrillOffset, 3, 1),
            // Writing: wrong without a kanji missed, a kanji missed yet right, a fifth
            // character, and a reading given away where nothing is read.
            changed(written, kFlagsOffset, kWrongIdiom, 1),
            changed(written, kWrongReadingsOffset, 1, 1),
            changed(changed(written, kWrongReadingsOffset, 0x10, 1), kFlagsOffset, kWrongIdiom, 1),
            changed(written, kFlagsOffset, kGivenAway, 1)};
}
