#include "records/recordcodec.h"
#include "resultexport.h"
#include "resultscommands.h"
#include "resultstoolfixture.h"
#include "review/pupilstudy.h"
#include "studytable.h"

#include <QBuffer>
#include <QFile>

#include <limits>
#include <utility>

namespace {

std::string exported(ResultsInstallation& installation, const ExportOptions& options)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const ExportOutcome outcome = ResultExporter(installation).exportTo(options, out);
    EXPECT_TRUE(outcome.status.ok()) << outcome.status.message.toStdString();
    return out.data().toStdString();
}

const std::string kHeader = std::string("日付,時刻,生徒番号,名前,学年,項目番号,項目名,タイム（秒）,"
                                        "時間切れ,ポイント,学校コード");

} // namespace

TEST_F(ResultsToolTest, ExportWritesEveryColumnOfTheRecordersRecords)
{
    record(1, 2, 51, at(4, 10, 10, 0));
    record(1, 4, 99999, at(4, 11, 9, 30, 15)); // time-over
    record(3, 2, 200, at(4, 12, 23, 59, 59));  // a pupil who has left
    ResultsInstallation& results = installation();

    EXPECT_EQ(exported(results, {}),
              "\xEF\xBB\xBF" + kHeader + "\r\n" +
                  std::string("2026-04-10,10:00:00,1,さくら,小５,2,範囲１,51,0,16,12345\r\n"
                              "2026-04-11,09:30:15,1,さくら,小５,4,範囲２,,1,0,12345\r\n"
                              "2026-04-12,23:59:59,3,,,2,範囲１,200,0,6,12345\r\n"));

    ExportOptions home;
    home.home = true;
    home.byteOrderMark = false;
    EXPECT_EQ(exported(results, home).substr(0, kHeader.size() + 102),
              kHeader + ",プログラムフォルダ\r\n2026-04-10,10:00:00,1,さくら,小５,2,範囲１,51,0,16,"
                        "12345,prog\\\r\n");
}

TEST_F(ResultsToolTest, ExportFiltersIncludeBothEndsOfThePeriod)
{
    record(1, 2, 60, at(4, 9, 23, 59, 59));
    record(1, 2, 61, at(4, 10, 0, 0));
    record(2, 2, 62, at(4, 11, 12, 0));
    record(1, 4, 63, at(4, 12, 23, 59, 59));
    record(1, 2, 64, at(4, 13, 0, 0));
    ExportOptions options;
    options.byteOrderMark = false;
    options.since = QDate(2026, 4, 10);
    options.until = QDate(2026, 4, 12);
    options.pupils = {1};
    const QStringList rows =
        QString::fromStdString(exported(installation(), options)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 4); // header, two rows, the empty text after the last line end
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("2026-04-10,00:00:00,1,")));
    EXPECT_TRUE(rows[2].startsWith(QStringLiteral("2026-04-12,23:59:59,1,")));

    options.items = {2};
    EXPECT_EQ(QByteArray::fromStdString(exported(installation(), options)).count("\r\n"), 2);
}

TEST_F(ResultsToolTest, ExportWithOnlyOneEndOfThePeriodIsOpenOnTheOtherSide)
{
    record(1, 2, 60, at(4, 9, 23, 59, 59));
    record(1, 2, 61, at(4, 10, 0, 0));
    record(1, 2, 62, at(4, 11, 0, 0));
    const auto days = [this](const ExportOptions& options) {
        QStringList days;
        const QStringList rows = QString::fromStdString(exported(installation(), options))
                                     .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (qsizetype row = 1; row < rows.size(); ++row)
            days << rows[row].left(10);
        return days;
    };
    ExportOptions untilOnly;
    untilOnly.until = QDate(2026, 4, 10);
    EXPECT_EQ(days(untilOnly), QStringList({"2026-04-09", "2026-04-10"}));
    ExportOptions sinceOnly;
    sinceOnly.since = QDate(2026, 4, 10);
    EXPECT_EQ(days(sinceOnly), QStringList({"2026-04-10", "2026-04-11"}));
}

