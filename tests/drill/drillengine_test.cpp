#include "drillfixture.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

const QString kYoji = QStringLiteral("一石二鳥");
const QString kYojiReading = QStringLiteral("いっせきにちょう");

// The sample idioms with range 2 cut down to one idiom, 一石二鳥.
std::vector<QStringList> oneIdiomRange()
{
    std::vector<QStringList> records;
    for (const QStringList& record : sampleIdioms()) {
        if (record.at(0) != QStringLiteral("2") || record.at(1) == kYoji)
            records.push_back(record);
    }
    return records;
}

int countOf(const QStringList& commands, const QString& part)
{
    int n = 0;
    for (const QString& command : commands)
        n += command.contains(part) ? 1 : 0;
    return n;
}

// Runs code the next time the drill lets pending events run, as a click or tick that arrives
// in the middle of a step would.
void whenEventsRun(std::function<void()> event)
{
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(event));
}

} // namespace

class DrillEngineTest : public DrillTest
{
};

TEST_F(DrillEngineTest, SetupShowsTheFirstQuestionAndStartsTheClock)
{
    start(4);
    EXPECT_TRUE(shown().clockRunning);
    EXPECT_EQ(engine->questions().questionCount(), 3);
    EXPECT_EQ(shown().remaining, QStringLiteral("3"));
    EXPECT_TRUE(shown().readingPanelVisible);
    EXPECT_TRUE(shown().kanjiPanelVisible);
    EXPECT_FALSE(shown().slotsVisible);
    EXPECT_FALSE(shown().okVisible);
    EXPECT_TRUE(shown().hintVisible);
    EXPECT_FALSE(shown().backVisible);
    // The hub and the wait form are closed; the drill screen stays.
    EXPECT_EQ(navigator.unloaded, QList<ScreenId>{ScreenId::Hub});
    EXPECT_TRUE(navigator.shown.isEmpty());
    // The meaning is shown and voice file "2" of the idiom is played.
    EXPECT_EQ(shown().meaning, engine->questions().question(engine->currentQuestion()).meaning);
    EXPECT_EQ(voicesPlayed(),
              QStringList{QStringLiteral("play ") + state.programFolder +
                          QStringLiteral("四字熟語音声/") + engine->currentIdiom().left(3) +
                          QStringLiteral("2.wav wait")});
    // What the view got is what the logic holds.
    EXPECT_EQ(view.shown, shown());
}

TEST_F(DrillEngineTest, ARangeOfOneIdiomEndsAfterItsRightAnswer)
{
    writeIdioms(oneIdiomRange());
    start(4);
    ASSERT_EQ(engine->questions().questionCount(), 1);
    EXPECT_EQ(engine->currentIdiom(), kYoji);
    answerRight();
    EXPECT_TRUE(shown().closingVisible);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Finish});
    EXPECT_EQ(resultBytes().size(), RecordCodec::kResultLength);
}

TEST_F(DrillEngineTest, AWrongIdiomIsOwedTwoRightAnswersAndASecondWrongOneStaysAtMinusOne)
{
    writeIdioms(oneIdiomRange());
    start(4);
    answerReading();
    answerIdiomWrong();
    EXPECT_EQ(engine->questions().doneState(1), -1);
    EXPECT_TRUE(shown().correctionVisible);
    engine->nextClicked();
    // The only idiom left is drawn again although it was the one just shown.
    EXPECT_EQ(engine->currentQuestion(), 1);
    answerReading();
    answerIdiomWrong();
    engine->nextClicked();
    EXPECT_EQ(engine->questions().doneState(1), -1);
    answerRight();
    EXPECT_EQ(engine->questions().doneState(1), 0);
    EXPECT_FALSE(shown().closingVisible);
    answerRight();
    EXPECT_EQ(engine->questions().doneState(1), 1);
    EXPECT_TRUE(shown().closingVisible);
}

TEST_F(DrillEngineTest, ThreeWrongReadingsAndOneWrongIdiomCostFiftySeconds)
{
    start(4);
    for (int k = 0; k < 3; ++k)
        engine->kanaTileClicked(wrongKanaTile());
    answerReading();
    answerIdiomWrong();
    tickAt(0);
    EXPECT_EQ(engine->elapsedSeconds(), 50);
    EXPECT_EQ(shown().elapsed, QStringLiteral("50"));
}

