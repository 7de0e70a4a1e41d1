#include "fakes.h"
#include "print/worksheet.h"
#include "print/worksheetprint.h"
#include "printfakes.h"

#include <gtest/gtest.h>

namespace {

class RecordingPrintView : public WorksheetPrintView
{
public:
    void hideButtons() override { buttonsHidden = true; }
    void setUpPreview(bool portrait, double scale) override
    {
        log << QStringLiteral("preview %1 %2")
                   .arg(portrait ? QStringLiteral("portrait") : QStringLiteral("landscape"))
                   .arg(scale);
        preview.clearPage();
    }
    PageTarget& previewPage() override { return preview; }
    void showWaitPanel(bool shown) override { waitPanel = shown; }
    QString choosePdfFileName() override { return pdfAnswer; }
    void closeScreen() override { ++closes; }

    RecordingTarget preview;
    QStringList log;
    bool buttonsHidden = false;
    bool waitPanel = false;
    QString pdfAnswer;
    int closes = 0;
};

class WorksheetPrintTest : public ::testing::Test
{
protected:
    WorksheetPrintTest()
    {
        sheet.printRowCount = 20;
        sheet.printColumnCount = 3;
        sheet.setColumnEdges({0, 0.05, 0.6, 1});
        sheet.printFontSize = 13;
        sheet.printLayout = 2;
        sheet.printPortrait = 1;
        sheet.printPrinterSetting = 1;
        sheet.setCell(2, 0, QStringLiteral("意味"));
        sheet.setCell(2, 1, QStringLiteral("古いことを学ぶ"));
        print.setView(&view);
    }
    void open()
    {
        print.load();
        print.activate();
    }

    Worksheet sheet;
    FakePrintDevices devices;
    FakeMessageBox messages;
    RecordingPrintView view;
    WorksheetPrint print{sheet, devices, messages};
};

} // namespace

TEST_F(WorksheetPrintTest, OpeningDrawsTheTableOnAPortraitPreview)
{
    open();
    EXPECT_EQ(view.log, QStringList{QStringLiteral("preview portrait 0.63")});
    EXPECT_FALSE(view.waitPanel);
    EXPECT_FALSE(view.buttonsHidden);
    EXPECT_EQ(view.preview.verticalRules().size(), 4);
    EXPECT_NE(view.preview.textStartingWith(QStringLiteral("古いことを学ぶ")), nullptr);
    EXPECT_TRUE(devices.log.isEmpty());
}

TEST_F(WorksheetPrintTest, LandscapeWorksheetGetsALandscapePreviewAtItsScale)
{
    sheet.printPortrait = 0;
    open();
    EXPECT_EQ(view.log.last(), QStringLiteral("preview landscape 0.8"));
    EXPECT_FALSE(print.portrait());
    EXPECT_EQ(view.preview.horizontalRules().size(), 22);
}

TEST_F(WorksheetPrintTest, PrintSendsTheSamePageAndShowsThePreviewAgain)
{
    open();
    const auto previewTexts = view.preview.texts.size();
    print.printPage();
    EXPECT_EQ(devices.log, (QStringList{QStringLiteral("printer portrait copies 1"),
                                        QStringLiteral("printer finished")}));
    const RecordingTarget& printed = devices.pages[QStringLiteral("printer")];
    EXPECT_EQ(printed.verticalRules().size(), 4);
    EXPECT_EQ(printed.horizontalRules().size(), 22);
    EXPECT_EQ(printed.texts.size(), previewTexts);
    // The preview is set up and drawn again after the page has gone out.
    EXPECT_EQ(view.log.size(), 2);
    EXPECT_EQ(view.preview.texts.size(), previewTexts);
    EXPECT_FALSE(print.drawingOnPrinter());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(WorksheetPrintTest, WithoutAPrinterPrintSaysSoAndKeepsThePreview)
{
    devices.installed = false;
    open();
    print.printPage();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("プリンターが見つかりません")));
    EXPECT_TRUE(devices.log.isEmpty());
    EXPECT_EQ(view.closes, 0);
    EXPECT_FALSE(view.preview.rules.isEmpty());
}

TEST_F(WorksheetPrintTest, PrinterFailuresAreReportedNotPassedOffAsPrinted)
{
    open();
    devices.startResult = false;
    print.printPage();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("印刷を始められませんでした")));

    devices.startResult = true;
    devices.finishResult = false;
    print.printPage();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("印刷できませんでした")));
    EXPECT_FALSE(print.drawingOnPrinter());
    EXPECT_FALSE(view.preview.rules.isEmpty());
}

TEST_F(WorksheetPrintTest, AutoRunPrintsAtOnceAndClosesAndHiddenPreviewShowsTheWaitPanel)
{
    sheet.printAutoRun = 1;
    sheet.printHidePreview = 1;
    open();
    EXPECT_TRUE(view.buttonsHidden);
    EXPECT_TRUE(view.waitPanel);
    EXPECT_EQ(devices.log.last(), QStringLiteral("printer finished"));
    EXPECT_EQ(view.closes, 1);
}

TEST_F(WorksheetPrintTest, CancelClosesTheScreen)
{
    open();
    print.cancelPrinting();
    EXPECT_EQ(view.closes, 1);
    EXPECT_TRUE(devices.log.isEmpty());
}

TEST_F(WorksheetPrintTest, SaveAsPdfWritesTheSamePageToTheChosenFile)
{
    open();
    print.saveAsPdf(); // the file dialog was cancelled
    EXPECT_TRUE(devices.log.isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());

    view.pdfAnswer = QStringLiteral("/tmp/プリント.pdf");
    print.saveAsPdf();
    EXPECT_EQ(devices.log, (QStringList{QStringLiteral("pdf /tmp/プリント.pdf"),
                                        QStringLiteral("/tmp/プリント.pdf finished")}));
    EXPECT_EQ(devices.pages[view.pdfAnswer].texts.size(), view.preview.texts.size());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("保存しました")));

    devices.finishResult = false;
    print.saveAsPdf();
    EXPECT_TRUE(messages.shown.last().text.contains(QStringLiteral("保存できませんでした")));
    devices.startResult = false;
    print.saveAsPdf();
    EXPECT_TRUE(messages.shown.last().text.contains(QStringLiteral("作れませんでした")));
}
