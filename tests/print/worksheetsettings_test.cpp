#include "fakes.h"
#include "print/worksheet.h"
#include "print/worksheetsettings.h"
#include "printfakes.h"

#include <gtest/gtest.h>

namespace {

const QString kCircled = QStringLiteral("①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳");

class RecordingSettingsView : public WorksheetSettingsView
{
public:
    void showChoices(const std::array<bool, 10>& shownLevels, int shownOption,
                     bool shownShuffle) override
    {
        levels = shownLevels;
        option = shownOption;
        shuffle = shownShuffle;
    }
    void openPrintScreen() override { ++printScreens; }
    void closeScreen() override { ++closes; }
    void worksheetRebuilt() override {}

    std::array<bool, 10> levels{};
    int option = 0;
    bool shuffle = false;
    int printScreens = 0;
    int closes = 0;
};

std::array<bool, 10> levels(std::initializer_list<int> chosen)
{
    std::array<bool, 10> result{};
    for (int level : chosen)
        result[static_cast<size_t>(level - 1)] = true;
    return result;
}

class WorksheetSettingsTest : public ::testing::Test
{
protected:
    WorksheetSettingsTest() { settings.setView(&view); }

    // Idioms whose characters say where they come from: 甲乙丙丁 style is not needed, the
    // whole-idiom column identifies each row.
    void addIdioms(int range, int count)
    {
        static const QString kanji = QStringLiteral("一二三四五六七八九十百千万山川田");
        for (int i = 0; i < count; ++i) {
            QString idiom;
            for (int c = 0; c < 4; ++c)
                idiom += kanji.at((range * 5 + i * 3 + c) % kanji.size());
            idioms.add(range, idiom, QStringLiteral("よみ%1の%2").arg(range).arg(i),
                       QStringLiteral("範囲%1の意味%2").arg(range).arg(i));
        }
    }
    QString whole(int row) const { return sheet.cell(7, row); }
    QStringList wholeColumn() const
    {
        QStringList column;
        for (int row = 1; row <= 20; ++row)
            column << whole(row);
        return column;
    }
    QString blankPattern() const
    {
        QString pattern;
        for (int row = 1; row <= 20; ++row)
            for (int column = 3; column <= 6; ++column)
                pattern += sheet.cell(column, row).isEmpty() ? QLatin1Char('_') : QLatin1Char('x');
        return pattern;
    }

    Worksheet sheet;
    FakeIdioms idioms;
    SeededRandom random;
    FakeMessageBox messages;
    RecordingSettingsView view;
    WorksheetSettings settings{sheet, idioms, random, messages};
};

} // namespace

TEST_F(WorksheetSettingsTest, LoadShowsLevelOneAnswerSheetAndShuffleAndBuildsAtOnce)
{
    addIdioms(1, 3);
    addIdioms(2, 3);
    settings.load();
    EXPECT_EQ(view.levels, levels({1}));
    EXPECT_EQ(view.option, 1);
    EXPECT_TRUE(view.shuffle);
    EXPECT_EQ(idioms.loads, 1);
    EXPECT_EQ(settings.selectedCount(), 3);
    for (int row = 1; row <= 3; ++row)
        EXPECT_TRUE(whole(row).contains(QStringLiteral("よみ1の"))) << row;
    EXPECT_TRUE(whole(4).isEmpty());
}

TEST_F(WorksheetSettingsTest, WithoutShufflingRowsFollowFileOrderAndSkipOtherOrBadRanges)
{
    idioms.add(3, QStringLiteral("一石二鳥"), QStringLiteral("いっせきにちょう"),
               QStringLiteral("三"));
    idioms.add(2, QStringLiteral("温故知新"), QStringLiteral("おんこちしん"),
               QStringLiteral("古きを"));
    idioms.add(11, QStringLiteral("十一範囲"), QStringLiteral("じゅういち"), QStringLiteral("外"));
    idioms.add(0, QStringLiteral("零零零零"), QStringLiteral("れいれい"), QStringLiteral("外"));
    idioms.records.push_back({QStringLiteral("1.5"), QStringLiteral("半端範囲"),
                              QStringLiteral("はんぱ"), QStringLiteral("外")});
    idioms.add(1, QStringLiteral("以心伝心"), QStringLiteral("いしんでんしん"),
               QStringLiteral("言葉"));
    settings.load();
    settings.setShuffle(false);
    settings.setSelectedLevels(levels({1, 2}));

    EXPECT_EQ(settings.selectedCount(), 2);
    EXPECT_EQ(sheet.cell(2, 1), QStringLiteral("古きを"));
    EXPECT_EQ(sheet.cell(3, 1), QStringLiteral("   温故知新(おんこちしん)"));
    EXPECT_EQ(whole(1), QStringLiteral("   温故知新(おんこちしん)"));
    EXPECT_EQ(whole(2), QStringLiteral("   以心伝心(いしんでんしん)"));
    EXPECT_TRUE(whole(3).isEmpty());
    EXPECT_TRUE(sheet.cell(2, 3).isEmpty());
}

