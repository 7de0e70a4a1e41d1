#include "drill/idiomcompanion.h"
#include "drill/idiomsource.h"
#include "drill/idiomtable.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const QString kValidLine =
    QStringLiteral("1,一石二鳥,いっせきにちょう,一つのことで二つの得をすること。");

Status parse(const QString& text, std::vector<IdiomSource::Row>& rows)
{
    return IdiomSource::parse(text, QStringLiteral("表.csv"), rows);
}

std::vector<IdiomSource::Row> rowsOf(const QStringList& lines)
{
    std::vector<IdiomSource::Row> rows;
    const Status status = parse(lines.join(u'\n'), rows);
    EXPECT_TRUE(status.ok()) << status.message.toStdString();
    return rows;
}

} // namespace

TEST(IdiomSourceParse, RefusesWhatCannotBeStoredAndNamesTheLine)
{
    const struct
    {
        QString line;
        QString problem; // a part of the message
    } cases[] = {
        {QStringLiteral("1,一石二鳥,いっせきにちょう,\"一つ, 二つ\""), QStringLiteral("コンマ")},
        {QStringLiteral("1,一石二鳥,いっせきにちょう,一つ,二つ"), QStringLiteral("5個")},
        {QStringLiteral("1,一石二鳥,いっせきにちょう"), QStringLiteral("3個")},
        {QStringLiteral("1,一石二,いっせきに,意味"), QStringLiteral("四字熟語は4文字")},
        {QStringLiteral("1,一石二鳥鳥,いっせきに,意味"), QStringLiteral("四字熟語は4文字")},
        {QStringLiteral("1,一石二鳥,いっせ,意味"), QStringLiteral("読みはひらがな")},
        {QStringLiteral("1,一石二鳥,イッセキニチョウ,意味"), QStringLiteral("読みはひらがな")},
        {QStringLiteral("1,一石二鳥,いっせき にちょう,意味"), QStringLiteral("読みはひらがな")},
        {QStringLiteral("0,一石二鳥,いっせきにちょう,意味"), QStringLiteral("範囲は1から10")},
        {QStringLiteral("11,一石二鳥,いっせきにちょう,意味"), QStringLiteral("範囲は1から10")},
        {QStringLiteral("一,一石二鳥,いっせきにちょう,意味"), QStringLiteral("範囲は1から10")},
        {QStringLiteral(",一石二鳥,いっせきにちょう,意味"), QStringLiteral("範囲は1から10")},
        {QStringLiteral("1,一石二鳥,いっせきにちょう,"), QStringLiteral("意味がありません")},
        {QStringLiteral("1,一石二鳥,いっせきにちょう,意味한"), QStringLiteral("「한」")},
        {QStringLiteral("1,一石二鳥,いっせきにちょう,意味😀"), QStringLiteral("文字コード")},
        {QStringLiteral("1,一石二鳥,いっせきにちょう,意味／ｅｎｄ／"),
         QStringLiteral("使えません")},
        {QStringLiteral("1,一石二鳥,いっせきにちょう,\"意味"), QStringLiteral("引用符")},
    };
    for (const auto& c : cases) {
        std::vector<IdiomSource::Row> rows;
        const Status status =
            parse(QStringLiteral("# 範囲1\n") + kValidLine + u'\n' + c.line, rows);
        EXPECT_FALSE(status.ok()) << c.line.toStdString();
        EXPECT_TRUE(status.message.startsWith(QStringLiteral("表.csv の3行目：")))
            << status.message.toStdString();
        EXPECT_TRUE(status.message.contains(c.problem)) << status.message.toStdString();
        EXPECT_TRUE(rows.empty()) << c.line.toStdString();
    }
}

TEST(IdiomSourceParse, AcceptsQuotesCommentsAndWindowsLineEnds)
{
    std::vector<IdiomSource::Row> rows;
    const QString text =
        QChar(0xFEFF) + QStringLiteral("# 見出し\r\n\r\n") + kValidLine +
        QStringLiteral("\r\n03,\"十人十色\",じゅうにんといろ,\"好みは\"\"人\"\"それぞれ。\"\r\n"
                       "10,正々堂々,せいせいどうどう,態度が正しく立派なこと。");
    const Status status = parse(text, rows);
    ASSERT_TRUE(status.ok()) << status.message.toStdString();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].sourceLine, 3);
    EXPECT_EQ(rows[0].fields.at(3), QStringLiteral("一つのことで二つの得をすること。"));
    EXPECT_EQ(rows[1].fields, (QStringList{QStringLiteral("3"), QStringLiteral("十人十色"),
                                           QStringLiteral("じゅうにんといろ"),
                                           QStringLiteral("好みは\"人\"それぞれ。")}));
    EXPECT_EQ(rows[2].fields.at(1), QStringLiteral("正々堂々"));
}

TEST(IdiomSourceParse, AThousandIdiomsFitAndTheNextIsRefused)
{
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines << kValidLine;
    std::vector<IdiomSource::Row> rows;
    ASSERT_TRUE(parse(lines.join(u'\n'), rows).ok());
    EXPECT_EQ(rows.size(), 1000u);

    lines << kValidLine;
    rows.clear();
    const Status status = parse(lines.join(u'\n'), rows);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message.contains(QStringLiteral("1001行目")))
        << status.message.toStdString();
    EXPECT_TRUE(rows.empty());
}

