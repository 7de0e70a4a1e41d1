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
    const QString mark = dir.filePath(QStringLiteral("started"));
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nsleep 1\necho \"$1\" > \"$(dirname \"$0\")/started\"\n");
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    SystemDesktopLauncher launcher;
    QDeadlineTimer notWaited(500);
    EXPECT_TRUE(launcher.startProgram(script, {QStringLiteral("001")}));
    EXPECT_FALSE(notWaited.hasExpired()); // the script sleeps a second; start returns at once
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(mark) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile started(mark);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(started.readAll(), QByteArray("001\n"));

    EXPECT_FALSE(launcher.startProgram(dir.filePath(QStringLiteral("ない.exe")), {}));
    EXPECT_FALSE(launcher.openAddress(QStringLiteral("not an address")));
}
