#include "roster/rostergrades.h"
#include "roster/rosterreaders.h"
#include "rosterfixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class RosterReadersTest : public ::testing::Test, public RosterFixture
{
protected:
    // Reads for the name screen and returns the listed pupils' numbers in file order.
    Status readForNameScreen(QList<int>* listed = nullptr)
    {
        return readRosterForNameScreen(state, clock.current.date(), [&](const RosterEntry& e) {
            if (listed)
                listed->append(e.pupilNo);
        });
    }
};

} // namespace

TEST_F(RosterReadersTest, NameScreenReaderFillsTheTablesForEveryLineAndListsStatusZero)
{
    writeRoster({line(7, 2017, "さくら"), line(12, 2015, "はると", "3"), line(3, 2013, "ゆい"),
                 line(9, 2014, "れん", "2")});
    QList<int> listed;
    ASSERT_TRUE(readForNameScreen(&listed).ok());
    EXPECT_EQ(listed, (QList<int>{7, 3}));
    EXPECT_EQ(state.listedPupilCount, 2);
    EXPECT_EQ(state.pupilNoByLine[1], 7);
    EXPECT_EQ(state.pupilNoByLine[2], 3);
    EXPECT_EQ(state.schoolYear, 2026);
    // Unlisted pupils are still known by number.
    EXPECT_EQ(state.pupilNameByNo[12], QStringLiteral("はると                 "));
    EXPECT_EQ(state.pupilNameByNo[12].size(), 20);
    EXPECT_EQ(state.birthYearByNo[9], 2014);
    EXPECT_EQ(state.gradeLabelByNo[7], QStringLiteral("小３"));
    EXPECT_EQ(state.gradeLabelByNo[3], QStringLiteral("中１"));
}

TEST_F(RosterReadersTest, StatusTwoIsListedOnlyWithCommonOption3)
{
    writeRoster({line(1, 2015, "あ", "2"), line(2, 2015, "い", "0")});
    QList<int> listed;
    ASSERT_TRUE(readForNameScreen(&listed).ok());
    EXPECT_EQ(listed, QList<int>{2});
    state.commonOption3 = 1;
    listed.clear();
    ASSERT_TRUE(readForNameScreen(&listed).ok());
    EXPECT_EQ(listed, (QList<int>{1, 2}));
    // The hub never lists status 2.
    QStringList hub;
    ASSERT_TRUE(readRosterForHub(state, clock.current.date(), hub).ok());
    EXPECT_EQ(hub.size(), 1);
}

TEST_F(RosterReadersTest, EmptyRosterGivesAnEmptyListWithoutAProblem)
{
    writeRoster({});
    QList<int> listed;
    EXPECT_TRUE(readForNameScreen(&listed).ok());
    EXPECT_TRUE(listed.isEmpty());
    EXPECT_EQ(state.listedPupilCount, 0);
}

TEST_F(RosterReadersTest, LongNamesAreCutTo20Characters)
{
    inst.writeText("files/生徒用名簿.txt",
                   "1,2015,0,0,\"あいうえおかきくけこさしすせそたちつてとなにぬ\",0,\"\",\"\"\n");
    ASSERT_TRUE(readForNameScreen().ok());
    EXPECT_EQ(state.pupilNameByNo[1], QStringLiteral("あいうえおかきくけこさしすせそたちつてと"));
}

TEST_F(RosterReadersTest, HomeEditionLoadsFourListedPupilsAndStopsAtAFifthLine)
{
    QStringList lines = {line(1, 2015, "あ"), line(2, 2015, "い", "5"), line(3, 2015, "う"),
                         line(4, 2015, "え"), line(5, 2015, "お")};
    writeRoster(lines);
    QList<int> listed;
    ASSERT_TRUE(readForNameScreen(&listed).ok()); // an unlisted line does not count
    EXPECT_EQ(listed, (QList<int>{1, 3, 4, 5}));

    lines.append(line(6, 2015, "か", "9")); // any status, once four are listed
    writeRoster(lines);
    const Status status = readForNameScreen();
    EXPECT_EQ(status.code, kHomeEditionLimit);
    EXPECT_EQ(status.message, QStringLiteral("家庭用は3人までしか登録できません"));

    state.homeEdition = 0; // the school roster has no limit
    inst.writeText("files/新名簿.txt", lines.join(u'\n'));
    EXPECT_TRUE(readForNameScreen().ok());
}

