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
    const auto changed = [&](int offset, qint64 value, int size) {
        QByteArray record = valid;
        for (int i = 0; i < size; ++i)
            record[offset + i] = char(value >> (8 * i));
        putLittleEndian<quint32>(record.data() + kChecksumOffset,
                                 Crc32c::checksum(record.constData(), kChecksumOffset));
        return record;
    };
    return {changed(kDayOffset, 0x7FFFFFFF, 4), changed(kDayOffset, 0, 4),
            changed(kDayOffset, -1, 4),         changed(kDayOffset, 0x80000000, 4),
            changed(kSecondOffset, 86400, 4),   changed(kRangeOffset, 11, 1),
            changed(kDrillOffset, 9, 1),        changed(kFlagsOffset, 0xF8, 1),
            changed(kPaddingOffset, 1, 1),      changed(kDrillOffset, 3, 1)};
}
