#pragma once

#include <QString>
#include <QWidget>

// A main screen (name selection, hub, drill, finish). The navigator creates it, runs load()
// once, and activate() each time it becomes the current screen; a closing message box or a
// switch between windows is not an activation.
class Screen : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void load() {}
    virtual void activate() {}
    // The caption of the main window while this screen is current.
    virtual QString windowCaption() const { return QString(); }
};
