#pragma once

#include "core/screen.h"

// Stands in for a main screen that is not built yet: shows the drill title and says so.
class PlaceholderScreen : public Screen
{
    Q_OBJECT
public:
    PlaceholderScreen(const QString& contentName, const QString& screenTitle,
                      QWidget* parent = nullptr);
};
