#pragma once

#include <QString>

struct SoundReply
{
    int code = 0;      // 0 = played to its end
    QString errorText; // the system's own words when code is not 0
};

// Interprets a multimedia command string of the form "play <file> wait" and returns when
// the sound has finished, or at once with a nonzero code when it cannot be played. Events of
// the window may run while it plays: callers hold back input until it returns.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual SoundReply send(const QString& command) = 0;
};

// Plays wave files through the desktop's sound server on a worker thread. On the application's
// thread an event loop runs until the sound has ended, so the window repaints and answers the
// accessibility bus; the call never lasts longer than the sound's length plus two seconds.
class PulseSoundOutput : public SoundOutput
{
public:
    SoundReply send(const QString& command) override;

    enum Code { Played = 0, UnknownCommand = 1, FileUnreadable = 2, NoServer = 3, TimedOut = 4 };
    // The file named by a "play <file> wait" command, or an empty text for any other command.
    static QString fileOfPlayCommand(const QString& command);
    // Whether the wave file can be decoded for playing; needs no sound server.
    static SoundReply checkDecodes(const QString& file);
};
