#include "core/catalogue.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/sharedstate.h"
#include "core/startup.h"
#include "core/waitform.h"
#include "drill/drillscreen.h"
#include "hub/studyhubscreen.h"
#include "platform/clock.h"
#include "platform/desktoplauncher.h"
#include "platform/programexit.h"
#include "platform/qtmessagebox.h"
#include "platform/randomsource.h"
#include "platform/singleinstance.h"
#include "platform/sleeper.h"
#include "platform/soundoutput.h"
#include "print/worksheetprinting.h"
#include "records/records.h"
#include "results/finishscreen.h"
#include "roster/aboutbox.h"
#include "roster/nameselectionscreen.h"
#include "roster/recordspupilsummary.h"
#include "roster/rostereditdialog.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 11));

    SharedState state;
    QtMessageBox messages;
    CueTable cueTable;
    const bool started = Main(state, QCoreApplication::applicationDirPath(), messages,
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
    SoundCues sound(state, cueTable, soundOutput, random, messages, processExit);
    Records records(state, clock, sleeper, messages, processExit);
    RecordsPupilSummary pupilSummary(records);

    MainWindow window;
    messages.setParent(&window);
    Navigator navigator(window.screenStack(), window.waitForm());
    WorksheetPrinting worksheets(state, messages, random, &window);
    QObject::connect(&navigator, &Navigator::captionChanged, &window, &QWidget::setWindowTitle);

    navigator.registerScreen(ScreenId::NameSelection, [&] {
        NameSelectionServices services{
            state,       navigator, sound,        clock, messages,
            processExit, launcher,  pupilSummary, {},    instanceLock.acquired()};
        services.hooks.openPrintSettings = [&] { worksheets.openSettings(); };
        services.hooks.openRosterEditor = [&] {
            (new RosterEditDialog(&window, state, messages, navigator))->show();
        };
        services.hooks.showAbout = [&] { AboutBox::showModal(&window, state.contentName); };
        return new NameSelectionScreen(services);
    });
    navigator.registerScreen(ScreenId::Hub, [&] {
        return new StudyHubScreen({state, navigator, records, clock, messages, {}});
    });
    navigator.registerScreen(ScreenId::Finish, [&] {
        return new FinishScreen(FinishServices{state, navigator, sound, records});
    });
    navigator.registerScreen(ScreenId::Drill, [&] {
        return new DrillScreen(
            DrillServices{state, navigator, sound, clock, random, messages, sleeper, records});
    });

    window.show();
    navigator.show(ScreenId::NameSelection);
    return app.exec();
}
