#include "core/catalogue.h"
#include "core/userinstallation.h"
#include "fakenavigator.h"
#include "fakeroster.h"
#include "roster/nameselection.h"
#include "rosterfixture.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NameSelectionTest : public ::testing::Test, public RosterFixture
{
protected:
    NameSelectionTest()
    {
        cues.load(state.soundFolder + kCueListFileName);
        writeRoster({line(1, 2015, "さくら"), line(2, 2013, "はると"), line(3, 2021, "ゆい")});
        summary.sums[2].todayPoints = 9;
    }

    NameSelectionServices services(bool singleInstance = true)
    {
        NameSelectionServices s{state, navigator, sound,   clock, messages,
                                exit,  launcher,  summary, {},    singleInstance};
        s.hooks.openPrintSettings = [this] { hookCalls << QStringLiteral("print"); };
        s.hooks.openRosterEditor = [this] { hookCalls << QStringLiteral("roster"); };
        s.hooks.showAbout = [this] { hookCalls << QStringLiteral("about"); };
        s.hooks.openHelp = [this] { hookCalls << QStringLiteral("help"); };
        return s;
    }
    // The screen as start-up leaves it: loaded and activated.
    NameSelection& shown()
    {
        screen.load();
        screen.activate();
        navigator.unloaded.clear();
        return screen;
    }
    QString wrongCue() const { return "play " + state.soundFolder + "ng1.wav wait"; }

    CueTable cues;
    FakeSoundOutput output;
    ScriptedRandom random;
    FakeMessageBox messages;
    FakeProgramExit exit;
    SoundCues sound{state, cues, output, random, messages, exit};
    FakeNavigator navigator;
    FakeDesktopLauncher launcher;
    FakePupilSummary summary;
    FakeNameSelectionView view;
    QStringList hookCalls;
    NameSelection screen{services(), view};
};

} // namespace

TEST_F(NameSelectionTest, LoadBuildsTheSortedListAndShowsTheTitle)
{
    screen.load();
    EXPECT_EQ(view.title, QStringLiteral("Sorawa"));
    EXPECT_EQ(view.rows,
              (QStringList{"－－－－－－", "中1 はると　　　   9/       ",
                           "小5 さくら　　　  　/       ", "幼2 ゆい　　　　  　/       "}));
    EXPECT_EQ(view.rows, screen.rows());
    EXPECT_EQ(screen.keys().size(), 3);
    EXPECT_EQ(view.selectedRow, 0);
    EXPECT_EQ(view.choice, QStringLiteral("名前を選びなさい"));
    EXPECT_FALSE(view.waitVisible);
    EXPECT_EQ(summary.computed, 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(NameSelectionTest, ASecondInstanceIsWarnedAndEndsBeforeAnythingIsRead)
{
    NameSelection second(services(false), view);
    EXPECT_THROW(second.load(), ProgramExitRequested);
    EXPECT_EQ(view.errors,
              QStringList{"注意|このプログラムと同じプログラムがすでに起動され、完全に"
                          "終了されていません。同じプログラムを完全に終了させてから実行"
                          "してください。"});
    EXPECT_EQ(summary.computed, 0);
    EXPECT_TRUE(view.rows.isEmpty());
}

TEST_F(NameSelectionTest, FourListedPupilsLoadAndAFifthLineEndsTheProgram)
{
    writeRoster(
        {line(1, 2015, "あ"), line(2, 2015, "い"), line(3, 2015, "う"), line(4, 2015, "え")});
    screen.load();
    EXPECT_EQ(view.rows.size(), 5);
    EXPECT_TRUE(messages.shown.isEmpty());

    writeRoster({line(1, 2015, "あ"), line(2, 2015, "い"), line(3, 2015, "う"), line(4, 2015, "え"),
                 line(5, 2015, "お", "1")});
    EXPECT_THROW(screen.activate(), ProgramExitRequested);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.first().title, QStringLiteral("Sorawa"));
    EXPECT_EQ(messages.shown.first().text, QStringLiteral("家庭用は3人までしか登録できません"));
    EXPECT_NE(exit.requests, 0);
}

TEST_F(NameSelectionTest, ADamagedRosterIsReportedOnceAndTheScreenStaysUsable)
{
    writeRoster({line(1, 2015, "さくら"), line(0, 2013, "ぜろ"), line(3, 2021, "ゆい")});
    shown();
    ASSERT_EQ(messages.shown.size(), 1); // load and activation, one message
    EXPECT_TRUE(messages.shown.first().text.contains(rosterPath()));
    EXPECT_TRUE(messages.shown.first().text.contains(QStringLiteral("2行目")));
    EXPECT_EQ(view.rows.size(), 2);
    screen.rowClicked(1);
    screen.start();
    EXPECT_EQ(state.pupilNo, 1);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});

    inst.remove("files/生徒用名簿.txt");
    NameSelection fresh(services(), view);
    fresh.load();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown.last().text.contains(QStringLiteral("開けません")));
    EXPECT_EQ(view.rows, QStringList{"－－－－－－"});
}

