#include "hub/graphpanelwidget.h"

#include "core/buttonkeys.h"
#include "hub/graphdrawing.h"
#include "hub/paintergraphcanvas.h"
#include "print/pdffiledialog.h"

#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMarginPixels = 14;
constexpr int kSideWidth = 230;

QFont sideFont(int pointSize, bool bold = false)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(sideFont(12, true));
    button->setMinimumHeight(34);
    return button;
}

QListWidget* makeList(const QString& name, QAbstractItemView::SelectionMode mode, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setFont(sideFont(12));
    list->setSelectionMode(mode);
    list->setStyleSheet(QStringLiteral("QListWidget { background: white; color: black; }"));
    return list;
}

double pixelsPerMm(int width)
{
    return std::max(width - 2 * kMarginPixels, 1) / GraphLayout::kWidth;
}

} // namespace

GraphPicture::GraphPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture12"));
    setAccessibleName(QStringLiteral("グラフ"));
    setAutoFillBackground(false);
}

void GraphPicture::setPage(const GraphPage& page)
{
    m_page = page;
    // A screen reader reads the tables; the charts are pictures of the same numbers.
    QStringList description;
    for (const GraphItem& item : m_page.items)
        description << item.caption << graphTableLines(item);
    setAccessibleDescription(description.join(u'\n'));
    fitHeight();
    update();
}

void GraphPicture::fitHeight()
{
    const double height = GraphLayout::pageHeight(m_page) * pixelsPerMm(width());
    setMinimumHeight(static_cast<int>(std::ceil(height)) + 2 * kMarginPixels);
}

void GraphPicture::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitHeight();
}

void GraphPicture::paintPage(QPainter& painter, int width) const
{
    painter.fillRect(QRect(0, 0, width, painter.device()->height()), Qt::white);
    PainterGraphCanvas canvas(painter, QPointF(kMarginPixels, kMarginPixels), pixelsPerMm(width));
    drawGraphPage(m_page, canvas, 0);
}

void GraphPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPage(painter, width());
}

QImage GraphPicture::render(int width) const
{
    const double height = GraphLayout::pageHeight(m_page) * pixelsPerMm(width);
    QImage image(width, static_cast<int>(std::ceil(height)) + 2 * kMarginPixels,
                 QImage::Format_RGB32);
    QPainter painter(&image);
    paintPage(painter, width);
    return image;
}

