#include "core/codepage.h"
#include "fakenavigator.h"
#include "platform/filereplace.h"
#include "roster/rostereditor.h"
#include "roster/rosterreaders.h"
#include "rosterfixture.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class RosterEditorTest : public ::testing::Test, public RosterFixture
{
protected:
    RosterBoxes boxesOf(std::initializer_list<std::pair<QString, QString>> lines)
    {
        RosterBoxes boxes;
        int k = 0;
        for (const auto& [name, year] : lines) {
            ++k;
            boxes.names[k] = name;
            boxes.birthYears[k] = year;
        }
        boxes.lineCount = k;
        return boxes;
    }

    FakeMessageBox messages;
    FakeNavigator navigator;
    RosterEditor editor{state, messages, navigator};
};

// The roster as another program of the family writes it; the kept fields hold values that
// must come back unchanged.
const char* const kOriginal =
    "1,2017,5,-6,\"さくら                 \",0,\"メモ, その1             \",\"                    "
    "\"\r\n"
    "2,2015,0,0,\"はると                 \",,\"                    \",\"x                   \"\r\n"
    "3,2013,7,8,\"ゆい                  \",3,\"                    \",\"                    \"\r\n";

} // namespace

TEST_F(RosterEditorTest, LoadShowsTheFirstThreeLines)
{
    inst.writeBytes("files/生徒用名簿.txt", CodePage::encode(QString::fromUtf8(kOriginal)));
    const RosterBoxes boxes = editor.load();
    EXPECT_EQ(boxes.lineCount, 3);
    EXPECT_EQ(boxes.names[1], QStringLiteral("さくら")); // without the field's padding
    EXPECT_EQ(boxes.birthYears[3], QStringLiteral("2013"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RosterEditorTest, WriteMatchesTheExpectedFileByteForByte)
{
    inst.writeBytes("files/生徒用名簿.txt", CodePage::encode(QString::fromUtf8(kOriginal)));
    // A name typed with spaces around it, a year with 年 after it, an empty year.
    ASSERT_TRUE(
        editor.write(boxesOf({{"  さくら子 ", "2016年"}, {"はると", ""}, {"ゆい", "2012.5"}})));
    const QString expected = QString::fromUtf8(
        "1,2016,5,-6,\"さくら子                \",0,\"メモ, その1             \",\"                "
        "    \"\r\n"
        "2,0,0,0,\"はると                 \",,\"                    \",\"x                   \"\r\n"
        "3,2012,7,8,\"ゆい                  \",3,\"                    \",\"                    "
        "\"\r\n");
    EXPECT_EQ(bytesOf(rosterPath()), CodePage::encode(expected));
    EXPECT_FALSE(QFile::exists(tempPath()));
    EXPECT_TRUE(messages.shown.isEmpty()); // no message; the dialog stays open
}

TEST_F(RosterEditorTest, LinesAfterTheThirdAreKeptAndShortRostersStayShort)
{
    const QString fourth = QStringLiteral("4,2012,1,1,\"よん\",0,\"a\",\"b\"");
    writeRoster({line(1, 2015, "いち"), line(2, 2015, "に"), line(3, 2015, "さん"), fourth});
    ASSERT_TRUE(editor.write(boxesOf({{"イチ", "2015"}, {"に", "2015"}, {"さん", "2015"}})));
    QList<QByteArray> lines = bytesOf(rosterPath()).split('\n');
    ASSERT_EQ(lines.size(), 5); // four lines and the end
    EXPECT_EQ(lines.at(3), CodePage::encode(fourth) + "\r");
    EXPECT_TRUE(lines.at(0).contains(CodePage::encode("イチ")));

    writeRoster({line(1, 2015, "ひとり")});
    ASSERT_TRUE(editor.write(boxesOf({{"ひとり", "2014"}, {"だれか", "2010"}, {"", ""}})));
    EXPECT_EQ(bytesOf(rosterPath()),
              CodePage::encode(line(1, 2014, "ひとり") + QStringLiteral("\r\n")));
}

TEST_F(RosterEditorTest, ProblemsLeaveTheRosterUntouched)
{
    const QStringList original = {line(1, 2015, "いち"), line(2, 2015, "に")};
    struct Case
    {
        const char* what;
        RosterBoxes boxes;
        const char* expected;
    };
    const Case cases[] = {
        {"year beyond 16 bits", boxesOf({{"いち", "40000"}, {"に", "2015"}}), "40000"},
        {"negative year beyond 16 bits", boxesOf({{"いち", "2015"}, {"に", "-33000"}}), "2行目"},
        {"double quote in a name", boxesOf({{"い\"ち", "2015"}, {"に", "2015"}}), "1行目"},
        {"character outside the code page", boxesOf({{"いち😀", "2015"}, {"に", "2015"}}), "1行目"},
        {"name of blanks only", boxesOf({{"いち", "2015"}, {"   ", "2015"}}), "2行目の名前が空"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeRoster(original);
        const QByteArray before = bytesOf(rosterPath());
        messages.shown.clear();
        EXPECT_FALSE(editor.write(c.boxes));
        EXPECT_EQ(bytesOf(rosterPath()), before);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown.first().text.contains(QString::fromUtf8(c.expected)))
            << messages.shown.first().text.toStdString();
    }

    // A kept text read without quotes may hold a quote that its written form could not.
    writeRoster({line(1, 2015, "いち"), QStringLiteral("2,2015,0,0,\"に\",0,a\"b,\"\"")});
    const QByteArray quoted = bytesOf(rosterPath());
    messages.shown.clear();
    EXPECT_FALSE(editor.write(boxesOf({{"いち", "2015"}, {"に", "2015"}})));
    EXPECT_EQ(bytesOf(rosterPath()), quoted);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().text.contains(QStringLiteral("2行目")));

    // A missing or damaged roster is neither created nor rewritten.
    inst.remove("files/生徒用名簿.txt");
    messages.shown.clear();
    EXPECT_EQ(editor.load().lineCount, 0);
    EXPECT_FALSE(editor.write(boxesOf({{"いち", "2015"}})));
    EXPECT_FALSE(QFile::exists(rosterPath()));
    EXPECT_EQ(messages.shown.size(), 2);
    writeRoster({line(1, 2015, "いち"), line(0, 2015, "ぜろ")});
    const QByteArray damaged = bytesOf(rosterPath());
    EXPECT_FALSE(editor.write(boxesOf({{"いち", "2015"}, {"ぜろ", "2015"}})));
    EXPECT_EQ(bytesOf(rosterPath()), damaged);
}

TEST_F(RosterEditorTest, ACrashBeforeTheRenameLeavesARosterThatRecoveryKeepsOrRestores)
{
    writeRoster({line(1, 2015, "古い")});
    const QByteArray old = bytesOf(rosterPath());
    const QByteArray fresh = CodePage::encode(line(1, 2015, "新しい") + QStringLiteral("\r\n"));

    // The new roster is on the disk under the temporary name when the program dies.
    ASSERT_TRUE(writeFileDurably(tempPath(), fresh).ok());
    recoverRosterFile(state.commonFolder);
    EXPECT_EQ(bytesOf(rosterPath()), old); // the old roster is whole and stays
    // The next change overwrites the left-over temporary file.
    ASSERT_TRUE(editor.write(boxesOf({{"次", "2015"}})));
    EXPECT_TRUE(bytesOf(rosterPath()).contains(CodePage::encode("次")));
    EXPECT_FALSE(QFile::exists(tempPath()));

    // A replacement left half done (old roster gone, new one under the temporary name) is
    // completed when the name screen becomes active.
    ASSERT_TRUE(writeFileDurably(tempPath(), fresh).ok());
    inst.remove("files/生徒用名簿.txt");
    recoverRosterFile(state.commonFolder);
    EXPECT_EQ(bytesOf(rosterPath()), fresh);
    EXPECT_EQ(editor.load().names[1], QStringLiteral("新しい"));
}

TEST_F(RosterEditorTest, AFailedWriteKeepsTheOldRoster)
{
    writeRoster({line(1, 2015, "いち")});
    const QByteArray before = bytesOf(rosterPath());
    // The temporary name is taken by a folder: the write fails before the roster is touched.
    QDir().mkpath(tempPath());
    EXPECT_FALSE(editor.write(boxesOf({{"に", "2015"}})));
    EXPECT_EQ(bytesOf(rosterPath()), before);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().text.contains(tempPath()));
}

TEST_F(RosterEditorTest, BackShowsAFreshNameSelectionScreen)
{
    editor.back();
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::NameSelection});
}
