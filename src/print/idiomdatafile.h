#pragma once

#include "core/sharedstate.h"
#include "drill/idiomtable.h"
#include "print/worksheetidioms.h"

// The idiom table as loaded from the program's data file, read afresh at every load.
class IdiomDataFile : public WorksheetIdioms
{
public:
    IdiomDataFile(IdiomTable& table, const SharedState& state) : m_table(table), m_state(state) {}
    Status load() override
    {
        return m_table.loadIdiomTable(m_state.programFolder + kIdiomDataFileName);
    }
    int idiomLineCount() const override { return m_table.idiomLineCount(); }
    QString field(int line, int field) const override { return m_table.field(line, field); }

private:
    IdiomTable& m_table;
    const SharedState& m_state;
};