GraphPanelWidget::GraphPanelWidget(GraphPanel& logic, QWidget* parent)
    : QFrame(parent), m_logic(logic)
{
    setObjectName(QStringLiteral("Picture11"));
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#Picture11 { background: #e6f2f2; }"
                                 "#Picture11 QLabel { color: #103838; }"));

    m_picture = new GraphPicture;
    m_pictureArea = new QScrollArea(this);
    m_pictureArea->setObjectName(QStringLiteral("Picture12Area"));
    m_pictureArea->setWidget(m_picture);
    m_pictureArea->setWidgetResizable(true);
    m_pictureArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* itemsLabel = new QLabel(QStringLiteral("項目（いくつでも選べます）"), this);
    itemsLabel->setFont(sideFont(11, true));
    m_items = makeList(QStringLiteral("List3"), QAbstractItemView::MultiSelection, this);
    m_others =
        makeButton(QStringLiteral("Command25"), QStringLiteral("他の人のデータを見る"), this);
    m_pupils = makeList(QStringLiteral("List2"), QAbstractItemView::ExtendedSelection, this);
    m_pupils->setAccessibleName(QStringLiteral("生徒"));
    m_items->setAccessibleName(QStringLiteral("項目"));
    m_show = makeButton(QStringLiteral("Command24_0"), QStringLiteral("表示"), this);
    m_print = makeButton(QStringLiteral("Command24_1"), QStringLiteral("印刷"), this);
    m_savePdf = makeButton(QStringLiteral("savePdf"), QStringLiteral("PDFに保存"), this);
    m_back = makeButton(QStringLiteral("Command18"), QStringLiteral("戻る"), this);
    m_pupils->hide();
    m_print->hide();
    m_savePdf->hide();

    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    side->addWidget(itemsLabel);
    side->addWidget(m_items, 3);
    side->addWidget(m_others);
    side->addWidget(m_pupils, 2);
    side->addSpacing(6);
    side->addWidget(m_show);
    auto* paperRow = new QHBoxLayout;
    paperRow->addWidget(m_print);
    paperRow->addWidget(m_savePdf);
    side->addLayout(paperRow);
    side->addStretch(0);
    side->addWidget(m_back);

    auto* sideBox = new QWidget(this);
    sideBox->setFixedWidth(kSideWidth);
    sideBox->setLayout(side);
    side->setContentsMargins(0, 0, 0, 0);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(10);
    layout->addWidget(m_pictureArea, 1);
    layout->addWidget(sideBox);
    hide();

    connect(m_items, &QListWidget::itemSelectionChanged, this, [this] { m_logic.itemClicked(); });
    connect(m_pupils, &QListWidget::itemSelectionChanged, this, [this] { m_logic.pupilClicked(); });
    connect(m_others, &QPushButton::clicked, this, [this] { m_logic.showOthers(); });
    connect(m_show, &QPushButton::clicked, this,
            [this] { m_logic.drawRequested(GraphPanel::ScreenTarget); });
    connect(m_print, &QPushButton::clicked, this,
            [this] { m_logic.drawRequested(GraphPanel::PrinterTarget); });
    connect(m_savePdf, &QPushButton::clicked, this, [this] { m_logic.saveAsPdf(); });
    connect(m_back, &QPushButton::clicked, this, [this] { m_logic.close(); });

    // The lists first: they are what a pupil works with; the picture scrolls last.
    QWidget* previous = m_items;
    for (QWidget* next : std::initializer_list<QWidget*>{m_others, m_pupils, m_show, m_print,
                                                         m_savePdf, m_back, m_pictureArea}) {
        setTabOrder(previous, next);
        previous = next;
    }
    letEnterPressButtons(this);
}

void GraphPanelWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && clickIfShown(m_back))
        event->accept();
    else
        QFrame::keyPressEvent(event);
}

void GraphPanelWidget::setPanelVisible(bool visible)
{
    setVisible(visible);
    if (visible) {
        raise();
        m_pictureArea->verticalScrollBar()->setValue(0);
        m_items->setFocus(Qt::OtherFocusReason);
    }
}

void GraphPanelWidget::setPupilList(const QStringList& lines)
{
    const QSignalBlocker blocker(m_pupils);
    m_pupils->clear();
    m_pupils->addItems(lines);
}

void GraphPanelWidget::setPupilListVisible(bool visible)
{
    m_pupils->setVisible(visible);
}

void GraphPanelWidget::clearPupilSelection()
{
    const QSignalBlocker blocker(m_pupils);
    m_pupils->clearSelection();
}

namespace {

QList<int> selectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            rows.append(row);
    }
    return rows;
}

} // namespace

QList<int> GraphPanelWidget::selectedPupilLines() const
{
    return selectedRows(m_pupils);
}

void GraphPanelWidget::setItemList(const QStringList& lines)
{
    const QSignalBlocker blocker(m_items);
    m_items->clear();
    m_items->addItems(lines);
}

void GraphPanelWidget::selectItemLines(const QList<int>& lines)
{
    const QSignalBlocker blocker(m_items);
    m_items->clearSelection();
    for (const int line : lines) {
        if (line >= 0 && line < m_items->count())
            m_items->item(line)->setSelected(true);
    }
}

QList<int> GraphPanelWidget::selectedItemLines() const
{
    return selectedRows(m_items);
}

void GraphPanelWidget::setOthersButtonVisible(bool visible)
{
    m_others->setVisible(visible);
}

void GraphPanelWidget::setPrintVisible(bool visible)
{
    m_print->setVisible(visible);
    m_savePdf->setVisible(visible);
}

void GraphPanelWidget::showPage(const GraphPage& page)
{
    m_picture->setPage(page);
}

QString GraphPanelWidget::choosePdfFileName(const QString& suggestion)
{
    return askPdfFileName(this, suggestion);
}
