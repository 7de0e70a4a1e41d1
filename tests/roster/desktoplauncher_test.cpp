#include "platform/desktoplauncher.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

TEST(DesktopLauncherTest, StartsAProgramWithoutWaitingAndReportsOneThatCannotStart)
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("プログラムメニュー.exe"));
    const QString go = dir.filePath(QStringLiteral("go"));
    const QString mark = dir.filePath(QStringLiteral("started"));
    {
        // The program waits for the test's go-ahead (for half a minute at most), so it can only
        // have ended before the start returned if the start waited for it.
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\ndir=$(dirname \"$0\")\nn=0\n"
                   "while [ ! -f \"$dir/go\" ] && [ $n -lt 600 ]; do sleep 0.05; n=$((n+1)); done\n"
                   "echo \"$1\" > \"$dir/started\"\n");
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    SystemDesktopLauncher launcher;
    EXPECT_TRUE(launcher.startProgram(script, {QStringLiteral("001")}));
    EXPECT_FALSE(QFile::exists(mark));
    QFile goAhead(go);
    ASSERT_TRUE(goAhead.open(QIODevice::WriteOnly));
    goAhead.close();
    QDeadlineTimer deadline(60000);
    while (!QFile::exists(mark) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile started(mark);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(started.readAll(), QByteArray("001\n"));

    EXPECT_FALSE(launcher.startProgram(dir.filePath(QStringLiteral("ない.exe")), {}));
    EXPECT_FALSE(launcher.openAddress(QStringLiteral("not an address")));
}
