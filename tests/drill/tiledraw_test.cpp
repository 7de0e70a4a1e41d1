#include "drill/drillquestions.h"
#include "drill/idiomsource.h"
#include "drill/tiledraw.h"
#include "drillfixture.h"

#include <QFile>

#include <map>

namespace {

// Fills a scripted source with a long, repeatable sequence of uniform numbers.
void fillUniform(ScriptedRandom& random, int count, quint32 seed)
{
    quint32 x = seed;
    for (int i = 0; i < count; ++i) {
        x = x * 1664525u + 1013904223u;
        random.values.push_back((x >> 8) / double(1u << 24));
    }
}

QStringList split(const QString& text)
{
    QStringList characters;
    for (const QChar c : text)
        characters << QString(c);
    return characters;
}

// The characters that may become decoys: first and second characters of these idioms.
QStringList firstTwoCharacters(const QStringList& idioms)
{
    QStringList characters;
    for (const QString& idiom : idioms)
        characters << idiom.mid(0, 1) << idiom.mid(1, 1);
    return characters;
}

// Checks one draw of kanji tiles for idiom: every character of the idiom on as many tiles
// as it occurs, the other shown tiles decoys from sources, all of them different.
void expectFairTiles(const TileDraw::KanjiTiles& tiles, const QString& idiom,
                     const QStringList& sources, int expectedShown = 12)
{
    std::map<QString, int> answerCount;
    QStringList decoys;
    int shownTiles = 0;
    for (int i = 1; i <= 12; ++i) {
        if (tiles[i].isEmpty())
            continue;
        ++shownTiles;
        if (idiom.contains(tiles[i])) {
            ++answerCount[tiles[i]];
        } else {
            EXPECT_FALSE(decoys.contains(tiles[i])) << "decoy twice: " << tiles[i].toStdString();
            EXPECT_TRUE(sources.contains(tiles[i])) << tiles[i].toStdString();
            decoys << tiles[i];
        }
    }
    EXPECT_EQ(shownTiles, expectedShown);
    for (const QString& c : split(idiom))
        EXPECT_EQ(answerCount[c], idiom.count(c)) << idiom.toStdString();
}

} // namespace

