#include "core/listfont.h"

QFont fixedPitchListFont(int pointSize)
{
    QFont font(kFixedPitchFamily, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}
