#pragma once

#include <vector>

// Where the practice walk stands: the question on screen and the questions the pupil has
// struck as known. The marks are sized to the drill, so a range of any size can be walked.
class PracticeWalk
{
public:
    // A new walk over questionCount questions, nothing struck, before the first question.
    void start(int questionCount);

    // Moves to the next question that is not struck, after the last one on to question 1.
    // Returns it, or 0 when every question is struck (or the walk has ended).
    int advance();
    // Strikes the question on screen; true once every question is struck.
    bool strikeCurrent();
    void quit() { m_quit = true; }

    bool hasQuit() const { return m_quit; }
    int cursor() const { return m_cursor; }
    int markCount() const { return m_markCount; }
    int questionCount() const { return static_cast<int>(m_marks.size()) - 1; }
    bool isStruck(int n) const;

private:
    std::vector<bool> m_marks{false}; // index 0 unused
    int m_cursor = 0;
    int m_markCount = 0;
    bool m_quit = false;
};