TEST_F(NameSelectionTest, ChoosingARowAndStartingOpensTheHubForThatPupil)
{
    shown();
    clock.current.setTime(QTime(9, 30, 15, 600));
    screen.rowClicked(1);
    EXPECT_EQ(view.choice, QStringLiteral("中1 はると　　　"));
    EXPECT_EQ(view.chosenNumber, QStringLiteral("2"));
    screen.start();
    EXPECT_EQ(state.pupilNo, 2);
    EXPECT_EQ(state.pupilName, QStringLiteral("はると").leftJustified(20, u' '));
    EXPECT_EQ(state.currentGradeLabel, QStringLiteral("中１"));
    EXPECT_EQ(state.pupilStartTime, 9 * 3600 + 30 * 60 + 16);
    EXPECT_EQ(state.itemCount, 20); // the catalogue is filled before the hub opens
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_FALSE(view.startVisible);
    EXPECT_TRUE(view.waitVisible);
    EXPECT_TRUE(output.commands.isEmpty());

    // While the hub opens, "1" and another start do nothing.
    EXPECT_FALSE(screen.screenKeyPressed(u'1'));
    screen.listKeyPressed(u'\r');
    EXPECT_EQ(navigator.shown.size(), 1);
    EXPECT_TRUE(output.commands.isEmpty());
}

TEST_F(NameSelectionTest, StartingWithoutAChoicePlaysTheWrongCueOnly)
{
    shown();
    screen.rowClicked(0); // the separator row
    EXPECT_EQ(view.choice, QStringLiteral("名前を選びなさい"));
    screen.start();
    screen.rowDoubleClicked(0);
    EXPECT_EQ(output.commands, (QStringList{wrongCue(), wrongCue()}));
    EXPECT_TRUE(navigator.shown.isEmpty());
    EXPECT_TRUE(view.startVisible);
    EXPECT_EQ(state.pupilNo, 0);
}

TEST_F(NameSelectionTest, KeysAndDoubleClickRunTheStartAction)
{
    shown();
    screen.rowClicked(2);
    screen.listKeyPressed(u' ');
    EXPECT_EQ(state.pupilNo, 1);

    screen.activate(); // back from the hub
    EXPECT_TRUE(view.startVisible);
    screen.rowClicked(3);
    EXPECT_TRUE(screen.screenKeyPressed(u'1'));
    EXPECT_EQ(state.pupilNo, 3);

    screen.activate();
    screen.rowDoubleClicked(1);
    EXPECT_EQ(view.choice, QStringLiteral("中1 はると　　　   9")); // up to the first "/"
    EXPECT_EQ(state.pupilNo, 2);
    EXPECT_EQ(navigator.shown.size(), 3);
    screen.listKeyPressed(u'a'); // other keys do nothing
    EXPECT_EQ(navigator.shown.size(), 3);
}

