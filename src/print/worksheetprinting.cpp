#include "print/worksheetprinting.h"

#include "print/printpreviewdialog.h"
#include "print/printsettingsdialog.h"

WorksheetPrinting::WorksheetPrinting(const SharedState& state, MessageBox& messages,
                                     RandomSource& random, QWidget* parentWindow)
    : m_messages(messages), m_random(random), m_parent(parentWindow), m_idioms(m_idiomTable, state),
      m_devices(std::make_unique<QtPrintDevices>())
{
}

WorksheetPrinting::~WorksheetPrinting()
{
    delete m_preview;
    delete m_settings;
}

void WorksheetPrinting::setPrintDevices(std::unique_ptr<PrintDevices> devices)
{
    delete m_preview;
    m_devices = std::move(devices);
}

void WorksheetPrinting::openSettings()
{
    if (!m_settings) {
        auto logic =
            std::make_unique<WorksheetSettings>(m_worksheet, m_idioms, m_random, m_messages);
        m_settings = new PrintSettingsDialog(
            std::move(logic), [this] { openPrintScreen(); }, [this] { showNewWorksheet(); },
            m_parent);
    }
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

void WorksheetPrinting::openPrintScreen()
{
    if (!m_preview) {
        auto logic = std::make_unique<WorksheetPrint>(m_worksheet, *m_devices, m_messages);
        m_preview = new PrintPreviewDialog(std::move(logic), m_parent);
    }
    m_preview->show();
    m_preview->raise();
    m_preview->activateWindow();
    m_preview->activateScreen();
}

void WorksheetPrinting::showNewWorksheet()
{
    // An open print screen always shows the page that "印刷" would print.
    if (m_preview && m_preview->isVisible())
        m_preview->activateScreen();
}
