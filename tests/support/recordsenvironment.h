#pragma once

#include "core/sharedstate.h"
#include "fakes.h"
#include "records/records.h"
#include "scriptedfilecalls.h"
#include "testinstallation.h"

#include <memory>

// An installation with the records subsystem wired to fakes: a manual clock, a sleeper that
// only counts, message and exit fakes, and file calls that a test can make fail.
struct RecordsEnvironment
{
    TestInstallation inst;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    ManualClock clock;
    InstantSleeper sleeper;
    FakeMessageBox messages;
    FakeProgramExit exit;
    ScriptedFileCalls calls;
    Records records{*state, clock, sleeper, messages, exit, &calls};
};
