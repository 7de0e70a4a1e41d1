#pragma once

#include <QString>

#include <memory>

class PageTarget;
class QPainter;
class TextMeasure;

// One page on its way to the printer or into a PDF file. Dropping a document that was not
// finished discards it: nothing is printed or left behind half written.
class PageDocument
{
public:
    virtual ~PageDocument() = default;
    virtual PageTarget& page() = 0;
    // Sends the page to the printer or writes the file; false when that failed.
    virtual bool finish() = 0;
    // For drawings that need more than page() offers: the painter on the sheet, whose origin
    // is the sheet's corner, and further sheets. A document without them gives null and false.
    virtual QPainter* painter() { return nullptr; }
    virtual bool newPage() { return false; }
};

// The printer and PDF files, all on A4.
class PrintDevices
{
public:
    virtual ~PrintDevices() = default;
    virtual bool printerInstalled() const = 0;
    // Null when no document could be started. printerSetting is the number of copies.
    virtual std::unique_ptr<PageDocument> startPrinterDocument(bool portrait,
                                                               int printerSetting) = 0;
    virtual std::unique_ptr<PageDocument> startPdfDocument(const QString& path, bool portrait) = 0;
    virtual const TextMeasure& textMeasure(bool portrait) const = 0;
};
