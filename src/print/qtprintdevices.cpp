#include "print/qtprintdevices.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <optional>

namespace {

constexpr int kPdfResolution = 600;

QPageLayout a4Layout(bool portrait)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       portrait ? QPageLayout::Portrait : QPageLayout::Landscape, QMarginsF(),
                       QPageLayout::Millimeter);
}

// One page painted on a paged device whose origin is the sheet's corner.
class PainterDocument : public PageDocument
{
public:
    PageTarget& page() override { return *m_target; }
    bool finish() override
    {
        m_finished = true;
        return m_painter.end();
    }
    QPainter* painter() override { return &m_painter; }
    bool newPage() override { return m_device && m_device->newPage(); }
    bool started() const { return m_target.has_value(); }

protected:
    void begin(QPagedPaintDevice& device, bool portrait)
    {
        if (!m_painter.begin(&device))
            return;
        m_device = &device;
        const QSizeF paper = device.pageLayout().fullRectPixels(device.logicalDpiX()).size();
        m_target.emplace(m_painter, paper, portrait);
    }
    bool finished() const { return m_finished; }

    QPainter m_painter;

private:
    std::optional<PainterPageTarget> m_target;
    QPagedPaintDevice* m_device = nullptr;
    bool m_finished = false;
};

class PrinterDocument : public PainterDocument
{
public:
    PrinterDocument(bool portrait, int copies) : m_printer(QPrinter::HighResolution)
    {
        // The default printer; where none is marked as default, the first one there is.
        QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (printer.isNull() && !names.isEmpty())
            printer = QPrinterInfo::printerInfo(names.first());
        m_printer.setPrinterName(printer.printerName());
        m_printer.setFullPage(true);
        m_printer.setPageLayout(a4Layout(portrait));
        m_printer.setCopyCount(std::max(copies, 1));
        begin(m_printer, portrait);
    }
    ~PrinterDocument() override
    {
        if (!finished() && m_painter.isActive()) {
            m_printer.abort();
            m_painter.end();
        }
    }

private:
    QPrinter m_printer;
};

class PdfDocument : public PainterDocument
{
public:
    PdfDocument(const QString& path, bool portrait) : m_path(path), m_writer(path)
    {
        m_writer.setResolution(kPdfResolution);
        m_writer.setPageLayout(a4Layout(portrait));
        m_writer.setCreator(QStringLiteral("四字熟語ドリル"));
        begin(m_writer, portrait);
    }
    ~PdfDocument() override
    {
        // A page that was never finished must not stay behind as a broken file.
        if (!finished() && m_painter.isActive()) {
            m_painter.end();
            QFile::remove(m_path);
        }
    }

private:
    QString m_path;
    QPdfWriter m_writer;
};

template <typename Document, typename... Args>
std::unique_ptr<PageDocument> startDocument(Args&&... args)
{
    auto document = std::make_unique<Document>(std::forward<Args>(args)...);
    if (!document->started())
        return nullptr;
    return document;
}

} // namespace

QtPrintDevices::QtPrintDevices() = default;

bool QtPrintDevices::printerInstalled() const
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

std::unique_ptr<PageDocument> QtPrintDevices::startPrinterDocument(bool portrait,
                                                                   int printerSetting)
{
    return startDocument<PrinterDocument>(portrait, printerSetting);
}

std::unique_ptr<PageDocument> QtPrintDevices::startPdfDocument(const QString& path, bool portrait)
{
    return startDocument<PdfDocument>(path, portrait);
}

const TextMeasure& QtPrintDevices::textMeasure(bool portrait) const
{
    if (portrait)
        return m_portraitMeasure;
    return m_landscapeMeasure;
}