TEST(TileDraw, EveryDemoIdiomGetsItsFourCharactersAndEightForeignDecoys)
{
    QFile csv(QStringLiteral(YOJI_DATA_DIR "/idioms.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    std::vector<IdiomSource::Row> rows;
    ASSERT_TRUE(IdiomSource::parse(QString::fromUtf8(csv.readAll()), "idioms.csv", rows).ok());
    std::map<QString, QStringList> byRange;
    for (const IdiomSource::Row& row : rows)
        byRange[row.fields.at(0)] << row.fields.at(1);

    ScriptedRandom random;
    fillUniform(random, 2'000'000, 7);
    for (const auto& [range, idioms] : byRange) {
        for (const QString& idiom : idioms) {
            const TileDraw::KanjiTiles tiles = TileDraw::drawKanjiTiles(idioms, {}, idiom, random);
            expectFairTiles(tiles, idiom, firstTwoCharacters(idioms));
        }
    }
}

TEST(TileDraw, ARepeatedCharacterStandsOnTwoAnswerTilesAndIsNoDecoy)
{
    const QStringList range = {"十人十色", "一石二鳥", "以心伝心", "自業自得", "四苦八苦",
                               "半信半疑", "有名無実", "絶体絶命", "大同小異"};
    ScriptedRandom random;
    fillUniform(random, 200'000, 11);
    for (int run = 0; run < 50; ++run) {
        const TileDraw::KanjiTiles tiles =
            TileDraw::drawKanjiTiles(range, {}, QStringLiteral("十人十色"), random);
        expectFairTiles(tiles, QStringLiteral("十人十色"), firstTwoCharacters(range));
    }
}

TEST(TileDraw, DecoysAndAnswerPlacesFollowTheDraws)
{
    const QStringList range = {"一石二鳥", "自業自得", "四苦八苦", "半信半疑",
                               "有名無実", "絶体絶命", "大同小異", "右往左往"};
    ScriptedRandom random;
    // Tile i: idiom Int(8u + 1), character Int(2v + 1). Tile 2 first draws 一 (in the idiom),
    // tile 3 first draws 自 again (used).
    random.values = {0.2,  0.0,  // 自
                     0.0,  0.0,  // 一: in the idiom, drawn again
                     0.3,  0.9,  // 苦
                     0.2,  0.1,  // 自: used, drawn again
                     0.45, 0.0,  // 半
                     0.5,  0.6,  // 名
                     0.7,  0.5,  // 体
                     0.8,  0.0,  // 大
                     0.8,  0.7,  // 同
                     0.99, 0.0,  // 右
                     0.99, 0.5,  // 往
                     0.6,  0.0,  // 有
                     0.3,  0.0,  // 四
                     0.7,  0.0}; // 絶
    // Answer places Int(12u + 1): 1, then 1 again (taken), 12, 6, 7.
    for (const double u : {0.0, 0.05, 0.99, 0.45, 0.5})
        random.values.push_back(u);
    const TileDraw::KanjiTiles tiles =
        TileDraw::drawKanjiTiles(range, {}, QStringLiteral("一石二鳥"), random);
    const QStringList expected = {"",   "一", "苦", "半", "名", "体", "二",
                                  "鳥", "右", "往", "有", "四", "石"};
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(tiles[i], expected.at(i)) << i;
}

TEST(TileDraw, ARangeTooSmallForTwelveDecoysBorrowsFromTheOtherRanges)
{
    const QStringList range = {"一石二鳥", "十人十色", "以心伝心"};
    const QStringList others = {"自業自得", "四苦八苦", "半信半疑", "有名無実", "絶体絶命",
                                "大同小異", "右往左往", "千差万別", "電光石火"};
    ScriptedRandom random;
    fillUniform(random, 200'000, 3);
    for (const QString& idiom : range) {
        const TileDraw::KanjiTiles tiles = TileDraw::drawKanjiTiles(range, others, idiom, random);
        expectFairTiles(tiles, idiom, firstTwoCharacters(range + others));
    }
}

TEST(TileDraw, WithNoDecoysAnywhereTheDrawStopsWithFewerTiles)
{
    ScriptedRandom random; // gives 0 for ever: the draws must not loop on it
    const TileDraw::KanjiTiles tiles = TileDraw::drawKanjiTiles({QStringLiteral("一石二鳥")}, {},
                                                                QStringLiteral("一石二鳥"), random);
    expectFairTiles(tiles, QStringLiteral("一石二鳥"), {}, 4);

    const TileDraw::KanjiTiles few =
        TileDraw::drawKanjiTiles({QStringLiteral("一石二鳥"), QStringLiteral("十人十色")},
                                 {QStringLiteral("自業自得")}, QStringLiteral("一石二鳥"), random);
    int shownTiles = 0;
    for (int i = 1; i <= 12; ++i)
        shownTiles += few[i].isEmpty() ? 0 : 1;
    EXPECT_GE(shownTiles, 4);
    EXPECT_LE(shownTiles, 4 + 4); // 十, 人, 自, 業
}

TEST(TileDraw, KanaTilesHoldTheFirstFourOfTheReadingAndTwoForeignDecoys)
{
    ScriptedRandom random;
    fillUniform(random, 100'000, 5);
    for (const QString& reading :
         {QStringLiteral("いっせきにちょう"), QStringLiteral("いちごいちえ"),
          QStringLiteral("じごうじとく")}) {
        for (int run = 0; run < 30; ++run) {
            const TileDraw::KanaTiles tiles = TileDraw::drawKanaTiles(reading, random);
            QStringList shownTiles;
            for (int i = 1; i <= 6; ++i)
                shownTiles << tiles[i];
            for (const QString& c : split(reading.left(4))) {
                EXPECT_TRUE(shownTiles.removeOne(c)) << reading.toStdString();
            }
            ASSERT_EQ(shownTiles.size(), 2);
            EXPECT_NE(shownTiles.at(0), shownTiles.at(1));
            for (const QString& decoy : shownTiles) {
                EXPECT_FALSE(reading.contains(decoy));
                EXPECT_TRUE(TileDraw::kKanaTable.contains(decoy));
            }
        }
    }
}

TEST(TileDraw, KanaPlacesAndDecoysFollowTheDraws)
{
    ScriptedRandom random;
    // Places Int(6u + 1): 3, 3 again (taken), 1, 6, 2; decoys Int(74u + 1) from the table:
    // "い" (in the reading), "あ", "あ" again (used), "か".
    random.values = {0.4, 0.4, 0.0, 0.99, 0.2, 1.5 / 74, 0.0, 0.0, 5.5 / 74};
    const TileDraw::KanaTiles tiles = TileDraw::drawKanaTiles(QStringLiteral("いっせき"), random);
    const QStringList expected = {"", "っ", "き", "い", "あ", "か", "せ"};
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(tiles[i], expected.at(i)) << i;
}

class DrillQuestionsTest : public DrillTest
{
protected:
    DrillQuestions build(int range)
    {
        IdiomTable table;
        EXPECT_TRUE(table.loadIdiomTable(state.programFolder + kIdiomDataFileName).ok());
        DrillQuestions questions;
        questions.build(table, range);
        return questions;
    }
};

TEST_F(DrillQuestionsTest, TheRangesIdiomsBecomeTheQuestionsInFileOrder)
{
    const DrillQuestions questions = build(2);
    ASSERT_EQ(questions.questionCount(), 3);
    EXPECT_EQ(questions.question(1).idiom, QStringLiteral("一石二鳥"));
    EXPECT_EQ(questions.question(1).reading, QStringLiteral("いっせきにちょう"));
    EXPECT_EQ(questions.question(1).meaning,
              QStringLiteral("一つのことをして、同時に二つの得をすること。"));
    EXPECT_EQ(questions.question(2).idiom, QStringLiteral("十人十色"));
    EXPECT_EQ(questions.question(3).idiom, QStringLiteral("以心伝心"));
    EXPECT_EQ(questions.otherIdioms().size(), 9);
    EXPECT_EQ(build(10).questionCount(), 0);
}

TEST_F(DrillQuestionsTest, TheDrawSkipsFinishedQuestionsAndTheOneJustShown)
{
    DrillQuestions questions = build(2);
    questions.answeredRight(1);
    ScriptedRandom random;
    // Two left, question 2 just shown: 2 (just shown) and 1 (finished) are drawn again.
    random.values = {0.5, 0.1, 0.9};
    EXPECT_EQ(questions.drawNext(random, 2), 3);
    EXPECT_TRUE(random.values.empty());

    // One left, and it was just shown: it may come again.
    questions.answeredRight(3);
    random.values = {0.0, 0.4};
    EXPECT_EQ(questions.drawNext(random, 2), 2);

    questions.answeredRight(2);
    EXPECT_EQ(questions.finishedCount(), 3);
    EXPECT_EQ(questions.drawNext(random, 2), 0);
}

TEST_F(DrillQuestionsTest, ADrawThatKeepsMissingTakesTheNextEligibleQuestion)
{
    DrillQuestions questions = build(2);
    questions.answeredRight(1);
    ScriptedRandom random; // 0 for ever: always question 1, which is finished
    EXPECT_EQ(questions.drawNext(random, 2), 3);
}
