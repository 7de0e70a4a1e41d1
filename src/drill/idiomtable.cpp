#include "drill/idiomtable.h"

#include "drill/idiomcompanion.h"

static_assert(IdiomTable::kMaxLines == IdiomCompanion::kMaxLines);
static_assert(IdiomTable::kMaxFields == IdiomCompanion::kMaxFields);

IdiomTable::IdiomTable() : m_cells((kMaxLines + 1) * (kMaxFields + 1)) {}

const QString& IdiomTable::field(int line, int field) const
{
    static const QString empty;
    if (line < 0 || line > kMaxLines || field < 0 || field > kMaxFields)
        return empty;
    return m_cells[line * (kMaxFields + 1) + field];
}

Status IdiomTable::loadIdiomTable(const QString& dataFileName)
{
    // Every line is checked before the table changes: a faulty file leaves the earlier load
    // whole instead of a mixture of two files.
    std::vector<QStringList> records;
    const Status status = IdiomCompanion::readRecords(companionFileName(dataFileName), records);
    if (!status.ok())
        return status;

    for (std::size_t i = 0; i < records.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        QString* row = &m_cells[line * (kMaxFields + 1)];
        // A record with fewer fields than the one stored here before must not show that
        // record's reading or meaning.
        for (int f = 1; f <= kMaxFields; ++f)
            row[f].clear();
        const QStringList& fields = records[i];
        for (qsizetype f = 0; f < fields.size(); ++f)
            row[f + 1] = fields.at(f);
    }
    m_idiomLineCount = static_cast<int>(records.size());
    return Status::success();
}

QString companionFileName(const QString& dataFileName)
{
    const qsizetype slash = dataFileName.lastIndexOf(u'/');
    const qsizetype dot = dataFileName.lastIndexOf(u'.');
    const QString stem = dot > slash ? dataFileName.left(dot) : dataFileName;
    return stem + QStringLiteral("vv.ccc");
}
