// An appender for the kill test: appends results of one pupil to a result file through the
// real writer, numbered from a first result on, and prints each number once its append has
// returned, so the test knows which appends must be in the file.
//   endless_appender <resultFile> <pupilNo> <firstResult> <count>   (count 0: until killed)
#include "platform/filecalls.h"
#include "records/recordcodec.h"
#include "records/resultfilewriter.h"

#include "shortsleeper.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: endless_appender resultFile pupilNo firstResult count\n");
        return 2;
    }
    PosixFileCalls calls;
    ShortSleeper sleeper;
    ResultFileWriter writer(calls, sleeper);
    ResultRecord record;
    record.date = 46122;
    record.time = 0.5;
    record.pupilNo = static_cast<qint16>(args[2].toInt());
    record.itemNo = 2;
    record.setSchoolCode(QStringLiteral("12345"));
    const qint32 first = args[3].toInt();
    const qint32 count = args[4].toInt();
    for (qint32 result = first; count == 0 || result < first + count; ++result) {
        record.result = result;
        const Status status = writer.append(args[1], RecordCodec::kResultLength,
                                            [&] { return RecordCodec::encodeResult(record); });
        if (!status.ok()) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(status.message));
            return 1;
        }
        std::printf("%d\n", result);
        std::fflush(stdout);
    }
    return 0;
}
