#pragma once

#include "platform/status.h"

#include <QString>

// Where the worksheet takes its idioms from: loaded afresh before every build of the table.
// Fields as in the idiom table: 1 range, 2 idiom, 3 reading, 4 meaning.
class WorksheetIdioms
{
public:
    virtual ~WorksheetIdioms() = default;
    virtual Status load() = 0;
    virtual int idiomLineCount() const = 0;
    virtual QString field(int line, int field) const = 0;
};
