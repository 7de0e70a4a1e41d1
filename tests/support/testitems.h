#pragma once

#include "core/sharedstate.h"

// One time-table line, given to every item of a test.
struct TestItemSettings
{
    qint32 target = 60;
    qint32 limit = 120;
    qint32 requiredScore = 30;
    qint16 requiredCount = 3;
    float multiplier = 2.0f;
    QString text6 = QStringLiteral("3");
    QString text7 = QStringLiteral("30");
    QString text8 = QStringLiteral("7");
    QString text9 = QStringLiteral("30");
};

inline void setEveryItem(SharedState& state, const TestItemSettings& settings,
                         int lastItem = kMaxItemNo)
{
    for (int i = 1; i <= lastItem; ++i) {
        state.itemTargetTime[i] = settings.target;
        state.itemLimitTime[i] = settings.limit;
        state.itemRequiredScore[i] = settings.requiredScore;
        state.itemRequiredCount[i] = settings.requiredCount;
        state.itemField5[i] = settings.multiplier;
        state.itemText6[i] = settings.text6;
        state.itemText7[i] = settings.text7;
        state.itemText8[i] = settings.text8;
        state.itemText9[i] = settings.text9;
    }
}
