#include "accessibletree.h"
#include "core/listfont.h"
#include "core/mainwindow.h"
#include "core/navigator.h"
#include "core/waitform.h"
#include "graphfakes.h"
#include "hub/graphpanelwidget.h"
#include "hub/paintergraphcanvas.h"
#include "hub/studyhubscreen.h"
#include "hubfixture.h"
#include "review/studycache.h"
#include "tabwalk.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The hub of "さくら" (pupil 1) with a few weeks of results on items 2 and 4, as a pupil of the
// demo installation would have them, and two other pupils.
class GraphScreenTest : public ::testing::Test, public HubFixture
{
protected:
    GraphScreenTest()
    {
        addPupil(1, 2017, QStringLiteral("さくら"));
        addPupil(2, 2015, QStringLiteral("はると"));
        addPupil(3, 2013, QStringLiteral("ゆい"));
        choosePupil(1);
        state->schoolName = QStringLiteral("ひまわり学習教室"); // the demo's, for the picture
        state->itemTargetTime[2] = 200;
        state->itemTargetTime[4] = 210;
        inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                       QStringLiteral("1,2017,0,0,\"さくら              \",0,\"\",\"\"\n"
                                      "2,2015,0,0,\"はると              \",0,\"\",\"\"\n"
                                      "3,2013,0,0,\"ゆい                \",0,\"\",\"\"\n"));
        std::vector<ResultRecord> results;
        const qint32 sakura[] = {330, 300, 310, 275, 260, 2400, 245, 230, 236, 212, 205, 190, 184};
        int day = 26;
        for (const qint32 seconds : sakura)
            results.push_back(result(1, 2, seconds, today() - (day -= 2), QTime(16, 30)));
        results.push_back(result(1, 4, 250, today() - 3, QTime(17, 0)));
        results.push_back(result(1, 4, 228, today(), QTime(9, 10)));
        results.push_back(result(2, 2, 240, today() - 5, QTime(16, 12)));
        results.push_back(result(3, 2, 170, today() - 3, QTime(17, 40)));
        results.push_back(result(2, 4, 260, today() - 1, QTime(18, 30)));
        writeResults(results);
        hooks.graphPaper = paper;
        screens.registerScreen(ScreenId::Hub, [this] {
            return new StudyHubScreen({*state, screens, records, clock, messages, studies, hooks});
        });
        screens.registerScreen(ScreenId::NameSelection, [] { return new Screen; });
        window.resize(1024, 768);
        window.show();
    }

    // The hub in the personal-times view with the graph panel open.
    StudyHubScreen* openPanel()
    {
        records.computeStatistics();
        screens.show(ScreenId::Hub);
        QCoreApplication::processEvents();
        auto* hub = qobject_cast<StudyHubScreen*>(screens.loadedScreen(ScreenId::Hub));
        if (!hub)
            return nullptr;
        element<QRadioButton>(hub, "Option2_2")->click();
        element<QPushButton>(hub, "Command17")->click();
        QCoreApplication::processEvents();
        return hub;
    }
    template <typename T> T* element(QWidget* screen, const QString& name)
    {
        T* found = screen->findChild<T*>(name);
        if (!found)
            ADD_FAILURE() << "no element " << name.toStdString();
        return found;
    }
    static QList<int> selectedRows(QListWidget* list)
    {
        QList<int> rows;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->isSelected())
                rows << row;
        return rows;
    }
    // For looking at the screen: set YOJI_SCREENSHOT_DIR to keep a picture.
    void keepPicture(const QString& name, const QImage& image)
    {
        const QString folder = qEnvironmentVariable("YOJI_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }

    std::shared_ptr<FakeGraphPaper> paper = std::make_shared<FakeGraphPaper>();
    StudyHubHooks hooks;
    StudyCache studies;
    MainWindow window;
    Navigator screens{window.screenStack(), window.waitForm()};
};

bool hasInk(const QImage& image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark > 500;
}

} // namespace

