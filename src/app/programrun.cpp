#include "app/programrun.h"

#include "app/program.h"
#include "core/sharedstate.h"
#include "core/startup.h"
#include "platform/clock.h"
#include "platform/desktoplauncher.h"
#include "platform/programexit.h"
#include "platform/qtmessagebox.h"
#include "platform/randomsource.h"
#include "platform/singleinstance.h"
#include "platform/sleeper.h"
#include "platform/soundoutput.h"
#include "sound/cuetable.h"

#include <QApplication>
#include <QTimer>

int runProgram(const QString& programDir, QtMessageBox& messages,
               const std::function<void()>& shown)
{
    SharedState state;
    CueTable cueTable;
    const bool started = Main(state, programDir, messages,
                              [&] { return cueTable.load(state.soundFolder + kCueListFileName); });
    if (!started)
        return 1;
    const SingleInstanceLock instanceLock(state.programFolder);

    SystemClock clock;
    SystemRandom random;
    EventLoopSleeper sleeper;
    ProcessExit processExit;
    PulseSoundOutput soundOutput;
    SystemDesktopLauncher launcher;
    Program program(state, cueTable,
                    {messages, clock, random, sleeper, processExit, soundOutput, launcher},
                    instanceLock.acquired());
    messages.setParent(&program.window());
    program.start();
    if (shown)
        QTimer::singleShot(0, shown);
    return QApplication::exec();
}
