#include "platform/wholefilelock.h"
#include "scriptedfilecalls.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class WholeFileLockTest : public ::testing::Test
{
protected:
    int openFile()
    {
        int fd = -1;
        EXPECT_EQ(calls.openFile(path, FileCalls::Access::ReadWrite, &fd), 0);
        return fd;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("成績累積データ.dat"));
    ScriptedFileCalls calls;
};

// What another process sees when it tries the lock: 0 = it got it, 1 = held, 2 = error.
int lockSeenByAnotherProcess(const QString& path)
{
    // The child only makes system calls: it must not allocate after a fork.
    const QByteArray name = QFile::encodeName(path);
    const pid_t child = fork();
    if (child == 0) {
        PosixFileCalls calls;
        const int fd = ::open(name.constData(), O_RDWR);
        if (fd < 0)
            _exit(2);
        WholeFileLock lock(calls);
        switch (lock.tryLock(fd)) {
        case WholeFileLock::Outcome::Locked:
            _exit(0);
        case WholeFileLock::Outcome::HeldByAnother:
            _exit(1);
        default:
            _exit(2);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

} // namespace

TEST_F(WholeFileLockTest, ExcludesOtherDescriptionsAndOtherProcessesUntilUnlocked)
{
    const int first = openFile();
    const int second = openFile();
    WholeFileLock firstLock(calls);
    WholeFileLock secondLock(calls);

    ASSERT_EQ(firstLock.tryLock(first), WholeFileLock::Outcome::Locked);
    EXPECT_FALSE(firstLock.usesProcessLock());
    EXPECT_EQ(secondLock.tryLock(second), WholeFileLock::Outcome::HeldByAnother);
    EXPECT_EQ(lockSeenByAnotherProcess(path), 1);

    // Closing some other descriptor of the same file in this process must not drop the
    // lock, as it would with a process-associated lock.
    EXPECT_EQ(calls.closeFile(second), 0);
    EXPECT_EQ(lockSeenByAnotherProcess(path), 1);

    EXPECT_EQ(firstLock.unlock(first), 0);
    EXPECT_EQ(lockSeenByAnotherProcess(path), 0);
    EXPECT_EQ(calls.closeFile(first), 0);
}

TEST_F(WholeFileLockTest, FallsBackToAProcessLockWhereDescriptionLocksAreRefused)
{
    const int fd = openFile();
    WholeFileLock lock(calls);
    calls.lockErrors = {EINVAL};

    ASSERT_EQ(lock.tryLock(fd), WholeFileLock::Outcome::Locked);
    EXPECT_TRUE(lock.usesProcessLock());
    EXPECT_EQ(lockSeenByAnotherProcess(path), 1);
    EXPECT_EQ(lock.unlock(fd), 0);
    EXPECT_EQ(lockSeenByAnotherProcess(path), 0);

    ASSERT_EQ(calls.lockCalls.size(), 3);
    EXPECT_EQ(calls.lockCalls[0].command, F_OFD_SETLK);
    EXPECT_EQ(calls.lockCalls[1].command, F_SETLK);
    EXPECT_EQ(calls.lockCalls[1].type, F_WRLCK);
    // The unlock must use the kind of lock that was taken, or the lock would stay.
    EXPECT_EQ(calls.lockCalls[2].command, F_SETLK);
    EXPECT_EQ(calls.lockCalls[2].type, F_UNLCK);
    calls.closeFile(fd);
}

TEST_F(WholeFileLockTest, SortsTheSystemsAnswers)
{
    const int fd = openFile();
    WholeFileLock lock(calls);

    calls.lockErrors = {EACCES};
    EXPECT_EQ(lock.tryLock(fd), WholeFileLock::Outcome::HeldByAnother);
    calls.lockErrors = {EAGAIN};
    EXPECT_EQ(lock.tryLock(fd), WholeFileLock::Outcome::HeldByAnother);
    calls.lockErrors = {EINTR, EINTR};
    EXPECT_EQ(lock.tryLock(fd), WholeFileLock::Outcome::Locked);
    calls.lockErrors = {ENOLCK};
    EXPECT_EQ(lock.tryLock(fd), WholeFileLock::Outcome::Failed);
    EXPECT_EQ(lock.error(), ENOLCK);
    EXPECT_FALSE(lock.usesProcessLock());
    calls.closeFile(fd);
}
