#pragma once

#include <QString>
#include <QTemporaryDir>

// An installation tree in a temporary folder, laid out as layout 1:
//   <root>/files/    shared data and sounds
//   <root>/prog/     the program folder
// Text files are written as the program expects them: Windows Japanese code page, CR LF.
class TestInstallation
{
public:
    TestInstallation();

    QString root() const { return m_dir.path(); }
    // The program folder without a trailing "/", as the executable's folder is given.
    QString programDir() const { return root() + QStringLiteral("/prog"); }
    QString filesDir() const { return root() + QStringLiteral("/files"); }

    // Writes text (lines separated by "\n") to a path below the root.
    void writeText(const QString& relativePath, const QString& text) const;
    void writeBytes(const QString& relativePath, const QByteArray& bytes) const;
    void remove(const QString& relativePath) const;

    // A complete, valid set of settings files for layout 1 with twenty timed items.
    void writeValidSettings() const;
    // Twelve-value lines for items 1..count: target 100+i, limit 200+i.
    static QString timeTableText(int count);

private:
    QTemporaryDir m_dir;
};
