#pragma once

#include "platform/clock.h"
#include "platform/desktoplauncher.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "platform/randomsource.h"
#include "platform/sleeper.h"
#include "platform/soundoutput.h"

#include <QList>
#include <QStringList>

#include <deque>

// Records every message box and answers from a script (Ok when the script is empty).
class FakeMessageBox : public MessageBox
{
public:
    struct Shown
    {
        QString title;
        QString text;
    };
    Answer show(const QString& title, const QString& text, Buttons) override
    {
        shown.append({title, text});
        if (answers.empty())
            return Answer::Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QList<Shown> shown;
    std::deque<Answer> answers;
};

// Thrown by FakeProgramExit so that a test sees the end of the program and the flow stops.
struct ProgramExitRequested
{
    int status;
};

class FakeProgramExit : public ProgramExit
{
public:
    [[noreturn]] void exitProgram(int status) override
    {
        ++requests;
        throw ProgramExitRequested{status};
    }
    int requests = 0;
};

class ManualClock : public Clock
{
public:
    QDateTime now() const override { return current; }
    qint64 monotonicMilliseconds() const override { return monotonic; }
    QDateTime current = QDateTime(QDate(2026, 4, 10), QTime(10, 0));
    qint64 monotonic = 0;
};

// Gives the scripted numbers in order, then 0.
class ScriptedRandom : public RandomSource
{
public:
    double nextUnit() override
    {
        if (values.empty())
            return 0.0;
        const double value = values.front();
        values.pop_front();
        return value;
    }
    std::deque<double> values;
};

// Records the command strings; answers from a script of replies (success when empty).
class FakeSoundOutput : public SoundOutput
{
public:
    SoundReply send(const QString& command) override
    {
        commands.append(command);
        if (replies.empty())
            return {};
        const SoundReply reply = replies.front();
        replies.pop_front();
        return reply;
    }
    QStringList commands;
    std::deque<SoundReply> replies;
};

class InstantSleeper : public Sleeper
{
public:
    void waitWhileEventsRun(int milliseconds) override { waits.append(milliseconds); }
    QList<int> waits;
};

// Records every request; answers with a scripted success.
class FakeDesktopLauncher : public DesktopLauncher
{
public:
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        started.append(program + u' ' + arguments.join(u' '));
        return succeed;
    }
    bool openAddress(const QString& address) override
    {
        opened.append(address);
        return succeed;
    }
    QStringList started;
    QStringList opened;
    bool succeed = true;
};
