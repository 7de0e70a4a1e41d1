#include "studyaudit.h"

#include "resultsinstallation.h"
#include "review/studylog.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <iterator>
#include <unordered_map>

namespace {

constexpr qint64 kSecondsPerDay = 86400;

void addFaultLine(StudyAuditReport& report, StudyFaultKind kind, const QString& line)
{
    ++report.counts[static_cast<size_t>(kind)];
    if (++report.faultCount <= StudyAuditReport::kListedFaults)
        report.faults << line;
}

void addFault(StudyAuditReport& report, qint64 recordNo, StudyFaultKind kind, const QString& text)
{
    addFaultLine(
        report, kind,
        (recordNo > 0 ? QStringLiteral("記録 %1: ").arg(recordNo) : QStringLiteral("末尾: ")) +
            text);
}

// Every field of an event in one 64-bit hash, from two independent 32-bit ones: among a
// million records a false duplicate is about as likely as one in 2^24 runs.
quint64 eventHash(const StudyEvent& event)
{
    const auto fields = [&](size_t seed) {
        return qHashMulti(seed, event.date.toJulianDay(), event.secondOfDay, event.pupilNo,
                          event.idiom, event.range, int(event.drill), event.itemNo,
                          event.wrongReadings, event.wrongIdiom, event.readingGivenAway,
                          event.struckAsKnown, event.seconds);
    };
    return (quint64(fields(0x9e3779b9) & 0xffffffffu) << 32) | (fields(0x85ebca6b) & 0xffffffffu);
}

StudyFaultKind kindOf(const StudyLogRecord::Fault& fault)
{
    return fault.field == StudyLogRecord::Field::Checksum ? StudyFaultKind::Checksum
                                                          : StudyFaultKind::InvalidField;
}

struct FieldText
{
    const char* what;
    const char* name; // the field, as the record layout names it
    bool hex;
};
// In the order of StudyLogRecord::Field, from Day on.
constexpr FieldText kFieldTexts[] = {
    {"日付が正しくありません", "day", false},
    {"時刻が正しくありません", "second", false},
    {"範囲が正しくありません", "range", false},
    {"ドリルの種類が正しくありません", "drill", false},
    {"答えの印が正しくありません", "flags", true},
    {"使わないはずのバイトが 0 ではありません", "padding", true},
    {"練習の記録に「覚えた」の印がありません", "flags", true},
};
static_assert(std::size(kFieldTexts) ==
              size_t(StudyLogRecord::Field::Strike) - size_t(StudyLogRecord::Field::Day) + 1);

// The line of a record that readers skip. A field fault names the record beside the stored
// value, so that a teacher can find both in a hex view of the file.
QString faultLine(qint64 recordNo, const StudyLogRecord::Fault& fault)
{
    if (fault.field == StudyLogRecord::Field::Checksum)
        return QStringLiteral("記録 %1: チェックサムが合いません（壊れた記録）").arg(recordNo);
    const FieldText& text =
        kFieldTexts[static_cast<size_t>(fault.field) - size_t(StudyLogRecord::Field::Day)];
    const QString value =
        text.hex ? QStringLiteral("0x") +
                       QString::number(fault.value, 16).rightJustified(2, u'0').toUpper()
                 : QString::number(fault.value);
    return QString::fromUtf8(text.what) +
           QStringLiteral("（記録 %1：%2 %3）")
               .arg(QString::number(recordNo), QLatin1String(text.name), value);
}

} // namespace

int StudyAuditReport::exitStatus() const
{
    if (!status.ok())
        return 2;
    return faultCount > 0 ? 1 : 0;
}

QStringList StudyAuditReport::lines() const
{
    const QString name = QString::fromUtf8(kStudyLogFileName);
    QStringList lines{
        QStringLiteral("ファイル\t記録数\t切れた末尾\tチェックサムの誤り\t"
                       "ありえない値\t名簿にない生徒\t熟語ファイルにない熟語\t日付の逆戻り\t重複")};
    if (!status.ok()) {
        lines << name + QStringLiteral("\t読めません: ") + status.message;
        return lines;
    }
    if (missing) {
        lines << name + QStringLiteral("\tまだ記録がありません");
        return lines;
    }
    QString line = name + u'\t' + QString::number(records);
    for (const qint64 count : counts)
        line += u'\t' + QString::number(count);
    lines << line;
    if (faultCount == 0) {
        lines << QStringLiteral("学習記録に問題は見つかりませんでした。");
        return lines;
    }
    lines << QString()
          << QStringLiteral("学習記録の問題 %1 件").arg(faultCount) +
                 (faultCount > kListedFaults ? QStringLiteral("（最初の %1 件）").arg(kListedFaults)
                                             : QString());
    for (const QString& fault : faults)
        lines << name + u' ' + fault;
    return lines;
}

StudyAuditReport auditStudyLog(const ResultsInstallation& installation,
                               const std::vector<MapIdiom>* idioms)
{
    StudyAuditReport report;
    const QString path = installation.studyLogFile();
    report.missing = !QFileInfo::exists(path);
    if (report.missing)
        return report;
    StudyLogReader reader;
    report.status = reader.open(path);
    if (!report.status.ok())
        return report;

    QSet<QString> known;
    for (const MapIdiom& idiom : idioms ? *idioms : std::vector<MapIdiom>())
        known.insert(idiom.idiom);
    std::unordered_map<quint64, qint64> seen; // hash of the event -> first record
    qint64 previousMoment = 0;
    bool hasPrevious = false;
    while (const StudyLogEntry* entry = reader.next()) {
        ++report.records;
        const StudyEvent& event = entry->event;
        if (entry->fault) {
            // Its fields cannot be trusted, and programs skip it: nothing else is said about it.
            addFaultLine(report, kindOf(entry->fault), faultLine(entry->recordNo, entry->fault));
            continue;
        }
        if (!installation.isInRoster(event.pupilNo))
            addFault(report, entry->recordNo, StudyFaultKind::NotInRoster,
                     QStringLiteral("生徒番号 %1 は名簿にありません").arg(event.pupilNo));
        if (idioms && !known.contains(event.idiom))
            addFault(report, entry->recordNo, StudyFaultKind::UnknownIdiom,
                     QStringLiteral("「%1」は熟語ファイルにありません").arg(event.idiom));
        const qint64 moment = event.date.toJulianDay() * kSecondsPerDay + event.secondOfDay;
        if (hasPrevious && previousMoment - moment > kSecondsPerDay)
            addFault(
                report, entry->recordNo, StudyFaultKind::DateGoesBack,
                QStringLiteral("日付が前の記録より1日以上戻っています（%1 → %2）")
                    .arg(
                        QDate::fromJulianDay(previousMoment / kSecondsPerDay).toString(Qt::ISODate),
                        event.date.toString(Qt::ISODate)));
        previousMoment = moment;
        hasPrevious = true;
        const auto [first, added] = seen.try_emplace(eventHash(event), entry->recordNo);
        if (!added)
            addFault(report, entry->recordNo, StudyFaultKind::Duplicate,
                     QStringLiteral("記録 %1 とまったく同じです").arg(first->second));
    }
    report.status = reader.status();
    if (reader.tornTailBytes() > 0)
        addFault(report, 0, StudyFaultKind::TornTail,
                 QStringLiteral("%1 バイトの途中で切れた記録").arg(reader.tornTailBytes()));
    return report;
}
