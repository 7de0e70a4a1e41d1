#pragma once

#include "hub/graphdrawing.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The item table of a report page laid out with the widths of its texts as drawn: each column
// is as wide as its widest text, so that no text runs into the next column. Where the width
// given is too narrow, the wider columns give way and their texts wrap onto more lines: at
// kPieceSeparator first, anywhere when a piece alone is too wide.
class ReportTable
{
public:
    // Separates the pieces of a cell that may go onto lines of their own.
    static inline const QString kPieceSeparator = QStringLiteral("  ");
    static constexpr double kColumnGap = 2.5;

    using Measure = std::function<double(const QString&, GraphCanvas::Font)>;

    struct Cell
    {
        QRectF box; // one line of text, from the table's top
        QString text;
        GraphCanvas::Font font = GraphCanvas::Font::Label;
    };

    // The headings are drawn in Font::Heading, the rows in Font::Label; a row has one text a
    // heading.
    ReportTable(const QStringList& headings, const std::vector<QStringList>& rows, double width,
                double lineHeight, const Measure& measure);

    const std::vector<Cell>& cells() const { return m_cells; }
    double headingHeight() const { return m_headingHeight; }
    double height() const { return m_height; }

private:
    std::vector<double> columnWidths(const std::vector<QStringList>& table, double width) const;
    QStringList wrapped(const QString& text, GraphCanvas::Font font, double width) const;
    // Adds the lines of one row at top; returns the row's height.
    double addRow(const QStringList& texts, GraphCanvas::Font font,
                  const std::vector<double>& widths, double top);

    Measure m_measure;
    double m_lineHeight = 0;
    std::vector<Cell> m_cells;
    double m_headingHeight = 0;
    double m_height = 0;
};
