#include "core/codepage.h"
#include "drill/idiomcompanion.h"
#include "drill/idiomkeys.h"
#include "drill/idiomtable.h"
#include "testinstallation.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Scrambles as every writer of the file must, independent of the code under test: steps 1 up
// to 99, step i exchanging the positions named by pair i of the two keys.
QString referenceScramble(QString line)
{
    for (int i = 1; i <= 99; ++i) {
        const int p = IdiomKeys::pair(IdiomKeys::kFirst, i) - 1;
        const int q = IdiomKeys::pair(IdiomKeys::kSecond, i) - 1;
        const QChar c = line[p];
        line[p] = line[q];
        line[q] = c;
    }
    return line;
}

// A record followed by the end marker and filler (with commas) up to length characters.
QString plainLine(const QString& record, int length = 99)
{
    QString line = record + IdiomCompanion::kEndMarker;
    while (line.size() < length)
        line += QStringLiteral(",偽");
    return line.left(std::max<qsizetype>(length, record.size() + 5));
}

// length distinct characters, so that any moved character shows.
QString distinctLine(int length)
{
    QString line;
    for (int i = 0; i < length; ++i)
        line += QChar(0x4E00 + i);
    return line;
}

const QString kMeaning = QStringLiteral("一つのことをして、同時に二つの得をすること。");

} // namespace

class IdiomLoad : public ::testing::Test
{
protected:
    void writeRaw(const QString& text)
    {
        inst.writeBytes(QStringLiteral("prog/四字02vv.ccc"), CodePage::encode(text));
    }
    // Each plain line is scrambled and stored with CR LF; a line too short to scramble is
    // stored as it is.
    void writePlain(const QStringList& plainLines)
    {
        QString text;
        for (const QString& line : plainLines)
            text += (line.size() >= 99 ? referenceScramble(line) : line) + QStringLiteral("\r\n");
        writeRaw(text);
    }
    void writeRecords(const QStringList& records)
    {
        QStringList lines;
        for (const QString& record : records)
            lines << plainLine(record);
        writePlain(lines);
    }
    Status load() { return table->loadIdiomTable(dataFile()); }
    QString dataFile() const { return inst.programDir() + QStringLiteral("/四字02.CSV"); }
    QString companion() const { return inst.programDir() + QStringLiteral("/四字02vv.ccc"); }

    TestInstallation inst;
    std::unique_ptr<IdiomTable> table = std::make_unique<IdiomTable>();
};

