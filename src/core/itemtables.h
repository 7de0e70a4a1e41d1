#pragma once

#include <array>
#include <stdexcept>

// Numbering shared by every table: drill items 1 to 35, pupils 1 to 5000; index 0 is unused.
constexpr int kMaxItemNo = 35;
constexpr int kMaxPupilNo = 5000;

inline bool isValidItemNo(int item)
{
    return item >= 1 && item <= kMaxItemNo;
}
inline bool isValidPupilNo(int pupil)
{
    return pupil >= 1 && pupil <= kMaxPupilNo;
}

// A value per drill item, indexed 0..35. Access is checked: a number that came from a file
// must be range-checked by the caller, and a slip shows up as an error, not as a stray write.
template <typename T>
class ItemTable
{
public:
    T& operator[](int item) { return m_values.at(static_cast<size_t>(item)); }
    const T& operator[](int item) const { return m_values.at(static_cast<size_t>(item)); }
    void fill(const T& value) { m_values.fill(value); }

private:
    std::array<T, kMaxItemNo + 1> m_values{};
};

// A value per drill item and pupil, [item 0..35][pupil 0..5000]. Large: allocate it on the heap.
template <typename T>
class ItemPupilTable
{
public:
    T& at(int item, int pupil) { return m_values.at(index(item, pupil)); }
    const T& at(int item, int pupil) const { return m_values.at(index(item, pupil)); }
    void fill(const T& value) { m_values.fill(value); }

private:
    static size_t index(int item, int pupil)
    {
        if (item < 0 || item > kMaxItemNo || pupil < 0 || pupil > kMaxPupilNo)
            throw std::out_of_range("item or pupil number outside the tables");
        return static_cast<size_t>(item) * (kMaxPupilNo + 1) + static_cast<size_t>(pupil);
    }

    std::array<T, (kMaxItemNo + 1) * (kMaxPupilNo + 1)> m_values{};
};
