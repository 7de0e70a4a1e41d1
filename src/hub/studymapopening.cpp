#include "hub/studymapopening.h"

#include "core/blanks.h"
#include "core/sharedstate.h"
#include "drill/idiomtable.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "print/pdffiledialog.h"
#include "print/portraitsheets.h"
#include "print/practicesheetprinting.h"
#include "print/printdevices.h"
#include "review/studylog.h"
#include "review/studymapwindow.h"

std::vector<MapIdiom> studyMapIdioms(const IdiomTable& table)
{
    std::vector<MapIdiom> idioms;
    for (int line = 1; line <= table.idiomLineCount(); ++line) {
        bool ok = false;
        const int range = table.field(line, IdiomTable::Range).trimmed().toInt(&ok);
        if (!ok || range < 1 || range > 10)
            continue;
        idioms.push_back({table.field(line, IdiomTable::Idiom),
                          table.field(line, IdiomTable::Reading),
                          table.field(line, IdiomTable::Meaning), range});
    }
    return idioms;
}

PrintDevicesMapPaper::PrintDevicesMapPaper(std::shared_ptr<PrintDevices> devices)
    : m_devices(std::move(devices))
{
}

bool PrintDevicesMapPaper::printerInstalled() const
{
    return m_devices->printerInstalled();
}

QString PrintDevicesMapPaper::choosePdfFileName(QWidget* parent, const QString& suggestion)
{
    return askPdfFileName(parent, suggestion);
}

bool PrintDevicesMapPaper::print(const SheetDrawing& drawing)
{
    return drawPortraitSheets(m_devices->startPrinterDocument(true, 1), drawing);
}

bool PrintDevicesMapPaper::saveAsPdf(const QString& path, const SheetDrawing& drawing)
{
    return drawPortraitSheets(m_devices->startPdfDocument(path, true), drawing);
}

void PrintDevicesMapPaper::printPracticeSheet(QWidget* parent,
                                              const std::vector<MissedKanji>& kanji,
                                              const QString& title, MessageBox& messages)
{
    PracticeSheetPrinting::printOrSave(parent, kanji, title, messages, *m_devices);
}

StudyMapWindow* openStudyMap(QWidget* parent, const SharedState& state, const Clock& clock,
                             StudyCache& studies, MessageBox& messages,
                             std::shared_ptr<StudyMapPaper> paper,
                             std::shared_ptr<ExamDates> examDates)
{
    IdiomTable table;
    const Status loaded = table.loadIdiomTable(state.programFolder + kIdiomDataFileName);
    if (!loaded.ok()) {
        messages.show(QStringLiteral("覚えた熟語"), loaded.message);
        return nullptr;
    }
    StudyMapInputs inputs;
    inputs.logPath = state.commonFolder + QString::fromUtf8(kStudyLogFileName);
    inputs.idioms = studyMapIdioms(table);
    inputs.today = clock.now().date();
    inputs.pupil = {state.pupilNo, trimBlanks(state.pupilName)};
    inputs.teacher = state.pupilName.contains(QStringLiteral("先生"));
    inputs.studies = &studies;
    inputs.examDates = std::move(examDates);
    if (inputs.teacher) {
        for (int line = 1; line <= state.listedPupilCount; ++line) {
            const int pupil = state.pupilNoByLine[line];
            if (!isValidPupilNo(pupil))
                continue;
            inputs.otherPupils.push_back({pupil, state.gradeLabelByNo[pupil] + u' ' +
                                                     trimBlanks(state.pupilNameByNo[pupil])});
        }
    }
    // The main window owns dialogs: the hub may be unloaded while the map is open.
    auto* window =
        new StudyMapWindow(std::move(inputs), std::move(paper), messages, parent->window());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}
