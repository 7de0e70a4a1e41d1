#include "accessibletree.h"
#include "core/listfont.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/waitform.h"
#include "drill/idiomsource.h"
#include "hub/studyhubscreen.h"
#include "hubfixture.h"
#include "review/reviewtexts.h"
#include "review/studycache.h"
#include "review/studylog.h"
#include "review/studymapwindow.h"
#include "tabwalk.h"

#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>

namespace {

// The real main window and navigator with the hub; the name selection and drill screens are
// plain screens. Demo-like data: three pupils of the demo roster with a week of results.
class HubScreenTest : public ::testing::Test, public HubFixture
{
protected:
    HubScreenTest()
    {
        addPupil(1, 2017, QStringLiteral("さくら"));
        addPupil(2, 2015, QStringLiteral("はると"));
        addPupil(3, 2013, QStringLiteral("ゆい"));
        choosePupil(1);
        state->schoolName = QStringLiteral("ひまわり学習教室");
        for (int i = 2; i <= 20; i += 2) {
            state->itemTargetTime[i] = 190 + 5 * i;
            state->itemField5[i] = 1.0f + 0.05f * static_cast<float>(i - 2);
        }
        for (int i = 1; i <= 19; i += 2)
            state->itemRequiredScore[i] = 9999;
        writeResults({result(2, 2, 150, today() - 5, QTime(16, 12)),
                      result(3, 2, 120, today() - 3, QTime(17, 40)),
                      result(1, 2, 260, today() - 2, QTime(16, 2)),
                      result(1, 2, 180, today(), QTime(9, 12)),
                      result(1, 2, 99999, today(), QTime(9, 20)),
                      result(2, 4, 170, today() - 1, QTime(18, 30)),
                      result(1, 4, 205, today(), QTime(9, 35)),
                      result(3, 6, 140, today() - 4, QTime(15, 5))});
        screens.registerScreen(ScreenId::Hub, [this] {
            return new StudyHubScreen({*state, screens, records, clock, messages, studies, hooks});
        });
        screens.registerScreen(ScreenId::Drill, [] { return new Screen; });
        screens.registerScreen(ScreenId::Writing, [] { return new Screen; });
        screens.registerScreen(ScreenId::NameSelection, [] { return new Screen; });
        window.show();
    }

