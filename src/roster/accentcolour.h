#pragma once

#include <QColor>

// A colour stored in blue-green-red byte order (accentColour) as a QColor.
inline QColor colourFromBlueGreenRed(quint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
