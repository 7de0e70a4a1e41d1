#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// One scratch folder for the life of a fuzzing process, laid out like an installation in
// layout 1 (<root>/files and <root>/prog), so that the input reaches the code the way a file
// on disk does.
class ScratchFolder
{
public:
    static ScratchFolder& instance()
    {
        static ScratchFolder folder;
        return folder;
    }

    // Each ends with "/".
    QString programFolder() const { return m_dir.path() + QStringLiteral("/prog/"); }
    QString filesFolder() const { return m_dir.path() + QStringLiteral("/files/"); }

    static void write(const QString& path, const uint8_t* data, size_t size)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size))
            std::abort(); // the scratch folder itself failed: nothing can be learnt
    }

private:
    // In memory where the machine offers it: the writers flush every record to the disk.
    static QString templatePath()
    {
        const QString memory = QStringLiteral("/dev/shm");
        return QFileInfo(memory).isWritable()
                   ? memory + QStringLiteral("/yoji-fuzz-XXXXXX")
                   : QDir::tempPath() + QStringLiteral("/yoji-fuzz-XXXXXX");
    }

    ScratchFolder() : m_dir(templatePath())
    {
        if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("prog")) ||
            !QDir(m_dir.path()).mkpath(QStringLiteral("files")))
            std::abort();
    }
    QTemporaryDir m_dir;
};

// A broken invariant: libFuzzer and the replay both report the abort with the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__,           \
                         __LINE__);                                                                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
