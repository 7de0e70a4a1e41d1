#include "review/studymapwindow.h"

#include "core/catalogue.h"
#include "core/labels.h"
#include "platform/messagebox.h"
#include "review/sharedpupilsettings.h"
#include "review/reviewtexts.h"
#include "review/studymapdrawing.h"
#include "review/studymappaper.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <functional>

namespace {

constexpr int kCellPixels = 26;
// What the date field shows for none; no exam is set so far back.
const QDate kNoExamDate(2000, 1, 1);

double screenPixelsPerMm(const QWidget* widget)
{
    return widget->logicalDpiX() / 25.4;
}

// A part of the map drawn by the shared drawing, named for assistive technology.
class MapPicture : public QWidget
{
public:
    using Drawing = std::function<void(QPainter&, const QRectF&, double)>;

    MapPicture(const QString& name, Drawing drawing, QWidget* parent)
        : QWidget(parent), m_drawing(std::move(drawing))
    {
        setObjectName(name);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        m_drawing(painter, QRectF(rect()), screenPixelsPerMm(this));
    }

private:
    Drawing m_drawing;
};

QRadioButton* makeSkillButton(const QString& name, const QString& caption,
                              const QString& accessibleName, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(accessibleName);
    QFont font = button->font();
    font.setPointSize(12);
    button->setFont(font);
    return button;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAutoDefault(true);
    return button;
}

QString forecastName(const StudyMap& map)
{
    QStringList days;
    for (int day = 0; day < StudyMap::kForecastDays; ++day)
        days << QStringLiteral("%1 %2問")
                    .arg(StudyMap::forecastDayText(map.today(), day))
                    .arg(map.forecast()[static_cast<size_t>(day)]);
    QString name = QStringLiteral("これからの復習：") + days.join(QStringLiteral("、"));
    if (map.examDate().isValid())
        name += QStringLiteral("。試験日は") + ReviewTexts::dateText(map.examDate());
    return name;
}

} // namespace

// One idiom of the map: its colour, a focus frame, and its name and details for assistive
// technology.
class MapCellWidget : public QWidget
{
public:
    MapCellWidget(const MapCell& cell, std::function<void()> shown,
                  std::function<void(int key)> arrow, QWidget* parent)
        : QWidget(parent), m_cell(cell), m_shown(std::move(shown)), m_arrow(std::move(arrow))
    {
        setFixedSize(kCellPixels, kCellPixels);
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleName(StudyMap::cellName(cell));
        setAccessibleDescription(StudyMap::cellDetails(cell).join(u'\n'));
        setToolTip(StudyMap::cellDetails(cell).join(u'\n'));
    }
    const MapCell& cell() const { return m_cell; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        StudyMapDrawing::drawCell(painter, QRectF(rect()).adjusted(1, 1, -1, -1), m_cell,
                                  hasFocus(), screenPixelsPerMm(this));
    }
    void focusInEvent(QFocusEvent* event) override
    {
        QWidget::focusInEvent(event);
        m_shown();
    }
    void enterEvent(QEnterEvent* event) override
    {
        QWidget::enterEvent(event);
        m_shown();
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            m_arrow(event->key());
            return;
        default:
            QWidget::keyPressEvent(event);
        }
    }

private:
    MapCell m_cell;
    std::function<void()> m_shown;
    std::function<void(int)> m_arrow;
};

