#pragma once

#include "print/painterpagetarget.h"
#include "print/printdevices.h"

// The system's default printer and PDF files written by Qt.
class QtPrintDevices : public PrintDevices
{
public:
    QtPrintDevices();
    bool printerInstalled() const override;
    std::unique_ptr<PageDocument> startPrinterDocument(bool portrait, int printerSetting) override;
    std::unique_ptr<PageDocument> startPdfDocument(const QString& path, bool portrait) override;
    const TextMeasure& textMeasure(bool portrait) const override;

private:
    PageTextMeasure m_portraitMeasure{true};
    PageTextMeasure m_landscapeMeasure{false};
};
