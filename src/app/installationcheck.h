#pragma once

#include "platform/status.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>

struct SharedState;

// Runs every start-up reader of the program on an installation, reads the roster, the idiom
// data, the voice files, the result files and the cue sounds, and writes nothing. Each file
// gets one line for the teacher who sets up a machine.
class InstallationCheck
{
public:
    InstallationCheck(const QString& programDir, const QDate& today);
    ~InstallationCheck();

    // True when the program would start and every cue sound can be played.
    bool run();
    const QStringList& lines() const { return m_lines; }

private:
    bool checkSettings();
    void checkRoster();
    void checkIdioms();
    void checkResultFile(const QString& path, int recordLength);
    void checkCueSounds();
    // One line for a file read at start: found, missing or damaged with the program's message.
    void reportFile(const QString& path, const Status& status, const QString& found = QString());
    // One line: a mark (OK, なし, 異常, 注意, ...), the file and what was found.
    void note(const QString& mark, const QString& path, const QString& detail);

    QString m_programDir;
    QDate m_today;
    std::unique_ptr<SharedState> m_state;
    QStringList m_lines;
    bool m_ok = true;
};
