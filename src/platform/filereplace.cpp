#include "platform/filereplace.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

Status systemFailure(const QString& what, const QString& path, int error)
{
    return Status::failure(QStringLiteral("%1「%2」：%3")
                               .arg(what, path, QString::fromLocal8Bit(std::strerror(error))),
                           error);
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace

Status writeFileDurably(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemFailure(QStringLiteral("ファイルを作れません"), path, errno);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (written && closed)
        return Status::success();
    ::unlink(name.constData());
    return systemFailure(QStringLiteral("ファイルに書き込めません"), path,
                         written ? errno : writeError);
}

Status renameDurably(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemFailure(QStringLiteral("ファイルの名前を変えられません"), to, errno);
    const int folder =
        ::open(QFile::encodeName(QFileInfo(to).path()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        // Some file systems cannot flush a folder; the rename has happened all the same.
        ::fsync(folder);
        ::close(folder);
    }
    return Status::success();
}

Status replaceFileDurably(const QString& path, const QString& tempPath, const QByteArray& bytes)
{
    if (Status status = writeFileDurably(tempPath, bytes); !status.ok())
        return status;
    return renameDurably(tempPath, path);
}
