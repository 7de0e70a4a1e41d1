#include "core/listfont.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/waitform.h"
#include "fakeroster.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/records.h"
#include "roster/nameselectionscreen.h"
#include "roster/recordspupilsummary.h"
#include "rosterfixture.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"
#include "testresults.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The name selection screen over a roster and a real result file, with the statistics of the
// records subsystem.
class NameListRecordsTest : public ::testing::Test, public RosterFixture
{
protected:
    NameListRecordsTest()
    {
        for (int item = 1; item <= kMaxItemNo; ++item) {
            state.itemTargetTime[item] = 100;
            state.itemField5[item] = 1.5f;
            state.itemText8[item] = QStringLiteral("7");
            state.itemText9[item] = QStringLiteral("30");
        }
        cues.load(state.soundFolder + kCueListFileName);
        navigator.registerScreen(ScreenId::NameSelection, [this] {
            return new NameSelectionScreen(NameSelectionServices{
                state, navigator, sound, clock, messages, exit, launcher, summary, {}, true});
        });
        window.show();
    }

    void writeResults(const QList<ResultRecord>& results) const
    {
        writeResultFile(inst, {results.begin(), results.end()});
    }
    ResultRecord result(int pupil, int item, qint32 seconds, int daysAgo) const
    {
        return testResult(pupil, item, seconds, dayNumberBefore(clock.current.date(), daysAgo));
    }
    QListWidget* showList()
    {
        navigator.show(ScreenId::NameSelection);
        QCoreApplication::processEvents();
        screen = navigator.loadedScreen(ScreenId::NameSelection);
        return screen ? screen->findChild<QListWidget*>(QStringLiteral("List1")) : nullptr;
    }
    static QStringList rowsOf(const QListWidget* list)
    {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows.append(list->item(i)->text());
        return rows;
    }

    CueTable cues;
    FakeSoundOutput output;
    ScriptedRandom random;
    FakeMessageBox messages;
    FakeProgramExit exit;
    InstantSleeper sleeper;
    SoundCues sound{state, cues, output, random, messages, exit};
    FakeDesktopLauncher launcher;
    Records records{state, clock, sleeper, messages, exit};
    RecordsPupilSummary summary{records};
    MainWindow window;
    Navigator navigator{window.screenStack(), window.waitForm()};
    Screen* screen = nullptr;
};

} // namespace

TEST_F(NameListRecordsTest, RowsShowTheSumsInEveryDisplayMode)
{
    // Two pupils of one birth year (ordered by name), a kindergarten pupil, a pupil with no
    // results. Item targets are 100 s with multiplier 1.5: 50 s earns 16 points, 100 s 7,
    // 150 s 6, a time-over nothing and no count.
    writeRoster({line(1, 2015, "さくら"), line(2, 2013, "はると"), line(3, 2021, "ゆい"),
                 line(4, 2013, "あおい")});
    writeResults({result(2, 2, 150, 30), result(2, 2, 50, 0), result(2, 4, 100, 0),
                  result(1, 3, 50, 10), result(1, 2, 99999, 0), result(3, 1, 100, 0),
                  result(9999, 2, 50, 0)});
    QListWidget* list = showList();
    ASSERT_TRUE(list);

    const QStringList expected[4] = {
        {"－－－－－－", "中1 あおい　　　     /     　", "中1 はると　　　  2回/    3回",
         "小5 さくら　　　     /    1回", "幼2 ゆい　　　　　　  1回/    1回"},
        {"－－－－－－", "中1 あおい　　　  　/       ", "中1 はると　　　  23/     29",
         "小5 さくら　　　  　/     16", "幼2 ゆい　　　　   7/      7"},
        {"－－－－－－", "中1 あおい　　　  　/     ", "中1 はると　　　  23/  2回",
         "小5 さくら　　　  　/     ", "幼2 ゆい　　　　　　   7/  1回"},
        {"－－－－－－", "中1 あおい　　　       /     　", "中1 はると　　　     29/    3回",
         "小5 さくら　　　     16/    1回", "幼2 ゆい　　　　　　      7/    1回"},
    };
    const QFontMetrics metrics(list->font());
    for (int mode : {0, 2, 3, 1}) {
        SCOPED_TRACE(mode);
        QTest::mouseClick(screen->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(mode)),
                          Qt::LeftButton);
        const QStringList rows = rowsOf(list);
        EXPECT_EQ(rows, expected[mode]);
        // Blank columns take the same room as filled ones in the fixed-pitch font.
        ASSERT_EQ(rows.size(), 5);
        const int width = metrics.horizontalAdvance(rows.at(1));
        EXPECT_EQ(metrics.horizontalAdvance(rows.at(2)), width);
        EXPECT_EQ(metrics.horizontalAdvance(rows.at(3)), width);
        // Kindergarten rows have a name column two full-width characters wider, except in mode 1.
        EXPECT_EQ(metrics.horizontalAdvance(rows.at(4)),
                  width + (mode == 1 ? 0 : 2 * metrics.horizontalAdvance(QStringLiteral("　"))));
    }

    screen->findChild<QComboBox*>(QStringLiteral("Combo1"))
        ->setCurrentText(QStringLiteral("中学生全体"));
    EXPECT_EQ(rowsOf(list), (QStringList{"－－－－－－", "中1 あおい　　　  　/       ",
                                         "中1 はると　　　  23/     29"}));
    EXPECT_EQ(state.gradeFilterText, QStringLiteral("中学生全体"));
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentRow(), 0);
}

TEST_F(NameListRecordsTest, InTheMonthBeforeTheStartMonthAPupilBornEightYearsAgoIsInGradeOne)
{
    clock.current = QDateTime(QDate(2026, 3, 20), QTime(15, 0));
    writeRoster({line(1, 2026 - 8, "いちねん")});
    QListWidget* list = showList();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("小1 いちねん　　  　/       "));
    EXPECT_EQ(state.gradeLabelByNo[1], QStringLiteral("小１"));
}
