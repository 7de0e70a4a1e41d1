#pragma once

#include <QString>
#include <QStringList>

// The places the contents page "<contentName>.html" is looked for, in this order: the program
// folder, so that an installation can carry a book of its own, then the installed copies.
QStringList helpBookPlaces(const QString& programFolder, const QString& contentName,
                           const QString& executableFolder);
