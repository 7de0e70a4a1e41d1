#pragma once

#include "core/screen.h"
#include "hub/hubview.h"
#include "hub/studyhub.h"

#include <array>
#include <memory>
#include <vector>

class GraphPanelWidget;
class QButtonGroup;
class QComboBox;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The widget of the study hub. Its elements carry the names `Command1`, `Label11`..`Label13`,
// `Label17`, `Label18`, `Label5`, `Label6`, `Combo1`, `Combo2`, `Option2_0`..`Option2_2`,
// `Option1_1`..`Option1_3`, `HScroll1`, `Picture2` with `ProgressBar1`, `Picture6` with
// `ProgressBar2`, `Command17`, `List6`, and per item i `Label1_i`, `Label3_i`, `Command4_i`,
// `Text1_i`, `Label7_i`..`Label10_i`, `Label14_i`, `Label15_i`, `List5_i`, `Command3_i` and
// `Command2_i`, the graph panel `Picture11` (see GraphPanelWidget), the review's
// `reviewButton` and `reviewLine`, and the writing drill's `writingButton` and `writingLine`. Every
// click and key goes to the logic.
class StudyHubScreen : public Screen, private HubView
{
    Q_OBJECT
public:
    explicit StudyHubScreen(StudyHubServices services, QWidget* parent = nullptr);
    ~StudyHubScreen() override;

    void load() override;
    void activate() override;
    QString windowCaption() const override { return m_caption; }

    StudyHub& logic() { return m_logic; }
    // Whether the graph panel's print button is for this pupil (a teacher).
    bool teacherPrintVisible() const { return m_logic.graphPanel().printAllowed(); }
    GraphPanelWidget* graphPanel() const { return m_graphPanel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Column
    {
        QFrame* frame = nullptr;
        QLabel* number = nullptr;         // Label1
        QLabel* caption = nullptr;        // Label3
        QPushButton* start = nullptr;     // Command4
        QLineEdit* cover = nullptr;       // Text1
        QLabel* goal = nullptr;           // Label7
        QLabel* recent = nullptr;         // Label8
        QLabel* todayHeading = nullptr;   // Label9
        QLabel* allTimeHeading = nullptr; // Label10
        QLabel* today = nullptr;          // Label14
        QLabel* allTime = nullptr;        // Label15
        QListWidget* list = nullptr;      // List5
        QPushButton* rank = nullptr;      // Command3
        QPushButton* reset = nullptr;     // Command2
    };

    void createColumns(int itemCount) override;
    void setColumnTexts(int item, const HubColumnTexts& texts) override;
    void setGradeFilter(const QStringList& entries, const QString& current) override;
    void setScrollBar(bool visible, int minimum, int maximum) override;
    void setScrollValue(int value) override;
    void placeColumns(int pitchTwips, const std::vector<int>& leftTwips) override;
    void setTitle(const QString& text, int pointSize) override;
    void setPupilLine(const QString& text) override;
    void setSchoolLine(const QString& text) override;
    void setMinutesLine(const QString& text) override;
    void setTodayTotalLine(const QString& text) override;
    void setListHeading(const QString& text) override;
    void setColumnHeadings(int item, const QString& today, const QString& allTime) override;
    void setTallies(int item, const QString& today, const QString& allTime) override;
    void setColumnDetailsVisible(int item, bool visible) override;
    void setListVisible(int item, bool visible) override;
    void setListLines(int item, const QStringList& lines, int scrollTo) override;
    void setStartEnabled(int item, bool enabled) override;
    void selectDisplayKind(int kind) override;
    void selectPeriod(int period) override;
    void setPeriodCaption(int period, const QString& caption) override;
    void setPeriodThreeEnabled(bool enabled) override;
    void setRecordsBoxVisible(bool visible) override;
    void setBackEnabled(bool enabled) override;
    void setReviewOffer(const ReviewOffer& offer) override;
    void setWritingOffer(const ReviewOffer& offer) override;
    void setGraphButtonVisible(bool visible) override;
    void setWaitPanelVisible(bool visible) override;
    void setWaitProgressVisible(bool visible) override;
    void setRankingPanelVisible(bool visible) override;
    void setProgress(qint64 value, qint64 maximum) override;
    void repaintNow() override;
    void focusFirstStart() override;

    void buildElements();
    void addReviewElements(QHBoxLayout* header);
    void connectElements();
    Column makeColumn(int item);
    Column* column(int item);
    void layoutColumns();
    void layoutPanels();
    void watchKeys(QWidget* widget);
    // 覚えた熟語 beside the way back, and its key.
    void addStudyMapButton(QHBoxLayout* header);
    void connectStudyMap(const StudyHubServices& services);
    static constexpr QChar kStudyMapKey = u'm';

    StudyHub m_logic;
    QString m_caption;
    std::shared_ptr<GraphPaper> m_graphPaper; // the system's, unless the hooks bring one

    QPushButton* m_back = nullptr;            // Command1
    QPushButton* m_review = nullptr;          // reviewButton 「復習 3問」
    QLabel* m_reviewLine = nullptr;           // reviewLine
    QPushButton* m_writing = nullptr;         // writingButton 「書き取り 5問」
    QLabel* m_writingLine = nullptr;          // writingLine
    QPushButton* m_studyMap = nullptr;        // studyMapButton
    QLabel* m_title = nullptr;                // Label11
    QLabel* m_pupil = nullptr;                // Label12
    QLabel* m_school = nullptr;               // Label13
    QLabel* m_minutes = nullptr;              // Label17
    QLabel* m_todayTotal = nullptr;           // Label18
    QLabel* m_heading = nullptr;              // Label5
    QLabel* m_keyHint = nullptr;              // Label6
    QComboBox* m_gradeFilter = nullptr;       // Combo1
    QComboBox* m_recordsBox = nullptr;        // Combo2
    std::array<QRadioButton*, 3> m_kinds{};   // Option2(0..2)
    std::array<QRadioButton*, 4> m_periods{}; // Option1(1..3)
    QButtonGroup* m_kindGroup = nullptr;
    QButtonGroup* m_periodGroup = nullptr;
    QPushButton* m_graph = nullptr;        // Command17
    QListWidget* m_instructions = nullptr; // List6
    QWidget* m_columnArea = nullptr;
    QScrollBar* m_scroll = nullptr;            // HScroll1
    QFrame* m_waitPanel = nullptr;             // Picture2
    QProgressBar* m_waitProgress = nullptr;    // ProgressBar1
    QFrame* m_rankingPanel = nullptr;          // Picture6
    QProgressBar* m_rankingProgress = nullptr; // ProgressBar2
    GraphPanelWidget* m_graphPanel = nullptr;  // Picture11

    std::vector<Column> m_columns; // index 0 unused
    int m_pitchTwips = 0;
    std::vector<int> m_leftTwips;
};
