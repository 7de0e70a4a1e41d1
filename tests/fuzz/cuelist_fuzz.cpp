// The cue list file and the picks made from it.
#include "scratchfolder.h"
#include "sound/cuetable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = ScratchFolder::instance().filesFolder() + kCueListFileName;
    ScratchFolder::write(path, data, size);
    CueTable table;
    if (!table.load(path).ok())
        return 0;
    for (int cue = CueTable::Correct1; cue <= CueTable::Fail1; ++cue)
        for (const double r : {0.0, 0.5, 0.999999})
            table.pickFile(cue, r);
    return 0;
}
