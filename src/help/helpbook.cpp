#include "help/helpbook.h"

#include "core/installationfinder.h"

QStringList helpBookPlaces(const QString& programFolder, const QString& contentName,
                           const QString& executableFolder)
{
    const QString fileName = contentName + QStringLiteral(".html");
    QStringList places{programFolder + fileName};
    for (const QString& folder : installedDataFolders(executableFolder))
        places << folder + QStringLiteral("/help/") + fileName;
    return places;
}
