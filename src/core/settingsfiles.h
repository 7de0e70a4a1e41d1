#pragma once

#include "platform/status.h"

#include <QString>

struct SharedState;

// File names of the settings files.
inline const QString kSettingsFileName = QStringLiteral("設定.txt");
inline const QString kCommonDataFileName = QStringLiteral("共通データ.txt");
inline const QString kItemTimeTableFileName = QStringLiteral("タイム回数データ.txt");

// 設定.txt in programFolder: ten values, the first is the layout flag.
Status readSettings(SharedState& state, const QString& programFolder);

// 共通データ.txt in commonFolder: ten values; value 2 may start with a five-digit school code.
Status readCommonData(SharedState& state);

// Splits value 2 of 共通データ.txt into schoolCode and schoolName.
void splitSchoolNameAndCode(SharedState& state, const QString& value);

// The per-item time table in dataFolder: twelve values per item, counted as values, not
// lines; a 36th item is ignored.
Status readItemTimeTable(SharedState& state, const QString& fileName);

// Items 1..20 need a target and a limit time above 0: the drill divides by them and ends at
// once when the limit is 0. Every item's points multiplier lies within 0..1000.
Status checkItemTimeTable(const SharedState& state);
