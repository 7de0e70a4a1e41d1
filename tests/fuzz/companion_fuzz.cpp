// The companion idiom file through the descrambler, into the idiom table; a failed load must
// leave the table of the previous load whole.
#include "drill/idiomcompanion.h"
#include "drill/idiomtable.h"
#include "scratchfolder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString dataFile = ScratchFolder::instance().programFolder() + kIdiomDataFileName;
    const QString companion = companionFileName(dataFile);
    static const QByteArray earlier = [] {
        bool ok = false;
        return IdiomCompanion::fileBytes(
            {{QStringLiteral("1"), QStringLiteral("一石二鳥"), QStringLiteral("いっせきにちょう"),
              QStringLiteral("一つのことで二つの得をする")}},
            &ok);
    }();
    ScratchFolder::write(companion, reinterpret_cast<const uint8_t*>(earlier.constData()),
                         static_cast<size_t>(earlier.size()));
    IdiomTable table;
    FUZZ_CHECK(table.loadIdiomTable(dataFile).ok());

    ScratchFolder::write(companion, data, size);
    if (table.loadIdiomTable(dataFile).ok()) {
        FUZZ_CHECK(table.idiomLineCount() >= 0 && table.idiomLineCount() <= IdiomTable::kMaxLines);
        return 0;
    }
    FUZZ_CHECK(table.idiomLineCount() == 1);
    FUZZ_CHECK(table.field(1, IdiomTable::Idiom) == QStringLiteral("一石二鳥"));
    return 0;
}
