#include "review/studylogrecord.h"

#include "platform/daynumber.h"
#include "review/crc32c.h"

#include <algorithm>

namespace {

constexpr char kMagic[8] = {'Y', 'J', 'S', 'T', 'U', 'D', 'Y', '\0'};
constexpr int kMaxPupilNo = 5000;

void sealRecord(QByteArray& record)
{
    putLittleEndian<quint32>(record.data() + StudyLogRecord::kChecksumOffset,
                             Crc32c::checksum(record.constData(), StudyLogRecord::kChecksumOffset));
}

bool isFourBmpCharacters(const QString& idiom)
{
    if (idiom.size() != 4)
        return false;
    for (const QChar c : idiom)
        if (c.isSurrogate() || c.isNull())
            return false;
    return true;
}

} // namespace

namespace StudyLogRecord {

QByteArray header()
{
    QByteArray record(kLength, '\0');
    std::memcpy(record.data(), kMagic, sizeof kMagic);
    putLittleEndian<quint16>(record.data() + kVersionOffset, kVersion);
    putLittleEndian<quint16>(record.data() + kVersionOffset + 2, kLength);
    sealRecord(record);
    return record;
}

Status checkHeader(const char* record, const QString& path)
{
    if (std::memcmp(record, kMagic, sizeof kMagic) != 0)
        return Status::failure(path + QStringLiteral(" は学習記録のファイルではありません。"));
    if (!checksumOk(record))
        return Status::failure(path +
                               QStringLiteral(" は先頭がこわれています（チェックサムが"
                                              "合いません）。このプログラムでは読めません。"));
    const int version = getLittleEndian<quint16>(record + kVersionOffset);
    if (version != kVersion)
        return Status::failure(path + QStringLiteral(" は別の形式（版 %1）の学習記録です。"
                                                     "このプログラムでは読めません。")
                                          .arg(version));
    if (const int length = getLittleEndian<quint16>(record + kVersionOffset + 2); length != kLength)
        return Status::failure(path + QStringLiteral(" は記録の長さが %1 バイトになっています"
                                                     "（%2 バイトのはずです）。このプログラムでは"
                                                     "読めません。")
                                          .arg(length)
                                          .arg(kLength));
    return Status::success();
}

QString invalidReason(const StudyEvent& event)
{
    if (!isFourBmpCharacters(event.idiom))
        return QStringLiteral("四字熟語「%1」は4文字ではありません。").arg(event.idiom);
    // Checked before encoding, which could not hold every date or number.
    const double day = event.date.isValid() ? DayNumber::fromDate(event.date) : -1;
    if (day < kFirstDay || day > kLastDay || event.secondOfDay < 0 ||
        event.secondOfDay >= kSecondsPerDay)
        return QStringLiteral("答えた日時が正しくありません。");
    if (event.pupilNo < 1 || event.pupilNo > kMaxPupilNo)
        return QStringLiteral("生徒番号 %1 は 1～5000 ではありません。").arg(event.pupilNo);
    if (event.range < 1 || event.range > kMaxRange)
        return QStringLiteral("範囲 %1 は 1～10 ではありません。").arg(event.range);
    if (event.itemNo < 0 || event.itemNo > 255)
        return QStringLiteral("問題番号 %1 が正しくありません。").arg(event.itemNo);
    // The rest by the readers' own rule, so that nothing written is ever skipped.
    switch (faultOf(encode(event).constData()).field) {
    case Field::None:
        return {};
    case Field::Drill:
        return QStringLiteral("ドリルの種類が正しくありません。");
    case Field::Strike:
        return QStringLiteral("練習で記録できるのは「この問題覚えた」だけです。");
    default:
        return QStringLiteral("答えの印の組み合わせが正しくありません。");
    }
}

QByteArray encode(const StudyEvent& event)
{
    QByteArray record(kLength, '\0');
    char* at = record.data();
    putLittleEndian<qint32>(at + kDayOffset, static_cast<qint32>(DayNumber::fromDate(event.date)));
    putLittleEndian<qint32>(at + kSecondOffset, event.secondOfDay);
    putLittleEndian<qint16>(at + kPupilOffset, static_cast<qint16>(event.pupilNo));
    for (int i = 0; i < 4; ++i)
        putLittleEndian<char16_t>(at + kIdiomOffset + 2 * i, event.idiom.at(i).unicode());
    at[kRangeOffset] = char(event.range);
    at[kDrillOffset] = char(static_cast<quint8>(event.drill));
    at[kItemOffset] = char(event.itemNo);
    at[kWrongReadingsOffset] = char(std::clamp(event.wrongReadings, 0, 255));
    at[kFlagsOffset] =
        char((event.wrongIdiom ? kWrongIdiom : 0) | (event.readingGivenAway ? kGivenAway : 0) |
             (event.struckAsKnown ? kStruck : 0));
    putLittleEndian<quint16>(at + kSecondsOffset,
                             static_cast<quint16>(std::clamp(event.seconds, 0, 65535)));
    sealRecord(record);
    return record;
}

StudyEvent decode(const char* record)
{
    const auto* b = reinterpret_cast<const unsigned char*>(record);
    StudyEvent event;
    event.date = DayNumber::toDate(getLittleEndian<qint32>(record + kDayOffset));
    event.secondOfDay = getLittleEndian<qint32>(record + kSecondOffset);
    event.pupilNo = pupilOf(record);
    // Unit by unit, not decoded as UTF-16: a damaged record keeps its four units as they are.
    QChar units[4];
    for (int i = 0; i < 4; ++i)
        units[i] = QChar(getLittleEndian<char16_t>(record + kIdiomOffset + 2 * i));
    event.idiom = QString(units, 4);
    event.range = b[kRangeOffset];
    event.drill = static_cast<StudyDrill>(b[kDrillOffset]);
    event.itemNo = b[kItemOffset];
    event.wrongReadings = b[kWrongReadingsOffset];
    event.wrongIdiom = b[kFlagsOffset] & kWrongIdiom;
    event.readingGivenAway = b[kFlagsOffset] & kGivenAway;
    event.struckAsKnown = b[kFlagsOffset] & kStruck;
    event.seconds = getLittleEndian<quint16>(record + kSecondsOffset);
    return event;
}

quint64 idiomKey(const QString& idiom)
{
    quint64 key = 0;
    for (int i = std::min<int>(idiom.size(), 4) - 1; i >= 0; --i)
        key = key << 16 | idiom.at(i).unicode();
    return key;
}

} // namespace StudyLogRecord
