#include "app/program.h"

#include "core/waitform.h"
#include "drill/drillscreen.h"
#include "help/helpwindow.h"
#include "hub/studyhubscreen.h"
#include "platform/messagebox.h"
#include "print/practicesheetprinting.h"
#include "results/finishscreen.h"
#include "roster/aboutbox.h"
#include "roster/nameselectionscreen.h"
#include "roster/rostereditdialog.h"
#include "writing/writingscreen.h"

Program::Program(SharedState& state, const CueTable& cues, PlatformServices platform,
                 bool singleInstance)
    : m_state(state), m_platform(platform),
      m_sound(state, cues, platform.soundOutput, platform.random, platform.messages, platform.exit),
      m_records(state, platform.clock, platform.sleeper, platform.messages, platform.exit),
      m_studies(StudyCheckpoints(StudyCheckpoints::standardFolder())),
      m_pupilSettings(std::make_shared<SharedPupilSettings>([this] { return pupilSettings(); })),
      m_pupilSummary(m_records), m_navigator(m_window.screenStack(), m_window.waitForm()),
      m_helpKey([this]() -> HelpWindow& { return help(); })
{
    QObject::connect(&m_navigator, &Navigator::captionChanged, &m_window, &QWidget::setWindowTitle);
    registerScreens(singleInstance);
}

void Program::registerScreens(bool singleInstance)
{
    PlatformServices& p = m_platform;
    m_navigator.registerScreen(ScreenId::NameSelection, [this, &p, singleInstance] {
        NameSelectionServices services{m_state,    m_navigator,   m_sound,    p.clock,
                                       p.messages, p.exit,        p.launcher, m_pupilSummary,
                                       {},         singleInstance};
        services.hooks.openPrintSettings = [this] { worksheets().openSettings(); };
        services.hooks.openRosterEditor = [this, &p] {
            (new RosterEditDialog(&m_window, m_state, p.messages, m_navigator))->show();
        };
        services.hooks.showAbout = [this] { AboutBox::showModal(&m_window, m_state.contentName); };
        services.hooks.openHelp = [this] { help().showContents(); };
        return new NameSelectionScreen(services);
    });
    m_navigator.registerScreen(ScreenId::Hub, [this, &p] {
        return new StudyHubScreen({m_state,
                                   m_navigator,
                                   m_records,
                                   p.clock,
                                   p.messages,
                                   m_studies,
                                   {{}, m_pupilSettings}});
    });
    m_navigator.registerScreen(ScreenId::Drill, [this, &p] {
        return new DrillScreen(DrillServices{m_state, m_navigator, m_sound, p.clock, p.random,
                                             p.messages, p.sleeper, m_records, m_studies,
                                             m_pupilSettings.get()});
    });
    m_navigator.registerScreen(ScreenId::Finish, [this] {
        return new FinishScreen(FinishServices{m_state, m_navigator, m_sound, m_records});
    });
    m_navigator.registerScreen(ScreenId::Writing, [this, &p] {
        return new WritingScreen(WritingServices{m_state, m_navigator, m_sound, p.clock, p.messages,
                                                 p.sleeper, m_records, m_studies, writingHooks()});
    });
}

WritingHooks Program::writingHooks()
{
    WritingHooks hooks;
    hooks.printPracticeSheet = [this](const std::vector<MissedKanji>& missed) {
        PracticeSheetPrinting::printOrSave(&m_window, missed, m_state.pupilName.trimmed(),
                                           m_platform.messages);
    };
    hooks.loadCheckOrder = [this](int pupil) {
        Status read;
        const bool checkOrder = m_pupilSettings->checkStrokeOrder(pupil, &read);
        if (!read.ok())
            m_platform.messages.show(m_state.contentName, read.message);
        return checkOrder;
    };
    hooks.saveCheckOrder = [this](int pupil, bool checkOrder) {
        const Status saved = m_pupilSettings->setCheckStrokeOrder(pupil, checkOrder);
        if (!saved.ok())
            m_platform.messages.show(m_state.contentName, saved.message);
    };
    return hooks;
}

PupilSettingsFile Program::pupilSettings()
{
    return PupilSettingsFile(m_state.commonFolder + QString::fromUtf8(kPupilSettingsFileName),
                             m_records.fileCalls(), m_platform.sleeper);
}

WorksheetPrinting& Program::worksheets()
{
    if (!m_worksheets)
        m_worksheets = std::make_unique<WorksheetPrinting>(m_state, m_platform.messages,
                                                           m_platform.random, &m_window);
    return *m_worksheets;
}

HelpWindow& Program::help()
{
    if (!m_help)
        m_help = new HelpWindow(m_state, m_platform.messages, &m_window);
    return *m_help;
}

void Program::start()
{
    m_window.show();
    m_navigator.show(ScreenId::NameSelection);
}
