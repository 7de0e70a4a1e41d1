#include "drill/drillkeys.h"

#include "drill/drillengine.h"

#include <QtCore/qnamespace.h>

#include <array>

namespace {

constexpr std::array<char, DrillDisplay::kKanjiTiles> kKanjiKeys = {'Q', 'W', 'E', 'R', 'T', 'Y',
                                                                    'A', 'S', 'D', 'F', 'G', 'H'};

int kanjiTileOfKey(int key)
{
    for (int i = 0; i < DrillDisplay::kKanjiTiles; ++i) {
        if (key == kKanjiKeys[static_cast<size_t>(i)])
            return i + 1;
    }
    return 0;
}

// The one button that Enter stands for: the one on top of what is shown.
void pressEnter(DrillEngine& engine)
{
    const DrillDisplay& d = engine.display();
    if (d.reviewFinishVisible)
        engine.reviewMenuClicked();
    else if (d.correctionVisible)
        engine.nextClicked();
    else if (d.readingPanelVisible)
        engine.readingOkClicked();
    else if (d.showAnswerVisible)
        engine.practiceShowAnswerClicked();
    else if (d.practiceNextVisible)
        engine.practiceNextClicked();
    else
        engine.idiomOkClicked();
}

} // namespace

namespace DrillKeys {

QString kanaTileCaption(int tile)
{
    return QString::number(tile);
}

QString kanjiTileCaption(int tile)
{
    return QString(QChar::fromLatin1(kKanjiKeys.at(static_cast<size_t>(tile - 1))));
}

bool press(DrillEngine& engine, int key)
{
    if (key >= Qt::Key_1 && key < Qt::Key_1 + DrillDisplay::kKanaTiles) {
        engine.kanaTileClicked(key - Qt::Key_1 + 1);
        return true;
    }
    if (const int tile = kanjiTileOfKey(key)) {
        engine.kanjiTileClicked(tile);
        return true;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressEnter(engine);
        return true;
    case Qt::Key_Backspace:
        engine.clearOneClicked();
        return true;
    case Qt::Key_Delete:
        engine.clearAllClicked();
        return true;
    case Qt::Key_Escape:
        if (engine.display().reviewFinishVisible)
            engine.reviewMenuClicked();
        else if (engine.display().reviewBackVisible)
            engine.reviewBackClicked();
        else if (engine.display().backVisible)
            engine.practiceBackClicked();
        else
            engine.clearAllClicked();
        return true;
    case Qt::Key_V:
        engine.voiceHintClicked();
        return true;
    case Qt::Key_M:
        engine.practiceMemorisedClicked();
        return true;
    default:
        return false;
    }
}

} // namespace DrillKeys
