#pragma once

#include "review/reviewtexts.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

// The texts of one item column that are set once, when the hub loads.
struct HubColumnTexts
{
    QString number;  // Label1
    QString caption; // Label3
    QString start;   // Command4, "&" before the access key
    QString goal;    // Label7
    QString recent;  // Label8
};

// What the study hub shows; the widget mirrors these calls. Items are numbered from 1.
class HubView
{
public:
    virtual ~HubView() = default;

    // Loading: one column per item, then its fixed texts.
    virtual void createColumns(int itemCount) = 0;
    virtual void setColumnTexts(int item, const HubColumnTexts& texts) = 0;
    virtual void setGradeFilter(const QStringList& entries, const QString& current) = 0; // Combo1
    virtual void setScrollBar(bool visible, int minimum, int maximum) = 0;               // HScroll1
    virtual void setScrollValue(int value) = 0;
    // Left edges in twips from the left edge of the first column, by item (index 0 unused);
    // -1 puts a column out of sight.
    virtual void placeColumns(int pitchTwips, const std::vector<int>& leftTwips) = 0;

    virtual void setTitle(const QString& text, int pointSize) = 0; // Label11
    virtual void setPupilLine(const QString& text) = 0;            // Label12
    virtual void setSchoolLine(const QString& text) = 0;           // Label13
    virtual void setMinutesLine(const QString& text) = 0;          // Label17
    virtual void setTodayTotalLine(const QString& text) = 0;       // Label18
    virtual void setListHeading(const QString& text) = 0;          // Label5

    virtual void setColumnHeadings(int item, const QString& today, const QString& allTime) = 0;
    virtual void setTallies(int item, const QString& today, const QString& allTime) = 0;
    // Goal, recent-days line, headings, tallies and records list of a column.
    virtual void setColumnDetailsVisible(int item, bool visible) = 0;
    virtual void setListVisible(int item, bool visible) = 0; // List5
    // scrollTo: the line to bring to the top, -1 to leave the list where it is. No line stays
    // selected.
    virtual void setListLines(int item, const QStringList& lines, int scrollTo) = 0;
    virtual void setStartEnabled(int item, bool enabled) = 0; // Command4

    virtual void selectDisplayKind(int kind) = 0; // Option2(kind)
    virtual void selectPeriod(int period) = 0;    // Option1(period)
    virtual void setPeriodCaption(int period, const QString& caption) = 0;
    virtual void setPeriodThreeEnabled(bool enabled) = 0;
    virtual void setRecordsBoxVisible(bool visible) = 0; // Combo2
    virtual void setBackEnabled(bool enabled) = 0;       // Command1
    // The 復習 button of the top row and the line beside it.
    virtual void setReviewOffer(const ReviewOffer& offer) = 0;
    // The 書き取り button beside it and its line.
    virtual void setWritingOffer(const ReviewOffer& offer) = 0;
    virtual void setGraphButtonVisible(bool visible) = 0; // Command17

    virtual void setWaitPanelVisible(bool visible) = 0;    // Picture2
    virtual void setWaitProgressVisible(bool visible) = 0; // ProgressBar1
    virtual void setRankingPanelVisible(bool visible) = 0; // Picture6
    virtual void setProgress(qint64 value, qint64 maximum) = 0;
    // Paints the screen now, without handling input.
    virtual void repaintNow() = 0;
    virtual void focusFirstStart() = 0;
};
