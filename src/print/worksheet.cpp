#include "print/worksheet.h"

namespace {
const QString kNoText;
}

Worksheet::Worksheet() : m_cells(static_cast<size_t>((kMaxColumn + 1) * (kMaxRow + 1))) {}

bool Worksheet::inTable(int column, int row)
{
    return column >= 0 && column <= kMaxColumn && row >= 0 && row <= kMaxRow;
}

const QString& Worksheet::cell(int column, int row) const
{
    if (!inTable(column, row))
        return kNoText;
    return m_cells[static_cast<size_t>(column * (kMaxRow + 1) + row)];
}

void Worksheet::setCell(int column, int row, const QString& text)
{
    if (inTable(column, row))
        m_cells[static_cast<size_t>(column * (kMaxRow + 1) + row)] = text;
}

void Worksheet::clearCells(int firstColumn, int lastColumn, int firstRow, int lastRow)
{
    for (int column = firstColumn; column <= lastColumn; ++column)
        for (int row = firstRow; row <= lastRow; ++row)
            setCell(column, row, QString());
}

double Worksheet::columnEdge(int column) const
{
    if (column < 1 || column > kMaxColumn + 1)
        return 0.0;
    return m_columnEdges[static_cast<size_t>(column)];
}

void Worksheet::setColumnEdges(const std::vector<double>& edges)
{
    m_columnEdges.fill(0.0);
    for (size_t i = 0; i < edges.size() && i + 1 < m_columnEdges.size(); ++i)
        m_columnEdges[i + 1] = edges[i];
}