TEST_F(GraphScreenTest, TheGraphButtonOpensThePanelWithItsElements)
{
    StudyHubScreen* hub = openPanel();
    ASSERT_TRUE(hub);
    auto* panel = element<GraphPanelWidget>(hub, "Picture11");
    EXPECT_TRUE(panel->isVisible());
    auto* items = element<QListWidget>(hub, "List3");
    auto* pupils = element<QListWidget>(hub, "List2");
    EXPECT_EQ(items->count(), 20);
    EXPECT_EQ(selectedRows(items), (QList<int>{0, 1, 2}));
    EXPECT_TRUE(pupils->isHidden());
    EXPECT_EQ(element<QPushButton>(hub, "Command25")->text(), "他の人のデータを見る");
    EXPECT_EQ(element<QPushButton>(hub, "Command24_0")->text(), "表示");
    EXPECT_EQ(element<QPushButton>(hub, "Command24_1")->text(), "印刷");
    EXPECT_TRUE(element<QPushButton>(hub, "Command24_1")->isHidden());
    EXPECT_EQ(element<QPushButton>(hub, "Command18")->text(), "戻る");
    auto* picture = element<GraphPicture>(hub, "Picture12");
    EXPECT_EQ(picture->page().pupil, 1);
    EXPECT_EQ(picture->page().items.size(), 3u);
    EXPECT_EQ(QFontInfo(graphFont(GraphCanvas::Font::Table)).family(), kFixedPitchFamily);
    EXPECT_TRUE(picture->accessibleDescription().contains(QStringLiteral("回数")));
    keepPicture(QStringLiteral("graph-panel"), window.grab().toImage());

    // Another pupil from the list, fewer items, then back.
    element<QPushButton>(hub, "Command25")->click();
    EXPECT_TRUE(pupils->isVisible());
    EXPECT_TRUE(element<QPushButton>(hub, "Command25")->isHidden());
    pupils->item(2)->setSelected(true);
    EXPECT_EQ(picture->page().pupil, 3);
    items->item(0)->setSelected(false);
    items->item(2)->setSelected(false);
    ASSERT_EQ(picture->page().items.size(), 1u);
    EXPECT_EQ(picture->page().items[0].item, 2);
    EXPECT_EQ(picture->page().items[0].attempts.size(), 1u);
    element<QPushButton>(hub, "Command18")->click();
    EXPECT_FALSE(panel->isVisible());

    // A view switch closes the panel too.
    element<QPushButton>(hub, "Command17")->click();
    EXPECT_TRUE(panel->isVisible());
    element<QRadioButton>(hub, "Option2_1")->click();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(GraphScreenTest, TheTeachersPrintButtonPrintsThePage)
{
    state->pupilName = QStringLiteral("山田先生            ");
    StudyHubScreen* hub = openPanel();
    ASSERT_TRUE(hub);
    EXPECT_TRUE(hub->teacherPrintVisible());
    auto* print = element<QPushButton>(hub, "Command24_1");
    EXPECT_TRUE(print->isVisible());
    EXPECT_TRUE(element<QPushButton>(hub, "savePdf")->isVisible());
    element<QPushButton>(hub, "Command25")->click();
    keepPicture(QStringLiteral("graph-teacher"), window.grab().toImage());
    print->click();
    EXPECT_EQ(paper->log, (QStringList{"printer finished"}));
    EXPECT_EQ(paper->canvases["printer"].textsIn(GraphCanvas::Font::Heading).size(), 3);
}

TEST_F(GraphScreenTest, TheItemKeysDoNotStartADrillFromUnderThePanel)
{
    StudyHubScreen* hub = openPanel();
    ASSERT_TRUE(hub);
    QTest::keyClick(element<QPushButton>(hub, "Command24_0"), Qt::Key_2);
    QCoreApplication::processEvents();
    EXPECT_EQ(state->drillItemNo, 0);
    EXPECT_EQ(screens.loadedScreen(ScreenId::Hub), hub);
}

TEST_F(GraphScreenTest, ThePageOfADemoPupilRendersToAnImageAndToAnA4Pdf)
{
    StudyHubScreen* hub = openPanel();
    ASSERT_TRUE(hub);
    auto* items = element<QListWidget>(hub, "List3");
    items->item(0)->setSelected(false);
    items->item(2)->setSelected(false);
    items->item(3)->setSelected(true);
    items->item(5)->setSelected(true);
    auto* picture = element<GraphPicture>(hub, "Picture12");
    ASSERT_EQ(picture->page().items.size(), 3u);
    EXPECT_EQ(picture->page().items[0].attempts.size(), 12u); // 2400 seconds is left out

    keepPicture(QStringLiteral("graph-panel-data"), window.grab().toImage());
    const QImage image = picture->render(900);
    EXPECT_EQ(image.width(), 900);
    EXPECT_GT(image.height(), 3 * 600);
    EXPECT_TRUE(hasInk(image));
    keepPicture(QStringLiteral("graph-page"), image);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("グラフ.pdf"));
    QtGraphPaper system;
    std::unique_ptr<GraphDocument> document = system.startPdfDocument(path);
    ASSERT_TRUE(document);
    drawGraphPage(picture->page(), document->canvas(), GraphLayout::kPaperHeight);
    ASSERT_TRUE(document->finish());
    document.reset();
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 10000);
    // Two sheets of A4 portrait: 595 x 842 points.
    const QRegularExpression a4(QStringLiteral("/MediaBox \\[0 0 595(\\.0*)? 842(\\.0*)?\\]"));
    EXPECT_EQ(QString::fromLatin1(bytes).count(a4), 2);
}

// The open panel takes the focus to its item list: the arrows move in it and Space chooses or
// drops an item; Tab goes on to the buttons; Escape is "戻る" and leaves the hub open.
TEST_F(GraphScreenTest, TheItemListWorksByKeysAndEscapeClosesThePanel)
{
    StudyHubScreen* hub = openPanel();
    ASSERT_TRUE(hub);
    auto* items = element<QListWidget>(hub, "List3");
    ASSERT_EQ(window.focusWidget(), items);
    EXPECT_EQ(unnamedControls(element<QWidget>(hub, "Picture11")), QStringList{});
    keyAtFocus(&window, Qt::Key_Down);
    const int row = items->currentRow();
    ASSERT_GE(row, 0);
    const bool wasChosen = items->item(row)->isSelected();
    keyAtFocus(&window, Qt::Key_Space);
    EXPECT_NE(items->item(row)->isSelected(), wasChosen);

    EXPECT_EQ(tabWalk(&window, 3), (QStringList{"Command25", "Command24_0", "Command18"}));
    keyAtFocus(&window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(element<QWidget>(hub, "Picture11")->isVisible());
    EXPECT_EQ(window.screenStack().currentWidget(), hub);
}
