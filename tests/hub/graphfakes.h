#pragma once

#include "hub/graphdrawing.h"
#include "hub/graphpanel.h"

#include <QList>
#include <QRectF>
#include <QStringList>

#include <cmath>
#include <map>
#include <memory>

// Keeps every drawing call, page by page (page 0 is the first sheet).
class RecordingCanvas : public GraphCanvas
{
public:
    struct Line
    {
        QPointF from;
        QPointF to;
        Pen pen;
        int sheet;
    };
    struct Text
    {
        QRectF box;
        QString text;
        Font font;
        int sheet;
    };

    void drawLine(QPointF from, QPointF to, Pen pen) override
    {
        lines.append({from, to, pen, sheet});
    }
    void drawPoint(QPointF centre) override { points.append(centre); }
    void drawText(const QRectF& box, Qt::Alignment, const QString& text, Font font) override
    {
        texts.append({box, text, font, sheet});
    }
    // A plain model of the faces: an ASCII character is half as wide as the em, any other
    // character as wide.
    double textWidth(const QString& text, Font font) const override
    {
        double ems = 0;
        for (const QChar c : text)
            ems += c.unicode() < 0x80 ? 0.5 : 1.0;
        return ems * GraphLayout::fontSize(font);
    }
    bool newPage() override
    {
        ++sheet;
        return true;
    }

    QStringList textsIn(Font font) const
    {
        QStringList found;
        for (const Text& text : texts)
            if (text.font == font)
                found << text.text;
        return found;
    }
    QList<Line> linesOf(Pen pen) const
    {
        QList<Line> found;
        for (const Line& line : lines)
            if (line.pen == pen)
                found << line;
        return found;
    }
    // Every position drawn is a real number: nothing was divided by zero.
    bool allFinite() const
    {
        const auto finite = [](QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
        for (const Line& line : lines)
            if (!finite(line.from) || !finite(line.to))
                return false;
        for (const QPointF& point : points)
            if (!finite(point))
                return false;
        for (const Text& text : texts)
            if (!finite(text.box.topLeft()) || !finite(text.box.bottomRight()))
                return false;
        return true;
    }

    QList<Line> lines;
    QList<QPointF> points;
    QList<Text> texts;
    int sheet = 0;
};

// Keeps what the graph panel shows; the test plays the user's selections.
class FakeGraphPanelView : public GraphPanelView
{
public:
    void setPanelVisible(bool visible) override { panelVisible = visible; }
    void setPupilList(const QStringList& lines) override { pupilLines = lines; }
    void setPupilListVisible(bool visible) override { pupilListVisible = visible; }
    void clearPupilSelection() override { selectedPupils.clear(); }
    QList<int> selectedPupilLines() const override { return selectedPupils; }
    void setItemList(const QStringList& lines) override { itemLines = lines; }
    void selectItemLines(const QList<int>& lines) override { selectedItems = lines; }
    QList<int> selectedItemLines() const override { return selectedItems; }
    void setOthersButtonVisible(bool visible) override { othersVisible = visible; }
    void setPrintVisible(bool visible) override { printVisible = visible; }
    void showPage(const GraphPage& page) override
    {
        shown = page;
        ++pagesShown;
    }
    QString choosePdfFileName(const QString& suggestion) override
    {
        suggestedPdfName = suggestion;
        return pdfFileName;
    }

    bool panelVisible = false;
    QStringList pupilLines;
    bool pupilListVisible = true;
    QList<int> selectedPupils;
    QStringList itemLines;
    QList<int> selectedItems;
    bool othersVisible = false;
    bool printVisible = false;
    GraphPage shown;
    int pagesShown = 0;
    QString suggestedPdfName;
    QString pdfFileName;
};

// A printer and PDF files that keep what was drawn on them and what became of each document.
class FakeGraphPaper : public GraphPaper
{
public:
    struct Document : GraphDocument
    {
        Document(FakeGraphPaper& owner, QString name) : owner(owner), name(std::move(name)) {}
        ~Document() override
        {
            if (!finished)
                owner.log << name + QStringLiteral(" discarded");
        }
        GraphCanvas& canvas() override { return owner.canvases[name]; }
        bool finish() override
        {
            finished = true;
            owner.log << name + QStringLiteral(" finished");
            return owner.finishResult;
        }
        FakeGraphPaper& owner;
        QString name;
        bool finished = false;
    };

    bool printerInstalled() const override { return installed; }
    std::unique_ptr<GraphDocument> startPrinterDocument() override
    {
        if (!startResult)
            return nullptr;
        canvases[QStringLiteral("printer")] = RecordingCanvas{};
        return std::make_unique<Document>(*this, QStringLiteral("printer"));
    }
    std::unique_ptr<GraphDocument> startPdfDocument(const QString& path) override
    {
        if (!startResult)
            return nullptr;
        canvases[path] = RecordingCanvas{};
        return std::make_unique<Document>(*this, path);
    }

    bool installed = true;
    bool startResult = true;
    bool finishResult = true;
    std::map<QString, RecordingCanvas> canvases;
    QStringList log;
};
