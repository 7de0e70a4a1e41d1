// Files that are damaged, foreign or absurdly large: each gives a clear message or its
// documented fallback, and a huge file never takes more memory than a normal one.
#include "core/codepage.h"
#include "core/settingsfiles.h"
#include "drill/idiomcompanion.h"
#include "drill/idiomtable.h"
#include "platform/soundoutput.h"
#include "recordsfixture.h"
#include "roster/rosterfile.h"

#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

namespace {

constexpr qint64 kMiB = 1024 * 1024;

qint64 statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stoll(line.substr(std::string(field).size()));
    return -1;
}

// How far the peak memory of this process rises above its size before work runs. Writing 5
// to clear_refs starts a new peak.
qint64 peakGrowthBytes(const std::function<void()>& work)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const qint64 before = statusKiB("VmRSS:");
    work();
    return (statusKiB("VmHWM:") - before) * 1024;
}

// A file of the given length that holds tail at its end and holes before it.
void writeSparse(const QString& path, qint64 length, const QByteArray& tail = {})
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_TRUE(file.resize(length));
    ASSERT_TRUE(file.seek(length - tail.size()));
    ASSERT_EQ(file.write(tail), tail.size());
}

} // namespace

TEST_F(RecordsTest, AResultFileAbove2GiBLoadsItsTailWithoutReadingTheWhole)
{
    QByteArray tail;
    for (int k = 1; k <= 3; ++k)
        tail += RecordCodec::encodeResult(result(k, 2, 40 + k, today()));
    const qint64 count = (qint64(2) << 30) / RecordCodec::kResultLength + 1000;
    ASSERT_NO_FATAL_FAILURE(writeSparse(resultPath(), count * RecordCodec::kResultLength, tail));

    const qint64 growth = peakGrowthBytes([&] { records.computeStatistics(); });
    EXPECT_LT(growth, 64 * kMiB);
    // The zero records of the holes have no pupil and are skipped; the tail is loaded.
    ASSERT_EQ(tables.loadedCount(), 3);
    EXPECT_EQ(tables.loadedRecord(3).pupil, 3);
    EXPECT_EQ(tables.loadedRecord(3).result, 43);
    EXPECT_EQ(tables.attemptCount.at(2, 1), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(HostileFiles, ARosterAbove4MiBIsRefusedBeforeItIsRead)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/生徒用名簿.txt");
    QByteArray longLine = "1,2015,0,0,\"" + QByteArray(10 * kMiB, 'a') + "\",0,\"\",\"\"\r\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(longLine), longLine.size());
    }
    longLine.clear();
    longLine.squeeze();
    RosterFileContents contents;
    const qint64 growth = peakGrowthBytes([&] { contents = readWholeRoster(path); });
    EXPECT_LT(growth, 8 * kMiB);
    EXPECT_FALSE(contents.status.ok());
    EXPECT_TRUE(contents.status.message.contains(path));
    EXPECT_TRUE(contents.status.message.contains(QStringLiteral("大きすぎます")));
}

TEST(HostileFiles, ACompanionFileOf100MiBIsRefusedAndTheTableKeepsItsLoad)
{
    QTemporaryDir dir;
    const QString dataFile = dir.path() + u'/' + kIdiomDataFileName;
    bool ok = false;
    const QByteArray one =
        IdiomCompanion::fileBytes({{QStringLiteral("1"), QStringLiteral("一石二鳥"),
                                    QStringLiteral("いっせきにちょう"), QStringLiteral("得")}},
                                  &ok);
    ASSERT_NO_FATAL_FAILURE(writeSparse(companionFileName(dataFile), one.size(), one));
    IdiomTable table;
    ASSERT_TRUE(table.loadIdiomTable(dataFile).ok());

    ASSERT_NO_FATAL_FAILURE(writeSparse(companionFileName(dataFile), 100 * kMiB));
    Status status;
    const qint64 growth = peakGrowthBytes([&] { status = table.loadIdiomTable(dataFile); });
    EXPECT_LT(growth, 16 * kMiB);
    EXPECT_EQ(status.code, IdiomCompanion::TooLarge);
    EXPECT_TRUE(status.message.contains(companionFileName(dataFile)));
    EXPECT_EQ(table.field(1, IdiomTable::Idiom), QStringLiteral("一石二鳥"));
}

// Bytes a spreadsheet, another editor or a damaged disk may leave in a settings file.
TEST(HostileFiles, SettingsFilesWithForeignBytesReadAsDocumented)
{
    const struct
    {
        const char* what;
        QByteArray bytes;
        QString schoolName;
    } cases[] = {
        {"NUL bytes stay characters of their value",
         CodePage::encode(QStringView(u"4\0,\"12345教\0室\",0,0,0,0,0,0,0,0\r\n", 31).toString()),
         QStringView(u"教\0室", 3).toString()},
        // A lead byte never swallows the quote after it.
        {"each byte of a sequence outside the code page becomes the substitute U+001A",
         "4,\"12345\x81\xff\x82\",0,0,0,0,0,0,0,0\r\n", QString(3, QChar(0x1A))},
        {"a UTF-8 mark makes the file UTF-8",
         "\xef\xbb\xbf"
         "4,\"12345ひまわり\",0,0,0,0,0,0,0,0\r\n",
         QStringLiteral("ひまわり")},
        {"LF line ends and no final line end",
         CodePage::encode(QStringLiteral("4,\"12345教室\",0,0,0,0\n0,0,0,0")),
         QStringLiteral("教室")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestInstallation inst;
        inst.writeBytes(QStringLiteral("files/共通データ.txt"), c.bytes);
        auto state = std::make_unique<SharedState>();
        state->commonFolder = inst.filesDir() + u'/';
        ASSERT_TRUE(readCommonData(*state).ok());
        EXPECT_EQ(state->schoolYearStartMonth, 4);
        EXPECT_EQ(state->schoolCode, QStringLiteral("12345"));
        EXPECT_EQ(state->schoolName, c.schoolName);
    }
}

TEST(HostileFiles, ASoundThatIsNoWaveFileFailsWithTheSystemText)
{
    QTemporaryDir dir;
    const struct
    {
        const char* what;
        QByteArray bytes;
    } cases[] = {{"empty", {}},
                 {"text", "これは音ではありません"},
                 {"a wave header cut short", QByteArray("RIFF\x24\x08\0\0WAVEfmt ", 16)},
                 {"a wave header claiming a huge data chunk",
                  QByteArray("RIFF\xff\xff\xff\x7fWAVEdata\xff\xff\xff\x7f", 20)}};
    PulseSoundOutput output;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.path() + QStringLiteral("/音.wav");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        const SoundReply reply =
            output.send(QStringLiteral("play ") + path + QStringLiteral(" wait"));
        EXPECT_EQ(reply.code, PulseSoundOutput::FileUnreadable);
        EXPECT_TRUE(reply.errorText.contains(path));
    }
}