TEST_F(RosterReadersTest, DamagedRostersAreReportedWithTheFileAndLine)
{
    struct Case
    {
        const char* what;
        QString secondLine;
        const char* expected;
    };
    const Case cases[] = {
        {"short line", "2,2015,0,0,\"い\",0", "2行目"},
        {"long line", "2,2015,0,0,\"い\",0,\"\",\"\",9", "2行目"},
        {"number field with text", "2,二〇一五,0,0,\"い\",0,\"\",\"\"", "生まれた年"},
        {"carried number with text", "2,2015,x,0,\"い\",0,\"\",\"\"", "3番目の項目"},
        {"status with text", "2,2015,0,0,\"い\",abc,\"\",\"\"", "6番目の項目"},
        {"pupil number 0", line(0, 2015, "い"), "番号0"},
        {"pupil number 5001", line(5001, 2015, "い"), "番号5001"},
        {"negative pupil number", line(-4, 2015, "い"), "番号-4"},
        {"birth year beyond 16 bits", line(2, 70000, "い"), "生まれた年"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeRoster({line(1, 2015, "あ"), c.secondLine, line(3, 2015, "う")});
        QList<int> listed;
        Status status = readForNameScreen(&listed);
        EXPECT_EQ(status.code, kRosterDamaged);
        EXPECT_TRUE(status.message.contains(rosterPath())) << status.message.toStdString();
        EXPECT_TRUE(status.message.contains(QString::fromUtf8(c.expected)))
            << status.message.toStdString();
        EXPECT_EQ(listed, QList<int>{1}); // the pupils before the damage stay usable
        EXPECT_EQ(state.listedPupilCount, 1);
        QStringList hub;
        status = readRosterForHub(state, clock.current.date(), hub);
        EXPECT_FALSE(status.ok());
        EXPECT_EQ(hub.size(), 1);
    }
}

TEST_F(RosterReadersTest, MissingAndOverlongRostersAreDamaged)
{
    Status status = readForNameScreen();
    EXPECT_EQ(status.code, kRosterDamaged);
    EXPECT_TRUE(status.message.contains(rosterPath()));

    state.homeEdition = 0;
    QStringList lines;
    for (int n = 1; n <= 5001; ++n)
        lines.append(line(n > 5000 ? 1 : n, 2015, "な", "1"));
    inst.writeText("files/新名簿.txt", lines.join(u'\n'));
    status = readForNameScreen();
    EXPECT_EQ(status.code, kRosterDamaged);
    EXPECT_TRUE(status.message.contains("5000"));
}

TEST_F(RosterReadersTest, BlankLinesAndLineFeedsAloneAreAccepted)
{
    inst.writeBytes("files/生徒用名簿.txt",
                    "1,2015,0,0,\"a\",0,\"\",\"\"\n\n2,2016,0,0,\"b\",,\"\",\"\"\n  \n");
    QList<int> listed;
    ASSERT_TRUE(readForNameScreen(&listed).ok());
    EXPECT_EQ(listed, (QList<int>{1, 2})); // an empty status is status 0
}

TEST_F(RosterReadersTest, GradesFollowTheSchoolYear)
{
    // Before the start month the school year is the previous calendar year.
    EXPECT_EQ(schoolYearOf(QDate(2026, 3, 31), 4), 2025);
    EXPECT_EQ(schoolYearOf(QDate(2026, 4, 1), 4), 2026);
    const QStringList rowLabels = {"幼-", "幼1", "幼2", "幼3", "小1", "小6",
                                   "中1", "中3", "高1", "高3", "大+"};
    const int grades[] = {-3, -2, -1, 0, 1, 6, 7, 9, 10, 12, 13};
    for (int i = 0; i < rowLabels.size(); ++i)
        EXPECT_EQ(rowGradeLabel(grades[i]), rowLabels.at(i)) << grades[i];
    EXPECT_EQ(fullWidthGradeLabel(0), QStringLiteral("幼３"));
    EXPECT_EQ(fullWidthGradeLabel(6), QStringLiteral("小６"));
    EXPECT_EQ(fullWidthGradeLabel(9), QStringLiteral("中３"));
    EXPECT_EQ(fullWidthGradeLabel(10), QStringLiteral("高１"));
    EXPECT_TRUE(fullWidthGradeLabel(11).isEmpty());
    EXPECT_TRUE(fullWidthGradeLabel(-1).isEmpty());
}

TEST_F(RosterReadersTest, BothReadersAgreeOnGradesInTheMonthsBeforeTheStartMonth)
{
    clock.current = QDateTime(QDate(2026, 2, 10), QTime(8, 0));
    writeRoster({line(1, 2026 - 8, "あおい"), line(2, 2026 - 14, "けん")});
    ASSERT_TRUE(readForNameScreen().ok());
    EXPECT_EQ(state.schoolYear, 2025);
    EXPECT_EQ(rowGradeLabel(gradeNoOf(state.schoolYear, 2026 - 8)), QStringLiteral("小1"));
    EXPECT_EQ(state.gradeLabelByNo[1], QStringLiteral("小１"));

    state.gradeLabelByNo.fill(QString());
    QStringList hub;
    ASSERT_TRUE(readRosterForHub(state, clock.current.date(), hub).ok());
    // The hub shows the same grades as the name screen, not one year lower.
    EXPECT_EQ(hub, (QStringList{"小１ /  あおい/1", "中１ /  けん/2"}));
    EXPECT_EQ(state.pupilNameByNo[1], QStringLiteral("あおい")); // trimmed for the hub
}

TEST_F(RosterReadersTest, GradesOutsideTheLabelTableLeaveTheEntryAsItWas)
{
    state.gradeLabelByNo[1] = QStringLiteral("前の値");
    writeRoster({line(1, 2026 - 18, "だい")}); // grade 12: no full-width label
    ASSERT_TRUE(readForNameScreen().ok());
    EXPECT_EQ(state.gradeLabelByNo[1], QStringLiteral("前の値"));
}

TEST_F(RosterReadersTest, RecoveryRenamesTheTemporaryRosterOnlyWhenTheRosterIsMissing)
{
    // Beside a roster that opens, the temporary file may be another program's rewrite that
    // has not been renamed yet: it stays as it is.
    inst.writeText("files/生徒用名簿temp.txt", line(2, 2015, "新しい"));
    const QByteArray pending = bytesOf(tempPath());
    writeRoster({line(1, 2015, "古い")});
    recoverRosterFile(state.commonFolder);
    EXPECT_TRUE(bytesOf(rosterPath()).contains("1,2015"));
    EXPECT_EQ(bytesOf(tempPath()), pending);

    inst.remove("files/生徒用名簿.txt");
    recoverRosterFile(state.commonFolder);
    EXPECT_TRUE(bytesOf(rosterPath()).contains("2,2015"));
    EXPECT_FALSE(QFile::exists(tempPath()));

    inst.remove("files/生徒用名簿.txt");
    recoverRosterFile(state.commonFolder); // neither file: nothing happens, nothing fails
    EXPECT_FALSE(QFile::exists(rosterPath()));
}
