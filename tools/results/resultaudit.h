#pragma once

#include "platform/status.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class ResultsInstallation;

enum class AuditFaultKind {
    TornTail,
    OutOfRange,
    NotInRoster,
    Duplicate,
    DateGoesBack,
    WithoutTwin,
};
constexpr int kAuditFaultKinds = 6;

struct AuditFault
{
    QString file;        // the file name
    qint64 recordNo = 0; // 1 for the first record; 0 for the torn tail
    AuditFaultKind kind = AuditFaultKind::OutOfRange;
    QString text;
};

struct AuditedFile
{
    QString name;
    QString path;
    int recordLength = 0;
    Status status;        // not ok: the file could not be read
    bool missing = false; // no test has been written to it yet: no records, no fault
    qint64 records = 0;
    qint64 tailOffset = 0;
    qint64 tailLength = 0;
    std::array<qint64, kAuditFaultKinds> counts{};
};

struct AuditReport
{
    static constexpr int kListedFaults = 50;

    std::vector<AuditedFile> files; // the result file, then the home-use file
    std::vector<AuditFault> faults; // the first kListedFaults, in the order found
    qint64 faultCount = 0;

    bool unreadable() const;
    // The exit status: 0 clean, 1 faults found, 2 a file could not be read.
    int exitStatus() const;
};

// Checks the result file and the home-use file of an installation without changing them:
// torn tails, fields out of range, pupils missing from the roster, exact duplicates, dates
// that go back by more than a day, and records of one file without their twin in the other.
class ResultAudit
{
public:
    ResultAudit(const ResultsInstallation& installation, const QDate& today)
        : m_installation(installation), m_today(today)
    {
    }

    AuditReport run() const;

private:
    const ResultsInstallation& m_installation;
    QDate m_today;
};

// The summary table, then the listed faults, one a line.
QStringList auditReportLines(const AuditReport& report);
