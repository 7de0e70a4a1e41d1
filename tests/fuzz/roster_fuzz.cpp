// The roster readers of the name screen and the hub, and the roster editor, which must write
// back every line it does not edit exactly as it read it.
#include "core/sharedstate.h"
#include "fakenavigator.h"
#include "fakes.h"
#include "roster/rostereditor.h"
#include "roster/rosterfile.h"
#include "roster/rosterreaders.h"
#include "scratchfolder.h"

#include <memory>

namespace {

void readForScreens(const QString& folder, qint16 homeEdition)
{
    auto state = std::make_unique<SharedState>();
    state->commonFolder = folder;
    state->homeEdition = homeEdition;
    const QDate today(2026, 4, 10);
    int listed = 0;
    readRosterForNameScreen(*state, today, [&](const RosterEntry&) { ++listed; });
    FUZZ_CHECK(listed == state->listedPupilCount);
    QStringList hubList;
    readRosterForHub(*state, today, hubList);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString folder = ScratchFolder::instance().filesFolder();
    ScratchFolder::write(folder + kRosterFileName, data, size);
    ScratchFolder::write(folder + kNewRosterFileName, data, size);
    readForScreens(folder, 1);
    readForScreens(folder, 0);

    auto state = std::make_unique<SharedState>();
    state->commonFolder = folder;
    FakeMessageBox messages;
    FakeNavigator navigator;
    RosterEditor editor(*state, messages, navigator);
    const RosterFileContents before = readWholeRoster(editor.rosterPath());
    const RosterBoxes boxes = editor.load();
    if (!editor.write(boxes))
        return 0;
    const RosterFileContents after = readWholeRoster(editor.rosterPath());
    FUZZ_CHECK(before.status.ok() && after.status.ok());
    FUZZ_CHECK(after.entries.size() == before.entries.size());
    for (qsizetype line = 0; line < after.entries.size(); ++line) {
        const RosterEntry& a = after.entries.at(line);
        const RosterEntry& b = before.entries.at(line);
        FUZZ_CHECK(a.pupilNo == b.pupilNo && a.birthYear == b.birthYear &&
                   a.extraNo1 == b.extraNo1 && a.extraNo2 == b.extraNo2 &&
                   a.listStatus == b.listStatus && a.extraText1 == b.extraText1 &&
                   a.extraText2 == b.extraText2);
        // The edited names are trimmed; the others stay byte for byte.
        if (line >= RosterBoxes::kLines)
            FUZZ_CHECK(after.lineBytes.at(line) == before.lineBytes.at(line));
        else
            FUZZ_CHECK(trimBlanks(a.rosterName) == trimBlanks(b.rosterName));
    }
    return 0;
}
