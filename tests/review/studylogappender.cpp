// An appender for the study log's kill and concurrency tests: appends answers of one pupil
// through the real writer, numbering them in the second-of-day field from a first number on,
// and prints each number once its append has returned. Given a checkpoint folder, it looks at
// the pupil's study after each append and saves a checkpoint each time.
//   study_log_appender <logFile> <pupilNo> <first> <count> [checkpointFolder]
//   (count 0: until killed)
#include "review/studycache.h"
#include "review/studylog.h"

#include "shortsleeper.h"

#include <QCoreApplication>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 && args.size() != 6) {
        std::fprintf(stderr,
                     "usage: study_log_appender logFile pupilNo first count [checkpointFolder]\n");
        return 2;
    }
    std::optional<StudyCache> studies;
    if (args.size() == 6)
        studies.emplace(StudyCheckpoints(args[5], 1));
    PosixFileCalls calls;
    ShortSleeper sleeper;
    StudyLogWriter writer(calls, sleeper);
    StudyEvent event;
    event.date = QDate(2026, 12, 8);
    event.pupilNo = args[2].toInt();
    event.idiom = QStringLiteral("臥薪嘗胆");
    event.range = 6;
    const int first = args[3].toInt();
    const int count = args[4].toInt();
    for (int number = first; count == 0 || number < first + count; ++number) {
        event.secondOfDay = number;
        const Status status = writer.append(args[1], event);
        if (!status.ok()) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(status.message));
            return 1;
        }
        std::printf("%d\n", number);
        std::fflush(stdout);
        Status looked;
        if (studies)
            studies->study(args[1], event.pupilNo, &looked);
    }
    return 0;
}
