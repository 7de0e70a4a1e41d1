#pragma once

#include <QDate>
#include <QString>
#include <QTextStream>

#include <vector>

class QIODevice;
class ResultsInstallation;
class Sleeper;
struct ExportOptions;
class Clock;
class MessageBox;
class ProgramExit;

struct ReportOptions
{
    std::vector<int> pupils;
    bool all = false; // every listed pupil
    QString output;   // the PDF file
};

// The commands of yoji-results behind its option parsing. Each returns the exit status.
namespace ResultsCommands {

// 0 after the export, with a torn tail only reported on err; 2 when the file cannot be read
// or the output cannot be written.
int exportResults(const ResultsInstallation& installation, const ExportOptions& options,
                  QIODevice& out, QTextStream& err);

// Prints the audit of both result files on out. With cutTornTail, cuts each torn tail under
// the whole-file lock (waiting through sleeper while another process holds it) and reports
// what it cut. 0 clean, 1 faults found, 2 a file could not be read or cut.
int audit(const ResultsInstallation& installation, const QDate& today, bool cutTornTail,
          Sleeper& sleeper, QTextStream& out, QTextStream& err);

// Writes the progress report of the pupils as an A4 PDF file, one sheet or more per pupil.
// The charts come from the graph panel's reader, which needs the program's statistics; their
// failures go through messages and exit as in the program. 0, or 2 when the result file
// cannot be read or the PDF cannot be written.
int report(ResultsInstallation& installation, const ReportOptions& options, const Clock& clock,
           Sleeper& sleeper, MessageBox& messages, ProgramExit& exit, QTextStream& err);

} // namespace ResultsCommands
