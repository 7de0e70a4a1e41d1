#pragma once

#include "platform/status.h"
#include "writing/stroketable.h"

// The stroke table built into the program, read at its first use and kept until the program
// ends: the hub and the writing screen ask for it on every visit.
struct BuiltInStrokes
{
    StrokeTable table;
    Status loaded; // the reason the table is empty when it could not be read

    static const BuiltInStrokes& get();
};
