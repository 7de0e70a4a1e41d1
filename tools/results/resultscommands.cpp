#include "resultscommands.h"

#include "hub/graphdata.h"
#include "hub/paintergraphcanvas.h"
#include "platform/filecalls.h"
#include "progressreport.h"
#include "progressreportdrawing.h"
#include "records/records.h"
#include "records/resultfilewriter.h"
#include "resultaudit.h"
#include "resultexport.h"
#include "resultsinstallation.h"
#include "roster/nameselection.h"

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

int audit(const ResultsInstallation& installation, const QDate& today, bool cutTornTail,
          Sleeper& sleeper, QTextStream& out, QTextStream& err)
{
    const AuditReport report = ResultAudit(installation, today).run();
    for (const QString& line : auditReportLines(report))
        out << line << '\n';
    out.flush();
    int status = report.exitStatus();
    if (!cutTornTail)
        return status;
    PosixFileCalls calls;
    ResultFileWriter writer(calls, sleeper);
    for (const AuditedFile& file : report.files) {
        if (!file.status.ok() || file.tailLength == 0)
            continue;
        qint64 cut = 0;
        const Status cutStatus = writer.cutTornTail(file.path, file.recordLength, &cut);
        if (!cutStatus.ok()) {
            err << file.name << QStringLiteral(" の末尾を切り取れませんでした（")
                << cutStatus.message << QStringLiteral("）。") << Qt::endl;
            status = kUnreadable;
        } else if (cut > 0) {
            out << file.name
                << QStringLiteral(": 途中で切れた記録の %1 バイトを切り取りました（バイト位置 %2 "
                                  "から）。")
                       .arg(cut)
                       .arg(file.tailOffset)
                << Qt::endl;
        }
    }
    return status;
}

int report(ResultsInstallation& installation, const ReportOptions& options, const Clock& clock,
           Sleeper& sleeper, MessageBox& messages, ProgramExit& exit, QTextStream& err)
{
    std::vector<PupilProgress> pages;
    const Status built =
        ProgressReportBuilder(installation)
            .build(options.all ? installation.listedPupils() : options.pupils, pages);
    if (!built.ok()) {
        err << built.message << Qt::endl;
        return kUnreadable;
    }

    SharedState& state = installation.state();
    Records records(state, clock, sleeper, messages, exit);
    records.computeStatistics();
    const GraphDataReader chartReader(state, records.tables(), records.fileCalls(), clock);
    std::vector<GraphPage> charts;
    for (const PupilProgress& page : pages)
        charts.push_back(chartReader.read(
            {page.pupil, page.chartItems, gradeFilterEntries().first(), PointsPeriod::AllTime}));

    QtGraphPaper paper;
    const std::unique_ptr<GraphDocument> document = paper.startPdfDocument(options.output);
    if (!document) {
        err << options.output << QStringLiteral(" に書き込めません。") << Qt::endl;
        return kUnreadable;
    }
    drawProgressReport(pages, charts, document->canvas());
    if (!document->finish()) {
        err << options.output << QStringLiteral(" に書き込めませんでした。") << Qt::endl;
        return kUnreadable;
    }
    return 0;
}

} // namespace ResultsCommands
