#include "drill/idiomsource.h"
#include "fakes.h"
#include "review/sharedpupilsettings.h"
#include "review/studymapdrawing.h"
#include "review/studymappaper.h"
#include "review/studymapwindow.h"
#include "studylogfixture.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <numeric>

namespace {

// Records what would go to the printer; the PDF file name is scripted.
class FakeMapPaper : public StudyMapPaper
{
public:
    bool printerInstalled() const override { return true; }
    QString choosePdfFileName(QWidget*, const QString&) override { return pdfPath; }
    bool print(const SheetDrawing& drawing) override { return draw(drawing); }
    bool saveAsPdf(const QString& path, const SheetDrawing& drawing) override
    {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&pdf);
        drawing(painter, pdf.pageLayout().paintRectPixels(pdf.resolution()),
                pdf.resolution() / 25.4, [&] { return pdf.newPage(); });
        ++sheets;
        return true;
    }
    void printPracticeSheet(QWidget*, const std::vector<MissedKanji>& kanji, const QString& title,
                            MessageBox&) override
    {
        sheetKanji = kanji;
        sheetTitle = title;
    }

    bool draw(const SheetDrawing& drawing)
    {
        QImage sheet(210 * 2, 297 * 2, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        drawing(painter, QRectF(20, 20, 380, 554), 2, [] { return false; });
        ++sheets;
        return true;
    }

    QTemporaryDir folder;
    QString pdfPath = folder.filePath(QStringLiteral("map.pdf"));
    int sheets = 0;
    std::vector<MissedKanji> sheetKanji;
    QString sheetTitle;
};

} // namespace

class StudyMapWindowTest : public StudyLogTest
{
protected:
    // The 220 idioms of the demo, 22 to a range.
    StudyMapWindowTest()
    {
        QFile csv(QStringLiteral(YOJI_DATA_DIR "/idioms.csv"));
        EXPECT_TRUE(csv.open(QIODevice::ReadOnly));
        std::vector<IdiomSource::Row> rows;
        EXPECT_TRUE(IdiomSource::parse(QString::fromUtf8(csv.readAll()), "idioms.csv", rows).ok());
        for (const IdiomSource::Row& row : rows)
            idioms.push_back({row.fields[1], row.fields[2], row.fields[3], row.fields[0].toInt()});
    }

    // The k-th idiom (from 0) of a range.
    const MapIdiom& idiom(int range, int k) const { return idioms[size_t((range - 1) * 22 + k)]; }

    StudyEvent at(int range, int k, int daysAgo, bool right, int pupil = 1)
    {
        StudyEvent event = answer(pupil, idiom(range, k).idiom, today.addDays(-daysAgo), right);
        event.range = range;
        return event;
    }

    std::unique_ptr<StudyMapWindow> open(bool teacher = false)
    {
        StudyMapInputs inputs;
        inputs.logPath = logPath();
        inputs.idioms = idioms;
        inputs.today = today;
        inputs.pupil = {1, QStringLiteral("さくら")};
        inputs.teacher = teacher;
        if (teacher)
            inputs.otherPupils = {{1, QStringLiteral("小５ さくら")},
                                  {2, QStringLiteral("小３ たろう")}};
        inputs.examDates = examDates;
        auto window = std::make_unique<StudyMapWindow>(inputs, paper, messages);
        window->show();
        return window;
    }

    QMap<int, PupilSettings> storedSettings()
    {
        QMap<int, PupilSettings> settings;
        EXPECT_TRUE(settingsFile().read(&settings).ok());
        return settings;
    }
    QString settingsPath() const
    {
        return m_dir.filePath(QString::fromUtf8(kPupilSettingsFileName));
    }
    PupilSettingsFile settingsFile() { return PupilSettingsFile(settingsPath(), calls, sleeper); }

    const QDate today{2026, 12, 20};
    std::shared_ptr<ExamDates> examDates =
        std::make_shared<SharedPupilSettings>([this] { return settingsFile(); });
    std::vector<MapIdiom> idioms;
    std::shared_ptr<FakeMapPaper> paper = std::make_shared<FakeMapPaper>();
    FakeMessageBox messages;
};

