#pragma once

#include "print/pagetarget.h"

#include <QImage>
#include <QWidget>

// The white page of the preview: a reduced image of the printed sheet.
class PreviewPicture : public QWidget, public PageTarget
{
    Q_OBJECT
public:
    explicit PreviewPicture(QWidget* parent = nullptr);

    // Sizes the picture to scale times the sheet and blanks it.
    void setUpPage(bool portrait, double scale);
    const QImage& image() const { return m_image; }

    void clearPage() override;
    void drawRule(QPointF from, QPointF to, double weight) override;
    void drawTextLines(const QStringList& lines, QPointF topLeft, int pointSize) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <typename Draw> void paint(Draw draw);

    QImage m_image;
    bool m_portrait = true;
};
