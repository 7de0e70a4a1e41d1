#pragma once

#include <QLabel>

// A character tile of the drill screen: one large character that takes a click, with the key
// that chooses it drawn small in its corner. An empty tile is not shown. Screen readers hear
// the character.
class DrillTile : public QLabel
{
    Q_OBJECT
public:
    // role selects the look in the screen's style sheet: "kana", "kanji", "slot", "correct".
    DrillTile(const QString& objectName, const char* role, QWidget* parent);

    void setCharacter(const QString& character);
    void setKeyCaption(const QString& caption);
    const QString& keyCaption() const { return m_keyCaption; }
    bool choosable() const { return !m_keyCaption.isEmpty(); }

    // Another panel lies over the tile: it is drawn but cannot be seen.
    void setCovered(bool covered) { m_covered = covered; }
    bool isCovered() const { return m_covered; }

    // What a click does; also the press of assistive technology.
    void press();

signals:
    void clicked();

protected:
    // The press counts: pupils expect the tile to answer the moment they touch it.
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_keyCaption;
    bool m_covered = false;
};
