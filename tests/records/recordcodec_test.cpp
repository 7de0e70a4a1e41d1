#include "records/recordcodec.h"

#include <gtest/gtest.h>

#include <limits>

TEST(RecordCodec, ReadsBackEveryFieldOfBothLayouts)
{
    ResultRecord record;
    record.date = 46122;
    record.time = 0.4166666666666667;
    record.pupilNo = 4999;
    record.itemNo = 35;
    record.result = 99999;
    record.setSchoolCode(QStringLiteral("98765"));

    const ResultRecord back =
        RecordCodec::decodeResult(RecordCodec::encodeResult(record).constData());
    EXPECT_EQ(back.date, record.date);
    EXPECT_EQ(back.time, record.time);
    EXPECT_EQ(back.pupilNo, 4999);
    EXPECT_EQ(back.itemNo, 35);
    EXPECT_EQ(back.result, 99999);
    EXPECT_EQ(back.schoolCodeText(), QStringLiteral("98765"));
    EXPECT_EQ(back.points, 0);
    EXPECT_EQ(back.value, 0);

    // Numbers a damaged or foreign record may hold come back as they are.
    record.pupilNo = -3;
    record.itemNo = std::numeric_limits<qint16>::min();
    record.result = std::numeric_limits<qint32>::min();
    QString program;
    const ResultRecord home = RecordCodec::decodeHome(
        RecordCodec::encodeHome(record, QStringLiteral("四字熟語\\")).constData(), &program);
    EXPECT_EQ(program, QStringLiteral("四字熟語\\           "));
    EXPECT_EQ(home.date, record.date);
    EXPECT_EQ(home.time, record.time);
    EXPECT_EQ(home.pupilNo, -3);
    EXPECT_EQ(home.itemNo, std::numeric_limits<qint16>::min());
    EXPECT_EQ(home.result, std::numeric_limits<qint32>::min());
    EXPECT_EQ(home.schoolCodeText(), QStringLiteral("98765"));
}

TEST(RecordCodec, NumericFieldsFollowTheLeadingNumberRule)
{
    const struct
    {
        const char* field;
        qint32 value;
    } cases[] = {{"     ", 0},  {"0    ", 0},  {"   12", 12},     {"99999", 99999},
                 {"12 34", 12}, {"-3   ", -3}, {"+7   ", 7},      {"1.5  ", 2},
                 {"2.5  ", 2},  {"abc  ", 0},  {"\0\0\0\0\0", 0}, {"7x   ", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(RecordCodec::numberField(c.field, 5), c.value) << c.field;
}

TEST(RecordCodec, FixedWidthTextsAreCutOnACharacterBoundaryAndPadded)
{
    EXPECT_EQ(RecordCodec::fixedWidthText(QString(), 5), QByteArray("     "));
    EXPECT_EQ(RecordCodec::fixedWidthText(QStringLiteral("123"), 5), QByteArray("123  "));
    EXPECT_EQ(RecordCodec::fixedWidthText(QStringLiteral("1234567"), 5), QByteArray("12345"));
    // Two bytes a kanji: "a" and two kanji fill 5 bytes; a third kanji would be split.
    EXPECT_EQ(RecordCodec::fixedWidthText(QStringLiteral("a四字熟"), 5),
              QByteArray::fromHex("618e6c8e9a"));
    EXPECT_EQ(RecordCodec::fixedWidthText(QStringLiteral("ab四字熟"), 5),
              QByteArray::fromHex("61628e6c20"));
}

TEST(RecordCodec, TheHomeProgramIsTheLastFolderNameInWindowsForm)
{
    EXPECT_EQ(RecordCodec::homeProgramName(QStringLiteral("/srv/juku/四字熟語/")),
              QStringLiteral("四字熟語\\"));
    EXPECT_EQ(RecordCodec::homeProgramName(QStringLiteral("/srv/juku/prog/../四字熟語/")),
              QStringLiteral("四字熟語\\"));
    // Longer than 20 bytes: the backslash and whatever does not fit are cut, never half a
    // character.
    ResultRecord record;
    const QString longName =
        RecordCodec::homeProgramName(QStringLiteral("/a/x一二三四五六七八九十/"));
    const QByteArray bytes = RecordCodec::encodeHome(record, longName);
    EXPECT_EQ(bytes.left(20), QByteArray::fromHex("78") +
                                  QByteArray::fromHex("88ea93f18e4f8e6c8cdc985a8eb594aa8be3") +
                                  QByteArray(" "));
}
