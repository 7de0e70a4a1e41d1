#pragma once

#include "core/mainwindow.h"
#include "core/navigator.h"
#include "help/helpkey.h"
#include "print/worksheetprinting.h"
#include "records/records.h"
#include "review/pupilsettings.h"
#include "review/sharedpupilsettings.h"
#include "review/studycache.h"
#include "roster/recordspupilsummary.h"
#include "sound/soundcues.h"
#include "writing/writingscreen.h"

#include <memory>

struct SharedState;
class CueTable;
class Clock;
class DesktopLauncher;
class HelpWindow;
class MessageBox;
class ProgramExit;
class RandomSource;
class Sleeper;
class SoundOutput;

// The operating-system services the program runs on; tests hand in fakes.
struct PlatformServices
{
    MessageBox& messages;
    Clock& clock;
    RandomSource& random;
    Sleeper& sleeper;
    ProgramExit& exit;
    SoundOutput& soundOutput;
    DesktopLauncher& launcher;
};

// The program's window, its screens and the objects they share, wired once.
class Program
{
public:
    // singleInstance is false when another copy of the program runs from the same folder.
    Program(SharedState& state, const CueTable& cues, PlatformServices platform,
            bool singleInstance);

    MainWindow& window() { return m_window; }
    Navigator& navigator() { return m_navigator; }
    // Made on first use: its tables are large, and most starts print nothing.
    WorksheetPrinting& worksheets();
    // Made on first use: laying out its empty page loads fonts the first screen does not need.
    HelpWindow& help();

    // Shows the window with the name selection screen.
    void start();

private:
    void registerScreens(bool singleInstance);
    // The writing screen's practice sheet and the pupil's 「書き順も見る」, kept in the shared
    // folder's pupil settings.
    WritingHooks writingHooks();
    PupilSettingsFile pupilSettings();

    SharedState& m_state;
    PlatformServices m_platform;
    SoundCues m_sound;
    Records m_records;
    StudyCache m_studies;
    std::shared_ptr<SharedPupilSettings> m_pupilSettings;
    RecordsPupilSummary m_pupilSummary;
    MainWindow m_window;
    Navigator m_navigator;
    std::unique_ptr<WorksheetPrinting> m_worksheets;
    HelpWindow* m_help = nullptr; // a window of m_window, made by help()
    HelpKey m_helpKey;
};