TEST_F(DrillEngineTest, TheLimitEndsATestWithTimeOverAndTheTimeOverResult)
{
    start(4);
    EXPECT_EQ(engine->timeLimit(), 300);
    tickAt(299'000);
    EXPECT_FALSE(shown().closingVisible);
    tickAt(300'000);
    EXPECT_TRUE(state.drillRun.timeOver);
    EXPECT_TRUE(shown().closingVisible);
    EXPECT_TRUE(shown().closingTimeOver);
    EXPECT_FALSE(shown().clockRunning);
    EXPECT_EQ(state.drillResult, 99999);
    const QByteArray bytes = resultBytes();
    ASSERT_EQ(bytes.size(), RecordCodec::kResultLength);
    EXPECT_EQ(RecordCodec::decodeResult(bytes.constData()).result, 99999);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Finish});
    EXPECT_EQ(navigator.unloaded, (QList<ScreenId>{ScreenId::Hub, ScreenId::Drill}));
}

TEST_F(DrillEngineTest, AFinishedDrillRecordsItsSecondsWithPenaltiesThenHandsOverAfterASecond)
{
    writeIdioms(oneIdiomRange());
    start(4);
    engine->kanaTileClicked(wrongKanaTile());
    engine->kanaTileClicked(wrongKanaTile());
    tickAt(93'000);
    // A penalty after the last tick counts too: 93.4 seconds and 30 seconds of penalties.
    engine->voiceHintClicked();
    clock.monotonic = 93'400;
    answerRight();
    EXPECT_EQ(state.drillResult, 123);
    EXPECT_TRUE(shown().closingVisible);
    EXPECT_FALSE(shown().closingTimeOver); // "成績記録中"
    EXPECT_FALSE(state.drillRun.timeOver);
    EXPECT_TRUE(state.drillRun.drillEnding);
    EXPECT_EQ(sleeper.waits, QList<int>{1000});
    EXPECT_TRUE(navigator.waitFormVisible);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Finish});
    const ResultRecord record = RecordCodec::decodeResult(resultBytes().constData());
    EXPECT_EQ(record.pupilNo, 7);
    EXPECT_EQ(record.itemNo, 4);
    EXPECT_EQ(record.result, 123);
}

TEST_F(DrillEngineTest, ADrillAcrossMidnightRecordsItsRealLength)
{
    writeIdioms(oneIdiomRange());
    clock.current = QDateTime(QDate(2026, 4, 10), QTime(23, 59, 30));
    start(4);
    clock.current = QDateTime(QDate(2026, 4, 11), QTime(0, 0, 35));
    clock.monotonic = 65'000;
    answerRight();
    EXPECT_EQ(state.drillResult, 65);
    EXPECT_EQ(RecordCodec::decodeResult(resultBytes().constData()).result, 65);
}