TEST_F(WorksheetSettingsTest, AnswerSheetHasThreeColumnsAndTheHandOverValues)
{
    addIdioms(1, 2);
    settings.load();
    EXPECT_EQ(sheet.printColumnCount, 3);
    const std::vector<double> edges{0, 0.05, 0.6, 1};
    for (int c = 1; c <= 4; ++c)
        EXPECT_DOUBLE_EQ(sheet.columnEdge(c), edges[static_cast<size_t>(c - 1)]) << c;
    EXPECT_EQ(sheet.cell(2, 0), QStringLiteral("意味"));
    EXPECT_EQ(sheet.cell(3, 0), QStringLiteral("四字熟語"));
    EXPECT_TRUE(sheet.cell(4, 0).isEmpty());
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(sheet.cell(3, row), whole(row));
        EXPECT_TRUE(sheet.cell(2, row).startsWith(QStringLiteral("範囲1の意味")));
    }
    EXPECT_EQ(sheet.printRowCount, 20);
    EXPECT_EQ(sheet.printFontSize, 13);
    EXPECT_EQ(sheet.printLayout, 2);
    EXPECT_EQ(sheet.printPortrait, 1);
    EXPECT_EQ(sheet.printPrinterSetting, 1);
    EXPECT_EQ(sheet.printHidePreview, 0);
    EXPECT_EQ(sheet.printAutoRun, 0);
}

TEST_F(WorksheetSettingsTest, EachBlankOptionEmptiesThatManyCharactersAndKeepsTheWholeIdiom)
{
    addIdioms(1, 15);
    addIdioms(2, 15);
    settings.load();
    settings.setSelectedLevels(levels({1, 2}));
    for (int option = 2; option <= 5; ++option) {
        settings.chooseOption(option);
        EXPECT_EQ(sheet.printColumnCount, 7);
        const std::vector<double> edges{0, 0.05, 0.5, 0.55, 0.6, 0.65, 0.7, 1};
        for (int c = 1; c <= 8; ++c)
            EXPECT_DOUBLE_EQ(sheet.columnEdge(c), edges[static_cast<size_t>(c - 1)]);
        for (int row = 1; row <= 20; ++row) {
            // The whole idiom of the row tells which characters may remain, and where.
            const QString idiom = whole(row).mid(3, 4);
            ASSERT_TRUE(whole(row).startsWith(QStringLiteral("   "))) << row;
            ASSERT_TRUE(whole(row).contains(QStringLiteral("(よみ"))) << row;
            int empty = 0;
            for (int position = 0; position < 4; ++position) {
                const QString character = sheet.cell(3 + position, row);
                if (character.isEmpty())
                    ++empty;
                else
                    EXPECT_EQ(character, idiom.mid(position, 1)) << row;
            }
            EXPECT_EQ(empty, option - 1) << "option " << option << " row " << row;
        }
        EXPECT_EQ(sheet.cell(2, 0), QStringLiteral("意味"));
        EXPECT_EQ(sheet.cell(3, 0), QStringLiteral("四字熟語"));
    }
}

TEST_F(WorksheetSettingsTest, ShuffleExchangesRowsAsDrawnTwiceTheCountTimes)
{
    idioms.add(1, QStringLiteral("甲甲甲甲"), QStringLiteral("こう"), QStringLiteral("A"));
    idioms.add(1, QStringLiteral("乙乙乙乙"), QStringLiteral("おつ"), QStringLiteral("B"));
    idioms.add(1, QStringLiteral("丙丙丙丙"), QStringLiteral("へい"), QStringLiteral("C"));
    ScriptedRandom scripted;
    WorksheetSettings scriptedSettings(sheet, idioms, scripted, messages);
    // Six exchanges: rows 1 and 3, then five that name one row twice. A seventh pair
    // would exchange rows 1 and 2, so the count of exchanges shows.
    scripted.values = {0.0, 0.9, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.0, 0.4};
    scriptedSettings.load();
    EXPECT_EQ(sheet.cell(2, 1), QStringLiteral("C"));
    EXPECT_EQ(sheet.cell(2, 2), QStringLiteral("B"));
    EXPECT_EQ(sheet.cell(2, 3), QStringLiteral("A"));
    EXPECT_EQ(whole(1), QStringLiteral("   丙丙丙丙(へい)"));
    EXPECT_EQ(scripted.values.size(), 2u);
}

