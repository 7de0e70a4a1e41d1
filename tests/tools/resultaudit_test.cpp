#include "resultaudit.h"
#include "resultscommands.h"
#include "resultstoolfixture.h"

#include "platform/sleeper.h"
#include "records/recordcodec.h"
#include "testresults.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <functional>
#include <set>

namespace {

void appendBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::set<AuditFaultKind> kindsFound(const AuditReport& report)
{
    std::set<AuditFaultKind> kinds;
    for (const AuditedFile& file : report.files) {
        for (int k = 0; k < kAuditFaultKinds; ++k) {
            if (file.counts[static_cast<size_t>(k)] > 0)
                kinds.insert(static_cast<AuditFaultKind>(k));
        }
    }
    return kinds;
}

} // namespace

// Three sound tests on 10 April 2026, written by the recorder; the audit runs on that day.
class ResultAuditTest : public ResultsToolTest
{
protected:
    ResultAuditTest()
    {
        record(1, 2, 51, at(4, 10, 9, 0));
        record(2, 4, 99999, at(4, 10, 9, 30));
        record(1, 4, 80, at(4, 10, 10, 0));
    }

    AuditReport audit() { return ResultAudit(installation(), QDate(2026, 4, 10)).run(); }

    // A result as the recorder writes it, at 11:00 on a day of April.
    static ResultRecord planted(int pupil, int item, qint32 seconds, int day = 10)
    {
        ResultRecord record =
            testResult(pupil, item, seconds, DayNumber::fromDate(QDate(2026, 4, day)), 11.0 / 24);
        record.setSchoolCode(QStringLiteral("12345"));
        return record;
    }

    // Appends a record to the result file, its twin to the home-use file, or both.
    void plant(const ResultRecord& record, bool toResults = true, bool toHome = true,
               QByteArray resultBytes = {})
    {
        if (resultBytes.isEmpty())
            resultBytes = RecordCodec::encodeResult(record);
        if (toResults)
            appendBytes(installation().resultFile(), resultBytes);
        if (toHome)
            appendBytes(installation().homeFile(),
                        RecordCodec::encodeHome(record, QStringLiteral("prog\\")));
    }
};

TEST_F(ResultAuditTest, SoundFilesHaveNoFault)
{
    const AuditReport report = audit();
    EXPECT_EQ(report.faultCount, 0);
    EXPECT_EQ(report.exitStatus(), 0);
    EXPECT_EQ(report.files[0].records, 3);
    EXPECT_EQ(report.files[1].records, 3);
}

