#include "writingfixture.h"

#include <QFile>
#include <QTemporaryDir>

// The drill asks for every kanji of the idiom file, so the table must have each of them.
TEST(StrokeTableTest, TheTableHasEveryIdiomKanjiInSchoolOrder)
{
    QFile idioms(QStringLiteral(YOJI_DATA_DIR "/idioms.csv"));
    ASSERT_TRUE(idioms.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(idioms.readAll()).split(u'\n')) {
        const QStringList fields = line.split(u',');
        if (line.startsWith(u'#') || fields.size() < 2)
            continue;
        for (const QChar kanji : fields[1])
            EXPECT_NE(strokeTable().strokes(kanji), nullptr) << fields[1].toStdString();
    }
    // 木: the horizontal first, drawn left to right; the vertical second, drawn downwards.
    const Strokes tree = strokesOf("木");
    ASSERT_EQ(tree.size(), 4);
    EXPECT_LT(tree[0].front().x(), tree[0].back().x());
    EXPECT_LT(tree[1].front().y(), tree[1].back().y());
}

// A missing or damaged table is a message for the pupil to pass on, not a crash or a half table.
TEST(StrokeTableTest, AMissingOrDamagedTableGivesAMessage)
{
    QTemporaryDir dir;
    StrokeTable table;
    const Status missing = table.load(dir.filePath(QStringLiteral("strokes.txt")));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.message.contains(QStringLiteral("書き順のデータ")));

    ASSERT_TRUE(table.parse("# comment\n三\t10,20 98,20 | 20,50 90,50 | 10,90 98,90\n").ok());
    for (const char* damaged :
         {"一\t10,50 98,50\n二\t10,x 98,40\n", "一\t10,50 98,50\n二\n",
          "一\t10,50 98,50\n二\t10,40 98,40 | \n", "一\t10,50 98,50\n二\t10,40 298,40\n",
          "一\t10,50 98,50\n一\t10,50 98,50\n"}) {
        const Status status = table.parse(damaged);
        EXPECT_FALSE(status.ok()) << damaged;
        EXPECT_TRUE(status.message.contains(QStringLiteral("2行目"))) << damaged;
    }
    EXPECT_FALSE(table.parse("# only a comment\n").ok());
    EXPECT_NE(table.strokes(QStringLiteral("三")), nullptr); // the good table stays whole
    EXPECT_EQ(table.strokes(QStringLiteral("一")), nullptr);
}
