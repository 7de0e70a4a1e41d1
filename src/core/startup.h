#pragma once

#include "platform/status.h"

#include <QString>

#include <functional>

struct SharedState;
class MessageBox;

// Reads the settings files, lays out the folders, sets the title, reads the time table and
// then runs loadCueTable. The first problem ends it, with a message that names the file.
Status LoadConfiguration(SharedState& state, const QString& programDir,
                         const std::function<Status()>& loadCueTable);

// The start of the program: sets the shared constants and loads the configuration. On a
// problem it shows the message and returns false; the caller then ends with a non-zero
// status, having written nothing.
bool Main(SharedState& state, const QString& programDir, MessageBox& messages,
          const std::function<Status()>& loadCueTable);

inline const QString kStartupFailureTitle = QStringLiteral("起動できません");
