#pragma once

#include "platform/status.h"
#include "roster/rosterentry.h"

#include <QDate>
#include <QStringList>

#include <functional>

struct SharedState;

// The roster in use: 生徒用名簿.txt in the home edition, 新名簿.txt otherwise.
QString rosterFilePath(const SharedState& state);

// Status codes of the name screen's reader besides success.
constexpr int kRosterDamaged = 1;
constexpr int kHomeEditionLimit = 2;

inline const QString kHomeEditionLimitText = QStringLiteral("家庭用は3人までしか登録できません");

// Reads the roster for the name selection screen: sets schoolYear, the three tables by pupil
// number for every line, pupilNoByLine and listedPupilCount for the listed pupils, and hands
// each listed pupil to addListedPupil in file order. In the home edition a line read after
// four listed pupils stops the reading with kHomeEditionLimit. A damaged line stops it with
// kRosterDamaged; the pupils before it stay read.
Status readRosterForNameScreen(SharedState& state, const QDate& today,
                               const std::function<void(const RosterEntry&)>& addListedPupil);

// Reads the roster for the study hub: sets schoolYear and the three tables (trimmed names),
// and adds "<full-width grade> /  <name>/<pupilNo>" to hubList for every pupil of status 0.
// The grades are those of the name screen, so both screens agree in every month.
Status readRosterForHub(SharedState& state, const QDate& today, QStringList& hubList);

// Completes a replacement of the roster that was left half done: when the roster cannot be
// opened, the temporary file takes its name. The temporary file is never removed. Errors are
// ignored.
void recoverRosterFile(const QString& commonFolder);