StudyMapWindow::StudyMapWindow(StudyMapInputs inputs, std::shared_ptr<StudyMapPaper> paper,
                               MessageBox& messages, QWidget* parent)
    : QDialog(parent), m_inputs(std::move(inputs)), m_paper(std::move(paper)), m_messages(messages)
{
    setObjectName(QStringLiteral("studyMap"));
    setWindowTitle(QStringLiteral("覚えた熟語"));
    resize(1000, 720);

    m_heading = newLabel(QStringLiteral("mapHeading"), 20, true, this);
    // Radio buttons of one parent exclude each other; arrow keys move between them.
    m_choose = makeSkillButton(QStringLiteral("mapChoose"), QStringLiteral("選ぶ"),
                               QStringLiteral("選ぶ：タイルから選べる熟語"), this);
    m_write = makeSkillButton(QStringLiteral("mapWrite"), QStringLiteral("書く"),
                              QStringLiteral("書く：漢字で書ける熟語"), this);
    m_choose->setChecked(true);
    auto* sheet = makeButton(QStringLiteral("mapSheet"), QStringLiteral("練習プリント"), this);
    sheet->setToolTip(QStringLiteral("書き取りでまちがえた漢字の練習プリントを作ります"));
    auto* print = makeButton(QStringLiteral("mapPrint"), QStringLiteral("印刷"), this);
    auto* pdf = makeButton(QStringLiteral("mapPdf"), QStringLiteral("PDFに保存"), this);
    auto* close = makeButton(QStringLiteral("mapClose"), QStringLiteral("閉じる"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(m_heading);
    top->addSpacing(16);
    top->addWidget(m_choose);
    top->addWidget(m_write);
    if (m_inputs.teacher && !m_inputs.otherPupils.empty()) {
        m_pupils = new QComboBox(this);
        m_pupils->setObjectName(QStringLiteral("mapPupils"));
        m_pupils->setAccessibleName(QStringLiteral("生徒を選ぶ"));
        for (const StudyMapPupil& other : m_inputs.otherPupils)
            m_pupils->addItem(other.title, other.pupilNo);
        top->addSpacing(16);
        top->addWidget(m_pupils);
        connect(m_pupils, &QComboBox::activated, this, [this](int index) {
            showPupil(m_inputs.otherPupils.at(static_cast<size_t>(index)));
        });
    }
    top->addStretch();
    top->addWidget(sheet);
    top->addWidget(print);
    top->addWidget(pdf);
    top->addWidget(close);
    print->setVisible(m_inputs.teacher);
    pdf->setVisible(m_inputs.teacher);

    m_gridArea = new QScrollArea(this);
    m_gridArea->setObjectName(QStringLiteral("mapGrid"));
    m_gridArea->setWidgetResizable(true);
    m_gridArea->setFocusPolicy(Qt::NoFocus);
    // Ten ranges fit without scrolling.
    m_gridArea->setMinimumHeight(10 * (kCellPixels + 4) + 24);

    auto* legend = new MapPicture(
        QStringLiteral("mapLegend"),
        [](QPainter& painter, const QRectF& box, double mm) {
            StudyMapDrawing::drawLegend(painter, box, mm);
        },
        this);
    legend->setMinimumHeight(26);
    legend->setAccessibleName(QStringLiteral("色の見方：灰色はまだ、オレンジは復習の日、緑は覚えた"
                                             "（こいほどよく覚えている）、赤いしるしは苦手"));
    m_forecast = new MapPicture(
        QStringLiteral("mapForecast"),
        [this](QPainter& painter, const QRectF& box, double mm) {
            StudyMapDrawing::drawForecast(painter, box, m_map, mm);
        },
        this);
    m_calendar = new MapPicture(
        QStringLiteral("mapCalendar"),
        [this](QPainter& painter, const QRectF& box, double mm) {
            StudyMapDrawing::drawCalendar(painter, box, m_map, mm);
        },
        this);
    for (QWidget* chart : {m_forecast, m_calendar})
        chart->setMinimumSize(380, 190);
    m_details = newLabel(QStringLiteral("mapDetails"), 12, false, this);
    m_details->setWordWrap(true);
    m_details->setMinimumHeight(110);
    m_details->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_details->setText(
        QStringLiteral("ますにマウスを重ねるか、矢印キーで選ぶと、くわしく出ます。"));

    auto* charts = new QHBoxLayout;
    charts->addWidget(m_forecast, 1);
    charts->addSpacing(16);
    charts->addWidget(m_calendar, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(makeExamRow());
    layout->addWidget(m_gridArea, 1);
    layout->addWidget(legend);
    layout->addLayout(charts);
    layout->addWidget(m_details);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] { printMap(); });
    connect(pdf, &QPushButton::clicked, this, [this] { saveMap(); });
    connect(sheet, &QPushButton::clicked, this, [this] { printPracticeSheet(); });
    connect(m_choose, &QRadioButton::toggled, this,
            [this](bool checked) { showSkill(checked ? StudySkill::Choose : StudySkill::Write); });
    showPupil(m_inputs.pupil);
}

StudyMapWindow::~StudyMapWindow() = default;

// The expected count under the heading; at the right the date of the pupil shown, which a date
// edit cannot leave empty: its earliest day stands for none and reads 「なし」.
QLayout* StudyMapWindow::makeExamRow()
{
    m_examForecast = newLabel(QStringLiteral("mapExamForecast"), 12, true, this);
    auto* row = new QHBoxLayout;
    row->addWidget(m_examForecast);
    row->addStretch();
    if (!m_inputs.examDates)
        return row;
    m_examField = new QDateEdit(this);
    m_examField->setObjectName(QStringLiteral("mapExamDate"));
    m_examField->setAccessibleName(QStringLiteral("試験日"));
    m_examField->setCalendarPopup(true);
    m_examField->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    m_examField->setMinimumDate(kNoExamDate);
    m_examField->setSpecialValueText(QStringLiteral("なし"));
    m_examField->setToolTip(QStringLiteral("試験の日を選ぶと、その日に向けて復習の予定を立てます"));
    m_examField->calendarWidget()->installEventFilter(this);
    auto* caption = newLabel(QStringLiteral("mapExamCaption"), 12, false, this);
    caption->setText(QStringLiteral("試験日(&E)"));
    caption->setBuddy(m_examField);
    auto* none = makeButton(QStringLiteral("mapExamNone"), QStringLiteral("なし"), this);
    none->setAccessibleName(QStringLiteral("試験日をなしにする"));
    row->addWidget(caption);
    row->addWidget(m_examField);
    row->addWidget(none);
    // Typing changes the date at every digit: it counts once the field is left or Enter pressed.
    connect(m_examField, &QDateEdit::editingFinished, this,
            [this] { chooseExamDate(m_examField->date()); });
    connect(m_examField->calendarWidget(), &QCalendarWidget::clicked, this,
            [this](QDate date) { chooseExamDate(date); });
    connect(none, &QPushButton::clicked, this, [this] { storeExamDate(QDate()); });
    return row;
}

bool StudyMapWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Without a date the calendar opens on this month, not on the day that stands for none.
    if (m_examField && watched == m_examField->calendarWidget() && event->type() == QEvent::Show &&
        !m_examDate.isValid())
        m_examField->calendarWidget()->setCurrentPage(m_inputs.today.year(),
                                                      m_inputs.today.month());
    return QDialog::eventFilter(watched, event);
}

