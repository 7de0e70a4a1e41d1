#pragma once

#include <QString>

// A kanji the pupil did not write at the first try, with what the practice sheet prints beside it.
// It lives with the study log, whose writing records name the missed kanji, so that the writing
// drill and the map 覚えた熟語 hand the sheet the same thing.
struct MissedKanji
{
    QString kanji;
    QString idiom;
    QString reading;

    bool operator==(const MissedKanji&) const = default;
};