TEST_F(ResultAuditTest, EachFieldOutOfRangeIsFound)
{
    const struct
    {
        const char* field;
        std::function<void(ResultRecord&)> spoil;
    } cases[] = {
        {"日付", [](ResultRecord& r) { r.date = DayNumber::fromDate(QDate(1999, 12, 31)); }},
        {"日付", [](ResultRecord& r) { r.date = DayNumber::fromDate(QDate(2026, 4, 12)); }},
        {"時刻", [](ResultRecord& r) { r.time = 1.0; }},
        {"生徒番号 0", [](ResultRecord& r) { r.pupilNo = 0; }},
        {"項目番号 21", [](ResultRecord& r) { r.itemNo = 21; }},
        {"タイム 0", [](ResultRecord& r) { r.result = 0; }},
        {"タイム 100000", [](ResultRecord& r) { r.result = 100000; }},
        {"学校コード", [](ResultRecord& r) { r.setSchoolCode(QStringLiteral("12a45")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        QFile::resize(installation().resultFile(), 3 * RecordCodec::kResultLength);
        QFile::resize(installation().homeFile(), 3 * RecordCodec::kHomeLength);
        ResultRecord record = planted(1, 2, 60, 9); // dated the day before: no date goes back
        c.spoil(record);
        plant(record);
        const AuditReport report = audit();
        EXPECT_EQ(kindsFound(report), std::set{AuditFaultKind::OutOfRange});
        ASSERT_FALSE(report.faults.empty());
        EXPECT_EQ(report.faults[0].recordNo, 4);
        EXPECT_TRUE(report.faults[0].text.contains(QString::fromUtf8(c.field)))
            << report.faults[0].text.toStdString();
        EXPECT_EQ(report.exitStatus(), 1);
    }

    QFile::resize(installation().resultFile(), 3 * RecordCodec::kResultLength);
    QFile::resize(installation().homeFile(), 3 * RecordCodec::kHomeLength);
    QByteArray padding = RecordCodec::encodeResult(planted(1, 2, 60));
    padding[40] = 'x';
    plant(planted(1, 2, 60), true, true, padding);
    EXPECT_EQ(kindsFound(audit()), std::set{AuditFaultKind::OutOfRange});
}

TEST_F(ResultAuditTest, EachOtherFaultKindIsFoundInTheFileItIsIn)
{
    const struct
    {
        const char* what;
        std::function<void()> plantFault;
        AuditFaultKind kind;
        int file;
    } cases[] = {
        {"torn tail", [this] { appendBytes(installation().resultFile(), "partial"); },
         AuditFaultKind::TornTail, 0},
        {"pupil not in the roster", [this] { plant(planted(7, 2, 60)); },
         AuditFaultKind::NotInRoster, 0},
        {"exact duplicate",
         [this] {
             plant(planted(2, 2, 60));
             plant(planted(2, 2, 60));
         },
         AuditFaultKind::Duplicate, 0},
        {"date goes back", [this] { plant(planted(2, 2, 60, 8)); }, AuditFaultKind::DateGoesBack,
         0},
        {"result without its home-use twin", [this] { plant(planted(2, 2, 60), true, false); },
         AuditFaultKind::WithoutTwin, 0},
        {"home-use record without its result twin",
         [this] { plant(planted(2, 2, 60), false, true); }, AuditFaultKind::WithoutTwin, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::resize(installation().resultFile(), 3 * RecordCodec::kResultLength);
        QFile::resize(installation().homeFile(), 3 * RecordCodec::kHomeLength);
        c.plantFault();
        const AuditReport report = audit();
        EXPECT_EQ(kindsFound(report), std::set{c.kind});
        EXPECT_EQ(report.files[static_cast<size_t>(c.file)].counts[static_cast<size_t>(c.kind)], 1);
        EXPECT_EQ(report.exitStatus(), 1);
    }
}

TEST_F(ResultAuditTest, PupilsFrom4900To5000NeedNoHomeUseTwin)
{
    inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                   QStringLiteral("1,2015,0,0,\"さくら\",0,\"\",\"\"\n"
                                  "2,2017,0,0,\"たろう\",0,\"\",\"\"\n"
                                  "4899,2015,0,0,\"あき\",9,\"\",\"\"\n"
                                  "4900,2015,0,0,\"はる\",9,\"\",\"\"\n"
                                  "5000,2015,0,0,\"なつ\",9,\"\",\"\"\n"));
    plant(planted(4899, 2, 60));
    plant(planted(4900, 2, 61), true, false);
    plant(planted(5000, 2, 62), true, false);
    EXPECT_EQ(audit().faultCount, 0);

    plant(planted(4899, 2, 63), true, false);
    EXPECT_EQ(kindsFound(audit()), std::set{AuditFaultKind::WithoutTwin});
}

TEST_F(ResultAuditTest, AFileThatCannotBeReadGivesStatusTwo)
{
    QFile::remove(installation().homeFile());
    ASSERT_TRUE(QDir().mkdir(installation().homeFile()));
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    InstantSleeper noWait;
    EXPECT_EQ(ResultsCommands::audit(installation(), QDate(2026, 4, 10), false, noWait, outStream,
                                     errStream),
              2);
    EXPECT_TRUE(out.contains(QStringLiteral("読めません"))) << out.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("問題は見つかりませんでした"))) << out.toStdString();
}

namespace {

// Lets the lock holder go at the first wait, as another machine finishing its append.
class ReleasingSleeper : public Sleeper
{
public:
    explicit ReleasingSleeper(QProcess& holder) : m_holder(holder) {}
    void waitWhileEventsRun(int) override
    {
        if (++waits == 1) {
            m_holder.write("go\n");
            m_holder.waitForFinished(60000);
        }
    }
    int waits = 0;

private:
    QProcess& m_holder;
};

} // namespace

TEST_F(ResultAuditTest, CuttingATornTailWaitsForTheLockAndCutsOnlyTheTail)
{
    const QString path = installation().resultFile();
    const QByteArray whole = fileBytes(path);
    appendBytes(path, "partial");

    QProcess holder;
    holder.start(QStringLiteral(LOCK_HOLDER), {path});
    ASSERT_TRUE(holder.waitForReadyRead(60000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));

    ReleasingSleeper sleeper(holder);
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    EXPECT_EQ(ResultsCommands::audit(installation(), QDate(2026, 4, 10), true, sleeper, outStream,
                                     errStream),
              1);
    EXPECT_GE(sleeper.waits, 1);
    EXPECT_EQ(holder.exitCode(), 0);
    EXPECT_EQ(fileBytes(path), whole);
    EXPECT_TRUE(out.contains(QStringLiteral("7 バイトを切り取りました"))) << out.toStdString();
    EXPECT_EQ(audit().faultCount, 0);
}