TEST_F(NameSelectionTest, ActivationRecoversTheRosterResetsTheOptionsAndClosesTheHub)
{
    shown();
    screen.filterChosen(QStringLiteral("中学生全体"));
    EXPECT_EQ(state.gradeFilterText, QStringLiteral("中学生全体"));
    EXPECT_EQ(view.rows, (QStringList{"－－－－－－", "中1 はると　　　   9/       "}));
    EXPECT_EQ(view.log.last(), QStringLiteral("focus list"));
    screen.displayModeChosen(AllPointsAllCount);
    EXPECT_EQ(view.rows.at(1), QStringLiteral("中1 はると　　　       /     　"));

    // A roster replacement left half done is completed before the list is read.
    inst.writeText("files/生徒用名簿temp.txt", line(4, 2016, "あたらしい"));
    inst.remove("files/生徒用名簿.txt");
    state.printEnabled = 0;
    screen.activate();
    EXPECT_EQ(state.gradeFilterText, QStringLiteral("全学年"));
    EXPECT_EQ(view.filterEntries,
              (QStringList{"全学年", "中学生全体", "小学生全体", "中３", "中２", "中１", "小６",
                           "小５", "小４", "小３", "小２", "小１"}));
    EXPECT_EQ(view.displayMode, 1);
    EXPECT_EQ(screen.displayMode(), 1);
    EXPECT_EQ(view.rows.size(), 2);
    EXPECT_EQ(view.rows.at(1), QStringLiteral("小4 あたらしい　  　/       "));
    EXPECT_FALSE(view.printVisible);
    EXPECT_EQ(navigator.unloaded, QList<ScreenId>{ScreenId::Hub});
    EXPECT_EQ(view.choice, QStringLiteral("名前を選びなさい"));
    EXPECT_FALSE(view.waitVisible);
}

// A per-user installation's first start while another program of the family is halfway
// through replacing the roster: the template's roster never takes the pupils' place.
TEST_F(NameSelectionTest, FirstStartLeavesAHalfDoneRosterReplacementToTheRecovery)
{
    QTemporaryDir templ;
    for (const char* file :
         {"四字熟語/設定.txt", "四字熟語/タイム回数データ.txt", "四字熟語/四字02vv.ccc",
          "files/共通データ.txt", "files/新音ファイル.txt"}) {
        QDir().mkpath(QFileInfo(templ.filePath(QString::fromUtf8(file))).path());
        QFile copy(templ.filePath(QString::fromUtf8(file)));
        ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    }
    QFile demo(templ.filePath(QStringLiteral("files/生徒用名簿.txt")));
    ASSERT_TRUE(demo.open(QIODevice::WriteOnly));
    demo.write("9,2015,0,0,\"見本\",0,\"\",\"\"\r\n");
    demo.close();
    inst.remove("files/生徒用名簿.txt");
    inst.writeText("files/生徒用名簿temp.txt",
                   line(1, 2015, "さくら") + u'\n' + line(2, 2013, "はると") + u'\n');
    const QByteArray pupils = bytesOf(tempPath());

    ASSERT_TRUE(UserInstallation(templ.path(), inst.root()).ensure().ok());
    shown();
    EXPECT_EQ(view.rows, (QStringList{"－－－－－－", "中1 はると　　　   9/       ",
                                      "小5 さくら　　　  　/       "}));
    EXPECT_EQ(bytesOf(rosterPath()), pupils);
}

TEST_F(NameSelectionTest, QuitStartsTheProgramMenuAndEndsEvenWhenItCannotStart)
{
    shown();
    EXPECT_THROW(screen.screenKeyPressed(u'0'), ProgramExitRequested);
    EXPECT_EQ(launcher.started,
              QStringList{state.programFolder + "../起動/プログラムメニュー.exe 001"});
    launcher.succeed = false;
    EXPECT_THROW(screen.quit(), ProgramExitRequested);
    EXPECT_EQ(exit.requests, 2);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(NameSelectionTest, MenuActionsOpenTheirWindowsAndAddresses)
{
    shown();
    launcher.succeed = false;
    screen.openHelp();
    screen.openMakerWebPage();
    screen.writeContactMail();
    EXPECT_EQ(launcher.opened, (QStringList{kMakerWebPage, kContactMail}));
    EXPECT_TRUE(kContactMail.startsWith(QStringLiteral("mailto:")));
    screen.print();
    screen.showAbout();
    screen.editRoster();
    EXPECT_EQ(hookCalls, (QStringList{"help", "print", "about", "roster"}));
    // The roster edit dialog replaces the name screen, which is loaded afresh afterwards.
    EXPECT_EQ(navigator.unloaded, QList<ScreenId>{ScreenId::NameSelection});
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(view.errors.isEmpty());
}
