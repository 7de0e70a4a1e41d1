#pragma once

#include "platform/status.h"
#include "records/littleendian.h"
#include "review/crc32c.h"
#include "review/studyevent.h"

#include <QByteArray>
#include <QtGlobal>

// The byte layout of 学習記録.dat: fixed 32-byte little-endian records, the first of them a
// header. Event record:
//    0 int32  day number (days from 1899-12-30, local date)
//    4 int32  second of the local day, 0..86399
//    8 int16  pupil number, 1..5000
//   10 8      the idiom: four UTF-16LE code units
//   18 uint8  range, 1..10
//   19 uint8  drill: 1 test, 2 review, 3 practice, 4 writing
//   20 uint8  catalogue item (0 for a review)
//   21 uint8  wrong reading attempts (saturated at 255); in writing, the kanji missed at the
//             first try, bit i for character i
//   22 uint8  flags: 1 wrong idiom, 2 reading given away, 4 struck as known
//   23 uint16 seconds spent (saturated at 65535)
//   25 3      zero
//   28 uint32 CRC-32C of bytes 0..27 (see crc32c.h)
// Header record: "YJSTUDY" and a zero byte, uint16 format version, uint16 record length,
// zeros, and the same CRC-32C at 28.
namespace StudyLogRecord {

inline constexpr int kLength = 32;
inline constexpr int kVersion = 1;
inline constexpr int kDayOffset = 0;
inline constexpr int kSecondOffset = 4;
inline constexpr int kPupilOffset = 8;
inline constexpr int kIdiomOffset = 10;
inline constexpr int kRangeOffset = 18;
inline constexpr int kDrillOffset = 19;
inline constexpr int kItemOffset = 20;
inline constexpr int kWrongReadingsOffset = 21;
inline constexpr int kFlagsOffset = 22;
inline constexpr int kSecondsOffset = 23;
inline constexpr int kPaddingOffset = 25;
inline constexpr int kChecksumOffset = 28;
inline constexpr int kVersionOffset = 8; // in the header, followed by the record length

inline constexpr quint8 kWrongIdiom = 1;
inline constexpr quint8 kGivenAway = 2;
inline constexpr quint8 kStruck = 4;
inline constexpr quint8 kAllKanjiMissed = 0x0F; // byte 21 of a writing record

// The dates an answer can carry, as day numbers: 2000-01-01 and 9999-12-31.
inline constexpr qint32 kFirstDay = 36526;
inline constexpr qint32 kLastDay = 2958465;
inline constexpr qint32 kSecondsPerDay = 86400;
inline constexpr int kMaxRange = 10;

// What is wrong with a whole event record, and the value stored there.
enum class Field : quint8 {
    None,
    Checksum,
    Day,     // outside kFirstDay..kLastDay
    Second,  // outside 0..86399
    Range,   // outside 1..10
    Drill,   // not 1, 2, 3 or 4
    Flags,   // a bit the drill kind never sets
    Padding, // bytes 25..27 not zero
    Strike,  // a practice-walk record without the strike flag
};
struct Fault
{
    Field field = Field::None;
    qint64 value = 0;
    explicit operator bool() const { return field != Field::None; }
};

QByteArray header();
// Whether a whole record read from the start of a file is this format's header; a Japanese
// message for the user when it is not.
Status checkHeader(const char* record, const QString& path);

// An empty message, or the Japanese reason why the event cannot be stored.
QString invalidReason(const StudyEvent& event);
// The record of a valid event (see invalidReason()).
QByteArray encode(const StudyEvent& event);
// Every field as stored; the idiom as its four code units, whatever they are.
StudyEvent decode(const char* record);

inline int pupilOf(const char* record)
{
    return getLittleEndian<qint16>(record + kPupilOffset);
}
inline bool checksumOk(const char* record)
{
    return Crc32c::checksum(record, kChecksumOffset) ==
           getLittleEndian<quint32>(record + kChecksumOffset);
}
// No wrong reading, no wrong idiom, nothing given away (StudyEvent::rightFirstTry()).
inline bool rightFirstTryOf(const char* record)
{
    return record[kWrongReadingsOffset] == 0 &&
           (quint8(record[kFlagsOffset]) & (kWrongIdiom | kGivenAway)) == 0;
}
// The idiom's eight stored bytes as one number: the key of an idiom without a QString.
inline quint64 idiomKeyOf(const char* record)
{
    return getLittleEndian<quint64>(record + kIdiomOffset);
}
quint64 idiomKey(const QString& idiom);

// The first thing that makes a record one the program never writes, or none. Every reader
// skips such a record: a bad checksum is a record torn or damaged, a bad field one that no
// version of the writer produced, and either would let a made-up answer steer the review.
// Raw bytes only, no QDate: the replay runs this on every record of its pupil.
inline Fault faultOf(const char* record)
{
    if (!checksumOk(record))
        return {Field::Checksum, getLittleEndian<quint32>(record + kChecksumOffset)};
    const auto* b = reinterpret_cast<const unsigned char*>(record);
    if (const qint32 day = getLittleEndian<qint32>(record + kDayOffset);
        day < kFirstDay || day > kLastDay)
        return {Field::Day, day};
    if (const qint32 second = getLittleEndian<qint32>(record + kSecondOffset);
        second < 0 || second >= kSecondsPerDay)
        return {Field::Second, second};
    if (b[kRangeOffset] < 1 || b[kRangeOffset] > kMaxRange)
        return {Field::Range, b[kRangeOffset]};
    const quint8 flags = b[kFlagsOffset];
    switch (b[kDrillOffset]) {
    case quint8(StudyDrill::Test):
    case quint8(StudyDrill::Review):
        if (flags & ~(kWrongIdiom | kGivenAway))
            return {Field::Flags, flags};
        break;
    case quint8(StudyDrill::Writing):
        // Nothing is read or given away in writing, and the idiom is wrong exactly when one of
        // its four kanji was missed.
        if (flags & ~kWrongIdiom || b[kWrongReadingsOffset] > kAllKanjiMissed ||
            bool(flags & kWrongIdiom) != (b[kWrongReadingsOffset] != 0))
            return {Field::Flags, flags};
        break;
    case quint8(StudyDrill::Practice):
        // A practice walk records nothing but 「この問題覚えた」.
        if (!(flags & kStruck))
            return {Field::Strike, flags};
        if (flags != kStruck)
            return {Field::Flags, flags};
        break;
    default:
        return {Field::Drill, b[kDrillOffset]};
    }
    if (b[kPaddingOffset] | b[kPaddingOffset + 1] | b[kPaddingOffset + 2])
        return {Field::Padding,
                b[kPaddingOffset] | b[kPaddingOffset + 1] << 8 | b[kPaddingOffset + 2] << 16};
    return {};
}

} // namespace StudyLogRecord
