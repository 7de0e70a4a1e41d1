#include "help/helpwindow.h"

#include "core/sharedstate.h"
#include "help/helpbook.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QPushButton* makeButton(const QString& name, const QString& caption, const QKeySequence& keys,
                        QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setShortcut(keys);
    button->setToolTip(keys.toString(QKeySequence::NativeText));
    return button;
}

} // namespace

HelpWindow::HelpWindow(const SharedState& state, MessageBox& messages, QWidget* owner)
    : QWidget(owner, Qt::Window), m_state(state), m_messages(messages)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(kHelpTitle);
    resize(900, 700);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    QFont font = m_browser->font();
    font.setPointSize(13);
    m_browser->setFont(font);

    auto* back =
        makeButton(QStringLiteral("helpBack"), QStringLiteral("もどる"), QKeySequence::Back, this);
    auto* forward = makeButton(QStringLiteral("helpForward"), QStringLiteral("すすむ"),
                               QKeySequence::Forward, this);
    auto* contents = makeButton(QStringLiteral("helpContents"), QStringLiteral("目次"),
                                QKeySequence(Qt::ALT | Qt::Key_Home), this);
    auto* larger = makeButton(QStringLiteral("helpZoomIn"), QStringLiteral("文字を大きく"),
                              QKeySequence::ZoomIn, this);
    auto* smaller = makeButton(QStringLiteral("helpZoomOut"), QStringLiteral("文字を小さく"),
                               QKeySequence::ZoomOut, this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] { showContents(); });
    connect(larger, &QPushButton::clicked, this, [this] { m_browser->zoomIn(2); });
    connect(smaller, &QPushButton::clicked, this, [this] { m_browser->zoomOut(2); });
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? kHelpTitle : kHelpTitle + QStringLiteral(" - ") + title);
    });

    auto* bar = new QHBoxLayout;
    for (QPushButton* button : {back, forward, contents, larger, smaller})
        bar->addWidget(button);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
}

QString HelpWindow::findContentsPage() const
{
    const QStringList places = helpBookPlaces(m_state.programFolder, m_state.contentName,
                                              QCoreApplication::applicationDirPath());
    for (const QString& place : places)
        if (QFileInfo(place).isFile())
            return place;
    m_messages.show(kHelpTitle, kHelpMissingText + u'\n' + places.join(u'\n'));
    return QString();
}

bool HelpWindow::showPage(const QString& page)
{
    const QString contentsPage = findContentsPage();
    if (contentsPage.isEmpty())
        return false;
    const QUrl contents = QUrl::fromLocalFile(QFileInfo(contentsPage).absoluteFilePath());
    m_browser->setSource(page.isEmpty() ? contents : contents.resolved(QUrl(page)));
    showAboveModalDialogs();
    return true;
}

void HelpWindow::showAboveModalDialogs()
{
    // A modal dialog blocks every window but those opened modal after it: the book asked for
    // from such a dialog comes on top of it, readable before the dialog is closed, and stops
    // blocking the program once the dialog has gone.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != this && (modal || windowModality() != Qt::NonModal)) {
        hide();
        setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        if (modal)
            modal->installEventFilter(this);
    }
    show();
    raise();
    activateWindow();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        watched->removeEventFilter(this);
        if (isVisible() && windowModality() != Qt::NonModal) {
            hide();
            setWindowModality(Qt::NonModal);
            show();
        }
    }
    return QWidget::eventFilter(watched, event);
}