TEST(IdiomSourceSet, DecoysAreFirstAndSecondCharactersOutsideTheIdiom)
{
    const QStringList range = {QStringLiteral("一石二鳥"), QStringLiteral("一期一会"),
                               QStringLiteral("十人十色"), QStringLiteral("石橋叩渡")};
    // 一 石 一 期 十 人 石 橋, without 一 石 二 鳥: 期 十 人 橋.
    EXPECT_EQ(IdiomSource::decoyCount(range, QStringLiteral("一石二鳥")), 4);
    // Without 十 人 色: 一 石 期 橋.
    EXPECT_EQ(IdiomSource::decoyCount(range, QStringLiteral("十人十色")), 4);
}

TEST(IdiomSourceSet, NamesDuplicatesSharedVoiceFilesAndThinRanges)
{
    const std::vector<IdiomSource::Row> rows = rowsOf({
        QStringLiteral("1,一石二鳥,いっせきにちょう,意味"),
        QStringLiteral("1,十人十色,じゅうにんといろ,意味"),
        QStringLiteral("1,一石二鳥,いっせきにちょう,別の意味"),
        QStringLiteral("1,十人十人,じゅうにんじゅうにん,意味"),
    });
    const QString problems = IdiomSource::setProblems(rows).join(u'\n');
    EXPECT_TRUE(problems.contains(QStringLiteral("3行目：「一石二鳥」は1行目にもあります")))
        << problems.toStdString();
    EXPECT_TRUE(problems.contains(QStringLiteral("4行目：「十人十人」は2行目の「十人十色」")))
        << problems.toStdString();
    EXPECT_TRUE(problems.contains(QStringLiteral("範囲1")) &&
                problems.contains(QStringLiteral("12枚")))
        << problems.toStdString();
}

TEST(IdiomSourceSet, SixDifferentStartsAreNotEnoughTwelveAre)
{
    // Seven idioms with fourteen different first/second characters leave twelve decoys for
    // each; without the seventh each leaves only ten.
    QStringList lines;
    const QString starts = QStringLiteral("甲乙丙丁戊己庚辛壬癸子丑寅卯");
    for (int i = 0; i < 7; ++i)
        lines << QStringLiteral("2,%1%2終了,おわりです,意味")
                     .arg(starts.at(2 * i))
                     .arg(starts.at(2 * i + 1));
    EXPECT_TRUE(IdiomSource::setProblems(rowsOf(lines)).isEmpty());
    lines.removeLast();
    EXPECT_EQ(IdiomSource::setProblems(rowsOf(lines)).size(), 6);
}

TEST(IdiomSourceWrite, CompanionFileReadsBackAsTheTable)
{
    QTemporaryDir dir;
    const std::vector<IdiomSource::Row> rows = rowsOf(
        {kValidLine,
         QStringLiteral("4,竜頭蛇尾,りゅうとうだび,初めは勢いがよいが、終わりはふるわないこと。")});
    const QString path = dir.path() + QStringLiteral("/四字02vv.ccc");
    ASSERT_TRUE(IdiomSource::writeCompanionFile(rows, path).ok());

    std::vector<QStringList> records;
    ASSERT_TRUE(IdiomCompanion::readRecords(path, records).ok());
    EXPECT_EQ(
        IdiomSource::toText(records),
        kValidLine +
            QStringLiteral(
                "\n4,竜頭蛇尾,りゅうとうだび,初めは勢いがよいが、終わりはふるわないこと。\n"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 2);
    EXPECT_FALSE(bytes.contains("\n\n"));
}

TEST(IdiomSourceWrite, AFolderThatCannotBeWrittenLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/なし/四字02vv.ccc");
    const Status status = IdiomSource::writeCompanionFile(rowsOf({kValidLine}), path);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message.contains(path));
    EXPECT_FALSE(QFile::exists(path));
}

// The idioms of the demo installation, written and loaded as the demo build does.
TEST(DemoIdioms, TenRangesOfTwentyWithFourFieldsAndTwelveDecoys)
{
    QFile csv(QStringLiteral(YOJI_DATA_DIR "/idioms.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    std::vector<IdiomSource::Row> rows;
    const Status parsed = parse(QString::fromUtf8(csv.readAll()), rows);
    ASSERT_TRUE(parsed.ok()) << parsed.message.toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(
        IdiomSource::writeCompanionFile(rows, dir.path() + QStringLiteral("/四字02vv.ccc")).ok());

    auto table = std::make_unique<IdiomTable>();
    ASSERT_TRUE(table->loadIdiomTable(dir.path() + u'/' + kIdiomDataFileName).ok());
    const int count = table->idiomLineCount();
    EXPECT_GE(count, 200);

    std::map<int, QStringList> idiomsByRange;
    QSet<QString> idioms;
    QSet<QString> stems;
    for (int line = 1; line <= count; ++line) {
        for (int f = 1; f <= 4; ++f)
            EXPECT_FALSE(table->field(line, f).isEmpty()) << line << "," << f;
        EXPECT_TRUE(table->field(line, 5).isEmpty()) << line;
        const QString& idiom = table->field(line, IdiomTable::Idiom);
        EXPECT_EQ(idiom.size(), 4) << line;
        EXPECT_FALSE(idioms.contains(idiom)) << idiom.toStdString();
        EXPECT_FALSE(stems.contains(idiom.left(3))) << idiom.toStdString();
        idioms.insert(idiom);
        stems.insert(idiom.left(3));
        idiomsByRange[table->field(line, IdiomTable::Range).toInt()] << idiom;
    }
    ASSERT_EQ(idiomsByRange.size(), 10u);
    for (const auto& [range, rangeIdioms] : idiomsByRange) {
        EXPECT_TRUE(range >= 1 && range <= 10) << range;
        EXPECT_GE(rangeIdioms.size(), 20) << "range " << range;
        for (const QString& idiom : rangeIdioms)
            EXPECT_GE(IdiomSource::decoyCount(rangeIdioms, idiom), 12) << idiom.toStdString();
    }
}
