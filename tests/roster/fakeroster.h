#pragma once

#include "fakes.h"
#include "roster/nameselection.h"
#include "roster/pupilsummary.h"

#include <map>

// Sums by pupil number, set by the test; counts how often the statistics were computed.
class FakePupilSummary : public PupilSummary
{
public:
    void computeStatistics() override { ++computed; }
    PupilSums sumsFor(int pupilNo) const override
    {
        const auto found = sums.find(pupilNo);
        return found == sums.end() ? PupilSums{} : found->second;
    }
    std::map<int, PupilSums> sums;
    int computed = 0;
};

// Keeps what the name selection logic shows and logs the calls that matter for ordering.
class FakeNameSelectionView : public NameSelectionView
{
public:
    void setTitle(const QString& text) override { title = text; }
    void setFilterEntries(const QStringList& entries) override
    {
        filterEntries = entries;
        log << QStringLiteral("filter");
    }
    void setDisplayMode(int mode) override { displayMode = mode; }
    void setRows(const QStringList& shown) override
    {
        rows = shown;
        log << QStringLiteral("rows");
    }
    void selectRow(int row) override { selectedRow = row; }
    void setChoiceText(const QString& text) override { choice = text; }
    void setChosenNumberText(const QString& text) override { chosenNumber = text; }
    void setStartButtonVisible(bool visible) override { startVisible = visible; }
    void setPrintButtonVisible(bool visible) override { printVisible = visible; }
    void setWaitPanelVisible(bool visible) override
    {
        waitVisible = visible;
        log << (visible ? QStringLiteral("wait on") : QStringLiteral("wait off"));
    }
    void focusList() override { log << QStringLiteral("focus list"); }
    void showErrorMessage(const QString& t, const QString& text) override
    {
        errors.append(t + u'|' + text);
    }

    QString title;
    QStringList filterEntries;
    int displayMode = -1;
    QStringList rows;
    int selectedRow = -2;
    QString choice;
    QString chosenNumber;
    bool startVisible = true;
    bool printVisible = false;
    bool waitVisible = true;
    QStringList errors;
    QStringList log;
};
