#pragma once

#include "platform/status.h"

#include <QByteArray>
#include <QString>

// Replacing a file so that a crash or a full disk leaves either the old or the new contents,
// never a shortened file: the new bytes go to a temporary file in the same folder, which is
// flushed to the disk and then renamed over the old one; the folder is flushed last so the
// rename itself survives a power cut.

// Writes bytes to path (created or emptied) and flushes them to the disk. A failed write
// removes the partial file.
Status writeFileDurably(const QString& path, const QByteArray& bytes);

// Renames from over to (atomically) and flushes the folder of to.
Status renameDurably(const QString& from, const QString& to);

// Both steps.
Status replaceFileDurably(const QString& path, const QString& tempPath, const QByteArray& bytes);
