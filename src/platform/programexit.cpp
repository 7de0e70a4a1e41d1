#include "platform/programexit.h"

#include <cstdio>
#include <cstdlib>

void ProcessExit::exitProgram(int status)
{
    std::fflush(nullptr);
    std::_Exit(status);
}
