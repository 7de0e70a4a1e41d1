#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class ExamPlan;
class PupilStudy;
struct IdiomMemory;

// The hub's 復習 button and the line beside it.
struct ReviewOffer
{
    QString caption; // 「復習 3問」
    bool enabled = false;
    QString line; // when the next review falls due, or what comes first
};

// One idiom asked in a review drill.
struct ReviewedIdiom
{
    QString idiom;
    QString reading;
    QString meaning;
    bool rightFirstTry = false; // its first answer in this drill
};

// What the finish view of a review drill shows.
struct ReviewSummary
{
    QString firstTryLine;
    QStringList weakLines; // the drill's 苦手 idioms with reading and meaning
    QString nextLine;      // 「次の復習：あした 5問」

    bool operator==(const ReviewSummary&) const = default;
};

namespace ReviewTexts {

// 「12月10日」.
QString dateText(const QDate& day);
// 「きょう」, 「あした」, 「あさって」, else the date.
QString dayWord(const QDate& day, const QDate& today);

// While an exam date is set the count is of the idioms due with the exam in view, and while the
// exam is ahead the line is the plan's, followed by how far the pupil is behind it.
ReviewOffer offer(const PupilStudy& study, const QDate& today, const QDate& examDate,
                  const ExamPlan& plan);

// 「次の復習：あした 5問」 for what = 「次の復習」: the first day with anything due (today when
// something is) and how many fall due then; 「次の復習：まだありません」 when nothing is scheduled.
QString nextLine(const QString& what, const PupilStudy& study, const QDate& today);
// The same, with each idiom's due date as dueDate gives it.
QString nextLine(const QString& what, const PupilStudy& study, const QDate& today,
                 const std::function<QDate(const IdiomMemory&)>& dueDate);

// study holds the answers of the drill just ended; the next review is counted with the exam in
// view, as the hub will count it.
ReviewSummary summary(const std::vector<ReviewedIdiom>& asked, const PupilStudy& study,
                      const QDate& today, const QDate& examDate);

inline const QString kTestFirst = QStringLiteral("テストをすると、まちがえた熟語が復習に出ます");

} // namespace ReviewTexts
