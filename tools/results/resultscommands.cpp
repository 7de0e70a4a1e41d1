#include "resultscommands.h"

#include "resultexport.h"

namespace {

constexpr int kUnreadable = 2;

} // namespace

namespace ResultsCommands {

int exportResults(const ResultsInstallation& installation, const ExportOptions& options,
                  QIODevice& out, QTextStream& err)
{
    ResultExporter exporter(installation);
    const ExportOutcome outcome = exporter.exportTo(options, out);
    if (!outcome.status.ok()) {
        err << outcome.status.message << Qt::endl;
        return kUnreadable;
    }
    if (outcome.tailLength > 0)
        err << QStringLiteral("ファイルの末尾 %1 バイト（バイト位置 %2 から）は途中で切れた記録な"
                              "ので、書き出していません。")
                   .arg(outcome.tailLength)
                   .arg(outcome.tailOffset)
            << Qt::endl;
    return 0;
}

} // namespace ResultsCommands