TEST(CompanionName, ExtensionOfTheFileNameIsReplaced)
{
    const struct
    {
        QString data, companion;
    } cases[] = {
        {QStringLiteral("/x/四字熟語/四字02.CSV"), QStringLiteral("/x/四字熟語/四字02vv.ccc")},
        {QStringLiteral("/x/../a.b/四字02.CSV"), QStringLiteral("/x/../a.b/四字02vv.ccc")},
        {QStringLiteral("/x/a.b/四字02"), QStringLiteral("/x/a.b/四字02vv.ccc")},
        {QStringLiteral("/x/data.v2.csv"), QStringLiteral("/x/data.v2vv.ccc")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(companionFileName(c.data), c.companion) << c.data.toStdString();
}

TEST(Scrambling, ExchangesOnlyTheFirst99CharactersAndIsUndone)
{
    for (const int length : {99, 100, 150}) {
        const QString original = distinctLine(length);
        QString line = original;
        IdiomCompanion::scramble(line);
        EXPECT_EQ(line, referenceScramble(original)) << length;
        EXPECT_NE(line.left(99), original.left(99)) << length;
        EXPECT_EQ(line.mid(99), original.mid(99)) << length;
        IdiomCompanion::descramble(line);
        EXPECT_EQ(line, original) << length;
    }
}

TEST_F(IdiomLoad, ThreeLinesGiveTheirFieldsAndNothingElse)
{
    writeRecords({QStringLiteral("3,一石二鳥,いっせきにちょう,") + kMeaning,
                  QStringLiteral("1,十人十色,じゅうにんといろ,人それぞれ。"),
                  QStringLiteral("10,画竜点睛,がりょうてんせい,仕上げ。")});
    ASSERT_TRUE(load().ok());
    EXPECT_EQ(table->idiomLineCount(), 3);
    EXPECT_EQ(table->field(1, IdiomTable::Range), QStringLiteral("3"));
    EXPECT_EQ(table->field(1, IdiomTable::Idiom), QStringLiteral("一石二鳥"));
    EXPECT_EQ(table->field(1, IdiomTable::Reading), QStringLiteral("いっせきにちょう"));
    EXPECT_EQ(table->field(1, IdiomTable::Meaning), kMeaning);
    EXPECT_EQ(table->field(3, IdiomTable::Idiom), QStringLiteral("画竜点睛"));
    // The filler ",偽,偽..." behind the marker never becomes a field.
    for (int line = 1; line <= 3; ++line)
        EXPECT_TRUE(table->field(line, 5).isEmpty()) << line;
    EXPECT_TRUE(table->field(4, IdiomTable::Range).isEmpty());
}

TEST_F(IdiomLoad, FieldsAreSplitAtEveryComma)
{
    writePlain({plainLine(QStringLiteral("3,一石二鳥,,意味")),
                plainLine(QStringLiteral("コンマのない行")), plainLine(QStringLiteral("a,b,")),
                plainLine(QStringLiteral(",")),
                // Only the first marker counts: a second one belongs to the filler.
                QStringLiteral("4,x") + IdiomCompanion::kEndMarker + QStringLiteral(",y") +
                    IdiomCompanion::kEndMarker + QString(90, u'z')});
    ASSERT_TRUE(load().ok());
    EXPECT_TRUE(table->field(1, 3).isEmpty());
    EXPECT_EQ(table->field(1, 4), QStringLiteral("意味"));
    EXPECT_EQ(table->field(2, 1), QStringLiteral("コンマのない行"));
    EXPECT_TRUE(table->field(2, 2).isEmpty());
    EXPECT_EQ(table->field(3, 2), QStringLiteral("b"));
    EXPECT_TRUE(table->field(3, 3).isEmpty());
    EXPECT_TRUE(table->field(4, 1).isEmpty());
    EXPECT_TRUE(table->field(4, 2).isEmpty());
    EXPECT_EQ(table->field(5, 2), QStringLiteral("x"));
    EXPECT_TRUE(table->field(5, 3).isEmpty());
}

TEST_F(IdiomLoad, WrittenLinesOf99AndMoreCharactersComeBackExactly)
{
    // Record plus marker of exactly 99 characters (no filler) and of 140 characters.
    const QString prefix = QStringLiteral("2,一心同体,いっしんどうたい,");
    const QString exact = prefix + QString(94 - prefix.size(), u'あ');
    const QString longer = QStringLiteral("9,千変万化,せんぺんばんか,") + QString(120, u'い');
    ASSERT_EQ((exact + IdiomCompanion::kEndMarker).size(), 99);
    const std::vector<QStringList> records = {
        exact.split(u','), longer.split(u','), {QStringLiteral("1"), QStringLiteral("短")}};
    bool ok = false;
    inst.writeBytes(QStringLiteral("prog/四字02vv.ccc"), IdiomCompanion::fileBytes(records, &ok));
    ASSERT_TRUE(ok);
    ASSERT_TRUE(load().ok());
    ASSERT_EQ(table->idiomLineCount(), 3);
    for (int line = 1; line <= 3; ++line) {
        const QStringList& fields = records[line - 1];
        for (int f = 1; f <= fields.size(); ++f)
            EXPECT_EQ(table->field(line, f), fields.at(f - 1)) << line << "," << f;
        EXPECT_TRUE(table->field(line, static_cast<int>(fields.size()) + 1).isEmpty()) << line;
    }
}

TEST_F(IdiomLoad, SecondLoadGivesTheSameTable)
{
    writeRecords(
        {QStringLiteral("1,一石二鳥,いっせきにちょう,") + kMeaning, QStringLiteral("2,a,,c,,e")});
    ASSERT_TRUE(load().ok());
    IdiomTable first = *table;
    ASSERT_TRUE(load().ok());
    EXPECT_EQ(table->idiomLineCount(), first.idiomLineCount());
    for (int line = 0; line <= 3; ++line) {
        for (int f = 0; f <= 7; ++f)
            EXPECT_EQ(table->field(line, f), first.field(line, f)) << line << "," << f;
    }
}

TEST_F(IdiomLoad, ShorterRecordNeverShowsFieldsOfAnEarlierLoad)
{
    writeRecords({QStringLiteral("1,一石二鳥,いっせきにちょう,") + kMeaning,
                  QStringLiteral("1,十人十色,じゅうにんといろ,人それぞれ。")});
    ASSERT_TRUE(load().ok());
    writeRecords({QStringLiteral("2,四苦八苦")});
    ASSERT_TRUE(load().ok());
    EXPECT_EQ(table->idiomLineCount(), 1);
    EXPECT_EQ(table->field(1, IdiomTable::Idiom), QStringLiteral("四苦八苦"));
    EXPECT_TRUE(table->field(1, IdiomTable::Reading).isEmpty());
    EXPECT_TRUE(table->field(1, IdiomTable::Meaning).isEmpty());
}

TEST_F(IdiomLoad, LineEndsAreCrLfOrLfAndTheLastMayHaveNone)
{
    const QString a = referenceScramble(plainLine(QStringLiteral("1,a")));
    const QString b = referenceScramble(plainLine(QStringLiteral("2,b")));
    for (const QString& text : {a + QStringLiteral("\r\n") + b, a + u'\n' + b + u'\n'}) {
        writeRaw(text);
        ASSERT_TRUE(load().ok());
        EXPECT_EQ(table->idiomLineCount(), 2);
        EXPECT_EQ(table->field(2, 2), QStringLiteral("b"));
    }
    writeRaw(QString());
    ASSERT_TRUE(load().ok());
    EXPECT_EQ(table->idiomLineCount(), 0);
}

TEST_F(IdiomLoad, ThousandLinesAndHundredFieldsFit)
{
    QStringList records;
    for (int i = 1; i <= 1000; ++i)
        records << QStringLiteral("%1,x").arg(i);
    QStringList hundred;
    for (int f = 1; f <= 100; ++f)
        hundred << QString::number(f);
    records[999] = hundred.join(u',');
    writeRecords(records);
    ASSERT_TRUE(load().ok());
    EXPECT_EQ(table->idiomLineCount(), 1000);
    EXPECT_EQ(table->field(999, 1), QStringLiteral("999"));
    EXPECT_EQ(table->field(1000, 100), QStringLiteral("100"));
}

TEST_F(IdiomLoad, FaultsComeBackAsErrorsAndKeepTheEarlierTable)
{
    QStringList tooMany;
    for (int i = 1; i <= 1001; ++i)
        tooMany << plainLine(QStringLiteral("1,x"));
    QStringList fields;
    for (int f = 1; f <= 101; ++f)
        fields << QString::number(f);
    const struct
    {
        const char* name;
        QStringList plainLines; // empty: no file at all
        int code;
    } cases[] = {
        {"missing file", {}, IdiomCompanion::CannotOpen},
        {"1001 lines", tooMany, IdiomCompanion::TooManyLines},
        {"98 characters",
         {plainLine(QStringLiteral("1,a")), plainLine(QStringLiteral("1,b"), 98)},
         IdiomCompanion::LineTooShort},
        {"empty line",
         {plainLine(QStringLiteral("1,a")), QString(), plainLine(QStringLiteral("1,b"))},
         IdiomCompanion::LineTooShort},
        {"no end marker",
         {plainLine(QStringLiteral("1,a")), QString(120, u'x')},
         IdiomCompanion::NoEndMarker},
        {"101 fields",
         {plainLine(QStringLiteral("1,a")), plainLine(fields.join(u','))},
         IdiomCompanion::TooManyFields},
    };
    for (const auto& c : cases) {
        table = std::make_unique<IdiomTable>();
        writeRecords({QStringLiteral("5,以心伝心,いしんでんしん,伝わる。"),
                      QStringLiteral("5,一期一会,いちごいちえ,一度だけ。")});
        ASSERT_TRUE(load().ok());
        if (c.plainLines.isEmpty())
            inst.remove(QStringLiteral("prog/四字02vv.ccc"));
        else
            writePlain(c.plainLines);

        const Status status = load();
        EXPECT_EQ(status.code, c.code) << c.name;
        EXPECT_TRUE(status.message.contains(companion())) << c.name;
        EXPECT_EQ(table->idiomLineCount(), 2) << c.name;
        EXPECT_EQ(table->field(1, IdiomTable::Idiom), QStringLiteral("以心伝心")) << c.name;
        EXPECT_EQ(table->field(2, IdiomTable::Meaning), QStringLiteral("一度だけ。")) << c.name;
    }
}

TEST(IdiomTableAccess, IndexesOutsideTheTableGiveAnEmptyText)
{
    const IdiomTable table;
    EXPECT_TRUE(table.field(-1, 1).isEmpty());
    EXPECT_TRUE(table.field(1001, 1).isEmpty());
    EXPECT_TRUE(table.field(1, 101).isEmpty());
    EXPECT_TRUE(table.field(1, -1).isEmpty());
}
