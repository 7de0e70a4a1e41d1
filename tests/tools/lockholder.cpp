// Holds the whole-file lock of a record file until told to let go, as a writer on another
// machine would while it appends:
//   lock_holder <file>
// Prints "locked" once it holds the lock, then waits for a line on standard input.
#include "platform/filecalls.h"
#include "platform/wholefilelock.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return 2;
    PosixFileCalls calls;
    int fd = -1;
    if (calls.openFile(app.arguments().at(1), FileCalls::Access::ReadWrite, &fd))
        return 2;
    WholeFileLock lock(calls);
    if (lock.tryLock(fd) != WholeFileLock::Outcome::Locked)
        return 3;
    std::puts("locked");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 4;
    lock.unlock(fd);
    return calls.closeFile(fd) ? 5 : 0;
}
