#pragma once

#include <QLabel>

// A character tile of the drill screen: one large character that takes a click. An empty
// tile is not shown. Screen readers hear the character.
class DrillTile : public QLabel
{
    Q_OBJECT
public:
    // role selects the look in the screen's style sheet: "kana", "kanji", "slot", "correct".
    DrillTile(const QString& objectName, const char* role, QWidget* parent);

    void setCharacter(const QString& character);

signals:
    void clicked();

protected:
    // The press counts: pupils expect the tile to answer the moment they touch it.
    void mousePressEvent(QMouseEvent* event) override;
};
