// The plain idiom table of the idiom file tool; what it accepts must survive the companion
// file: written, read back and compared field by field.
#include "drill/idiomcompanion.h"
#include "drill/idiomsource.h"
#include "scratchfolder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::vector<IdiomSource::Row> rows;
    if (!IdiomSource::parse(text, QStringLiteral("table.csv"), rows).ok())
        return 0;
    IdiomSource::setProblems(rows);
    const QString companion = ScratchFolder::instance().programFolder() + QStringLiteral("t.ccc");
    FUZZ_CHECK(IdiomSource::writeCompanionFile(rows, companion).ok());
    std::vector<QStringList> records;
    FUZZ_CHECK(IdiomCompanion::readRecords(companion, records).ok());
    FUZZ_CHECK(records.size() == rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        FUZZ_CHECK(records[i] == rows[i].fields);
    return 0;
}
