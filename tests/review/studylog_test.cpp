#include "invalidstudyrecords.h"
#include "review/crc32c.h"
#include "review/pupilstudy.h"
#include "review/studylogrecord.h"
#include "studylogfixture.h"

#include <QFile>

TEST_F(StudyLogTest, EventsAreStoredFieldByFieldAndReadBack)
{
    StudyEvent event = answer(4321, QStringLiteral("臥薪嘗胆"), day1, false);
    event.secondOfDay = 86399;
    event.drill = StudyDrill::Review;
    event.itemNo = 13;
    event.wrongReadings = 300; // saturates
    event.readingGivenAway = true;
    event.seconds = 70000; // saturates
    append(event);

    const QByteArray data = bytes();
    ASSERT_EQ(data.size(), 64);
    EXPECT_EQ(data.left(8), QByteArray("YJSTUDY\0", 8));
    const char* r = data.constData() + 32;
    EXPECT_EQ(getLittleEndian<qint32>(r), 46364); // 2026-12-08 from 1899-12-30
    EXPECT_EQ(StudyLogRecord::pupilOf(r), 4321);
    EXPECT_EQ(QByteArray(r + 10, 2), QByteArray("\xe5\x81", 2)); // 臥 U+81E5, little-endian
    EXPECT_EQ(QByteArray(r + 18, 7), QByteArray("\x06\x02\x0d\xff\x03\xff\xff", 7));

    StudyLogReader reader;
    ASSERT_TRUE(reader.open(logPath()).ok());
    const StudyLogEntry* entry = reader.next();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->recordNo, 1);
    EXPECT_TRUE(entry->checksumOk);
    EXPECT_EQ(entry->event.date, day1);
    EXPECT_EQ(entry->event.secondOfDay, 86399);
    EXPECT_EQ(entry->event.idiom, QStringLiteral("臥薪嘗胆"));
    EXPECT_EQ(entry->event.drill, StudyDrill::Review);
    EXPECT_EQ(entry->event.wrongReadings, 255);
    EXPECT_TRUE(entry->event.wrongIdiom && entry->event.readingGivenAway);
    EXPECT_FALSE(entry->event.struckAsKnown);
    EXPECT_EQ(entry->event.seconds, 65535);
    EXPECT_EQ(reader.next(), nullptr);
}

TEST(Crc32cTest, InstructionAndTablesGiveTheStandardChecksum)
{
    EXPECT_EQ(Crc32c::checksum("123456789", 9), 0xE3069283u);
    EXPECT_EQ(Crc32c::portable("123456789", 9), 0xE3069283u);
    QByteArray bytes;
    for (int length = 0; length <= 40; ++length) {
        EXPECT_EQ(Crc32c::checksum(bytes.constData(), length),
                  Crc32c::portable(bytes.constData(), length))
            << length;
        bytes.append(char(length * 37 + 11));
    }
}

TEST_F(StudyLogTest, EventsThatCannotBeStoredAreRefused)
{
    for (const QString& idiom : {QStringLiteral("臥薪嘗"), QStringLiteral("臥薪嘗胆胆"),
                                 QStringLiteral("𠮷薪嘗")}) // a surrogate pair
        EXPECT_FALSE(writer.append(logPath(), answer(1, idiom, day1)).ok());
    EXPECT_FALSE(writer.append(logPath(), answer(5001, QStringLiteral("臥薪嘗胆"), day1)).ok());
    StudyEvent noRange = answer(1, QStringLiteral("臥薪嘗胆"), day1);
    noRange.range = 11;
    EXPECT_FALSE(writer.append(logPath(), noRange).ok());
    // Nothing that readers would skip: dates outside 2000..9999, a practice walk's answer.
    for (const QDate& date : {QDate(1999, 12, 31), QDate(10000, 1, 1)})
        EXPECT_FALSE(writer.append(logPath(), answer(1, QStringLiteral("臥薪嘗胆"), date)).ok());
    StudyEvent practice = answer(1, QStringLiteral("臥薪嘗胆"), day1);
    practice.drill = StudyDrill::Practice;
    EXPECT_FALSE(writer.append(logPath(), practice).ok());
    EXPECT_TRUE(bytes().isEmpty());
    // The edges of every field are values the program writes: the readers take them all.
    for (const QDate& date : {QDate(2000, 1, 1), QDate(9999, 12, 31)})
        append(answer(1, QStringLiteral("臥薪嘗胆"), date));
    StudyEvent edge = answer(1, QStringLiteral("臥薪嘗胆"), day1);
    for (const auto& [range, second] : {std::pair{1, 0}, {10, 86399}}) {
        edge.range = range;
        edge.secondOfDay = second;
        append(edge);
    }
    StudyLogReader reader;
    ASSERT_TRUE(reader.open(logPath()).ok());
    int taken = 0;
    while (const StudyLogEntry* entry = reader.next())
        taken += entry->fault ? 0 : 1;
    EXPECT_EQ(taken, 4);
}

TEST_F(StudyLogTest, MissingFileIsAnEmptyLog)
{
    StudyLogReader reader;
    EXPECT_TRUE(reader.open(logPath()).ok());
    EXPECT_EQ(reader.next(), nullptr);
    PupilStudy study(1);
    EXPECT_TRUE(study.load(logPath()).ok());
    EXPECT_FALSE(study.hasAnswers());
    EXPECT_FALSE(QFile::exists(logPath()));
}

