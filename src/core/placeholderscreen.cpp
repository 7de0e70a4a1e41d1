#include "core/placeholderscreen.h"

#include <QLabel>
#include <QVBoxLayout>

PlaceholderScreen::PlaceholderScreen(const QString& contentName, const QString& screenTitle,
                                     QWidget* parent)
    : Screen(parent)
{
    auto* title = new QLabel(contentName, this);
    title->setObjectName(QStringLiteral("placeholderTitle"));
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setPointSize(48);
    title->setFont(titleFont);
    auto* notice = new QLabel(
        QStringLiteral("「%1」の画面はまだできていません。").arg(screenTitle), this);
    notice->setObjectName(QStringLiteral("placeholderNotice"));
    notice->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(notice);
    layout->addStretch();
}
