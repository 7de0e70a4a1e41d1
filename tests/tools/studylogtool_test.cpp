#include "drill/idiomsource.h"
#include "invalidstudyrecords.h"
#include "platform/filecalls.h"
#include "resultexport.h"
#include "resultscommands.h"
#include "resultstoolfixture.h"
#include "review/pupilsettings.h"
#include "review/studylog.h"
#include "studyaudit.h"
#include "studyexport.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

namespace {

StudyEvent event(int pupil, const QString& idiom, const QDate& date, int second, bool right)
{
    StudyEvent event;
    event.date = date;
    event.secondOfDay = second;
    event.pupilNo = pupil;
    event.idiom = idiom;
    event.range = 1;
    event.itemNo = 2;
    event.wrongReadings = right ? 0 : 2;
    event.seconds = 12;
    return event;
}

// A writing answer: missed holds the idiom's kanji missed at the first try, bit i for
// character i.
StudyEvent written(int pupil, const QString& idiom, const QDate& date, int second, int missed)
{
    StudyEvent answer = event(pupil, idiom, date, second, true);
    answer.drill = StudyDrill::Writing;
    answer.itemNo = 0;
    answer.wrongReadings = missed;
    answer.wrongIdiom = missed != 0;
    return answer;
}

} // namespace

// The installation of the results tool with an idiom file, and a study log written by the
// program's own appender.
class StudyLogToolTest : public ResultsToolTest
{
protected:
    StudyLogToolTest()
    {
        std::vector<IdiomSource::Row> rows;
        for (const QStringList& fields :
             {QStringList{"1", "臥薪嘗胆", "がしんしょうたん", "目的のため苦労にたえる"},
              QStringList{"1", "温故知新", "おんこちしん", "昔のことから新しい知識を得る"}})
            rows.push_back({0, fields});
        EXPECT_TRUE(IdiomSource::writeCompanionFile(rows, inst.programDir() +
                                                              QStringLiteral("/四字02vv.ccc"))
                        .ok());
    }

