#include "accessibletree.h"
#include "app/program.h"
#include "core/sharedstate.h"
#include "core/startup.h"
#include "drill/idiomsource.h"
#include "fakes.h"
#include "help/helpwindow.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "review/pupilstudy.h"
#include "review/studylog.h"
#include "sound/cuetable.h"
#include "testinstallation.h"
#include "testresults.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStackedWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

namespace {

class SeededRandom : public RandomSource
{
public:
    double nextUnit() override { return m_unit(m_engine); }

private:
    std::mt19937 m_engine{20261208};
    std::uniform_real_distribution<double> m_unit{0.0, 1.0};
};

// The whole program on a fresh installation like the demo's, driven as a pupil drives it:
// only the operating-system services are fakes. With a demo week, the installation is the demo's
// own after a week of tests by its three pupils.
class RoadOfATestDrill : public ::testing::Test
{
protected:
    enum class Installation { Fresh, DemoWeek };

    explicit RoadOfATestDrill(Installation installation = Installation::Fresh)
    {
        inst.writeValidSettings();
        writeIdioms();
        if (installation == Installation::DemoWeek)
            writeDemoSettings();
        else
            inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                           QStringLiteral("1,2016,0,0,\"さくら\",0,\"\",\"\"\n"
                                          "2,2014,0,0,\"はると\",0,\"\",\"\"\n"));
        clock.current = QDateTime(QDate(2026, 6, 10), QTime(16, 0));
        EXPECT_TRUE(Main(*state, inst.programDir(), messages,
                         [&] { return cues.load(state->soundFolder + kCueListFileName); }));
        if (installation == Installation::DemoWeek) {
            writeResultFile(inst, demoWeekResults());
        } else {
            // はると tried range 2 yesterday.
            writeResultFile(inst, {testResult(2, 4, 150, dayNumberBefore(clock.current.date(), 1),
                                              DayNumber::fromTime(QTime(17, 0)))});
        }

        program = std::make_unique<Program>(
            *state, cues,
            PlatformServices{messages, clock, random, sleeper, programExit, sound, launcher}, true);
        program->start();
        settle();
    }

    // The demo's roster, school and time table; the test installation's cues, which need no
    // sound files.
    void writeDemoSettings()
    {
        for (const char* file :
             {"files/生徒用名簿.txt", "files/共通データ.txt", "prog/タイム回数データ.txt"}) {
            const QString path = QString::fromUtf8(file);
            QFile data(QStringLiteral(YOJI_DATA_DIR "/") + QFileInfo(path).fileName());
            ASSERT_TRUE(data.open(QIODevice::ReadOnly)) << file;
            inst.writeText(path, QString::fromUtf8(data.readAll()));
        }
    }
    // Tests of ranges 1 to 3 by さくら (1), はると (2) and ゆい (3) on the six days before,
    // and this morning ゆい's test of range 1 and はると's of range 2.
    std::vector<ResultRecord> demoWeekResults() const
    {
        std::vector<ResultRecord> results;
        for (int day = 6; day >= 1; --day) {
            for (int pupil = 1; pupil <= 3; ++pupil) {
                const int item = 2 * (1 + (day + pupil) % 3);
                results.push_back(testResult(pupil, item, 150 + 17 * day + 9 * pupil,
                                             dayNumberBefore(clock.current.date(), day),
                                             DayNumber::fromTime(QTime(15 + pupil, 5 * day))));
            }
        }
        results.push_back(testResult(3, 2, 142, dayNumberBefore(clock.current.date(), 0),
                                     DayNumber::fromTime(QTime(9, 30))));
        results.push_back(testResult(2, 4, 171, dayNumberBefore(clock.current.date(), 0),
                                     DayNumber::fromTime(QTime(10, 5))));
        return results;
    }

