#pragma once

#include <QWidget>

// The please-wait form: covers the whole window while a result is recorded or a screen is
// being replaced. It has no controls of its own.
class WaitForm : public QWidget
{
    Q_OBJECT
public:
    explicit WaitForm(QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
