#include "fakes.h"
#include "platform/filecalls.h"
#include "randomkiller.h"
#include "review/pupilsettings.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace {

// The checksums of this file were worked out apart from the program, so they pin the layout down.
const QByteArray kPupil7Line = "7\texam=2027-01-20\tcolour=あお\t25fc538f\n";

class PupilSettingsTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QString::fromUtf8(kPupilSettingsFileName)); }

    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeBytes(const QByteArray& data) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(data), data.size());
    }

    void update(int pupil, const std::function<void(PupilSettings&)>& change)
    {
        const Status status = file.update(pupil, change);
        ASSERT_TRUE(status.ok()) << status.message.toStdString();
    }

    // Sets the stroke-order check of the pupils.
    void checkOrderOf(const QList<int>& pupils)
    {
        for (int pupil : pupils)
            update(pupil, [](PupilSettings& settings) { settings.checkStrokeOrder = true; });
    }

    QTemporaryDir m_dir;
    PosixFileCalls calls;
    InstantSleeper sleeper;
    PupilSettingsFile file{path(), calls, sleeper};
};

// The exam days the settings writer has counted on pupils 1 to 3 (see pupilsettingswriter.cpp).
qint64 daysCounted(const QMap<int, PupilSettings>& pupils)
{
    qint64 days = 0;
    for (int pupil = 1; pupil <= 3; ++pupil)
        if (pupils.value(pupil).examDate.isValid())
            days += QDate(2026, 1, 1).daysTo(pupils.value(pupil).examDate);
    return days;
}

} // namespace

TEST_F(PupilSettingsTest, ChangedPupilsAreWrittenInOrderWithTheFieldsOfLaterVersionsKept)
{
    QMap<int, PupilSettings> pupils;
    ASSERT_TRUE(file.read(&pupils).ok()); // no file yet
    EXPECT_TRUE(pupils.isEmpty());

    writeBytes("YJPUPIL 1\n" + kPupil7Line);
    checkOrderOf({12, 5});
    update(3, [](PupilSettings& settings) {
        settings.checkStrokeOrder = true;
        settings.examDate = QDate(2027, 2, 1);
        settings.examSetOn = QDate(2026, 11, 20);
    });
    update(7, [](PupilSettings& settings) {
        EXPECT_EQ(settings.examDate, QDate(2027, 1, 20));
        settings.checkStrokeOrder = true;
    });
    update(5, [](PupilSettings& settings) { settings.checkStrokeOrder = false; });

    EXPECT_EQ(bytes(path()), "YJPUPIL 1\n"
                             "3\torder=1\texam=2027-02-01\texamset=2026-11-20\tcf6a146f\n"
                             "7\torder=1\texam=2027-01-20\tcolour=あお\t4ca5e9ec\n"
                             "12\torder=1\t0b298366\n");
    ASSERT_TRUE(file.read(&pupils).ok());
    EXPECT_EQ(pupils.keys(), (QList<int>{3, 7, 12}));
    EXPECT_EQ(pupils[3].examSetOn, QDate(2026, 11, 20));
    EXPECT_EQ(pupils[7].laterFields, QList<QByteArray>{"colour=あお"});
    EXPECT_TRUE(pupils[12].checkStrokeOrder);
    EXPECT_FALSE(pupils[12].examDate.isValid());
}

// A flipped byte, a value the program never writes and a torn last line: the other pupils stay,
// one message counts all three, and the next change keeps the damaged file once.
TEST_F(PupilSettingsTest, DamagedLinesLoseOnlyTheirPupilsInOneMessageAndAreKeptAside)
{
    checkOrderOf({1, 2, 3});
    QByteArray damaged = bytes(path());
    damaged[damaged.indexOf("\n2\t") + 4] ^= 0x01;
    // A value out of range, a pupil no roster has (sealed right), and a torn last line.
    damaged += "4\torder=2\t2b7b8778\n0\torder=1\te6e4b6bf\n5\texam=2027-01-20\t0e1";
    writeBytes(damaged);

    QMap<int, PupilSettings> pupils;
    const Status status = file.read(&pupils);
    EXPECT_EQ(status.code, PupilSettingsFile::kDamagedLines);
    EXPECT_TRUE(status.message.contains(path())) << status.message.toStdString();
    EXPECT_TRUE(status.message.contains(QStringLiteral("4人分"))) << status.message.toStdString();
    EXPECT_EQ(pupils.keys(), (QList<int>{1, 3}));

    update(3, [](PupilSettings& settings) { settings.checkStrokeOrder = false; });
    EXPECT_EQ(bytes(file.backupPath()), damaged);
    ASSERT_TRUE(file.read(&pupils).ok());
    EXPECT_EQ(pupils.keys(), QList<int>{1});
    checkOrderOf({2});
    EXPECT_EQ(bytes(file.backupPath()), damaged);
}

