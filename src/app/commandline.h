#pragma once

#include "core/installationfinder.h"

#include <QString>

class QCoreApplication;
class QTextStream;

struct CommandLine
{
    QString folder; // --folder DIR
    bool check = false;
};

// Whether these arguments need a window at all: --check, --help and --version run without a
// display, so a teacher can use them over a remote shell.
bool argumentsNeedWindow(int argc, char* argv[]);

// Parses the options; --help, --version and a wrong option print and end the process.
CommandLine parseCommandLine(const QCoreApplication& app);

// Exit statuses of --check; kCannotRun also ends a start that finds no installation.
constexpr int kCheckPassed = 0;
constexpr int kCheckFailed = 1;
constexpr int kCannotRun = 2;

// --check: one line per file of the installation that would be used, written to out; the
// per-user installation not made yet is checked in its template. Writes no file.
int checkInstallation(const FoundInstallation& found, QTextStream& out);

// The program folder to start in: the found one, with the per-user installation made or
// completed from its template first. An error carries a message for the user.
Status prepareInstallation(const FoundInstallation& found);
