#pragma once

#include "review/studymap.h"
#include "review/studymappaper.h"

#include <memory>
#include <vector>

class Clock;
class ExamDates;
class IdiomTable;
class MessageBox;
class PrintDevices;
class StudyCache;
class StudyMapWindow;
class QWidget;
struct SharedState;

// The idioms of the idiom file in file order, as the map shows them; lines whose range is not
// 1..10 are left out.
std::vector<MapIdiom> studyMapIdioms(const IdiomTable& table);

// Draws the map's sheets through the worksheet printing's printer and PDF files.
class PrintDevicesMapPaper : public StudyMapPaper
{
public:
    explicit PrintDevicesMapPaper(std::shared_ptr<PrintDevices> devices);

    bool printerInstalled() const override;
    QString choosePdfFileName(QWidget* parent, const QString& suggestion) override;
    bool print(const SheetDrawing& drawing) override;
    bool saveAsPdf(const QString& path, const SheetDrawing& drawing) override;
    void printPracticeSheet(QWidget* parent, const std::vector<MissedKanji>& kanji,
                            const QString& title, MessageBox& messages) override;

private:
    std::shared_ptr<PrintDevices> m_devices;
};

// Opens the window 覚えた熟語 of the current pupil over parent's window; a teacher may switch
// to the listed pupils. A fault of the idiom file or the study log goes to messages, and then no
// window opens (nullptr).
StudyMapWindow* openStudyMap(QWidget* parent, const SharedState& state, const Clock& clock,
                             StudyCache& studies, MessageBox& messages,
                             std::shared_ptr<StudyMapPaper> paper,
                             std::shared_ptr<ExamDates> examDates);