TEST_F(PupilSettingsTest, AFileOfAnotherFormatOrVersionIsNamedAndNeverOverwritten)
{
    const std::array<std::pair<QByteArray, QString>, 3> files{{
        {"YJPUPIL 2\n1\torder=1\t12da60f7\n", QStringLiteral("第2版")},
        {"番号,書き順\n1,1\n", QStringLiteral("形式ではありません")},
        {"YJPUPIL two\n", QStringLiteral("形式ではありません")},
    }};
    for (const auto& [contents, named] : files) {
        writeBytes(contents);
        QMap<int, PupilSettings> pupils;
        const Status status = file.read(&pupils);
        EXPECT_NE(status.code, PupilSettingsFile::kDamagedLines);
        EXPECT_TRUE(status.message.contains(named)) << status.message.toStdString();
        EXPECT_TRUE(pupils.isEmpty());
        EXPECT_FALSE(file.update(1, [](PupilSettings&) {}).ok());
        EXPECT_EQ(bytes(path()), contents);
    }
}

TEST_F(PupilSettingsTest, WhatCouldNotBeReadBackIsNotStored)
{
    const auto checkOrder = [](PupilSettings& settings) { settings.checkStrokeOrder = true; };
    EXPECT_FALSE(file.update(0, checkOrder).ok());
    EXPECT_FALSE(file.update(5001, checkOrder).ok());
    EXPECT_FALSE(
        file.update(3, [](PupilSettings& settings) { settings.examDate = QDate(10000, 1, 1); })
            .ok());
    EXPECT_FALSE(QFile::exists(path()));
}

// Each writer moves its pupil's date on from the value it reads under the lock: a change lost
// to the other writer would leave the date short.
TEST_F(PupilSettingsTest, TwoProcessesChangingDifferentPupilsKeepEveryChange)
{
    constexpr int kEach = 100;
    std::array<QProcess, 2> writers;
    for (int i = 0; i < 2; ++i)
        writers[i].start(
            QStringLiteral(PUPIL_SETTINGS_WRITER),
            {path(), QString::number(i + 1), QStringLiteral("1"), QString::number(kEach)});
    for (QProcess& writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(120000));
        ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    QMap<int, PupilSettings> pupils;
    ASSERT_TRUE(file.read(&pupils).ok());
    EXPECT_EQ(pupils.value(1).examDate, QDate(2026, 1, 1).addDays(kEach));
    EXPECT_EQ(pupils.value(2).examDate, QDate(2026, 1, 1).addDays(kEach));
}

// A writer killed with SIGKILL at any moment of an update: the file reads whole and sound, holds
// every update that returned and at most the one that was under way, and keeps a later
// version's fields.
TEST_F(PupilSettingsTest, UpdatesKilledAtRandomMomentsLeaveTheOldOrTheNewFile)
{
    writeBytes("YJPUPIL 1\n" + kPupil7Line);
    RandomKiller killer(17);
    qint64 counted = 0;
    while (killer.kills() < 100) {
        QProcess process;
        killer.start(process, QStringLiteral(PUPIL_SETTINGS_WRITER),
                     {path(), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("0")});
        bool ok = false;
        const QList<QByteArray> lines = killer.kill(process, &ok).split('\n');
        ASSERT_TRUE(ok) << process.readAllStandardError().toStdString();
        const int returned = lines.size() > 1 ? lines.at(lines.size() - 2).toInt() : 0;

        QMap<int, PupilSettings> pupils;
        const Status status = file.read(&pupils);
        ASSERT_TRUE(status.ok()) << status.message.toStdString() << ", kill " << killer.kills();
        ASSERT_EQ(pupils.value(7).laterFields, QList<QByteArray>{"colour=あお"});
        const qint64 now = daysCounted(pupils);
        ASSERT_TRUE(now == counted + returned || now == counted + returned + 1)
            << now << " days after " << counted << " and " << returned << " updates";
        counted = now;
    }
}