TEST_F(StudyMapWindowTest, CellsCountsHeadingAndForecastAgreeWithTheScheduler)
{
    // Some weeks of a pupil's answers over the first five ranges; every fifth idiom wrong
    // four times (苦手).
    std::vector<StudyEvent> events;
    for (int range = 1; range <= 5; ++range) {
        for (int k = 0; k < 22 - 3 * range; ++k) {
            const int first = 40 - 2 * k - range;
            events.push_back(at(range, k, first, k % 3 != 1));
            for (int again = 1; again <= (k % 5 == 4 ? 3 : 0); ++again)
                events.push_back(at(range, k, std::max(0, first - 3 * again), false));
            events.push_back(at(range, k, first / 2, true));
            if (k % 2 == 0)
                events.push_back(at(range, k, first / 6, true));
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const StudyEvent& a, const StudyEvent& b) { return a.date < b.date; });
    for (const StudyEvent& event : events)
        append(event);
    PupilStudy study(1);
    ASSERT_TRUE(study.load(logPath()).ok());
    const auto window = open();
    QApplication::processEvents(); // lays the window out, for the picture
    const StudyMap& map = window->map();
    ASSERT_EQ(map.rows().size(), 10u);

    std::array<int, 3> seen{};
    int learned = 0;
    std::array<int, StudyMap::kForecastDays> bars{};
    for (const MapRow& row : map.rows()) {
        int rowLearned = 0;
        for (size_t k = 0; k < row.cells.size(); ++k) {
            const MapCell& cell = row.cells[k];
            const IdiomMemory* memory = study.find(cell.idiom.idiom);
            const CellState expected = !memory                ? CellState::Unanswered
                                       : memory->due <= today ? CellState::Due
                                                              : CellState::Learned;
            EXPECT_EQ(cell.state, expected) << cell.idiom.idiom.toStdString();
            EXPECT_EQ(cell.weak, memory && memory->lapses >= 4);
            ++seen[static_cast<size_t>(cell.state)];
            rowLearned += expected == CellState::Learned;
            auto* widget = window->findChild<QWidget*>(
                QStringLiteral("mapCell_%1_%2").arg(row.range).arg(k + 1));
            ASSERT_TRUE(widget);
            EXPECT_EQ(widget->accessibleName(), StudyMap::cellName(cell));
            if (memory) {
                const int days = std::max(0, int(today.daysTo(memory->due)));
                if (days < StudyMap::kForecastDays)
                    ++bars[static_cast<size_t>(days)];
            }
        }
        learned += rowLearned;
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("mapCount_%1").arg(row.range))->text(),
                  QStringLiteral("覚えた %1/22").arg(rowLearned));
    }
    for (const int count : seen)
        EXPECT_GT(count, 0);
    EXPECT_FALSE(map.weakCells().empty());
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("mapHeading"))->text(),
              QStringLiteral("覚えた熟語 %1/220").arg(learned));
    EXPECT_EQ(map.forecast(), bars);
    EXPECT_GT(std::accumulate(bars.begin() + 1, bars.end(), 0), 0);

    // The picture shows an exam ten days on, marked on the forecast.
    if (const QString folder = qEnvironmentVariable("YOJI_SCREENSHOT_DIR"); !folder.isEmpty()) {
        ASSERT_TRUE(examDates->setDate(1, today.addDays(10), today).ok());
        window->showPupil({1, QStringLiteral("さくら")});
        QApplication::processEvents();
        window->grab().save(QDir(folder).filePath(QStringLiteral("study-map.png")));
    }
}

TEST_F(StudyMapWindowTest, ADayWithNothingDueDoesNotBreakTheStreak)
{
    // A first right answer is due two days on: the day between has nothing due.
    append(at(1, 0, 2, true));
    append(at(1, 1, 0, true));
    const auto window = open();
    EXPECT_EQ(window->map().streak(), 2);
    EXPECT_TRUE(window->map().studiedOn(today.addDays(-2)));
    EXPECT_FALSE(window->map().studiedOn(today.addDays(-1)));
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("mapCalendar"))->accessibleName(),
              QStringLiteral("勉強した日：2日つづけて勉強中"));
}

