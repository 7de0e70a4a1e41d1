#include "roster/aboutbox.h"

#include "roster/drillicon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#ifndef YOJI_VERSION
#define YOJI_VERSION "1.0"
#endif

AboutBox::AboutBox(QWidget* owner, const QString& contentName) : QDialog(owner)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(drillIcon(64));
    auto* name = new QLabel(contentName, this);
    name->setObjectName(QStringLiteral("aboutName"));
    QFont nameFont = name->font();
    nameFont.setPointSize(24);
    nameFont.setBold(true);
    name->setFont(nameFont);
    auto* details = new QLabel(
        QStringLiteral("四字熟語ドリル（家庭用）\nバージョン %1").arg(QStringLiteral(YOJI_VERSION)),
        this);
    details->setObjectName(QStringLiteral("aboutVersion"));
    QFont detailFont = details->font();
    detailFont.setPointSize(13);
    details->setFont(detailFont);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(details);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(buttons);
}

QPoint centredPosition(const QRect& area, const QSize& boxSize)
{
    return {area.left() + (area.width() - boxSize.width()) / 2,
            area.top() + (area.height() - boxSize.height()) / 2};
}

void AboutBox::centreOverOwner()
{
    adjustSize();
    QWidget* owner = parentWidget();
    if (!owner)
        return;
    const QRect area(owner->mapToGlobal(QPoint(0, 0)), owner->size());
    move(centredPosition(area, frameGeometry().size()));
}

void AboutBox::showModal(QWidget* owner, const QString& contentName)
{
    AboutBox box(owner, contentName);
    box.centreOverOwner();
    box.exec();
}
