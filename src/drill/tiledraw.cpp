#include "drill/tiledraw.h"

#include "platform/randomsource.h"

#include <algorithm>
#include <optional>

namespace TileDraw {

namespace {

// A draw that keeps missing (a scripted or broken random source) takes the first fitting
// choice instead of trying for ever; a working source practically never gets there.
constexpr int kTriesBeforeFallback = 1000;

// Int(count × u + 1), kept inside 1..count.
int drawIndex(int count, RandomSource& random)
{
    return std::clamp(static_cast<int>(count * random.nextUnit() + 1), 1, count);
}

bool isDecoy(const QString& c, const QString& idiom, const QString& used)
{
    // An empty text counts as found, as in a text search: it never becomes a tile.
    return !c.isEmpty() && !idiom.contains(c) && !used.contains(c);
}

std::optional<QString> drawDecoy(const QStringList& idioms, const QString& idiom,
                                 const QString& used, RandomSource& random)
{
    std::optional<QString> first;
    for (const QString& source : idioms) {
        for (int p = 0; p < 2 && !first; ++p) {
            if (isDecoy(source.mid(p, 1), idiom, used))
                first = source.mid(p, 1);
        }
        if (first)
            break;
    }
    if (!first)
        return std::nullopt;
    const int count = static_cast<int>(idioms.size());
    for (int tries = 0; tries < kTriesBeforeFallback; ++tries) {
        const int q = drawIndex(count, random);
        const int p = drawIndex(2, random);
        const QString c = idioms.at(q - 1).mid(p - 1, 1);
        if (isDecoy(c, idiom, used))
            return c;
    }
    return first;
}

// A random index 1..count for which taken is false.
template <typename Taken> int drawFree(int count, RandomSource& random, Taken taken)
{
    for (int tries = 0; tries < kTriesBeforeFallback; ++tries) {
        const int i = drawIndex(count, random);
        if (!taken(i))
            return i;
    }
    for (int i = 1; i <= count; ++i) {
        if (!taken(i))
            return i;
    }
    return 0;
}

} // namespace

KanjiTiles drawKanjiTiles(const QStringList& rangeIdioms, const QStringList& otherIdioms,
                          const QString& idiom, RandomSource& random)
{
    KanjiTiles tiles;
    QString used;
    for (int i = 1; i <= 12; ++i) {
        std::optional<QString> c = drawDecoy(rangeIdioms, idiom, used, random);
        if (!c)
            c = drawDecoy(otherIdioms, idiom, used, random);
        if (!c)
            break;
        tiles[i] = *c;
        used += *c;
    }

    std::array<bool, 13> answerPlace{};
    for (int k = 0; k < 4; ++k) {
        const int place = drawFree(12, random, [&](int i) { return answerPlace[i]; });
        answerPlace[place] = true;
        tiles[place] = idiom.mid(k, 1);
    }
    return tiles;
}

KanaTiles drawKanaTiles(const QString& reading, RandomSource& random)
{
    KanaTiles tiles;
    std::array<bool, 7> readingPlace{};
    for (int k = 0; k < 4; ++k) {
        const int place = drawFree(6, random, [&](int i) { return readingPlace[i]; });
        readingPlace[place] = true;
        tiles[place] = reading.mid(k, 1);
    }

    QString used;
    const int tableSize = static_cast<int>(kKanaTable.size());
    for (int i = 1; i <= 6; ++i) {
        if (!tiles[i].isEmpty())
            continue;
        const int k = drawFree(tableSize, random, [&](int index) {
            const QString c = kKanaTable.mid(index - 1, 1);
            return reading.contains(c) || used.contains(c);
        });
        if (k == 0)
            break;
        tiles[i] = kKanaTable.mid(k - 1, 1);
        used += tiles[i];
    }
    return tiles;
}

} // namespace TileDraw
