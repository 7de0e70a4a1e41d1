#include "sound/soundcues.h"

#include "core/sharedstate.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "platform/randomsource.h"
#include "platform/soundoutput.h"
#include "sound/cuetable.h"

SoundCues::SoundCues(const SharedState& state, const CueTable& cues, SoundOutput& output,
                     RandomSource& random, MessageBox& messages, ProgramExit& exit)
    : m_state(state), m_cues(cues), m_output(output), m_random(random), m_messages(messages),
      m_exit(exit)
{
}

int SoundCues::send(const QString& command)
{
    m_mciCommand = command;
    const SoundReply reply = m_output.send(command);
    m_mciResultText = QString::number(reply.code);
    m_lastErrorText = reply.errorText;
    return reply.code;
}

QString SoundCues::cueCommand(int cue)
{
    return QStringLiteral("play ") + m_state.soundFolder +
           m_cues.pickFile(cue, m_random.nextUnit()) + QStringLiteral(".wav wait");
}

void SoundCues::playTopCue()
{
    send(QStringLiteral("play ") + m_state.soundFolder + QStringLiteral("最高1.wav wait"));
}

void SoundCues::playPassCue()
{
    send(QStringLiteral("play ") + m_state.soundFolder + QStringLiteral("合格.wav wait"));
}

void SoundCues::playPersonalBestCue()
{
    send(cueCommand(CueTable::PersonalBest2));
}

void SoundCues::playFailCue()
{
    send(cueCommand(CueTable::Fail1));
}

void SoundCues::playCorrectCue()
{
    playAnswerCue(CueTable::Correct2);
}

void SoundCues::playWrongCue()
{
    playAnswerCue(CueTable::Wrong2);
}

void SoundCues::playVoice(const QString& voicePath)
{
    send(QStringLiteral("play ") + voicePath + QStringLiteral(".wav wait"));
}

QString idiomVoicePath(const QString& programFolder, const QString& idiom)
{
    return programFolder + QStringLiteral("四字熟語音声/") + idiom.left(3) + u'1';
}

void SoundCues::playAnswerCue(int cue)
{
    if (send(cueCommand(cue)) == 0) {
        m_soundFailures = 0;
        return;
    }
    if (m_soundFailures < kSilentFailures) {
        ++m_soundFailures;
        return;
    }
    m_messages.show(QStringLiteral("音声エラー"),
                    QStringLiteral("音声がでません。先生を呼びなさい。\r\n") + m_lastErrorText);
    m_exit.exitProgram(1);
}
