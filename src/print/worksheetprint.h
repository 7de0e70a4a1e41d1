#pragma once

#include <QString>

#include <memory>

class MessageBox;
class PageDocument;
class PageTarget;
class PrintDevices;
class Worksheet;

// What the print screen shows and does on the logic's behalf.
class WorksheetPrintView
{
public:
    virtual ~WorksheetPrintView() = default;
    virtual void hideButtons() = 0;
    // Sizes the preview picture to scale times the page and blanks it.
    virtual void setUpPreview(bool portrait, double scale) = 0;
    virtual PageTarget& previewPage() = 0;
    // The panel "印刷中　しばらくお待ちください" instead of the preview.
    virtual void showWaitPanel(bool shown) = 0;
    // Empty when the user cancels.
    virtual QString choosePdfFileName() = 0;
    virtual void closeScreen() = 0;
};

// The print screen: draws the worksheet on the preview, and on request on the printer or into
// a PDF file, with the same drawing code.
class WorksheetPrint
{
public:
    WorksheetPrint(const Worksheet& worksheet, PrintDevices& devices, MessageBox& messages);
    ~WorksheetPrint();
    void setView(WorksheetPrintView* view) { m_view = view; }

    void load();
    void activate();
    void printPage();
    void cancelPrinting();
    void saveAsPdf();
    // The screen is closing by any way other than "印刷中止".
    void screenClosing();

    bool portrait() const { return m_portrait; }
    bool drawingOnPrinter() const { return m_toPrinter; }

private:
    void setUpPage();
    void drawLayout();
    void drawLayoutOn(PageTarget& target, bool portrait);
    void tell(const QString& text);

    const Worksheet& m_worksheet;
    PrintDevices& m_devices;
    MessageBox& m_messages;
    WorksheetPrintView* m_view = nullptr;

    bool m_toPrinter = false;
    bool m_portrait = true;
    std::unique_ptr<PageDocument> m_document;
};