TEST_F(StudyMapWindowTest, ArrowKeysMoveBetweenCellsShowingTheDetailsAndEscCloses)
{
    append(at(2, 0, 1, false));
    const auto window = open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget* first = window->findChild<QWidget*>(QStringLiteral("mapCell_1_1"));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Down);
    QWidget* below = window->findChild<QWidget*>(QStringLiteral("mapCell_2_1"));
    EXPECT_TRUE(below->hasFocus());
    const QString details = window->findChild<QLabel*>(QStringLiteral("mapDetails"))->text();
    EXPECT_TRUE(details.contains(idiom(2, 0).reading)) << details.toStdString();
    EXPECT_TRUE(details.contains(QStringLiteral("12月19日 ×"))) << details.toStdString();
    QTest::keyClick(below, Qt::Key_Right);
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("mapCell_2_2"))->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("mapCell_1_2"))->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left); // the start of the row
    EXPECT_TRUE(first->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(StudyMapWindowTest, ATeacherSwitchesPupilsAndPrintsOnlyWhatAPupilCannot)
{
    append(at(2, 1, 1, true, 2));
    const auto pupilWindow = open(false);
    EXPECT_FALSE(pupilWindow->findChild<QWidget*>(QStringLiteral("mapPrint"))->isVisible());
    EXPECT_EQ(pupilWindow->map().learnedCount(), 0);

    const auto window = open(true);
    auto* pupils = window->findChild<QComboBox*>(QStringLiteral("mapPupils"));
    ASSERT_TRUE(pupils);
    pupils->setCurrentIndex(1);
    emit pupils->activated(1);
    EXPECT_EQ(window->pupil(), 2);
    EXPECT_EQ(window->map().learnedCount(), 1);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("mapPdf")), Qt::LeftButton);
    EXPECT_EQ(paper->sheets, 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("PDFファイルに保存しました。")));
}

TEST_F(StudyMapWindowTest, TheDetailsListTheLastTenAnswersAndAnEleventhDropsTheOldest)
{
    PupilStudy study(1);
    const auto recentLine = [&] {
        const StudyMap map(study, idioms, today);
        return StudyMap::cellDetails(map.rows()[0].cells[0])
            .filter(QStringLiteral("最近の答え"))
            .join(u'\n')
            .toStdString();
    };
    for (int k = 0; k < 10; ++k)
        study.add(at(1, 0, 12 - k, k % 3 != 1));
    EXPECT_EQ(recentLine(),
              std::string("最近の答え：12月8日 ○　12月9日 ×　12月10日 ○　12月11日 ○　"
                          "12月12日 ×　12月13日 ○　12月14日 ○　12月15日 ×　12月16日 ○　"
                          "12月17日 ○"));
    study.add(at(1, 0, 2, false));
    EXPECT_EQ(recentLine(),
              std::string("最近の答え：12月9日 ×　12月10日 ○　12月11日 ○　12月12日 ×　"
                          "12月13日 ○　12月14日 ○　12月15日 ×　12月16日 ○　12月17日 ○　"
                          "12月18日 ×"));
}

// 書く shows the writing state of every idiom, apart from the tiles: an idiom learned among tiles
// and never written is unanswered there. The practice sheet gets the kanji missed in each idiom's
// last writing answer, each kanji once, whichever skill is shown.
TEST_F(StudyMapWindowTest, TheWritingSwitchShowsTheWritingStateAndTheSheetTheMissedKanji)
{
    const auto writing = [&](int range, int k, int daysAgo, int missed) {
        StudyEvent event = at(range, k, daysAgo, missed == 0);
        event.drill = StudyDrill::Writing;
        event.itemNo = 0;
        event.wrongReadings = missed;
        append(event);
    };
    writing(1, 1, 30, 0);
    writing(1, 2, 3, 0b0001); // missed, then written right today: off the sheet
    writing(1, 3, 2, 0b0110);
    writing(2, 0, 1, 0b1001);
    writing(1, 2, 0, 0);
    append(at(1, 0, 0, true));
    const auto window = open();
    EXPECT_EQ(window->map().headingText(), QStringLiteral("覚えた熟語 1/220"));

    auto* write = window->findChild<QRadioButton*>(QStringLiteral("mapWrite"));
    ASSERT_TRUE(write);
    EXPECT_EQ(write->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    write->click();
    const StudyMap& map = window->map();
    EXPECT_EQ(map.skill(), StudySkill::Write);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("mapHeading"))->text(),
              QStringLiteral("書ける熟語 1/220"));
    const std::vector<MapCell>& cells = map.rows()[0].cells;
    EXPECT_EQ(cells[0].state, CellState::Unanswered);
    EXPECT_EQ(cells[1].state, CellState::Due);
    EXPECT_EQ(cells[2].state, CellState::Learned);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("mapCount_1"))->text(),
              QStringLiteral("書ける 1/22"));

    window->findChild<QRadioButton*>(QStringLiteral("mapChoose"))->click();
    EXPECT_EQ(window->map().learnedCount(), 1);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("mapSheet")), Qt::LeftButton);
    const QString third = idiom(1, 3).idiom;
    const QString other = idiom(2, 0).idiom;
    std::vector<MissedKanji> expected{{third.mid(1, 1), third, idiom(1, 3).reading},
                                      {third.mid(2, 1), third, idiom(1, 3).reading}};
    for (const int i : {0, 3}) {
        const QString kanji = other.mid(i, 1);
        if (!third.contains(kanji))
            expected.push_back({kanji, other, idiom(2, 0).reading});
    }
    EXPECT_EQ(paper->sheetKanji, expected);
    EXPECT_EQ(paper->sheetTitle, QStringLiteral("さくら"));
}

