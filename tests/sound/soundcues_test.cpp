#include "core/sharedstate.h"
#include "fakes.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"
#include "testinstallation.h"

#include <gtest/gtest.h>

namespace {

class SoundCuesTest : public ::testing::Test
{
protected:
    SoundCuesTest()
    {
        state.soundFolder = QStringLiteral("/snd/");
        inst.writeText(QStringLiteral("files/新音ファイル.txt"),
                       QStringLiteral("正解音2,ok1,ok2,*\n自己最高音2,best,*\n不合格音1,fail,*\n"));
        cues.load(inst.filesDir() + QStringLiteral("/新音ファイル.txt"));
    }
    SoundReply failure() { return {263, QStringLiteral("デバイスが開けません")}; }

    TestInstallation inst;
    SharedState state;
    CueTable cues;
    FakeSoundOutput output;
    ScriptedRandom random;
    FakeMessageBox messages;
    FakeProgramExit programExit;
    SoundCues sound{state, cues, output, random, messages, programExit};
};

} // namespace

TEST_F(SoundCuesTest, EachOperationBuildsItsCommandString)
{
    random.values = {0.9, 0.0, 0.0, 0.0};
    sound.playCorrectCue();
    sound.playWrongCue(); // absent from the list: no file name at all
    sound.playPersonalBestCue();
    sound.playFailCue();
    sound.playTopCue();
    sound.playPassCue();
    sound.playVoice(QStringLiteral("/p/四字熟語音声/一石二1"));
    EXPECT_EQ(output.commands,
              (QStringList{"play /snd/ok2.wav wait", "play /snd/.wav wait",
                           "play /snd/best.wav wait", "play /snd/fail.wav wait",
                           "play /snd/最高1.wav wait", "play /snd/合格.wav wait",
                           "play /p/四字熟語音声/一石二1.wav wait"}));
    EXPECT_EQ(sound.mciCommand(), QStringLiteral("play /p/四字熟語音声/一石二1.wav wait"));
    EXPECT_EQ(sound.mciResultText(), QStringLiteral("0"));
}

TEST_F(SoundCuesTest, FourthConsecutiveAnswerCueFailureEndsTheProgram)
{
    output.replies = {failure(), failure(), failure()};
    sound.playWrongCue();
    sound.playCorrectCue();
    sound.playWrongCue();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(sound.soundFailures(), 3);
    output.replies = {failure()};
    EXPECT_THROW(sound.playCorrectCue(), ProgramExitRequested);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.at(0).title, QStringLiteral("音声エラー"));
    EXPECT_EQ(messages.shown.at(0).text,
              QStringLiteral("音声がでません。先生を呼びなさい。\r\nデバイスが開けません"));
    EXPECT_EQ(programExit.requests, 1);
}

TEST_F(SoundCuesTest, ASuccessResetsTheFailureCount)
{
    output.replies = {failure(), failure(), failure(), {}, failure(), failure(), failure()};
    for (int i = 0; i < 7; ++i)
        sound.playCorrectCue();
    EXPECT_EQ(sound.soundFailures(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(programExit.requests, 0);
}

TEST_F(SoundCuesTest, OtherCuesIgnoreFailures)
{
    output.replies = {failure(), failure(), failure(), failure(), failure()};
    sound.playTopCue();
    sound.playPassCue();
    sound.playFailCue();
    sound.playPersonalBestCue();
    sound.playVoice(QStringLiteral("/x"));
    EXPECT_EQ(sound.soundFailures(), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(sound.mciResultText(), QStringLiteral("263"));
}
