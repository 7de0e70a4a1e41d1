#pragma once

#include <QString>
#include <QStringList>

#include <array>

class RandomSource;

// The draws that lay out the tiles of one question.
namespace TileDraw {

// The kana from which the two decoys of the reading panel are drawn; "そ" is in it twice.
inline const QString kKanaTable = QStringLiteral(
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん"
    "ゃゅょっばびぶべぼがぎぐげござじずぜそだぢづでどぱぴぷぺぽ");

using KanjiTiles = std::array<QString, 13>; // Label14(1..12), index 0 unused
using KanaTiles = std::array<QString, 7>;   // Label15(1..6), index 0 unused

// Twelve different decoys, each the first or second character of a random idiom of the drill
// (rangeIdioms) and none a character of idiom; then the four characters of idiom replace the
// tiles at four different random places. When the drill's idioms run out of such characters
// the draw goes on with the idioms of the other ranges (otherIdioms); when those run out too,
// the remaining tiles stay empty instead of the draw looping for ever.
KanjiTiles drawKanjiTiles(const QStringList& rangeIdioms, const QStringList& otherIdioms,
                          const QString& idiom, RandomSource& random);

// The first four characters of reading at random places of the six tiles, and two different
// decoys from kKanaTable that do not occur in reading on the others.
KanaTiles drawKanaTiles(const QString& reading, RandomSource& random);

} // namespace TileDraw
