#pragma once

#include "core/screen.h"

#include <QLabel>
#include <QVBoxLayout>

// Stands in for a main screen that a test does not look at, so the navigator has something
// to show.
class StandInScreen : public Screen
{
public:
    explicit StandInScreen(const QString& title)
    {
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(title, this);
        label->setObjectName(QStringLiteral("standInTitle"));
        layout->addWidget(label);
    }
};
