// Appends results to an installation's record files through the real recorder, so that the
// tests can run several writers at the same time:
//   record_appender <dataFolder> <commonFolder> <pupilNo> <count>
// Result k of the run is k seconds on item 2. Prints how often the lock was found held.

#include "core/sharedstate.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "platform/sleeper.h"
#include "records/records.h"

#include <QCoreApplication>

#include <cstdio>
#include <thread>

namespace {

class StderrMessageBox : public MessageBox
{
public:
    Answer show(const QString& title, const QString& text, Buttons) override
    {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
        return Answer::Ok;
    }
};

// Many writers on one file: a full second per retry would only make the test slow.
class CountingSleeper : public Sleeper
{
public:
    void waitWhileEventsRun(int) override
    {
        ++waits;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    int waits = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: record_appender dataFolder commonFolder pupilNo count\n");
        return 2;
    }
    SharedState state;
    state.dataFolder = args[1];
    state.commonFolder = args[2];
    state.schoolCode = QStringLiteral("12345");
    state.contentName = QStringLiteral("record_appender");
    state.pupilNo = static_cast<qint16>(args[3].toInt());
    state.drillItemNo = 2;
    const int count = args[4].toInt();

    SystemClock clock;
    CountingSleeper sleeper;
    StderrMessageBox messages;
    ProcessExit exit;
    Records records(state, clock, sleeper, messages, exit);
    for (int k = 1; k <= count; ++k) {
        state.drillResult = k;
        records.recorder().appendResultRecord();
    }
    std::printf("%d\n", sleeper.waits);
    return 0;
}
