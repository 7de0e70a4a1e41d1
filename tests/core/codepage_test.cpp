#include "core/codepage.h"
#include "core/fieldreader.h"

#include <QStringList>

#include <gtest/gtest.h>

// Characters whose mapping differs between Shift-JIS tables, and ones whose second byte is a
// backslash (0x5C): a wrong table or a byte-wise parser changes them.
TEST(CodePage, RoundTripKeepsEveryByteAndCharacter)
{
    const QString text = QStringLiteral("～－￢＼∥①Ⅲ髙表ソ能");
    const QByteArray expected = QByteArray::fromHex("8160817c81ca815f816187408756fbfc955c835c945c");
    bool ok = false;
    const QByteArray bytes = CodePage::encode(text, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(bytes.toHex(), expected.toHex());
    EXPECT_EQ(CodePage::decode(bytes), text);
}

// Qt's own table trades 0x1A, 0x1C and 0x7F for one another; the code page keeps every byte
// below 0x80 as its own character, beside double-byte characters too.
TEST(CodePage, BytesBelow0x80AreTheirOwnCharactersInBothDirections)
{
    QByteArray bytes;
    QString text;
    for (int b = 0; b < 0x80; ++b) {
        bytes += static_cast<char>(b);
        text += QChar(b);
    }
    bytes += QByteArray::fromHex("955c7f835c1a");
    text += QStringLiteral("表\x7fソ\x1a");
    EXPECT_EQ(CodePage::decode(bytes), text);
    bool ok = false;
    EXPECT_EQ(CodePage::encode(text, &ok).toHex(), bytes.toHex());
    EXPECT_TRUE(ok);
    // A lead byte cut off by a control byte is not joined to the byte after it.
    EXPECT_TRUE(CodePage::decode(QByteArray("\x81\x7f\x40")).endsWith(QStringLiteral("\x7f@")));
}

TEST(CodePage, CharacterOutsideTheCodePageIsReported)
{
    bool ok = true;
    CodePage::encode(QStringLiteral("漢字한"), &ok);
    EXPECT_FALSE(ok);
}

TEST(FieldReader, SplitsAtCommasAndLineEndsAndKeepsQuotedCommas)
{
    FieldReader reader(CodePage::encode(QStringLiteral(
        "1,\"山田, 太郎\" , abc\t,\r\n  two words  ,\"\"\n,last")));
    QStringList values;
    while (!reader.atEnd())
        values << reader.readValue();
    EXPECT_EQ(values, (QStringList{QStringLiteral("1"), QStringLiteral("山田, 太郎"),
                                   QStringLiteral("abc"), QString(), QStringLiteral("two words"),
                                   QString(), QString(), QStringLiteral("last")}));
    EXPECT_FALSE(reader.pastEnd());
}

TEST(FieldReader, ReadingPastTheEndIsFlagged)
{
    FieldReader reader(QByteArray("a\r\n\r\n"));
    EXPECT_EQ(reader.readValue(), QStringLiteral("a"));
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readValue(), QString());
    EXPECT_TRUE(reader.pastEnd());
}

TEST(FieldReader, ACommaBeforeTheEndGivesOneMoreEmptyValueAsInTheMiddle)
{
    const auto values = [](const char* bytes) {
        FieldReader reader{QByteArray(bytes)};
        QStringList read;
        while (!reader.atEnd())
            read << reader.readValue();
        return read;
    };
    const QStringList aAndEmpty{QStringLiteral("a"), QString()};
    EXPECT_EQ(values("a,\r\nb").mid(0, 2), aAndEmpty);
    EXPECT_EQ(values("a,"), aAndEmpty);
    EXPECT_EQ(values("a,\r\n"), aAndEmpty);
    EXPECT_EQ(values("a, \r\n\r\n"), aAndEmpty);
    EXPECT_EQ(values("a\r\n"), QStringList{QStringLiteral("a")});
}

// Older editors end a file with Ctrl-Z; nothing after it is read.
TEST(FieldReader, ReadsControlBytesAsWrittenAndStopsAtCtrlZ)
{
    for (const char* end : {"\r\n\x1a", "\x1a", "\r\n\x1a\x1a\r\nmore,values"}) {
        FieldReader reader(QByteArray("a\x1c,\"b\x7f\"\r\n1,2") + end);
        QStringList values;
        while (!reader.atEnd())
            values << reader.readValue();
        EXPECT_EQ(values, (QStringList{QStringLiteral("a\x1c"), QStringLiteral("b\x7f"),
                                       QStringLiteral("1"), QStringLiteral("2")}))
            << QByteArray(end).toHex().constData();
    }
}

TEST(FieldReader, LeadingNumberRule)
{
    const struct
    {
        const char* text;
        double value;
    } cases[] = {{"42", 42},   {"  -7.5xyz", -7.5}, {"1.15", 1.15}, {"+3", 3}, {".5", 0.5},
                 {"abc", 0},   {"", 0},             {"-", 0},       {"12a45", 12},
                 {"00000", 0}, {"12345名前", 12345}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(FieldReader::leadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}
