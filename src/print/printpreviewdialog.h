#pragma once

#include "print/worksheetprint.h"

#include <QDialog>

#include <functional>
#include <memory>

class PreviewPicture;
class QPushButton;
class QScrollArea;
class QWidget;

// The worksheet print screen: the reduced page and the buttons to print it or save it as PDF.
class PrintPreviewDialog : public QDialog, public WorksheetPrintView
{
    Q_OBJECT
public:
    PrintPreviewDialog(std::unique_ptr<WorksheetPrint> logic, QWidget* parent = nullptr);
    ~PrintPreviewDialog() override;

    // What happens each time the screen is brought to the front: the page is drawn anew.
    void activateScreen();
    // Tests answer the file dialog with a path of their own.
    void setPdfFileChooser(std::function<QString()> chooser) { m_chooser = std::move(chooser); }
    PreviewPicture& picture() { return *m_picture; }

    void hideButtons() override;
    void setUpPreview(bool portrait, double scale) override;
    PageTarget& previewPage() override;
    void showWaitPanel(bool shown) override;
    QString choosePdfFileName() override;
    void closeScreen() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<WorksheetPrint> m_logic;
    std::function<QString()> m_chooser;
    QScrollArea* m_background = nullptr;
    PreviewPicture* m_picture = nullptr;
    QWidget* m_waitPanel = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_pdfButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