TEST_F(StudyLogTest, HeaderOfAnotherVersionIsRefusedWithAMessage)
{
    append(answer(1, QStringLiteral("臥薪嘗胆"), day1));
    QByteArray data = bytes();
    QByteArray header = StudyLogRecord::header();
    header[8] = 2; // version 2, resealed
    putLittleEndian<quint32>(header.data() + 28, Crc32c::checksum(header.constData(), 28));
    writeBytes(header + data.mid(32));

    StudyLogReader reader;
    const Status status = reader.open(logPath());
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message.contains(QStringLiteral("別の形式（版 2）")))
        << status.message.toStdString();
    EXPECT_EQ(reader.next(), nullptr);
    EXPECT_FALSE(PupilStudy(1).load(logPath()).ok());
    // Nor does a writer add to it.
    EXPECT_FALSE(writer.append(logPath(), answer(1, QStringLiteral("臥薪嘗胆"), day1)).ok());
    EXPECT_EQ(bytes().size(), 64);
}

TEST_F(StudyLogTest, EachHeaderFaultHasItsOwnMessage)
{
    const auto header = [](int offset, quint16 value, bool reseal = true) {
        QByteArray record = StudyLogRecord::header();
        putLittleEndian<quint16>(record.data() + offset, value);
        if (reseal)
            putLittleEndian<quint32>(record.data() + 28, Crc32c::checksum(record.constData(), 28));
        return record;
    };
    const std::pair<QByteArray, QString> cases[] = {
        {header(0, 'X'), QStringLiteral("学習記録のファイルではありません")},
        {header(12, 1, false), QStringLiteral("チェックサムが合いません")},
        {header(8, 2), QStringLiteral("別の形式（版 2）")},
        {header(10, 0), QStringLiteral("記録の長さが 0 バイト")},
        {header(10, 65535), QStringLiteral("記録の長さが 65535 バイト")},
    };
    for (const auto& [record, says] : cases) {
        const QString message = StudyLogRecord::checkHeader(record.constData(), logPath()).message;
        EXPECT_TRUE(message.startsWith(logPath()) && message.contains(says))
            << message.toStdString();
    }
}

TEST_F(StudyLogTest, RecordsWithAFieldTheProgramNeverWritesAreSkipped)
{
    append(answer(1, QStringLiteral("臥薪嘗胆"), day1));
    append(answer(1, QStringLiteral("四面楚歌"), day1.addDays(1)));
    append(answer(1, QStringLiteral("臥薪嘗胆"), day1.addDays(3), false));

    const QByteArray data = bytes();
    const std::vector<QByteArray> invalid = invalidStudyRecords(data.mid(32, 32));
    QByteArray mixed = data.left(64);
    for (const QByteArray& record : invalid)
        mixed += record + data.mid(64, 32);
    writeBytes(mixed + data.mid(64));
    PupilStudy study(1);
    ASSERT_TRUE(study.load(logPath()).ok());
    PupilStudy withoutThem(1);
    writeBytes(data.left(64) + QByteArray(data.mid(64, 32)).repeated(int(invalid.size())) +
               data.mid(64));
    ASSERT_TRUE(withoutThem.load(logPath()).ok());
    expectSameState(study, withoutThem);
    EXPECT_EQ(study.find(QStringLiteral("臥薪嘗胆"))->answers, 2);
    // Nor do the damaged writing records make a writing state.
    writeBytes(mixed + data.mid(64));
    PupilStudy written(1, StudySkill::Write);
    ASSERT_TRUE(written.load(logPath()).ok());
    EXPECT_FALSE(written.hasAnswers());
}

TEST_F(StudyLogTest, TornTailIsIgnoredAndOverwrittenByTheNextAppend)
{
    append(answer(1, QStringLiteral("臥薪嘗胆"), day1));
    writeBytes(bytes() + QByteArray(13, '\x5a'));
    StudyLogReader reader;
    ASSERT_TRUE(reader.open(logPath()).ok());
    EXPECT_NE(reader.next(), nullptr);
    EXPECT_EQ(reader.next(), nullptr);
    EXPECT_EQ(reader.tornTailBytes(), 13);

    append(answer(2, QStringLiteral("四面楚歌"), day1));
    EXPECT_EQ(bytes().size(), 96);
    ASSERT_TRUE(reader.open(logPath()).ok());
    reader.next();
    const StudyLogEntry* second = reader.next();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->checksumOk);
    EXPECT_EQ(second->event.pupilNo, 2);

    // A header torn by the very first append is written again whole.
    writeBytes(QByteArray(20, '\x5a'));
    ASSERT_TRUE(reader.open(logPath()).ok());
    EXPECT_EQ(reader.next(), nullptr);
    append(answer(3, QStringLiteral("四面楚歌"), day1));
    EXPECT_EQ(bytes().size(), 64);
    EXPECT_EQ(bytes().left(32), StudyLogRecord::header());
}

TEST_F(StudyLogTest, FlippedByteFailsTheChecksumAndIsSkipped)
{
    append(answer(1, QStringLiteral("臥薪嘗胆"), day1, false));
    append(answer(1, QStringLiteral("四面楚歌"), day1));
    QByteArray data = bytes();
    data[32 + 19] = char(data[32 + 19] ^ 0x04); // the first event's drill kind
    writeBytes(data);

    StudyLogReader reader;
    ASSERT_TRUE(reader.open(logPath()).ok());
    EXPECT_FALSE(reader.next()->checksumOk);
    EXPECT_TRUE(reader.next()->checksumOk);
    PupilStudy study(1);
    ASSERT_TRUE(study.load(logPath()).ok());
    EXPECT_EQ(study.find(QStringLiteral("臥薪嘗胆")), nullptr);
    EXPECT_NE(study.find(QStringLiteral("四面楚歌")), nullptr);
}
