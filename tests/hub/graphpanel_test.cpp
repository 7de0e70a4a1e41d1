#include "graphfakes.h"
#include "hub/graphpanel.h"
#include "hubfixture.h"

namespace {

// The panel for pupil 9 ("ゆい"); pupil 1 ("あおい") is on the pupil list too.
class GraphPanelTest : public ::testing::Test, public HubFixture
{
protected:
    GraphPanelTest()
    {
        addPupil(1, 2017, QStringLiteral("あおい"));
        addPupil(9, 2017, QStringLiteral("ゆい"));
        choosePupil(9);
        writeResults(
            {result(9, 2, 50, today() - 1), result(1, 2, 40, today()), result(1, 4, 45, today())});
        records.computeStatistics();
        panel.setView(&view);
        panel.setPaper(&paper);
        for (int i = 1; i <= 20; ++i)
            inputs.itemLines << state->itemName[i];
        inputs.pupilLines = {QStringLiteral("小３ /  あおい/1"), QStringLiteral("小３ /  ゆい/9")};
        inputs.pupil = 9;
        inputs.gradeFilter = QStringLiteral("全学年");
    }

    QStringList shownTable(size_t block = 0) const
    {
        if (view.shown.items.size() <= block)
            return {};
        return graphTableLines(view.shown.items[block]);
    }

    FakeGraphPanelView view;
    FakeGraphPaper paper;
    GraphPanel panel{*state, records, clock, messages};
    GraphPanelInputs inputs;
};

} // namespace

TEST_F(GraphPanelTest, OpeningShowsThePupilsFirstThreeItems)
{
    view.selectedPupils = {0};
    panel.open(inputs);
    EXPECT_TRUE(view.panelVisible);
    EXPECT_FALSE(view.pupilListVisible);
    EXPECT_TRUE(view.othersVisible);
    EXPECT_TRUE(view.selectedPupils.isEmpty());
    EXPECT_EQ(view.pupilLines, inputs.pupilLines);
    EXPECT_EQ(view.itemLines.size(), 20);
    EXPECT_EQ(view.selectedItems, (QList<int>{0, 1, 2}));
    EXPECT_EQ(view.shown.pupil, 9);
    ASSERT_EQ(view.shown.items.size(), 3u);
    EXPECT_EQ(view.shown.items[1].caption, "範囲１");
    EXPECT_EQ(shownTable(1).first(), "回数　　　　　　　      1回");

    panel.showOthers();
    EXPECT_FALSE(view.othersVisible);
    EXPECT_TRUE(view.pupilListVisible);
    panel.close();
    EXPECT_FALSE(view.panelVisible);
}

TEST_F(GraphPanelTest, ChoosingAPupilInTheListDrawsThatPupil)
{
    panel.open(inputs);
    const QStringList own = shownTable(1);
    view.selectedPupils = {0};
    panel.pupilClicked();
    EXPECT_EQ(panel.panelPupil(), 1);
    EXPECT_EQ(view.shown.pupil, 1);
    const QStringList other = shownTable(1);
    EXPECT_EQ(other[0], "回数　　　　　　　      1回");
    EXPECT_EQ(other[3], "　　最高　　　　    40 /   40秒");
    EXPECT_NE(other[2], own[2]);
    EXPECT_NE(other[4], own[4]);
    EXPECT_NE(other[7], own[7]);

    // The pupil stays chosen when the items change, also with the list cleared again.
    view.selectedItems = {3};
    view.selectedPupils.clear();
    panel.itemClicked();
    ASSERT_EQ(view.shown.items.size(), 1u);
    EXPECT_EQ(view.shown.items[0].item, 4);
    EXPECT_EQ(view.shown.pupil, 1);

    // A hidden panel does not draw on item clicks.
    panel.close();
    const int shown = view.pagesShown;
    panel.itemClicked();
    EXPECT_EQ(view.pagesShown, shown);
}

