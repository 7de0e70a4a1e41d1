#pragma once

#include <QString>

class QLabel;
class QWidget;

// A label with its element name and its own font size, the way the screens build their texts.
QLabel* newLabel(const QString& objectName, int pointSize, bool bold, QWidget* parent);