void StudyMapWindow::chooseExamDate(const QDate& date)
{
    if (date == (m_examDate.isValid() ? m_examDate : kNoExamDate))
        return;
    if (date <= m_inputs.today) {
        tell(QStringLiteral("試験日は、あしたから後の日を選んでください。"
                            "きょうや、もう過ぎた日は選べません。"));
        showExamDate();
        return;
    }
    storeExamDate(date);
}

void StudyMapWindow::storeExamDate(const QDate& date)
{
    const Status stored = m_inputs.examDates->setDate(m_pupil.pupilNo, date, m_inputs.today);
    if (!stored.ok()) {
        tell(stored.message);
        showExamDate();
        return;
    }
    showMap(m_pupil, date);
}

void StudyMapWindow::showExamDate()
{
    if (!m_examField)
        return;
    const QSignalBlocker quiet(m_examField);
    m_examField->setDate(m_examDate.isValid() ? m_examDate : kNoExamDate);
}

void StudyMapWindow::showPupil(const StudyMapPupil& pupil)
{
    QDate examDate;
    if (m_inputs.examDates) {
        Status read;
        examDate = m_inputs.examDates->exam(pupil.pupilNo, &read).date;
        if (!read.ok())
            tell(read.message);
    }
    showMap(pupil, examDate);
}

void StudyMapWindow::showMap(const StudyMapPupil& pupil, const QDate& examDate)
{
    StudyMap map;
    const Status status = loadStudyMap(m_inputs.logPath, pupil.pupilNo, m_inputs.idioms,
                                       m_inputs.today, map, m_inputs.studies, m_skill, examDate);
    if (!status.ok()) {
        tell(status.message);
        return;
    }
    m_pupil = pupil;
    m_examDate = examDate;
    showExamDate();
    m_map = std::move(map);
    m_heading->setText(m_map.headingText());
    m_heading->setAccessibleName(pupil.title + u' ' + m_map.headingText());
    m_examForecast->setText(m_map.examForecastLine());
    m_examForecast->setAccessibleName(m_map.examForecastLine());
    m_forecast->setAccessibleName(forecastName(m_map));
    m_calendar->setAccessibleName(
        QStringLiteral("勉強した日：%1日つづけて勉強中").arg(m_map.streak()));
    buildGrid();
    m_forecast->update();
    m_calendar->update();
}

void StudyMapWindow::showSkill(StudySkill skill)
{
    if (skill == m_skill)
        return;
    m_skill = skill;
    (skill == StudySkill::Choose ? m_choose : m_write)->setChecked(true);
    showMap(m_pupil, m_examDate);
}

