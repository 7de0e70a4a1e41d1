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

// 0 after the export, with a torn tail only reported on err; a file not made yet gives the
// header row alone. 2 when the file cannot be read or the output cannot be written.
int exportResults(const ResultsInstallation& installation, const ExportOptions& options,
                  QIODevice& out, QTextStream& err);

// Writes the study log as CSV; 0, or 2 when the log cannot be read or the output written.
// Damaged records and a torn tail are left out and reported on err.
int exportStudy(const ResultsInstallation& installation, const ExportOptions& options,
                QIODevice& out, QTextStream& err);

// Prints the state of every idiom the pupil has answered, as a table or as CSV; the table is
// followed by the pupil's exam date and forecast while the date is ahead. 0, or 2 when the log
// or the idiom file cannot be read.
int study(const ResultsInstallation& installation, int pupil, const QDate& today, bool csv,
          QTextStream& out, QTextStream& err);

// Sets the exam date of the pupils, or of every listed pupil with all, to dateText (YYYY-MM-DD,
// or "none" to clear it) as set on today, and prints a line for each pupil whose date changed.
// 0; 1 when the date is malformed or not after today, a pupil is not in the roster or the
// settings cannot be written, with nothing more written from then on. Damaged lines of the
// settings file are told on err and lose only their pupils' settings.
int examDate(const ResultsInstallation& installation, const std::vector<int>& pupils, bool all,
             const QString& dateText, const QDate& today, Sleeper& sleeper, QTextStream& out,
             QTextStream& err);

// Prints the audit of both result files and of the study log on out. With cutTornTail, cuts each
// torn tail under the whole-file lock (waiting through sleeper while another process holds it) and
// reports what it cut. 0 clean, 1 faults found, 2 a file could not be read or cut.
int audit(const ResultsInstallation& installation, const QDate& today, bool cutTornTail,
          Sleeper& sleeper, QTextStream& out, QTextStream& err);

// Writes the progress report of the pupils as an A4 PDF file, one sheet or more per pupil,
// each followed by the pupil's map 覚えた熟語 with the 苦手 idioms and the forecast. A pupil
// whose exam date is ahead gets the idioms expected recalled on that day, in all and by range.
// The charts come from the graph panel's reader, which needs the program's statistics; their
// failures go through messages and exit as in the program. A result file not made yet gives
// pages that say so. 0, or 2 when the result file cannot be read or the PDF cannot be written.
int report(ResultsInstallation& installation, const ReportOptions& options, const Clock& clock,
           Sleeper& sleeper, MessageBox& messages, ProgramExit& exit, QTextStream& err);

} // namespace ResultsCommands
