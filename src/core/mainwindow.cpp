#include "core/mainwindow.h"

#include "core/waitform.h"

#include <QStackedWidget>
#include <QVBoxLayout>

MainWindow::MainWindow()
{
    resize(kDesignWidth, kDesignHeight);
    m_stack = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_waitForm = new WaitForm(this);
}
