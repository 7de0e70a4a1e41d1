#pragma once

#include <QPixmap>

// The drill's icon: "四字" on a dark blue-green tile, size × size pixels.
QPixmap drillIcon(int size);
