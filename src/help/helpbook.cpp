#include "help/helpbook.h"

QString installedHelpFolder(const QString& executableFolder)
{
    return executableFolder + QStringLiteral("/../share/yojidrill/help/");
}

QStringList helpBookPlaces(const QString& programFolder, const QString& contentName,
                           const QString& executableFolder)
{
    const QString fileName = contentName + QStringLiteral(".html");
    return {programFolder + fileName, installedHelpFolder(executableFolder) + fileName};
}
