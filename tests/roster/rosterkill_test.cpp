#include "randomkiller.h"
#include "roster/rosterfile.h"
#include "roster/rosterreaders.h"
#include "rosterfixture.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The roster editor killed with SIGKILL at any moment of a rewrite: after the recovery that
// the next activation runs, the roster is exactly the old or the new one. A temporary file
// that a kill before the rename leaves stays beside it, and the next rewrite overwrites it.
TEST(RosterKill, RewriteKilledAtRandomMomentsLeavesOldOrNewRoster)
{
    RosterFixture fixture;
    fixture.writeRoster({RosterFixture::line(1, 2015, QStringLiteral("さくら")),
                         RosterFixture::line(2, 2014, QStringLiteral("はると")),
                         RosterFixture::line(3, 2013, QStringLiteral("ゆい")),
                         RosterFixture::line(4, 2012, QStringLiteral("そら"), QStringLiteral("1")),
                         RosterFixture::line(5, 2011, QStringLiteral("みお"))});
    const QString folder = fixture.state.commonFolder;
    const auto rewrite = [&](int count) {
        QProcess process;
        process.start(QStringLiteral(ROSTER_REWRITER), {folder, QString::number(count)});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return bytesOf(fixture.rosterPath());
    };
    const QByteArray first = rewrite(1);
    const QByteArray second = rewrite(2);
    ASSERT_NE(first, second);
    ASSERT_TRUE(readWholeRoster(fixture.rosterPath()).status.ok());

    RandomKiller killer(4);
    int leftOver = 0; // kills that hit between the temporary file and the rename
    while (killer.kills() < 200) {
        QProcess process;
        killer.start(process, QStringLiteral(ROSTER_REWRITER), {folder, QStringLiteral("0")});
        bool ok = false;
        killer.kill(process, &ok);
        ASSERT_TRUE(ok) << process.readAllStandardError().toStdString();
        leftOver += QFile::exists(fixture.tempPath());
        recoverRosterFile(folder);
        const QByteArray now = bytesOf(fixture.rosterPath());
        ASSERT_TRUE(now == first || now == second) << "after kill " << killer.kills();
    }
    RecordProperty("temporaryFilesLeftByKills", leftOver);
}
