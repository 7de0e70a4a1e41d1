#pragma once

#include "review/examplan.h"

#include <QDate>
#include <QMap>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <vector>

class PupilStudy;
class ResultsInstallation;
struct MapIdiom;
struct PupilSettings;

// A pupil's exam date still ahead, with what the pupil is expected to recall on that day.
struct ExamOutlook
{
    QDate date;
    int daysLeft = 0;
    ExamForecast forecast;
    int idiomCount = 0;                                           // of the idiom file
    std::vector<int> rangeIdioms = std::vector<int>(kRangeCount); // range r at r - 1

    // 「試験日：2027-02-01（あと54日）　試験日に覚えている見込み：190/220」
    QString line() const;
    // 「範囲1：20/22」 for each range of the idiom file, the expected count rounded.
    QStringList rangeLines() const;
};

// Nothing without a date, or on the exam day and after it, when there is nothing left to plan.
std::optional<ExamOutlook> examOutlook(const PupilStudy& choosing,
                                       const std::vector<MapIdiom>& idioms, const QDate& examDate,
                                       const QDate& today);

// The pupils' settings of the installation's 生徒設定.txt. A file that cannot be read, or
// damaged lines, are told on err: the pupils read still count, and none when it cannot be read.
QMap<int, PupilSettings> readPupilSettings(const ResultsInstallation& installation,
                                           QTextStream& err);
