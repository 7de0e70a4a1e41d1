#include "studyexport.h"

#include "core/blanks.h"
#include "platform/daynumber.h"
#include "records/littleendian.h"
#include "resultexport.h"
#include "resultsinstallation.h"
#include "review/studylog.h"
#include "review/studylogrecord.h"

#include <QIODevice>

#include <algorithm>

namespace {

using namespace StudyLogRecord;

// Fields longer than this skip the buffer, whose slack holds only rows of ordinary length.
constexpr qsizetype kLongFields = 2048;

const char* const kDrillNames[] = {",,", ",テスト,", ",復習,", ",練習,", ",書き取り,"};
constexpr quint8 kLastDrill = quint8(StudyDrill::Writing);

// The idiom's characters that byte 21 of a writing record names, in the idiom's order.
QString missedKanji(const char* record)
{
    const QString idiom = decode(record).idiom;
    const int mask = quint8(record[kWrongReadingsOffset]);
    QString missed;
    for (int i = 0; i < idiom.size(); ++i) {
        if (mask & (1 << i))
            missed += idiom.at(i);
    }
    return missed;
}

bool contains(const std::vector<int>& list, int value)
{
    return list.empty() || std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

StudyExporter::StudyExporter(const ResultsInstallation& installation,
                             const std::vector<MapIdiom>& idioms)
    : m_installation(installation), m_pupilFields(kMaxPupilNo + 1)
{
    for (const MapIdiom& idiom : idioms)
        m_idiomFields.try_emplace(idiomKey(idiom.idiom), csvField(idiom.idiom) + ',' +
                                                             csvField(idiom.reading) + ',' +
                                                             csvField(idiom.meaning));
}

QByteArray StudyExporter::headerRow()
{
    return QStringLiteral("日付,時刻,生徒番号,名前,熟語,読み,意味,範囲,ドリル,項目番号,"
                          "読みの間違い,熟語の間違い,読みを見た,覚えた印,秒,最初で正解,技能,"
                          "書けなかった字")
        .toUtf8();
}

const RowPiece& StudyExporter::pupilFields(int pupil)
{
    RowPiece& fields = m_pupilFields[static_cast<size_t>(pupil)];
    if (fields.isEmpty()) {
        QByteArray text = QByteArray::number(pupil) + ',';
        // A pupil who has left keeps his answers, but no name.
        if (m_installation.isListed(pupil))
            text += csvField(trimBlanks(m_installation.state().pupilNameByNo[pupil]));
        fields = RowPiece(text);
    }
    return fields;
}

const RowPiece& StudyExporter::idiomFields(quint64 key, const char* record)
{
    auto found = m_idiomFields.find(key);
    if (found == m_idiomFields.end()) {
        // Not in the idiom file: the idiom alone.
        const QString idiom = decode(record).idiom;
        found = m_idiomFields.try_emplace(key, csvField(idiom) + ",,").first;
    }
    return found->second;
}

const RowPiece& StudyExporter::dateField(qint32 dayNumber)
{
    if (dayNumber != m_cachedDay || m_cachedDate.isEmpty()) {
        const QDate date = DayNumber::toDate(dayNumber);
        m_cachedDate = RowPiece(date.isValid() ? date.toString(Qt::ISODate).toLatin1() : "?");
        m_cachedDay = dayNumber;
    }
    return m_cachedDate;
}

StudyExportOutcome StudyExporter::exportTo(const ExportOptions& options, QIODevice& out)
{
    StudyExportOutcome outcome;
    StudyLogReader reader;
    outcome.status = reader.open(m_installation.studyLogFile());
    if (!outcome.status.ok())
        return outcome;

    const double since = options.since.isValid() ? DayNumber::fromDate(options.since) : -1e9;
    const double until = options.until.isValid() ? DayNumber::fromDate(options.until) : 1e9;
    RowBuffer buffer;
    if (options.byteOrderMark)
        buffer << "\xEF\xBB\xBF";
    buffer << headerRow() << "\r\n";
    bool written = true;
    qint64 count = 0;
    const char* records = nullptr;
    while (written && (records = reader.nextRawRecords(&count))) {
        for (const char* record = records; written && record < records + count * kLength;
             record += kLength) {
            if (faultOf(record)) {
                ++outcome.damaged;
                continue;
            }
            const qint32 day = getLittleEndian<qint32>(record + kDayOffset);
            const int pupil = pupilOf(record);
            if (day < since || day > until || !contains(options.pupils, pupil))
                continue;
            ++outcome.rows;
            buffer << dateField(day) << ',';
            buffer.clock(std::clamp(getLittleEndian<qint32>(record + kSecondOffset), 0, 86399));
            buffer << ',';
            if (isValidPupilNo(pupil)) {
                buffer << pupilFields(pupil);
            } else {
                buffer.number(pupil);
                buffer << ',';
            }
            buffer << ',';
            const RowPiece& idiom = idiomFields(idiomKeyOf(record), record);
            if (idiom.size() > kLongFields) {
                written =
                    buffer.writeTo(out) && out.write(idiom.data(), idiom.size()) == idiom.size();
            } else {
                buffer << idiom;
            }
            const quint8 flags = quint8(record[kFlagsOffset]);
            const int wrongReadings = quint8(record[kWrongReadingsOffset]);
            const quint8 drill = quint8(record[kDrillOffset]);
            buffer << ',';
            buffer.number(quint8(record[kRangeOffset]));
            buffer << QByteArrayView(kDrillNames[drill <= kLastDrill ? drill : 0]);
            buffer.number(quint8(record[kItemOffset]));
            buffer << ',';
            buffer.number(wrongReadings);
            buffer << ((flags & kWrongIdiom) ? ",1" : ",0") << ((flags & kGivenAway) ? ",1" : ",0")
                   << ((flags & kStruck) ? ",1," : ",0,");
            buffer.number(getLittleEndian<quint16>(record + kSecondsOffset));
            buffer << (rightFirstTryOf(record) ? ",1," : ",0,");
            if (drill == quint8(StudyDrill::Writing)) {
                buffer << "書く,";
                // The idiom's characters as stored: a forged record may hold anything.
                if (wrongReadings != 0)
                    buffer << QByteArrayView(csvField(missedKanji(record)));
            } else {
                buffer << "選ぶ,";
            }
            buffer << "\r\n";
            if (written && buffer.full())
                written = buffer.writeTo(out);
        }
    }
    outcome.status = finishRows(buffer, written, out, reader.status());
    outcome.tornTailBytes = reader.tornTailBytes();
    return outcome;
}