    StudyHubScreen* showHub()
    {
        records.computeStatistics(); // as the screen before the hub leaves them
        screens.show(ScreenId::Hub);
        QCoreApplication::processEvents();
        return qobject_cast<StudyHubScreen*>(screens.loadedScreen(ScreenId::Hub));
    }
    template <typename T> T* element(QWidget* screen, const QString& name)
    {
        T* found = screen->findChild<T*>(name);
        if (!found)
            ADD_FAILURE() << "no element " << name.toStdString();
        return found;
    }
    void writeIdiomFile()
    {
        const std::vector<IdiomSource::Row> rows{
            {1, {"1", "一石二鳥", "いっせきにちょう", "一度に二つの得をすること"}}};
        ASSERT_TRUE(
            IdiomSource::writeCompanionFile(rows, state->programFolder + "四字02vv.ccc").ok());
    }
    static QStringList linesOf(QListWidget* list)
    {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines.append(list->item(i)->text());
        return lines;
    }
    // For looking at the screen: set YOJI_SCREENSHOT_DIR to keep a picture.
    void keepPicture(const QString& name)
    {
        QCoreApplication::processEvents();
        const QString folder = qEnvironmentVariable("YOJI_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }

    StudyHubHooks hooks;
    StudyCache studies;
    MainWindow window;
    Navigator screens{window.screenStack(), window.waitForm()};
};

} // namespace

TEST_F(HubScreenTest, TheHubShowsItsElementsWithTheirTexts)
{
    StudyHubScreen* hub = showHub();
    ASSERT_TRUE(hub);
    keepPicture(QStringLiteral("hub-points"));
    EXPECT_EQ(hub->palette().color(QPalette::Window), QColor(0, 0x80, 0x80));
    EXPECT_EQ(element<QPushButton>(hub, "Command1")->text(), "戻る(0)");
    EXPECT_TRUE(element<QPushButton>(hub, "Command1")->isEnabled());
    EXPECT_EQ(element<QLabel>(hub, "Label11")->text(), "Sorawa");
    EXPECT_EQ(element<QLabel>(hub, "Label12")->text(), "小３ さくら");
    EXPECT_EQ(element<QLabel>(hub, "Label13")->text(), "ひまわり学習教室:1");
    EXPECT_EQ(element<QLabel>(hub, "Label18")->text(), "本日総回数＝2回");
    EXPECT_EQ(element<QLabel>(hub, "Label5")->text(), "獲得ポイント（今まで順位）");
    EXPECT_EQ(element<QLabel>(hub, "Label6")->text(), "GRPH+A,B,C,D..でも選択できます。");
    EXPECT_TRUE(element<QRadioButton>(hub, "Option2_1")->isChecked());
    EXPECT_TRUE(element<QRadioButton>(hub, "Option1_1")->isChecked());
    EXPECT_EQ(element<QRadioButton>(hub, "Option1_1")->text(), "累計順");
    EXPECT_EQ(element<QComboBox>(hub, "Combo1")->count(), 12);
    EXPECT_EQ(element<QComboBox>(hub, "Combo1")->currentText(), "全学年");
    EXPECT_TRUE(element<QComboBox>(hub, "Combo2")->isHidden());
    EXPECT_TRUE(element<QPushButton>(hub, "Command17")->isHidden());
    EXPECT_TRUE(element<QFrame>(hub, "Picture2")->isHidden());
    EXPECT_TRUE(element<QFrame>(hub, "Picture6")->isHidden());
    auto* scroll = element<QScrollBar>(hub, "HScroll1");
    EXPECT_TRUE(scroll->isVisible());
    EXPECT_EQ(scroll->maximum(), 17);

    EXPECT_EQ(element<QPushButton>(hub, "Command4_3")->text(), "ｽﾀｰﾄ(&3)");
    EXPECT_EQ(element<QLabel>(hub, "Label3_2")->text(), "範囲１");
    EXPECT_EQ(element<QLabel>(hub, "Label14_2")->text(), "1回/5点");
    EXPECT_EQ(element<QLabel>(hub, "Label15_2")->text(), "2回/9点");
    EXPECT_EQ(element<QLabel>(hub, "Label14_6")->text(), "-----");
    EXPECT_EQ(element<QLabel>(hub, "Label15_6")->text(), "------");
    auto* list = element<QListWidget>(hub, "List5_2");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(QFontInfo(list->font()).family(), kFixedPitchFamily);
    EXPECT_EQ(linesOf(list), (QStringList{" 1●さくら　　  5/    9", " 2Ⅰゆい　　　  0/    8",
                                          " 3⑤はると　　  0/    5"}));
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_TRUE(element<QListWidget>(hub, "List5_1")->isHidden());
    EXPECT_TRUE(element<QLabel>(hub, "Label7_1")->isHidden());
    EXPECT_TRUE(element<QLineEdit>(hub, "Text1_1")->isHidden());
}

TEST_F(HubScreenTest, TheStartButtonAndTheItemKeyStartADrillAndUnloadTheHub)
{
    StudyHubScreen* hub = showHub();
    QTest::mouseClick(element<QPushButton>(hub, "Command4_4"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(state->drillItemNo, 4);
    EXPECT_EQ(screens.loadedScreen(ScreenId::Hub), nullptr);
    EXPECT_EQ(window.screenStack().currentWidget(), screens.loadedScreen(ScreenId::Drill));

    hub = showHub();
    QTest::keyClick(element<QListWidget>(hub, "List5_2"), Qt::Key_B);
    QCoreApplication::processEvents();
    EXPECT_EQ(state->drillItemNo, 11);
    EXPECT_EQ(screens.loadedScreen(ScreenId::Hub), nullptr);
}

TEST_F(HubScreenTest, BackAndTheCaptionKeepTheHubLoaded)
{
    StudyHubScreen* hub = showHub();
    QTest::mouseClick(element<QLabel>(hub, "Label3_6"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(state->drillItemNo, 6);
    EXPECT_EQ(window.screenStack().currentWidget(), screens.loadedScreen(ScreenId::Drill));
    EXPECT_EQ(screens.loadedScreen(ScreenId::Hub), hub);

    screens.unload(ScreenId::Hub);
    QCoreApplication::processEvents();
    hub = showHub();
    QTest::keyClick(hub, Qt::Key_0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.screenStack().currentWidget(), screens.loadedScreen(ScreenId::NameSelection));
}

TEST_F(HubScreenTest, TheScrollBarMovesTheColumns)
{
    StudyHubScreen* hub = showHub();
    auto* area = element<QWidget>(hub, "columnArea");
    auto* fifth = element<QFrame>(hub, "column_5");
    auto* first = element<QFrame>(hub, "column_1");
    const int firstLeft = first->x();
    // Four columns show; the fifth waits out of sight.
    EXPECT_LT(element<QFrame>(hub, "column_4")->geometry().right(), area->width());
    EXPECT_GE(fifth->x(), area->width());
    element<QScrollBar>(hub, "HScroll1")->setValue(5);
    EXPECT_EQ(state->firstVisibleColumn, 5);
    EXPECT_EQ(fifth->x(), firstLeft);
    EXPECT_GE(first->x(), area->width());
    EXPECT_LT(element<QFrame>(hub, "column_8")->geometry().right(), area->width());
    EXPECT_GE(element<QFrame>(hub, "column_9")->x(), area->width());
}

TEST_F(HubScreenTest, TheViewChoicesSwitchTheLists)
{
    StudyHubScreen* hub = showHub();
    element<QRadioButton>(hub, "Option2_0")->click();
    EXPECT_EQ(element<QRadioButton>(hub, "Option1_1")->text(), "BEST表示");
    EXPECT_EQ(element<QLabel>(hub, "Label5")->text(), "ベスト成績");
    EXPECT_EQ(linesOf(element<QListWidget>(hub, "List5_2")).first(), " 1Ⅰゆい　　　   120 　");
    keepPicture(QStringLiteral("hub-best"));

    element<QRadioButton>(hub, "Option1_2")->click();
    EXPECT_EQ(element<QLabel>(hub, "Label5")->text(), "本日の成績");
    EXPECT_EQ(linesOf(element<QListWidget>(hub, "List5_2")),
              (QStringList{" 180秒 09:12●さくら　　●5", "　　× 09:20●さくら　　●"}));
    keepPicture(QStringLiteral("hub-today"));

    element<QRadioButton>(hub, "Option2_2")->click();
    auto* graph = element<QPushButton>(hub, "Command17");
    EXPECT_TRUE(graph->isVisible());
    EXPECT_EQ(element<QLabel>(hub, "Label5")->text(), "個人別ﾀｲﾑ");
    EXPECT_TRUE(element<QPushButton>(hub, "Command1")->isEnabled());
    keepPicture(QStringLiteral("hub-personal"));
    graph->click();
    EXPECT_TRUE(element<QFrame>(hub, "Picture11")->isVisible());

    auto* filter = element<QComboBox>(hub, "Combo1");
    element<QRadioButton>(hub, "Option2_1")->click();
    EXPECT_FALSE(graph->isVisible());
    EXPECT_EQ(element<QRadioButton>(hub, "Option1_2")->text(), "合計本日");
    element<QRadioButton>(hub, "Option1_1")->click();
    filter->setCurrentIndex(filter->findText(QStringLiteral("小５")));
    emit filter->activated(filter->currentIndex());
    EXPECT_EQ(linesOf(element<QListWidget>(hub, "List5_2")),
              (QStringList{" 3⑤はると　　  0/    5"}));
    EXPECT_TRUE(element<QPushButton>(hub, "Command4_1")->hasFocus() || !window.isActiveWindow());
}

// The focus starts on the first start button and Tab walks down its column, then on to the
// next; Escape is the back button.
TEST_F(HubScreenTest, TabWalksTheColumnsAndEscapeGoesBack)
{
    StudyHubScreen* hub = showHub();
    EXPECT_EQ(window.focusWidget(), element<QPushButton>(hub, "Command4_1"));
    EXPECT_EQ(unnamedControls(hub), QStringList{});
    EXPECT_EQ(tabWalk(&window, 4),
              (QStringList{"Command3_1", "Command2_1", "Command4_2", "List5_2"}));
    keyAtFocus(&window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.screenStack().currentWidget(), screens.loadedScreen(ScreenId::NameSelection));
}

// 覚えた熟語 and its key M open the pupil's map over the main window, which outlives the hub.
TEST_F(HubScreenTest, TheMapButtonAndItsKeyOpenThePupilsMap)
{
    writeIdiomFile();
    StudyHubScreen* hub = showHub();
    element<QPushButton>(hub, "studyMapButton")->click();
    auto* map = window.findChild<StudyMapWindow*>();
    ASSERT_TRUE(map);
    EXPECT_EQ(map->pupil(), state->pupilNo);
    EXPECT_EQ(map->map().headingText(), QStringLiteral("覚えた熟語 0/1"));
    map->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.findChild<StudyMapWindow*>());
    keyAtFocus(&window, Qt::Key_M);
    EXPECT_TRUE(window.findChild<StudyMapWindow*>());
}

// An idiom chosen right at a test is offered for writing; key W opens the writing drill.
TEST_F(HubScreenTest, TheWritingButtonOffersWhatTheTestsTaughtAndKeyWOpensIt)
{
    writeIdiomFile();
    StudyEvent chosen;
    chosen.date = clock.current.date();
    chosen.pupilNo = state->pupilNo;
    chosen.idiom = QStringLiteral("一石二鳥");
    chosen.range = 1;
    chosen.itemNo = 2;
    ASSERT_TRUE(StudyLogWriter(records.fileCalls(), sleeper)
                    .append(state->commonFolder + QString::fromUtf8(kStudyLogFileName), chosen)
                    .ok());
    StudyHubScreen* hub = showHub();
    EXPECT_EQ(element<QPushButton>(hub, "writingButton")->text(), QStringLiteral("書き取り 1問"));
    keyAtFocus(&window, Qt::Key_W);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.screenStack().currentWidget(), screens.loadedScreen(ScreenId::Writing));
    EXPECT_EQ(screens.loadedScreen(ScreenId::Hub), nullptr);
}

// A teacher's map offers every pupil of the roster's lines, each with grade and name.
TEST_F(HubScreenTest, ATeachersMapOffersEveryListedPupil)
{
    addPupil(4, 1980, QStringLiteral("山田先生"));
    choosePupil(4);
    state->gradeLabelByNo[1] = QStringLiteral("小３");
    state->gradeLabelByNo[3] = QStringLiteral("小６");
    writeIdiomFile();
    element<QPushButton>(showHub(), "studyMapButton")->click();
    auto* pupils = window.findChild<QComboBox*>(QStringLiteral("mapPupils"));
    ASSERT_TRUE(pupils);
    QStringList titles;
    for (int i = 0; i < pupils->count(); ++i)
        titles << pupils->itemText(i);
    EXPECT_TRUE(titles.contains(QStringLiteral("小３ さくら"))) << titles.join(u'/').toStdString();
    EXPECT_TRUE(titles.contains(QStringLiteral("小６ ゆい"))) << titles.join(u'/').toStdString();
    EXPECT_EQ(titles.size(), 4) << titles.join(u'/').toStdString();
}

// At the design size the line about the next review shows whole on one line and keeps clear of
// the caption, with the longest lines the hub has beside the widest 復習 button (a line shows
// only with nothing due; the wide caption leaves it the least room).
TEST_F(HubScreenTest, TheReviewLineIsOneWholeLineClearOfTheCaption)
{
    StudyHubScreen* hub = showHub();
    ASSERT_EQ(window.size(), QSize(MainWindow::kDesignWidth, MainWindow::kDesignHeight));
    auto* line = element<QLabel>(hub, "reviewLine");
    for (const QString& text :
         {QStringLiteral("次の復習は") + ReviewTexts::dateText(QDate(2026, 12, 31)),
          ReviewTexts::kTestFirst,
          QStringLiteral("試験まであと365日：きょうは 範囲１０のテスト と 復習999問"),
          QStringLiteral(
              "試験まであと14日：きょうは 復習999問　範囲１０が予定より99日おくれています")}) {
        element<QPushButton>(hub, "reviewButton")->setText(QStringLiteral("復習 999問"));
        line->setText(text);
        QCoreApplication::processEvents();
        EXPECT_TRUE(line->isVisible());
        EXPECT_LE(line->fontMetrics().horizontalAdvance(text), line->contentsRect().width())
            << text.toStdString();
        EXPECT_FALSE(line->geometry().intersects(element<QLabel>(hub, "Label11")->geometry()))
            << text.toStdString();
    }
}
