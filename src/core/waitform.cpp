#include "core/waitform.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

WaitForm::WaitForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BASEFRM"));
    setAutoFillBackground(true);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#BASEFRM { background-color: rgba(0, 128, 128, 200); }"));
    auto* label = new QLabel(QStringLiteral("しばらくお待ちください"), this);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: white; font-size: 28pt;"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    parent->installEventFilter(this);
    setGeometry(parent->rect());
    hide();
}

bool WaitForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
