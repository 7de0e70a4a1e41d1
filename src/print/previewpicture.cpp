#include "print/previewpicture.h"

#include "print/painterpagetarget.h"

#include <QPainter>

namespace {
// The preview shows the sheet at its real size on a common screen, reduced by the scale.
constexpr double kScreenDpi = 96.0;
constexpr double kMmPerInch = 25.4;
} // namespace

PreviewPicture::PreviewPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(QStringLiteral("印刷の見本"));
    setUpPage(true, PageGeometry::kPortraitPreviewScale);
}

void PreviewPicture::setUpPage(bool portrait, double scale)
{
    m_portrait = portrait;
    const QSizeF paperMm = PageGeometry::paperSizeMm(portrait);
    const QSize logical = (paperMm * scale * kScreenDpi / kMmPerInch).toSize();
    const double ratio = std::max(devicePixelRatioF(), 1.0);
    m_image = QImage(logical * ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    const int dotsPerMeter = qRound(kScreenDpi / kMmPerInch * 1000);
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    setFixedSize(logical);
    clearPage();
}

template <typename Draw> void PreviewPicture::paint(Draw draw)
{
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PainterPageTarget target(painter, m_image.deviceIndependentSize(), m_portrait);
    draw(target);
    update();
}

void PreviewPicture::clearPage()
{
    paint([](PageTarget& target) { target.clearPage(); });
}

void PreviewPicture::drawRule(QPointF from, QPointF to, double weight)
{
    paint([&](PageTarget& target) { target.drawRule(from, to, weight); });
}

void PreviewPicture::drawTextLines(const QStringList& lines, QPointF topLeft, int pointSize)
{
    paint([&](PageTarget& target) { target.drawTextLines(lines, topLeft, pointSize); });
}

void PreviewPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_image);
}
