// A settings writer for the kill and concurrency tests: each update moves one pupil's exam date
// a day on through the real file (a pupil without one starts from 2026-01-01), taking the pupils
// from first to first + pupils - 1 in turn, and prints how many updates have returned.
//   pupil_settings_writer <file> <first> <pupils> <updates>   (updates 0: until killed)
#include "platform/filecalls.h"
#include "review/pupilsettings.h"

#include "shortsleeper.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: pupil_settings_writer file first pupils updates\n");
        return 2;
    }
    PosixFileCalls calls;
    ShortSleeper sleeper;
    PupilSettingsFile file(args[1], calls, sleeper);
    const int first = args[2].toInt();
    const int pupils = args[3].toInt();
    const int updates = args[4].toInt();
    for (int k = 0; updates == 0 || k < updates; ++k) {
        const Status status = file.update(first + k % pupils, [](PupilSettings& settings) {
            settings.examDate =
                (settings.examDate.isValid() ? settings.examDate : QDate(2026, 1, 1)).addDays(1);
        });
        if (!status.ok()) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(status.message));
            return 1;
        }
        std::printf("%d\n", k + 1);
        std::fflush(stdout);
    }
    return 0;
}
