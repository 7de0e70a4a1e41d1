#include "platform/events.h"

#include <QCoreApplication>

void letPendingEventsRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}
