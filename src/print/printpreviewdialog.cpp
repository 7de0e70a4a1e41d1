#include "print/printpreviewdialog.h"

#include "print/previewpicture.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumSize(150, 48);
    QFont font = button->font();
    font.setPointSize(13);
    button->setFont(font);
    return button;
}

} // namespace

PrintPreviewDialog::PrintPreviewDialog(std::unique_ptr<WorksheetPrint> logic, QWidget* parent)
    : QDialog(parent), m_logic(std::move(logic))
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("印刷"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Picture5_page"));
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(8, 8, 8, 8);
    m_picture = new PreviewPicture(page);
    m_waitPanel = new QWidget(page);
    m_waitPanel->setObjectName(QStringLiteral("Picture4"));
    m_waitPanel->setAutoFillBackground(true);
    m_waitPanel->setStyleSheet(QStringLiteral("#Picture4 { background: white; }"));
    auto* waitLabel = new QLabel(QStringLiteral("印刷中　しばらくお待ちください"), m_waitPanel);
    waitLabel->setObjectName(QStringLiteral("Label1"));
    QFont waitFont = waitLabel->font();
    waitFont.setPointSize(18);
    waitLabel->setFont(waitFont);
    waitLabel->setAlignment(Qt::AlignCenter);
    auto* waitLayout = new QVBoxLayout(m_waitPanel);
    waitLayout->addWidget(waitLabel);
    m_waitPanel->setFixedSize(m_picture->size());
    m_waitPanel->hide();
    pageLayout->addWidget(m_picture, 0, Qt::AlignCenter);
    pageLayout->addWidget(m_waitPanel, 0, Qt::AlignCenter);

    m_background = new QScrollArea(this);
    m_background->setObjectName(QStringLiteral("Picture5"));
    m_background->setWidget(page);
    m_background->setWidgetResizable(true);
    m_background->setAlignment(Qt::AlignCenter);
    m_background->setStyleSheet(
        QStringLiteral("#Picture5, #Picture5_page { background: rgb(128, 128, 128); }"));

    m_printButton = makeButton(QStringLiteral("Command9"), QStringLiteral("印刷"), this);
    m_pdfButton = makeButton(QStringLiteral("savePdf"), QStringLiteral("PDFに保存"), this);
    m_cancelButton = makeButton(QStringLiteral("Command8"), QStringLiteral("印刷中止"), this);
    connect(m_printButton, &QPushButton::clicked, this, [this] { m_logic->printPage(); });
    connect(m_pdfButton, &QPushButton::clicked, this, [this] { m_logic->saveAsPdf(); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { m_logic->cancelPrinting(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_pdfButton);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_background, 1);
    layout->addLayout(buttons);

    m_logic->setView(this);
    m_logic->load();
    resize(m_picture->width() + 220, std::min(m_picture->height() + 44, 760));
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

void PrintPreviewDialog::activateScreen()
{
    m_logic->activate();
}

void PrintPreviewDialog::hideButtons()
{
    m_printButton->hide();
    m_cancelButton->hide();
    m_pdfButton->hide();
}

void PrintPreviewDialog::setUpPreview(bool portrait, double scale)
{
    m_picture->setUpPage(portrait, scale);
    m_waitPanel->setFixedSize(m_picture->size());
}

PageTarget& PrintPreviewDialog::previewPage()
{
    return *m_picture;
}

void PrintPreviewDialog::showWaitPanel(bool shown)
{
    m_picture->setVisible(!shown);
    m_waitPanel->setVisible(shown);
}

QString PrintPreviewDialog::choosePdfFileName()
{
    if (m_chooser)
        return m_chooser();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDFに保存"),
                                                folder + QStringLiteral("/四字熟語プリント.pdf"),
                                                QStringLiteral("PDFファイル (*.pdf)"));
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    return path;
}

void PrintPreviewDialog::closeScreen()
{
    close();
}

void PrintPreviewDialog::closeEvent(QCloseEvent* event)
{
    m_logic->screenClosing();
    QDialog::closeEvent(event);
}
