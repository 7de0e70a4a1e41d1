#include "resultscommands.h"

#include "core/blanks.h"
#include "examoutlook.h"
#include "hub/graphdata.h"
#include "hub/paintergraphcanvas.h"
#include "platform/clock.h"
#include "platform/filecalls.h"
#include "print/pagetarget.h"
#include "print/qtprintdevices.h"
#include "progressreport.h"
#include "progressreportdrawing.h"
#include "records/records.h"
#include "records/resultfilewriter.h"
#include "resultaudit.h"
#include "resultexport.h"
#include "resultsinstallation.h"
#include "review/pupilsettings.h"
#include "review/pupilstudy.h"
#include "review/studycache.h"
#include "review/studymapdrawing.h"
#include "roster/nameselection.h"
#include "studyaudit.h"
#include "studyexport.h"
#include "studytable.h"
#include "writingprogress.h"

#include <QFileInfo>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kFaults = 1;
constexpr int kUnreadable = 2;

// The maps of the pupils of the report, with their writing figures and exam outlooks put into
// pages; an empty list and no figures when the idiom file or the study log cannot be read (told
// on err): the rest of the report is still worth having.
std::vector<StudyMap> reportStudies(const ResultsInstallation& installation,
                                    std::vector<PupilProgress>& pages, const QDate& today,
                                    QTextStream& err)
{
    const QString log = installation.studyLogFile();
    std::vector<MapIdiom> idioms;
    Status status = installation.loadIdioms(idioms);
    std::vector<int> pupils;
    for (const PupilProgress& page : pages)
        pupils.push_back(page.pupil);
    std::vector<WritingProgress> writing;
    if (status.ok())
        status = tallyWriting(log, pupils, writing);
    std::vector<StudyMap> maps(pages.size());
    std::vector<std::optional<ExamOutlook>> exams(pages.size());
    const QMap<int, PupilSettings> settings =
        status.ok() ? readPupilSettings(installation, err) : QMap<int, PupilSettings>();
    StudyCache studies(StudyCheckpoints(StudyCheckpoints::standardFolder()));
    for (size_t k = 0; k < pages.size() && status.ok(); ++k) {
        status = loadStudyMap(log, pupils[k], idioms, today, maps[k], &studies);
        if (status.ok())
            exams[k] = examOutlook(*studies.study(log, pupils[k], &status), idioms,
                                   settings.value(pupils[k]).examDate, today);
        if (status.ok() && writing[k].hasAnswers())
            writing[k].takeIdioms(*studies.study(log, pupils[k], &status, StudySkill::Write),
                                  idioms, today);
    }
    if (status.ok()) {
        for (size_t k = 0; k < pages.size(); ++k) {
            pages[k].writing = writing[k];
            pages[k].exam = exams[k];
        }
        return maps;
    }
    err << status.message
        << QStringLiteral("（覚えた熟語のページと書き取りのようすと試験日の見込みは入りません）")
        << Qt::endl;
    return {};
}

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

int exportStudy(const ResultsInstallation& installation, const ExportOptions& options,
                QIODevice& out, QTextStream& err)
{
    std::vector<MapIdiom> idioms;
    if (const Status loaded = installation.loadIdioms(idioms); !loaded.ok())
        err << loaded.message << QStringLiteral("（読みと意味は空になります）") << Qt::endl;
    const StudyExportOutcome outcome = StudyExporter(installation, idioms).exportTo(options, out);
    if (!outcome.status.ok()) {
        err << outcome.status.message << Qt::endl;
        return kUnreadable;
    }
    if (outcome.damaged > 0)
        err << QStringLiteral("こわれた記録（チェックサムが合わないか、ありえない値）%1 件は"
                              "書き出していません。")
                   .arg(outcome.damaged)
            << Qt::endl;
    if (outcome.tornTailBytes > 0)
        err << QStringLiteral(
                   "ファイルの末尾 %1 バイトは途中で切れた記録なので、書き出していません。")
                   .arg(outcome.tornTailBytes)
            << Qt::endl;
    return 0;
}

int study(const ResultsInstallation& installation, int pupil, const QDate& today, bool csv,
          QTextStream& out, QTextStream& err)
{
    std::vector<MapIdiom> idioms;
    std::shared_ptr<const PupilStudy> choosing;
    std::shared_ptr<const PupilStudy> writing;
    Status status = installation.loadIdioms(idioms);
    StudyCache studies(StudyCheckpoints(StudyCheckpoints::standardFolder()));
    if (status.ok())
        choosing = studies.study(installation.studyLogFile(), pupil, &status);
    if (status.ok())
        writing = studies.study(installation.studyLogFile(), pupil, &status, StudySkill::Write);
    if (!status.ok()) {
        err << status.message << Qt::endl;
        return kUnreadable;
    }
    // As a character: a stream decodes a char* as UTF-8 first, which drops a leading mark.
    if (csv)
        out << QChar(QChar::ByteOrderMark);
    for (const QString& line : studyTableLines(*choosing, *writing, idioms, today, csv))
        out << line << (csv ? "\r\n" : "\n");
    // After the table, so that a script reading the table still finds its heading first.
    if (!csv)
        if (const std::optional<ExamOutlook> outlook =
                examOutlook(*choosing, idioms,
                            readPupilSettings(installation, err).value(pupil).examDate, today))
            out << outlook->line() << '\n';
    out.flush();
    return 0;
}

