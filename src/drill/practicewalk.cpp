#include "drill/practicewalk.h"

#include <cstddef>

void PracticeWalk::start(int questionCount)
{
    m_marks.assign(static_cast<std::size_t>(questionCount) + 1, false);
    m_cursor = 0;
    m_markCount = 0;
    m_quit = false;
}

int PracticeWalk::advance()
{
    const int count = questionCount();
    if (m_quit || m_markCount >= count)
        return 0;
    do {
        m_cursor = m_cursor >= count ? 1 : m_cursor + 1;
    } while (m_marks[static_cast<std::size_t>(m_cursor)]);
    return m_cursor;
}

bool PracticeWalk::strikeCurrent()
{
    if (m_cursor >= 1 && m_cursor <= questionCount() &&
        !m_marks[static_cast<std::size_t>(m_cursor)]) {
        m_marks[static_cast<std::size_t>(m_cursor)] = true;
        ++m_markCount;
    }
    return m_markCount >= questionCount();
}

bool PracticeWalk::isStruck(int n) const
{
    return n >= 1 && n <= questionCount() && m_marks[static_cast<std::size_t>(n)];
}
