#pragma once

#include "review/studymap.h"

#include <QDialog>

#include <memory>
#include <vector>

class ExamDates;
class MessageBox;
class QComboBox;
class QDateEdit;
class QLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class StudyMapPaper;
class MapCellWidget;

struct StudyMapPupil
{
    int pupilNo = 0;
    QString title; // as the heading names the pupil
};

struct StudyMapInputs
{
    QString logPath;
    std::vector<MapIdiom> idioms;
    QDate today;
    StudyMapPupil pupil;
    // A teacher may switch to these pupils and print; empty for a pupil.
    std::vector<StudyMapPupil> otherPupils;
    bool teacher = false;
    // Kept by the program across its screens; nullptr reads each pupil's whole log.
    StudyCache* studies = nullptr;
    // Where the field 試験日 reads and stores the date of the pupil shown; none: no field.
    std::shared_ptr<ExamDates> examDates;
};

// The window 覚えた熟語: the map of one pupil with a cell per idiom, the row counts, the legend,
// the forecast, the calendar and the details of the cell under the mouse or the focus, all of
// one skill: choosing the idiom among tiles or writing its kanji.
// Elements: `mapHeading`, `mapChoose` and `mapWrite` (the skill), `mapPupils` (teacher),
// `mapCell_<range>_<k>` (k from 1), `mapCount_<range>`, `mapLegend`, `mapForecast`,
// `mapCalendar`, `mapDetails`, `mapSheet` (the practice sheet of the kanji missed in writing),
// `mapPrint`, `mapPdf` (teacher), `mapClose`, and the exam date `mapExamDate` with `mapExamNone`
// and the line `mapExamForecast`. Arrow keys move between cells; Esc closes.
class StudyMapWindow : public QDialog
{
    Q_OBJECT
public:
    StudyMapWindow(StudyMapInputs inputs, std::shared_ptr<StudyMapPaper> paper,
                   MessageBox& messages, QWidget* parent = nullptr);
    ~StudyMapWindow() override;

    const StudyMap& map() const { return m_map; }
    int pupil() const { return m_pupil.pupilNo; }
    void showPupil(const StudyMapPupil& pupil);
    void showSkill(StudySkill skill);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLayout* makeExamRow();
    void showMap(const StudyMapPupil& pupil, const QDate& examDate);
    void showExamDate();
    // Stores a date the field was set to; a day that is not ahead is refused.
    void chooseExamDate(const QDate& date);
    void storeExamDate(const QDate& date);
    void buildGrid();
    void moveFocus(int row, int column, int key);
    void showDetails(const MapCell& cell);
    void printMap();
    void saveMap();
    void printPracticeSheet();
    void tell(const QString& text);
    void drawSheets(QPainter& painter, const QRectF& area, double pixelsPerMm,
                    const std::function<bool()>& nextSheet) const;

    StudyMapInputs m_inputs;
    std::shared_ptr<StudyMapPaper> m_paper;
    MessageBox& m_messages;
    StudyMapPupil m_pupil;
    StudySkill m_skill = StudySkill::Choose;
    StudyMap m_map;

    QDate m_examDate; // of the pupil shown, as stored
    QLabel* m_heading = nullptr;
    QLabel* m_examForecast = nullptr;
    QDateEdit* m_examField = nullptr;
    QRadioButton* m_choose = nullptr;
    QRadioButton* m_write = nullptr;
    QComboBox* m_pupils = nullptr;
    QScrollArea* m_gridArea = nullptr;
    QLabel* m_details = nullptr;
    QWidget* m_forecast = nullptr;
    QWidget* m_calendar = nullptr;
    std::vector<std::vector<MapCellWidget*>> m_cells; // by row, then idiom
};
