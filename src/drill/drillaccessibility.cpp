#include "drill/drillaccessibility.h"

#include "drill/drilltile.h"
#include "drill/drillview.h"
#include "drill/timegauge.h"

#include <QAccessibleWidget>

namespace {

class TileAccessible : public QAccessibleWidget
{
public:
    explicit TileAccessible(DrillTile* tile) : QAccessibleWidget(tile, QAccessible::Button) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (tile()->isCovered())
            state.invisible = true;
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    // The bus waits for doAction to return before it replies, and a press may judge an answer
    // and play its sounds: the press runs right after the reply, before the next request.
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            QMetaObject::invokeMethod(tile(), &DrillTile::press, Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == pressAction() ? QStringList{tile()->keyCaption()} : QStringList{};
    }

private:
    DrillTile* tile() const { return static_cast<DrillTile*>(widget()); }
};

// The share of the time gone, in percent.
class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit GaugeAccessible(TimeGauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QStringLiteral("%1%").arg(currentValue().toInt());
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override
    {
        return static_cast<TimeGauge*>(widget())->elapsedUnits() * 100 / DrillDisplay::kGaugeUnits;
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* drillElementInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("DrillTile")) {
        auto* tile = qobject_cast<DrillTile*>(object);
        // Answer slots are no buttons: they fall back to plain text.
        return tile && tile->choosable() ? new TileAccessible(tile) : nullptr;
    }
    if (className == QLatin1String("TimeGauge")) {
        if (auto* gauge = qobject_cast<TimeGauge*>(object))
            return new GaugeAccessible(gauge);
    }
    return nullptr;
}

} // namespace

void installDrillAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(drillElementInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
