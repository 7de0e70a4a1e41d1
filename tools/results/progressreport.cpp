#include "progressreport.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "platform/daynumber.h"
#include "records/mastery.h"
#include "records/recordcodec.h"
#include "records/recordfilestream.h"
#include "records/resultstatistics.h"
#include "resultexport.h"
#include "resultsinstallation.h"

#include <algorithm>
#include <cmath>

qint64 ItemProgress::average() const
{
    return counted > 0 ? static_cast<qint64>(std::floor(double(countedSum) / counted + 0.5)) : 0;
}

QString PupilProgress::title() const
{
    return name.isEmpty() ? QStringLiteral("生徒番号 %1").arg(pupil)
                          : name + QStringLiteral(" さん");
}

Status ProgressReportBuilder::build(const std::vector<int>& pupils,
                                    std::vector<PupilProgress>& pages) const
{
    const SharedState& state = m_installation.state();
    // Per pupil number, the page's place in pages (-1: not asked for), and per page its items
    // by item number.
    std::vector<int> pageOf(kMaxPupilNo + 1, -1);
    std::vector<std::vector<ItemProgress>> itemsOf;
    pages.clear();
    for (const int pupil : pupils) {
        if (!isValidPupilNo(pupil) || pageOf[static_cast<size_t>(pupil)] >= 0)
            continue;
        pageOf[static_cast<size_t>(pupil)] = static_cast<int>(pages.size());
        PupilProgress page;
        page.pupil = pupil;
        if (m_installation.isListed(pupil)) {
            page.name = trimBlanks(state.pupilNameByNo[pupil]);
            page.grade = state.gradeLabelByNo[pupil];
        }
        page.school = state.schoolName;
        pages.push_back(page);
        itemsOf.emplace_back(kMaxItemNo + 1);
    }

    RecordFileStream stream(RecordCodec::kResultLength);
    const bool newInstallation = notMadeYet(m_installation.resultFile());
    if (Status status =
            newInstallation ? Status::success() : stream.open(m_installation.resultFile());
        !status.ok())
        return status;
    while (const char* bytes = stream.next()) {
        const ResultRecord record = RecordCodec::decodeResultNumbers(bytes);
        const int item = record.itemNo;
        if (!isValidPupilNo(record.pupilNo) || item < 1 || item > state.itemCount)
            continue;
        const int index = pageOf[static_cast<size_t>(record.pupilNo)];
        const QDate date = DayNumber::toDate(record.date);
        if (index < 0 || !date.isValid())
            continue;
        PupilProgress& page = pages[static_cast<size_t>(index)];
        page.first = page.first.isValid() ? std::min(page.first, date) : date;
        page.last = page.last.isValid() ? std::max(page.last, date) : date;

        ItemProgress& progress = itemsOf[static_cast<size_t>(index)][static_cast<size_t>(item)];
        ++progress.tests;
        if (record.result < ResultStatistics::kCountedBelow) {
            ++progress.counted;
            progress.countedSum += record.result;
            progress.best =
                progress.best > 0 ? std::min(progress.best, record.result) : record.result;
        }
        progress.points += ResultStatistics::pointsFor(record.result, state.itemTargetTime[item],
                                                       state.itemField5[item]);
        progress.latest.push_back({date, record.result});
        if (progress.latest.size() > ItemProgress::kLatest)
            progress.latest.erase(progress.latest.begin());
    }
    if (!stream.status().ok())
        return stream.status();

    for (size_t index = 0; index < pages.size(); ++index) {
        for (int item = 1; item <= state.itemCount; ++item) {
            ItemProgress progress = itemsOf[index][static_cast<size_t>(item)];
            if (progress.tests == 0)
                continue;
            progress.item = item;
            progress.caption = state.itemName[item];
            progress.mastered = itemMasteredBy(state, item, progress.counted, progress.points);
            progress.pointsToGo =
                std::max<qint64>(state.itemRequiredScore[item] - progress.points, 0);
            progress.testsToGo =
                std::max<qint64>(state.itemRequiredCount[item] - progress.counted, 0);
            pages[index].items.push_back(progress);
        }
        pages[index].newInstallation = newInstallation;
        finish(pages[index]);
    }
    return Status::success();
}

void ProgressReportBuilder::finish(PupilProgress& page) const
{
    const SharedState& state = m_installation.state();
    std::vector<const ItemProgress*> open;
    for (const ItemProgress& progress : page.items) {
        if (!progress.mastered)
            open.push_back(&progress);
    }
    std::stable_sort(open.begin(), open.end(), [](const ItemProgress* a, const ItemProgress* b) {
        return std::pair(a->pointsToGo, a->testsToGo) < std::pair(b->pointsToGo, b->testsToGo);
    });
    for (size_t k = 0; k < open.size() && k < PupilProgress::kNotMasteredListed; ++k)
        page.nextToPractise << open[k]->caption;

    // The next range: the first test item above the highest one tried.
    const int highest = page.items.empty() ? 0 : page.items.back().item;
    for (int item = highest + 1; item <= state.itemCount; ++item) {
        if (!isPracticeItem(state, item)) {
            page.nextToPractise << state.itemName[item];
            break;
        }
    }

    std::vector<const ItemProgress*> byTests;
    for (const ItemProgress& progress : page.items)
        byTests.push_back(&progress);
    std::stable_sort(
        byTests.begin(), byTests.end(),
        [](const ItemProgress* a, const ItemProgress* b) { return a->tests > b->tests; });
    for (size_t k = 0; k < byTests.size() && k < PupilProgress::kChartItems; ++k)
        page.chartItems.push_back(byTests[k]->item);
}
