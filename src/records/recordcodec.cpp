#include "records/recordcodec.h"

#include "core/codepage.h"
#include "core/fieldreader.h"
#include "records/littleendian.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Offsets of the fields shared by both layouts, relative to the date field.
constexpr int kDate = 0;
constexpr int kTime = 8;
constexpr int kPupil = 16;
constexpr int kItem = 18;
constexpr int kResult = 20;
constexpr int kSchoolCode = 24;

constexpr int kPoints = 29;
constexpr int kValue = 34;
constexpr int kHomeContentNo = 20;
constexpr int kHomeBody = 22;

void putBody(char* out, const ResultRecord& record)
{
    putLittleEndian(out + kDate, record.date);
    putLittleEndian(out + kTime, record.time);
    putLittleEndian(out + kPupil, record.pupilNo);
    putLittleEndian(out + kItem, record.itemNo);
    putLittleEndian(out + kResult, record.result);
    std::memcpy(out + kSchoolCode, record.schoolCode.data(), record.schoolCode.size());
}

ResultRecord getNumbers(const char* in)
{
    ResultRecord record;
    record.date = getLittleEndian<double>(in + kDate);
    record.time = getLittleEndian<double>(in + kTime);
    record.pupilNo = getLittleEndian<qint16>(in + kPupil);
    record.itemNo = getLittleEndian<qint16>(in + kItem);
    record.result = getLittleEndian<qint32>(in + kResult);
    return record;
}

ResultRecord getBody(const char* in)
{
    ResultRecord record = getNumbers(in);
    std::memcpy(record.schoolCode.data(), in + kSchoolCode, record.schoolCode.size());
    return record;
}

} // namespace

QString ResultRecord::schoolCodeText() const
{
    return CodePage::decode(QByteArray(schoolCode.data(), schoolCode.size()));
}

void ResultRecord::setSchoolCode(const QString& code)
{
    const QByteArray bytes = RecordCodec::fixedWidthText(code, int(schoolCode.size()));
    std::memcpy(schoolCode.data(), bytes.constData(), schoolCode.size());
}

QByteArray RecordCodec::encodeResult(const ResultRecord& record)
{
    QByteArray bytes(kResultLength, '\0');
    putBody(bytes.data(), record);
    std::memcpy(bytes.data() + kPoints, "     ", 5);
    std::memcpy(bytes.data() + kValue, "0    ", 5);
    return bytes;
}

ResultRecord RecordCodec::decodeResultNumbers(const char* bytes)
{
    return getNumbers(bytes);
}

ResultRecord RecordCodec::decodeResultBody(const char* bytes)
{
    return getBody(bytes);
}

qint32 RecordCodec::decodeResultValue(const char* bytes)
{
    return numberField(bytes + kValue, 5);
}

ResultRecord RecordCodec::decodeResult(const char* bytes)
{
    ResultRecord record = getBody(bytes);
    record.points = numberField(bytes + kPoints, 5);
    record.value = numberField(bytes + kValue, 5);
    return record;
}

QByteArray RecordCodec::encodeHome(const ResultRecord& record, const QString& programName)
{
    QByteArray bytes(kHomeLength, '\0');
    std::memcpy(bytes.data(), fixedWidthText(programName, kProgramNameLength).constData(),
                kProgramNameLength);
    putLittleEndian(bytes.data() + kHomeContentNo, qint16(0));
    putBody(bytes.data() + kHomeBody, record);
    return bytes;
}

ResultRecord RecordCodec::decodeHome(const char* bytes, QString* programName)
{
    if (programName)
        *programName = CodePage::decode(QByteArray(bytes, kProgramNameLength));
    return getBody(bytes + kHomeBody);
}

QString RecordCodec::homeProgramName(const QString& dataFolder)
{
    QString folder = dataFolder;
    while (folder.endsWith(u'/'))
        folder.chop(1);
    return folder.mid(folder.lastIndexOf(u'/') + 1) + u'\\';
}

QByteArray RecordCodec::fixedWidthText(const QString& text, int width)
{
    QByteArray bytes = CodePage::encode(text);
    if (bytes.size() <= width)
        return bytes.leftJustified(width, ' ');
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
        const QByteArray character = CodePage::encode(text.mid(i, length));
        if (bytes.size() + character.size() > width)
            break;
        bytes += character;
        i += length;
    }
    return bytes.leftJustified(width, ' ');
}

qint32 RecordCodec::numberField(const char* bytes, int width)
{
    // Blanks and plain digits are what the family writes; read them without building a text.
    qint32 value = 0;
    int i = 0;
    while (i < width && bytes[i] == ' ')
        ++i;
    while (i < width && bytes[i] >= '0' && bytes[i] <= '9')
        value = value * 10 + (bytes[i++] - '0');
    int rest = i;
    while (rest < width && bytes[rest] == ' ')
        ++rest;
    if (rest == width)
        return value;
    // Anything else (a sign, a decimal point, trailing text) follows the general number rule;
    // a fraction is rounded as a whole-number field takes it.
    const double number = FieldReader::leadingNumber(QString::fromLatin1(bytes, width));
    return static_cast<qint32>(std::nearbyint(number));
}
