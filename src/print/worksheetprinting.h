#pragma once

#include "drill/idiomtable.h"
#include "print/idiomdatafile.h"
#include "print/printpreviewdialog.h"
#include "print/printsettingsdialog.h"
#include "print/qtprintdevices.h"
#include "print/worksheet.h"

#include <QPointer>

#include <memory>

class MessageBox;
class PrintDevices;
class QWidget;
class RandomSource;
struct SharedState;

// The worksheets as the name selection screen reaches them: "印刷" opens the print settings,
// which open the print screen. The table and its settings live here, so they keep their last
// values after the screens close.
class WorksheetPrinting
{
public:
    // Both screens are windows of parentWindow. random is the program's one generator.
    WorksheetPrinting(const SharedState& state, MessageBox& messages, RandomSource& random,
                      QWidget* parentWindow);
    ~WorksheetPrinting();

    // Shows the print settings without waiting; brings them to the front when already open.
    void openSettings();

    PrintSettingsDialog* settingsDialog() const { return m_settings; }
    PrintPreviewDialog* previewDialog() const { return m_preview; }
    const Worksheet& worksheet() const { return m_worksheet; }
    // Tests put their own printer in place.
    void setPrintDevices(std::unique_ptr<PrintDevices> devices);

private:
    void openPrintScreen();
    void showNewWorksheet();

    MessageBox& m_messages;
    RandomSource& m_random;
    QWidget* m_parent = nullptr;
    Worksheet m_worksheet;
    IdiomTable m_idiomTable;
    IdiomDataFile m_idioms;
    std::unique_ptr<PrintDevices> m_devices;
    QPointer<PrintSettingsDialog> m_settings;
    QPointer<PrintPreviewDialog> m_preview;
};
