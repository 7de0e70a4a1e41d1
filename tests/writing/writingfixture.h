#pragma once

#include "writing/stroketable.h"

#include <gtest/gtest.h>

// The program's own stroke table, loaded once for all the writing tests.
inline const StrokeTable& strokeTable()
{
    static const StrokeTable table = [] {
        StrokeTable loaded;
        const Status status = loaded.load(QStringLiteral(YOJI_STROKE_TABLE));
        EXPECT_TRUE(status.ok()) << status.message.toStdString();
        return loaded;
    }();
    return table;
}

inline Strokes strokesOf(const char* kanji)
{
    const Strokes* strokes = strokeTable().strokes(QString::fromUtf8(kanji));
    EXPECT_NE(strokes, nullptr) << kanji;
    return strokes ? *strokes : Strokes{};
}