    void writeIdioms()
    {
        QFile csv(QStringLiteral(YOJI_DATA_DIR "/idioms.csv"));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        std::vector<IdiomSource::Row> rows;
        ASSERT_TRUE(IdiomSource::parse(QString::fromUtf8(csv.readAll()), "idioms.csv", rows).ok());
        ASSERT_TRUE(IdiomSource::writeCompanionFile(rows, inst.programDir() +
                                                              QStringLiteral("/四字02vv.ccc"))
                        .ok());
        for (const IdiomSource::Row& row : rows)
            byMeaning[row.fields.at(3)] = row.fields;
    }

    // Runs the queued screen switches and deletes the screens that were left.
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    QWidget* screen() { return program->window().screenStack().currentWidget(); }
    template <typename T = QLabel> T* element(const QString& name)
    {
        T* found = screen()->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    void click(const QString& name) { QTest::mouseClick(element<QWidget>(name), Qt::LeftButton); }
    void clickTileShowing(const QString& prefix, int count, const QString& c)
    {
        for (int i = 1; i <= count; ++i) {
            auto* tile = element(prefix + QString::number(i));
            if (tile->isVisible() && tile->text() == c) {
                QTest::mouseClick(tile, Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << "no tile shows " << c.toStdString();
    }
    QString textContaining(const QString& part)
    {
        for (QLabel* label : screen()->findChildren<QLabel*>())
            if (label->isVisible() && label->text().contains(part))
                return label->text();
        return QString();
    }

    // Answers every question of the drill on screen, two seconds each, until it hands over or
    // shows its finish view: right at once, except the first wrongOnce idioms asked, which are
    // answered wrongly once. Gives the idioms asked, and those answered wrongly in wrong.
    QStringList answerEveryQuestion(int wrongOnce = 0, QStringList* wrong = nullptr)
    {
        QStringList asked;
        QStringList wrongs;
        const QWidget* drill = screen();
        while (screen() == drill &&
               !element<QWidget>(QStringLiteral("reviewFinish"))->isVisible()) {
            const auto found = byMeaning.find(element(QStringLiteral("Label9"))->text());
            if (asked.size() > 100 || found == byMeaning.end()) {
                ADD_FAILURE() << "no known question";
                break;
            }
            const QStringList idiom = found->second;
            if (!asked.contains(idiom.at(1)))
                asked.append(idiom.at(1));
            clock.monotonic += 2000;
            for (int k = 0; k < 4; ++k)
                clickTileShowing(QStringLiteral("Label15_"), 6, idiom.at(2).mid(k, 1));
            if (wrongs.size() < wrongOnce && !wrongs.contains(idiom.at(1))) {
                wrongs.append(idiom.at(1));
                click(QStringLiteral("Command3")); // no kanji chosen: wrong
                click(QStringLiteral("Command4")); // "次へ"
            } else {
                for (int k = 0; k < 4; ++k)
                    clickTileShowing(QStringLiteral("Label14_"), 12, idiom.at(1).mid(k, 1));
                click(QStringLiteral("Command3"));
            }
            settle();
        }
        if (wrong)
            *wrong = wrongs;
        return asked;
    }
    // Chooses さくら on the name screen and opens the hub.
    void chooseSakura()
    {
        auto* names = element<QListWidget>(QStringLiteral("List1"));
        const QList<QListWidgetItem*> rows =
            names->findItems(QStringLiteral("さくら"), Qt::MatchContains);
        ASSERT_EQ(rows.size(), 1);
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                          names->visualItemRect(rows.first()).center());
        click(QStringLiteral("Command14"));
        settle();
        ASSERT_NE(screen()->findChild<QWidget*>(QStringLiteral("HScroll1")), nullptr);
    }
    // Chooses さくら on the name screen and starts an item from the hub by its key.
    void chooseSakuraAndStart(Qt::Key itemKey)
    {
        chooseSakura();
        QTest::keyClick(screen(), itemKey);
        settle();
    }
    void finishScreenShowsItsButtons()
    {
        QMetaObject::invokeMethod(element<QTimer>(QStringLiteral("Timer1")), "timeout");
        settle();
    }
    // The README's and the book's pictures: kept when YOJI_SCREENSHOT_DIR is set.
    static void keepPicture(QWidget* window, const QString& name)
    {
        const QString folder = qEnvironmentVariable("YOJI_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            window->grab().save(folder + u'/' + name + QStringLiteral(".png"));
    }
    QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TestInstallation inst;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    CueTable cues;
    FakeMessageBox messages;
    ManualClock clock;
    SeededRandom random;
    InstantSleeper sleeper;
    FakeProgramExit programExit;
    FakeSoundOutput sound;
    FakeDesktopLauncher launcher;
    std::map<QString, QStringList> byMeaning;
    std::unique_ptr<Program> program;
};

} // namespace

TEST_F(RoadOfATestDrill, ChoosePupilRunATestSeeTheResultAndTheHubAndGoAgain)
{
    // Name selection: choose さくら and press "O.K."; on the hub key "4" starts 範囲２.
    chooseSakuraAndStart(Qt::Key_4);
    EXPECT_EQ(state->pupilNo, 1);
    ASSERT_EQ(element(QStringLiteral("sLabel8"))->text(), QStringLiteral("範囲２"));
    answerEveryQuestion();

    // The finish screen.
    const int seconds = static_cast<int>(clock.monotonic / 1000);
    EXPECT_EQ(textContaining(QStringLiteral("今の成績")),
              QStringLiteral("今の成績：%1秒").arg(seconds));
    const QString pointsLine = element(QStringLiteral("Label19"))->text();
    const QRegularExpressionMatch points =
        QRegularExpression(QStringLiteral("^獲得ポイント：\\d+点×1\\.5→(\\d+)点$"))
            .match(pointsLine);
    ASSERT_TRUE(points.hasMatch()) << pointsLine.toStdString();
    EXPECT_GT(points.captured(1).toInt(), 0);
    finishScreenShowsItsButtons();
    click(QStringLiteral("Command4")); // "メニューへ"
    settle();

    // The hub again: today's and all-time tallies, and さくら on top of the points ranking.
    const QString tally = QStringLiteral("1回/%1点").arg(points.captured(1));
    EXPECT_EQ(element(QStringLiteral("Label14_4"))->text(), tally);
    EXPECT_EQ(element(QStringLiteral("Label15_4"))->text(), tally);
    auto* ranking = element<QListWidget>(QStringLiteral("List5_4"));
    ASSERT_GE(ranking->count(), 2);
    EXPECT_TRUE(ranking->item(0)->text().contains(QStringLiteral("さくら")))
        << ranking->item(0)->text().toStdString();

    // One new record in the result file, and its copy in the home-use file.
    const QByteArray results = fileBytes(resultFilePath(*state));
    ASSERT_EQ(results.size(), 2 * RecordCodec::kResultLength);
    const ResultRecord record = RecordCodec::decodeResult(results.constData() + 44);
    EXPECT_EQ(record.pupilNo, 1);
    EXPECT_EQ(record.itemNo, 4);
    EXPECT_EQ(record.result, seconds);
    EXPECT_EQ(record.schoolCodeText(), QStringLiteral("12345"));
    const QByteArray home = fileBytes(homeResultFilePath(*state));
    ASSERT_EQ(home.size(), RecordCodec::kHomeLength);
    EXPECT_EQ(RecordCodec::decodeHome(home.constData()).result, seconds);

    // A second test of the same item, then "もう一度" starts a third.
    QTest::keyClick(screen(), Qt::Key_4);
    settle();
    answerEveryQuestion();
    finishScreenShowsItsButtons();
    ASSERT_TRUE(element<QPushButton>(QStringLiteral("Command5"))->isVisible());
    click(QStringLiteral("Command5")); // "もう一度"
    settle();
    EXPECT_EQ(element(QStringLiteral("sLabel8"))->text(), QStringLiteral("範囲２"));
    EXPECT_EQ(element(QStringLiteral("sLabel11"))->text(), QStringLiteral("3"));
    EXPECT_EQ(fileBytes(resultFilePath(*state)).size(), 3 * RecordCodec::kResultLength);
    EXPECT_EQ(programExit.requests, 0);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// Mistakes come back the next day in a review, which leaves the result files alone.
TEST_F(RoadOfATestDrill, TwoMistakesOfATestComeBackInTheNextDaysReview)
{
    chooseSakuraAndStart(Qt::Key_4);
    QStringList wrong;
    const QStringList tested = answerEveryQuestion(2, &wrong);
    ASSERT_EQ(wrong.size(), 2);
    finishScreenShowsItsButtons();
    click(QStringLiteral("Command4")); // "メニューへ"
    settle();
    EXPECT_FALSE(element<QPushButton>(QStringLiteral("reviewButton"))->isEnabled());
    EXPECT_EQ(element(QStringLiteral("reviewLine"))->text(), QStringLiteral("次の復習は6月11日"));

    clock.current = clock.current.addDays(1);
    click(QStringLiteral("Command1")); // "戻る(0)"
    settle();
    chooseSakura();
    auto* review = element<QPushButton>(QStringLiteral("reviewButton"));
    EXPECT_EQ(review->text(), QStringLiteral("復習 2問"));
    ASSERT_TRUE(review->isEnabled());
    const QByteArray results = fileBytes(resultFilePath(*state));
    const QByteArray home = fileBytes(homeResultFilePath(*state));
    QTest::keyClick(screen(), Qt::Key_R);
    settle();
    EXPECT_EQ(element(QStringLiteral("sLabel8"))->text(), QStringLiteral("復習"));
    const QStringList reviewed = answerEveryQuestion();
    EXPECT_EQ(QSet<QString>(reviewed.begin(), reviewed.end()),
              QSet<QString>(wrong.begin(), wrong.end()));
    EXPECT_EQ(element(QStringLiteral("reviewFirstTry"))->text(),
              QStringLiteral("1回目で正解：2問（2問中）"));
    EXPECT_TRUE(element(QStringLiteral("reviewNext"))
                    ->text()
                    .startsWith(QStringLiteral("次の復習：あした ")));
    click(QStringLiteral("reviewMenu"));
    settle();
    EXPECT_EQ(element<QPushButton>(QStringLiteral("reviewButton"))->text(),
              QStringLiteral("復習 0問"));
    EXPECT_EQ(fileBytes(resultFilePath(*state)), results);
    EXPECT_EQ(fileBytes(homeResultFilePath(*state)), home);

    // A first right answer is due two days after it.
    const QDate dayAfter = clock.current.date().addDays(1);
    PupilStudy study(1);
    ASSERT_TRUE(study.load(state->commonFolder + QString::fromUtf8(kStudyLogFileName)).ok());
    QSet<QString> due;
    for (const DueIdiom& idiom : study.due(dayAfter))
        due.insert(idiom.memory->idiom);
    for (const QString& idiom : tested)
        EXPECT_TRUE(wrong.contains(idiom) || due.contains(idiom)) << idiom.toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());
}

namespace {

class ADemoWeek : public RoadOfATestDrill
{
protected:
    ADemoWeek() : RoadOfATestDrill(Installation::DemoWeek) {}
};

} // namespace

// さくら's first test of the day, with two mistakes, after a week of tests: the hub counts the
// week and today apart and names tomorrow's review. The README's pictures of the name screen,
// the drill and the hub are taken on this road.
TEST_F(ADemoWeek, AFirstTestOfTheDayAfterAWeekOfResults)
{
    keepPicture(&program->window(), QStringLiteral("name-selection"));
    chooseSakuraAndStart(Qt::Key_4);
    ASSERT_EQ(element(QStringLiteral("sLabel8"))->text(), QStringLiteral("範囲２"));
    keepPicture(&program->window(), QStringLiteral("drill"));
    answerEveryQuestion(2);
    finishScreenShowsItsButtons();
    click(QStringLiteral("Command4")); // "メニューへ"
    settle();
    EXPECT_EQ(element<QPushButton>(QStringLiteral("reviewButton"))->text(),
              QStringLiteral("復習 0問"));
    EXPECT_EQ(element(QStringLiteral("reviewLine"))->text(), QStringLiteral("次の復習は6月11日"));
    EXPECT_TRUE(element(QStringLiteral("Label14_4"))->text().startsWith(QStringLiteral("1回/")));
    EXPECT_TRUE(element(QStringLiteral("Label15_4"))->text().startsWith(QStringLiteral("3回/")));
    EXPECT_EQ(element<QListWidget>(QStringLiteral("List5_4"))->count(), 3);
    keepPicture(&program->window(), QStringLiteral("hub"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

// A pupil who works through assistive technology alone: the meaning is read, each tile is found
// by its role and name and pressed through its action, and the result line is read out.
TEST_F(RoadOfATestDrill, AWholeTestDrillThroughAssistiveTechnology)
{
    chooseSakuraAndStart(Qt::Key_4);
    const QWidget* drill = screen();
    for (int asked = 0; screen() == drill; ++asked) {
        ASSERT_LT(asked, 100);
        QStringList idiom;
        for (QAccessibleInterface* element : shownElements(screen())) {
            const auto found = byMeaning.find(element->text(QAccessible::Name));
            if (found != byMeaning.end())
                idiom = found->second;
        }
        ASSERT_FALSE(idiom.isEmpty());
        clock.monotonic += 2000;
        for (int k = 0; k < 4; ++k)
            ASSERT_TRUE(pressShownButton(screen(), idiom.at(2).mid(k, 1))) << k;
        for (int k = 0; k < 4; ++k)
            ASSERT_TRUE(pressShownButton(screen(), idiom.at(1).mid(k, 1))) << k;
        ASSERT_TRUE(pressShownButton(screen(), QStringLiteral("O.K.")));
        settle();
    }

    const QString resultLine =
        QStringLiteral("今の成績：%1秒").arg(static_cast<int>(clock.monotonic / 1000));
    bool heard = false;
    for (QAccessibleInterface* element : shownElements(screen()))
        heard = heard || element->text(QAccessible::Name) == resultLine;
    EXPECT_TRUE(heard) << resultLine.toStdString();
    EXPECT_EQ(fileBytes(resultFilePath(*state)).size(), 2 * RecordCodec::kResultLength);
}

namespace {

// The demo week with the help book in its program folder, as the demo installation has it.
class HelpOnEveryScreen : public RoadOfATestDrill
{
protected:
    HelpOnEveryScreen() : RoadOfATestDrill(Installation::DemoWeek)
    {
        QDirIterator book(QStringLiteral(YOJI_HELP_BOOK), QDir::Files,
                          QDirIterator::Subdirectories);
        while (book.hasNext()) {
            const QString from = book.next();
            const QString to = inst.programDir() + u'/' +
                               QDir(QStringLiteral(YOJI_HELP_BOOK)).relativeFilePath(from);
            QDir().mkpath(QFileInfo(to).path());
            EXPECT_TRUE(QFile::copy(from, to)) << to.toStdString();
        }
    }

    // F1 pressed in receiver: the page and anchor the help window shows, which must exist.
    QString helpAfterF1(QWidget* receiver)
    {
        EXPECT_NE(receiver, nullptr);
        if (!receiver)
            return QString();
        QTest::keyClick(receiver, Qt::Key_F1);
        return shownPage();
    }
    QString shownPage()
    {
        const QUrl source = program->help().browser().source();
        EXPECT_TRUE(program->help().isVisible());
        EXPECT_EQ(QFileInfo(source.toLocalFile()).absolutePath(),
                  QFileInfo(inst.programDir()).absoluteFilePath());
        const QString page = QFileInfo(source.toLocalFile()).fileName();
        if (source.hasFragment()) {
            EXPECT_TRUE(fileBytes(source.toLocalFile())
                            .contains("name=\"" + source.fragment().toUtf8() + '"'))
                << source.toString().toStdString();
        }
        return source.hasFragment() ? page + u'#' + source.fragment() : page;
    }
    QAction* menuEntry(const QString& name) { return screen()->findChild<QAction*>(name); }
};

} // namespace

TEST_F(HelpOnEveryScreen, ContentsEntryAndF1OpenTheBookAtTheSectionOfTheWindow)
{
    menuEntry(QStringLiteral("menuContents"))->trigger();
    EXPECT_EQ(shownPage(), QStringLiteral("Sorawa.html"));
    EXPECT_EQ(helpAfterF1(screen()), QStringLiteral("pupils.html#names"));
    EXPECT_EQ(helpAfterF1(&program->help().browser()), QStringLiteral("Sorawa.html#use"));
    QMessageBox message(QMessageBox::Information, QString(), QString(), QMessageBox::Ok,
                        &program->window());
    message.show(); // a message explains nothing itself: the screen below it does
    EXPECT_EQ(helpAfterF1(&message), QStringLiteral("pupils.html#names"));
    message.close();

    click(QStringLiteral("Command1")); // "印刷"
    EXPECT_EQ(helpAfterF1(program->worksheets().settingsDialog()),
              QStringLiteral("parents.html#print"));
    keepPicture(program->worksheets().settingsDialog(), QStringLiteral("print-settings"));
    QTest::mouseClick(
        program->worksheets().settingsDialog()->findChild<QPushButton*>(QStringLiteral("Command1")),
        Qt::LeftButton); // "印刷へ"
    EXPECT_EQ(helpAfterF1(program->worksheets().previewDialog()),
              QStringLiteral("parents.html#preview"));
    program->worksheets().previewDialog()->close();
    program->worksheets().settingsDialog()->close();

    // The roster edit dialog is modal: the book comes above it, and blocks nothing after it.
    menuEntry(QStringLiteral("menuRename"))->trigger();
    auto* rename = program->window().findChild<QWidget*>(QStringLiteral("FrmName2"));
    EXPECT_EQ(helpAfterF1(rename), QStringLiteral("parents.html#rename"));
    EXPECT_EQ(QApplication::activeModalWidget(), &program->help());
    rename->close();
    settle();
    EXPECT_TRUE(program->help().isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    auto* names = element<QListWidget>(QStringLiteral("List1"));
    names->setCurrentRow(1);
    click(QStringLiteral("Command14")); // "O.K."
    settle();
    EXPECT_EQ(helpAfterF1(screen()), QStringLiteral("pupils.html#menu"));
    click(QStringLiteral("Option2_2")); // "個人ﾀｲﾑ"
    click(QStringLiteral("Command17")); // "グラフ"
    EXPECT_EQ(helpAfterF1(element<QWidget>(QStringLiteral("List3"))),
              QStringLiteral("parents.html#graph"));
    click(QStringLiteral("Command18")); // "戻る"

    QTest::keyClick(screen(), Qt::Key_3); // 範囲２練
    settle();
    EXPECT_EQ(helpAfterF1(screen()), QStringLiteral("pupils.html#practice"));
    click(QStringLiteral("Command11")); // "答えを見る"
    keepPicture(&program->window(), QStringLiteral("practice"));
    click(QStringLiteral("Command8")); // "戻る"
    settle();
    QTest::keyClick(screen(), Qt::Key_4); // 範囲２
    settle();
    EXPECT_EQ(helpAfterF1(element<QWidget>(QStringLiteral("Label15_1"))),
              QStringLiteral("pupils.html#drill"));
    answerEveryQuestion();
    EXPECT_EQ(helpAfterF1(screen()), QStringLiteral("pupils.html#finish"));
    finishScreenShowsItsButtons();
    keepPicture(&program->window(), QStringLiteral("finish"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(RoadOfATestDrill, WithoutAHelpBookTheContentsEntryNamesThePlacesLookedAt)
{
    screen()->findChild<QAction*>(QStringLiteral("menuContents"))->trigger();
    QTest::keyClick(screen(), Qt::Key_F1);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("ヘルプ"));
    const QString text = messages.shown[0].text;
    EXPECT_TRUE(text.contains(state->programFolder + QStringLiteral("Sorawa.html")));
    EXPECT_TRUE(text.contains(QStringLiteral("/../share/yojidrill/help/Sorawa.html")));
    EXPECT_FALSE(program->help().isVisible());
}