TEST_F(WorksheetSettingsTest, MoreThanTwentyIdiomsFillTwentyNumberedRowsWithDifferentIdioms)
{
    addIdioms(4, 16);
    addIdioms(5, 16);
    settings.load();
    settings.setSelectedLevels(levels({4, 5}));
    EXPECT_EQ(settings.selectedCount(), 32);
    QStringList printed = wholeColumn();
    EXPECT_EQ(printed.size(), 20);
    printed.removeDuplicates();
    EXPECT_EQ(printed.size(), 20);
    for (int row = 1; row <= 20; ++row)
        EXPECT_EQ(sheet.cell(1, row), kCircled.mid(row - 1, 1));
    EXPECT_TRUE(sheet.cell(1, 21).isEmpty());

    // A rebuild with shuffling draws another twenty, or the same ones in another order.
    const QStringList before = wholeColumn();
    settings.rebuild();
    EXPECT_NE(wholeColumn(), before);
}

TEST_F(WorksheetSettingsTest, RebuildWithoutShufflingKeepsOrderButDrawsNewBlanks)
{
    addIdioms(1, 20);
    settings.load();
    settings.chooseOption(WorksheetSettings::TwoBlanks);
    settings.setShuffle(false);
    const QStringList order = wholeColumn();
    const QString blanks = blankPattern();
    settings.rebuild();
    EXPECT_EQ(wholeColumn(), order);
    EXPECT_NE(blankPattern(), blanks);
}

TEST_F(WorksheetSettingsTest, NoLevelLeavesOnlyNumbersAndHeadings)
{
    addIdioms(1, 5);
    settings.load();
    settings.chooseOption(WorksheetSettings::ThreeBlanks);
    settings.setSelectedLevels({});
    EXPECT_EQ(settings.selectedCount(), 0);
    for (int row = 1; row <= 20; ++row) {
        EXPECT_EQ(sheet.cell(1, row), kCircled.mid(row - 1, 1));
        for (int column = 2; column <= 7; ++column)
            EXPECT_TRUE(sheet.cell(column, row).isEmpty()) << column << "," << row;
    }
    EXPECT_EQ(sheet.cell(2, 0), QStringLiteral("意味"));
    EXPECT_EQ(sheet.cell(3, 0), QStringLiteral("四字熟語"));
    EXPECT_EQ(sheet.printColumnCount, 7);
}

TEST_F(WorksheetSettingsTest, ShortIdiomStopsBlankingWhenNoCharacterIsLeft)
{
    idioms.add(1, QStringLiteral("一石"), QStringLiteral("いっせき"), QStringLiteral("短い"));
    idioms.add(1, QString(), QStringLiteral("なし"), QStringLiteral("空"));
    idioms.add(1, QStringLiteral("温故知新"), QStringLiteral("おんこちしん"), QStringLiteral("長"));
    settings.load();
    settings.setShuffle(false);
    settings.chooseOption(WorksheetSettings::FourBlanks);
    for (int row = 1; row <= 3; ++row)
        for (int column = 3; column <= 6; ++column)
            EXPECT_TRUE(sheet.cell(column, row).isEmpty()) << column << "," << row;
    EXPECT_EQ(whole(1), QStringLiteral("   一石(いっせき)"));

    // A generator stuck on an emptied position still ends, blanking what is left.
    ScriptedRandom stuck; // always 0: position 1
    WorksheetSettings stuckSettings(sheet, idioms, stuck, messages);
    stuckSettings.load();
    stuckSettings.setShuffle(false);
    stuckSettings.chooseOption(WorksheetSettings::ThreeBlanks);
    EXPECT_TRUE(sheet.cell(3, 3).isEmpty());
    EXPECT_TRUE(sheet.cell(4, 3).isEmpty());
    EXPECT_TRUE(sheet.cell(5, 3).isEmpty());
    EXPECT_EQ(sheet.cell(6, 3), QStringLiteral("新"));
}

TEST_F(WorksheetSettingsTest, SmallerSelectionLeavesNoIdiomOfTheLargerOneBehind)
{
    addIdioms(1, 25);
    addIdioms(2, 2);
    settings.load();
    settings.setShuffle(false);
    settings.setSelectedLevels(levels({2}));
    EXPECT_EQ(settings.selectedCount(), 2);
    for (int row = 3; row <= Worksheet::kMaxRow; ++row)
        ASSERT_TRUE(whole(row).isEmpty()) << row;
}

TEST_F(WorksheetSettingsTest, UnreadableIdiomFileIsReportedAndNothingIsPrinted)
{
    addIdioms(1, 3);
    idioms.loadResult = Status::failure(QStringLiteral("/p/四字02vv.ccc を読めません"));
    settings.load();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("四字02vv.ccc")));
    EXPECT_EQ(settings.selectedCount(), 0);
    EXPECT_TRUE(sheet.cell(2, 1).isEmpty());
    EXPECT_EQ(sheet.cell(1, 1), QStringLiteral("①"));

    settings.goToPrint();
    EXPECT_EQ(view.printScreens, 0);
    EXPECT_EQ(messages.shown.size(), 2);

    idioms.loadResult = Status::success();
    settings.rebuild();
    settings.goToPrint();
    EXPECT_EQ(view.printScreens, 1);
    settings.back();
    EXPECT_EQ(view.closes, 1);
}
