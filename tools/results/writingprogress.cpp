#include "writingprogress.h"

#include "core/itemtables.h"
#include "platform/daynumber.h"
#include "review/studylog.h"
#include "review/studymap.h"

#include <algorithm>

void WritingProgress::takeIdioms(const PupilStudy& writing, const std::vector<MapIdiom>& idioms,
                                 const QDate& today)
{
    const StudyMap map(writing, idioms, today);
    written = static_cast<int>(writing.idioms().size());
    canWrite = map.learnedCount();
    idiomCount = map.idiomCount();
}

Status tallyWriting(const QString& logPath, const std::vector<int>& pupils,
                    std::vector<WritingProgress>& progress)
{
    using namespace StudyLogRecord;
    progress.assign(pupils.size(), {});
    std::vector<int> indexOf(kMaxPupilNo + 1, -1);
    for (size_t k = 0; k < pupils.size(); ++k) {
        if (isValidPupilNo(pupils[k]))
            indexOf[static_cast<size_t>(pupils[k])] = static_cast<int>(k);
    }
    StudyLogReader reader;
    if (Status status = reader.open(logPath); !status.ok())
        return status;
    qint64 count = 0;
    while (const char* records = reader.nextRawRecords(&count)) {
        for (const char* record = records; record < records + count * kLength; record += kLength) {
            const int pupil = pupilOf(record);
            if (!isValidPupilNo(pupil) || indexOf[static_cast<size_t>(pupil)] < 0 ||
                quint8(record[kDrillOffset]) != quint8(StudyDrill::Writing) || faultOf(record))
                continue;
            WritingProgress& pupilProgress = progress[static_cast<size_t>(indexOf[pupil])];
            const QDate date = DayNumber::toDate(getLittleEndian<qint32>(record + kDayOffset));
            ++pupilProgress.answers;
            pupilProgress.rightFirstTry += rightFirstTryOf(record) ? 1 : 0;
            pupilProgress.first =
                pupilProgress.first.isValid() ? std::min(pupilProgress.first, date) : date;
            pupilProgress.last =
                pupilProgress.last.isValid() ? std::max(pupilProgress.last, date) : date;
            const int missed = quint8(record[kWrongReadingsOffset]);
            for (int i = 0; i < 4; ++i) {
                if (!(missed & (1 << i)))
                    continue;
                const QChar kanji(getLittleEndian<char16_t>(record + kIdiomOffset + 2 * i));
                std::vector<WritingProgress::MissedKanji>& tally = pupilProgress.mostMissed;
                auto found = std::find_if(tally.begin(), tally.end(), [kanji](const auto& entry) {
                    return entry.kanji == kanji;
                });
                if (found == tally.end())
                    tally.push_back({kanji, 1});
                else
                    ++found->times;
            }
        }
    }
    for (WritingProgress& pupilProgress : progress) {
        std::vector<WritingProgress::MissedKanji>& tally = pupilProgress.mostMissed;
        std::stable_sort(tally.begin(), tally.end(),
                         [](const auto& a, const auto& b) { return a.times > b.times; });
        if (tally.size() > WritingProgress::kMissedListed)
            tally.resize(WritingProgress::kMissedListed);
    }
    return reader.status();
}
