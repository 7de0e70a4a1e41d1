#include "core/sharedstate.h"
#include "drill/idiomsource.h"
#include "fakenavigator.h"
#include "fakes.h"
#include "help/helpkey.h"
#include "records/records.h"
#include "review/studycache.h"
#include "review/studylog.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"
#include "testinstallation.h"
#include "writing/strokedrawing.h"
#include "writing/writingbox.h"
#include "writing/writingscreen.h"
#include "writingfixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

QPoint inBox(const QPointF& point, const WritingBox& box)
{
    return (point * box.boxSize() / StrokeTable::kBox).toPoint();
}

// Writes the model of kanji into the box with the mouse, stroke by stroke in school order.
void write(WritingBox* box, const char* kanji)
{
    for (const Stroke& stroke : strokesOf(kanji)) {
        QTest::mousePress(box, Qt::LeftButton, {}, inBox(stroke.first(), *box));
        for (const QPointF& point : stroke.mid(1))
            QTest::mouseMove(box, inBox(point, *box));
        QTest::mouseRelease(box, Qt::LeftButton, {}, inBox(stroke.last(), *box));
    }
}

TEST(WritingBoxTest, InkGoesOnlyIntoTheCurrentBoxAndComesOffStrokeByStroke)
{
    WritingBox box(0);
    EXPECT_EQ(box.objectName(), QStringLiteral("writingBox1"));
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(90, 20));
    EXPECT_TRUE(box.strokes().isEmpty());

    box.setState(WritingBox::State::Current);
    box.showModel(strokesOf("末"));
    box.showAllModelStrokes();
    write(&box, "二");
    ASSERT_EQ(box.strokes().size(), 2);
    box.takeBackStroke();
    EXPECT_EQ(box.strokes().size(), 1);
    box.clear();
    EXPECT_TRUE(box.strokes().isEmpty());
    // 「けす」 leaves the model to trace.
    EXPECT_EQ(box.modelStrokesShown(), strokesOf("末").size());
}

TEST(WritingBoxTest, TheModelAppearsOneStrokeAStep)
{
    WritingBox box(3);
    box.showModel(strokesOf("木"));
    EXPECT_EQ(box.modelStrokesShown(), 0);
    int steps = 0;
    while (box.stepModel())
        ++steps;
    EXPECT_EQ(steps, 4);
    EXPECT_EQ(box.modelStrokesShown(), 4);
}

TEST(WritingBoxTest, TheHintFlashesTheStrokeItNames)
{
    WritingBox box(0);
    box.resize(220, 220);
    const Strokes three = strokesOf("三");
    box.flashStroke(three, 1);
    const QImage image = box.grab().toImage();
    const QRectF inner = QRectF(box.rect()).adjusted(2, 2, -2, -2);
    const auto flashed = [&](int stroke) {
        const Stroke& line = three.at(stroke);
        const QColor colour =
            image.pixelColor(StrokeDrawing::toBox(line.at(line.size() / 2), inner).toPoint());
        return colour.red() > 180 && colour.blue() < 80;
    };
    EXPECT_TRUE(flashed(0));
    EXPECT_FALSE(flashed(1));
    EXPECT_FALSE(flashed(2));
    // The last stroke can be named too; a stroke the kanji does not have cannot.
    box.endFlash();
    box.flashStroke(three, 3);
    EXPECT_TRUE(box.flashing());
    box.endFlash();
    box.flashStroke(three, 4);
    EXPECT_FALSE(box.flashing());
}

// The writing screen over a log in which the pupil has chosen 本末転倒 right at a test today,
// so that it is the one idiom of the writing drill.
class WritingScreenTest : public ::testing::Test
{
protected:
    WritingScreenTest()
    {
        inst.writeValidSettings();
        state.programFolder = inst.programDir() + u'/';
        state.commonFolder = inst.filesDir() + u'/';
        state.contentName = QStringLiteral("Sorawa");
        state.pupilNo = 1;
        const std::vector<IdiomSource::Row> rows{
            {1,
             {"2", "本末転倒", "ほんまつてんとう",
              "大切なこととつまらないことを取りちがえること"}}};
        EXPECT_TRUE(
            IdiomSource::writeCompanionFile(rows, state.programFolder + "四字02vv.ccc").ok());
        StudyEvent chosen;
        chosen.date = clock.current.date();
        chosen.secondOfDay = 9 * 3600;
        chosen.pupilNo = 1;
        chosen.idiom = QStringLiteral("本末転倒");
        chosen.range = 2;
        chosen.itemNo = 4;
        EXPECT_TRUE(StudyLogWriter(records.fileCalls(), sleeper).append(logPath(), chosen).ok());

        screen.resize(1024, 768);
        screen.show();
        screen.activate();
    }

