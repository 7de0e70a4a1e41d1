#pragma once

#include <QWidget>

#include <array>

class QFrame;

// The time gauge: the empty gauge sShape5 with the elapsed bar sShape2, the second bar sShape7
// and the marks sShape3 (target time) and sShape4 (limit time). Widths come in gauge units
// and follow the gauge when the window grows.
class TimeGauge : public QWidget
{
    Q_OBJECT
public:
    explicit TimeGauge(QWidget* parent);

    void setWidths(int bar, int secondBar, int target, int limit);
    // The time gone, in gauge units.
    int elapsedUnits() const { return m_units[0]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QFrame* makeShape(const QString& name);
    int pixels(int units) const;
    void place();

    QFrame* m_empty = nullptr;
    QFrame* m_bar = nullptr;
    QFrame* m_secondBar = nullptr;
    QFrame* m_target = nullptr;
    QFrame* m_limit = nullptr;
    std::array<int, 4> m_units{};
};
