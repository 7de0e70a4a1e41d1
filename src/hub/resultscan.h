#pragma once

#include "platform/filecalls.h"
#include "platform/status.h"

#include <QString>
#include <QtGlobal>

#include <functional>

struct ResultRecord;

// Reads the result file in file order, from its start or, when newest is above 0 and the file
// holds more records, from the newest that many. Each whole record goes to each; progress
// hears (0, count) before the first read and (records read, count) after every chunk. A file
// that shrinks while it is read ends the scan without an error.
Status scanResultFile(FileCalls& calls, const QString& path, qint64 newest,
                      const std::function<void(const ResultRecord&)>& each,
                      const std::function<void(qint64 done, qint64 count)>& progress);

inline const QString kUnreadableResultFileText = QStringLiteral("成績ファイルを読めませんでした");
