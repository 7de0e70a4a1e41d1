#include "drill/timegauge.h"

#include "drill/drillview.h"

#include <QFrame>
#include <QResizeEvent>

namespace {
constexpr int kUnits = DrillDisplay::kGaugeUnits;
}

TimeGauge::TimeGauge(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("timeGauge"));
    setAccessibleName(QStringLiteral("経過時間"));
    setFixedHeight(24);
    m_empty = makeShape(QStringLiteral("sShape5"));
    m_bar = makeShape(QStringLiteral("sShape2"));
    m_secondBar = makeShape(QStringLiteral("sShape7"));
    m_target = makeShape(QStringLiteral("sShape3"));
    m_limit = makeShape(QStringLiteral("sShape4"));
    m_target->setAccessibleName(QStringLiteral("目標タイム"));
    m_limit->setAccessibleName(QStringLiteral("制限タイム"));
}

void TimeGauge::setWidths(int bar, int secondBar, int target, int limit)
{
    const std::array<int, 4> units{bar, secondBar, target, limit};
    if (units == m_units)
        return;
    m_units = units;
    m_bar->setAccessibleName(QStringLiteral("経過時間 %1%").arg(bar * 100 / kUnits));
    place();
}

void TimeGauge::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

QFrame* TimeGauge::makeShape(const QString& name)
{
    auto* shape = new QFrame(this);
    shape->setObjectName(name);
    return shape;
}

int TimeGauge::pixels(int units) const
{
    return units * width() / kUnits;
}

void TimeGauge::place()
{
    const int h = height();
    m_empty->setGeometry(0, 0, width(), h);
    m_bar->setGeometry(0, 2, pixels(m_units[0]), h - 4);
    m_secondBar->setGeometry(0, 2, pixels(m_units[1]), h - 4);
    m_target->setGeometry(0, 0, pixels(m_units[2]), h);
    m_limit->setGeometry(0, 0, pixels(m_units[3]), h);
    m_bar->setVisible(m_units[0] > 0);
    m_secondBar->setVisible(m_units[1] > 0);
}
