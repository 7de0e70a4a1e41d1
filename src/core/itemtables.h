#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>

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
template <typename T> class ItemTable
{
public:
    T& operator[](int item) { return m_values.at(static_cast<size_t>(item)); }
    const T& operator[](int item) const { return m_values.at(static_cast<size_t>(item)); }
    void fill(const T& value) { m_values.fill(value); }

private:
    std::array<T, kMaxItemNo + 1> m_values{};
};

// A value per drill item and pupil, [item 0..35][pupil 0..5000], zero when made. About 1 MB:
// it lives on the heap, in memory the system hands out already zeroed, and it remembers which
// blocks of values were handed out for writing, so that clearing a table that is mostly
// empty writes only the blocks that may hold something and leaves the other pages untouched.
template <typename T> class ItemPupilTable
{
    // Zeroed bytes must be a valid zero value: the memory is never constructed.
    static_assert(std::is_arithmetic_v<T>);

public:
    ItemPupilTable() : m_values(static_cast<T*>(std::calloc(kSize, sizeof(T))))
    {
        if (!m_values)
            throw std::bad_alloc();
    }
    ItemPupilTable(const ItemPupilTable&) = delete;
    ItemPupilTable& operator=(const ItemPupilTable&) = delete;

    T& at(int item, int pupil)
    {
        const size_t i = index(item, pupil);
        m_written.set(i / kBlock);
        return m_values[i];
    }
    const T& at(int item, int pupil) const { return m_values[index(item, pupil)]; }
    void fill(const T& value)
    {
        std::fill_n(m_values.get(), kSize, value);
        m_written.set();
    }
    // Sets every value to zero.
    void clear()
    {
        for (size_t block = 0; block < kBlocks; ++block) {
            if (!m_written.test(block))
                continue;
            const size_t first = block * kBlock;
            std::fill_n(m_values.get() + first, std::min(kBlock, kSize - first), T{});
        }
        m_written.reset();
    }

private:
    static constexpr size_t kSize = size_t{kMaxItemNo + 1} * (kMaxPupilNo + 1);
    static constexpr size_t kBlock = 1024;
    static constexpr size_t kBlocks = (kSize + kBlock - 1) / kBlock;

    struct Free
    {
        void operator()(T* values) const { std::free(values); }
    };

    static size_t index(int item, int pupil)
    {
        if (item < 0 || item > kMaxItemNo || pupil < 0 || pupil > kMaxPupilNo)
            throw std::out_of_range("item or pupil number outside the tables");
        return static_cast<size_t>(item) * (kMaxPupilNo + 1) + static_cast<size_t>(pupil);
    }

    std::unique_ptr<T[], Free> m_values;
    std::bitset<kBlocks> m_written; // blocks that may hold a value other than zero
};