    QString logPath() const { return state.commonFolder + QString::fromUtf8(kStudyLogFileName); }

    std::vector<StudyEvent> writingRecords() const
    {
        std::vector<StudyEvent> events;
        StudyLogReader reader;
        EXPECT_TRUE(reader.open(logPath()).ok());
        while (const StudyLogEntry* entry = reader.next()) {
            if (entry->event.drill == StudyDrill::Writing)
                events.push_back(entry->event);
        }
        return events;
    }

    void handIn(int box, const char* kanji)
    {
        write(screen.box(box), kanji);
        QTest::keyClick(&screen, Qt::Key_Return);
    }

    // The README's and the book's picture: kept when YOJI_SCREENSHOT_DIR is set.
    void keepPicture(const char* name)
    {
        QCoreApplication::processEvents();
        if (const QString folder = qEnvironmentVariable("YOJI_SCREENSHOT_DIR"); !folder.isEmpty())
            screen.grab().save(QDir(folder).filePath(QLatin1String(name)));
    }

    WritingHooks printHook()
    {
        WritingHooks hooks;
        hooks.printPracticeSheet = [this](const std::vector<MissedKanji>& kanji) {
            printed = kanji;
        };
        return hooks;
    }

    template <typename T> T* element(const char* name)
    {
        T* found = screen.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    TestInstallation inst;
    SharedState state;
    CueTable cues;
    FakeSoundOutput output;
    ScriptedRandom random;
    FakeMessageBox messages;
    FakeProgramExit programExit;
    SoundCues sound{state, cues, output, random, messages, programExit};
    ManualClock clock;
    InstantSleeper sleeper;
    Records records{state, clock, sleeper, messages, programExit};
    FakeNavigator navigator;
    StudyCache studies;
    std::vector<MissedKanji> printed;
    WritingScreen screen{WritingServices{state, navigator, sound, clock, messages, sleeper, records,
                                         studies, printHook()}};
};

TEST_F(WritingScreenTest, AnIdiomWrittenKanjiByKanjiIsAcceptedAndLogged)
{
    EXPECT_EQ(element<QLabel>("writingCounter")->text(), QStringLiteral("1問目／1問"));
    EXPECT_EQ(element<QLabel>("writingReading")->text(), QStringLiteral("ほんまつてんとう"));
    handIn(0, "本");
    handIn(1, "末");
    write(screen.box(2), "転");
    keepPicture("writing.png");
    QTest::keyClick(&screen, Qt::Key_Return);
    handIn(3, "倒");

    const std::vector<StudyEvent> written = writingRecords();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written.front().idiom, QStringLiteral("本末転倒"));
    EXPECT_TRUE(written.front().rightFirstTry());
    EXPECT_TRUE(element<QWidget>("writingFinish")->isVisible());
    EXPECT_EQ(element<QLabel>("writingFirstTry")->text(),
              QStringLiteral("はじめから書けた熟語：1/1"));
}

TEST_F(WritingScreenTest, ALookAlikeIsRefusedAndLeavingRecordsNothingOfTheIdiom)
{
    handIn(0, "本");
    handIn(1, "未");
    EXPECT_TRUE(element<QLabel>("writingRetry")->isVisible());
    EXPECT_EQ(screen.box(1)->state(), WritingBox::State::Current);
    EXPECT_TRUE(screen.box(1)->strokes().isEmpty());

    QTest::keyClick(&screen, Qt::Key_Escape);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_TRUE(writingRecords().empty());
}

TEST_F(WritingScreenTest, AKanjiMissedTwiceIsTracedThenShownAndPrintedAtTheEnd)
{
    handIn(0, "本");
    handIn(1, "未");
    handIn(1, "未");
    screen.box(1)->showAllModelStrokes();
    handIn(1, "末");
    handIn(2, "転");
    handIn(3, "倒");

    const std::vector<StudyEvent> written = writingRecords();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written.front().wrongReadings, 0b0010);
    EXPECT_EQ(element<QLabel>("writingFirstTry")->text(),
              QStringLiteral("はじめから書けた熟語：0/1"));
    EXPECT_NE(element<QWidget>("missedKanji1"), nullptr);
    keepPicture("writing-finish.png");
    element<QPushButton>("writingPrint")->click();
    EXPECT_EQ(printed, (std::vector<MissedKanji>{{QStringLiteral("末"), QStringLiteral("本末転倒"),
                                                  QStringLiteral("ほんまつてんとう")}}));
}

TEST_F(WritingScreenTest, F1OpensTheHelpAtTheWritingDrill)
{
    EXPECT_EQ(HelpKey::pageFor(&screen), QStringLiteral("pupils.html#writing"));
}

} // namespace
