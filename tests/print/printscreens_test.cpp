#include "accessibletree.h"
#include "core/sharedstate.h"
#include "drill/idiomsource.h"
#include "fakes.h"
#include "print/previewpicture.h"
#include "print/printpreviewdialog.h"
#include "print/printsettingsdialog.h"
#include "print/worksheetprinting.h"
#include "printfakes.h"
#include "tabwalk.h"
#include "testinstallation.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace {

template <typename T> T* child(QWidget* parent, const char* name)
{
    return parent ? parent->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

QString text(QWidget* parent, const char* name)
{
    if (auto* label = child<QLabel>(parent, name))
        return label->text();
    if (auto* button = child<QAbstractButton>(parent, name))
        return button->text();
    return QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

void click(QWidget* parent, const char* name)
{
    auto* button = child<QAbstractButton>(parent, name);
    ASSERT_NE(button, nullptr) << name;
    // Near the left edge: a check box or option button takes clicks on its box and caption only.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Dark pixels of the preview: only the rules and the text are not white.
int darkPixels(const QImage& image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

// The worksheets of an installation whose idioms come from a plain table.
class PrintScreensTest : public ::testing::Test
{
protected:
    PrintScreensTest()
    {
        state.programFolder = inst.programDir() + QLatin1Char('/');
        writeIdioms(QStringLiteral("1,一石二鳥,いっせきにちょう,一つのことで二つの得をすること\n"
                                   "2,温故知新,おんこちしん,古いことを学んで新しい考えを得ること\n"
                                   "1,以心伝心,いしんでんしん,言葉にしなくても心が通じ合うこと\n"));
    }
    void writeIdioms(const QString& table)
    {
        std::vector<IdiomSource::Row> rows;
        ASSERT_TRUE(IdiomSource::parse(table, QStringLiteral("test"), rows).ok());
        ASSERT_TRUE(IdiomSource::writeCompanionFile(rows, state.programFolder +
                                                              QStringLiteral("四字02vv.ccc"))
                        .ok());
    }
    PrintSettingsDialog* openSettings()
    {
        printing.openSettings();
        return printing.settingsDialog();
    }
    PrintPreviewDialog* openPreview()
    {
        click(openSettings(), "Command1");
        return printing.previewDialog();
    }

    TestInstallation inst;
    SharedState state;
    FakeMessageBox messages;
    SeededRandom random;
    QWidget window;
    WorksheetPrinting printing{state, messages, random, &window};
};

} // namespace

TEST_F(PrintScreensTest, SettingsScreenShowsItsElementsAndStartsWithLevelOneAnswerSheet)
{
    PrintSettingsDialog* dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("FormPrint0"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(text(dialog, "Label1"), QStringLiteral("印刷設定"));
    EXPECT_EQ(text(dialog, "Label2"), QStringLiteral("レベルを選んでください"));
    EXPECT_EQ(
        text(dialog, "Label3"),
        QStringLiteral("Shiftを押しながら選ぶと複数選択できます(そのうち20問が印刷されます)"));
    const QStringList captions{"すべて印刷", "問題１カ所", "問題２カ所", "問題３カ所",
                               "問題４カ所"};
    for (int i = 1; i <= 5; ++i) {
        const QByteArray name = "Option1_" + QByteArray::number(i);
        EXPECT_EQ(text(dialog, name.constData()), captions[i - 1]);
        EXPECT_EQ(child<QRadioButton>(dialog, name.constData())->isChecked(), i == 1);
    }
    EXPECT_EQ(text(dialog, "Check1"), QStringLiteral("順序を変える"));
    EXPECT_TRUE(child<QCheckBox>(dialog, "Check1")->isChecked());
    EXPECT_EQ(text(dialog, "Command3"), QStringLiteral("再並べ替え"));
    EXPECT_EQ(text(dialog, "Command1"), QStringLiteral("印刷へ"));
    EXPECT_EQ(text(dialog, "Command2"), QStringLiteral("もどる"));

    auto* list = child<QListWidget>(dialog, "List1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    ASSERT_EQ(list->count(), 10);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(list->item(row)->text(), QString::number(row + 1));
        EXPECT_EQ(list->item(row)->isSelected(), row == 0);
    }
    // The table was built at load: the two idioms of range 1 on an answer sheet.
    const Worksheet& sheet = printing.worksheet();
    EXPECT_EQ(sheet.printColumnCount, 3);
    EXPECT_TRUE(sheet.cell(3, 1).startsWith(QStringLiteral("   ")));
    EXPECT_FALSE(sheet.cell(3, 2).isEmpty());
    EXPECT_TRUE(sheet.cell(3, 3).isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PrintScreensTest, EveryChangeOnTheSettingsScreenRebuildsTheTable)
{
    PrintSettingsDialog* dialog = openSettings();
    const Worksheet& sheet = printing.worksheet();
    click(dialog, "Check1");
    click(dialog, "Option1_3");
    EXPECT_EQ(sheet.printColumnCount, 7);
    int empty = 0;
    for (int column = 3; column <= 6; ++column)
        empty += sheet.cell(column, 1).isEmpty() ? 1 : 0;
    EXPECT_EQ(empty, 2);

    // Shift-click extends the selection to levels 1 and 2: the range-2 idiom joins in file order.
    auto* list = child<QListWidget>(dialog, "List1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      list->visualItemRect(list->item(1)).center());
    EXPECT_TRUE(list->item(1)->isSelected());
    EXPECT_EQ(sheet.cell(7, 2), QStringLiteral("   温故知新(おんこちしん)"));
    EXPECT_EQ(sheet.cell(7, 3), QStringLiteral("   以心伝心(いしんでんしん)"));

    const auto characters = [&sheet] {
        QString shown;
        for (int row = 1; row <= 3; ++row)
            for (int column = 3; column <= 6; ++column)
                shown += sheet.cell(column, row) + QLatin1Char('|');
        return shown;
    };
    const QString blanksBefore = characters();
    bool changed = false;
    for (int i = 0; i < 10 && !changed; ++i) {
        click(dialog, "Command3");
        changed = characters() != blanksBefore;
    }
    EXPECT_TRUE(changed);
    EXPECT_EQ(sheet.cell(7, 1), QStringLiteral("   一石二鳥(いっせきにちょう)"));

    click(dialog, "Command2");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(PrintScreensTest, MissingIdiomFileIsNamedAndThePrintScreenStaysShut)
{
    QFile::remove(state.programFolder + QStringLiteral("四字02vv.ccc"));
    PrintSettingsDialog* dialog = openSettings();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("四字02vv.ccc")));
    click(dialog, "Command1");
    EXPECT_EQ(printing.previewDialog(), nullptr);
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(PrintScreensTest, PrintScreenShowsTheReducedPageAndItsButtons)
{
    PrintPreviewDialog* preview = openPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->objectName(), QStringLiteral("frmPrint"));
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(text(preview, "Command9"), QStringLiteral("印刷"));
    EXPECT_EQ(text(preview, "Command8"), QStringLiteral("印刷中止"));
    EXPECT_EQ(text(preview, "savePdf"), QStringLiteral("PDFに保存"));
    EXPECT_EQ(text(preview, "Label1"), QStringLiteral("印刷中　しばらくお待ちください"));
    EXPECT_FALSE(child<QWidget>(preview, "Picture4")->isVisible());

    // 0.63 of an A4 sheet at 96 dots an inch.
    PreviewPicture& picture = preview->picture();
    EXPECT_EQ(picture.objectName(), QStringLiteral("Picture1"));
    EXPECT_EQ(picture.size(), QSize(500, 707));
    const int drawn = darkPixels(picture.image());
    EXPECT_GT(drawn, 1000);

    // Opened again after a change, the preview shows the new table.
    click(printing.settingsDialog(), "Option1_5");
    click(printing.settingsDialog(), "Command1");
    EXPECT_EQ(printing.previewDialog(), preview);
    EXPECT_NE(darkPixels(picture.image()), drawn);

    click(preview, "Command8");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(printing.previewDialog(), nullptr);
}

// A printer whose page is a picture like the preview's, so the two can be compared pixel by pixel.
class PicturePrinter : public FakePrintDevices
{
public:
    struct Sheet : PageDocument
    {
        explicit Sheet(PreviewPicture& picture) : picture(picture) {}
        PageTarget& page() override { return picture; }
        bool finish() override { return true; }
        PreviewPicture& picture;
    };
    std::unique_ptr<PageDocument> startPrinterDocument(bool portrait, int) override
    {
        printed.setUpPage(portrait, PageGeometry::previewScale(portrait));
        return std::make_unique<Sheet>(printed);
    }
    PreviewPicture printed;
};

TEST_F(PrintScreensTest, TheOpenPreviewFollowsEveryChangeAndIsThePagePrinted)
{
    auto devices = std::make_unique<PicturePrinter>();
    PicturePrinter& printer = *devices;
    printing.setPrintDevices(std::move(devices));
    PrintPreviewDialog* preview = openPreview();
    const QImage levelOne = preview->picture().image().copy();

    // Level 2 joins while both screens stay open: the preview shows it at once.
    auto* list = child<QListWidget>(printing.settingsDialog(), "List1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      list->visualItemRect(list->item(1)).center());
    const QImage shown = preview->picture().image().copy();
    EXPECT_NE(shown, levelOne);

    click(preview, "Command9");
    EXPECT_EQ(printer.printed.image(), shown);
}

TEST_F(PrintScreensTest, AClickOnTheChosenLevelOrOptionShufflesAgain)
{
    ScriptedRandom scripted;
    WorksheetPrinting scriptedPrinting{state, messages, scripted, &window};
    scriptedPrinting.openSettings();
    PrintSettingsDialog* dialog = scriptedPrinting.settingsDialog();
    const Worksheet& sheet = scriptedPrinting.worksheet();
    auto* list = child<QListWidget>(dialog, "List1");
    // Level 1 holds two idioms. Every rebuild starts from the file order; four draw pairs follow,
    // of which the first exchanges rows 1 and 2 or changes nothing.
    const auto clickAndCheckTheOrder = [&](bool exchange, const std::function<void()>& clickIt) {
        scripted.values = {0.0, exchange ? 0.9 : 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
        const QString before = sheet.cell(2, 1);
        clickIt();
        EXPECT_TRUE(scripted.values.empty());
        EXPECT_NE(sheet.cell(2, 1), before);
    };
    const auto clickLevelOne = [&] {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
    };
    clickAndCheckTheOrder(true, clickLevelOne);
    clickAndCheckTheOrder(false, clickLevelOne);
    clickAndCheckTheOrder(true, [&] { click(dialog, "Option1_1"); });
}

TEST_F(PrintScreensTest, PrintButtonSaysSoWhenNoPrinterIsInstalled)
{
    auto devices = std::make_unique<FakePrintDevices>();
    devices->installed = false;
    printing.setPrintDevices(std::move(devices));
    PrintPreviewDialog* preview = openPreview();
    const QImage before = preview->picture().image().copy();
    click(preview, "Command9");
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("プリンター")));
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->picture().image(), before);
}

TEST_F(PrintScreensTest, PdfButtonWritesAnA4PdfToTheChosenFile)
{
    PrintPreviewDialog* preview = openPreview();
    const QString path = inst.root() + QStringLiteral("/プリント.pdf");
    preview->setPdfFileChooser([&] { return path; });
    click(preview, "savePdf");
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // A4 in points: 595 x 842.
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595") || bytes.contains("/MediaBox [0 0 594"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("保存しました")));

    preview->setPdfFileChooser([&] { return inst.root() + QStringLiteral("/ない/プリント.pdf"); });
    click(preview, "savePdf");
    EXPECT_TRUE(messages.shown.last().text.contains(QStringLiteral("作れませんでした")));
}

// The demo idioms of ranges 1 and 2 with two blanks each, saved as PDF. Where the environment
// names a folder in YOJI_WORKSHEET_SHOTS, the PDF and pictures of both screens are kept there.
TEST_F(PrintScreensTest, DemoWorksheetOfRangesOneAndTwoWithTwoBlanks)
{
    QFile demo(QStringLiteral(YOJI_SOURCE_DIR "/data/idioms.csv"));
    if (!demo.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no demo idioms";
    writeIdioms(QString::fromUtf8(demo.readAll()));

    PrintSettingsDialog* dialog = openSettings();
    auto* list = child<QListWidget>(dialog, "List1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      list->visualItemRect(list->item(1)).center());
    click(dialog, "Option1_3");
    const Worksheet& sheet = printing.worksheet();
    for (int row = 1; row <= 20; ++row) {
        ASSERT_FALSE(sheet.cell(2, row).isEmpty()) << row;
        int empty = 0;
        for (int column = 3; column <= 6; ++column)
            empty += sheet.cell(column, row).isEmpty() ? 1 : 0;
        EXPECT_EQ(empty, 2) << row;
    }
    click(dialog, "Command1");
    PrintPreviewDialog* preview = printing.previewDialog();
    ASSERT_NE(preview, nullptr);

    const QString shots = qEnvironmentVariable("YOJI_WORKSHEET_SHOTS");
    const QString folder = shots.isEmpty() ? inst.root() : shots;
    const QString path = folder + QStringLiteral("/worksheet.pdf");
    preview->setPdfFileChooser([&] { return path; });
    click(preview, "savePdf");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_GT(QFileInfo(path).size(), 10000);
    if (!shots.isEmpty()) {
        QCoreApplication::processEvents();
        dialog->grab().save(shots + QStringLiteral("/settings.png"));
        preview->grab().save(shots + QStringLiteral("/preview.png"));
    }
}

// The level list takes the arrows and Space (Ctrl moves without choosing), Tab goes through
// the options to the buttons, and Escape is "もどる".
TEST_F(PrintScreensTest, TheSettingsWorkByKeysAndEscapeGoesBack)
{
    QPointer<PrintSettingsDialog> dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(unnamedControls(dialog), QStringList{});
    auto* levels = dialog->findChild<QListWidget*>(QStringLiteral("List1"));
    levels->setFocus();
    keyAtFocus(dialog, Qt::Key_Down);
    keyAtFocus(dialog, Qt::Key_Down, Qt::ControlModifier);
    keyAtFocus(dialog, Qt::Key_Space);
    QStringList chosen;
    for (QListWidgetItem* item : levels->selectedItems())
        chosen << item->text();
    chosen.sort();
    EXPECT_EQ(chosen, (QStringList{"2", "3"}));

    EXPECT_EQ(tabWalk(dialog, 9),
              (QStringList{"Option1_1", "Option1_2", "Option1_3", "Option1_4", "Option1_5",
                           "Check1", "Command3", "Command1", "Command2"}));
    keyAtFocus(dialog, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}