int examDate(const ResultsInstallation& installation, const std::vector<int>& pupils, bool all,
             const QString& dateText, const QDate& today, Sleeper& sleeper, QTextStream& out,
             QTextStream& err)
{
    QDate date;
    if (dateText != QLatin1String("none")) {
        date = QDate::fromString(dateText, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid()) {
            err << QStringLiteral(
                       "試験日は YYYY-MM-DD の形で、消すときは none と指定してください: ")
                << dateText << Qt::endl;
            return kFaults;
        }
        // On the exam day itself there is nothing left to plan.
        if (date <= today) {
            err << QStringLiteral("試験日 %1 は過ぎているか今日です。あした以降の日付を指定して"
                                  "ください。")
                       .arg(dateText)
                << Qt::endl;
            return kFaults;
        }
    }
    const std::vector<int> chosen = all ? installation.listedPupils() : pupils;
    for (const int pupil : chosen) {
        if (!installation.isInRoster(pupil)) {
            err << QStringLiteral("生徒番号 %1 は名簿にありません。").arg(pupil) << Qt::endl;
            return kFaults;
        }
    }
    PosixFileCalls calls;
    PupilSettingsFile file(installation.pupilSettingsFile(), calls, sleeper);
    QMap<int, PupilSettings> before;
    const Status read = file.read(&before);
    if (!read.ok()) {
        err << read.message << Qt::endl;
        if (read.code != PupilSettingsFile::kDamagedLines)
            return kFaults;
    }
    const QString setText =
        date.isValid() ? QStringLiteral("試験日 ") + dateText : QStringLiteral("試験日なし");
    for (const int pupil : chosen) {
        bool changed = false;
        const Status updated = file.update(
            pupil, [&](PupilSettings& settings) { changed = setExamDate(settings, date, today); });
        if (!updated.ok()) {
            err << updated.message << Qt::endl;
            return kFaults;
        }
        if (changed) {
            const QString name = installation.isListed(pupil)
                                     ? u' ' + trimBlanks(installation.state().pupilNameByNo[pupil])
                                     : QString();
            out << pupil << name << QStringLiteral("：") << setText << Qt::endl;
        }
    }
    // The dates are set, but a script must still learn that other settings were lost.
    return read.ok() ? 0 : kFaults;
}

int audit(const ResultsInstallation& installation, const QDate& today, bool cutTornTail,
          Sleeper& sleeper, QTextStream& out, QTextStream& err)
{
    const AuditReport report = ResultAudit(installation, today).run();
    for (const QString& line : auditReportLines(report))
        out << line << '\n';
    // Without a study log there is no idiom to look up.
    std::vector<MapIdiom> idioms;
    const Status idiomsLoaded = QFileInfo::exists(installation.studyLogFile())
                                    ? installation.loadIdioms(idioms)
                                    : Status::success();
    if (!idiomsLoaded.ok())
        err << idiomsLoaded.message << QStringLiteral("（学習記録の熟語は点検しません）")
            << Qt::endl;
    const StudyAuditReport studyReport =
        auditStudyLog(installation, idiomsLoaded.ok() ? &idioms : nullptr);
    out << '\n';
    for (const QString& line : studyReport.lines())
        out << line << '\n';
    out.flush();
    int status = std::max(report.exitStatus(), studyReport.exitStatus());
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

    // Without a test there is nothing to chart; and the program's reader would wait for a
    // result file that a new installation does not have yet, then stop the tool.
    std::vector<GraphPage> charts(pages.size());
    if (std::any_of(pages.begin(), pages.end(),
                    [](const PupilProgress& page) { return !page.items.empty(); })) {
        SharedState& state = installation.state();
        Records records(state, clock, sleeper, messages, exit);
        records.computeStatistics();
        const GraphDataReader chartReader(state, records.tables(), records.fileCalls(), clock);
        for (size_t k = 0; k < pages.size(); ++k)
            charts[k] = chartReader.read({pages[k].pupil, pages[k].chartItems,
                                          gradeFilterEntries().first(), PointsPeriod::AllTime});
    }

    const std::vector<StudyMap> maps = reportStudies(installation, pages, clock.now().date(), err);

    QtPrintDevices devices;
    const std::unique_ptr<PageDocument> document = devices.startPdfDocument(options.output, true);
    QPainter* painter = document ? document->painter() : nullptr;
    if (!painter || !painter->device()) {
        err << options.output << QStringLiteral(" に書き込めません。") << Qt::endl;
        return kUnreadable;
    }
    const double pixelsPerMm = painter->device()->logicalDpiX() / 25.4;
    const QRectF printable = PageGeometry::printableRectMm(true);
    const QRectF area(printable.topLeft() * pixelsPerMm, printable.size() * pixelsPerMm);
    const auto nextSheet = [&document] { return document->newPage(); };
    PainterGraphCanvas canvas(*painter, area.topLeft(), pixelsPerMm, nextSheet);
    for (size_t k = 0; k < pages.size(); ++k) {
        if (k > 0 && !nextSheet())
            break;
        drawProgressReport({pages[k]}, {charts[k]}, canvas);
        if (k < maps.size() && nextSheet())
            StudyMapDrawing::drawSheets(*painter, area, pixelsPerMm, maps[k], pages[k].title(),
                                        nextSheet);
    }
    if (!document->finish()) {
        err << options.output << QStringLiteral(" に書き込めませんでした。") << Qt::endl;
        return kUnreadable;
    }
    return 0;
}

} // namespace ResultsCommands
