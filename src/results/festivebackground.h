#pragma once

#include <QPixmap>
#include <QSize>

// The finish screen's background picture: a bright sky with a garland of flags along the top
// and confetti, the same every time. Drawn at the given size, so it stays sharp when the
// window is enlarged.
QPixmap festiveBackground(const QSize& size);
