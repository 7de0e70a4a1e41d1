#pragma once

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextItem>

// A paint device that keeps the lines and text items painted on it, in device pixels.
class RecordingPaintEngine : public QPaintEngine
{
public:
    struct Text
    {
        QPointF baseline;
        QString text;
        double pointSize;
        double end; // x where the run ends
    };
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawLines(const QLineF* drawn, int count) override
    {
        for (int i = 0; i < count; ++i)
            lines.append(drawn[i]);
    }
    void drawTextItem(const QPointF& baseline, const QTextItem& item) override
    {
        texts.append(
            {baseline, item.text(), item.font().pointSizeF(), baseline.x() + item.width()});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<QLineF> lines;
    QList<Text> texts;
};

class RecordingPaintDevice : public QPaintDevice
{
public:
    RecordingPaintDevice(QSize size, int dpi) : m_size(size), m_dpi(dpi) {}
    QPaintEngine* paintEngine() const override { return &engine; }

    mutable RecordingPaintEngine engine;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return qRound(m_size.width() * 25.4 / m_dpi);
        case PdmHeightMM:
            return qRound(m_size.height() * 25.4 / m_dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    QSize m_size;
    int m_dpi;
};
