#pragma once

#include <QString>
#include <QTextStream>

class QIODevice;
class ResultsInstallation;
class Sleeper;
struct AuditOptions;
struct ExportOptions;
struct ReportOptions;

// The commands of yoji-results behind its option parsing. Each returns the exit status.
namespace ResultsCommands {

// 0 after the export, with a torn tail only reported on err; 2 when the file cannot be read
// or the output cannot be written.
int exportResults(const ResultsInstallation& installation, const ExportOptions& options,
                  QIODevice& out, QTextStream& err);

} // namespace ResultsCommands
