#include "app/installationcheck.h"
#include "core/sharedstate.h"
#include "core/startup.h"
#include "drill/idiomsource.h"
#include "testinstallation.h"
#include "tonesynth.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace {

const QDate kToday(2026, 6, 10);

// A complete installation like the demo's, with playable cue sounds and no voices.
void writeGoodInstallation(const TestInstallation& inst)
{
    inst.writeValidSettings();
    inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                   QStringLiteral("1,2016,0,0,\"さくら\",0,\"\",\"\"\n"
                                  "2,2014,0,0,\"はると\",0,\"\",\"\"\n"));
    QFile csv(QStringLiteral(YOJI_DATA_DIR "/idioms.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    std::vector<IdiomSource::Row> rows;
    ASSERT_TRUE(IdiomSource::parse(QString::fromUtf8(csv.readAll()), "idioms.csv", rows).ok());
    ASSERT_TRUE(
        IdiomSource::writeCompanionFile(rows, inst.programDir() + QStringLiteral("/四字02vv.ccc"))
            .ok());
    for (const char* cue : {"ok1", "ok2", "ng1", "最高1", "合格"})
        inst.writeBytes(QStringLiteral("files/%1.wav").arg(QString::fromUtf8(cue)),
                        waveFile(renderNotes({{440.0, 40}})));
}

std::map<QString, QByteArray> filesBelow(const QString& root)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    return files;
}

QStringList problemLines(const QStringList& lines)
{
    QStringList problems;
    for (const QString& line : lines)
        if (line.startsWith(QStringLiteral("[異常]")) || line.startsWith(QStringLiteral("[なし]")))
            problems << line;
    return problems;
}

TEST(InstallationCheck, AGoodInstallationPassesWithItsCountsAndATornTailIsOnlyNoted)
{
    TestInstallation inst;
    writeGoodInstallation(inst);
    inst.writeBytes(QStringLiteral("prog/成績累積データ.dat"), QByteArray(44 * 3 + 10, '\0'));
    const auto before = filesBelow(inst.root());

    InstallationCheck check(inst.programDir(), kToday);
    EXPECT_TRUE(check.run()) << check.lines().join(u'\n').toStdString();
    const QString report = check.lines().join(u'\n');
    EXPECT_TRUE(report.contains(QStringLiteral("生徒 2 人")));
    EXPECT_TRUE(report.contains(QStringLiteral("熟語 220 行、範囲 10 個")));
    EXPECT_TRUE(report.contains(QStringLiteral("音声ファイル あり 0、なし 440")));
    EXPECT_TRUE(report.contains(QStringLiteral("記録 3 件、最後に途中までの記録（10 バイト）")));
    EXPECT_TRUE(report.contains(QStringLiteral("効果音 5 個のうち 5 個")));
    EXPECT_EQ(filesBelow(inst.root()), before);
}

TEST(InstallationCheck, EachDamagedFileGetsItsOwnLineWithTheProgramsMessageAndNothingIsWritten)
{
    struct Damage
    {
        const char* file;
        std::function<void(const TestInstallation&)> apply;
    };
    const std::vector<Damage> damages = {
        {"共通データ.txt", [](auto& i) { i.remove(QStringLiteral("files/共通データ.txt")); }},
        {"タイム回数データ.txt",
         [](auto& i) {
             i.writeText(QStringLiteral("prog/タイム回数データ.txt"),
                         TestInstallation::timeTableText(19));
         }},
        {"生徒用名簿.txt",
         [](auto& i) {
             i.writeText(QStringLiteral("files/生徒用名簿.txt"),
                         QStringLiteral(
                             "1,2016,0,0,\"さくら\",0,\"\",\"\"\n0,2014,0,0,\"x\",0,\"\",\"\"\n"));
         }},
        {"四字02vv.ccc",
         [](auto& i) { i.writeBytes(QStringLiteral("prog/四字02vv.ccc"), "1,2\r\n"); }},
        {"新音ファイル.txt", [](auto& i) { i.remove(QStringLiteral("files/新音ファイル.txt")); }},
        {"ng1.wav", [](auto& i) { i.writeBytes(QStringLiteral("files/ng1.wav"), "RIFF\0\0"); }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.file);
        TestInstallation inst;
        writeGoodInstallation(inst);
        damage.apply(inst);
        const auto before = filesBelow(inst.root());

        InstallationCheck check(inst.programDir(), kToday);
        EXPECT_FALSE(check.run());
        const QStringList problems = problemLines(check.lines());
        ASSERT_EQ(problems.size(), 1) << check.lines().join(u'\n').toStdString();
        EXPECT_TRUE(problems.at(0).contains(QString::fromUtf8(damage.file)));
        EXPECT_EQ(filesBelow(inst.root()), before);

        // Where the start itself stops, the line carries the start's own message.
        auto state = std::make_unique<SharedState>();
        const Status start =
            LoadConfiguration(*state, inst.programDir(), [] { return Status::success(); });
        if (!start.ok()) {
            EXPECT_TRUE(problems.at(0).contains(start.message.simplified()))
                << problems.at(0).toStdString() << "\n"
                << start.message.toStdString();
        }
    }
}

TEST(InstallationCheck, TheProgramChecksWithoutADisplayAndExitsOneOnADamagedInstallation)
{
    TestInstallation inst;
    writeGoodInstallation(inst);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromUtf8(name));
    program.setProcessEnvironment(env);
    const auto run = [&] {
        program.start(QStringLiteral(YOJI_PROGRAM),
                      {QStringLiteral("--check"), QStringLiteral("--folder"), inst.programDir()});
        EXPECT_TRUE(program.waitForFinished(60000));
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    };
    EXPECT_EQ(run(), 0) << program.readAllStandardOutput().toStdString();
    inst.remove(QStringLiteral("files/共通データ.txt"));
    EXPECT_EQ(run(), 1);
    EXPECT_TRUE(QString::fromUtf8(program.readAllStandardOutput())
                    .contains(QStringLiteral("共通データ.txt")));
}

} // namespace
