#pragma once

#include <QString>

struct SharedState;
class CueTable;
class SoundOutput;
class RandomSource;
class MessageBox;
class ProgramExit;

// Plays the cues and voice files synchronously: each call returns when the sound has ended.
// Repeated failures of the answer cues mean the pupil hears no feedback, so the fourth in a
// row stops the program with a message for the teacher.
class SoundCues
{
public:
    SoundCues(const SharedState& state, const CueTable& cues, SoundOutput& output,
              RandomSource& random, MessageBox& messages, ProgramExit& exit);

    void playTopCue();
    void playPassCue();
    void playPersonalBestCue();
    void playFailCue();
    void playCorrectCue();
    void playWrongCue();
    // voicePath: the full path of a voice file without ".wav".
    void playVoice(const QString& voicePath);

    const QString& mciCommand() const { return m_mciCommand; }
    const QString& mciResultText() const { return m_mciResultText; }
    int soundFailures() const { return m_soundFailures; }

    static constexpr int kSilentFailures = 3;

private:
    int send(const QString& command);
    void playAnswerCue(int cue);
    QString cueCommand(int cue);

    const SharedState& m_state;
    const CueTable& m_cues;
    SoundOutput& m_output;
    RandomSource& m_random;
    MessageBox& m_messages;
    ProgramExit& m_exit;

    QString m_mciCommand;
    QString m_mciResultText;
    QString m_lastErrorText;
    int m_soundFailures = 0;
};

// The voice reading an idiom aloud, as playVoice takes it: the voice folder of the program
// folder, the idiom's first three characters and "1".
QString idiomVoicePath(const QString& programFolder, const QString& idiom);
