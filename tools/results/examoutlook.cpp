#include "examoutlook.h"

#include "platform/filecalls.h"
#include "platform/sleeper.h"
#include "resultsinstallation.h"
#include "review/pupilsettings.h"

QString ExamOutlook::line() const
{
    return QStringLiteral("試験日：%1（あと%2日）　")
               .arg(date.toString(Qt::ISODate))
               .arg(daysLeft) +
           examForecastText(forecast.total, idiomCount);
}

QStringList ExamOutlook::rangeLines() const
{
    QStringList lines;
    for (size_t k = 0; k < rangeIdioms.size(); ++k) {
        if (rangeIdioms[k] > 0)
            lines << QStringLiteral("範囲%1：%2/%3")
                         .arg(k + 1)
                         .arg(qRound(forecast.byRange[k]))
                         .arg(rangeIdioms[k]);
    }
    return lines;
}

std::optional<ExamOutlook> examOutlook(const PupilStudy& choosing,
                                       const std::vector<MapIdiom>& idioms, const QDate& examDate,
                                       const QDate& today)
{
    if (!examDate.isValid() || today.daysTo(examDate) <= 0)
        return std::nullopt;
    ExamOutlook outlook;
    outlook.date = examDate;
    outlook.daysLeft = static_cast<int>(today.daysTo(examDate));
    outlook.forecast = forecastExamDay(choosing, examDate);
    outlook.idiomCount = static_cast<int>(idioms.size());
    for (const MapIdiom& idiom : idioms) {
        if (idiom.range >= 1 && idiom.range <= kRangeCount)
            ++outlook.rangeIdioms[static_cast<size_t>(idiom.range - 1)];
    }
    return outlook;
}

QMap<int, PupilSettings> readPupilSettings(const ResultsInstallation& installation,
                                           QTextStream& err)
{
    // Reading takes no lock, so neither of these is ever called.
    PosixFileCalls calls;
    EventLoopSleeper sleeper;
    QMap<int, PupilSettings> pupils;
    const Status status =
        PupilSettingsFile(installation.pupilSettingsFile(), calls, sleeper).read(&pupils);
    if (!status.ok())
        err << status.message << Qt::endl;
    return pupils;
}
