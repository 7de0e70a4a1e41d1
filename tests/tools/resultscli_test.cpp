#include "resultstoolfixture.h"

#include "drill/idiomsource.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
    QByteArray bytes; // standard output as written, a byte-order mark included
};

ToolRun runTool(const QStringList& arguments,
                const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(YOJI_RESULTS), arguments);
    ToolRun run;
    if (!tool.waitForFinished(120000))
        return run;
    run.status = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.bytes = tool.readAllStandardOutput();
    run.out = QString::fromUtf8(run.bytes);
    run.err = QString::fromUtf8(tool.readAllStandardError());
    return run;
}

} // namespace

// The installed tool: --folder, the exit statuses and what it says about wrong input.
TEST_F(ResultsToolTest, TheToolAnswersWithItsExitStatuses)
{
    record(1, 2, 51, at(4, 10, 10, 0));
    const QString folder = inst.programDir();

    const ToolRun exported = runTool(
        {QStringLiteral("--folder"), folder, QStringLiteral("export"), QStringLiteral("--no-bom")});
    EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_TRUE(exported.out.contains(QStringLiteral("\r\n2026-04-10,10:00:00,1,さくら,")));
    EXPECT_EQ(runTool({QStringLiteral("audit"), QStringLiteral("--folder"), folder}).status, 0);

    const ToolRun badDate = runTool({QStringLiteral("export"), QStringLiteral("--folder"), folder,
                                     QStringLiteral("--since"), QStringLiteral("2026-13-01")});
    EXPECT_EQ(badDate.status, 2);
    EXPECT_TRUE(badDate.err.contains(QStringLiteral("YYYY-MM-DD"))) << badDate.err.toStdString();
    EXPECT_EQ(runTool({QStringLiteral("report"), QStringLiteral("--folder"), folder,
                       QStringLiteral("--all")})
                  .status,
              2); // no -o
    EXPECT_EQ(runTool({QStringLiteral("export"), QStringLiteral("--folder"),
                       inst.root() + QStringLiteral("/missing")})
                  .status,
              2);

    const ToolRun help = runTool({QStringLiteral("report"), QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--all"))) << help.out.toStdString();
}

// A new installation, where no test has been taken, as a nightly job started from cron
// checks it: without a runtime folder in the environment.
TEST_F(ResultsToolTest, TheAuditOfANewInstallationIsCleanAndQuiet)
{
    QProcessEnvironment cron = QProcessEnvironment::systemEnvironment();
    cron.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const QStringList audit{QStringLiteral("--folder"), inst.programDir(), QStringLiteral("audit")};

    const ToolRun fresh = runTool(audit, cron);
    EXPECT_EQ(fresh.status, 0);
    EXPECT_EQ(fresh.out.count(QStringLiteral("まだ記録がありません")), 3) // and the study log
        << fresh.out.toStdString();
    EXPECT_EQ(fresh.err, QString());

    // A file that is there but cannot be read is still a failure.
    ASSERT_TRUE(QDir().mkdir(inst.filesDir() + QStringLiteral("/成績累積データ家庭用.dat")));
    const ToolRun unreadable = runTool(audit, cron);
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_TRUE(unreadable.out.contains(QStringLiteral("読めません")))
        << unreadable.out.toStdString();
    EXPECT_EQ(unreadable.err, QString());
}

// A spreadsheet program reads UTF-8 only after the mark; without it the idioms come out garbled.
TEST_F(ResultsToolTest, TheStudyTableAsCsvBeginsWithAByteOrderMark)
{
    ASSERT_TRUE(IdiomSource::writeCompanionFile(
                    {{0, {"1", "温故知新", "おんこちしん", "昔のことから新しい知識を得る"}}},
                    inst.programDir() + QStringLiteral("/四字02vv.ccc"))
                    .ok());
    const ToolRun study =
        runTool({QStringLiteral("--folder"), inst.programDir(), QStringLiteral("study"),
                 QStringLiteral("--pupil"), QStringLiteral("1"), QStringLiteral("--csv")});
    EXPECT_EQ(study.status, 0) << study.err.toStdString();
    EXPECT_EQ(study.bytes.left(6), QByteArray("\xEF\xBB\xBF熟"));
}

// The one command that writes is reached by its name, help and all.
TEST_F(ResultsToolTest, TheExamDateCommandAnswersToItsName)
{
    const ToolRun help = runTool({QStringLiteral("exam-date"), QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--all"))) << help.out.toStdString();
}

// Before the first test there is no result file: the teacher still gets a header to fill and
// a page per pupil, and a file that is there but cannot be read still fails.
TEST_F(ResultsToolTest, ANewInstallationExportsTheHeaderAndReportsNoRecordsYet)
{
    const QStringList folder{QStringLiteral("--folder"), inst.programDir()};
    for (const QStringList& which : {QStringList(), {"--home"}, {"--study"}}) {
        const ToolRun exported = runTool(folder + QStringList{QStringLiteral("export")} + which);
        EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
        EXPECT_EQ(exported.bytes.count("\r\n"), 1) << exported.out.toStdString(); // the header
        // Nothing was left out, so nothing is said to be.
        EXPECT_FALSE(exported.err.contains(QStringLiteral("書き出していません")))
            << exported.err.toStdString();
    }

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const ToolRun report =
        runTool(folder + QStringList{QStringLiteral("report"), QStringLiteral("--all"),
                                     QStringLiteral("-o"), pdf});
    EXPECT_EQ(report.status, 0) << report.err.toStdString();
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished()) << "pdftotext (poppler-utils) is needed";
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_EQ(text.count(QStringLiteral("まだ記録がありません")), 2) << text.toStdString();

    ASSERT_TRUE(QDir().mkdir(installation().resultFile()));
    EXPECT_EQ(runTool(folder + QStringList{QStringLiteral("export")}).status, 2);
}
