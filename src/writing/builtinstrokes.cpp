#include "writing/builtinstrokes.h"

const BuiltInStrokes& BuiltInStrokes::get()
{
    static const BuiltInStrokes strokes = [] {
        BuiltInStrokes read;
        read.loaded = read.table.load(StrokeTable::kBuiltInPath);
        return read;
    }();
    return strokes;
}
