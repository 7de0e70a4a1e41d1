#pragma once

#include <QString>
#include <QStringList>

// The folder of the help book installed with the program, found from the executable's folder.
QString installedHelpFolder(const QString& executableFolder);

// The places the contents page "<contentName>.html" is looked for, in this order: the program
// folder, so that an installation can carry a book of its own, then the installed copy.
QStringList helpBookPlaces(const QString& programFolder, const QString& contentName,
                           const QString& executableFolder);
