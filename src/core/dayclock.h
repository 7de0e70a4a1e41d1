#pragma once

#include <QTime>

// The time of day in whole seconds, to the nearest second: the form in which the moment a
// pupil was chosen is kept.
int wholeSecondsOfDay(const QTime& time);

// Whole minutes from a time of day in whole seconds to now. A start before midnight counts
// on across it, so the minutes never come out negative.
int minutesSince(int startSeconds, const QTime& now);