TEST_F(DrillEngineTest, APracticeTimeOverReturnsToTheHubWithoutARecord)
{
    start(3);
    tickAt(300'000);
    EXPECT_TRUE(state.drillRun.timeOver);
    EXPECT_TRUE(shown().closingTimeOver);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_EQ(navigator.unloaded, (QList<ScreenId>{ScreenId::Hub, ScreenId::Drill}));
    EXPECT_TRUE(resultBytes().isEmpty());
    EXPECT_TRUE(sleeper.waits.isEmpty());
}

TEST_F(DrillEngineTest, ATimeOverWhileTheCorrectionIsOpenWaitsForNext)
{
    start(4);
    answerReading();
    answerIdiomWrong();
    tickAt(300'000);
    EXPECT_FALSE(state.drillRun.timeOver);
    EXPECT_FALSE(shown().closingVisible);
    EXPECT_TRUE(shown().correctionVisible);
    engine->nextClicked();
    // The next question comes; the next tick ends the drill.
    EXPECT_FALSE(shown().correctionVisible);
    EXPECT_TRUE(shown().readingPanelVisible);
    EXPECT_FALSE(shown().closingVisible);
    tickAt(301'000);
    EXPECT_TRUE(state.drillRun.timeOver);
    EXPECT_EQ(state.drillResult, 99999);
}

TEST_F(DrillEngineTest, ASecondOkWhileAnIdiomIsJudgedIsNotJudgedAgain)
{
    start(4);
    answerReading();
    for (int k = 0; k < 4; ++k)
        engine->kanjiTileClicked(decoyTile());
    whenEventsRun([this] { engine->idiomOkClicked(); });
    engine->idiomOkClicked();
    QCoreApplication::processEvents();
    tickAt(0);
    EXPECT_EQ(engine->elapsedSeconds(), 20);
    EXPECT_EQ(engine->questions().doneState(engine->currentQuestion()), -1);
    EXPECT_EQ(countOf(output.commands, QStringLiteral("1.wav")), 1);
    EXPECT_EQ(view.focus.last(), DrillFocus::Next);
}

TEST_F(DrillEngineTest, ASecondNextShowsOnlyOneNewQuestion)
{
    start(4);
    answerReading();
    answerIdiomWrong();
    const int voicesBefore = countOf(output.commands, QStringLiteral("2.wav"));
    whenEventsRun([this] { engine->nextClicked(); });
    engine->nextClicked();
    QCoreApplication::processEvents();
    EXPECT_EQ(countOf(output.commands, QStringLiteral("2.wav")), voicesBefore + 1);
    EXPECT_TRUE(shown().readingPanelVisible);
}

TEST_F(DrillEngineTest, ATimeOverTickDuringJudgingWaitsForTheNextQuestion)
{
    start(4);
    answerReading();
    clickKanji(engine->currentIdiom());
    whenEventsRun([this] { tickAt(300'000); });
    engine->idiomOkClicked();
    EXPECT_FALSE(state.drillRun.timeOver);
    EXPECT_TRUE(shown().readingPanelVisible); // the next question is on screen
    tickAt(300'500);
    EXPECT_TRUE(state.drillRun.timeOver);
}

TEST_F(DrillEngineTest, ATickWhileTheDrillEndsDoesNotRecordTwice)
{
    writeIdioms(oneIdiomRange());
    start(4);
    answerReading();
    clickKanji(kYoji);
    clock.monotonic = 300'000;
    // The last answer ends the drill; a time-over tick comes in while it ends.
    output.onPlay = [this](const QString& command) {
        if (command.endsWith(QStringLiteral("1.wav wait")))
            whenEventsRun([this] { engine->clockTick(); });
    };
    engine->idiomOkClicked();
    QCoreApplication::processEvents();
    EXPECT_EQ(resultBytes().size(), RecordCodec::kResultLength);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Finish});
    EXPECT_EQ(sleeper.waits.size(), 1);
}

TEST_F(DrillEngineTest, AClickDuringTheVoiceOfANewQuestionWaitsUntilTheQuestionIsShown)
{
    writeIdioms(oneIdiomRange());
    start(4);
    answerReading();
    answerIdiomWrong();
    // The pupil clicks the four kana while the new question's voice is still playing.
    output.onPlay = [this](const QString& command) {
        if (command.endsWith(QStringLiteral("2.wav wait")))
            whenEventsRun([this] { answerReading(); });
    };
    engine->nextClicked();
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown().readingPanelVisible);
    EXPECT_TRUE(shown().slotsVisible);
    EXPECT_TRUE(shown().okVisible);
    EXPECT_TRUE(shown().clearButtonsVisible);
}

TEST_F(DrillEngineTest, AnswersPlayTheCuesAndTheIdiomsVoiceFiles)
{
    writeIdioms(oneIdiomRange());
    start(4);
    const QString voice = state.programFolder + QStringLiteral("四字熟語音声/一石二");
    answerReading();
    answerIdiomWrong();
    engine->nextClicked();
    answerRight();
    const QString cue = QStringLiteral("play ") + state.soundFolder + QStringLiteral(".wav wait");
    EXPECT_EQ(output.commands, (QStringList{
                                   "play " + voice + "2.wav wait", // question
                                   cue,                            // right reading
                                   cue,                            // wrong idiom
                                   "play " + voice + "1.wav wait",
                                   "play " + voice + "2.wav wait", // question again
                                   cue,                            // right reading
                                   cue,                            // right idiom
                                   "play " + voice + "1.wav wait",
                                   "play " + voice + "2.wav wait", // still owed once more
                               }));
}

TEST_F(DrillEngineTest, TheVoiceHintPlaysFileOneForTenSecondsButNotDuringTheCorrection)
{
    start(4);
    engine->voiceHintClicked();
    EXPECT_TRUE(voicesPlayed().last().endsWith(QStringLiteral("1.wav wait")));
    tickAt(0);
    EXPECT_EQ(engine->elapsedSeconds(), 10);
    answerReading();
    answerIdiomWrong();
    EXPECT_FALSE(shown().hintEnabled);
    const int played = static_cast<int>(output.commands.size());
    engine->voiceHintClicked();
    EXPECT_EQ(output.commands.size(), played);
}

TEST_F(DrillEngineTest, ACompanionFileThatFailsToLoadIsNamedAndTheDrillDoesNotStart)
{
    inst.remove(QStringLiteral("prog/四字02vv.ccc"));
    start(4);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().text.contains(QStringLiteral("四字02vv.ccc")));
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_FALSE(shown().clockRunning);
    EXPECT_TRUE(voicesPlayed().isEmpty());
    EXPECT_TRUE(resultBytes().isEmpty());
    // Nothing the screen still gets does anything.
    tickAt(400'000);
    engine->kanaTileClicked(1);
    EXPECT_TRUE(resultBytes().isEmpty());
    EXPECT_EQ(navigator.shown.size(), 1);
}

TEST_F(DrillEngineTest, ARangeWithoutIdiomsOrAnUnknownItemIsNamedAndNothingStarts)
{
    for (const int item : {20, 19, 0}) {
        navigator.shown.clear();
        messages.shown.clear();
        start(item);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown.first().text.contains(item == 0 ? QStringLiteral("0")
                                                                   : state.itemName[item]));
        EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
        EXPECT_FALSE(shown().clockRunning);
    }
    EXPECT_TRUE(resultBytes().isEmpty());
}

// ---- the reading stage

TEST_F(DrillEngineTest, ARightReadingIsJudgedAtTheFourthKanaAndOpensTheIdiomStage)
{
    writeIdioms(oneIdiomRange());
    start(4);
    const int played = static_cast<int>(output.commands.size());
    clickKana(QStringLiteral("いっせ"));
    EXPECT_EQ(shown().readingLine, QStringLiteral("いっせ"));
    EXPECT_EQ(output.commands.size(), played); // nothing judged yet
    clickKana(QStringLiteral("き"));
    EXPECT_EQ(output.commands.size(), played + 1); // the right-answer cue
    EXPECT_EQ(engine->readingMistakes(), 0);
    EXPECT_FALSE(shown().readingPanelVisible);
    EXPECT_TRUE(shown().readingLine.isEmpty());
    EXPECT_TRUE(shown().slotsVisible);
    EXPECT_TRUE(shown().okVisible);
    EXPECT_TRUE(shown().clearButtonsVisible);
    tickAt(0);
    EXPECT_EQ(engine->elapsedSeconds(), 0);
}

TEST_F(DrillEngineTest, AWrongKanaIsJudgedAtOnceAndKeepsWhatWasRight)
{
    writeIdioms(oneIdiomRange());
    start(4);
    clickKana(QStringLiteral("いせ"));
    EXPECT_EQ(shown().readingLine, QStringLiteral("い"));
    EXPECT_EQ(engine->readingMistakes(), 1);
    EXPECT_TRUE(shown().readingPanelVisible);
    tickAt(0);
    EXPECT_EQ(engine->elapsedSeconds(), 10);
}

TEST_F(DrillEngineTest, EachWrongReadingGivesAwayOneMoreCharacterAndTheFourthOffersOk)
{
    writeIdioms(oneIdiomRange());
    start(4);
    const QStringList expected = {"い", "いっ", "いっせ"};
    for (const QString& line : expected) {
        engine->kanaTileClicked(wrongKanaTile());
        EXPECT_EQ(shown().readingLine, line);
        EXPECT_FALSE(shown().readingOkVisible);
    }
    engine->kanaTileClicked(wrongKanaTile());
    EXPECT_EQ(shown().readingLine, QStringLiteral("いっせき"));
    EXPECT_TRUE(shown().readingOkVisible);
    EXPECT_EQ(engine->readingMistakes(), 0);

    const int played = static_cast<int>(output.commands.size());
    engine->readingOkClicked();
    EXPECT_EQ(output.commands.size(), played); // no right-answer cue
    EXPECT_FALSE(shown().readingPanelVisible);
    EXPECT_FALSE(shown().readingOkVisible);
    EXPECT_TRUE(shown().readingLine.isEmpty());
    EXPECT_TRUE(shown().slotsVisible);
    tickAt(0);
    EXPECT_EQ(engine->elapsedSeconds(), 40);
}

// ---- the idiom stage

TEST_F(DrillEngineTest, KanjiTilesTakeNoClickDuringTheReadingStage)
{
    start(4);
    for (int tile = 1; tile <= 12; ++tile)
        engine->kanjiTileClicked(tile);
    EXPECT_EQ(engine->kanjiSlot(), 0);
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_TRUE(shown().slotTexts[slot].isEmpty());
}

TEST_F(DrillEngineTest, AFifthKanjiChangesNothingAndClearOneFreesTheLastSlot)
{
    start(4);
    answerReading();
    const int tile = decoyTile();
    const QString decoy = shown().kanjiTiles[tile];
    clickKanji(engine->currentIdiom());
    engine->kanjiTileClicked(tile);
    EXPECT_EQ(engine->kanjiSlot(), 4);
    EXPECT_EQ(shown().slotTexts[4], engine->currentIdiom().mid(3, 1));
    EXPECT_EQ(view.focus.last(), DrillFocus::IdiomOk);

    engine->clearOneClicked();
    EXPECT_TRUE(shown().slotTexts[4].isEmpty());
    EXPECT_EQ(engine->kanjiSlot(), 3);
    engine->kanjiTileClicked(tile);
    EXPECT_EQ(shown().slotTexts[4], decoy);

    engine->clearAllClicked();
    EXPECT_EQ(engine->kanjiSlot(), 0);
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_TRUE(shown().slotTexts[slot].isEmpty());
    engine->clearOneClicked(); // all empty: nothing changes
    EXPECT_EQ(engine->kanjiSlot(), 0);
}

TEST_F(DrillEngineTest, AnIncompleteIdiomIsWrongAndOpensTheCorrectionPanel)
{
    start(4);
    answerReading();
    clickKanji(engine->currentIdiom().left(3));
    engine->idiomOkClicked();
    const DrillDisplay& d = shown();
    EXPECT_TRUE(d.correctionVisible);
    EXPECT_EQ(d.slotTexts[5] + d.slotTexts[6] + d.slotTexts[7] + d.slotTexts[8],
              engine->currentIdiom());
    EXPECT_EQ(d.correctionReading, engine->currentReading());
    EXPECT_TRUE(d.nextVisible);
    EXPECT_TRUE(d.nextEnabled);
    EXPECT_FALSE(d.okEnabled);
    EXPECT_FALSE(d.clearButtonsEnabled);
    EXPECT_FALSE(d.kanjiTilesEnabled);
    EXPECT_EQ(engine->questions().doneState(engine->currentQuestion()), -1);
    // The tiles are disabled while the correction is open.
    engine->kanjiTileClicked(1);
    EXPECT_EQ(engine->kanjiSlot(), 3);
}

TEST_F(DrillEngineTest, ARightIdiomShowsTheWholeReadingBeforeItsVoiceAndCountsTheQuestion)
{
    start(4);
    const int first = engine->currentQuestion();
    const QString reading = engine->currentReading();
    answerReading();
    clickKanji(engine->currentIdiom());
    QString lineDuringVoice;
    output.onPlay = [&](const QString& command) {
        if (command.endsWith(QStringLiteral("1.wav wait")))
            lineDuringVoice = view.shown.readingLine;
    };
    engine->idiomOkClicked();
    EXPECT_EQ(lineDuringVoice, reading);
    EXPECT_EQ(engine->questions().doneState(first), 1);
    EXPECT_EQ(shown().remaining, QStringLiteral("2"));
    EXPECT_TRUE(shown().readingLine.isEmpty()); // the next question starts empty
}

TEST_F(DrillEngineTest, MeaningsUpTo28CharactersAreCentredLongerOnesLeftAligned)
{
    std::vector<QStringList> records = oneIdiomRange();
    for (QStringList& record : records) {
        if (record.at(1) == kYoji)
            record[3] = QString(28, QChar(0x3042));
    }
    writeIdioms(records);
    start(4);
    EXPECT_FALSE(shown().meaningLeftAligned);
    for (QStringList& record : records) {
        if (record.at(1) == kYoji)
            record[3] = QString(29, QChar(0x3042));
    }
    writeIdioms(records);
    start(4);
    EXPECT_TRUE(shown().meaningLeftAligned);
}
