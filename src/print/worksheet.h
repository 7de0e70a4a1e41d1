#pragma once

#include <QString>

#include <array>
#include <vector>

// What the print settings hand over to the print screen: the table of texts and how to lay it
// out. It outlives both screens, so a worksheet opened again shows the last table.
class Worksheet
{
public:
    static constexpr int kMaxColumn = 100;
    static constexpr int kMaxRow = 1000;

    Worksheet();

    // printTable(column, row); row 0 holds the headings. Outside 0..100 / 0..1000 a read gives
    // an empty text and a write is dropped.
    const QString& cell(int column, int row) const;
    void setCell(int column, int row, const QString& text);
    void clearCells(int firstColumn, int lastColumn, int firstRow, int lastRow);

    // The edge of column c (1..printColumnCount + 1) as a fraction of the printable width;
    // 0 outside that range.
    double columnEdge(int column) const;
    void setColumnEdges(const std::vector<double>& edges); // edges of columns 1, 2, ...

    int printRowCount = 0;
    int printColumnCount = 0;
    int printFontSize = 0;
    int printLayout = 0;
    int printPortrait = 0;
    int printPrinterSetting = 0;
    int printHidePreview = 0;
    int printAutoRun = 0;

private:
    static bool inTable(int column, int row);

    std::vector<QString> m_cells; // (kMaxColumn + 1) x (kMaxRow + 1), column-major
    std::array<double, kMaxColumn + 2> m_columnEdges{};
};
