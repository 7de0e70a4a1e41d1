#pragma once

#include <QString>
#include <QtGlobal>

// The file system calls behind the record files. Each returns 0 or the system's error number
// (errno), never throws. They sit behind an interface so that tests can make any single call
// fail the way a full disk, a vanished network share or another machine's lock would.
class FileCalls
{
public:
    enum class Access { ReadOnly, ReadWrite };

    virtual ~FileCalls() = default;

    // Opens a file, creating it empty when it is missing. Never opens for appending: on
    // network file systems an append-mode write may land anywhere.
    virtual int openFile(const QString& path, Access access, int* fd) = 0;
    virtual int fileSize(int fd, qint64* size) = 0;
    // One read or write at an offset; *done may be less than length.
    virtual int readAt(int fd, qint64 offset, char* buffer, qint64 length, qint64* done) = 0;
    virtual int writeAt(int fd, qint64 offset, const char* data, qint64 length, qint64* done) = 0;
    virtual int syncData(int fd) = 0;
    virtual int truncate(int fd, qint64 length) = 0;
    // fcntl(fd, command, ...) with a lock of the given type over the whole file.
    virtual int setWholeFileLock(int fd, int command, short type) = 0;
    virtual int closeFile(int fd) = 0;

    // The system's description of an error number.
    static QString errorText(int error);
};

class PosixFileCalls : public FileCalls
{
public:
    int openFile(const QString& path, Access access, int* fd) override;
    int fileSize(int fd, qint64* size) override;
    int readAt(int fd, qint64 offset, char* buffer, qint64 length, qint64* done) override;
    int writeAt(int fd, qint64 offset, const char* data, qint64 length, qint64* done) override;
    int syncData(int fd) override;
    int truncate(int fd, qint64 length) override;
    int setWholeFileLock(int fd, int command, short type) override;
    int closeFile(int fd) override;
};