TEST_F(GraphPanelTest, OnlyTheTeacherPrints)
{
    panel.open(inputs);
    EXPECT_FALSE(view.printVisible);
    panel.drawRequested(GraphPanel::PrinterTarget);
    EXPECT_TRUE(paper.log.isEmpty());

    panel.setPrintAllowed(true);
    EXPECT_TRUE(view.printVisible);
    panel.drawRequested(GraphPanel::PrinterTarget);
    EXPECT_EQ(paper.log, (QStringList{"printer finished"}));
    const RecordingCanvas& printed = paper.canvases["printer"];
    // Three blocks: two on the first sheet, the third on the next.
    EXPECT_EQ(printed.sheet, 1);
    EXPECT_EQ(printed.textsIn(GraphCanvas::Font::Heading).size(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(GraphPanelTest, EverySelectedPupilIsPrintedFromASheetOfItsOwn)
{
    panel.setPrintAllowed(true);
    panel.open(inputs);
    view.selectedItems = {1};
    view.selectedPupils = {0, 1};
    panel.drawRequested(GraphPanel::PrinterTarget);
    const RecordingCanvas& printed = paper.canvases["printer"];
    EXPECT_EQ(printed.sheet, 1);
    const QStringList tables = printed.textsIn(GraphCanvas::Font::Table);
    EXPECT_EQ(tables.count(QStringLiteral("　　最高　　　　    40 /   40秒")), 1);
    EXPECT_EQ(tables.count(QStringLiteral("　　最高　　　　    50 /   40秒")), 1);
    // The screen shows the last of them.
    EXPECT_EQ(view.shown.pupil, 9);
}

TEST_F(GraphPanelTest, WithoutAPrinterPrintingSaysSoAndAPdfCanBeSaved)
{
    panel.setPrintAllowed(true);
    panel.open(inputs);
    paper.installed = false;
    panel.drawRequested(GraphPanel::PrinterTarget);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.first().text, kNoPrinterText);
    EXPECT_TRUE(paper.log.isEmpty());

    view.pdfFileName = QStringLiteral("/tmp/g.pdf");
    panel.saveAsPdf();
    EXPECT_EQ(view.suggestedPdfName, "グラフ_ゆい.pdf");
    EXPECT_EQ(paper.log, (QStringList{"/tmp/g.pdf finished"}));
    EXPECT_EQ(messages.shown.last().text, "PDFファイルに保存しました。\n/tmp/g.pdf");
    EXPECT_EQ(paper.canvases["/tmp/g.pdf"].textsIn(GraphCanvas::Font::Heading).size(), 3);

    // Cancelled: nothing happens.
    view.pdfFileName.clear();
    panel.saveAsPdf();
    EXPECT_EQ(paper.log.size(), 1);
}

TEST_F(GraphPanelTest, PrintingFailuresAreToldAndLeaveNoDocument)
{
    panel.setPrintAllowed(true);
    panel.open(inputs);
    paper.startResult = false;
    panel.drawRequested(GraphPanel::PrinterTarget);
    EXPECT_EQ(messages.shown.last().text,
              "印刷を始められませんでした。プリンターの設定を確かめてください。");

    paper.startResult = true;
    paper.finishResult = false;
    panel.drawRequested(GraphPanel::PrinterTarget);
    EXPECT_EQ(messages.shown.last().text,
              "印刷できませんでした。プリンターの設定を確かめてください。");

    // A result file that cannot be read is not printed as empty charts.
    paper.finishResult = true;
    paper.log.clear();
    calls.openErrors = {EIO};
    panel.drawRequested(GraphPanel::PrinterTarget);
    EXPECT_TRUE(messages.shown.last().text.startsWith(kUnreadableResultFileText));
    EXPECT_EQ(paper.log, (QStringList{"printer discarded"}));

    view.selectedItems.clear();
    panel.drawRequested(GraphPanel::PrinterTarget);
    EXPECT_EQ(messages.shown.last().text, "グラフにする項目を選んでください。");
}