TEST_F(ResultsToolTest, ExportOfATornFileWritesTheWholeRecordsAndReportsTheTail)
{
    record(1, 2, 51, at(4, 10, 10, 0));
    record(2, 2, 52, at(4, 10, 11, 0));
    {
        QFile file(installation().resultFile());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(10, 'x'));
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString errors;
    QTextStream err(&errors);
    ExportOptions options;
    EXPECT_EQ(ResultsCommands::exportResults(installation(), options, out, err), 0);
    EXPECT_EQ(out.data().count("\r\n"), 3);
    EXPECT_TRUE(errors.contains(QStringLiteral("末尾 10 バイト（バイト位置 88 から）")))
        << errors.toStdString();
}

TEST(CsvFieldTest, QuotesOnlyWhatNeedsQuoting)
{
    EXPECT_EQ(csvField(QStringLiteral("さくら")), QByteArray("さくら"));
    EXPECT_EQ(csvField(QStringLiteral("a,\"b\"")), QByteArray("\"a,\"\"b\"\"\""));
    EXPECT_EQ(csvField(QStringLiteral("a\nb")), QByteArray("\"a\nb\""));
    EXPECT_EQ(csvField(QStringLiteral("=1,2")), QByteArray("\"'=1,2\""));
}

// A name typed into the roster must reach the teacher's spreadsheet as text, not as a formula.
TEST_F(ResultsToolTest, ExportKeepsARosterNameThatLooksLikeAFormulaText)
{
    inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                   QStringLiteral("1,2015,0,0,\"=1+1\",0,\"\",\"\"\n"
                                  "2,2017,0,0,\"-太郎\",0,\"\",\"\"\n"));
    record(1, 2, 51, at(4, 10, 10, 0));
    record(2, 2, 51, at(4, 10, 11, 0));
    const std::string csv = exported(installation(), {});
    EXPECT_NE(csv.find("\n2026-04-10,10:00:00,1,'=1+1,小５,2,範囲１,51,0,16,12345\r\n"
                       "2026-04-10,11:00:00,2,'-太郎,小３,"),
              std::string::npos)
        << csv;
}

// The plain table is read line by line: a damaged idiom must not split its row.
TEST(StudyTableTest, AControlCharacterInAnIdiomShowsAsAQuestionMark)
{
    PupilStudy study(1);
    StudyEvent answer;
    answer.date = QDate(2026, 4, 10);
    answer.pupilNo = 1;
    answer.idiom = QStringLiteral("温故\n新");
    answer.range = 1;
    study.add(answer);
    const QStringList lines =
        studyTableLines(study, PupilStudy(1, StudySkill::Write), {}, answer.date, false);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("温故?新\t1\t1\t0\t")))
        << lines[1].toStdString();
}

TEST_F(ResultsToolTest, ExportOfADamagedRecordLeavesWhatItCannotReadEmpty)
{
    record(1, 2, 51, at(4, 10, 10, 0));
    QFile file(installation().resultFile());
    ASSERT_TRUE(file.open(QIODevice::Append));
    ResultRecord damaged;
    damaged.date = std::numeric_limits<double>::quiet_NaN();
    damaged.time = std::numeric_limits<double>::infinity();
    damaged.result = 51;
    damaged.schoolCode = {'1', '2', '3', '4', '5'};
    for (const auto& [pupil, item] : {std::pair<qint16, qint16>{0, 99}, {5001, 0}}) {
        damaged.pupilNo = pupil;
        damaged.itemNo = item;
        file.write(RecordCodec::encodeResult(damaged));
    }
    file.close();

    ExportOptions options;
    options.byteOrderMark = false;
    EXPECT_EQ(exported(installation(), options),
              kHeader + "\r\n" +
                  std::string("2026-04-10,10:00:00,1,さくら,小５,2,範囲１,51,0,16,12345\r\n"
                              ",,0,,,99,,51,0,,12345\r\n"
                              ",,5001,,,0,,51,0,,12345\r\n"));
}
