#pragma once

#include "platform/filecalls.h"

#include <QString>

struct SharedState;

inline const QString kResultFileName = QStringLiteral("成績累積データ.dat");
inline const QString kHomeResultFileName = QStringLiteral("成績累積データ家庭用.dat");

// The result file in dataFolder and the home-use copy in commonFolder.
QString resultFilePath(const SharedState& state);
QString homeResultFilePath(const SharedState& state);

// Opens a record file for random access, creating it empty when it is missing: a fresh
// installation has no result file yet and simply has no records. Returns 0 or the system's
// error number.
int resultFileOpen(FileCalls& calls, const QString& path, FileCalls::Access access, int* fd);
