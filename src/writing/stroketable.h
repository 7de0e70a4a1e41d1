#pragma once

#include "platform/status.h"

#include <QHash>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

// One stroke is the line the pen draws, in drawing order; a kanji is its strokes in school order.
using Stroke = QList<QPointF>;
using Strokes = QList<Stroke>;

// The strokes of the kanji the writing drill asks for, read from data/strokes/strokes.txt.
class StrokeTable
{
public:
    // The table's drawings sit in a square box of this size, y pointing down.
    static constexpr double kBox = 109.0;
    // The table built into the program.
    static inline const QString kBuiltInPath = QStringLiteral(":/strokes/strokes.txt");

    Status load(const QString& path);
    Status parse(const QByteArray& text);

    // Null when the table has no strokes for the kanji.
    const Strokes* strokes(const QString& kanji) const;
    // In table order, for walks over every kanji.
    const QStringList& kanji() const { return m_kanji; }

private:
    QHash<QString, Strokes> m_strokes;
    QStringList m_kanji;
};