TEST_F(StudyMapWindowTest, TheExamDateFieldStoresAndClearsTheDateOfThePupilShown)
{
    // Two idioms answered right today, each recalled at about 0.9 three days on.
    append(at(1, 0, 0, true));
    append(at(1, 1, 0, true));
    ASSERT_TRUE(examDates->setDate(2, QDate(2027, 2, 1), QDate(2026, 11, 1)).ok());
    const auto window = open(true);
    auto* field = window->findChild<QDateEdit*>(QStringLiteral("mapExamDate"));
    auto* forecast = window->findChild<QLabel*>(QStringLiteral("mapExamForecast"));
    EXPECT_EQ(field->text(), QStringLiteral("なし"));
    EXPECT_TRUE(forecast->text().isEmpty());

    field->setFocus();
    field->setDate(today.addDays(3));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(storedSettings().value(1).examDate, today.addDays(3));
    EXPECT_EQ(storedSettings().value(1).examSetOn, today);
    EXPECT_EQ(forecast->text(), QStringLiteral("試験日に覚えている見込み：2/220"));
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("mapForecast"))
                    ->accessibleName()
                    .endsWith(QStringLiteral("試験日は12月23日")));

    // The field follows the pupil a teacher switches to, and 「なし」 clears that pupil's date.
    window->showPupil({2, QStringLiteral("小３ たろう")});
    EXPECT_EQ(field->date(), QDate(2027, 2, 1));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("mapExamNone")),
                      Qt::LeftButton);
    EXPECT_FALSE(storedSettings().value(2).examDate.isValid());
    EXPECT_EQ(storedSettings().value(1).examDate, today.addDays(3));
    EXPECT_EQ(field->text(), QStringLiteral("なし"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(StudyMapWindowTest, AnExamDateTodayOrPastIsRefusedKindlyAndNotStored)
{
    const auto window = open();
    auto* field = window->findChild<QDateEdit*>(QStringLiteral("mapExamDate"));
    field->setFocus();
    for (const QDate& day : {today, today.addDays(-40)}) {
        field->setDate(day);
        QTest::keyClick(field, Qt::Key_Return);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown.takeFirst().text.contains(QStringLiteral("あしたから後")));
        EXPECT_EQ(field->text(), QStringLiteral("なし"));
    }
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(StudyMapWindowTest, ThePrintedMapHoldsTheExamForecastWithItsDay)
{
    append(at(1, 0, 0, true));
    const auto printedText = [this](int daysAhead) {
        EXPECT_TRUE(examDates->setDate(1, today.addDays(daysAhead), today).ok());
        const auto window = open(true);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("mapPdf")),
                          Qt::LeftButton);
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {paper->pdfPath, QStringLiteral("-")});
        EXPECT_TRUE(pdftotext.waitForFinished()) << "pdftotext (poppler-utils) is needed";
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    };
    const QString text = printedText(10);
    EXPECT_TRUE(text.contains(QStringLiteral("試験日に覚えている見込み：1/220（試験日 12月30日）")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("→"))) << text.toStdString();
    // Fourteen days on, the exam lies past the forecast's last day: an arrow names it.
    EXPECT_TRUE(printedText(14).contains(QStringLiteral("→ 試験日 1月3日")));
}

TEST_F(StudyMapWindowTest, WithoutADateTheCalendarOpensOnThisMonth)
{
    const auto window = open();
    auto* field = window->findChild<QDateEdit*>(QStringLiteral("mapExamDate"));
    // The arrow at the right end opens the calendar.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 4, field->height() / 2));
    const QCalendarWidget* calendar = field->calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->yearShown(), today.year());
    EXPECT_EQ(calendar->monthShown(), today.month());
    // and stays where the pupil turns it.
    QTest::mouseClick(calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")),
                      Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(calendar->monthShown(), 1);
}

TEST_F(StudyMapWindowTest, OnTheExamDayTheMapNoLongerForecastsIt)
{
    append(at(1, 0, 0, true));
    ASSERT_TRUE(examDates->setDate(1, today, today.addDays(-30)).ok());
    const auto window = open();
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("mapExamForecast"))->text().isEmpty());
    EXPECT_FALSE(window->map().examDate().isValid());
}
