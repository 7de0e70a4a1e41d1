#include "records/resultfiles.h"

#include "core/sharedstate.h"

QString resultFilePath(const SharedState& state)
{
    return state.dataFolder + kResultFileName;
}

QString homeResultFilePath(const SharedState& state)
{
    return state.commonFolder + kHomeResultFileName;
}

int resultFileOpen(FileCalls& calls, const QString& path, FileCalls::Access access, int* fd)
{
    return calls.openFile(path, access, fd);
}
