#include "print/worksheetsettings.h"

#include "core/fieldreader.h"
#include "platform/messagebox.h"
#include "platform/randomsource.h"
#include "print/worksheet.h"
#include "print/worksheetidioms.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kCircledNumbers = QStringLiteral("①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳");
const QString kTitle = QStringLiteral("印刷設定");

constexpr int kMeaningColumn = 2;
constexpr int kFirstCharacterColumn = 3;
constexpr int kLastCharacterColumn = 6;
constexpr int kWholeIdiomColumn = 7;

// A broken generator must not hang the screen: after this many draws that hit empty cells the
// first character still present is taken.
constexpr int kMaxBlankDraws = 1000;

// Int(Rnd * n + 1), kept inside 1..n even for a generator that returns 1.0.
int drawOneTo(RandomSource& random, int n)
{
    const int drawn = static_cast<int>(std::floor(random.nextUnit() * n + 1));
    return std::clamp(drawn, 1, n);
}

// The record's range as a level 1..10; 0 for a range that names no level.
int levelOf(const QString& rangeField)
{
    const double range = FieldReader::leadingNumber(rangeField);
    if (range != std::floor(range) || range < 1 || range > WorksheetSettings::kLevelCount)
        return 0;
    return static_cast<int>(range);
}

} // namespace

WorksheetSettings::WorksheetSettings(Worksheet& worksheet, WorksheetIdioms& idioms,
                                     RandomSource& random, MessageBox& messages)
    : m_worksheet(worksheet), m_idioms(idioms), m_random(random), m_messages(messages)
{
}

void WorksheetSettings::load()
{
    m_levels.fill(false);
    m_levels[0] = true;
    m_option = AnswerSheet;
    m_shuffle = true;
    if (m_view)
        m_view->showChoices(m_levels, m_option, m_shuffle);
    buildWorksheetTable();
}

void WorksheetSettings::setSelectedLevels(const std::array<bool, kLevelCount>& levels)
{
    m_levels = levels;
    buildWorksheetTable();
}

void WorksheetSettings::chooseOption(int option)
{
    m_option = std::clamp(option, int(AnswerSheet), int(FourBlanks));
    buildWorksheetTable();
}

void WorksheetSettings::setShuffle(bool shuffle)
{
    m_shuffle = shuffle;
    buildWorksheetTable();
}

void WorksheetSettings::goToPrint()
{
    // Without idioms there is nothing to print; the reason was shown when the load failed
    // and is shown again here, so the teacher is not left with an empty page.
    if (!m_idiomsLoaded) {
        m_messages.show(kTitle, m_loadFailure);
        return;
    }
    if (m_view)
        m_view->openPrintScreen();
}

void WorksheetSettings::back()
{
    if (m_view)
        m_view->closeScreen();
}

void WorksheetSettings::buildWorksheetTable()
{
    // Rows past the printed twenty may hold idioms of an earlier, larger selection.
    m_worksheet.clearCells(1, kWholeIdiomColumn, 1, Worksheet::kMaxRow);

    const Status loaded = m_idioms.load();
    m_idiomsLoaded = loaded.ok();
    m_loadFailure = loaded.message;
    if (!loaded.ok())
        m_messages.show(kTitle, loaded.message);

    m_selectedCount = m_idiomsLoaded ? takeSelectedIdioms() : 0;
    if (m_shuffle)
        shuffleRows();

    m_worksheet.printFontSize = 13;
    if (m_option == AnswerSheet) {
        for (int row = 1; row <= m_selectedCount; ++row)
            m_worksheet.setCell(kFirstCharacterColumn, row,
                                m_worksheet.cell(kWholeIdiomColumn, row));
        m_worksheet.setColumnEdges({0, 0.05, 0.6, 1});
        finishLayout(3);
    } else {
        m_worksheet.setColumnEdges({0, 0.05, 0.5, 0.55, 0.6, 0.65, 0.7, 1});
        blankCharacters(m_option - 1);
        finishLayout(7);
    }
    if (m_view)
        m_view->worksheetRebuilt();
}

int WorksheetSettings::takeSelectedIdioms()
{
    int count = 0;
    const int lines = std::min(m_idioms.idiomLineCount(), Worksheet::kMaxRow);
    for (int line = 1; line <= lines; ++line) {
        const int level = levelOf(m_idioms.field(line, 1));
        if (level == 0 || !m_levels[static_cast<size_t>(level - 1)])
            continue;
        ++count;
        const QString idiom = m_idioms.field(line, 2);
        m_worksheet.setCell(kMeaningColumn, count, m_idioms.field(line, 4));
        for (int i = 0; i < 4; ++i)
            m_worksheet.setCell(kFirstCharacterColumn + i, count, idiom.mid(i, 1));
        m_worksheet.setCell(kWholeIdiomColumn, count,
                            QStringLiteral("   ") + idiom + QLatin1Char('(') +
                                m_idioms.field(line, 3) + QLatin1Char(')'));
    }
    return count;
}

int WorksheetSettings::drawRow()
{
    return drawOneTo(m_random, m_selectedCount);
}

void WorksheetSettings::shuffleRows()
{
    if (m_selectedCount == 0)
        return;
    for (int i = 0; i < 2 * m_selectedCount; ++i) {
        const int a = drawRow();
        const int b = drawRow();
        for (int column = kMeaningColumn; column <= kWholeIdiomColumn; ++column) {
            const QString held = m_worksheet.cell(column, a);
            m_worksheet.setCell(column, a, m_worksheet.cell(column, b));
            m_worksheet.setCell(column, b, held);
        }
    }
}

void WorksheetSettings::blankCharacters(int rounds)
{
    for (int round = 1; round <= rounds; ++round) {
        for (int row = 1; row <= m_selectedCount; ++row) {
            int firstLeft = 0;
            for (int column = kFirstCharacterColumn; column <= kLastCharacterColumn; ++column)
                if (firstLeft == 0 && !m_worksheet.cell(column, row).isEmpty())
                    firstLeft = column;
            if (firstLeft == 0)
                continue; // an idiom shorter than four characters has nothing left to blank
            int column = 0;
            for (int draw = 0; draw < kMaxBlankDraws && column == 0; ++draw) {
                const int candidate = kFirstCharacterColumn - 1 + drawOneTo(m_random, 4);
                if (!m_worksheet.cell(candidate, row).isEmpty())
                    column = candidate;
            }
            m_worksheet.setCell(column != 0 ? column : firstLeft, row, QString());
        }
    }
}

void WorksheetSettings::finishLayout(int columnCount)
{
    m_worksheet.setCell(2, 0, QStringLiteral("意味"));
    m_worksheet.setCell(3, 0, QStringLiteral("四字熟語"));
    m_worksheet.setCell(4, 0, QString());
    m_worksheet.printColumnCount = columnCount;
    m_worksheet.printRowCount = kPrintedRows;
    for (int row = 1; row <= kPrintedRows; ++row)
        m_worksheet.setCell(1, row, kCircledNumbers.mid(row - 1, 1));
    m_worksheet.printLayout = 2;
    m_worksheet.printPortrait = 1;
    m_worksheet.printPrinterSetting = 1;
    m_worksheet.printHidePreview = 0;
    m_worksheet.printAutoRun = 0;
}
