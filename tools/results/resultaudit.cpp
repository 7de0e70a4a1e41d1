#include "resultaudit.h"

#include "core/codepage.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/recordfilestream.h"
#include "resultsinstallation.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <unordered_map>

namespace {

constexpr qint32 kLongestResult = 99999;
// The home-use copy is written after the result record, once the home-use file's lock is
// free; another machine may hold it for a while.
constexpr double kTwinLateDays = 10.0 / (24 * 60);
constexpr double kTwinEarlyDays = 2.0 / (24 * 60 * 60);
// Pupils with these numbers are written to the result file alone.
constexpr int kFirstUncopiedPupil = 4900;
constexpr int kLastUncopiedPupil = 5000;

// Offsets of the fields that this check reads as bytes: the school code, and what a writer
// of the family puts after it.
constexpr int kResultSchoolCode = 24;
constexpr int kHomeBody = 22;
const QByteArray kResultPadding = QByteArray("     0    ") + QByteArray(5, '\0');
constexpr int kResultPaddingAt = 29;
const QByteArray kHomePadding(15, '\0');
constexpr int kHomePaddingAt = 51;

bool isSchoolCode(QByteArrayView code)
{
    if (code == QByteArrayView("     "))
        return true;
    for (const char c : code) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// What identifies the twin of a record in the other file.
std::string twinKey(const ResultRecord& record)
{
    std::string key(reinterpret_cast<const char*>(&record.pupilNo), sizeof record.pupilNo);
    key.append(reinterpret_cast<const char*>(&record.itemNo), sizeof record.itemNo);
    key.append(reinterpret_cast<const char*>(&record.result), sizeof record.result);
    key.append(record.schoolCode.data(), record.schoolCode.size());
    return key;
}

struct TwinEntry
{
    double moment = 0; // date + time
    qint64 recordNo = 0;
};

void addFault(AuditReport& report, AuditedFile& file, qint64 recordNo, AuditFaultKind kind,
              const QString& text)
{
    ++file.counts[static_cast<size_t>(kind)];
    if (++report.faultCount <= AuditReport::kListedFaults)
        report.faults.push_back({file.name, recordNo, kind, text});
}

class FileChecker
{
public:
    FileChecker(const ResultsInstallation& installation, const QDate& today, AuditReport& report,
                AuditedFile& file)
        : m_installation(installation), m_report(report), m_file(file),
          m_tomorrow(DayNumber::fromDate(today.addDays(1))),
          m_firstDay(DayNumber::fromDate(QDate(2000, 1, 1)))
    {
    }

    // Reads the file; each record that needs a twin is handed to twin.
    void run(const std::function<void(const ResultRecord&, const char* bytes, qint64)>& twin);

private:
    void check(const ResultRecord& record, const char* bytes, qint64 recordNo);
    QStringList outOfRange(const ResultRecord& record, const char* bytes) const;
    bool inRange(double date, double time) const
    {
        return date >= m_firstDay && date < m_tomorrow + 1 && time >= 0 && time < 1;
    }
    // The first record with the same bytes, or 0.
    qint64 firstCopyOf(const char* bytes, qint64 recordNo);

    const ResultsInstallation& m_installation;
    AuditReport& m_report;
    AuditedFile& m_file;
    double m_tomorrow;
    double m_firstDay;
    double m_previousMoment = NAN;
    std::unordered_map<size_t, qint64> m_seen; // hash of the bytes -> first record
    QFile m_rereader;
};

void FileChecker::run(
    const std::function<void(const ResultRecord&, const char* bytes, qint64)>& twin)
{
    // The result files are made by the first test recorded, so a new installation has none.
    // A link to nowhere is no such case: it points at a file that cannot be read.
    const QFileInfo info(m_file.path);
    if (!info.exists() && !info.isSymLink()) {
        m_file.missing = true;
        return;
    }
    RecordFileStream stream(m_file.recordLength);
    m_file.status = stream.open(m_file.path);
    if (!m_file.status.ok())
        return;
    const bool home = m_file.recordLength == RecordCodec::kHomeLength;
    while (const char* bytes = stream.next()) {
        const ResultRecord record =
            home ? RecordCodec::decodeHome(bytes) : RecordCodec::decodeResultBody(bytes);
        check(record, bytes, stream.recordNo());
        twin(record, bytes, stream.recordNo());
    }
    m_file.status = stream.status();
    m_file.records = stream.wholeRecords();
    m_file.tailOffset = stream.tailOffset();
    m_file.tailLength = stream.tailLength();
    if (m_file.tailLength > 0)
        addFault(m_report, m_file, 0, AuditFaultKind::TornTail,
                 QStringLiteral("バイト位置 %1 から %2 バイトの途中で切れた記録")
                     .arg(m_file.tailOffset)
                     .arg(m_file.tailLength));
}

QStringList FileChecker::outOfRange(const ResultRecord& record, const char* bytes) const
{
    const bool home = m_file.recordLength == RecordCodec::kHomeLength;
    QStringList wrong;
    if (!inRange(record.date, 0))
        wrong << QStringLiteral("日付");
    if (!inRange(m_firstDay, record.time))
        wrong << QStringLiteral("時刻");
    if (!isValidPupilNo(record.pupilNo))
        wrong << QStringLiteral("生徒番号 %1").arg(record.pupilNo);
    if (record.itemNo < 1 || record.itemNo > m_installation.state().itemCount)
        wrong << QStringLiteral("項目番号 %1").arg(record.itemNo);
    if (record.result < 1 || record.result > kLongestResult)
        wrong << QStringLiteral("タイム %1").arg(record.result);
    const int body = home ? kHomeBody : 0;
    if (!isSchoolCode(QByteArrayView(bytes + body + kResultSchoolCode, 5)))
        wrong << QStringLiteral("学校コード");
    const QByteArray& padding = home ? kHomePadding : kResultPadding;
    const int paddingAt = home ? kHomePaddingAt : kResultPaddingAt;
    if (QByteArrayView(bytes + paddingAt, padding.size()) != padding)
        wrong << QStringLiteral("埋め草のバイト");
    return wrong;
}

qint64 FileChecker::firstCopyOf(const char* bytes, qint64 recordNo)
{
    const QByteArrayView record(bytes, m_file.recordLength);
    const auto [seen, first] = m_seen.try_emplace(qHash(record), recordNo);
    if (first)
        return 0;
    // Equal hashes: compare the bytes themselves.
    if (!m_rereader.isOpen()) {
        m_rereader.setFileName(m_file.path);
        if (!m_rereader.open(QIODevice::ReadOnly))
            return 0;
    }
    m_rereader.seek((seen->second - 1) * m_file.recordLength);
    return m_rereader.read(m_file.recordLength) == record ? seen->second : 0;
}

void FileChecker::check(const ResultRecord& record, const char* bytes, qint64 recordNo)
{
    const QStringList wrong = outOfRange(record, bytes);
    if (!wrong.isEmpty())
        addFault(m_report, m_file, recordNo, AuditFaultKind::OutOfRange,
                 QStringLiteral("範囲外: ") + wrong.join(QStringLiteral("、")));
    if (isValidPupilNo(record.pupilNo) && !m_installation.isInRoster(record.pupilNo))
        addFault(m_report, m_file, recordNo, AuditFaultKind::NotInRoster,
                 QStringLiteral("生徒番号 %1 は名簿にありません").arg(record.pupilNo));
    if (const qint64 first = firstCopyOf(bytes, recordNo))
        addFault(m_report, m_file, recordNo, AuditFaultKind::Duplicate,
                 QStringLiteral("記録 %1 とまったく同じです").arg(first));
    // A date out of range is reported as such; it says nothing about the machine's clock.
    if (!inRange(record.date, record.time))
        return;
    const double moment = record.date + record.time;
    if (m_previousMoment - moment > 1.0)
        addFault(m_report, m_file, recordNo, AuditFaultKind::DateGoesBack,
                 QStringLiteral("日付が前の記録より1日以上戻っています（%1 → %2）")
                     .arg(DayNumber::toDate(m_previousMoment).toString(Qt::ISODate),
                          DayNumber::toDate(moment).toString(Qt::ISODate)));
    m_previousMoment = moment;
}

} // namespace

bool AuditReport::unreadable() const
{
    for (const AuditedFile& file : files) {
        if (!file.status.ok())
            return true;
    }
    return false;
}

int AuditReport::exitStatus() const
{
    if (unreadable())
        return 2;
    return faultCount > 0 ? 1 : 0;
}

AuditReport ResultAudit::run() const
{
    AuditReport report;
    report.files.resize(2);
    AuditedFile& results = report.files[0];
    results.name = QStringLiteral("成績累積データ.dat");
    results.path = m_installation.resultFile();
    results.recordLength = RecordCodec::kResultLength;
    AuditedFile& home = report.files[1];
    home.name = QStringLiteral("成績累積データ家庭用.dat");
    home.path = m_installation.homeFile();
    home.recordLength = RecordCodec::kHomeLength;

    // Records of this program that must have a twin in the other file, by what identifies
    // them, in file order.
    std::unordered_map<std::string, std::deque<TwinEntry>> waiting;
    std::vector<std::pair<std::string, TwinEntry>> copied;
    FileChecker(m_installation, m_today, report, results)
        .run([&](const ResultRecord& record, const char*, qint64 recordNo) {
            if (record.pupilNo < kFirstUncopiedPupil || record.pupilNo > kLastUncopiedPupil)
                copied.push_back({twinKey(record), {record.date + record.time, recordNo}});
        });
    const QString ownProgram = RecordCodec::homeProgramName(m_installation.state().dataFolder);
    const QByteArray ownProgramBytes =
        RecordCodec::fixedWidthText(ownProgram, RecordCodec::kProgramNameLength);
    FileChecker(m_installation, m_today, report, home)
        .run([&](const ResultRecord& record, const char* bytes, qint64 recordNo) {
            // Other programs of the family share the home-use file.
            if (QByteArrayView(bytes, RecordCodec::kProgramNameLength) == ownProgramBytes)
                waiting[twinKey(record)].push_back({record.date + record.time, recordNo});
        });
    if (report.unreadable())
        return report;

    for (const auto& [key, entry] : copied) {
        std::deque<TwinEntry>& twins = waiting[key];
        while (!twins.empty() && twins.front().moment < entry.moment - kTwinEarlyDays) {
            addFault(report, home, twins.front().recordNo, AuditFaultKind::WithoutTwin,
                     QStringLiteral("成績累積データ.dat に対になる記録がありません"));
            twins.pop_front();
        }
        if (!twins.empty() && twins.front().moment <= entry.moment + kTwinLateDays)
            twins.pop_front();
        else
            addFault(report, results, entry.recordNo, AuditFaultKind::WithoutTwin,
                     QStringLiteral("成績累積データ家庭用.dat に対になる記録がありません"));
    }
    std::vector<qint64> orphans;
    for (const auto& [key, twins] : waiting) {
        for (const TwinEntry& twin : twins)
            orphans.push_back(twin.recordNo);
    }
    std::sort(orphans.begin(), orphans.end());
    for (const qint64 recordNo : orphans)
        addFault(report, home, recordNo, AuditFaultKind::WithoutTwin,
                 QStringLiteral("成績累積データ.dat に対になる記録がありません"));
    return report;
}

QStringList auditReportLines(const AuditReport& report)
{
    QStringList lines;
    lines << QStringLiteral(
        "ファイル\t記録数\t切れた末尾\t範囲外\t名簿にない生徒\t重複\t日付の逆戻り\t"
        "対のない記録");
    for (const AuditedFile& file : report.files) {
        if (!file.status.ok()) {
            lines << file.name + QStringLiteral("\t読めません: ") + file.status.message;
            continue;
        }
        if (file.missing) {
            lines << file.name + QStringLiteral("\tまだ記録がありません");
            continue;
        }
        QString line = file.name + u'\t' + QString::number(file.records);
        for (const qint64 count : file.counts)
            line += u'\t' + QString::number(count);
        lines << line;
    }
    // A file that could not be read was not checked: saying it has no problem would mislead.
    if (report.faultCount == 0) {
        if (!report.unreadable())
            lines << QStringLiteral("問題は見つかりませんでした。");
        return lines;
    }
    lines << QString();
    lines << QStringLiteral("問題 %1 件").arg(report.faultCount) +
                 (report.faultCount > AuditReport::kListedFaults
                      ? QStringLiteral("（最初の %1 件）").arg(AuditReport::kListedFaults)
                      : QString());
    for (const AuditFault& fault : report.faults) {
        lines << fault.file +
                     (fault.recordNo > 0 ? QStringLiteral(" 記録 %1: ").arg(fault.recordNo)
                                         : QStringLiteral(" 末尾: ")) +
                     fault.text;
    }
    return lines;
}
