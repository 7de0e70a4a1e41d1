#pragma once

#include <QFont>

// The fixed-pitch Japanese font of the lists: a full-width character takes exactly two
// columns, so padded columns line up.
QFont fixedPitchListFont(int pointSize);

// The family name of that font.
inline const QString kFixedPitchFamily = QStringLiteral("IPAGothic");
