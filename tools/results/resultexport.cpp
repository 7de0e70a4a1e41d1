#include "resultexport.h"

#include "core/blanks.h"
#include "core/codepage.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/recordfilestream.h"
#include "records/resultstatistics.h"
#include "resultsinstallation.h"

#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr qint32 kLastTimedResult = 99997; // above: a time-over
constexpr qint32 kMemoResults = 10000;     // points of results below this are remembered per item

// A text field of the records as a CSV field. Consecutive records nearly always hold the same
// school code and program folder, so the code page is decoded only when the bytes change.
class CachedTextField
{
public:
    const RowPiece& field(const char* bytes, qsizetype length)
    {
        // Compared inline: a library call would cost more than these few bytes.
        if (m_raw.isNull() || length != m_raw.size() ||
            !std::equal(bytes, bytes + length, m_raw.constData())) {
            m_raw = QByteArray(bytes, length);
            m_field = RowPiece(csvField(trimBlanks(CodePage::decode(m_raw))));
        }
        return m_field;
    }

private:
    QByteArray m_raw;
    RowPiece m_field;
};

bool contains(const std::vector<int>& list, int value)
{
    return list.empty() || std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

QByteArray csvField(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    // Spreadsheet programs take a cell that begins with one of these for a formula, which a
    // name typed into the roster must never become; an apostrophe first keeps it text and is
    // not shown. Fields are made once per distinct value, so this costs nothing per row.
    if (!bytes.isEmpty()) {
        switch (bytes.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            bytes.prepend('\'');
            break;
        default:
            break;
        }
    }
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') &&
        !bytes.contains('\r'))
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

bool notMadeYet(const QString& path)
{
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

ResultExporter::ResultExporter(const ResultsInstallation& installation)
    : m_installation(installation), m_pupilFields(kMaxPupilNo + 1), m_itemFields(kMaxItemNo + 1),
      m_points(kMaxItemNo + 1)
{
    const SharedState& state = installation.state();
    for (int item = 1; item <= kMaxItemNo; ++item)
        m_itemFields[static_cast<size_t>(item)] =
            RowPiece(QByteArray::number(item) + ',' + csvField(state.itemName[item]));
}

QByteArray ResultExporter::headerRow(bool home)
{
    QString header = QStringLiteral("日付,時刻,生徒番号,名前,学年,項目番号,項目名,タイム（秒）,"
                                    "時間切れ,ポイント,学校コード");
    if (home)
        header += QStringLiteral(",プログラムフォルダ");
    return header.toUtf8();
}

const RowPiece& ResultExporter::pupilFields(int pupil)
{
    RowPiece& fields = m_pupilFields[static_cast<size_t>(pupil)];
    if (fields.isEmpty()) {
        const SharedState& state = m_installation.state();
        QByteArray text = QByteArray::number(pupil) + ',';
        // A pupil who has left keeps his results, but no name and grade.
        if (m_installation.isListed(pupil))
            text += csvField(trimBlanks(state.pupilNameByNo[pupil])) + ',' +
                    csvField(state.gradeLabelByNo[pupil]);
        else
            text += ',';
        fields = RowPiece(text);
    }
    return fields;
}

qint32 ResultExporter::pointsFor(qint32 result, int item)
{
    const SharedState& state = m_installation.state();
    if (result < 0 || result >= kMemoResults)
        return ResultStatistics::pointsFor(result, state.itemTargetTime[item],
                                           state.itemField5[item]);
    std::vector<qint32>& memo = m_points[static_cast<size_t>(item)];
    if (memo.empty())
        memo.assign(kMemoResults, -1);
    qint32& points = memo[static_cast<size_t>(result)];
    if (points < 0)
        points =
            ResultStatistics::pointsFor(result, state.itemTargetTime[item], state.itemField5[item]);
    return points;
}

void ResultExporter::cacheDateField(double dayNumber)
{
    const QDate date = DayNumber::toDate(dayNumber);
    m_cachedDate = RowPiece(date.isValid() ? date.toString(Qt::ISODate).toLatin1() : QByteArray());
    m_cachedFrom = std::isfinite(dayNumber) ? std::floor(dayNumber) : 1;
    m_cachedUntil = std::isfinite(dayNumber) ? m_cachedFrom + 1 : 0;
}

bool ResultExporter::wanted(const ExportOptions& options, double date, int pupil, int item) const
{
    if (!contains(options.pupils, pupil) || !contains(options.items, item))
        return false;
    if (!options.since.isValid() && !options.until.isValid())
        return true;
    const QDate day = DayNumber::toDate(date);
    return day.isValid() && (!options.since.isValid() || day >= options.since) &&
           (!options.until.isValid() || day <= options.until);
}

ExportOutcome ResultExporter::exportTo(const ExportOptions& options, QIODevice& out)
{
    ExportOutcome outcome;
    const int length = options.home ? RecordCodec::kHomeLength : RecordCodec::kResultLength;
    RecordFileStream stream(length);
    // Without the file there are no rows, only the header; a stream left closed gives none.
    if (const QString path = options.home ? m_installation.homeFile() : m_installation.resultFile();
        !notMadeYet(path)) {
        outcome.status = stream.open(path);
        if (!outcome.status.ok())
            return outcome;
    }

    RowBuffer buffer;
    if (options.byteOrderMark)
        buffer << "\xEF\xBB\xBF";
    buffer << headerRow(options.home) << "\r\n";
    bool written = true;
    CachedTextField schoolCode;
    CachedTextField programName;
    const bool everyRecord = options.pupils.empty() && options.items.empty() &&
                             !options.since.isValid() && !options.until.isValid();
    while (const char* bytes = stream.next()) {
        const ResultRecord record =
            options.home ? RecordCodec::decodeHome(bytes) : RecordCodec::decodeResultBody(bytes);
        const int pupil = record.pupilNo;
        const int item = record.itemNo;
        if (!everyRecord && !wanted(options, record.date, pupil, item))
            continue;
        ++outcome.rows;
        buffer << dateField(record.date) << ',';
        if (const int second = DayNumber::secondOfDay(record.time); second >= 0)
            buffer.clock(second);
        buffer << ',';
        if (isValidPupilNo(pupil)) {
            buffer << pupilFields(pupil);
        } else {
            buffer.number(pupil);
            buffer << ",,";
        }
        buffer << ',';
        if (isValidItemNo(item)) {
            buffer << m_itemFields[static_cast<size_t>(item)];
        } else {
            buffer.number(item);
            buffer << ',';
        }
        buffer << ',';
        const bool timeOver = record.result > kLastTimedResult;
        if (!timeOver)
            buffer.number(record.result);
        buffer << (timeOver ? ",1," : ",0,");
        if (isValidItemNo(item))
            buffer.number(pointsFor(record.result, item));
        buffer << ','
               << schoolCode.field(record.schoolCode.data(), qsizetype(record.schoolCode.size()));
        if (options.home)
            buffer << ',' << programName.field(bytes, RecordCodec::kProgramNameLength);
        buffer << "\r\n";
        if (buffer.full() && !(written = buffer.writeTo(out)))
            break;
    }
    outcome.status = finishRows(buffer, written, out, stream.status());
    outcome.tailOffset = stream.tailOffset();
    outcome.tailLength = stream.tailLength();
    return outcome;
}
