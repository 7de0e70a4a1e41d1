#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class IdiomTable;
class RandomSource;

struct DrillQuestion
{
    QString idiom;   // field 2
    QString meaning; // field 4
    QString reading; // field 3
    int range = 0;   // field 1
};

// The questions of one drill: the idioms of one range in file order, and how far each has
// been answered. doneState 0 = not yet answered, 1 = finished, -1 = answered wrongly and owed
// two right answers.
class DrillQuestions
{
public:
    static constexpr int kMaxQuestions = 1000;

    // Takes every line of the table whose range field reads as the number range. The idioms
    // of the other lines are kept as a reserve of decoy characters.
    void build(const IdiomTable& table, int range);
    // Takes these questions, none answered yet.
    void assign(std::vector<DrillQuestion> questions);

    int questionCount() const { return static_cast<int>(m_questions.size()); }
    // Question n = 1 .. questionCount().
    const DrillQuestion& question(int n) const;
    QStringList idioms() const;
    const QStringList& otherIdioms() const { return m_otherIdioms; }

    int doneState(int n) const;
    void answeredRight(int n);
    void answeredWrong(int n);
    int finishedCount() const;

    // Draws r = Int(questionCount × u + 1) until question r is unfinished and is not the one
    // shown before (unless it is the only one left). previous 0 matches no question. Returns 0
    // when every question is finished. A random source that keeps missing cannot hang the
    // drill: after many misses the first eligible question from the last draw on is taken.
    int drawNext(RandomSource& random, int previous) const;
    // The first question in list order that the same rule allows; 0 when every question is
    // finished.
    int firstInOrder(int previous) const;

private:
    bool eligible(int n, int previous) const;

    std::vector<DrillQuestion> m_questions;
    std::vector<int> m_doneState; // index 0 unused
    QStringList m_otherIdioms;
};
