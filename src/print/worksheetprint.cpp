#include "print/worksheetprint.h"

#include "platform/messagebox.h"
#include "print/pagetarget.h"
#include "print/printdevices.h"
#include "print/worksheet.h"
#include "print/worksheetdrawing.h"

namespace {
constexpr int kRuledTableLayout = 2;
}

WorksheetPrint::WorksheetPrint(const Worksheet& worksheet, PrintDevices& devices,
                               MessageBox& messages)
    : m_worksheet(worksheet), m_devices(devices), m_messages(messages)
{
}

WorksheetPrint::~WorksheetPrint() = default;

void WorksheetPrint::load()
{
    if (m_worksheet.printAutoRun == 1 && m_view)
        m_view->hideButtons();
    setUpPage();
}

void WorksheetPrint::activate()
{
    if (m_view)
        m_view->showWaitPanel(m_worksheet.printHidePreview == 1);
    drawLayout();
    if (m_worksheet.printAutoRun == 1) {
        if (m_view)
            m_view->hideButtons();
        printPage();
        if (m_view)
            m_view->closeScreen();
    }
}

void WorksheetPrint::setUpPage()
{
    if (m_toPrinter) {
        if (!m_document)
            m_document =
                m_devices.startPrinterDocument(m_portrait, m_worksheet.printPrinterSetting);
    } else if (m_view) {
        m_view->setUpPreview(m_portrait, PageGeometry::previewScale(m_portrait));
    }
}

void WorksheetPrint::drawLayout()
{
    const bool portrait = m_worksheet.printPortrait == 1;
    if (portrait != m_portrait) {
        m_portrait = portrait;
        setUpPage();
    }
    if (m_toPrinter) {
        if (m_document)
            drawLayoutOn(m_document->page(), m_portrait);
    } else if (m_view) {
        drawLayoutOn(m_view->previewPage(), m_portrait);
    }
}

void WorksheetPrint::drawLayoutOn(PageTarget& target, bool portrait)
{
    // The other layouts of a general page screen have no use here: the page stays blank.
    if (m_worksheet.printLayout == kRuledTableLayout)
        WorksheetDrawing::drawTable(m_worksheet, target, m_devices.textMeasure(portrait));
}

void WorksheetPrint::printPage()
{
    if (!m_devices.printerInstalled()) {
        tell(QStringLiteral("プリンターが見つかりません。プリンターをつないで設定してから、もう"
                            "一度「印刷」を押してください。「PDFに保存」でPDFファイルに保存す"
                            "ることもできます。"));
        return;
    }
    m_toPrinter = true;
    m_portrait = m_worksheet.printPortrait == 1;
    setUpPage();
    if (!m_document) {
        tell(QStringLiteral("印刷を始められませんでした。プリンターの設定を確かめてください。"));
    } else {
        drawLayout();
        const bool sent = m_document->finish();
        m_document.reset();
        if (!sent)
            tell(QStringLiteral("印刷できませんでした。プリンターの設定を確かめてください。"));
    }
    m_toPrinter = false;
    setUpPage();
    drawLayout();
}

void WorksheetPrint::cancelPrinting()
{
    m_document.reset();
    if (m_view)
        m_view->closeScreen();
}

void WorksheetPrint::screenClosing()
{
    m_document.reset();
}

void WorksheetPrint::saveAsPdf()
{
    if (!m_view)
        return;
    const QString path = m_view->choosePdfFileName();
    if (path.isEmpty())
        return;
    const bool portrait = m_worksheet.printPortrait == 1;
    std::unique_ptr<PageDocument> document = m_devices.startPdfDocument(path, portrait);
    if (!document) {
        tell(QStringLiteral("PDFファイルを作れませんでした。\n%1").arg(path));
        return;
    }
    drawLayoutOn(document->page(), portrait);
    if (document->finish())
        tell(QStringLiteral("PDFファイルに保存しました。\n%1").arg(path));
    else
        tell(QStringLiteral("PDFファイルを保存できませんでした。\n%1").arg(path));
}

void WorksheetPrint::tell(const QString& text)
{
    m_messages.show(QStringLiteral("印刷"), text);
}
