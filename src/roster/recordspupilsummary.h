#pragma once

#include "roster/pupilsummary.h"

class Records;

// The summary columns from the result statistics: each sum adds up items 1 to 35.
class RecordsPupilSummary : public PupilSummary
{
public:
    explicit RecordsPupilSummary(Records& records) : m_records(records) {}

    void computeStatistics() override;
    PupilSums sumsFor(int pupilNo) const override;

private:
    Records& m_records;
};
