#pragma once

#include "core/catalogue.h"
#include "core/sharedstate.h"
#include "fakenavigator.h"
#include "fakes.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/records.h"
#include "records/resultfiles.h"
#include "results/drillfinish.h"
#include "sound/cuetable.h"
#include "sound/soundcues.h"
#include "testinstallation.h"
#include "testitems.h"
#include "testresults.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// Sound output that can act in the middle of a fanfare, as a tick or a click would.
class HookedSoundOutput : public FakeSoundOutput
{
public:
    SoundReply send(const QString& command) override
    {
        if (whilePlaying)
            whilePlaying(command);
        return FakeSoundOutput::send(command);
    }
    std::function<void(const QString&)> whilePlaying;
};

// A finished drill as the drill screen leaves it: the catalogue filled, the statistics computed
// as the hub computed them, the result recorded by the real recorder (which sets the record
// flags and appends to the result file). Every item: target 60, limit 120, multiplier 10,
// windows of 7 and 30 days, mastered with 3 attempts and 30 points; no move-on goal.
// Sounds live in <files>/, with "best" as the personal-best cue and "fail" as the fail cue.
class FinishFixture : public ::testing::Test
{
protected:
    static constexpr int kPupil = 7;
    static constexpr int kOther = 8;

    FinishFixture()
    {
        state->dataFolder = inst.programDir() + u'/';
        state->commonFolder = inst.programDir() + QStringLiteral("/../files/");
        state->soundFolder = inst.filesDir() + u'/';
        state->contentName = QStringLiteral("Sorawa");
        fillCatalogue(*state);
        setEveryItem(
            *state,
            {.multiplier = 10.0f, .text6 = QStringLiteral("0"), .text7 = QStringLiteral("0")});
        state->pupilNo = kPupil;
        state->pupilName = QStringLiteral(" 山田　花子          ");
        inst.writeText(QStringLiteral("files/新音ファイル.txt"),
                       QStringLiteral("自己最高音2,best,*\n不合格音1,fail,*\n"));
        cues.load(state->soundFolder + kCueListFileName);
        writeEarlier({});
    }

    QString cue(const QString& file) const
    {
        return QStringLiteral("play ") + state->soundFolder + file + QStringLiteral(".wav wait");
    }

    // Earlier results, written straight to the result file.
    void writeEarlier(const std::vector<std::tuple<int, int, qint32, int>>& results)
    {
        std::vector<ResultRecord> records;
        for (const auto& [pupil, item, seconds, daysAgo] : results)
            records.push_back(
                testResult(pupil, item, seconds, dayNumberBefore(clock.current.date(), daysAgo)));
        writeResultFile(inst, records);
    }

    // The drill of the current pupil on an item ends with a result.
    void finishDrill(int item, qint32 seconds, bool timeOver = false)
    {
        records.computeStatistics();
        state->drillItemNo = static_cast<qint16>(item);
        state->drillResult = seconds;
        state->drillRun.timeOver = timeOver;
        records.recorder().recordResult(item);
    }

    TestInstallation inst;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    ManualClock clock;
    InstantSleeper sleeper;
    FakeMessageBox messages;
    FakeProgramExit exit;
    Records records{*state, clock, sleeper, messages, exit};
    CueTable cues;
    HookedSoundOutput output;
    ScriptedRandom random;
    SoundCues sound{*state, cues, output, random, messages, exit};
    FakeNavigator navigator;
    FinishServices services{*state, navigator, sound, records};
};