    ResultsInstallation& results()
    {
        if (m_logPath.isEmpty())
            m_logPath = installation().studyLogFile();
        return installation();
    }
    void append(const StudyEvent& event)
    {
        results();
        ASSERT_TRUE(m_writer.append(m_logPath, event).ok());
    }
    QByteArray logBytes() const
    {
        QFile file(m_logPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void setLogBytes(const QByteArray& bytes) const
    {
        QFile file(m_logPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // The text of pupil 1's report as made eight days after the log's first day.
    QString reportText()
    {
        clock.current = QDateTime(day.addDays(8), QTime(9, 0));
        QTemporaryDir dir;
        ReportOptions options;
        options.pupils = {1};
        options.output = dir.filePath(QStringLiteral("report.pdf"));
        QString errors;
        QTextStream err(&errors);
        EXPECT_EQ(ResultsCommands::report(results(), options, clock, sleeper, messages, exit, err),
                  0)
            << errors.toStdString();
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {options.output, QStringLiteral("-")});
        EXPECT_TRUE(pdftotext.waitForFinished()) << "pdftotext (poppler-utils) is needed";
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }
    // exam-date as run on today; its exit status, with what it printed in printed.
    int setExamDate(const std::vector<int>& pupils, const QString& date, const QDate& today)
    {
        printed.clear();
        QTextStream out(&printed);
        QTextStream err(&printed);
        return ResultsCommands::examDate(results(), pupils, pupils.empty(), date, today, sleeper,
                                         out, err);
    }
    QMap<int, PupilSettings> settings()
    {
        QMap<int, PupilSettings> pupils;
        EXPECT_TRUE(
            PupilSettingsFile(results().pupilSettingsFile(), m_calls, sleeper).read(&pupils).ok());
        return pupils;
    }
    // The lines of pupil 1's study table as printed on today.
    QStringList studyLines(const QDate& today)
    {
        QString text;
        QTextStream out(&text);
        QTextStream err(&text);
        EXPECT_EQ(ResultsCommands::study(results(), 1, today, false, out, err), 0);
        return text.split(u'\n', Qt::SkipEmptyParts);
    }
    std::vector<MapIdiom> idioms()
    {
        std::vector<MapIdiom> list;
        EXPECT_TRUE(results().loadIdioms(list).ok());
        return list;
    }

    const QDate day{2026, 4, 10};
    QString printed;
    QString m_logPath;
    PosixFileCalls m_calls;
    StudyLogWriter m_writer{m_calls, sleeper};
};

TEST_F(StudyLogToolTest, ExportWritesEveryFieldWithReadingAndMeaningWithinItsFilters)
{
    append(event(1, QStringLiteral("臥薪嘗胆"), day, 36000, true));
    StudyEvent review = event(3, QStringLiteral("温故知新"), day.addDays(1), 61, false);
    review.drill = StudyDrill::Review;
    review.itemNo = 0;
    review.wrongIdiom = true;
    review.readingGivenAway = true;
    append(review);
    append(event(2, QStringLiteral("臥薪嘗胆"), day.addDays(2), 0, true));
    const std::vector<MapIdiom> list = idioms();

    const auto exported = [&](const ExportOptions& options) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        EXPECT_TRUE(StudyExporter(results(), list).exportTo(options, out).status.ok());
        return out.data().toStdString();
    };
    const std::string header = "\xEF\xBB\xBF" + StudyExporter::headerRow().toStdString() + "\r\n";
    const std::string first = "2026-04-10,10:00:00,1,さくら,臥薪嘗胆,がしんしょうたん,"
                              "目的のため苦労にたえる,1,テスト,2,0,0,0,0,12,1,選ぶ,\r\n";
    // A pupil who has left keeps his answers, without a name.
    const std::string second = "2026-04-11,00:01:01,3,,温故知新,おんこちしん,"
                               "昔のことから新しい知識を得る,1,復習,0,2,1,1,0,12,0,選ぶ,\r\n";
    ExportOptions options;
    options.until = day.addDays(1);
    EXPECT_EQ(exported(options), header + first + second);
    options = {};
    options.pupils = {3};
    options.since = day.addDays(1);
    options.byteOrderMark = false;
    EXPECT_EQ(exported(options), StudyExporter::headerRow().toStdString() + "\r\n" + second);
}

TEST_F(StudyLogToolTest, AWritingAnswerIsExportedWithItsSkillAndTheKanjiMissed)
{
    append(written(1, QStringLiteral("臥薪嘗胆"), day, 100, 0b1100));
    append(written(1, QStringLiteral("臥薪嘗胆"), day, 200, 0));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(StudyExporter(results(), idioms()).exportTo({}, out).status.ok());
    const QString text = QString::fromUtf8(out.data());
    EXPECT_TRUE(text.contains(QStringLiteral("00:01:40,1,さくら,臥薪嘗胆,がしんしょうたん,"
                                             "目的のため苦労にたえる,1,書き取り,0,12,1,0,0,12,0,"
                                             "書く,嘗胆\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(",1,書き取り,0,0,0,0,0,12,1,書く,\r\n")))
        << text.toStdString();
}

// A teacher's idiom file may hold a meaning far longer than a row: it is written whole.
TEST_F(StudyLogToolTest, AMeaningLongerThanARowIsExportedWhole)
{
    const QString meaning = QString(1000, QChar(u'長'));
    ASSERT_TRUE(
        IdiomSource::writeCompanionFile({{0, {"1", "臥薪嘗胆", "がしんしょうたん", meaning}}},
                                        inst.programDir() + QStringLiteral("/四字02vv.ccc"))
            .ok());
    append(event(1, QStringLiteral("臥薪嘗胆"), day, 36000, true));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(StudyExporter(results(), idioms()).exportTo({}, out).status.ok());
    EXPECT_TRUE(
        out.data().contains(("臥薪嘗胆,がしんしょうたん," + meaning + ",1,テスト,").toUtf8()));
}

TEST_F(StudyLogToolTest, AuditFindsEachPlantedFaultOnceAndNoneInASoundLog)
{
    StudyAuditReport missing = auditStudyLog(results(), nullptr);
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(missing.exitStatus(), 0);

    append(event(1, QStringLiteral("臥薪嘗胆"), day, 100, true));
    const qint64 oneRecord = logBytes().size();
    append(event(2, QStringLiteral("温故知新"), day, 200, false));
    const qint64 recordLength = logBytes().size() - oneRecord;
    append(event(1, QStringLiteral("温故知新"), day.addDays(1), 300, true));
    const std::vector<MapIdiom> list = idioms();
    StudyAuditReport sound = auditStudyLog(results(), &list);
    EXPECT_EQ(sound.records, 3);
    EXPECT_EQ(sound.faultCount, 0) << sound.lines().join(u'\n').toStdString();

    append(event(7, QStringLiteral("臥薪嘗胆"), day.addDays(1), 400, true)); // not in the roster
    append(event(1, QStringLiteral("一石二鳥"), day.addDays(1), 500,
                 true)); // not an idiom of the file
    append(event(1, QStringLiteral("臥薪嘗胆"), day.addDays(-1), 600, true)); // two days back
    append(event(1, QStringLiteral("臥薪嘗胆"), day.addDays(-1), 600, true)); // a duplicate
    append(event(2, QStringLiteral("温故知新"), day.addDays(1), 700, true));
    QByteArray bytes = logBytes();
    bytes[bytes.size() - recordLength / 2] = char(bytes[bytes.size() - recordLength / 2] ^ 0x5a);
    bytes += bytes.mid(oneRecord - recordLength, recordLength / 2); // a torn tail
    setLogBytes(bytes);

    const StudyAuditReport report = auditStudyLog(results(), &list);
    EXPECT_EQ(report.counts, (std::array<qint64, kStudyFaultKinds>{1, 1, 0, 1, 1, 1, 1}))
        << report.lines().join(u'\n').toStdString();
    EXPECT_EQ(report.exitStatus(), 1);
}

TEST_F(StudyLogToolTest, RecordsWithAFieldTheProgramNeverWritesAreOneFaultEachAndNotExported)
{
    append(event(1, QStringLiteral("臥薪嘗胆"), day.addDays(1), 100, true));
    append(event(1, QStringLiteral("温故知新"), day.addDays(-1), 200, true)); // two days back
    const QByteArray bytes = logBytes();
    const QByteArray first = bytes.mid(bytes.size() - 64, 32);
    std::vector<QByteArray> invalid = invalidStudyRecords(first);
    // Between the two, day 0 last: none may stand as the moment the second goes back from.
    std::rotate(invalid.begin(), invalid.begin() + 2, invalid.end());
    QByteArray planted;
    for (const QByteArray& record : invalid)
        planted += record;
    setLogBytes(bytes.left(bytes.size() - 32) + planted + bytes.right(32));
    const std::vector<MapIdiom> list = idioms();

    const StudyAuditReport report = auditStudyLog(results(), &list);
    const QString text = report.lines().join(u'\n');
    const qint64 count = qint64(invalid.size());
    EXPECT_EQ(report.counts, (std::array<qint64, kStudyFaultKinds>{0, 0, count, 0, 0, 1, 0}))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(
        QStringLiteral("\\n学習記録.dat 日付が正しくありません（記録 \\d+：day 2147483647）\\n"))))
        << text.toStdString();
    // Each named with its field and the value as stored: bit fields in hexadecimal.
    for (const char* value : {"day 0", "day -1", "day -2147483648", "second 86400", "range 11",
                              "drill 9", "flags 0xF8", "padding 0x01", "flags 0x00"})
        EXPECT_TRUE(text.contains(QStringLiteral("：%1）").arg(QLatin1String(value)))) << value;
    EXPECT_TRUE(text.contains(QStringLiteral("（2026-04-11 → 2026-04-09）")));

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const StudyExportOutcome exported = StudyExporter(results(), list).exportTo({}, out);
    EXPECT_EQ(exported.damaged, count);
    EXPECT_EQ(exported.rows, 2);
}

TEST_F(StudyLogToolTest, TheReportHasTheMapAndTheWeakIdiomsOfAPlantedHistory)
{
    // Four wrong answers on four days make 温故知新 苦手.
    for (int k = 0; k < 4; ++k)
        append(event(1, QStringLiteral("温故知新"), day.addDays(2 * k), 100, false));
    append(event(1, QStringLiteral("臥薪嘗胆"), day.addDays(7), 100, true));
    record(1, 2, 51, at(4, 9, 16, 0));
    const QString text = reportText();
    EXPECT_TRUE(text.contains(QStringLiteral("覚えた熟語 1/2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("覚えた 1/2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("これからの復習")));
    EXPECT_TRUE(text.contains(QStringLiteral("温故知新（おんこちしん）")));
    EXPECT_FALSE(text.contains(QStringLiteral("臥薪嘗胆（")));
    // A pupil who never wrote has no writing figures.
    EXPECT_FALSE(text.contains(QStringLiteral("書き取り"))) << text.toStdString();
}

TEST_F(StudyLogToolTest, TheReportHasTheWritingFiguresAndTheKanjiMissedMost)
{
    // One idiom written right, due after the report's day; the other missed twice, due on it.
    append(written(1, QStringLiteral("温故知新"), day.addDays(7), 100, 0));
    append(written(1, QStringLiteral("臥薪嘗胆"), day.addDays(7), 200, 0b1000));
    append(written(1, QStringLiteral("臥薪嘗胆"), day.addDays(7), 300, 0b1100));
    append(event(1, QStringLiteral("臥薪嘗胆"), day.addDays(7), 400, true));
    const QString text = reportText();
    for (const char* line : {"書いたことのある熟語 2", "書ける熟語 1/2",
                             "一度で正しく書けた答え 1/3 回（2026年4月17日 〜 2026年4月17日）",
                             "よくまちがえる漢字", "胆 2回", "嘗 1回"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("薪 "))) << text.toStdString();
}

TEST_F(StudyLogToolTest, TheStudyTableGivesEachAnsweredIdiomsState)
{
    for (int k = 0; k < 4; ++k)
        append(event(1, QStringLiteral("温故知新"), day.addDays(2 * k), 100, false));
    append(event(2, QStringLiteral("臥薪嘗胆"), day, 100, true));
    append(written(1, QStringLiteral("温故知新"), day.addDays(1), 100, 0));
    append(written(1, QStringLiteral("臥薪嘗胆"), day.addDays(1), 200, 0b0001));
    QString text;
    QString errors;
    QTextStream out(&text);
    QTextStream err(&errors);
    ASSERT_EQ(ResultsCommands::study(results(), 1, day.addDays(6), true, out, err), 0);
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << text.toStdString();
    // In the idiom file's order, each with the state of both skills, writing's last.
    const QStringList onlyWritten = lines[1].split(u',');
    ASSERT_EQ(onlyWritten.size(), 16);
    EXPECT_EQ(onlyWritten.mid(0, 4), (QStringList{"臥薪嘗胆", "1", "0", "0"}));
    EXPECT_EQ(onlyWritten.mid(4, 5), QStringList(5));
    EXPECT_EQ(onlyWritten.mid(9, 2), (QStringList{"1", "1"}));
    const QStringList both = lines[2].split(u',');
    ASSERT_EQ(both.size(), 16);
    EXPECT_EQ(both.mid(0, 4), (QStringList{"温故知新", "1", "4", "4"}));
    EXPECT_EQ(both[7], QStringLiteral("2026-04-17"));
    EXPECT_EQ(both[8], QStringLiteral("苦手"));
    // Four wrong choices leave the writing, right once, as its own.
    EXPECT_EQ(both.mid(9, 2), (QStringList{"1", "0"}));
    EXPECT_GT(QDate::fromString(both[14], Qt::ISODate), day.addDays(1));
    EXPECT_EQ(both[15], QString());
}

TEST_F(StudyLogToolTest, AuditPassesWritingRecordsAndFlagsOnesWhoseFlagDisagreesWithTheirKanji)
{
    append(written(1, QStringLiteral("臥薪嘗胆"), day, 100, 0b0101));
    append(written(1, QStringLiteral("温故知新"), day, 200, 0));
    const std::vector<MapIdiom> list = idioms();
    const StudyAuditReport sound = auditStudyLog(results(), &list);
    EXPECT_EQ(sound.faultCount, 0) << sound.lines().join(u'\n').toStdString();

    using namespace StudyLogRecord;
    const QByteArray bytes = logBytes();
    const auto resealed = [&](qsizetype from, quint8 missed, quint8 flags) {
        QByteArray record = bytes.mid(from, kLength);
        record[kWrongReadingsOffset] = char(missed);
        record[kFlagsOffset] = char(flags);
        putLittleEndian<quint32>(record.data() + kChecksumOffset,
                                 Crc32c::checksum(record.constData(), kChecksumOffset));
        return record;
    };
    const qsizetype missedSome = bytes.size() - 2 * kLength;
    const qsizetype missedNone = bytes.size() - kLength;
    setLogBytes(bytes + resealed(missedSome, 0b0101, 0) + resealed(missedNone, 0, kWrongIdiom) +
                resealed(missedSome, 0x10, kWrongIdiom));
    const StudyAuditReport report = auditStudyLog(results(), &list);
    EXPECT_EQ(report.counts, (std::array<qint64, kStudyFaultKinds>{0, 0, 3, 0, 0, 0, 0}))
        << report.lines().join(u'\n').toStdString();
}

TEST_F(StudyLogToolTest, AnExamDateSetForAllShowsItsForecastUnderTheStudyTableUntilCleared)
{
    append(event(1, QStringLiteral("臥薪嘗胆"), day, 100, true));
    const QDate today = day.addDays(6);
    ASSERT_EQ(setExamDate({}, QStringLiteral("2027-02-01"), today), 0) << printed.toStdString();
    EXPECT_EQ(printed,
              QStringLiteral("1 さくら：試験日 2027-02-01\n2 たろう：試験日 2027-02-01\n"));
    EXPECT_EQ(settings().value(2).examSetOn, today);
    QStringList lines = studyLines(today);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.last(),
              QStringLiteral("試験日：2027-02-01（あと291日）　試験日に覚えている見込み：0/2"));

    // Set again later, the date keeps the day it was first set.
    ASSERT_EQ(setExamDate({2}, QStringLiteral("2027-02-01"), today.addDays(1)), 0);
    EXPECT_EQ(printed, QString());
    EXPECT_EQ(settings().value(2).examSetOn, today);

    ASSERT_EQ(setExamDate({1}, QStringLiteral("none"), today), 0);
    EXPECT_EQ(printed, QStringLiteral("1 さくら：試験日なし\n"));
    lines = studyLines(today);
    EXPECT_EQ(lines.size(), 2) << lines.join(u'\n').toStdString();
    EXPECT_EQ(settings().keys(), QList<int>{2});
}

TEST_F(StudyLogToolTest, AnExamDateNotAheadOrMalformedIsRefusedAndNothingWritten)
{
    for (const char* date : {"2026-04-16", "2026-02-30", "2027/02/01"}) {
        EXPECT_EQ(setExamDate({1}, QString::fromLatin1(date), day.addDays(6)), 1) << date;
        EXPECT_TRUE(printed.contains(QString::fromLatin1(date))) << printed.toStdString();
    }
    EXPECT_FALSE(QFile::exists(results().pupilSettingsFile()));
}

TEST_F(StudyLogToolTest, TheReportHasTheExamForecastByRangeOfAPupilWithADate)
{
    for (int k = 0; k < 3; ++k)
        append(event(1, QStringLiteral("温故知新"), day.addDays(3 * k), 100, true));
    ASSERT_EQ(setExamDate({1}, QStringLiteral("2026-05-10"), day), 0);
    const QString text = reportText();
    // pdftotext gives the wide space between the date and the forecast as a narrow one.
    for (const char* line :
         {"試験日：2026-05-10（あと22日） 試験日に覚えている見込み：1/2", "範囲1：1/2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
}

TEST_F(StudyLogToolTest, ADamagedSettingsFileIsToldOnceTheDatesStillSetAndTheRunCountsAFault)
{
    ASSERT_EQ(setExamDate({}, QStringLiteral("2027-02-01"), day), 0);
    QFile file(results().pupilSettingsFile());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("2\texam=2027-03-01\t00000000\n");
    file.close();

    EXPECT_EQ(setExamDate({1}, QStringLiteral("2027-01-15"), day), 1);
    EXPECT_EQ(printed.count(QStringLiteral("生徒設定ファイル")), 1) << printed.toStdString();
    EXPECT_TRUE(printed.endsWith(QStringLiteral("1 さくら：試験日 2027-01-15\n")));
    EXPECT_EQ(settings().value(1).examDate, QDate(2027, 1, 15));
    EXPECT_EQ(settings().value(2).examDate, QDate(2027, 2, 1));
}