void StudyMapWindow::buildGrid()
{
    m_cells.clear();
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    layout->setHorizontalSpacing(2);
    layout->setVerticalSpacing(3);
    const std::vector<MapRow>& rows = m_map.rows();
    for (size_t r = 0; r < rows.size(); ++r) {
        const MapRow& row = rows[r];
        const int gridRow = static_cast<int>(r);
        auto* range = newLabel(QStringLiteral("mapRange_%1").arg(row.range), 12, true, grid);
        range->setText(rangeCaption(row.range));
        layout->addWidget(range, gridRow, 0);
        auto* cells = new QHBoxLayout;
        cells->setSpacing(1);
        m_cells.emplace_back();
        for (size_t k = 0; k < row.cells.size(); ++k) {
            auto* cell = new MapCellWidget(
                row.cells[k], [this, r, k] { showDetails(m_cells[r][k]->cell()); },
                [this, r, k](int key) { moveFocus(int(r), int(k), key); }, grid);
            cell->setObjectName(QStringLiteral("mapCell_%1_%2").arg(row.range).arg(k + 1));
            cells->addWidget(cell);
            m_cells.back().push_back(cell);
        }
        cells->addStretch();
        layout->addLayout(cells, gridRow, 1);
        auto* count = newLabel(QStringLiteral("mapCount_%1").arg(row.range), 12, false, grid);
        count->setText(m_map.rowCountText(row));
        layout->addWidget(count, gridRow, 2);
    }
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(static_cast<int>(rows.size()), 1);
    m_gridArea->setWidget(grid); // deletes the grid of the pupil shown before
}

void StudyMapWindow::moveFocus(int row, int column, int key)
{
    const int rows = static_cast<int>(m_cells.size());
    if (key == Qt::Key_Up)
        --row;
    else if (key == Qt::Key_Down)
        ++row;
    else if (key == Qt::Key_Left)
        --column;
    else
        ++column;
    if (row < 0 || row >= rows)
        return;
    const auto& cells = m_cells[static_cast<size_t>(row)];
    if (cells.empty() || column < 0)
        return;
    // A shorter row takes the focus to its last idiom; past the end of a row it stays.
    if (column >= static_cast<int>(cells.size())) {
        if (key == Qt::Key_Right)
            return;
        column = static_cast<int>(cells.size()) - 1;
    }
    cells[static_cast<size_t>(column)]->setFocus(Qt::OtherFocusReason);
}

void StudyMapWindow::showDetails(const MapCell& cell)
{
    m_details->setText(StudyMap::cellDetails(cell).join(u'\n'));
}

void StudyMapWindow::drawSheets(QPainter& painter, const QRectF& area, double pixelsPerMm,
                                const std::function<bool()>& nextSheet) const
{
    StudyMapDrawing::drawSheets(painter, area, pixelsPerMm, m_map, m_pupil.title, nextSheet);
}

void StudyMapWindow::printMap()
{
    if (!m_paper->printerInstalled()) {
        tell(QStringLiteral("プリンターが見つかりません。プリンターをつないで設定してから、もう一度"
                            "「印刷」を押してください。「PDFに保存」でPDFファイルに保存することも"
                            "できます。"));
        return;
    }
    if (!m_paper->print(
            [this](QPainter& painter, const QRectF& area, double mm,
                   const std::function<bool()>& next) { drawSheets(painter, area, mm, next); }))
        tell(QStringLiteral("印刷できませんでした。プリンターの設定を確かめてください。"));
}

void StudyMapWindow::saveMap()
{
    const QString path =
        m_paper->choosePdfFileName(this, QStringLiteral("覚えた熟語_%1.pdf").arg(m_pupil.pupilNo));
    if (path.isEmpty())
        return;
    const bool saved = m_paper->saveAsPdf(
        path, [this](QPainter& painter, const QRectF& area, double mm,
                     const std::function<bool()>& next) { drawSheets(painter, area, mm, next); });
    tell(saved ? QStringLiteral("PDFファイルに保存しました。\n%1").arg(path)
               : QStringLiteral("PDFファイルを保存できませんでした。\n%1").arg(path));
}

void StudyMapWindow::printPracticeSheet()
{
    // From the writing state whichever map is shown: the sheet is for what the pupil cannot
    // write yet.
    StudyMap writing;
    const Status status =
        loadStudyMap(m_inputs.logPath, m_pupil.pupilNo, m_inputs.idioms, m_inputs.today, writing,
                     m_inputs.studies, StudySkill::Write);
    if (!status.ok()) {
        tell(status.message);
        return;
    }
    m_paper->printPracticeSheet(this, writing.missedKanji(), m_pupil.title, m_messages);
}

void StudyMapWindow::tell(const QString& text)
{
    m_messages.show(QStringLiteral("覚えた熟語"), text);
}
