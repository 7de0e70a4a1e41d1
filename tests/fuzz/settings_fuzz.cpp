// The field reader and the three settings files built on it, fed the same bytes.
#include "core/fieldreader.h"
#include "core/settingsfiles.h"
#include "core/sharedstate.h"
#include "scratchfolder.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    FieldReader reader(bytes);
    qsizetype values = 0;
    while (!reader.atEnd()) {
        reader.readValue();
        // Every value but a final empty one takes at least one byte: the reader moves on.
        FUZZ_CHECK(++values <= bytes.size() + 1);
    }

    const ScratchFolder& scratch = ScratchFolder::instance();
    auto state = std::make_unique<SharedState>();
    state->commonFolder = scratch.filesFolder();
    state->dataFolder = scratch.programFolder();
    for (const QString& path :
         {scratch.programFolder() + kSettingsFileName, scratch.filesFolder() + kCommonDataFileName,
          scratch.programFolder() + kItemTimeTableFileName})
        ScratchFolder::write(path, data, size);
    readSettings(*state, scratch.programFolder());
    readCommonData(*state);
    if (readItemTimeTable(*state, kItemTimeTableFileName).ok())
        checkItemTimeTable(*state);
    return 0;
}
