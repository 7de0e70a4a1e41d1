#pragma once

#include "platform/status.h"
#include "review/studymap.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class ResultsInstallation;

enum class StudyFaultKind {
    TornTail,
    Checksum,
    InvalidField, // a value the program never writes
    NotInRoster,
    UnknownIdiom,
    DateGoesBack,
    Duplicate
};
constexpr int kStudyFaultKinds = 7;

struct StudyAuditReport
{
    static constexpr int kListedFaults = 50;

    Status status;        // not ok: the log could not be read
    bool missing = false; // no log yet: nobody has answered anything
    qint64 records = 0;
    std::array<qint64, kStudyFaultKinds> counts{};
    QStringList faults; // the first kListedFaults, in the order found
    qint64 faultCount = 0;

    // 0 clean, 1 faults found, 2 the log could not be read.
    int exitStatus() const;
    QStringList lines() const;
};

// Checks the study log without changing it: a torn tail, records that fail their checksum,
// records with a field the program never writes (both left out of everything else), pupils not in
// the roster, idioms not in the idiom file, dates that go back by more than a day and exact
// duplicates. Without idioms (the idiom file could not be read) the idioms are not checked.
StudyAuditReport auditStudyLog(const ResultsInstallation& installation,
                               const std::vector<MapIdiom>* idioms);
