#include "platform/filecalls.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString FileCalls::errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

int PosixFileCalls::openFile(const QString& path, Access access, int* fd)
{
    const int mode = access == Access::ReadWrite ? O_RDWR : O_RDONLY;
    const QByteArray name = QFile::encodeName(path);
    int opened = -1;
    do {
        opened = ::open(name.constData(), mode | O_CREAT | O_CLOEXEC, 0666);
    } while (opened < 0 && errno == EINTR);
    if (opened < 0)
        return errno;
    *fd = opened;
    return 0;
}

int PosixFileCalls::fileSize(int fd, qint64* size)
{
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return errno;
    *size = info.st_size;
    return 0;
}

int PosixFileCalls::readAt(int fd, qint64 offset, char* buffer, qint64 length, qint64* done)
{
    const ssize_t got =
        ::pread(fd, buffer, static_cast<size_t>(length), static_cast<off_t>(offset));
    if (got < 0)
        return errno;
    *done = got;
    return 0;
}

int PosixFileCalls::writeAt(int fd, qint64 offset, const char* data, qint64 length, qint64* done)
{
    const ssize_t put = ::pwrite(fd, data, static_cast<size_t>(length), static_cast<off_t>(offset));
    if (put < 0)
        return errno;
    *done = put;
    return 0;
}

int PosixFileCalls::syncData(int fd)
{
    return ::fdatasync(fd) == 0 ? 0 : errno;
}

int PosixFileCalls::truncate(int fd, qint64 length)
{
    return ::ftruncate(fd, static_cast<off_t>(length)) == 0 ? 0 : errno;
}

int PosixFileCalls::setWholeFileLock(int fd, int command, short type)
{
    struct flock lock;
    std::memset(&lock, 0, sizeof lock);
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end of the file, however far it grows
    lock.l_pid = 0; // required by open-file-description locks
    return ::fcntl(fd, command, &lock) == 0 ? 0 : errno;
}

int PosixFileCalls::closeFile(int fd)
{
    // On Linux a close interrupted by a signal has still released the descriptor, and the
    // callers have synced their data before: retrying could close someone else's descriptor.
    if (::close(fd) == 0 || errno == EINTR)
        return 0;
    return errno;
}
