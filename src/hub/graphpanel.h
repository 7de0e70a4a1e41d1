#pragma once

#include "hub/graphdata.h"
#include "hub/rankings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class Clock;
class GraphCanvas;
class MessageBox;
class Records;
struct SharedState;

// What the graph panel `Picture11` shows. Lines of the lists are counted from 0.
class GraphPanelView
{
public:
    virtual ~GraphPanelView() = default;
    virtual void setPanelVisible(bool visible) = 0;
    virtual void setPupilList(const QStringList& lines) = 0; // List2
    virtual void setPupilListVisible(bool visible) = 0;
    virtual void clearPupilSelection() = 0;
    virtual QList<int> selectedPupilLines() const = 0;
    virtual void setItemList(const QStringList& lines) = 0; // List3, several may be selected
    virtual void selectItemLines(const QList<int>& lines) = 0;
    virtual QList<int> selectedItemLines() const = 0;
    virtual void setOthersButtonVisible(bool visible) = 0; // Command25
    virtual void setPrintVisible(bool visible) = 0;        // Command24(1) and "PDFに保存"
    virtual void showPage(const GraphPage& page) = 0;      // drawn on Picture12
    // Empty when the user cancels.
    virtual QString choosePdfFileName(const QString& suggestion) = 0;
};

// A document on its way to the printer or into a PDF file. Dropping it unfinished discards it.
class GraphDocument
{
public:
    virtual ~GraphDocument() = default;
    // Its sheets: A4 portrait, drawn from the top left corner of the printable area.
    virtual GraphCanvas& canvas() = 0;
    // Sends the pages to the printer or writes the file; false when that failed.
    virtual bool finish() = 0;
};

// The printer and PDF files.
class GraphPaper
{
public:
    virtual ~GraphPaper() = default;
    virtual bool printerInstalled() const = 0;
    // Null when no document could be started.
    virtual std::unique_ptr<GraphDocument> startPrinterDocument() = 0;
    virtual std::unique_ptr<GraphDocument> startPdfDocument(const QString& path) = 0;
};

// What the hub hands to the panel when it opens it.
struct GraphPanelInputs
{
    QStringList pupilLines; // "<grade> /  <name>/<pupilNo>"
    QStringList itemLines;  // the captions of items 1..itemCount
    int pupil = 0;
    QString gradeFilter;
    PointsPeriod pointsPeriod = PointsPeriod::AllTime;
};

// The graph panel of the hub: for one pupil and the chosen items, a chart of the pupil's times
// and a table that compares the pupil with all pupils, on the screen and on paper.
class GraphPanel
{
public:
    enum Target { ScreenTarget = 0, PrinterTarget = 1 };

    GraphPanel(const SharedState& state, Records& records, const Clock& clock,
               MessageBox& messages);

    void setView(GraphPanelView* view) { m_view = view; }
    void setPaper(GraphPaper* paper) { m_paper = paper; }
    // Printing is for the teacher; it also hides the print buttons of the view.
    void setPrintAllowed(bool allowed);

    void open(const GraphPanelInputs& inputs); // Command17 "グラフ"
    void close();                              // Command18 "戻る", and any view switch of the hub
    void showOthers();                         // Command25 "他の人のデータを見る"
    void pupilClicked();                       // a line of List2
    void itemClicked();                        // a line of List3
    void drawRequested(int target);            // Command24(target): "表示" or "印刷"
    void saveAsPdf();

    bool isOpen() const { return m_open; }
    bool printAllowed() const { return m_printAllowed; }
    int panelPupil() const { return m_pupil; }
    const GraphPage& page() const { return m_page; }

private:
    // The pupils of the selected lines of List2, or the panel pupil when none is selected.
    QList<int> chosenPupils() const;
    GraphPage pageFor(int pupil) const;
    void drawOnScreen();
    void printPages(const QList<int>& pupils);
    // Draws each pupil's page, each from a new sheet; false when the result file was unreadable.
    bool drawOnPaper(const QList<int>& pupils, GraphCanvas& canvas);
    void tell(const QString& text);

    const SharedState& m_state;
    Records& m_records;
    const Clock& m_clock;
    MessageBox& m_messages;
    GraphPanelView* m_view = nullptr;
    GraphPaper* m_paper = nullptr;

    bool m_open = false;
    bool m_printAllowed = false;
    GraphPanelInputs m_inputs;
    int m_pupil = 0;
    GraphPage m_page;
};

inline const QString kNoPrinterText =
    QStringLiteral("プリンターが見つかりません。プリンターをつないで設定してから、もう一度「印刷」"
                   "を押してください。「PDFに保存」でPDFファイルに保存することもできます。");
