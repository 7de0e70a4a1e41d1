#include "reporttable.h"

#include <algorithm>
#include <numeric>

namespace {

using Font = GraphCanvas::Font;

Font fontOfRow(size_t row)
{
    return row == 0 ? Font::Heading : Font::Label;
}

// The characters of a text, a surrogate pair kept whole.
QStringList charactersOf(const QString& text)
{
    QStringList characters;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        characters << text.mid(i, length);
        i += length;
    }
    return characters;
}

double sum(const std::vector<double>& values)
{
    return std::accumulate(values.begin(), values.end(), 0.0);
}

} // namespace

ReportTable::ReportTable(const QStringList& headings, const std::vector<QStringList>& rows,
                         double width, double lineHeight, const Measure& measure)
    : m_measure(measure), m_lineHeight(lineHeight)
{
    std::vector<QStringList> table{headings};
    for (const QStringList& row : rows) {
        QStringList texts = row.mid(0, headings.size());
        while (texts.size() < headings.size())
            texts << QString();
        table.push_back(texts);
    }
    const std::vector<double> widths = columnWidths(table, width);
    m_headingHeight = addRow(table.front(), Font::Heading, widths, 0);
    m_height = m_headingHeight;
    for (size_t row = 1; row < table.size(); ++row)
        m_height += addRow(table[row], Font::Label, widths, m_height);
}

std::vector<double> ReportTable::columnWidths(const std::vector<QStringList>& table,
                                              double width) const
{
    const size_t columns = table.front().size();
    // Per column, the widest of the parts that a way of breaking leaves whole.
    const auto widest = [&](const std::function<QStringList(const QString&)>& partsOf) {
        std::vector<double> widths(columns, 0.0);
        for (size_t row = 0; row < table.size(); ++row)
            for (size_t k = 0; k < columns; ++k)
                for (const QString& part : partsOf(table[row][qsizetype(k)]))
                    widths[k] = std::max(widths[k], m_measure(part, fontOfRow(row)));
        return widths;
    };
    const double room = width - kColumnGap * double(columns - 1);
    std::vector<double> widths = widest([](const QString& text) { return QStringList{text}; });
    const double natural = sum(widths);
    if (natural <= room) {
        for (double& column : widths)
            column += (room - natural) / double(columns);
        return widths;
    }
    // Too narrow: each column keeps at least its widest piece, or where even those do not
    // fit its widest character, and the rest of the room goes to the columns in proportion
    // to what they lack.
    std::vector<double> least =
        widest([](const QString& text) { return text.split(kPieceSeparator); });
    if (sum(least) > room)
        least = widest(charactersOf);
    const double spare = room - sum(least);
    for (size_t k = 0; k < columns; ++k)
        widths[k] = spare > 0 ? least[k] + (widths[k] - least[k]) * spare / (natural - sum(least))
                              : least[k];
    return widths;
}

QStringList ReportTable::wrapped(const QString& text, Font font, double width) const
{
    QStringList lines;
    QString line;
    for (const QString& piece : text.split(kPieceSeparator)) {
        if (!line.isEmpty()) {
            const QString joined = line + kPieceSeparator + piece;
            if (m_measure(joined, font) <= width) {
                line = joined;
                continue;
            }
            lines << line;
        }
        line = piece;
        // A piece wider than the column is cut after the last character that fits.
        while (m_measure(line, font) > width) {
            qsizetype keep = 0;
            for (const QString& character : charactersOf(line)) {
                if (keep > 0 && m_measure(line.left(keep + character.size()), font) > width)
                    break;
                keep += character.size();
            }
            if (keep == line.size())
                break; // one character wider than the column: nothing narrower is possible
            lines << line.left(keep);
            line = line.mid(keep);
        }
    }
    lines << line;
    return lines;
}

double ReportTable::addRow(const QStringList& texts, Font font, const std::vector<double>& widths,
                           double top)
{
    qsizetype lineCount = 1;
    double left = 0;
    for (size_t k = 0; k < widths.size(); ++k) {
        const QStringList lines = wrapped(texts[qsizetype(k)], font, widths[k]);
        for (qsizetype n = 0; n < lines.size(); ++n) {
            if (!lines[n].isEmpty())
                m_cells.push_back(
                    {QRectF(left, top + double(n) * m_lineHeight, widths[k], m_lineHeight),
                     lines[n], font});
        }
        lineCount = std::max(lineCount, lines.size());
        left += widths[k] + kColumnGap;
    }
    return double(lineCount) * m_lineHeight;
}
